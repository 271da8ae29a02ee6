// Branches drawn into the model's block, the block reference across
// readings, and the model's layers.
#include <cstdio>
#include <fstream>

#include "DrawingFixture.h"
#include "ICQvLorvent.h"

namespace disegno3d {
namespace {

class BranchDrawing : public DrawingTest {
protected:
    // The sample of three branches read from its plan; the sections that the
    // reading made are dropped so that a test can place its own.
    void TreRamiLetti() {
        ASSERT_EQ(Leggi(TreRami()), 1);
        ASSERT_TRUE(m_interno && m_esterno);
    }
    static CPuntoSezione* Sezione(CCiglio3D* c, double prog) {
        Zyl_GePoint3d p;
        EXPECT_EQ(c->getPuntoDaProg(prog, p), 1);
        double xy[2] = {p.x, p.y};
        double f = prog / c->getLunghezza();
        return c->creaPuntoSezione(f, f, 1, xy);
    }
    static void Collega(CPuntoSezione* prima, CPuntoSezione* dopo) {
        prima->setSuccessivo(dopo);
        dopo->setPrecedente(prima);
    }
    static void ConQuota(CCiglio3D* c, double z) {
        if (c->getProfiloAltimetrico()) c->setTipoCalcolo(8);
        else ProfiloPiatto(c, z, 0.0, c->getLunghezza());
    }
};

// An outer right branch edge starts along the outer ring: its first stretch
// takes the ring's points between two cross-sections. With the ring's row
// empty nothing is read from it: the stretch is the edge's start alone.
TEST_F(BranchDrawing, StretchAlongTheOuterRingWithAndWithoutItsPoints) {
    for (bool anelloConQuote : {true, false}) {
        SCOPED_TRACE(anelloConQuote ? "ring with elevations" : "ring without elevations");
        m_rotatoria.reset();
        m_rotatoria = Nuovo<CRotatoria3D>(TIPO_ROTATORIA3D);
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        TreRamiLetti();
        for (CCiglio3D* c : Cigli(*m_rotatoria)) c->svuotaPuntiSezione();
        CAsseRamo* asse = Assi(*m_rotatoria).at(0);
        CCiglio3D* e = m_rotatoria->trovaCiglio(CIGLIO_ESTERNO_DESTRO, asse);
        CCiglio3D* o = m_rotatoria->trovaCiglio(CIGLIO_INTERNO_DESTRO, asse);
        ASSERT_TRUE(e && o);
        ConQuota(e, 52.0);
        ConQuota(o, 52.0);
        for (CCiglio3D* anello : {m_esterno, m_interno}) {
            anello->SetDato(CDato(3, anelloConQuote ? 5 : 0));
            if (anelloConQuote) anello->calcolaPiano();
        }

        // Two ring cross-sections ending on E: at E's start and 3 before it
        // along the ring; then one across the branch, E to O, 10 along E.
        Zyl_GePoint3d inizio;
        ASSERT_EQ(e->getPuntoDaProg(0.0, inizio), 1);
        double progAnello = 0.0;
        double c[3];
        m_rotatoria->getCentro(c);
        ASSERT_EQ(m_esterno->getProgDaPunto(progAnello, Zyl_GePoint3d(inizio.x + c[0], inizio.y + c[1], 0)), 1);
        for (double prog : {progAnello - 3.0, progAnello}) {
            CPuntoSezione* i = Sezione(m_interno, prog * m_interno->getLunghezza() / m_esterno->getLunghezza());
            CPuntoSezione* x = Sezione(m_esterno, prog);
            Collega(i, x);
            Collega(x, Sezione(e, prog == progAnello ? 0.0 : 3.0));
        }
        Collega(Sezione(o, 10.0), Sezione(e, 10.0));

        m_rotatoria->disegna3D(nullptr);
        auto riga = Riga(e);
        ASSERT_FALSE(riga.empty());
        EXPECT_NEAR(riga[0][0], inizio.x, 1e-9);
        EXPECT_NEAR(riga[0][1], inizio.y, 1e-9);
        // Before the cross-section at 3 along E: E's start, then the ring's
        // points between the two ring sections when the ring has them.
        double centro[3];
        m_rotatoria->getCentro(centro);
        size_t primaDelTre = 0;
        for (const auto& p : riga) {
            double prog = 0.0;
            e->getProgDaPunto(prog, Zyl_GePoint3d(p[0] + centro[0], p[1] + centro[1], 0));
            if (prog < 3.0 - 1e-6) ++primaDelTre;
        }
        if (anelloConQuote) EXPECT_GT(primaDelTre, 1u);
        else EXPECT_EQ(primaDelTre, 1u);
        EXPECT_FALSE(Riga(o).empty());
        // Without the ring's elevations only the section across the branch
        // is drawn (line and barb); none from a ring point.
        if (anelloConQuote) {
            EXPECT_GT(Entita(L"LINE").size(), 2u);
        } else {
            EXPECT_EQ(Entita(L"LINE").size(), 2u);
        }
    }
}

// Reading the plan again and drawing again keeps one reference, on the block
// that holds the model.
TEST_F(BranchDrawing, ReadDrawReadDrawKeepsOneReferenceOnTheModelBlock) {
    TreRamiLetti();
    EXPECT_EQ(Riferimenti().size(), 0u);
    m_rotatoria->disegna3D(nullptr);
    ZylEntityID cerchio(m_ids.at(0));
    ASSERT_EQ(m_rotatoria->disegna(cerchio), 1);
    m_rotatoria->disegna3D(nullptr);
    std::vector<ZylBlockRefID> rif = Riferimenti();
    ASSERT_EQ(rif.size(), 1u);
    EXPECT_EQ(rif[0].GetBlocco().GetObjectId(), m_rotatoria->getBlocco().GetObjectId());
    // The referenced block holds every edge's plan polyline and the axes'.
    EXPECT_EQ(EntitaIn(rif[0].GetBlocco(), L"POLYLINE").size() - Entita(L"POLYLINE").size(), 0u);
    size_t piane = 0;
    for (const Ent& p : EntitaIn(rif[0].GetBlocco(), L"POLYLINE")) piane += p.layer == L"Rotatoria Sud-QVRO3D-PLAN";
    EXPECT_EQ(piane, 17u);
    // Every edge's data begin with the application and the flag 1.
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        CADDatoArray dati;
        ASSERT_TRUE(c->getEntita().GetDatiEstesi(dati));
        ASSERT_GE(dati.GetCount(), 2);
        EXPECT_EQ(std::wstring(dati[0].GetStringa()), L"QV-VORTANA-INTERS-ROT_3D");
        EXPECT_EQ(dati[1].GetCodice(), 1071);
        EXPECT_EQ(dati[1].GetInt(), 1);
    }
}

// The model's layers: created with their properties, left alone when they
// exist, named with the project's suffixes.
TEST_F(BranchDrawing, LayersFromTheProjectSettings) {
    std::string file = ::testing::TempDir() + "progetto-layer-" + std::to_string(::getpid()) + ".ini";
    std::ofstream(file) << "[SUFFISSILAYERTOP]\r\nQVRO3D-3DFACE=SUP\r\n";
    struct Caso {
        bool progetto, esistente;
        const wchar_t* superfici;
        int coloreSuperfici;
    } const casi[] = {{false, false, L"ROT1-QVRO3D-3DFACE", 251},
                      {false, true, L"ROT1-QVRO3D-3DFACE", 5},
                      {true, false, L"ROT1-SUP", 251}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.superfici);
        m_rotatoria.reset();
        m_rotatoria = Nuovo<CRotatoria3D>(TIPO_ROTATORIA3D);
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        vplat::SetProjectFile(c.progetto ? file : "");
        if (c.esistente) {
            CADDatoArray colore;
            colore.Add(62, 5);
            ZylTableRecordID r;
            ASSERT_EQ(Ombrix::GetTableUtils()->CreaRecord(ZYL_TABELLA_LAYER, L"ROT1-QVRO3D-3DFACE", colore, r), 1);
        }
        AnelloSolo();
        vplat::SetProjectFile("");
        struct Strato {
            const CString& nome;
            const wchar_t* atteso;
            int colore;
            bool bloccato;
        } const strati[] = {{m_rotatoria->getLayerSuperfici(), c.superfici, c.coloreSuperfici, false},
                            {m_rotatoria->getLayerPianta(), L"ROT1-QVRO3D-PLAN", 2, true},
                            {m_rotatoria->getLayerCigli3D(), L"ROT1-QVRO3D-CIGLI3D", 7, false},
                            {m_rotatoria->getLayerSezioni(), L"ROT1-QVRO3D-SEZ", 7, false},
                            {m_rotatoria->getLayerTesti(), L"ROT1-QVRO3D-TESTO", 7, false}};
        AcDbLayerTable* t = nullptr;
        m_db->getLayerTable(t, AcDb::kForRead);
        for (const Strato& s : strati) {
            EXPECT_EQ(std::wstring(s.nome.GetString()), s.atteso);
            AcDbLayerTableRecord* l = nullptr;
            ASSERT_EQ(t->getAt(s.atteso, l, AcDb::kForRead), Acad::eOk) << s.atteso;
            EXPECT_EQ(l->color().colorIndex(), s.colore) << s.atteso;
            EXPECT_EQ(l->isLocked(), s.bloccato) << s.atteso;
            l->close();
        }
        t->close();
    }
    std::remove(file.c_str());
}

}  // namespace
}  // namespace disegno3d
