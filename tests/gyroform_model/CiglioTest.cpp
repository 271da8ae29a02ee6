// The 3D edges: properties by kind, property lists, point groups, order,
// highlighting and the rebuild from saved data.
#include "AcSysVars.h"
#include "IQvObject_DisplaySettings.h"
#include "IQvObject_Serializer.h"
#include "ModelFixture.h"
#include "Ombrix.h"

using namespace modello;

namespace {

TEST_F(ModelTest, PropertiesAnswerByKind) {
    auto anello = Nuovo<CCiglio3D>(29001);
    auto ramo = Nuovo<CCiglio3D>(29002);
    // Ids 1 to 23: 1 where the kind has the property (a branch edge without
    // axis or saved values has no 13 to 15).
    const std::vector<int> diAnello = {1, 2, 3, 5, 6, 7, 8, 9, 11, 12, 17, 18, 22};
    const std::vector<int> diRamo = {1, 2, 3, 6, 7, 8, 9, 17, 18, 19, 20, 21, 22};
    for (int id = 1; id <= 23; ++id) {
        auto ha = [id](const std::vector<int>& v) { return std::find(v.begin(), v.end(), id) != v.end() ? 1 : 0; };
        CDato d(0, 7.0);
        EXPECT_EQ(anello->LeggiDato(id, d), ha(diAnello)) << "ring " << id;
        EXPECT_EQ(d.GetId(), id);
        EXPECT_EQ(ramo->LeggiDato(id, d), ha(diRamo)) << "branch " << id;
    }
    // Written and read back.
    struct Caso {
        CCiglio3D* ciglio;
        CDato dato;
    };
    const Caso casi[] = {{anello.get(), CDato(1, L"aCExt")}, {anello.get(), CDato(2, L"Anello")},
                         {anello.get(), CDato(3, 8)},        {anello.get(), CDato(11, true)},
                         {anello.get(), CDato(12, 0.35)},    {anello.get(), CDato(18, L"aCInt")},
                         {anello.get(), CDato(22, L"TR9")},  {ramo.get(), CDato(13, L"2A")},
                         {ramo.get(), CDato(14, L"SP 9")},   {ramo.get(), CDato(15, 0.25)},
                         {ramo.get(), CDato(19, 101.5)},     {ramo.get(), CDato(20, 0.012)},
                         {ramo.get(), CDato(21, 1)}};
    for (const Caso& c : casi) {
        ASSERT_EQ(c.ciglio->SetDato(c.dato), 1) << c.dato.GetId();
        EXPECT_EQ(c.ciglio->GetDato(c.dato.GetId()).GetString(), c.dato.GetString()) << c.dato.GetId();
    }
    // The 3D handle is written as saved text and read from the live entity.
    EXPECT_EQ(anello->SetDato(CDato(17, L"1F")), 1);
    EXPECT_TRUE(anello->GetDato(17).GetString().IsEmpty());
    EXPECT_EQ(ramo->SetDato(CDato(11, true)), 0);
    EXPECT_EQ(anello->SetDato(CDato(21, 1)), 0);
    EXPECT_EQ(anello->getUsaPianoParallelo(), 1);
    EXPECT_EQ(ramo->getUsaPianoParallelo(), 0);
}

TEST_F(ModelTest, ASavedRingPositionWinsOverTheBoundAxis) {
    auto asse = Nuovo<CAsseRamo>(29009);
    asse->inizializzaAsse(m_rotatoria.get(), L"SP 9", Retta(0, 0, 50, 0), false, nullptr, 0.7);
    asse->impostaNomeEsportazione(false);
    asse->setQuotaCentriRotazione(88.0);
    auto ramo = Nuovo<CCiglio3D>(29002);
    ramo->SetDato(CDato(15, 0.25));
    ramo->SetDato(CDato(19, 12.0));
    ramo->inizializzaCiglio(m_rotatoria.get(), L"rCEIn", asse.get(), Retta(0, 5, 30, 5), nullptr);
    EXPECT_DOUBLE_EQ(ramo->GetDato(15).GetDouble(), 0.25);
    EXPECT_DOUBLE_EQ(ramo->GetDato(19).GetDouble(), 88.0);  // the axis's value when bound
    EXPECT_EQ(ramo->GetDato(14).GetString(), L"SP 9");
    EXPECT_EQ(ramo->GetDato(21).GetInt(), 0);
    ramo->azzera();
    EXPECT_DOUBLE_EQ(ramo->GetDato(15).GetDouble(), 0.7);
    EXPECT_EQ(ramo->getDescrizione(), L"SP 9 Esterno destro");
    EXPECT_EQ(ramo->getCodiceEnum(), 6000);
    EXPECT_DOUBLE_EQ(asse->getLunghezzaAsse(), 30.0);

    // A code that is none of the six: code 0, the axis's export name.
    auto ignoto = Nuovo<CCiglio3D>(29002);
    ignoto->inizializzaCiglio(m_rotatoria.get(), L"rcein", asse.get(), Retta(0, 5, 30, 5), nullptr);
    EXPECT_EQ(ignoto->getCodiceEnum(), 0);
    EXPECT_EQ(ignoto->getDescrizione(), L"SP 9");
}

TEST_F(ModelTest, PropertyListsOfBothKinds) {
    struct Caso {
        int tipo;
        std::vector<int> ids;
    };
    const std::vector<int> comuni = {1, 2, 3, 9, 7, 8, 6, 17, 18, 22};
    std::vector<int> anello = comuni, ramo = comuni;
    anello.insert(anello.end(), {5, 11, 12});
    ramo.insert(ramo.end(), {13, 14, 15, 21, 19, 20});
    for (const Caso& c : {Caso{29001, anello}, Caso{29002, ramo}}) {
        auto ciglio = Nuovo<CCiglio3D>(c.tipo);
        CDato* dati = nullptr;
        int n = 0;
        ASSERT_EQ(ciglio->GetElencoDati(&dati, &n), 1);
        std::vector<int> ids;
        for (int i = 0; i < n; ++i) {
            ids.push_back(dati[i].GetId());
            EXPECT_TRUE(dati[i].GetEtichetta().IsEmpty());
        }
        EXPECT_EQ(ids, c.ids) << c.tipo;
        EXPECT_EQ(dati[3].GetTipo(), CDato::Gruppo);
        CDato::LiberaArrayCDato(dati);
    }
}

TEST_F(ModelTest, KindsFlagsAndGroupSelectors) {
    auto anello = Nuovo<CCiglio3D>(29001);
    auto ramo = Nuovo<CCiglio3D>(29002);
    EXPECT_TRUE(anello->IsA(5070));
    EXPECT_TRUE(ramo->IsA(5070));
    EXPECT_TRUE(anello->IsA(29001));
    EXPECT_FALSE(anello->IsA(29002));
    EXPECT_FALSE(ramo->IsA(29003));
    EXPECT_EQ(ramo->getVisualizzaSuGrafico(29007), 1);
    EXPECT_EQ(ramo->getVisualizzaSuGrafico(29005), 0);
    ramo->setVisualizzaSuGrafico(29004, 2);
    EXPECT_EQ(ramo->getVisualizzaSuGrafico(29004), 1);
    ramo->setVisualizzaSuGrafico(29005, 1);
    EXPECT_EQ(ramo->getVisualizzaSuGrafico(29005), 0);
    anello->setVisualizzaSuGrafico(29005, 1);
    EXPECT_EQ(anello->getVisualizzaSuGrafico(29005), 1);
    EXPECT_NE(anello->getPuntiAltCiglio(29005), nullptr);
    EXPECT_EQ(ramo->getPuntiAltCiglio(29005), nullptr);
    EXPECT_EQ(ramo->getPuntiAltCiglio(29007), nullptr);
    EXPECT_EQ(ramo->getAsseRamo(), nullptr);
    EXPECT_EQ(anello->GetNomeTipo(), L"Rotatoria3D");
}

TEST_F(ModelTest, PointGroupsAreMadeOnceNamedAndSetUp) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CCiglio3D* esterno = Ciglio(2000, nullptr);
    CCiglio3D* ramo = Ciglio(4000, L"SP 1");
    ASSERT_TRUE(esterno && ramo);
    struct Caso {
        int selettore;
        const wchar_t* nome;
        int tipo;
    };
    const Caso casi[] = {{5, L"Punti Piano Interpolati", 29005}, {6, L"Punti Verifica", 29007},
                         {7, L"Punti Rotazione", 29006},        {8, L"Punti Vertice", 29004},
                         {9, L"", 29008},                       {10, L"", 29003}};
    for (const Caso& c : casi) {
        IQvObject_Group* g = esterno->getPunti(c.selettore);
        ASSERT_NE(g, nullptr) << c.selettore;
        CDato nome;
        g->LeggiDato(QV_DATO_NOME_GRUPPO, nome);
        EXPECT_EQ(nome.GetString(), c.nome) << c.selettore;
        EXPECT_EQ(g->GetMemberType(), c.tipo);
        EXPECT_EQ(g->GetKeyId(), 4);
        EXPECT_EQ(g->GetConstructor(), GyroformMain::getConstructor());
        auto* s = dynamic_cast<IQvObject_DisplaySettings*>(g->GetDisplaySettings());
        if (*c.nome) {
            ASSERT_NE(s, nullptr) << c.selettore;
            EXPECT_EQ(s->GetImpostazioni(), (std::vector<std::pair<int, int>>{{0, 0}, {4, 1}, {3, 1}, {5, 1}}));
        } else {
            EXPECT_EQ(s, nullptr) << c.selettore;
        }
    }
    EXPECT_EQ(ramo->getPunti(5), nullptr);

