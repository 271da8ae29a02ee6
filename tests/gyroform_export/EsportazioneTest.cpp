// Exporting a model read from a plan: the alignments, their names and their
// shape, and the edges that remember them.
#include <cmath>

#include "ExportFixture.h"
#include "HostTranscript.h"

using namespace esportazione;

namespace {

constexpr double kPi = 3.14159265358979323846;

rotatorie::Rotatoria Rami(std::vector<std::pair<const wchar_t*, double>> rami) { return Pianta(L"Prova", rami); }

// The alignments the export made: those after the plan's own.
std::vector<Tracciato> Esportati(size_t rami) {
    std::vector<Tracciato> t = ExportTest::Tracciati();
    t.erase(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(std::min(rami, t.size())));
    return t;
}

std::vector<std::wstring> Nomi(const std::vector<Tracciato>& t) {
    std::vector<std::wstring> out;
    for (const Tracciato& x : t) out.push_back(x.nome);
    return out;
}

class EsportazioneTest : public ExportTest {
protected:
    // First or last vertex of an edge, in world coordinates.
    Zyl_GePoint3d Estremo(CCiglio3D* c, bool ultimo) {
        const datipoli* v = c->getPolilinea();
        while (ultimo && v->next) v = v->next;
        double centro[3];
        m_rotatoria->getCentro(centro);
        return Zyl_GePoint3d(v->x + centro[0], v->y + centro[1], 0.0);
    }
    double Raggio(const datipoli& v) {
        double centro[3];
        m_rotatoria->getCentro(centro);
        return std::hypot(v.x - centro[0], v.y - centro[1]);
    }
    static std::wstring Dato22(CCiglio3D* c) { return W(c->GetDato(22).GetString()); }
    // A gap alignment runs from the far end of one branch's outer right
    // edge to the far end of the other's outer left edge, without a segment
    // of zero length, through points of the outer ring.
    void VerificaVarco(const Tracciato& t, CCiglio3D* destro, CCiglio3D* sinistro) {
        ASSERT_GE(t.vertici.size(), 4u) << t.nome;
        Zyl_GePoint3d inizio = Estremo(destro, true), fine = Estremo(sinistro, true);
        EXPECT_NEAR(t.vertici.front().x, inizio.x, 1e-6) << t.nome;
        EXPECT_NEAR(t.vertici.front().y, inizio.y, 1e-6) << t.nome;
        EXPECT_NEAR(t.vertici.back().x, fine.x, 1e-6) << t.nome;
        EXPECT_NEAR(t.vertici.back().y, fine.y, 1e-6) << t.nome;
        int sullAnello = 0;
        for (size_t i = 0; i < t.vertici.size(); ++i) {
            if (std::fabs(Raggio(t.vertici[i]) - m_raggioEsterno) < 1e-6) ++sullAnello;
            if (i) {
                EXPECT_GT(std::hypot(t.vertici[i].x - t.vertici[i - 1].x, t.vertici[i].y - t.vertici[i - 1].y), 1e-6);
            }
        }
        EXPECT_GE(sullAnello, 2) << t.nome;
    }
    double m_raggioEsterno = 25.0;
};

TEST_F(EsportazioneTest, BeforeDrawingTheRingAndEveryGapBecomeAlignmentsWithoutSheets) {
    ASSERT_EQ(Leggi(TreRami()), 1);
    vplat::Transcript::Get().Clear();
    EXPECT_EQ(Esporta(), 1);
    std::vector<Tracciato> t = Esportati(3);
    ASSERT_EQ(Nomi(t), (std::vector<std::wstring>{L"Rotatoria Sud", L"SP 3_SP 1", L"SP 1_SP 2", L"SP 2_SP 3"}));
    for (const Tracciato& x : t) EXPECT_EQ(x.tipo, 2) << x.nome;
    // The first branch's gap starts at the last branch's outer right edge.
    VerificaVarco(t[1], Ciglio(6000, L"SP 3"), Ciglio(3000, L"SP 1"));
    VerificaVarco(t[2], Ciglio(6000, L"SP 1"), Ciglio(3000, L"SP 2"));
    VerificaVarco(t[3], Ciglio(6000, L"SP 2"), Ciglio(3000, L"SP 3"));
    // The edges that end each stretch remember its alignment.
    EXPECT_EQ(Dato22(Ciglio(1000, nullptr)), t[0].nomeInterno);
    EXPECT_EQ(Dato22(Ciglio(3000, L"SP 1")), t[1].nomeInterno);
    EXPECT_EQ(Dato22(Ciglio(3000, L"SP 2")), t[2].nomeInterno);
    EXPECT_EQ(Dato22(Ciglio(3000, L"SP 3")), t[3].nomeInterno);
    EXPECT_EQ(Dato22(Ciglio(6000, L"SP 1")), L"");
    // ... also in the data of their plan polylines.
    CADDatoArray dati;
    ASSERT_TRUE(Ciglio(3000, L"SP 2")->getEntita().GetDatiEstesi(dati));
    bool trovato = false;
    for (int i = 0; i + 1 < dati.GetCount(); ++i)
        trovato = trovato || (dati[i].GetCodice() == 1071 && dati[i].GetInt() == 22 &&
                              dati[i + 1].GetTipo() == CADDatoArray::Testo && t[2].nomeInterno == dati[i + 1].GetStringa());
    EXPECT_TRUE(trovato);
    // Without profile vertices there is no sheet and no profile.
    EXPECT_TRUE(Etichettati().empty());
    EXPECT_EQ(vplat::Transcript::Get().Events("lorvent"),
              (std::vector<std::wstring>{L"disegno 1 QVRO3D", L"esportati QVRO3D", L"disegno 0 QVRO3D"}));
}

TEST_F(EsportazioneTest, TheInnerRingIsOneArcAlmostAWholeCircle) {
    ASSERT_EQ(Leggi(Rami({{L"A", 30}, {L"B", 150}})), 1);
    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> t = Esportati(2);
    ASSERT_FALSE(t.empty());
    ASSERT_EQ(t[0].nome, L"Prova");
    ASSERT_EQ(t[0].vertici.size(), 2u);
    const datipoli& a = t[0].vertici[0];
    const datipoli& b = t[0].vertici[1];
    Zyl_GePoint3d primo = Estremo(Ciglio(1000, nullptr), false);
    EXPECT_NEAR(a.x, primo.x, 1e-9);
    EXPECT_NEAR(a.y, primo.y, 1e-9);
    EXPECT_NEAR(a.bulge, 3999.9999166643, 1e-6);
    EXPECT_NEAR(4 * std::atan(a.bulge), 2 * kPi - 0.001, 1e-12);
    EXPECT_EQ(b.bulge, 0.0);
    const double angolo = 2 * kPi - 0.001;
    const double ux = a.x - 200, uy = a.y - 100;
    EXPECT_NEAR(b.x, 200 + ux * std::cos(angolo) - uy * std::sin(angolo), 1e-9);
    EXPECT_NEAR(b.y, 100 + ux * std::sin(angolo) + uy * std::cos(angolo), 1e-9);
}

TEST_F(EsportazioneTest, OneBranchGapRunsAroundTheRingBackToItsOwnLeftEdge) {
    ASSERT_EQ(Leggi(Rami({{L"A", 30}})), 1);
    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> t = Esportati(1);
    ASSERT_EQ(Nomi(t), (std::vector<std::wstring>{L"Prova", L"A_A"}));
    VerificaVarco(t[1], Ciglio(6000, L"A"), Ciglio(3000, L"A"));
    // Around the ring the arcs add up to the whole ring but the branch mouth.
    double angolo = 0.0;
    for (const datipoli& v : t[1].vertici)
        if (std::fabs(Raggio(v) - m_raggioEsterno) < 1e-6) angolo += 4 * std::atan(v.bulge);
    const double bocca = 2 * std::asin(6.0 / m_raggioEsterno);
    EXPECT_NEAR(angolo, 2 * kPi - bocca, 1e-6);
    EXPECT_EQ(Dato22(Ciglio(3000, L"A")), t[1].nomeInterno);
}

TEST_F(EsportazioneTest, CrossingOuterEdgesAreExportedAlone) {
    ASSERT_EQ(Leggi(Rami({{L"A", 0}, {L"B", 20}})), 1);
    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> t = Esportati(2);
    ASSERT_EQ(Nomi(t), (std::vector<std::wstring>{L"Prova", L"B_A", L"A_", L"_B"}));
    CCiglio3D* destro = Ciglio(6000, L"A");
    CCiglio3D* sinistro = Ciglio(3000, L"B");
    // The outer right edge alone runs towards the ring, the outer left edge
    // away from it.
    Zyl_GePoint3d d0 = Estremo(destro, false), d1 = Estremo(destro, true);
    Zyl_GePoint3d s0 = Estremo(sinistro, false), s1 = Estremo(sinistro, true);
    EXPECT_NEAR(t[2].vertici.front().x, d1.x, 1e-6);
    EXPECT_NEAR(t[2].vertici.back().x, d0.x, 1e-6);
    EXPECT_NEAR(t[2].vertici.back().y, d0.y, 1e-6);
    EXPECT_NEAR(t[3].vertici.front().x, s0.x, 1e-6);
    EXPECT_NEAR(t[3].vertici.back().x, s1.x, 1e-6);
    EXPECT_NEAR(t[3].vertici.back().y, s1.y, 1e-6);
    EXPECT_EQ(Dato22(destro), t[2].nomeInterno);
    EXPECT_EQ(Dato22(sinistro), t[3].nomeInterno);
}

TEST_F(EsportazioneTest, AnOuterLeftEdgeWithoutNodesMeetsTheRingAtItsFirstVertex) {
    std::vector<datipoli> attesi;
    for (bool senzaNodi : {false, true}) {
        SetUp();
        ASSERT_EQ(Leggi(Rami({{L"A", 30}, {L"B", 150}})), 1);
        if (senzaNodi) {
            for (CCiglio3D* c : {Ciglio(3000, L"A"), Ciglio(3000, L"B"), Ciglio(6000, L"A"), Ciglio(6000, L"B")})
                c->getPunti(9)->Empty();
        }
        ASSERT_EQ(Esporta(), 1);
        std::vector<Tracciato> t = Esportati(2);
        ASSERT_EQ(Nomi(t), (std::vector<std::wstring>{L"Prova", L"B_A", L"A_B"})) << senzaNodi;
        if (!senzaNodi) {
            attesi = t[2].vertici;
        } else {
            ASSERT_EQ(t[2].vertici.size(), attesi.size());
            for (size_t i = 0; i < attesi.size(); ++i) {
                EXPECT_NEAR(t[2].vertici[i].x, attesi[i].x, 1e-6) << i;
                EXPECT_NEAR(t[2].vertici[i].y, attesi[i].y, 1e-6) << i;
                EXPECT_NEAR(t[2].vertici[i].bulge, attesi[i].bulge, 1e-6) << i;
            }
        }
        TearDown();
    }
}

}  // namespace

