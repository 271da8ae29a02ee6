// The first computation of a read model, the recompute after an edit and its
// propagation, and the cross-sections they build.
#include <cmath>

#include "Elevazioni.h"
#include "Sorveglianza.h"

using namespace modello;

namespace {

const double kPi = std::acos(-1.0);

class CalcoloTest : public ModelTest {
protected:
    // The sample of three branches, read and computed as the reading does.
    void Campione() {
        Sorveglianza sorveglianza("the first computation of the sample");
        ASSERT_EQ(Costruisci(TreRami(), {true}), 1);
        ASSERT_EQ(m_rotatoria->inizializzaCalcolo(), 1);
    }
    static std::vector<CPuntoRotazione*> Rotazioni(CCiglio3D* c) { return elevazioni::Punti<CPuntoRotazione>(c, 7); }
    static std::vector<CPuntoSezione*> Sezioni(CCiglio3D* c) { return elevazioni::Punti<CPuntoSezione>(c, 10); }
    static double Z(CCiglio3D* c, double prog) { return elevazioni::Quota(c, prog); }
    // Every edge answers a plausible elevation all along.
    void OgniProgressivaHaUnaQuota(double minimo, double massimo) {
        for (CCiglio3D* c : Cigli(*m_rotatoria)) {
            const double l = c->getLunghezza();
            for (int i = 0; i <= 200; ++i) {
                double z = Z(c, l * i / 200.0);
                EXPECT_TRUE(z >= minimo && z <= massimo) << c->getDescrizione().GetString() << " " << i << " " << z;
            }
        }
    }
    // Section points of one edge in group order: chainages rising, none at one place.
    static void InOrdineESeparati(CCiglio3D* c) {
        std::vector<CPuntoSezione*> s = Sezioni(c);
        for (size_t i = 1; i < s.size(); ++i) {
            EXPECT_LE(s[i - 1]->getProgressiva(), s[i]->getProgressiva()) << c->getDescrizione().GetString();
            EXPECT_GT(std::hypot(s[i]->x() - s[i - 1]->x(), s[i]->y() - s[i - 1]->y()), 1e-6)
                << c->getDescrizione().GetString() << " " << i;
        }
    }
};

TEST_F(CalcoloTest, TheReadSampleHasDefaultMethodsAndAnElevationEverywhere) {
    Campione();
    struct Atteso {
        int metodo, riferimento;
    };
    auto atteso = [](int codice) -> Atteso {
        switch (codice) {
            case 1000: return {7, 2000};
            case 2000: return {5, 0};
            case 3000: return {7, 4000};
            case 6000: return {7, 5000};
            default: return {8, 0};  // island edges: no stored reference code
        }
    };
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        Atteso a = atteso(c->getCodiceEnum());
        EXPECT_EQ(c->getTipoCalcolo(), a.metodo) << c->getDescrizione().GetString();
        EXPECT_EQ(c->getCiglioRif() ? c->getCiglioRif()->getCodiceEnum() : 0, a.riferimento);
        if (c->getCiglioRif()) {
            EXPECT_EQ(static_cast<CCiglio3D*>(c->getCiglioRif())->getAsseRamo(), c->getAsseRamo());
        }
        InOrdineESeparati(c);
    }
    OgniProgressivaHaUnaQuota(49.0, 55.0);

    // The outer ring's plane at the mean of the axes; the inner ring 10 m inside at -0.015.
    CCiglio3D* esterno = Ciglio(2000, nullptr);
    CCiglio3D* interno = Ciglio(1000, nullptr);
    double media = 0.0;
    for (CAsseRamo* a : Assi(*m_rotatoria)) media += a->getQuotaCentriRotazione() / 3.0;
    EXPECT_NEAR(Z(esterno, 40.0), media, 1e-9);
    EXPECT_NEAR(Z(interno, 40.0), media - 10.0 * 0.015, 1e-9);
    for (CCiglio3D* c : Cigli(*m_rotatoria)) {
        if (c->getCodiceEnum() != 3000 && c->getCodiceEnum() != 6000) continue;
        // An outer branch edge leaves the ring with the ring's cross slope and ends at its end node.
        std::vector<CPuntoRotazione*> r = Rotazioni(c);
        ASSERT_GE(r.size(), 2u);
        EXPECT_NEAR(r.front()->getPendenza(), 0.015, 1e-9) << c->getDescrizione().GetString();
        EXPECT_TRUE(r.front()->isGrigio() && r.front()->isPendenzaGrigia());
        EXPECT_NEAR(r.back()->getProgressiva(), c->getLunghezza(), 1e-9);
        EXPECT_NEAR(Z(c, 0.0), media, 1e-9) << c->getDescrizione().GetString();
        EXPECT_NEAR(Z(c, c->getLunghezza()), Nodi(c).back()->getQuota(), 1e-9);
    }
}

