#include <cmath>

#include "CadFixture.h"

namespace {

CADDatoArray Richieste(std::initializer_list<int> codici) {
    CADDatoArray r;
    for (int c : codici) r.AddRichiesta(c);
    return r;
}

CADDatoArray Estesi(const wchar_t* app, const wchar_t* testo, int numero) {
    CADDatoArray x;
    x.Add(1001, app);
    x.Add(1000, testo);
    x.Add(1071, numero);
    return x;
}

using EntityData = CadTest;

TEST_F(EntityData, CircleCentreAndRadius) {
    ZylEntityID c(AppendToBlock(db(), new AcDbCircle(AcGePoint3d(5, 6, 1), AcGeVector3d(0, 0, 1), 2.5)));
    EXPECT_EQ(c.GetTipo(), ZYL_CERCHIO);
    CADDatoArray r = Richieste({10, 40});
    ASSERT_EQ(c.GetDati(r), 1);
    ASSERT_EQ(r.GetCount(), 2);
    EXPECT_EQ(r[0].GetCodice(), 10);
    EXPECT_EQ(Xyz(r[0]), (std::vector<double>{5, 6, 1}));
    EXPECT_EQ(r[1].GetCodice(), 40);
    EXPECT_DOUBLE_EQ(r[1].GetDouble(), 2.5);

    // A property the entity lacks leaves its request and answers 0.
    CADDatoArray manca = Richieste({42});
    EXPECT_EQ(c.GetDati(manca), 0);
    EXPECT_EQ(manca[0].GetTipo(), CADDatoArray::Richiesta);
}

TEST_F(EntityData, PolylineVerticesAndBulgesAsNestedArrays) {
    struct Caso {
        int tipo;
        std::vector<double> bulgeAttesi;
    };
    for (const Caso& caso : {Caso{ZYL_POLILINEA_2D, {0.5, -1, 0}}, Caso{ZYL_POLILINEA_3D, {0, 0, 0}}}) {
        ZylPolylineID p = NuovaPolilinea(caso.tipo, Polilinea({{0, 0, 0, 0.5}, {10, 0, 0, -1}, {10, 10, 0}}));
        EXPECT_EQ(p.GetTipo(), caso.tipo);
        CADDatoArray r = Richieste({10, 42});
        ASSERT_EQ(p.GetDati(r), 1);
        const CADDatoArray* v = r.GetArray(10);
        const CADDatoArray* b = r.GetArray(42);
        ASSERT_TRUE(v && b);
        ASSERT_EQ(v->GetCount(), 3);
        ASSERT_EQ(b->GetCount(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ((*v)[i].GetCodice(), i);
            EXPECT_EQ((*b)[i].GetCodice(), i);
            EXPECT_DOUBLE_EQ((*b)[i].GetDouble(), caso.bulgeAttesi[static_cast<size_t>(i)]) << caso.tipo;
        }
        EXPECT_EQ(Xyz((*v)[1]), (std::vector<double>{10, 0, 0}));

        CADDatoArray vertici, bulge;
        ASSERT_EQ(p.GetVertici(vertici, bulge), 1);
        EXPECT_EQ(vertici.GetCount(), 3);
        EXPECT_DOUBLE_EQ(bulge[0].GetDouble(), caso.bulgeAttesi[0]);
    }
}

TEST_F(EntityData, ExtendedDataOfTwoApplicationsInOrder) {
    ZylEntityID e(AppendToBlock(db(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0))));
    CADDatoArray nessuno;
    EXPECT_EQ(e.GetDatiEstesi(nessuno), 0);
    EXPECT_EQ(nessuno.GetCount(), 0);

    // Neither application is registered yet: setting the data registers it.
    CADDatoArray x = Estesi(L"QV-PRIMA", L"uno", 1);
    CADDatoArray seconda = Estesi(L"QV-SECONDA", L"due", 2);
    for (int i = 0; i < seconda.GetCount(); ++i) x.Add(seconda[i]);
    ASSERT_EQ(e.SetDatiEstesi(x), 1);

    CADDatoArray letti;
    ASSERT_NE(e.GetDatiEstesi(letti), 0);
    ASSERT_EQ(letti.GetCount(), 6);
    std::vector<int> codici;
    for (int i = 0; i < letti.GetCount(); ++i) codici.push_back(letti[i].GetCodice());
    EXPECT_EQ(codici, (std::vector<int>{1001, 1000, 1071, 1001, 1000, 1071}));
    EXPECT_STREQ(letti[3].GetStringa(), L"QV-SECONDA");
    EXPECT_EQ(letti[5].GetTipo(), CADDatoArray::Intero);
    EXPECT_EQ(letti[5].GetInt(), 2);

    // The same through a -3 request; a new set replaces one application only.
    ASSERT_EQ(e.SetDatiEstesi(Estesi(L"QV-PRIMA", L"nuovo", 7)), 1);
    CADDatoArray r = Richieste({-3});
    ASSERT_EQ(e.GetDati(r), 1);
    const CADDatoArray* annidato = r.GetArray(-3);
    ASSERT_TRUE(annidato);
    ASSERT_EQ(annidato->GetCount(), 6);
    EXPECT_STREQ((*annidato)[1].GetStringa(), L"nuovo");
    EXPECT_STREQ((*annidato)[4].GetStringa(), L"due");

    // Items before any application are refused.
    CADDatoArray senzaApp;
    senzaApp.Add(1000, L"orfano");
    EXPECT_EQ(e.SetDatiEstesi(senzaApp), 0);
}

TEST_F(EntityData, PolylineInAnAnonymousBlockThenItsVerticesChanged) {
    ZylBlockID blocco = Anonimo();
    CADDatoArray x = Estesi(L"QV-VORTANA-INTERS-ROT_3D", L"aCExt", 1);
    ZylPolylineID p = NuovaPolilinea(ZYL_POLILINEA_2D, Polilinea({{0, 0, 0, 1}, {4, 0, 0, 1}, {0, 0, 0}}, L"RT-PLAN", &x), blocco);
    ASSERT_FALSE(p.IsNull());

    auto* e = vplat::Peek<AcDbEntity>(p.GetObjectId());
    ASSERT_TRUE(e);
    EXPECT_EQ(e->ownerId(), blocco.GetObjectId());
    EXPECT_EQ(e->layerName(), L"RT-PLAN");  // made, as it was missing
    ZylTableRecordID layer;
    EXPECT_EQ(Ombrix::GetTableUtils()->CercaRecord(ZYL_TABELLA_LAYER, L"RT-PLAN", layer), 1);
    CADDatoArray letti;
    ASSERT_NE(p.GetDatiEstesi(letti), 0);
    EXPECT_STREQ(letti[1].GetStringa(), L"aCExt");
    CADDatoArray v0, b0;
    ASSERT_EQ(p.GetVertici(v0, b0), 1);
    ASSERT_EQ(v0.GetCount(), 3);
    EXPECT_EQ(Xyz(v0[1]), (std::vector<double>{4, 0, 0}));
    EXPECT_EQ((std::vector<double>{b0[0].GetDouble(), b0[1].GetDouble(), b0[2].GetDouble()}),
              (std::vector<double>{1, 1, 0}));

    // Fewer vertices, then more; the bulges follow their keys.
    for (const auto& nuovi : std::vector<std::vector<std::vector<double>>>{
             {{1, 1, 0, 0.25}, {2, 2, 0}}, {{0, 0, 0}, {1, 0, 0, -0.5}, {2, 0, 0}, {3, 0, 0}}}) {
        ASSERT_EQ(Ombrix::GetEntityUtils()->ModificaVertici(p, Polilinea(nuovi)), 1);
        CADDatoArray v, b;
        ASSERT_EQ(p.GetVertici(v, b), 1);
        ASSERT_EQ(v.GetCount(), static_cast<int>(nuovi.size()));
        for (int i = 0; i < v.GetCount(); ++i) {
            EXPECT_EQ(Xyz(v[i])[0], nuovi[static_cast<size_t>(i)][0]);
            EXPECT_DOUBLE_EQ(b[i].GetDouble(), nuovi[static_cast<size_t>(i)].size() > 3 ? nuovi[static_cast<size_t>(i)][3] : 0);
        }
    }
    EXPECT_EQ(e->layerName(), L"RT-PLAN");

    // No layer, or an empty one: layer "0".
    for (const wchar_t* nome : {static_cast<const wchar_t*>(nullptr), L""}) {
        ZylPolylineID q = NuovaPolilinea(ZYL_POLILINEA_3D, Polilinea({{0, 0, 0}, {1, 1, 1}}, nome));
        EXPECT_EQ(vplat::Peek<AcDbEntity>(q.GetObjectId())->layerName(), L"0");
        EXPECT_EQ(vplat::Peek<AcDbEntity>(q.GetObjectId())->ownerId(), db()->currentSpaceId());
    }
    // Another kind, or no vertex at all: nothing made, nothing changed.
    ZylPolylineID nessuna;
    EXPECT_EQ(Ombrix::GetEntityUtils()->CreaPolilinea(ZYL_LINEA, Polilinea({{0, 0, 0}}), nessuna), 0);
    EXPECT_EQ(Ombrix::GetEntityUtils()->CreaPolilinea(ZYL_POLILINEA_2D, Polilinea({}, L"RT-PLAN"), nessuna), 0);
    EXPECT_TRUE(nessuna.IsNull());
    EXPECT_EQ(Ombrix::GetEntityUtils()->ModificaVertici(p, Polilinea({})), 0);
    CADDatoArray v, b;
    ASSERT_EQ(p.GetVertici(v, b), 1);
    EXPECT_EQ(v.GetCount(), 4);
}

TEST_F(EntityData, EraseAndHandleLookup) {
    ZylEntityID a(AppendToBlock(db(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0))));
    ZylEntityID b(AppendToBlock(db(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 1, 0))));
    std::wstring ha = a.GetHandle(), hb = b.GetHandle();
    ASSERT_FALSE(ha.empty());

    ZylEntityID trovata;
    ASSERT_EQ(ZylDatabase().CercaEntita(ha.c_str(), trovata), 1);
    EXPECT_EQ(trovata.GetObjectId(), a.GetObjectId());
    EXPECT_EQ(ZylEntityID(hb.c_str(), ZylDatabase(db())).GetObjectId(), b.GetObjectId());

    EXPECT_EQ(Ombrix::GetEntityUtils()->Cancella(a), 1);
    EXPECT_FALSE(a.IsVivo());
    EXPECT_EQ(Ombrix::GetEntityUtils()->Cancella(a), 0);  // not twice
    EXPECT_EQ(ZylDatabase().CercaEntita(ha.c_str(), trovata), 0);
    EXPECT_TRUE(trovata.IsNull());
    EXPECT_EQ(a.GetTipo(), 0);
    CADDatoArray r = Richieste({10});
    EXPECT_EQ(a.GetDati(r), 0);
    for (const wchar_t* cattivo : {L"", L"ZZ", L"FFFFF"}) EXPECT_EQ(ZylDatabase().CercaEntita(cattivo, trovata), 0);
}