namespace {

// A gap that ends at a branch without outer left edge ends at its axis. It
// is named after the branch it starts from and that branch ("A_B" for a gap
// from A to B's axis, not the suffix the last outer left edge left, "A_A").
// Its ring part is one arc, across the ring's middle vertex.
TEST_F(EsportazioneTest, AGapEndingAtABranchWithoutOuterLeftEdgeEndsAtItsAxis) {
    rotatorie::Rotatoria pianta = Rami({{L"A", 0}, {L"B", 200}, {L"C", 280}});
    pianta.rami[1].senzaBordo = rotatorie::Bordo::rCEOut;
    ASSERT_EQ(Leggi(pianta), 1);
    ASSERT_FALSE(Ciglio(3000, L"B"));
    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> t = Esportati(3);
    ASSERT_EQ(Nomi(t), (std::vector<std::wstring>{L"Prova", L"C_A", L"A_B", L"B_C"}));
    // From A's outer right edge along the ring to where B's axis leaves it.
    CAsseRamo* b = Ciglio(4000, L"B")->getAsseRamo();
    const datipoli* asse = b->getPolilinea();
    double centro[3];
    m_rotatoria->getCentro(centro);
    const datipoli& fine = t[2].vertici.back();
    EXPECT_NEAR(Raggio(fine), m_raggioEsterno, 1e-6);
    EXPECT_NEAR(std::atan2(fine.y - centro[1], fine.x - centro[0]), std::atan2(asse->y, asse->x), 1e-6);
    EXPECT_EQ(Dato22(Ciglio(4000, L"B")), t[2].nomeInterno);
    std::vector<datipoli> anello;
    for (const datipoli& v : t[2].vertici)
        if (std::fabs(Raggio(v) - m_raggioEsterno) < 1e-6) anello.push_back(v);
    ASSERT_EQ(anello.size(), 2u);
    const double da = std::atan2(anello[0].y - centro[1], anello[0].x - centro[0]);
    EXPECT_NEAR(4 * std::atan(anello[0].bulge), 200.0 * kPi / 180.0 - da, 1e-9);
}

// After a branch without outer right edge the next gap starts on the ring
// at that branch's axis and is named after that branch.
TEST_F(EsportazioneTest, AGapAfterABranchWithoutOuterRightEdgeStartsAtItsAxis) {
    rotatorie::Rotatoria pianta = Rami({{L"A", 0}, {L"B", 120}, {L"C", 240}});
    pianta.rami[0].senzaBordo = rotatorie::Bordo::rCEIn;
    ASSERT_EQ(Leggi(pianta), 1);
    ASSERT_FALSE(Ciglio(6000, L"A"));
    ASSERT_EQ(Esporta(), 1);
    std::vector<Tracciato> t = Esportati(3);
    ASSERT_EQ(Nomi(t), (std::vector<std::wstring>{L"Prova", L"C_A", L"A_B", L"B_C"}));
    const datipoli* asse = Ciglio(4000, L"A")->getAsseRamo()->getPolilinea();
    double centro[3];
    m_rotatoria->getCentro(centro);
    const datipoli& inizio = t[2].vertici.front();
    EXPECT_NEAR(Raggio(inizio), m_raggioEsterno, 1e-6);
    EXPECT_NEAR(std::atan2(inizio.y - centro[1], inizio.x - centro[0]), std::atan2(asse->y, asse->x), 1e-6);
    Zyl_GePoint3d fine = Estremo(Ciglio(3000, L"B"), true);
    EXPECT_NEAR(t[2].vertici.back().x, fine.x, 1e-6);
    EXPECT_NEAR(t[2].vertici.back().y, fine.y, 1e-6);
    EXPECT_EQ(Dato22(Ciglio(3000, L"B")), t[2].nomeInterno);
}

}  // namespace
