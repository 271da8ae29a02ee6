// The roundabout: its properties, its groups and the order it keeps, and the
// creation of axes and edges with what it frees when it refuses.
#include <cmath>
#include <limits>

#include "IQvObject_DisplaySettings.h"
#include "ModelFixture.h"

using namespace modello;

namespace {

CADDatoArray Punti(std::initializer_list<std::pair<double, double>> xy) {
    CADDatoArray a;
    int i = 0;
    for (auto [x, y] : xy) a.Add(i++, x, y, 0.0);
    return a;
}

CADDatoArray Bulge(std::initializer_list<double> b) {
    CADDatoArray a;
    int i = 0;
    for (double v : b) a.Add(i++, v);
    return a;
}

int Anello(CRotatoria3D& r, const wchar_t* codice, double raggio) { return CreaAnello(r, codice, raggio) ? 1 : 0; }

std::vector<int> Codici(CRotatoria3D& r) {
    std::vector<int> out;
    for (CCiglio3D* c : Cigli(r)) out.push_back(c->getCodiceEnum());
    return out;
}

TEST_F(ModelTest, PropertiesByIdWithTheirDefaults) {
    struct Caso {
        int id;
        int tipo;
        double predefinito;
        double nuovo;
    };
    const Caso casi[] = {{3, CDato::Reale, 5.0, 2.5},   {4, CDato::Reale, 1.0, 0.5},  {7, CDato::Reale, 0.0, 101.0},
                         {8, CDato::Reale, 0.01, 0.015}, {9, CDato::Reale, 0.03, 0.04}, {10, CDato::Intero, 1, 0}};
    CRotatoria3D& r = *m_rotatoria;
    for (const Caso& c : casi) {
        CDato d;
        ASSERT_EQ(r.LeggiDato(c.id, d), 1) << c.id;
        EXPECT_EQ(d.GetId(), c.id);
        EXPECT_EQ(d.GetTipo(), c.tipo) << c.id;
        EXPECT_DOUBLE_EQ(d.GetDouble(), c.predefinito) << c.id;
        EXPECT_EQ(r.SetDato(c.tipo == CDato::Intero ? CDato(c.id, static_cast<int>(c.nuovo)) : CDato(c.id, c.nuovo)), 1);
        EXPECT_DOUBLE_EQ(r.GetDato(c.id).GetDouble(), c.nuovo) << c.id;
    }
    EXPECT_EQ(r.SetDato(CDato(1, L"Rotatoria Nord")), 1);
    EXPECT_EQ(r.getNome(), L"Rotatoria Nord");
    // Ids the roundabout does not have: 0, the value untouched.
    for (int id : {0, 5, 6, 11}) {
        CDato d(99, 1.5);
        EXPECT_EQ(r.LeggiDato(id, d), 0) << id;
        EXPECT_EQ(d.GetId(), id);
        EXPECT_EQ(r.SetDato(CDato(id, 2.0)), 0) << id;
    }
    EXPECT_DOUBLE_EQ(r.getPassoSezioni(), 2.5);
    EXPECT_EQ(r.GetNomeTipo(), L"Rotatoria3D");
}

TEST_F(ModelTest, SectionSpacingsThatCannotBeUsedAreRefused) {
    CRotatoria3D& r = *m_rotatoria;
    for (double passo : {0.0, -5.0, 0.005, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(r.SetDato(CDato(3, passo)), 0) << passo;
        r.setPassoSezioni(passo);
        EXPECT_EQ(r.getPassoSezioni(), 5.0) << passo;
    }
    EXPECT_EQ(r.SetDato(CDato(3, 0.01)), 1);
    r.setPassoSezioni(2.0);
    EXPECT_EQ(r.getPassoSezioni(), 2.0);
}

TEST_F(ModelTest, PropertyListHasEightEntriesInOrder) {
    CDato* dati = nullptr;
    int n = 0;
    ASSERT_EQ(m_rotatoria->GetElencoDati(&dati, &n), 1);
    ASSERT_EQ(n, 8);
    const int ids[] = {1, 2, 3, 4, 7, 8, 9, 10};
    const int tipi[] = {4, 4, 3, 3, 3, 3, 3, 2};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(dati[i].GetId(), ids[i]);
        EXPECT_EQ(dati[i].GetTipo(), tipi[i]);
        EXPECT_TRUE(dati[i].GetEtichetta().IsEmpty());
    }
    CDato::LiberaArrayCDato(dati);
}

TEST_F(ModelTest, GroupsAppearOnFirstUseAndTheOuterRingIsCode2000) {
    CRotatoria3D& r = *m_rotatoria;
    EXPECT_EQ(r.getCigli(), nullptr);
    EXPECT_EQ(r.getAssi(), nullptr);
    EXPECT_EQ(r.getAnelloEsterno(), nullptr);
    ASSERT_EQ(Anello(r, L"aCInt", 15), 1);
    EXPECT_EQ(r.getAnelloEsterno(), nullptr);  // one edge, and not the outer ring
    ASSERT_EQ(Anello(r, L"aCExt", 25), 1);
    ASSERT_NE(r.getAnelloEsterno(), nullptr);
    EXPECT_EQ(r.getAnelloEsterno()->getCodiceEnum(), 2000);
    EXPECT_EQ(Codici(r), (std::vector<int>{1000, 2000}));

    Ptr<IQvObject> impostazioni(r.creaImpostazioniGruppo());
    auto* s = dynamic_cast<IQvObject_DisplaySettings*>(impostazioni.get());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetImpostazioni(), (std::vector<std::pair<int, int>>{{0, 0}, {4, 1}, {3, 1}, {5, 1}}));
}