TEST_F(EntityData, EntitiesOfEachKindInABlock) {
    ZylBlockID blocco = Anonimo();
    CADDatoArray linea;
    linea.Add(8, L"RT-SEZ");
    linea.Add(62, 3);
    linea.Add(10, 0.0, 0.0, 10.0);
    linea.Add(11, 5.0, 0.0, 9.9);
    CADDatoArray faccia;
    for (int c = 10; c <= 13; ++c) faccia.Add(c, c - 10.0, 1.0, 0.0);
    CADDatoArray testo;
    testo.Add(10, 1.0, 2.0, 3.0);
    testo.Add(1, L"2.000 %");
    testo.Add(40, 0.2);
    testo.Add(50, M_PI / 2);
    CADDatoArray attributo = testo;
    attributo.Add(2, L"SCALEDISTR");
    attributo.Add(3, L"Scala");
    auto* u = Ombrix::GetEntityUtils();
    EXPECT_EQ(u->CreaEntita(ZYL_LINEA, linea, blocco), 1);
    EXPECT_EQ(u->CreaEntita(ZYL_FACCIA_3D, faccia, blocco), 1);
    EXPECT_EQ(u->CreaEntita(ZYL_TESTO, testo, blocco), 1);
    EXPECT_EQ(u->CreaEntita(ZYL_DEFINIZIONE_ATTRIBUTO, attributo, blocco), 1);
    // A kind it does not make, or a code the kind does not take: nothing made.
    EXPECT_EQ(u->CreaEntita(ZYL_CERCHIO, linea, blocco), 0);
    EXPECT_EQ(u->CreaEntita(ZYL_LINEA, faccia, blocco), 0);

    CADDatoArray filtro, sel;
    filtro.Add(5020, L"*");
    EXPECT_EQ(u->Seleziona(sel, L"X", filtro, blocco), 4);
    std::vector<int> tipi;
    for (int i = 0; i < sel.GetCount(); ++i) tipi.push_back(sel[i].GetEntityID().GetTipo());
    EXPECT_EQ(tipi, (std::vector<int>{ZYL_LINEA, ZYL_FACCIA_3D, ZYL_TESTO, ZYL_DEFINIZIONE_ATTRIBUTO}));

    auto* l = vplat::Peek<AcDbLine>(sel[0].GetEntityID().GetObjectId());
    EXPECT_EQ(l->layerName(), L"RT-SEZ");
    EXPECT_EQ(l->colorIndex(), 3);
    EXPECT_DOUBLE_EQ(l->endPoint().z, 9.9);
    auto* t = vplat::Peek<AcDbText>(sel[2].GetEntityID().GetObjectId());
    EXPECT_DOUBLE_EQ(t->rotation(), M_PI / 2);  // radians
    EXPECT_STREQ(t->textStringConst(), L"2.000 %");
    AcGePoint3d angolo;
    vplat::Peek<AcDbFace>(sel[1].GetEntityID().GetObjectId())->getVertexAt(3, angolo);
    EXPECT_DOUBLE_EQ(angolo.x, 3.0);
    EXPECT_STREQ(vplat::Peek<AcDbAttributeDefinition>(sel[3].GetEntityID().GetObjectId())->tagConst(), L"SCALEDISTR");
}