    // Again: the same groups, the same members, still tied to this edge.
    IQvObject_Group* nodi = ramo->getPunti(9);
    std::vector<IQvObject*> membri = Membri(nodi);
    ASSERT_EQ(membri.size(), 3u);
    ramo->creaGruppiPunti();
    EXPECT_EQ(ramo->getPunti(9), nodi);
    EXPECT_EQ(Membri(nodi), membri);
    EXPECT_EQ(static_cast<CPuntoNodo*>(membri[1])->getProprietario(), ramo);
    // The inner edges' meeting and end nodes stay paired.
    CCiglio3D* destro = Ciglio(5000, L"SP 1");
    destro->creaGruppiPunti();
    std::vector<CPuntoNodo*> d = Nodi(destro), s = Nodi(ramo);
    EXPECT_EQ(d[1]->getCollegato(), s[1]);
    EXPECT_EQ(d[2]->getCollegato(), s[2]);
}

TEST_F(ModelTest, PairingOnSetUpOfTheInnerRightEdge) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CCiglio3D* destro = Ciglio(5000, L"SP 2");
    CCiglio3D* sinistro = Ciglio(4000, L"SP 2");
    std::vector<CPuntoNodo*> d = Nodi(destro), s = Nodi(sinistro);
    for (CPuntoNodo* n : d) n->setCollegato(nullptr);
    for (CPuntoNodo* n : s) n->setCollegato(nullptr);
    sinistro->creaGruppiPunti();
    EXPECT_EQ(d[1]->getCollegato(), nullptr);  // only the inner right edge pairs
    destro->creaGruppiPunti();
    EXPECT_EQ(d[1]->getCollegato(), s[1]);
    EXPECT_EQ(s[1]->getCollegato(), d[1]);
    EXPECT_EQ(d[2]->getCollegato(), s[2]);
    EXPECT_EQ(s[2]->getCollegato(), d[2]);
    EXPECT_EQ(d[0]->getCollegato(), nullptr);
}