TEST_F(ModelTest, EdgesKeepRingOrderWhateverTheOrderTheyCome) {
    CRotatoria3D& r = *m_rotatoria;
    // Axis A at 0.3 of the ring, set before any ring exists.
    auto* a = static_cast<CAsseRamo*>(GyroformMain::getConstructor()->Alloca(29009));
    datipoli* asse = nullptr;
    a->inizializzaAsse(&r, L"A", asse, true, nullptr, 0.3);
    // Hand it to the roundabout's group through a found-again axis.
    CAsseRamo* b = r.trovaOCreaAsse(L"B", L"", false, true, 0.6);
    ASSERT_NE(b, nullptr);
    r.getAssi()->InsertBefore(r.getAssi()->GetFirstMember(), a);

    CADDatoArray v = Punti({{24.97, 1}, {40, 1}}), bu = Bulge({0, 0});
    ASSERT_EQ(r.creaCiglio(nullptr, L"rCIIn", a, v, bu), 1);
    ASSERT_EQ(r.creaCiglio(nullptr, L"rCEOut", b, v, bu), 1);
    ASSERT_EQ(Anello(r, L"aCExt", 25), 1);
    ASSERT_EQ(Anello(r, L"aCInt", 15), 1);
    ASSERT_EQ(r.creaCiglio(nullptr, L"rCEOut", a, v, bu), 1);
    EXPECT_EQ(Codici(r), (std::vector<int>{1000, 2000, 3000, 5000, 3000}));
    EXPECT_EQ(Cigli(r)[4]->getAsseRamo(), b);
    for (const std::wstring& m : Messaggi()) EXPECT_EQ(m.find(L"ciglio doppio"), std::wstring::npos) << m;
}

TEST_F(ModelTest, ADuplicateEdgeIsRefusedWithItsMessageAndNothingLeaks) {
    CRotatoria3D& r = *m_rotatoria;
    ASSERT_EQ(Anello(r, L"aCInt", 15), 1);
    EXPECT_EQ(Anello(r, L"aCInt", 15), 0);
    ASSERT_EQ(vplat::MessageBoxes::All().size(), 1u);
    const auto& m = vplat::MessageBoxes::All().front();
    EXPECT_EQ(m.text, L"Anello interno: ciglio doppio!");
    EXPECT_EQ(m.caption, L"Vortana");
    EXPECT_EQ(m.type, MB_OK);
    EXPECT_EQ(Codici(r), (std::vector<int>{1000}));

    // An edge rebuilt from saved data and refused as a duplicate is freed too.
    IQvObject* dato = GyroformMain::getConstructor()->Alloca(29001);
    EXPECT_EQ(r.creaCiglio(&dato, L"aCInt", nullptr, Punti({{15, 0}, {-15, 0}, {15, 0}}), Bulge({1, 1, 0})), 0);
    EXPECT_EQ(dato, nullptr);
}