TEST_F(CalcoloTest, IslandEdgesTakeTheReferenceTheirStoredCodeNames) {
    ASSERT_EQ(Costruisci(TreRami(), {true}), 1);
    struct Caso {
        int codice;
        const wchar_t* codiceRif;
        int metodo;
        int riferimento;  // 0: none
    };
    // Hung from the outer edge of its side (method 7), the island edge would
    // close a loop with it (the outer edge hangs from the island edge): that
    // reference is refused, and the code string stays.
    const Caso casi[] = {
        {4000, L"rCIIn", 8, 5000}, {4000, L"rCEOut", 8, 3000}, {4000, L"rCEOut", 7, 0}, {5000, L"rCIOut", 0, 4000},
        {5000, L"rCEIn", 8, 6000}, {4000, L"aCExt", 8, 0},
    };
    for (const Caso& c : casi) {
        for (CCiglio3D* e : Cigli(*m_rotatoria)) {
            e->SetDato(CDato(3, 0));
            e->dimenticaCiglioRif();
        }
        CCiglio3D* isola = Ciglio(c.codice, L"SP 2");
        isola->SetDato(CDato(18, CString(c.codiceRif)));
        isola->SetDato(CDato(3, c.metodo));
        ASSERT_EQ(m_rotatoria->inizializzaCalcolo(), 1);
        EXPECT_EQ(isola->getTipoCalcolo(), c.metodo ? c.metodo : 8) << c.codiceRif;
        EXPECT_EQ(isola->getCiglioRif(), c.riferimento ? Ciglio(c.riferimento, L"SP 2") : nullptr) << c.codiceRif;
        EXPECT_EQ(isola->getCodiceRif(), c.riferimento ? Ciglio(c.riferimento, L"SP 2")->getCodice() : CString(c.codiceRif));
    }
}

TEST_F(CalcoloTest, SectionsAcrossTheRingAndTheBranches) {
    Campione();
    CCiglio3D* esterno = Ciglio(2000, nullptr);
    CCiglio3D* interno = Ciglio(1000, nullptr);
    // Across the ring where SP 1's inner right edge leaves it: inner ring, outer ring, outer right edge.
    CCiglio3D* destro = Ciglio(5000, L"SP 1");
    CPuntoNodo* n = Nodi(destro).front();
    IQvObject_GroupMember* m = esterno->trovaPuntoRiferimento(10, 1, n->getValoreRif());
    ASSERT_NE(m, nullptr);
    auto* s = static_cast<CPuntoSezione*>(m->GetObject());
    ASSERT_NE(s->getPrecedente(), nullptr);
    ASSERT_NE(s->getSuccessivo(), nullptr);
    EXPECT_EQ(s->getPrecedente()->getProprietario(), interno);
    EXPECT_EQ(s->getPrecedente()->getPrecedente(), nullptr);
    EXPECT_EQ(s->getSuccessivo()->getProprietario(), Ciglio(6000, L"SP 1"));
    EXPECT_EQ(s->getSuccessivo()->getSuccessivo(), nullptr);
    EXPECT_NEAR(std::hypot(s->x() - n->x(), s->y() - n->y()), 0.0, 1e-9);

    // The branch end: 3000 - 4000 - 5000 - 6000 at reference 1.
    std::vector<CCiglio3D*> lati;
    for (int codice : {3000, 4000, 5000, 6000}) lati.push_back(Ciglio(codice, L"SP 2"));
    CPuntoSezione* fine = Sezioni(lati[0]).back();
    for (size_t i = 0; i < lati.size(); ++i) {
        ASSERT_NE(fine, nullptr);
        EXPECT_EQ(fine->getProprietario(), lati[i]);
        EXPECT_EQ(fine->getValoreRif(), 1.0);
        EXPECT_EQ(fine->getTipoRif(), 2);
        fine = fine->getSuccessivo();
    }
    EXPECT_EQ(fine, nullptr);

    // Between sections: on the inner ring at most the spacing apart along the outer ring.
    std::vector<CPuntoSezione*> anello = Sezioni(interno);
    ASSERT_GE(anello.size(), 3u);
    const double l = esterno->getLunghezza();
    for (size_t i = 0; i < anello.size(); ++i) {
        double a = anello[i]->getValoreRif(), b = anello[(i + 1) % anello.size()]->getValoreRif();
        double passo = b >= a ? (b - a) * l : (1.0 - a + b) * l;
        EXPECT_LE(passo, 5.0 + 1e-9) << i;
        EXPECT_EQ(anello[i]->getTipoRif(), 1);
        ASSERT_NE(anello[i]->getSuccessivo(), nullptr);
        EXPECT_EQ(anello[i]->getSuccessivo()->getProprietario(), esterno);
    }
}