TEST_F(ModelTest, ChainageOfAWorldPointAndPointOfAChainage) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CCiglio3D* c = Ciglio(6000, L"SP 1");
    Zyl_GePoint3d p;
    ASSERT_EQ(c->getPuntoDaProg(10.0, p), 1);
    double centro[3];
    m_rotatoria->getCentro(centro);
    double prog = 0.0;
    ASSERT_EQ(c->getProgDaPunto(prog, Zyl_GePoint3d(p.x + centro[0], p.y + centro[1], 40.0)), 1);
    EXPECT_NEAR(prog, 10.0, 1e-9);
    Zyl_GePoint3d fuori(1, 2, 3);
    EXPECT_EQ(c->getPuntoDaProg(c->getLunghezza() + 1.0, fuori), 0);
    EXPECT_EQ(fuori.x, 1.0);
    Zyl_GePoint3d primo;
    ASSERT_EQ(c->getPrimoVertice(primo), 1);
    EXPECT_NEAR(std::hypot(primo.x, primo.y), 25.0, 1e-9);
    // The first node's reference: where it meets the outer ring.
    IQvObject_GroupMember* m = c->trovaPuntoRiferimento(9, 1, Nodi(c)[0]->getValoreRif());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->GetObject(), Nodi(c)[0]);
    EXPECT_EQ(c->trovaPuntoRiferimento(9, 2, Nodi(c)[0]->getValoreRif()), nullptr);
    EXPECT_EQ(c->trovaPuntoRiferimento(5, 1, 0.0), nullptr);
}

