// Exporting models that were computed and drawn: every alignment gets its
// cross slopes, its profile and its sheet, again at every export.
#include <cmath>

#include "ExportFixture.h"
#include "QvEngineeringConstructor.h"

using namespace esportazione;

namespace {

class FineAFineTest : public ExportTest {
protected:
    int Calcola(const rotatorie::Rotatoria& pianta) {
        int letto = Leggi(pianta);
        if (letto != 1) return letto;
        m_rotatoria->inizializzaCalcolo();
        return m_rotatoria->disegna3D(nullptr);
    }
};

TEST_F(FineAFineTest, EveryAlignmentGetsItsRecordsItsProfileAndItsSheetAtEveryExport) {
    struct Caso {
        rotatorie::Rotatoria pianta;
        std::vector<std::wstring> nomi;
    };
    const Caso casi[] = {
        {rotatorie::TreRamiPiatti(), {L"Rotatoria Sud", L"SP 3_SP 1", L"SP 1_SP 2", L"SP 2_SP 3"}},
        {Pianta(L"Uno", {{L"A", 30}}), {L"Uno", L"A_A"}},
        {Pianta(L"Incrocio", {{L"A", 0}, {L"B", 20}}), {L"Incrocio", L"B_A", L"A_", L"_B"}},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.pianta.nome);
        SetUp();
        Calcola(caso.pianta);
        const size_t rami = caso.pianta.rami.size();
        std::vector<std::wstring> interni;
        for (int volta = 0; volta < 2; ++volta) {
            ASSERT_EQ(Esporta(-100.0, 50.0), 1);
            std::vector<Tracciato> t = Tracciati();
            ASSERT_EQ(t.size(), rami + caso.nomi.size());
            std::vector<std::wstring> nomi, questi;
            for (size_t i = rami; i < t.size(); ++i) {
                nomi.push_back(t[i].nome);
                questi.push_back(t[i].nomeInterno);
                EXPECT_FALSE(t[i].pendenze.empty()) << t[i].nome;
                // Records in chainage order along the alignment.
                double prima = -1e-6;
                for (const auto& r : t[i].pendenze) {
                    EXPECT_TRUE(std::isfinite(r[1]) && r[2] == -r[1]) << t[i].nome;
                    EXPECT_GE(r[0], prima) << t[i].nome;
                    prima = r[0];
                }
                // (The inner ring's closing record stands at its edge's length,
                // 0.001 radians beyond its alignment's end.)
                EXPECT_LE(prima, t[i].lunghezza + 0.02) << t[i].nome;
            }
            EXPECT_EQ(nomi, caso.nomi);
            if (volta) {
                EXPECT_EQ(questi, interni);
            }
            interni = questi;
            // One sheet and one profile per alignment, stacked from the
            // insertion point.
            std::vector<Etichettato> fogli = Etichettati(ZYL_RIFERIMENTO_BLOCCO);
            EXPECT_EQ(fogli.size(), caso.nomi.size());
            EXPECT_EQ(Etichettati(ZYL_POLILINEA_2D).size(), caso.nomi.size());
            double y = 50.0;
            for (const Etichettato& f : fogli) {
                EXPECT_NEAR(f.Base().x, -100.0, 1e-9);
                EXPECT_NEAR(f.Base().y, y, 1e-9);
                y = f.Base().y + (f.massimo.y - f.minimo.y) + 10.0;
                EXPECT_EQ(f.pianta, caso.pianta.nomePianta);
            }
        }
        TearDown();
    }
}

// The first record of an outer branch edge pairs its first point with the
// outer ring's point at the branch mouth: on a flat ring it shows the
// ring's own fall, not the drop to the inner ring.
TEST_F(FineAFineTest, TheStartRecordOfAnOuterBranchEdgeFacesTheOuterRing) {
    ASSERT_EQ(Leggi(rotatorie::TreRamiPiatti()), 1);
    m_rotatoria->inizializzaCalcolo();
    // By profile, so that the records come from the drawn stations.
    for (CCiglio3D* c : Cigli(*m_rotatoria))
        if (c->getCodiceEnum() == 3000 || c->getCodiceEnum() == 6000) c->setTipoCalcolo(8);
    m_rotatoria->disegna3D(nullptr);
    CCiglio3D* anello = m_rotatoria->getAnelloEsterno();
    const CADDatoArray& riga = *anello->getPunti3DCiglio();
    ASSERT_GT(riga.GetCount(), 0);
    int verificati = 0;
    for (CCiglio3D* e : Cigli(*m_rotatoria)) {
        const int codice = e->getCodiceEnum();
        if (codice != 3000 && codice != 6000) continue;
        CPuntoSezione* p = nullptr;
        for (IQvObject* o : Membri(e->getPunti(10)))
            if (!p && o->GetTipo() == 29010) p = static_cast<CPuntoSezione*>(o);
        ASSERT_TRUE(p);
        CPuntoSezione* l = p->getPrecedente() ? p->getPrecedente() : p->getSuccessivo();
        ASSERT_TRUE(l && l->getProprietario() == anello);
        // By hand: the outer ring's station, wrapped around its row.
        const int n = riga.GetCount();
        const int indice = codice == 6000 ? p->getIndice() + l->getIndice() : l->getIndice() - p->getIndice();
        double o[3], e0[3];
        riga[((indice - 1) % n + n) % n].GetPunto(o);
        (*e->getPunti3DCiglio())[0].GetPunto(e0);
        const double d = std::hypot(o[0] - e0[0], o[1] - e0[1]);
        IQvObject_Group* g = static_cast<IQvObject_Group*>(QvEngineeringConstructor::Alloca(1700, nullptr));
        g->Setup(nullptr, 0, 22150, 0);
        double prog = 0.0;
        m_rotatoria->aggiungiPendenzeTrasversali(e, nullptr, nullptr, g, &prog);
        const double inizio = codice == 6000 ? e->getLunghezza() : 0.0;
        int trovati = 0;
        for (IQvObject* r : Membri(g)) {
            if (std::fabs(r->GetDato(22150).GetDouble() - inizio) > 1e-9) continue;
            ++trovati;
            EXPECT_NEAR(r->GetDato(22004).GetDouble(), (o[2] - e0[2]) / d * 100.0, 1e-9) << codice;
        }
        if (d > 1e-9) {
            EXPECT_GE(trovati, 1) << codice;
            ++verificati;
        }
        IQvObject* og = g;
        QvEngineeringConstructor::Libera(&og, 1);
    }
    EXPECT_GE(verificati, 4);
}

}  // namespace
