// Drawing plan roundabouts into a drawing: what is drawn is what EntitaDi
// describes, two roundabouts share one drawing, and refused input draws
// nothing.
#include <functional>
#include <stdexcept>

#include "DatiEstesi.h"
#include "PlanChecks.h"
#include "PlanFixtures.h"
#include "WorkingDrawing.h"

using rotatorie::Rotatoria;

namespace {

class PlanDrawingTest : public WorkingDrawingTest {
protected:
    int Selezionati(const wchar_t* tipo, const wchar_t* applicazione) {
        resbuf* filtro = acutBuildList(RTDXF0, tipo, -3, 1001, applicazione, RTNONE);
        ads_name ss;
        int esito = acedSSGet(L"_X", nullptr, nullptr, filtro, ss);
        acutRelRb(filtro);
        if (esito != RTNORM) return 0;
        Adesk::Int32 n = 0;
        acedSSLength(ss, &n);
        acedSSFree(ss);
        return n;
    }
    bool HaLayer(const wchar_t* nome) {
        AcDbLayerTable* t = nullptr;
        m_db->getLayerTable(t, AcDb::kForRead);
        bool ha = t->has(nome);
        t->close();
        return ha;
    }
};

// Two roundabouts in one drawing, the second with braces and a 3D road edge:
// the drawing holds exactly the entities of both, in order, with their
// layers, geometry and extended data, and the ids answered are theirs.
TEST_F(PlanDrawingTest, TwoRoundaboutsAreDrawnAsDescribed) {
    Rotatoria prima = piano::DueRami();
    Rotatoria seconda = piano::DueRami();
    seconda.nomePianta = L"PR-SECONDA";
    seconda.centro = {700, 300, 0};
    seconda.graffe = true;
    seconda.rami[0].nomeInterno = L"TR00000011";
    seconda.rami[1].nomeInterno = L"TR00000012";
    seconda.rami[1].ciglio3D = L"CDX";
    auto ids = rotatorie::Disegna(prima, m_db.get());
    auto altri = rotatorie::Disegna(seconda, m_db.get());
    ids.insert(ids.end(), altri.begin(), altri.end());

    std::vector<rotatorie::Entita> attese = rotatorie::EntitaDi(prima);
    for (auto& e : rotatorie::EntitaDi(seconda)) attese.push_back(std::move(e));
    auto lette = piano::Rileggi(m_db.get());
    piano::ConfrontaEntita(attese, lette);
    ASSERT_EQ(ids.size(), attese.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        AcDbEntity* e = nullptr;
        ASSERT_EQ(acdbOpenObject(e, ids[i], AcDb::kForRead), Acad::eOk);
        const bool cerchio = attese[i].tipo == rotatorie::Entita::Cerchio;
        EXPECT_EQ(std::wstring(e->dxfName()), cerchio ? L"CIRCLE" : L"POLYLINE") << i;
        EXPECT_EQ(AcDb3dPolyline::cast(e) != nullptr, attese[i].tridimensionale) << i;
        e->close();
    }
    // Selected as the model selects them.
    EXPECT_EQ(Selezionati(L"CIRCLE", rotatorie::kAppRotatoria), 4);
    EXPECT_EQ(Selezionati(L"POLYLINE", rotatorie::kAppRotatoria), 16);
    EXPECT_EQ(Selezionati(L"POLYLINE", L"QV-VORTANA-NPOLI"), 8);
    for (const wchar_t* layer : {rotatorie::kLayerRotatoria, roads::kLayerAssi, roads::kLayerCigli})
        EXPECT_TRUE(HaLayer(layer)) << layer;
}

// Every field the generator refuses, with the reason it gives; the drawing
// stays empty.
TEST_F(PlanDrawingTest, RefusedInputNamesTheFieldAndDrawsNothing) {
    using R = Rotatoria;
    struct Caso {
        std::function<void(R&)> cambia;
        const char* messaggio;
    };
    const Caso casi[] = {
        {[](R& r) { r.raggioInterno = 25; }, "raggioInterno: 25 is not less than raggioEsterno 25"},
        {[](R& r) { r.raggioInterno = 0; }, "raggioInterno: 0 is not a positive number"},
        {[](R& r) { r.raggioEsterno = std::nan(""); }, "raggioEsterno: nan is not finite"},
        {[](R& r) { r.centro.y = HUGE_VAL; }, "centro.y: inf is not finite"},
        {[](R& r) { r.rami[1].semiEsterno = 25; },
         "rami[1].semiEsterno (W): 25 does not meet the outer ring of radius 25"},
        {[](R& r) { r.rami[0].semiEsterno = 0; }, "rami[0].semiEsterno (W): 0 is not a positive number"},
        {[](R& r) { r.rami[0].semiIsolaAnello = 25; },
         "rami[0].semiIsolaAnello (wi): 25 does not meet the outer ring of radius 25"},
        {[](R& r) { r.rami[0].semiIsolaAnello = 6; },
         "rami[0].semiIsolaAnello (wi): 6 reaches the outer edges at semiEsterno (W) 6"},
        {[](R& r) { r.rami[1].semiIsolaPunta = 2.5; },
         "rami[1].semiIsolaPunta (wt): 2.5 is not between 0 and semiIsolaAnello (wi) 2"},
        {[](R& r) { r.rami[1].semiIsolaPunta = -0.5; },
         "rami[1].semiIsolaPunta (wt): -0.5 is not between 0 and semiIsolaAnello (wi) 2"},
        {[](R& r) { r.rami[0].lunghezzaIsola = 0; }, "rami[0].lunghezzaIsola (li): 0 is not a positive number"},
        {[](R& r) { r.rami[0].lunghezzaRamo = -5; }, "rami[0].lunghezzaRamo (lb): -5 is not a positive number"},
        {[](R& r) { r.rami[0].lunghezzaTracciato = 0; }, "rami[0].lunghezzaTracciato: 0 is not a positive number"},
        {[](R& r) { r.rami[0].lunghezzaTracciato = 61.5; },
         "rami[0].lunghezzaTracciato: 61.5 is shorter than 62: the profile is read 1.1 beyond the plan edges' ends"},
        {[](R& r) {
             r.rami[1].lunghezzaIsola = 40;
             r.rami[1].lunghezzaTracciato = 66;
         },
         "rami[1].lunghezzaTracciato: 66 is shorter than 67: the profile is read 1.1 beyond the plan edges' ends"},
        {[](R& r) { r.rami[1].nomeInterno.clear(); }, "rami[1].nomeInterno: empty"},
        {[](R& r) { r.rami[1].nomeInterno = r.rami[0].nomeInterno; },
         "rami[1].nomeInterno: another branch's alignment has the same internal name"},
        {[](R& r) { r.rami[0].angolo = HUGE_VAL; }, "rami[0].angolo: inf is not finite"},
        {[](R& r) { r.rami[0].divisa = 6; }, "rami[0].divisa: 6 is not between 0 and semiEsterno (W) 6"},
        {[](R& r) {
             r.rami[0].bordoStaccato = rotatorie::Bordo::rCEOut;
             r.rami[0].distacco = -20;
         },
         "rami[0].distacco: -20 leaves no edge to draw"},
        {[](R& r) {
             r.rami[0].bordoStaccato = rotatorie::Bordo::rCIOut;
             r.rami[0].distacco = 21;
         },
         "rami[0].distacco: 21 leaves no edge to draw"},
        {[](R& r) {
             r.rami[0].bordoStaccato = rotatorie::Bordo::rCIIn;
             r.rami[0].senzaBordo = rotatorie::Bordo::rCIIn;
         },
         "rami[0].bordoStaccato: the edge is left out (senzaBordo)"},
        {[](R& r) { r.rami[0].ciglio3D = L"CIDX"; }, "rami[0].ciglio3D: the branch has no such road edge"},
        {[](R& r) {
             r.rami[0].ciglio3D = L"CDX";
             r.rami[0].senzaCigliStrada = true;
         },
         "rami[0].ciglio3D: the branch has no such road edge"},
        {[](R& r) { r.rami[0].voci[rotatorie::Bordo::rCEIn].quante = 6; },
         "rami[0].voci.quante: 6 is not a cut of the 6 items"},
        {[](R& r) { r.vociEsterno.quante = 3; }, "vociEsterno.quante: 3 is not a cut of the 3 items"},
        {[](R& r) {
             r.rami[0].profilo = {{0, 50}, {60, 51}};
             r.rami[0].profiloFinoAFineRamo = true;
         },
         "rami[0].profiloFinoAFineRamo: the profile does not reach the branch end at chainage 61"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.messaggio);
        Rotatoria r = piano::DueRami();
        c.cambia(r);
        try {
            rotatorie::Disegna(r, m_db.get());
            ADD_FAILURE() << "drawn";
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), c.messaggio);
        }
        EXPECT_THROW(rotatorie::EntitaDi(r), std::invalid_argument);
    }
    EXPECT_TRUE(piano::Rileggi(m_db.get()).empty());
    EXPECT_FALSE(HaLayer(rotatorie::kLayerRotatoria));
}

}  // namespace