TEST_F(EntityData, BlockReferenceInsertedThenItsPropertiesReplaced) {
    ZylBlockID blocco = Anonimo();
    CADDatoArray p;
    p.Add(10, 10.0, 20.0, 0.0);
    p.Add(-3, Estesi(L"QV-VORTANA-INTERS-ROT_3D", L"Rot", 1));
    ZylBlockRefID rif;
    ASSERT_NE(Ombrix::GetEntityUtils()->InserisciBlocco(rif, blocco, p), 0);
    EXPECT_EQ(rif.GetTipo(), ZYL_RIFERIMENTO_BLOCCO);
    EXPECT_EQ(vplat::Peek<AcDbEntity>(rif.GetObjectId())->ownerId(), db()->currentSpaceId());
    EXPECT_EQ(rif.GetBlocco().GetObjectId(), blocco.GetObjectId());
    CADDatoArray prima;
    prima.AddRichiesta(10);
    ASSERT_EQ(rif.GetDati(prima), 1);
    EXPECT_EQ(Xyz(prima[0]), (std::vector<double>{10, 20, 0}));

    CADDatoArray nuove;
    nuove.Add(10, -5.0, 7.0, 1.0);
    nuove.Add(50, 0.25);
    nuove.Add(8, L"RT-3DFACE");
    nuove.Add(-3, Estesi(L"QV-VORTANA-INTERS-ROT_3D", L"Rot2", 2));
    ASSERT_EQ(rif.SetDati(nuove), 1);

    CADDatoArray filtro, sel;
    filtro.Add(5020, L"INSERT");
    ASSERT_EQ(Ombrix::GetEntityUtils()->Seleziona(sel, L"_X", filtro), 1);
    EXPECT_EQ(sel[0].GetEntityID().GetObjectId(), rif.GetObjectId());
    CADDatoArray r = Richieste({10, -3, 50});
    ASSERT_EQ(rif.GetDati(r), 1);
    EXPECT_EQ(Xyz(r[0]), (std::vector<double>{-5, 7, 1}));
    EXPECT_STREQ((*r.GetArray(-3))[1].GetStringa(), L"Rot2");
    // The rotation comes back in radians, as given; the drawing holds degrees.
    EXPECT_DOUBLE_EQ(r[2].GetDouble(), 0.25);
    auto* ref = vplat::Peek<AcDbBlockReference>(rif.GetObjectId());
    EXPECT_DOUBLE_EQ(ref->rotation(), 0.25);
    EXPECT_DOUBLE_EQ(vplat::TagReal(ref->data(), 50), vplat::DegreesOf(0.25));
    EXPECT_EQ(ref->layerName(), L"RT-3DFACE");
    EXPECT_EQ(rif.GetBlocco().GetObjectId(), blocco.GetObjectId());

    // No block, a layout's block, a block inside itself: refused.
    ZylBlockRefID nessuno;
    EXPECT_EQ(Ombrix::GetEntityUtils()->InserisciBlocco(nessuno, ZylBlockID(), p), 0);
    EXPECT_EQ(Ombrix::GetEntityUtils()->InserisciBlocco(nessuno, ZylBlockID(db()->currentSpaceId()), p), 0);
    EXPECT_EQ(Ombrix::GetEntityUtils()->InserisciBlocco(nessuno, blocco, p, blocco), 0);
    EXPECT_TRUE(nessuno.IsNull());
    CADDatoArray tutte, filtroTutte;
    filtroTutte.Add(5020, L"INSERT");
    EXPECT_EQ(Ombrix::GetEntityUtils()->Seleziona(tutte, L"X", filtroTutte, blocco), 0);
}

