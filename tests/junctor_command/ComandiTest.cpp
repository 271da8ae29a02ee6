// The command functions and the start of a new intersection: the guard and
// the wrapper around every mode, the drawing's angle unit, the resource
// library, and record removal on an entity that is not an alignment.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ArxAppContext.h"
#include "ComandoTest.h"
#include "HostRunner.h"
#include "WinInput.h"
#include "WinModule.h"

#include "CDlgJunctor.h"
#include "JunctorCommands.h"
#include "NumeroTesto.h"

namespace {

namespace fs = std::filesystem;
using comando::U8;

const wchar_t* const kRifiuto = L"Funzione non abilitata per l'oggetto attivo";
const wchar_t* const kNonInizializzato = L"Vortana non inizializzato.";

std::string Sostituisci(std::string testo, const std::string& da, const std::string& a) {
    for (size_t p = testo.find(da); p != std::string::npos; p = testo.find(da, p + a.size())) testo.replace(p, da.size(), a);
    return testo;
}

void ImpostaTesto(const wchar_t* nome, const wchar_t* valore) {
    resbuf rb{};
    rb.restype = RTSTR;
    rb.resval.rstring = const_cast<wchar_t*>(valore);
    acedSetVar(nome, &rb);
}

void ImpostaIntero(const wchar_t* nome, int valore) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(valore);
    acedSetVar(nome, &rb);
}

class ComandiTest : public ComandoTest {
protected:
    void TearDown() override {
        GetArxAppContext()->m_bCommandActive = 0;
        vplat::Modules::SetSearchFolder(VORTANA_BIN);
        ComandoTest::TearDown();
    }
    // A copy of the installation's style file, changed, as the module
    // folder of the next command.
    std::string CartellaStili(const std::function<std::string(std::string)>& cambia) {
        fs::create_directories(fs::path(m_cartella.Path()) / "Junctor");
        std::ifstream in(VORTANA_BIN "/Junctor/Junctor.xml", std::ios::binary);
        std::stringstream testo;
        testo << in.rdbuf();
        std::ofstream(m_cartella.File("Junctor/Junctor.xml"), std::ios::binary) << cambia(testo.str());
        const CString dir = CString(m_cartella.Path().c_str()) + L"/";
        wcsncpy(GetArxAppContext()->m_szAppDir, dir, CArxAppContext::kDirLength - 1);
        return m_cartella.Path();
    }

    TempFolder m_cartella;
};

struct CasoGuardia {
    const char* nome;
    const wchar_t* users1;
    bool passa;
};

class GuardiaTest : public ComandiTest, public ::testing::WithParamInterface<CasoGuardia> {};

// Each command function passes the guard, or is refused with the guard's
// line and the box; the resource handle is put back either way.
TEST_P(GuardiaTest, PassesOrIsRefused) {
    ImpostaTesto(L"USERS1", GetParam().users1);
    comando::Passi({{IDCANCEL, 0}});
    const HINSTANCE prima = AfxGetResourceHandle();
    Junctor();
    EXPECT_EQ(AfxGetResourceHandle(), prima);
    EXPECT_EQ(GetArxAppContext()->m_bCommandActive, 0);
    const std::wstring righe = vplat::Transcript::Get().CommandLineText();
    if (GetParam().passa) {
        EXPECT_EQ(comando::NumeroPassi(), 1);
        EXPECT_TRUE(Messaggi().empty());
        EXPECT_EQ(righe.find(kRifiuto), std::wstring::npos);
    } else {
        EXPECT_EQ(comando::NumeroPassi(), 0);
        EXPECT_NE(righe.find(kRifiuto), std::wstring::npos) << U8(righe);
        ASSERT_EQ(Messaggi().size(), 1u);
        EXPECT_EQ(Messaggi()[0].text, kNonInizializzato);
    }
}

