// Reloading a model from its block: the block reference with the
// roundabout's settings, and the edges rebuilt from their plan polylines.
#include "IQvObject_Serializer.h"
#include "ReadingFixture.h"

using namespace lettura;

namespace {

class ReloadTest : public ReadingTest {
protected:
    // The model read from the sample, and a reference of its block at the
    // ring centre carrying the roundabout's settings.
    ZylBlockRefID LeggiEInserisci() {
        std::vector<AcDbObjectId> ids = Disegna(TreRami());
        EXPECT_EQ(Leggi(*m_rotatoria, ids[0]), 1);
        CRotatoria3D& r = *m_rotatoria;
        r.SetDato(CDato(3, 7.5));
        r.SetDato(CDato(7, 50.5));
        r.SetDato(CDato(10, 0));
        double c[3];
        r.getCentro(c);
        CADDatoArray estesi, proprieta;
        estesi.Add(1001, L"QV-VORTANA-INTERS-ROT_3D");
        estesi.Add(1071, 1);
        estesi.Add(1071, 2);
        estesi.Add(1000, L"PR-TRE");
        estesi.Add(1071, 1);
        estesi.Add(1000, L"Rotatoria Sud");
        for (int id : {3, 4, 7, 9, 8}) {
            estesi.Add(1071, id);
            estesi.Add(1040, r.GetDato(id).GetDouble());
        }
        estesi.Add(1071, 10);
        estesi.Add(1071, static_cast<int>(r.GetDato(10).GetInt()));
        proprieta.Add(10, c);
        proprieta.Add(-3, estesi);
        ZylBlockRefID riferimento;
        EXPECT_NE(Ombrix::GetEntityUtils()->InserisciBlocco(riferimento, r.getBlocco(), proprieta), 0);
        return riferimento;
    }
};

TEST_F(ReloadTest, AModelComesBackFromItsBlock) {
    ZylBlockRefID riferimento = LeggiEInserisci();
    size_t blocchi = Blocchi();
    auto caricato = Nuovo<CRotatoria3D>(29000);
    ASSERT_EQ(caricato->disegna(riferimento), 1);
    EXPECT_TRUE(Messaggi().empty());
    EXPECT_EQ(Blocchi(), blocchi);
    EXPECT_EQ(caricato->getBlocco().GetObjectId(), m_rotatoria->getBlocco().GetObjectId());
    for (int id : {1, 2, 3, 4, 7, 8, 9, 10})
        EXPECT_EQ(caricato->GetDato(id).GetString(), m_rotatoria->GetDato(id).GetString()) << id;
    double a[3], b[3];
    caricato->getCentro(a);
    m_rotatoria->getCentro(b);
    EXPECT_EQ((std::vector<double>(a, a + 3)), (std::vector<double>(b, b + 3)));

    std::vector<CCiglio3D*> letti = Cigli(*caricato), originali = Cigli(*m_rotatoria);
    ASSERT_EQ(letti.size(), originali.size());
    for (size_t i = 0; i < letti.size(); ++i) {
        EXPECT_EQ(letti[i]->getCodiceEnum(), originali[i]->getCodiceEnum()) << i;
        EXPECT_EQ(letti[i]->getDescrizione(), originali[i]->getDescrizione()) << i;
        EXPECT_EQ(letti[i]->GetDato(15).GetDouble(), originali[i]->GetDato(15).GetDouble()) << i;
        std::vector<CPuntoNodo*> nl = Nodi(letti[i]), no = Nodi(originali[i]);
        // An inner left edge is written before the inner right edge adds its
        // meeting node: its saved data hold that node only once the model is
        // drawn (which refreshes every edge's data).
        bool senzaIncontro = originali[i]->getCodiceEnum() == 4000 && no.size() == 3;
        ASSERT_EQ(nl.size(), senzaIncontro ? 2u : no.size()) << i;
        if (!nl.empty()) {
            EXPECT_NEAR(nl.back()->getQuota(), no.back()->getQuota(), 1e-9) << i;
        }
        EXPECT_TRUE(letti[i]->getEntita().IsVivo());
    }
    std::vector<CAsseRamo*> assi = Assi(*caricato);
    ASSERT_EQ(assi.size(), 3u);
    EXPECT_EQ(assi[1]->getNome(), L"SP 2");
    EXPECT_EQ(assi[1]->getTracciato(), nullptr);  // axes made while loading have no alignment
    EXPECT_NEAR(assi[1]->getQuotaCentriRotazione(), 54.13, 1e-9);
    AcDbLayerTable* layer = nullptr;
    m_db->getLayerTable(layer, AcDb::kForRead);
    EXPECT_TRUE(layer->has(L"Rotatoria Sud-QVRO3D-PLAN"));
    layer->close();
}

// The plan read again by another roundabout while the drawing holds its
// model: the model's block and reference are taken over (emptied and drawn
// again), a copy of the model that an earlier reading left is dropped, and
// every edge keeps the alignment its edge of the old model was exported as.
TEST_F(ReloadTest, ThePlanReadAgainReplacesItsModel) {
    std::vector<AcDbObjectId> ids = Disegna(TreRami());
    ASSERT_EQ(Leggi(*m_rotatoria, ids[0]), 1);
    ASSERT_EQ(m_rotatoria->disegna3D(nullptr), 1);
    std::vector<CCiglio3D*> vecchi = Cigli(*m_rotatoria);
    vecchi[1]->SetDato(CDato(22, L"TRACCIATO-ANELLO"));
    vecchi[5]->SetDato(CDato(22, L"TRACCIATO-RAMO"));
    for (CCiglio3D* c : vecchi) c->aggiornaDatiEstesi();
    ZylBlockRefID modello = m_rotatoria->getRiferimentoBlocco();
    // A second model of the same plan, as an earlier reading left it.
    IEntityUtils* utils = Ombrix::GetEntityUtils();
    ZylTableRecordID record;
    ASSERT_EQ(Ombrix::GetTableUtils()->CreaRecord(ZYL_TABELLA_BLOCCHI, L"*X", CADDatoArray(), record), 1);
    CADDatoArray dati;
    dati.AddRichiesta(10);
    dati.AddRichiesta(-3);
    modello.GetDati(dati);
    ZylBlockRefID copia;
    ASSERT_NE(utils->InserisciBlocco(copia, ZylBlockID(record.GetObjectId()), dati), 0);
    auto riferimenti = [&] {
        CADDatoArray sel, filtro;
        filtro.Add(5020, L"INSERT");
        filtro.Add(1001, L"QV-VORTANA-INTERS-ROT_3D");
        return utils->Seleziona(sel, L"_X", filtro);
    };
    ASSERT_EQ(riferimenti(), 2);
    m_rotatoria.reset();

    auto r = Nuovo<CRotatoria3D>(29000);
    size_t blocchi = Blocchi();
    ASSERT_EQ(Leggi(*r, ids[0]), 1);
    EXPECT_EQ(Blocchi(), blocchi);
    EXPECT_EQ(r->getRiferimentoBlocco().GetObjectId(), modello.GetObjectId());
    EXPECT_EQ(r->getBlocco().GetObjectId(), modello.GetBlocco().GetObjectId());
    EXPECT_FALSE(copia.IsVivo());
    EXPECT_EQ(riferimenti(), 1);
    // The block holds the new model's plan polylines only (axes and edges).
    EXPECT_EQ(Polilinee(r->getBlocco()).size(), 3u + Cigli(*r).size());
    std::vector<CCiglio3D*> nuovi = Cigli(*r);
    ASSERT_EQ(nuovi.size(), vecchi.size());
    for (size_t i = 0; i < nuovi.size(); ++i)
        EXPECT_EQ(nuovi[i]->GetDato(22).GetString(), i == 1 ? L"TRACCIATO-ANELLO" : i == 5 ? L"TRACCIATO-RAMO" : L"")
            << i;
    ASSERT_EQ(r->disegna3D(nullptr), 1);
    EXPECT_EQ(riferimenti(), 1);
}

// Saved into a drawing file and opened again: the model comes back the same.
TEST_F(ReloadTest, AModelComesBackFromASavedDrawing) {
    ZylBlockRefID riferimento = LeggiEInserisci();
    std::wstring handle = riferimento.GetHandle();
    std::string file = ::testing::TempDir() + "rotatoria-salvata.dxf";
    std::wstring wfile(file.begin(), file.end());
    ASSERT_EQ(m_db->dxfOut(wfile.c_str()), Acad::eOk);

    auto aperto = std::make_unique<AcDbDatabase>(false, true);
    ASSERT_EQ(aperto->dxfIn(wfile.c_str()), Acad::eOk);
    acdbHostApplicationServices()->setWorkingDatabase(aperto.get());
    {
        ZylEntityID salvato(handle.c_str(), ZylDatabase());
        ASSERT_FALSE(salvato.IsNull());
        auto caricato = Nuovo<CRotatoria3D>(29000);
        ASSERT_EQ(caricato->disegna(salvato), 1);
        EXPECT_EQ(Codici(*caricato), CodiciTreRami());
        EXPECT_EQ(caricato->getNome(), L"Rotatoria Sud");
        EXPECT_DOUBLE_EQ(caricato->getPassoSezioni(), 7.5);
        EXPECT_EQ(caricato->getRicalcolaPendenzeRami(), 0);
        std::vector<CCiglio3D*> letti = Cigli(*caricato), originali = Cigli(*m_rotatoria);
        for (size_t i = 0; i < letti.size(); ++i) {
            EXPECT_EQ(letti[i]->getDescrizione(), originali[i]->getDescrizione()) << i;
            EXPECT_NEAR(letti[i]->getLunghezza(), originali[i]->getLunghezza(), 1e-9) << i;
        }
        EXPECT_EQ(Assi(*caricato)[0]->getNome(), L"SP 1");
        EXPECT_TRUE(vplat::OpenObjects(aperto.get()).empty());
    }
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
}

// Saved data that cannot be rebuilt into an edge of the model are skipped.
TEST_F(ReloadTest, SavedDataThatAreNoEdgeOfTheModelAreSkipped) {
    ZylBlockRefID riferimento = LeggiEInserisci();
    IQvObject_Serializer serializzatore(nullptr);
    auto dati = [&](IQvObject* o) {
        CADDatoArray coppie, estesi;
        serializzatore.SetToCADDatoArray(coppie, o);
        estesi.Add(1001, L"QV-VORTANA-INTERS-ROT_3D");
        estesi.Add(1071, 1);
        for (int i = 0; i < coppie.GetCount(); ++i) {
            estesi.Add(1071, coppie[i].GetCodice());
            if (coppie[i].GetTipo() == CADDatoArray::Intero) estesi.Add(1071, coppie[i].GetInt());
            if (coppie[i].GetTipo() == CADDatoArray::Reale) estesi.Add(1040, coppie[i].GetDouble());
            if (coppie[i].GetTipo() == CADDatoArray::Testo) estesi.Add(1000, coppie[i].GetStringa());
        }
        return estesi;
    };
    auto nodo = Nuovo<CPuntoNodo>(29008);
    auto ramo = Nuovo<CCiglio3D>(29002);
    ramo->SetDato(CDato(1, L"rCEIn"));
    auto anello = Nuovo<CCiglio3D>(29001);
    anello->SetDato(CDato(1, L"aCInt"));
    // The duplicate inner ring last: its refusal ends the walk.
    for (IQvObject* o : {static_cast<IQvObject*>(nodo.get()), static_cast<IQvObject*>(ramo.get()),
                         static_cast<IQvObject*>(anello.get())}) {
        CADDatoArray vertici, proprieta;
        vertici.Add(0, 0.0, 0.0, 0.0);
        vertici.Add(1, 15.0, 0.0, 0.0);
        proprieta.Add(10, vertici);
        proprieta.Add(-3, dati(o));
        ZylPolylineID p;
        ASSERT_NE(Ombrix::GetEntityUtils()->CreaPolilinea(ZYL_POLILINEA_2D, proprieta, p, m_rotatoria->getBlocco()), 0);
    }
    auto caricato = Nuovo<CRotatoria3D>(29000);
    ASSERT_EQ(caricato->disegna(riferimento), 1);
    EXPECT_EQ(Codici(*caricato), CodiciTreRami());
    EXPECT_EQ(Messaggi(), std::vector<std::wstring>{L"Anello interno: ciglio doppio!"});
    // The sanitizer build reports any object left behind.
}

TEST_F(ReloadTest, AzzeraForgetsThe3DEntity) {
    auto c = Nuovo<CCiglio3D>(29001);
    c->SetDato(CDato(17, L"2F"));
    c->azzera();
    EXPECT_TRUE(c->GetDato(17).GetString().IsEmpty());
    EXPECT_TRUE(c->isNonTrovato());
}

}  // namespace