TEST_F(CalcoloTest, SectionsBetweenTwoSectionPoints) {
    // An outer ring 100 long and the inner ring inside it.
    CCiglio3D* esterno = CreaAnello(*m_rotatoria, L"aCExt", 100.0 / (2 * kPi));
    CCiglio3D* interno = CreaAnello(*m_rotatoria, L"aCInt", 10.0);
    for (CCiglio3D* c : {esterno, interno}) c->creaGruppiPunti();
    struct Caso {
        double da, a;  // reference values, -1 for none
        int esito;
        std::vector<double> nuovi;
    };
    const Caso casi[] = {
        {0.10, 0.22, 1, {0.14, 0.18}},
        {0.90, 0.02, 1, {0.94, 0.98}},  // around the ring
        {-1, 0.12, 1, {0.04, 0.08}},    // from the ring's start
        {0.10, 0.14, 1, {}},            // closer than the spacing
        {-1, -1, 0, {}},
    };
    for (const Caso& c : casi) {
        for (CCiglio3D* e : {esterno, interno}) e->svuotaPuntiSezione();
        for (double v : {c.da, c.a}) {
            if (v >= 0) {
                ASSERT_EQ(m_rotatoria->creaSezione(v, nullptr, nullptr, interno, esterno, nullptr), 1);
            }
        }
        std::vector<CPuntoSezione*> prima = Sezioni(interno);
        auto trova = [&prima](double v) -> CPuntoSezione* {
            for (CPuntoSezione* s : prima)
                if (std::fabs(s->getValoreRif() - v) < 1e-12) return s;
            return nullptr;
        };
        CPuntoSezione* p1 = trova(c.da);
        CPuntoSezione* p2 = trova(c.a);
        EXPECT_EQ(m_rotatoria->creaSezioniTra(p1, p2), c.esito) << c.da << " " << c.a;
        std::vector<double> nuovi;
        for (CPuntoSezione* s : Sezioni(interno)) {
            if (std::find(prima.begin(), prima.end(), s) != prima.end()) continue;
            nuovi.push_back(s->getValoreRif());
            ASSERT_NE(s->getSuccessivo(), nullptr);
            EXPECT_EQ(s->getSuccessivo()->getProprietario(), esterno);
            EXPECT_NEAR(s->getSuccessivo()->getValoreRif(), s->getValoreRif(), 1e-12);
        }
        std::sort(nuovi.begin(), nuovi.end());
        ASSERT_EQ(nuovi.size(), c.nuovi.size()) << c.da << " " << c.a;
        for (size_t i = 0; i < nuovi.size(); ++i) EXPECT_NEAR(nuovi[i], c.nuovi[i], 1e-12);
    }
    // A base point off the base line makes no section.
    EXPECT_EQ(m_rotatoria->creaSezione(1.5, nullptr, nullptr, interno, esterno, nullptr), 0);
}

}  // namespace