INSTANTIATE_TEST_SUITE_P(Users1, GuardiaTest,
                         ::testing::Values(CasoGuardia{"qv_px", L"QV-PX", true},
                                           CasoGuardia{"lower_case", L"qv-px", false},
                                           CasoGuardia{"trailing_blank", L"QV-PX ", false},
                                           CasoGuardia{"another_object", L"QV-RR", false},
                                           CasoGuardia{"empty", L"", false}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ComandiTest, BusyModuleRefusesAtOnceAndStaysBusy) {
    ImpostaTesto(L"USERS1", L"QV-PX");
    GetArxAppContext()->m_bCommandActive = 1;
    comando::Passi({{IDCANCEL, 0}});
    Junctor();
    EXPECT_EQ(comando::NumeroPassi(), 0);
    EXPECT_EQ(GetArxAppContext()->m_bCommandActive, 1);
    EXPECT_NE(vplat::Transcript::Get().CommandLineText().find(L"già attivo"), std::wstring::npos);
    ASSERT_EQ(Messaggi().size(), 1u);
    EXPECT_EQ(Messaggi()[0].text, kNonInizializzato);
}

// A style file without "DEFAULT": the dialog's look at the current style
// throws. The command ends with the reason shown, and the next command
// passes the guard.
TEST_F(ComandiTest, ThrowingModeStillEndsTheCommand) {
    ImpostaTesto(L"USERS1", L"QV-PX");
    CartellaStili([](std::string t) { return Sostituisci(t, "style=\"DEFAULT\"", "style=\"Base\""); });
    auto guardaStile = [](CCmdJunctor&, CJunctorSettings& s) {
        CString nome, descrizione;
        s.GetStileCorrente(nome, descrizione);
    };
    const HINSTANCE prima = AfxGetResourceHandle();
    for (int volta = 0; volta < 2; ++volta) {
        vplat::MessageBoxes::Clear();
        comando::Passi({{IDCANCEL, 0, guardaStile}});
        Junctor();
        EXPECT_EQ(comando::NumeroPassi(), 1) << volta;
        EXPECT_EQ(Messaggi().size(), 1u);
        EXPECT_EQ(GetArxAppContext()->m_bCommandActive, 0);
        EXPECT_EQ(AfxGetResourceHandle(), prima);
    }
    EXPECT_EQ(vplat::Transcript::Get().CommandLineText().find(L"già attivo"), std::wstring::npos);
}

struct CasoUnita {
    int aunits;
    int unita;
};

class UnitaTest : public ComandiTest, public ::testing::WithParamInterface<CasoUnita> {};

TEST_P(UnitaTest, AunitsGivesTheDrawingsUnit) {
    ImpostaIntero(L"AUNITS", GetParam().aunits);
    EXPECT_EQ(CCmdJunctor::UnitaAutoCAD(), GetParam().unita);
    comando::Passi({{IDCANCEL, 0}});
    CCmdJunctor c;
    c.Nuova();
    ASSERT_EQ(comando::SettingsVisti().size(), 1u);
    EXPECT_EQ(comando::SettingsVisti()[0].GetUnitaAutoCAD(), GetParam().unita);
}

INSTANTIATE_TEST_SUITE_P(Aunits, UnitaTest,
                         ::testing::Values(CasoUnita{0, 0}, CasoUnita{1, 3}, CasoUnita{2, 1}, CasoUnita{3, 2},
                                           CasoUnita{4, 4}, CasoUnita{9, 2}),
                         [](const auto& info) { return "aunits_" + std::to_string(info.param.aunits); });

// "Use the drawing's unit" in the style file: the drawing's unit (radians
// for AUNITS 3) is applied at the start, before any road is chosen.
TEST_F(ComandiTest, StyleFileAsksForTheDrawingsUnit) {
    ImpostaIntero(L"AUNITS", 3);
    for (const char* usa : {"Y", "N"}) {
        CartellaStili([usa](std::string t) {
            return Sostituisci(t, "useAutoCAD=\"N\"", std::string("useAutoCAD=\"") + usa + "\"");
        });
        comando::Passi({{IDCANCEL, 0, [usa](CCmdJunctor&, CJunctorSettings& s) {
                             for (const CSingleConstrPar* a : {&s.GetParametri()->a1e, &s.GetParametri()->a2e,
                                                               &s.GetParametri()->a3e, &s.GetParametri()->a1u,
                                                               &s.GetParametri()->a2u, &s.GetParametri()->a3u})
                                 EXPECT_EQ(a->GetUnita(), usa[0] == 'Y' ? L"[rad]" : L"[deg]") << usa;
                         }}});
        CCmdJunctor c;
        c.Nuova();
        EXPECT_EQ(comando::NumeroPassi(), 1);
    }
}

// The same through the command's own main dialog: its angle rows show the
// drawing's unit, labels and values alike, from the opening on.
TEST_F(ComandiTest, MainDialogShowsTheDrawingsUnitFromTheOpening) {
    ImpostaIntero(L"AUNITS", 3);
    CartellaStili([](std::string t) { return Sostituisci(t, "useAutoCAD=\"N\"", "useAutoCAD=\"Y\""); });
    std::vector<std::wstring> righe;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        auto* dialogo = dynamic_cast<CDlgJunctor*>(CWnd::FromHandlePermanent(d));
        if (!dialogo || !righe.empty()) return;
        CConstrParsOptionTree& albero = dialogo->GetAlbero();
        const CConstrPars* p = albero.GetParametri();
        albero.ForEachItem([&](COptionTreeItem* r) {
            if (r->GetId() != 26 && r->GetId() != 33) return;
            auto* s = COptionTreeItemSpinnerDec::FromItem(r);
            CString testo;
            s->GetEdit()->GetWindowText(testo);
            const CSingleConstrPar& a = r->GetId() == 26 ? p->a1u : p->a1e;
            righe.push_back(std::wstring(r->GetLabel()) + L" " + std::wstring(testo) + L" " +
                            std::wstring(FormattaNumero(a.CSingleConstrPar::GetValore(), 1)));
        });
    });
    CCmdJunctor::SetPassoDialogo(nullptr);
    Script(L"dialog 7001 click 2\n");
    CCmdJunctor c;
    EXPECT_TRUE(c.Nuova());
    EXPECT_TRUE(Mismatches().empty());
    ASSERT_EQ(righe.size(), 2u);
    for (const std::wstring& r : righe) {
        const size_t a = r.find(L' ', r.find(L']')), b = r.rfind(L' ');
        EXPECT_NE(r.find(L"[rad]"), std::wstring::npos) << U8(r);
        EXPECT_EQ(r.substr(a + 1, b - a - 1), r.substr(b + 1)) << U8(r);  // the value shown is the radians
    }
}

