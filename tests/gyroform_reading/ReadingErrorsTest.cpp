// Plans the reading refuses or reads in part, and picks that are no plan.
#include <functional>

#include "IQvObject_Serializer.h"
#include "ReadingFixture.h"

using namespace lettura;
using rotatorie::Bordo;
using rotatorie::Rotatoria;

namespace {

struct Caso {
    const char* nome;
    std::function<void(Rotatoria&)> cambia;
    std::wstring scelto;  // the kind of the entity picked ("" the first alignment)
    int esito;
    size_t cigli;
    std::vector<std::wstring> messaggi;
};

TEST_F(ReadingTest, PlansReadInPartOrRefused) {
    const Caso casi[] = {
        {"sample", [](Rotatoria&) {}, L"rCEOut", 1, 14, {}},
        {"alignment picked", [](Rotatoria&) {}, L"", -1, 0, {}},
        {"no outer ring", [](Rotatoria& r) { r.senzaAnelloEsterno = true; }, L"aCInt", -1, 13,
         {L"SP 1 Esterno sinistro: Il primo punto deve trovarsi sull'anello esterno."}},
        {"no inner ring", [](Rotatoria& r) { r.senzaAnelloInterno = true; }, L"rCIIn", 1, 13, {}},
        {"edge 0.5 outside",
         [](Rotatoria& r) {
             r.rami[0].bordoStaccato = Bordo::rCEIn;
             r.rami[0].distacco = 0.5;
         },
         L"aCInt", 1, 13, {}},
        {"short item lists",
         [](Rotatoria& r) {
             r.vociInterno.quante = 1;
             r.rami[0].voci[Bordo::rCEIn].quante = 2;
         },
         L"rCIIn", 1, 12, {}},
        {"codes of the other kind",
         [](Rotatoria& r) {
             r.vociInterno.codice = L"rCEOut";
             r.rami[1].voci[Bordo::rCIOut].codice = L"aCInt";
         },
         L"rCIIn", 1, 12, {L"SP 2 Esterno sinistro: calcolo per rotazione senza ciglio di riferimento."}},
        {"two inner rings", [](Rotatoria& r) { r.vociEsterno.codice = L"aCInt"; }, L"rCIIn", -1, 1,
         {L"Anello interno: ciglio doppio!"}},
        {"3D road edge", [](Rotatoria& r) { r.rami[0].ciglio3D = L"CDX"; }, L"rCIIn", 1, 14, {}},
    };
    for (const Caso& c : casi) {
        Rotatoria pianta = TreRami();
        c.cambia(pianta);
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        vplat::MessageBoxes::Clear();
        std::vector<AcDbObjectId> ids = rotatorie::Disegna(pianta, m_db.get());
        std::vector<rotatorie::Entita> entita = rotatorie::EntitaDi(pianta);
        size_t scelto = 0;
        while (scelto < entita.size() && entita[scelto].kind != c.scelto) ++scelto;
        ASSERT_LT(scelto, entita.size()) << c.nome;
        auto r = Nuovo<CRotatoria3D>(29000);
        EXPECT_EQ(Leggi(*r, ids[scelto]), c.esito) << c.nome;
        EXPECT_EQ(Cigli(*r).size(), c.cigli) << c.nome;
        EXPECT_EQ(Messaggi(), c.messaggi) << c.nome;
        if (pianta.senzaAnelloInterno) {
            double centro[3];
            r->getCentro(centro);
            EXPECT_EQ((std::vector<double>{centro[0], centro[1], centro[2]}), (std::vector<double>(3, 0.0)));
            EXPECT_EQ(Cigli(*r).front()->getCodiceEnum(), 2000);
        }
        if (!pianta.rami[0].ciglio3D.empty()) {
            datipoli* strada = Assi(*r)[0]->getPolilineaCiglio(3000);
            ASSERT_NE(strada, nullptr);
            for (datipoli* d = strada; d; d = d->next) EXPECT_EQ(d->bulge, 0.0);
        }
    }
}

TEST_F(ReadingTest, PicksThatAreNoPlan) {
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    CADDatoArray vertici, proprieta;
    vertici.Add(0, 0.0, 0.0, 0.0);
    vertici.Add(1, 10.0, 0.0, 0.0);
    proprieta.Add(10, vertici);
    ZylPolylineID nuda;
    ASSERT_NE(utils->CreaPolilinea(ZYL_POLILINEA_2D, proprieta, nuda), 0);
    EXPECT_EQ(m_rotatoria->disegna(nuda), -1);
    EXPECT_EQ(m_rotatoria->getCigli(), nullptr);

    // A polyline carrying a saved model's data, out of any block: it is no
    // block reference, so nothing is read, and the answer is still 1.
    CADDatoArray estesi;
    estesi.Add(1001, L"QV-VORTANA-INTERS-ROT_3D");
    estesi.Add(1071, 1);
    proprieta.Add(-3, estesi);
    ZylPolylineID esplosa;
    ASSERT_NE(utils->CreaPolilinea(ZYL_POLILINEA_2D, proprieta, esplosa), 0);
    size_t blocchi = Blocchi();
    EXPECT_EQ(m_rotatoria->disegna(esplosa), 1);
    EXPECT_EQ(m_rotatoria->getCigli(), nullptr);
    EXPECT_EQ(Blocchi(), blocchi);
}

}  // namespace