class Selezione : public CadTest {
protected:
    void SetUp() override {
        CadTest::SetUp();
        m_blocco = Anonimo();
        m_altro = Anonimo();
        CADDatoArray tag = Estesi(L"QV-VORTANA-NPOLI", L"CDX", 0);
        auto quadro = Polilinea({{0, 0, 0}, {1, 0, 0}});
        m_nelBlocco = {NuovaPolilinea(ZYL_POLILINEA_2D, quadro, m_blocco).GetHandle(),
                       NuovaPolilinea(ZYL_POLILINEA_3D, quadro, m_blocco).GetHandle(),
                       NuovaPolilinea(ZYL_POLILINEA_2D, quadro, m_blocco).GetHandle()};
        NuovaPolilinea(ZYL_POLILINEA_2D, quadro, m_altro);
        AppendToBlock(db(), new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 1));
        m_modello = {NuovaPolilinea(ZYL_POLILINEA_2D, Polilinea({{0, 0, 0}, {2, 0, 0}}, nullptr, &tag)).GetHandle()};
        NuovaPolilinea(ZYL_POLILINEA_2D, quadro);  // untagged
        NuovaPolilinea(ZYL_POLILINEA_2D, Polilinea({{0, 0, 0}, {3, 0, 0}}, nullptr, &tag), m_blocco);
        m_nelBlocco.push_back(Handles(Ultima(m_blocco))[0]);
    }

    CADDatoArray Ultima(const ZylBlockID& b) {
        CADDatoArray filtro, sel;
        filtro.Add(5020, L"POLYLINE");
        filtro.Add(1001, L"QV-VORTANA-NPOLI");
        Ombrix::GetEntityUtils()->Seleziona(sel, L"X", filtro, b);
        return sel;
    }

    std::vector<std::wstring> Polilinee(const wchar_t* modo, const ZylBlockID& b = ZylBlockID(),
                                        const wchar_t* app = nullptr) {
        CADDatoArray filtro, sel;
        filtro.Add(5020, L"POLYLINE");
        if (app) filtro.Add(1001, app);
        int n = Ombrix::GetEntityUtils()->Seleziona(sel, modo, filtro, b);
        EXPECT_EQ(n, sel.GetCount());
        return Handles(sel);
    }

    ZylBlockID m_blocco, m_altro;
    std::vector<std::wstring> m_nelBlocco, m_modello;
};