// The resource library is loaded by its bare name on every new command and
// never let go; without it the command still runs.
TEST_F(ComandiTest, ResourceLibraryLoadedByNameOnEveryCommand) {
    auto riferimenti = [] {
        for (const vplat::LoadedModule& m : vplat::Modules::Loaded())
            if (m.path.size() >= 24 && m.path.compare(m.path.size() - 24, 24, L"QvInterfaceResources.dll") == 0)
                return m.references;
        return 0;
    };
    const int prima = riferimenti();
    comando::Passi({});
    {
        CCmdJunctor c;
        c.Nuova();
    }
    EXPECT_NE(GetModuleHandleW(L"QvInterfaceResources.dll"), nullptr);
    EXPECT_EQ(riferimenti(), prima + 1);
    {
        CCmdJunctor c;
        c.Nuova();
    }
    EXPECT_EQ(riferimenti(), prima + 2);

    EXPECT_EQ(comando::RisorseViste(), GetModuleHandleW(L"QvInterfaceResources.dll"));

    // A folder without the library: a null handle, and the dialog still opens.
    vplat::Modules::SetSearchFolder(m_cartella.Path());
    comando::Passi({{IDCANCEL, 0}});
    CCmdJunctor c;
    EXPECT_TRUE(c.Nuova());
    EXPECT_EQ(comando::NumeroPassi(), 1);
    EXPECT_EQ(comando::RisorseViste(), nullptr);
}

// Removing records from an entity that is not an alignment: nothing done,
// and the record read for it is freed (leak detection under ASan).
TEST_F(ComandiTest, RecordRemovalOnAPlainPolyline) {
    std::vector<AcDbObjectId> id = Disegna(comando::Principale());
    ads_name ciglio;
    acdbGetAdsName(ciglio, id[1]);
    CCmdJunctor c;
    c.SetId(L"1000000");
    EXPECT_FALSE(c.RimuoviRecordId(ciglio));
    EXPECT_TRUE(c.GetLog().IsEmpty());
}

}  // namespace
