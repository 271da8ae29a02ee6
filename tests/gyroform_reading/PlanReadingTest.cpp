// Reading a plan roundabout: the model it gives, equal to the model builder's,
// the block it writes, and the re-reading that keeps and drops.
#include <cmath>

#include "ReadingFixture.h"

using namespace lettura;

namespace {

TEST_F(ReadingTest, TheThreeBranchSample) {
    std::vector<AcDbObjectId> ids = Disegna(TreRami());
    ASSERT_EQ(Leggi(*m_rotatoria, ids[0]), 1);  // the inner circle
    CRotatoria3D& r = *m_rotatoria;
    EXPECT_TRUE(Messaggi().empty());
    EXPECT_EQ(Codici(r), CodiciTreRami());
    std::vector<CAsseRamo*> assi = Assi(r);
    ASSERT_EQ(assi.size(), 3u);
    EXPECT_EQ(assi[0]->getNome(), L"SP 1");
    EXPECT_EQ(assi[1]->getNome(), L"SP 2");
    EXPECT_EQ(assi[2]->getNome(), L"SP 3");
    EXPECT_EQ(r.getNome(), L"Rotatoria Sud");
    EXPECT_EQ(r.GetDato(2).GetString(), L"PR-TRE");
    Zyl_GePoint3d p;
    ASSERT_EQ(Ciglio(2000, nullptr)->getPuntoDaProg(0.0, p), 1);
    EXPECT_NEAR(p.x, 21.403643, 1e-6);
    EXPECT_NEAR(p.y, 12.918362, 1e-6);
    ASSERT_EQ(Ciglio(1000, nullptr)->getPuntoDaProg(0.0, p), 1);
    EXPECT_NEAR(p.x, 12.842186, 1e-6);
    EXPECT_NEAR(p.y, 7.751017, 1e-6);
    // The ring restarted at the first branch edge: one vertex more, none repeated.
    datipoli* anello = Ciglio(2000, nullptr)->getPolilinea();
    int vertici = 0;
    for (datipoli* d = anello; d; d = d->next, ++vertici)
        if (d->next) {
            EXPECT_GT(std::hypot(d->next->x - d->x, d->next->y - d->y), 1e-9);
        }
    EXPECT_EQ(vertici, 4);

    AcDbLayerTable* layer = nullptr;
    m_db->getLayerTable(layer, AcDb::kForRead);
    for (const wchar_t* s : {L"-QVRO3D-3DFACE", L"-QVRO3D-PLAN", L"-QVRO3D-CIGLI3D", L"-QVRO3D-SEZ", L"-QVRO3D-TESTO"})
        EXPECT_TRUE(layer->has((std::wstring(L"Rotatoria Sud") + s).c_str())) << s;
    layer->close();

    // The block: three axis polylines without data, fourteen edge polylines with theirs.
    std::vector<Polilinea> polilinee = Polilinee(r.getBlocco());
    ASSERT_EQ(polilinee.size(), 17u);
    int senzaDati = 0;
    for (const Polilinea& pl : polilinee) {
        CADDatoArray v, b, strato;
        strato.AddRichiesta(8);
        pl.id.GetDati(strato);
        EXPECT_STREQ(strato[0].GetStringa(), L"Rotatoria Sud-QVRO3D-PLAN");
        if (pl.dati.GetCount() == 0) {
            ++senzaDati;
            continue;
        }
        ASSERT_GE(pl.dati.GetCount(), 6);
        EXPECT_STREQ(pl.dati[0].GetStringa(), L"QV-VORTANA-INTERS-ROT_3D");
        EXPECT_EQ(pl.dati[1].GetCodice(), 1071);
        EXPECT_EQ(pl.dati[1].GetInt(), 1);
        bool codice = false;
        for (int i = 2; i + 1 < pl.dati.GetCount(); ++i)
            codice = codice || (pl.dati[i].GetCodice() == 1071 && pl.dati[i].GetInt() == 1 &&
                                pl.dati[i + 1].GetCodice() == 1000);
        EXPECT_TRUE(codice);
    }
    EXPECT_EQ(senzaDati, 3);
    CADDatoArray v, b;
    ASSERT_EQ(assi[0]->getEntita().GetVertici(v, b), 1);
    double a[3], z[3];
    v[0].GetPunto(a);
    v[v.GetCount() - 1].GetPunto(z);
    EXPECT_NEAR(a[0], 17.677670, 1e-6);
    EXPECT_NEAR(a[1], 17.677670, 1e-6);
    EXPECT_NEAR(z[0], 43.204224, 1e-6);
    EXPECT_NEAR(z[1], 43.204224, 1e-6);
}

// The model read equals the builder's, property by property and point by point.
TEST_F(ReadingTest, TheReadingGivesTheBuildersModel) {
    rotatorie::Rotatoria pianta = TreRami();
    std::vector<AcDbObjectId> ids = Disegna(pianta);
    auto costruito = Nuovo<CRotatoria3D>(29000);
    ASSERT_EQ(rotatorie::CostruisciModello(*costruito, pianta, {true}), 1);
    // The reading ends with the first computation of the elevations.
    ASSERT_EQ(costruito->inizializzaCalcolo(), 1);
    // Picked on a branch polyline: the same model.
    ASSERT_EQ(Leggi(*m_rotatoria, ids[2]), 1);
    std::vector<CCiglio3D*> a = Cigli(*m_rotatoria), b = Cigli(*costruito);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        for (int id : {1, 2, 3, 14, 15, 19, 20, 21})
            EXPECT_EQ(a[i]->GetDato(id).GetString(), b[i]->GetDato(id).GetString()) << i << "/" << id;
        EXPECT_NEAR(a[i]->getLunghezza(), b[i]->getLunghezza(), 1e-9) << i;
        std::vector<CPuntoNodo*> na = Nodi(a[i]), nb = Nodi(b[i]);
        ASSERT_EQ(na.size(), nb.size()) << i;
        for (size_t k = 0; k < na.size(); ++k) {
            EXPECT_NEAR(na[k]->x(), nb[k]->x(), 1e-9);
            EXPECT_NEAR(na[k]->y(), nb[k]->y(), 1e-9);
            EXPECT_NEAR(na[k]->getValoreRif(), nb[k]->getValoreRif(), 1e-9);
            EXPECT_NEAR(na[k]->getQuota(), nb[k]->getQuota(), 1e-9);
            EXPECT_NEAR(na[k]->getPendenza(), nb[k]->getPendenza(), 1e-9);
            EXPECT_EQ(na[k]->getCollegato() != nullptr, nb[k]->getCollegato() != nullptr);
        }
    }
    EXPECT_NEAR(Nodi(Ciglio(6000, L"SP 1")).back()->getQuota(), 51.07, 1e-9);
    EXPECT_NEAR(Nodi(Ciglio(6000, L"SP 2")).back()->getQuota(), 53.95, 1e-9);
    EXPECT_NEAR(Nodi(Ciglio(3000, L"SP 2")).back()->getQuota(), 54.01, 1e-9);
}