TEST_F(Selezione, InsideABlockFindsThatBlocksPolylinesOnly) {
    EXPECT_EQ(Polilinee(L"X", m_blocco), m_nelBlocco);
    EXPECT_EQ(Polilinee(L"x", m_blocco).size(), 4u);
}

TEST_F(Selezione, InTheDrawingByTypeAndApplicationFindsTaggedModelSpaceEntities) {
    EXPECT_EQ(Polilinee(L"_X", ZylBlockID(), L"QV-VORTANA-NPOLI"), m_modello);
    EXPECT_EQ(Polilinee(L"_X").size(), 2u);  // model space's two, none of the blocks'
    // A paper-space layout is searched too.
    CADDatoArray tag = Estesi(L"QV-VORTANA-NPOLI", L"CSX", 0);
    ZylBlockID carta(db()->store().layouts.size() > 1 ? vplat::Peek<AcDbLayout>(db()->store().layouts[1])->getBlockTableRecordId() : AcDbObjectId());
    ASSERT_FALSE(carta.IsNull());
    std::wstring inCarta = NuovaPolilinea(ZYL_POLILINEA_2D, Polilinea({{0, 0, 0}, {1, 1, 0}}, nullptr, &tag), carta).GetHandle();
    EXPECT_EQ(Polilinee(L"_X", ZylBlockID(), L"QV-VORTANA-NPOLI"), (std::vector<std::wstring>{m_modello[0], inCarta}));
}

