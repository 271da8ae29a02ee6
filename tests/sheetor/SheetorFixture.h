// What the Sheetor tests share: a fresh working drawing with the gate open
// and the suite's folder bound, alignments and outlines made as the commands
// make them, small drawing files, and readers of what the commands left.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "CGestoreTavole.h"
#include "DatiPoli.h"
#include "HostText.h"
#include "ICTRACCIATO.h"
#include "ModelSpace.h"
#include "PlatformFixture.h"
#include "WinInput.h"
#include "ZylEntityID.h"

extern "C" const vplat::ResourceTable vplatResourceSection;

class SheetorTest : public PlatformFixture {
protected:
    // Sheetor's resources in a module of their own, made current as the
    // commands make them.
    static inline const HMODULE kSheetor = reinterpret_cast<HMODULE>(0x5E00);

    void SetUp() override {
        PlatformFixture::SetUp();
        vplat::Resources::Register(kSheetor, &vplatResourceSection);
        AfxSetResourceHandle(kSheetor);
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        SetUsers1(L"QV-PX");
        vplat::LispSymbols::Clear();
        vplat::LispSymbols::SetText(L"qv-cpath", vplat::ToWindowsPath(VORTANA_BIN "/"));
        m_cartella = std::filesystem::temp_directory_path() /
                     ("vortana-sheetor-" + std::to_string(getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_cartella);
    }
    void TearDown() override {
        EXPECT_TRUE(vplat::OpenObjects(m_db.get()).empty()) << "an object was left open";
        EXPECT_EQ(vplat::OpenSelectionSets(), 0);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        vplat::LispSymbols::Clear();
        vplat::ModalLoop::SetIdleHook(nullptr);
        AfxSetResourceHandle(GetModuleHandleW(nullptr));
        vplat::Resources::Register(kSheetor, nullptr);
        std::error_code ec;
        std::filesystem::remove_all(m_cartella, ec);
    }

    void Script(const std::wstring& testo) {
        std::wstring error;
        ASSERT_TRUE(vplat::Script::Get().Load(testo, &error)) << vplat::WideToUtf8(error);
    }

    // A straight alignment from `da` to `a`, drawn in model space; its entity's handle.
    std::wstring Tracciato(AcGePoint2d da, AcGePoint2d a, double progIniziale = 0,
                           const ICPROFILO::Disegno* disegno = nullptr) {
        datipoli *testa = nullptr, *coda = nullptr;
        ads_point p1 = {da.x, da.y, 0}, p2 = {a.x, a.y, 0};
        AggpuntoDATIPOLI(p1, 0, &testa, &coda);
        AggpuntoDATIPOLI(p2, 0, &testa, &coda);
        ICTRACCIATO* t = ICTRACCIATO_Constructor::Alloca(testa, progIniziale);
        LiberaDATIPOLI(&testa);
        if (disegno) {
            ICPROFILO* p = ICPROFILO::Alloca();
            p->SetDato(CDato(QV_DATO_NOME_PROFILO, L"Progetto"));
            p->aggiungiVertice(0, 10);
            p->aggiungiVertice(1000, 20);
            p->setDisegno(*disegno);
            t->aggiungiProfilo(p);
        }
        EXPECT_EQ(t->disegna(L"QV-TRACCIATI"), 1);
        std::wstring handle = ZylEntityID(t->Entita()).GetHandle();
        ICTRACCIATO_Costructor::Libera(&t, 1);
        return handle;
    }

    // An outline of `w` x `h` plotted millimetres at scale `s`, made as the
    // outline command makes it; optionally turned (degrees) afterwards.
    std::wstring Contorno(double x, double y, int w, int h, double s, double gradi = 0) {
        CGestoreTavole g;
        g.m_pDb = m_db.get();
        size_t prima = Riferimenti(ACDB_MODEL_SPACE).size();
        ads_point p = {x, y, 0};
        EXPECT_EQ(g.CreaBloccoContorno(p, w * s / 1000, h * s / 1000, s), 0);
        std::vector<AcDbObjectId> rif = Riferimenti(ACDB_MODEL_SPACE);
        EXPECT_EQ(rif.size(), prima + 1);
        if (gradi != 0) {
            CADDatoArray d;
            d.Add(50, gradi * M_PI / 180);
            EXPECT_EQ(ZylBlockRefID(rif.back()).SetDati(d), 1);
        }
        return ZylEntityID(rif.back()).GetHandle();
    }

    // A new, empty block definition of that name.
    AcDbObjectId Blocco(const wchar_t* nome) {
        auto* blocco = new AcDbBlockTableRecord;
        blocco->setName(nome);
        AcDbBlockTable* bt = nullptr;
        EXPECT_EQ(m_db->getBlockTable(bt, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(bt->add(id, blocco), Acad::eOk);
        blocco->close();
        bt->close();
        return id;
    }

    // The block references of a block (model space, or a layout's block).
    std::vector<AcDbObjectId> Riferimenti(AcDbObjectId blocco) const {
        std::vector<AcDbObjectId> out;
        auto* b = vplat::Peek<AcDbBlockTableRecord>(blocco);
        if (!b) return out;
        for (const auto& stub : m_db->store().Stubs()) {
            auto* r = AcDbBlockReference::cast(stub->object);
            if (r && !r->isErased() && r->ownerId() == blocco) out.push_back(r->objectId());
        }
        return out;
    }
    std::vector<AcDbObjectId> Riferimenti(const wchar_t* nomeBlocco) const {
        auto* bt = vplat::Peek<AcDbBlockTable>(m_db->blockTableId());
        return Riferimenti(bt->find(nomeBlocco));
    }
    // The entities of a layout's block, in order.
    template <typename T>
    std::vector<T*> DelLayout(const std::wstring& layout) const {
        std::vector<T*> out;
        auto* l = vplat::Peek<AcDbLayout>(vplat::FindLayout(m_db.get(), layout));
        if (!l) return out;
        AcDbObjectId blocco = l->getBlockTableRecordId();
        for (const auto& stub : m_db->store().Stubs()) {
            auto* e = T::cast(stub->object);
            if (e && !e->isErased() && e->ownerId() == blocco) out.push_back(e);
        }
        return out;
    }
    // The viewports of a layout on its sheet, without the layout's overall
    // one (number 1).
    std::vector<AcDbViewport*> Viste(const std::wstring& layout) const {
        std::vector<AcDbViewport*> out;
        for (AcDbViewport* v : DelLayout<AcDbViewport>(layout))
            if (v->number() != 1) out.push_back(v);
        return out;
    }
    // The attribute texts of a reference by tag.
    static std::vector<std::pair<std::wstring, std::wstring>> Attributi(const AcDbBlockReference* r) {
        std::vector<std::pair<std::wstring, std::wstring>> out;
        std::vector<AcDbObject*> figli;
        r->subObjects(figli);
        for (AcDbObject* o : figli)
            if (auto* a = AcDbAttribute::cast(o)) out.emplace_back(a->tagConst(), a->textStringConst());
        return out;
    }
    // The paper-space layouts, in tab order.
    std::vector<std::wstring> Layouts() const {
        std::vector<std::wstring> out;
        for (AcDbObjectId id : m_db->store().layouts) {
            auto* l = vplat::Peek<AcDbLayout>(id);
            if (l && !l->modelType()) out.push_back(l->name());
        }
        return out;
    }

    // Writes a drawing built by `riempi` into the test's folder; its path.
    template <typename F>
    std::string Disegno(const std::string& nome, F riempi) {
        AcDbDatabase db;
        riempi(db);
        std::string percorso = (m_cartella / nome).string();
        EXPECT_EQ(db.dxfOut(vplat::Utf8ToWide(percorso).c_str()), Acad::eOk);
        return percorso;
    }
    std::string File(const std::string& nome, const std::string& testo) {
        std::string percorso = (m_cartella / nome).string();
        std::ofstream(percorso) << testo;
        return percorso;
    }

    std::unique_ptr<AcDbDatabase> m_db;
    std::filesystem::path m_cartella;
};

// An attribute definition of a title block.
inline AcDbAttributeDefinition* Definizione(const wchar_t* tag, const wchar_t* prompt, const wchar_t* testo,
                                            bool costante = false) {
    auto* a = new AcDbAttributeDefinition(AcGePoint3d(10, 10, 0), testo, tag, prompt);
    a->setHeight(3);
    if (costante) vplat::SetTag(a->data(), vplat::DxfTag::Int(70, 2));
    return a;
}

inline bool Vicini(const AcGePoint3d& a, const AcGePoint3d& b, double tol = 1e-9) {
    return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol;
}

// A profile drawing: h, p (1000, 60), q (0, 500), V "10" and C as given.
inline ICPROFILO::Disegno DisegnoProfilo(double h = 0, const wchar_t* C = L"1") {
    ICPROFILO::Disegno d;
    d.h = h;
    d.p = AcGePoint3d(1000, 60, 0);
    d.q = AcGePoint3d(0, 500, 0);
    d.V = L"10";
    d.C = C;
    return d;
}