TEST_F(ModelTest, NodeAndSectionPointsAndTheErasedEntity) {
    auto ciglio = Nuovo<CCiglio3D>(29001);
    ciglio->inizializzaCiglio(m_rotatoria.get(), L"aCExt", nullptr, Retta(0, 0, 40, 0), nullptr);
    const double p[2] = {10, 0};
    CPuntoNodo* nodo = ciglio->creaPuntoNodo(0.25, 0.25, 1, p);
    CPuntoSezione* sezione = ciglio->creaPuntoSezione(0.5, 0.75, 2, p);
    ASSERT_TRUE(nodo && sezione);
    EXPECT_EQ(Membri(ciglio->getPunti(9)), std::vector<IQvObject*>{nodo});
    EXPECT_EQ(Membri(ciglio->getPunti(10)), std::vector<IQvObject*>{sezione});
    EXPECT_EQ(nodo->getProprietario(), ciglio.get());
    EXPECT_DOUBLE_EQ(sezione->getProgressiva(), 30.0);
    EXPECT_EQ(sezione->getTipoRif(), 2);
    ciglio->svuotaPuntiSezione();
    EXPECT_EQ(ciglio->getPunti(10)->GetMemberCount(), 0);

    CADDatoArray dati, vertici, bulge;
    vertici.Add(0, 0.0, 0.0, 0.0);
    vertici.Add(1, 40.0, 0.0, 0.0);
    dati.Add(10, vertici);
    ZylPolylineID entita;
    ASSERT_NE(Ombrix::GetEntityUtils()->CreaPolilinea(ZYL_POLILINEA_2D, dati, entita), 0);
    ciglio->setEntita(entita);
    EXPECT_EQ(ciglio->cancellaEntita(), 1);
    EXPECT_FALSE(entita.IsVivo());
    EXPECT_TRUE(ciglio->getEntita().IsNull());
    EXPECT_EQ(ciglio->cancellaEntita(), 0);
}

TEST_F(ModelTest, EdgesOfOneAxisOrderByCodeAndADuplicateCodeComesAfter) {
    auto asse = Nuovo<CAsseRamo>(29009);
    asse->inizializzaAsse(m_rotatoria.get(), L"SP 9", Retta(0, 0, 50, 0), true, nullptr, 0.3);
    asse->impostaNomeEsportazione(false);
    auto primo = Nuovo<CCiglio3D>(29002);
    auto secondo = Nuovo<CCiglio3D>(29002);
    auto anello = Nuovo<CCiglio3D>(29001);
    primo->inizializzaCiglio(m_rotatoria.get(), L"rCIOut", asse.get(), Retta(0, 2, 20, 1), nullptr);
    secondo->inizializzaCiglio(m_rotatoria.get(), L"rCIOut", asse.get(), Retta(0, 2, 20, 1), nullptr);
    anello->inizializzaCiglio(m_rotatoria.get(), L"aCInt", nullptr, Retta(0, 0, 1, 1), nullptr);
    EXPECT_TRUE(primo->precede(anello.get()));
    EXPECT_TRUE(anello->precede(anello.get()));
    EXPECT_FALSE(primo->precede(secondo.get()));
    EXPECT_EQ(Messaggi(), std::vector<std::wstring>{L"SP 9 Interno sinistro: ciglio doppio!"});
    EXPECT_EQ(vplat::MessageBoxes::All().front().caption, L"Vortana");
}

TEST_F(ModelTest, HighlightDrawsThe3DPointsAndACrossAtTheChainage) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CCiglio3D* c = Ciglio(6000, L"SP 1");
    vplat::Transcript::Get().Clear();
    c->highlight(5.0);
    EXPECT_TRUE(vplat::Transcript::Get().Events("ombrix").empty());  // no 3D points, nothing drawn

    c->getPunti3DCiglio()->Add(0, 1.0, 2.0, 3.0);
    c->getPunti3DCiglio()->Add(1, 4.0, 5.0, 6.0);
    c->highlight(5.0);
    EXPECT_EQ(vplat::Transcript::Get().Events("ombrix"),
              (std::vector<std::wstring>{L"comando CANCELCMD", L"vettori 2 colore 6 (1, 1)",
                                         L"vettori 2 colore 6 (0, 0)", L"vettori 2 colore 6 (0, 0)"}));
    // Beyond the edge: the points without the cross.
    vplat::Transcript::Get().Clear();
    c->highlight(c->getLunghezza() + 5.0);
    EXPECT_EQ(vplat::Transcript::Get().Events("ombrix").size(), 2u);
}