TEST_F(ReadingTest, TwoRoundaboutsInOneDrawingEachReadsItsOwn) {
    std::vector<rotatorie::Rotatoria> due = rotatorie::Campioni()[1].rotatorie;
    ASSERT_EQ(due.size(), 2u);
    ASSERT_TRUE(due[1].graffe);
    std::vector<AcDbObjectId> primi = Disegna(due[0]);
    std::vector<AcDbObjectId> secondi = Disegna(due[1]);
    auto altra = Nuovo<CRotatoria3D>(29000);
    ASSERT_EQ(Leggi(*m_rotatoria, primi[0]), 1);
    ASSERT_EQ(Leggi(*altra, secondi[0]), 1);
    EXPECT_EQ(m_rotatoria->getNome(), due[0].nome.c_str());
    EXPECT_EQ(altra->getNome(), due[1].nome.c_str());
    EXPECT_EQ(Cigli(*m_rotatoria).size(), 2 + 4 * due[0].rami.size());
    EXPECT_EQ(Cigli(*altra).size(), 2 + 4 * due[1].rami.size());
    for (CAsseRamo* a : Assi(*altra)) {
        bool suo = false;
        for (const rotatorie::Ramo& r : due[1].rami) suo = suo || a->getNome() == r.nome.c_str();
        EXPECT_TRUE(suo) << a->getNome().GetString();
    }
    double c[3];
    altra->getCentro(c);
    EXPECT_EQ(c[0], due[1].centro.x);
    EXPECT_TRUE(Messaggi().empty());
}