TEST_F(Selezione, AnErasedEntityIsNotSelectedAgain) {
    ZylEntityID seconda(m_nelBlocco[1].c_str(), ZylDatabase());
    ASSERT_EQ(Ombrix::GetEntityUtils()->Cancella(seconda), 1);
    std::vector<std::wstring> attese = {m_nelBlocco[0], m_nelBlocco[2], m_nelBlocco[3]};
    EXPECT_EQ(Polilinee(L"X", m_blocco), attese);
    // Erasing everything found, then selecting again, finds nothing.
    for (const std::wstring& h : attese) EXPECT_EQ(Ombrix::GetEntityUtils()->Cancella(ZylEntityID(h.c_str(), ZylDatabase())), 1);
    EXPECT_TRUE(Polilinee(L"X", m_blocco).empty());
}

TEST_F(Selezione, OtherModesAndFiltersWithoutTypeFindNothing) {
    CADDatoArray sel, soloApp;
    soloApp.Add(1001, L"QV-VORTANA-NPOLI");
    EXPECT_EQ(Ombrix::GetEntityUtils()->Seleziona(sel, L"X", soloApp, m_blocco), 0);
    EXPECT_TRUE(Polilinee(L"", m_blocco).empty());
    EXPECT_TRUE(Polilinee(nullptr, m_blocco).empty());
    EXPECT_TRUE(Polilinee(L"W", m_blocco).empty());
    EXPECT_EQ(sel.GetCount(), 0);
}

}  // namespace
