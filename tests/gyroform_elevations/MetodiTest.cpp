// Elevation methods and reference edges of the edges of a model.
#include "ModelFixture.h"

using namespace modello;

namespace {

std::vector<std::pair<int, std::wstring>> Elenco(CCiglio3D* c) {
    CADDatoArray a;
    a.Add(1, L"stale");
    c->getTipiCalcolo(a);
    std::vector<std::pair<int, std::wstring>> out;
    for (int i = 0; i < a.GetCount(); ++i) out.emplace_back(a[i].GetCodice(), a[i].GetStringa());
    return out;
}

TEST_F(ModelTest, MethodListsOfferTheNeighboursThatDoNotReferBack) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    using V = std::vector<std::pair<int, std::wstring>>;
    EXPECT_EQ(Elenco(Ciglio(2000, nullptr)), (V{{8, L"Profilo"}, {5, L"Piano"}, {1007, L"Anello interno"}}));
    EXPECT_EQ(Elenco(Ciglio(4000, L"SP 1")),
              (V{{8, L"Profilo"}, {5007, L"SP 1 Interno destro"}, {3007, L"SP 1 Esterno sinistro"}}));
    EXPECT_EQ(Elenco(Ciglio(6000, L"SP 2")), (V{{8, L"Profilo"}, {5007, L"SP 2 Interno destro"}}));
    // Once 5000 refers to 4000, 4000 is no longer offered 5000.
    Ciglio(5000, L"SP 1")->setProfRif(4000);
    EXPECT_EQ(Ciglio(5000, L"SP 1")->getCiglioRif(), Ciglio(4000, L"SP 1"));
    EXPECT_EQ(Ciglio(5000, L"SP 1")->getCodiceRif(), L"rCIOut");
    EXPECT_EQ(Elenco(Ciglio(4000, L"SP 1")), (V{{8, L"Profilo"}, {3007, L"SP 1 Esterno sinistro"}}));
}

TEST_F(ModelTest, ChoosingAMethodShowsItsPoints) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CCiglio3D* anello = Ciglio(2000, nullptr);
    CCiglio3D* ramo = Ciglio(3000, L"SP 1");
    struct Caso {
        CCiglio3D* c;
        int metodo, tipoPunti;
    };
    for (const Caso& c : {Caso{anello, 5, 29005}, Caso{ramo, 7, 29006}, Caso{ramo, 8, 29004}}) {
        EXPECT_EQ(c.c->getVisualizzaSuGrafico(c.tipoPunti), 0);
        c.c->setTipoCalcolo(c.metodo);
        EXPECT_EQ(c.c->getTipoCalcolo(), c.metodo);
        EXPECT_EQ(c.c->getVisualizzaSuGrafico(c.tipoPunti), 1);
    }
    // Property 3 sets the method alone.
    anello->setVisualizzaSuGrafico(29004, 0);
    ASSERT_EQ(anello->SetDato(CDato(3, 8)), 1);
    EXPECT_EQ(anello->getVisualizzaSuGrafico(29004), 0);
    // No method (0) is no method to choose; property 3 still takes it.
    EXPECT_EQ(ramo->setTipoCalcolo(0), 0);
    EXPECT_EQ(ramo->getTipoCalcolo(), 8);
    EXPECT_EQ(ramo->SetDato(CDato(3, 0)), 1);
    EXPECT_EQ(ramo->getTipoCalcolo(), 0);
}

}  // namespace