TEST_F(ReadingTest, ReadingAgainKeepsWhatItFindsAndDropsTheRest) {
    rotatorie::Rotatoria pianta = TreRami();
    std::vector<AcDbObjectId> ids = Disegna(pianta);
    ASSERT_EQ(Leggi(*m_rotatoria, ids[0]), 1);
    size_t blocchi = Blocchi();
    CCiglio3D* esterno = Ciglio(2000, nullptr);
    CAsseRamo* sp1 = Assi(*m_rotatoria)[0];
    // Twice on one roundabout: its block is reused, with one set of polylines.
    ASSERT_EQ(Leggi(*m_rotatoria, ids[0]), 1);
    EXPECT_EQ(Blocchi(), blocchi);
    EXPECT_EQ(Polilinee(m_rotatoria->getBlocco()).size(), 17u);
    EXPECT_EQ(Ciglio(2000, nullptr), esterno);
    EXPECT_EQ(Assi(*m_rotatoria)[0], sp1);

    // SP 3's four plan edges erased: its edges and axis leave the model and the block.
    std::vector<rotatorie::Entita> entita = rotatorie::EntitaDi(pianta);
    for (size_t i = 0; i < entita.size(); ++i)
        if (entita[i].ramo == 2 && entita[i].kind.rfind(L"rC", 0) == 0)
            Ombrix::GetEntityUtils()->Cancella(ZylEntityID(ids[i]));
    ASSERT_EQ(m_rotatoria->aggiorna(), 1);
    EXPECT_EQ(Cigli(*m_rotatoria).size(), 10u);
    EXPECT_EQ(Assi(*m_rotatoria).size(), 2u);
    EXPECT_EQ(Polilinee(m_rotatoria->getBlocco()).size(), 12u);
    for (CCiglio3D* c : Cigli(*m_rotatoria))
        if (c->getAsseRamo()) {
            EXPECT_NE(c->getAsseRamo()->getNome(), L"SP 3");
        }

    // Every branch erased: no roundabout without branches.
    for (size_t i = 0; i < entita.size(); ++i)
        if (entita[i].ramo >= 0 && entita[i].kind.rfind(L"rC", 0) == 0)
            Ombrix::GetEntityUtils()->Cancella(ZylEntityID(ids[i]));
    vplat::MessageBoxes::Clear();
    EXPECT_EQ(m_rotatoria->aggiorna(), 0);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    EXPECT_EQ(vplat::MessageBoxes::All()[0].text, L"La rotatoria deve avere almeno un ramo");
    EXPECT_EQ(vplat::MessageBoxes::All()[0].caption, L"Vortana");
    EXPECT_EQ(vplat::MessageBoxes::All()[0].type, MB_OK);
}

TEST_F(ReadingTest, ADroppedEdgeLeavesNothingPointingAtIt) {
    rotatorie::Rotatoria pianta = TreRami();
    std::vector<AcDbObjectId> ids = Disegna(pianta);
    ASSERT_EQ(Leggi(*m_rotatoria, ids[0]), 1);
    CCiglio3D* sp1Destro = Ciglio(6000, L"SP 1");
    CCiglio3D* esterno = Ciglio(2000, nullptr);
    // Links into SP 1's outer right edge: a section point of the outer ring
    // and a node partner on SP 2.
    const double p[2] = {0, 0};
    CPuntoSezione* suAnello = esterno->creaPuntoSezione(0.5, 0.5, 2, p);
    CPuntoSezione* suRamo = sp1Destro->creaPuntoSezione(0.5, 0.5, 2, p);
    suAnello->imposta(nullptr, suRamo, nullptr);
    Nodi(Ciglio(6000, L"SP 2"))[0]->setCollegato(Nodi(sp1Destro)[0]);
    esterno->SetDato(CDato(18, L"rCEIn"));

    // SP 1's outer right plan edge and SP 2's road edges erased: the edge is
    // dropped, then the reading stops at SP 2.
    std::vector<rotatorie::Entita> entita = rotatorie::EntitaDi(pianta);
    for (size_t i = 0; i < entita.size(); ++i) {
        bool sp1 = entita[i].ramo == 0 && entita[i].kind == L"rCEIn";
        bool strada = entita[i].ramo == 1 && (entita[i].kind == L"CDX" || entita[i].kind == L"CSX");
        if (sp1 || strada) Ombrix::GetEntityUtils()->Cancella(ZylEntityID(ids[i]));
    }
    vplat::MessageBoxes::Clear();
    EXPECT_EQ(m_rotatoria->aggiorna(), 0);
    EXPECT_EQ(Messaggi(), std::vector<std::wstring>{L"SP 2: Ciglio esterno non trovato"});
    EXPECT_EQ(Ciglio(6000, L"SP 1"), nullptr);
    EXPECT_EQ(esterno->getPunti(10)->GetMemberCount(), 0);
    for (CCiglio3D* c : Cigli(*m_rotatoria))
        for (CPuntoNodo* n : Nodi(c))
            if (n->getCollegato()) {
                EXPECT_NE(n->getCollegato()->getProprietario(), nullptr);
            }
    EXPECT_EQ(esterno->getCodiceRif(), L"rCEIn");
    // The sanitizer build reports any read of the freed edge.
}

}  // namespace