// The serializer's pairs framed as the plan polyline's extended data.
CADDatoArray DatiEstesi(const IQvObject* oggetto) {
    CADDatoArray coppie, dati;
    IQvObject_Serializer(GyroformMain::getConstructor()).SetToCADDatoArray(coppie, oggetto);
    dati.Add(1001, L"QV-VORTANA-INTERS-ROT_3D");
    dati.Add(1071, 1);
    for (int i = 0; i < coppie.GetCount(); ++i) {
        dati.Add(1071, coppie[i].GetCodice());
        switch (coppie[i].GetTipo()) {
            case CADDatoArray::Intero: dati.Add(1071, coppie[i].GetInt()); break;
            case CADDatoArray::Reale: dati.Add(1040, coppie[i].GetDouble()); break;
            case CADDatoArray::Testo: dati.Add(1000, coppie[i].GetStringa()); break;
            case CADDatoArray::Punto: {
                double p[3];
                coppie[i].GetPunto(p);
                dati.Add(1010, p);
                break;
            }
            default: break;
        }
    }
    return dati;
}

TEST_F(ModelTest, AnEdgeComesBackFromItsSavedData) {
    ASSERT_EQ(Costruisci(TreRami()), 1);
    CCiglio3D* c = Ciglio(6000, L"SP 1");
    c->SetDato(CDato(3, 8));
    // The axis polyline drawn, so that the edge saves its handle.
    ASSERT_EQ(c->getAsseRamo()->scriviPolilinea(ZylBlockID()), 1);
    ASSERT_FALSE(c->GetDato(13).GetString().IsEmpty());
    auto* vertice = static_cast<CPuntoVertice*>(GyroformMain::getConstructor()->Alloca(29004));
    vertice->impostaDaProgressiva(c, 12.0);
    vertice->setQuota(51.5);
    c->getPunti(8)->Append(vertice);

    CADDatoArray dati = DatiEstesi(c);
    dati.Add(1071, 99);  // a trailing key without value
    Ptr<IQvObject> letto(CCiglio3D::leggiDaDatiEstesi(dati));
    ASSERT_NE(letto, nullptr);
    auto* copia = dynamic_cast<CCiglio3D*>(letto.get());
    ASSERT_NE(copia, nullptr);
    EXPECT_EQ(copia->GetTipo(), 29002);
    for (int id : {1, 2, 3, 13, 14, 15, 19, 20, 21}) {
        CDato a, b;
        EXPECT_EQ(copia->LeggiDato(id, b), c->LeggiDato(id, a)) << id;
        EXPECT_EQ(b.GetString(), a.GetString()) << id;
    }
    copia->creaGruppiPunti();
    for (int gruppo : {8, 9}) {
        std::vector<IQvObject*> prima = Membri(c->getPunti(gruppo)), dopo = Membri(copia->getPunti(gruppo));
        ASSERT_EQ(dopo.size(), prima.size()) << gruppo;
        for (size_t i = 0; i < prima.size(); ++i) {
            auto* p = static_cast<CPuntoCiglio*>(prima[i]);
            auto* q = static_cast<CPuntoCiglio*>(dopo[i]);
            EXPECT_EQ(q->GetTipo(), p->GetTipo());
            EXPECT_EQ(q->getPosizione(), p->getPosizione());
            EXPECT_EQ(q->getValoreRif(), p->getValoreRif());
            EXPECT_EQ(q->getTipoRif(), p->getTipoRif());
            EXPECT_EQ(q->x(), p->x());
            EXPECT_EQ(q->getProprietario(), copia);
            EXPECT_EQ(q->GetDato(5).GetDouble(), p->GetDato(5).GetDouble());
        }
    }
    // Data that are not an object: nothing.
    CADDatoArray vuoti;
    vuoti.Add(1001, L"QV-VORTANA-INTERS-ROT_3D");
    vuoti.Add(1071, 1);
    EXPECT_EQ(CCiglio3D::leggiDaDatiEstesi(vuoti), nullptr);
}

}  // namespace
