// A host dialog of the tests' own (template 9100, 300 x 400 dialog units)
// holding a parameter tree, and the shipped style file's DEFAULT style read as
// the new-intersection command reads it: every section, angles in the
// settings' unit (decimal degrees), spinners with 1 decimal and step 0.5.
#pragma once

#include <filesystem>
#include <iterator>
#include <vector>

#include <CJunctorSettings.h>
#include <CXmlReaderJunctor.h>
#include <ComRuntime.h>

#include "../stylefile/StyleFileSupport.h"
#include "../ui/UiFixture.h"
#include "CConstrParsOptionTree.h"
#include "CLaneParsOptionTree.h"
#include "HostText.h"
#include "WinResource.h"

#include <unistd.h>

namespace partree_test {

constexpr int kHostTemplate = 9100;
constexpr UINT kTreeId = 7013;

inline const DLGITEMTEMPLATE kHostItems[] = {
    {WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 240, 380, 50, 14, IDOK, L"Button", L"OK"},
};
inline const DLGTEMPLATE kHost = {WS_POPUP | WS_CAPTION | DS_SETFONT, 0, 0, 0, 300, 400, L"Albero", L"MS Shell Dlg", 8,
                                  kHostItems, static_cast<int>(std::size(kHostItems)), kHostTemplate};
inline const vplat::ResourceEntry kHostEntries[] = {{RT_DIALOG, kHostTemplate, &kHost}};
inline const vplat::ResourceTable kHostTable = {L"ParTreeTests", kHostEntries, 1};
inline const HMODULE kHostModule = reinterpret_cast<HMODULE>(0x4B00);

using stylefile_test::Modello;

inline bool LeggiDefault(Modello& m) {
    vplat::Com::Reset();
    CXmlReaderJunctor reader;
    const std::filesystem::path file = std::filesystem::path(VORTANA_BIN) / "Junctor" / "Junctor.xml";
    if (!reader.Carica(file.wstring().c_str())) return false;
    reader.SetSezioni(true, true, true, true, false);
    reader.SetStile(L"DEFAULT");
    reader.SetDestinazioni(&m.settings);
    if (!reader.Process()) return false;
    m.settings.ApplicaUnitaAngoli();
    return true;
}

// A scratch copy of the module folder's style data (style file, stylesheets,
// pictures), removed afterwards; Leggi reads it as the new-intersection
// command does and gives the settings its path and folder.
class CartellaStili {
public:
    CartellaStili() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 ("vortana-styles-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
        std::filesystem::copy(std::filesystem::path(VORTANA_BIN) / "Junctor", m_path,
                              std::filesystem::copy_options::recursive);
    }
    ~CartellaStili() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CartellaStili(const CartellaStili&) = delete;
    CartellaStili& operator=(const CartellaStili&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path File() const { return m_path / "Junctor.xml"; }
    bool Leggi(Modello& m, CXmlReaderJunctor& reader) const {
        std::wstring dir = vplat::ToWindowsPath(m_path.string());
        if (dir.back() != L'\\') dir += L'\\';
        const CString path = (dir + L"Junctor.xml").c_str();
        if (!reader.Carica(path)) return false;
        reader.SetSezioni(true, true, true, true, false);
        reader.SetStile(L"DEFAULT");
        reader.SetDestinazioni(&m.settings);
        if (!reader.Process()) return false;
        m.settings.ApplicaUnitaAngoli();
        m.settings.SetPathXml(path);
        m.settings.SetCartella(dir.c_str());
        return true;
    }

private:
    std::filesystem::path m_path;
};

// The stored numbers of a set, bit for bit (angles in radians).
template <class Set>
std::vector<double> Valori(const Set& set) {
    std::vector<double> v;
    for (int i = 0; i < Set::NUMERO_PARAMETRI; ++i) v.push_back(set.Parametro(i).CSingleConstrPar::GetValore());
    return v;
}

class ParTreeFixture : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        vplat::Resources::Register(kHostModule, &kHostTable);
        AfxSetResourceHandle(kHostModule);
        ASSERT_TRUE(LeggiDefault(m));
        host = new CDialog;
        ASSERT_TRUE(host->Create(kHostTemplate));
    }
    void TearDown() override {
        if (host->m_hWnd) host->DestroyWindow();
        delete host;
        AfxSetResourceHandle(GetModuleHandleW(nullptr));
        vplat::Resources::Register(kHostModule, nullptr);
        UiFixture::TearDown();
    }
    // A tree of the main dialog's format over the host's client area.
    template <class Tree>
    void Crea(Tree& tree) {
        tree.SetIncremento(m.settings.GetIncremento());
        tree.SetDecimali(m.settings.GetDecimali());
        tree.SetLimiti(10000, -10000);
        tree.SetTrimZeros(0);
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 400, 560), host, OTS_INFOPANE, kTreeId));
    }
    // Every row of a tree, parents first.
    static std::vector<COptionTreeItem*> Righe(COptionTree& tree) {
        std::vector<COptionTreeItem*> out;
        tree.ForEachItem([&](COptionTreeItem* r) { out.push_back(r); });
        return out;
    }
    static COptionTreeItem* Riga(COptionTree& tree, int id) {
        for (COptionTreeItem* r : Righe(tree))
            if (r->GetId() == id) return r;
        return nullptr;
    }
    static CMyOptionTreeItemSpinnerDec* Spinner(COptionTree& tree, int id) {
        return dynamic_cast<CMyOptionTreeItemSpinnerDec*>(COptionTreeItemSpinnerDec::FromItem(Riga(tree, id)));
    }
    static std::wstring Testo(COptionTree& tree, int id) {
        CMyOptionTreeItemSpinnerDec* s = Spinner(tree, id);
        if (!s) return L"<none>";
        CString t;
        s->GetEdit()->GetWindowText(t);
        return std::wstring(t);
    }
    static std::wstring Etichetta(COptionTree& tree, int id) {
        COptionTreeItem* r = Riga(tree, id);
        return r ? std::wstring(r->GetLabel()) : L"<none>";
    }
    // The user types over the whole text of a row's edit field.
    static void Digita(COptionTree& tree, int id, const wchar_t* text) {
        CMyOptionTreeItemSpinnerDec* s = Spinner(tree, id);
        ASSERT_NE(s, nullptr);
        s->GetEdit()->SetFocus();
        s->GetEdit()->SendMessage(EM_SETSEL, 0, -1);
        vplat::UserInput::Type(text);
        vplat::UserInput::Pump();
    }

    Modello m;
    CDialog* host = nullptr;
};

extern "C" const vplat::ResourceTable vplatResourceSection;

// The same, with Junctor's resources current in a module of their own, as
// every command makes them current.
class JunctorModuleFixture : public ParTreeFixture {
protected:
    static inline const HMODULE kJunctor = reinterpret_cast<HMODULE>(0x4A00);
    void SetUp() override {
        ParTreeFixture::SetUp();
        vplat::Resources::Register(kJunctor, &vplatResourceSection);
        AfxSetResourceHandle(kJunctor);
    }
    void TearDown() override {
        vplat::Resources::Register(kJunctor, nullptr);
        ParTreeFixture::TearDown();
    }
};

}  // namespace partree_test