TEST_F(ModelTest, ABranchEdgeStartingOutsideTheOuterRingIsRefusedSilently) {
    CRotatoria3D& r = *m_rotatoria;
    ASSERT_EQ(Anello(r, L"aCExt", 25), 1);
    CAsseRamo* a = r.trovaOCreaAsse(L"A", L"", false, true, -1.0);
    IQvObject* dato = GyroformMain::getConstructor()->Alloca(29002);
    EXPECT_EQ(r.creaCiglio(&dato, L"rCEIn", a, Punti({{25.5, 0}, {40, 0}}), Bulge({0, 0})), 0);
    EXPECT_EQ(dato, nullptr);
    EXPECT_EQ(r.creaCiglio(nullptr, L"rCEIn", a, Punti({{25.5, 0}, {40, 0}}), Bulge({0, 0})), 0);
    EXPECT_TRUE(Messaggi().empty());
    // Inside the ring is accepted: the positive offset is outside.
    EXPECT_EQ(r.creaCiglio(nullptr, L"rCEIn", a, Punti({{24.5, 0}, {40, 0}}), Bulge({0, 0})), 1);
    EXPECT_EQ(Codici(r), (std::vector<int>{2000, 6000}));
}

TEST_F(ModelTest, AnEdgeFoundAgainIsReusedAndAHandedInEdgeFreed) {
    CRotatoria3D& r = *m_rotatoria;
    ASSERT_EQ(Anello(r, L"aCInt", 15), 1);
    CCiglio3D* primo = Cigli(r)[0];
    primo->azzera();
    IQvObject* dato = GyroformMain::getConstructor()->Alloca(29001);
    ASSERT_EQ(r.creaCiglio(&dato, L"aCInt", nullptr, Punti({{14, 0}, {-14, 0}, {14, 0}}), Bulge({1, 1, 0})), 1);
    EXPECT_EQ(dato, primo);
    EXPECT_EQ(Cigli(r).size(), 1u);
    EXPECT_FALSE(primo->isNonTrovato());
    EXPECT_NEAR(primo->getLunghezza(), 2 * std::acos(-1.0) * 14, 1e-9);
}

TEST_F(ModelTest, AxesByNameAndDirection) {
    rotatorie::Rotatoria pianta = TreRami();
    ASSERT_EQ(Costruisci(pianta), 1);
    CRotatoria3D& r = *m_rotatoria;
    std::vector<CAsseRamo*> assi = Assi(r);
    ASSERT_EQ(assi.size(), 3u);
    // Ring order, each with its export name.
    EXPECT_EQ(assi[0]->getNome(), L"SP 1");
    EXPECT_EQ(assi[1]->getNome(), L"SP 2");
    EXPECT_EQ(assi[2]->getNome(), L"SP 3");
    EXPECT_NEAR(assi[0]->getPosizioneAnello(), 0.125, 1e-9);
    EXPECT_LT(assi[1]->getPosizioneAnello(), assi[2]->getPosizioneAnello());

    // Found: the same object, untouched. The other direction: a second axis.
    EXPECT_EQ(r.trovaOCreaAsse(L"SP 1", L"TR00000101", true, true, -1.0), assi[0]);
    CAsseRamo* inverso = r.trovaOCreaAsse(L"SP 1", L"TR00000101", true, false, -1.0);
    ASSERT_NE(inverso, assi[0]);
    EXPECT_EQ(inverso->getNomeEsportazione(), L"SP 1(2)");
    EXPECT_EQ(assi[0]->getNomeEsportazione(), L"SP 1");
    EXPECT_EQ(Assi(r).size(), 4u);

    // Marked not found, then found again: same object and place, the new
    // copy of the alignment freed (the sanitizer build reports a leak).
    assi[1]->azzera();
    EXPECT_EQ(r.trovaOCreaAsse(L"SP 2", L"TR00000102", true, false, -1.0), assi[1]);
    EXPECT_FALSE(assi[1]->isNonTrovato());
    // Its alignment is in world coordinates while the model is ring-centred:
    // it meets no ring, and an axis without ring position sorts first.
    EXPECT_EQ(inverso->getPosizioneAnello(), -1.0);
    EXPECT_EQ(Assi(r), (std::vector<CAsseRamo*>{inverso, assi[0], assi[1], assi[2]}));
}

TEST_F(ModelTest, TwoBuildsOnOneRoundaboutReuseItsObjects) {
    rotatorie::Rotatoria pianta = TreRami();
    ASSERT_EQ(Costruisci(pianta), 1);
    std::vector<CCiglio3D*> prima = Cigli(*m_rotatoria);
    std::vector<CAsseRamo*> assiPrima = Assi(*m_rotatoria);
    for (CAsseRamo* a : assiPrima) a->azzera();
    for (CCiglio3D* c : prima) c->azzera();
    ASSERT_EQ(rotatorie::CostruisciModello(*m_rotatoria, pianta), 1);
    EXPECT_EQ(Cigli(*m_rotatoria), prima);
    EXPECT_EQ(Assi(*m_rotatoria), assiPrima);
    EXPECT_TRUE(Messaggi().empty());
}

}  // namespace
