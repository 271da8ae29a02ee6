// Vertex lists, crossings and extended data of entities in a drawing.
#include <gtest/gtest.h>

#include <arx.h>

#include "DxfFile.h"
#include "HostScript.h"
#include "HostText.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "ListFixtures.h"
#include "ModelSpace.h"
#include "QvEngineering.h"
#include "RoadGenerator.h"
#include "TracciatoDatiEstesi.h"
#include "WorkingDrawing.h"

using fixtures::kPi;
using fixtures::Lista;

namespace {

class DisegnoTest : public WorkingDrawingTest {
protected:

    AcDbObjectId Aggiungi(AcDbEntity* e) { return AppendToBlock(m_db.get(), e); }
    AcDbObjectId Polilinea(std::initializer_list<fixtures::V> v, bool chiusa = false, resbuf* dati = nullptr) {
        AcGePoint3dArray punti;
        AcGeDoubleArray bulge;
        for (const auto& p : v) {
            punti.append(AcGePoint3d(p.x, p.y, 0));
            bulge.append(p.bulge);
        }
        auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, punti, 0, chiusa, 0, 0, &bulge);
        if (dati) {
            pl->setXData(dati);
            acutRelRb(dati);
        }
        return Aggiungi(pl);
    }
    Lista Leggi(AcDbObjectId id) {
        ads_name n;
        EXPECT_EQ(acdbGetAdsName(n, id), Acad::eOk);
        datipoli* l = nullptr;
        EXPECT_NE(LeggiDATIPOLI(n, &l, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, 0), 0);
        return Lista(l);
    }

};

TEST_F(DisegnoTest, PolylinesAndAlignmentsReadWithTheirChainages) {
    Lista aperta = Leggi(Polilinea({{0, 0, 0}, {10, 0, fixtures::BulgeQuarto()}, {20, 10, 0}}));
    ASSERT_EQ(aperta.Conta(), 3);
    EXPECT_EQ(aperta.get()->prog, 0);
    EXPECT_NEAR(aperta.Ultimo()->prog, 10 + 5 * kPi, 1e-9);
    EXPECT_NEAR(aperta.Nodo(1)->raggio, 10, 1e-9);

    // A closed polyline ends on its first vertex, the closing arc included.
    Lista chiusa = Leggi(Polilinea({{0, 0, 0}, {10, 0, 0}, {10, 10, 1}}, true));
    ASSERT_EQ(chiusa.Conta(), 4);
    EXPECT_TRUE(CheckerOf(chiusa.get()).Closed());
    EXPECT_EQ(chiusa.Nodo(2)->bulge, 1);
    EXPECT_NEAR(chiusa.Ultimo()->prog, 20 + kPi * std::sqrt(200.0) / 2, 1e-9);

    // An alignment's chainages start at its start chainage.
    RegApplicazione(vplat::kAppTracciato, nullptr);
    resbuf* dati = acutBuildList(1001, vplat::kAppTracciato, 1000, L"TR1", 1040, 1000.0, 1071, 22400, 1000,
                                 L"SS 16", RTNONE);
    Lista asse = Leggi(Polilinea({{0, 0, 0}, {100, 0, 0}}, false, dati));
    EXPECT_EQ(asse.get()->prog, 1000);
    EXPECT_EQ(asse.Ultimo()->prog, 1100);

    auto* linea = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
    ads_name n;
    acdbGetAdsName(n, Aggiungi(linea));
    datipoli* l = nullptr;
    EXPECT_EQ(LeggiDATIPOLI(n, &l), 0);
    EXPECT_EQ(l, nullptr);
    ads_name nessuno = {0, 0};
    EXPECT_EQ(LeggiDATIPOLI(nessuno, &l), 0);
}

TEST_F(DisegnoTest, CrossingsOfEntitiesRealAndApparent) {
    AcDbObjectId principale = Polilinea({{-50, 0, 0}, {50, 0, 0}});
    AcDbObjectId secondaria = Polilinea({{5, -30, 0}, {5, -10, 0}});
    AcGePoint3dArray punti;
    punti.append(AcGePoint3d(9, 9, 9));  // emptied first
    EXPECT_EQ(Inters_2AcDbEntity2D(principale, secondaria, punti, 0.0, 0.0, 1), 0);
    EXPECT_EQ(punti.length(), 0);
    ASSERT_EQ(Inters_2AcDbEntity2D(principale, secondaria, punti, 0.0, 1000.0, 1), 1);
    EXPECT_NEAR(punti[0].x, 5, 1e-9);
    EXPECT_NEAR(punti[0].y, 0, 1e-9);
    EXPECT_EQ(Inters_2AcDbEntity2D(principale, AcDbObjectId(), punti, 0.0, 0.0, 1), -1);

    Lista a{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    Lista b{{5, 15, 0}, {5, -5, 0}};
    CADDatoArray dati;
    ASSERT_EQ(Inters_2_DATIPOLI_2D(a.get(), b.get(), dati, 0.0, 0.0, 0), 2);
    EXPECT_EQ(dati.GetCount(), 2);
    ASSERT_EQ(Inters_2_DATIPOLI_2D(b.get(), a.get(), punti, 0.0, 0.0, 1), 2);
    EXPECT_NEAR(punti[0].y, 10, 1e-9);  // along b, which runs south
    EXPECT_NEAR(punti[1].y, 0, 1e-9);
}

TEST_F(DisegnoTest, ExtendedDataErasingAndApplications) {
    EXPECT_EQ(RegApplicazione(L"QV-VORTANA-NPOLI", nullptr), 1);
    EXPECT_EQ(RegApplicazione(L"", nullptr), 0);
    resbuf* dati = acutBuildList(1001, L"QV-VORTANA-NPOLI", 1070, 1, 1000, L"CDX", 1000, L"SS 16", RTNONE);
    AcDbObjectId id = Polilinea({{0, 0, 0}, {10, 0, 0}}, false, dati);
    resbuf* letti = LeggiDatiEstesi(id, L"QV-VORTANA-NPOLI");
    ASSERT_NE(letti, nullptr);
    EXPECT_STREQ(mio_assoc(letti, 1000)->resval.rstring, L"CDX");
    acutRelRb(letti);
    EXPECT_EQ(LeggiDatiEstesi(id, L"ALTRA"), nullptr);

    AcDbDatabase altro;
    EXPECT_EQ(EraseEntityDaId(id, &altro), Acad::eNotInDatabase);
    EXPECT_EQ(EraseEntityDaId(AcDbObjectId(), nullptr), Acad::eNullObjectId);
    EXPECT_EQ(EraseEntityDaId(id, nullptr), Acad::eOk);
    AcDbEntity* e = nullptr;
    EXPECT_NE(acdbOpenObject(e, id, AcDb::kForRead), Acad::eOk);
}

}  // namespace

namespace {

// A sample road drawing, written by an independent writer, read through the
// drawing: the alignment's data and its edges come back, and survive a save
// and a reopen.
TEST_F(DisegnoTest, SampleRoadDrawingReadsBackAndSurvivesSaveAndReopen) {
    std::wstring errore;
    ASSERT_TRUE(vplat::ReadDxfFile(VORTANA_SOURCE "/samples/strade-incrocio-curva.dxf", m_db.get(), &errore));
    std::string testo = vplat::WriteDxfText(m_db.get());
    m_db = std::make_unique<AcDbDatabase>();
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    ASSERT_TRUE(vplat::ReadDxfText(testo, m_db.get(), &errore));

    resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", -3, 1001, vplat::kAppTracciato, RTNONE);
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_X", nullptr, nullptr, filtro, ss), RTNORM);
    acutRelRb(filtro);
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    ASSERT_EQ(n, 2);
    ads_name asse;
    acedSSName(ss, 0, asse);
    acedSSFree(ss);
    AcDbObjectId id;
    ASSERT_EQ(acdbGetObjectId(id, asse), Acad::eOk);
    resbuf* dati = LeggiDatiEstesi(id, vplat::kAppTracciato);
    datipoli* l = nullptr;
    ASSERT_NE(LeggiDATIPOLI(asse, &l), 0);
    ICTRACCIATO* t = vplat::DecodificaTracciato(dati, l, &errore);
    acutRelRb(dati);
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(t->GetDato(QV_DATO_NOME_TRACCIATO).GetString(), L"SS 9");
    EXPECT_EQ(l->prog, 1000);
    // The curve came back with its bulge: the list is as long as the axis drawn.
    EXPECT_NEAR(t->GetDato(QV_DATO_LUNGHEZZA).GetDouble(), 220 + 400 * kPi / 6 + 150, 1e-6);
    ICTRACCIATO_Costructor::Libera(&t, 1);
    LiberaDATIPOLI(&l);
}

}  // namespace

namespace {

// The lane records the leg builder writes: through the record and the
// alignment object, committed, released; then saved, reopened, and read by
// an independent DXF reader.
TEST_F(DisegnoTest, AlignmentRecordsSurviveSaveAndReopenAndOpenInEzdxf) {
    RegApplicazione(vplat::kAppTracciato, nullptr);
    resbuf* dati = acutBuildList(1001, vplat::kAppTracciato, 1000, L"TR77", 1040, 500.0, 1071, 22400, 1000,
                                 L"SS 16", RTNONE);
    AcDbObjectId id = Polilinea({{0, 0, 0}, {300, 0, 0}}, false, dati);
    tracciato* record = nullptr;
    ASSERT_NE(GetTracciato(id, &record), 0);
    EXPECT_STREQ(CTRACCIATO::getNomeInterno(record), L"TR77");
    ICTRACCIATO* t = ICTRACCIATO_Costructor::Alloca(record, id);
    ASSERT_NE(t, nullptr);
    const unsigned long flag[] = {8, 32, 16};
    for (int i = 0; i < 3; ++i) {
        ICELEMENTODATI* r = t->getListaDati(1511)->aggiungi(520.0 + 15 * i);
        r->getBitDato() += flag[i];
        r->SetDato(CDato(22052, i == 0 ? 0.0 : 3.5), 1);
        r->SetDato(CDato(22405, L"4242"), 1);
    }
    EXPECT_EQ(t->aggiornaDati(1505, 0), 1);
    EXPECT_EQ(t->aggiornaDati(0, -2), 1);
    EXPECT_EQ(t->aggiorna(), 1);
    ICTRACCIATO_Costructor::Libera(&t, 1);  // frees the record it took over too

    const std::string file = testing::TempDir() + "tracciato-record.dxf";
    std::wstring errore;
    ASSERT_TRUE(vplat::WriteDxfFile(file, m_db.get(), &errore));
    m_db = std::make_unique<AcDbDatabase>();
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    ASSERT_TRUE(vplat::ReadDxfFile(file, m_db.get(), &errore));
    resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", -3, 1001, vplat::kAppTracciato, RTNONE);
    ads_name ss, ent;
    ASSERT_EQ(acedSSGet(L"_X", nullptr, nullptr, filtro, ss), RTNORM);
    acutRelRb(filtro);
    acedSSName(ss, 0, ent);
    acedSSFree(ss);
    AcDbObjectId riaperto;
    acdbGetObjectId(riaperto, ent);
    ASSERT_NE(GetTracciato(riaperto, &record), 0);
    t = ICTRACCIATO_Costructor::Alloca(record, riaperto);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->getDatiPoli()->prog, 500);
    ICLISTADATI* l = t->getListaDati(1511);
    ASSERT_EQ(l->getNumero(), 3);
    int i = 0;
    for (ICELEMENTODATI* r = l->getPrimo(); r; r = l->getSuccessivo(r), ++i) {
        EXPECT_EQ(r->getProgressiva(), 520.0 + 15 * i);
        EXPECT_EQ(r->getBitDato().GetValore(), flag[i]);
        EXPECT_STREQ(r->GetDato(22405).GetString(), L"4242");
    }
    ICTRACCIATO_Costructor::Libera(&t, 1);

    const std::string comando = "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
                                "a=d.audit(); x=list(d.modelspace())[0].get_xdata('QV-TRACCIATO'); "
                                "sys.exit(1 if a.has_errors or x[0].value != 'TR77' else 0)\" " + file;
    EXPECT_EQ(std::system(comando.c_str()), 0);
}

}  // namespace

namespace {

TEST_F(DisegnoTest, AlignmentsFoundInCreationOrderAndByInternalName) {
    RegApplicazione(vplat::kAppTracciato, nullptr);
    Polilinea({{0, 0, 0}, {10, 0, 0}});  // a plain polyline is no alignment
    for (const wchar_t* nome : {L"TRB", L"TRA"})
        Polilinea({{0, 0, 0}, {50, 0, 0}}, false,
                  acutBuildList(1001, vplat::kAppTracciato, 1000, nome, 1040, 0.0, 1071, 22400, 1000, L"Strada",
                                RTNONE));
    elencotracciati* l = nullptr;
    ASSERT_EQ(CercaTracciatiEx2(&l, 1), 2);
    ASSERT_NE(l, nullptr);
    EXPECT_STREQ(l->nomeInterno, L"TRB");
    EXPECT_STREQ(l->nome, L"Strada");
    ASSERT_NE(l->next, nullptr);
    EXPECT_STREQ(l->next->nomeInterno, L"TRA");
    EXPECT_EQ(l->next->next, nullptr);

    ICTRACCIATO* t = nullptr;
    ASSERT_NE(GetTracciatoByNomeInterno(&t, L"TRA", nullptr), 0);
    EXPECT_STREQ(t->getNomeInterno(), L"TRA");
    ICTRACCIATO_Costructor::Libera(&t, 1);
    EXPECT_EQ(GetTracciatoByNomeInterno(&t, L"tra", nullptr), 0);
    EXPECT_EQ(t, nullptr);
}

}  // namespace

namespace {

TEST_F(DisegnoTest, AlignmentPickedByNameFromTheScript) {
    RegApplicazione(vplat::kAppTracciato, nullptr);
    AcDbObjectId id = Polilinea({{0, 0, 0}, {50, 0, 0}}, false,
                                acutBuildList(1001, vplat::kAppTracciato, 1000, L"TR9", 1040, 0.0, 1071, 22400,
                                              1000, L"Via Roma", RTNONE));
    ASSERT_TRUE(vplat::Script::Get().Load(L"tracciato Via Roma\ntracciato <cancel>\n"));
    ACHAR nome[256] = L"", b1[256], b2[256];
    ads_name ent = {0, 0};
    tracciato* r = nullptr;
    ASSERT_NE(SelezionaTraEx2(nome, ent, b1, b2, L"Selezionare la strada principale: ", &r, -1, 1), 0);
    EXPECT_STREQ(nome, L"Via Roma");
    AcDbObjectId picked;
    acdbGetObjectId(picked, ent);
    EXPECT_EQ(picked, id);
    EXPECT_STREQ(CTRACCIATO::getNomeInterno(r), L"TR9");
    LiberaTracciato(&r);
    EXPECT_EQ(SelezionaTraEx2(nome, ent, b1, b2, L"Selezionare la strada secondaria: ", &r, -1, 1), 0);
    EXPECT_EQ(r, nullptr);
    EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
    vplat::Script::Get().Clear();
}

}  // namespace

namespace {

// Roads drawn by the generator into a drawing are what the lookups find:
// the alignments by name, the tagged edges and shoulders, the axis with its
// start chainage, the edges at their offsets; all of it survives a save.
TEST_F(DisegnoTest, GeneratedRoadsDrawnIntoTheDrawingAreFoundAgain) {
    roads::Strada principale = roads::Curva(L"SS 9", {0, 0, 0}, 120, 200, kPi / 6, 80);
    principale.progIniziale = 1000;
    roads::Strada secondaria = roads::Rettilineo(L"SP 3", {150, -100, 0}, {150, -10, 0});
    std::vector<AcDbObjectId> ids = roads::Disegna(principale, m_db.get());
    ASSERT_EQ(roads::Disegna(secondaria, m_db.get()).size(), 5u);
    ASSERT_EQ(ids.size(), 5u);
    {
        Lista asse = Leggi(ids[0]);
        EXPECT_EQ(asse.get()->prog, 1000);
        Lista bordo = Leggi(ids[1]);  // CDX, 3.75 to the right of the axis
        geomcheck::GeometryChecker g = CheckerOf(asse.get());
        for (auto q : CheckerOf(bordo.get()).Samples(10)) EXPECT_NEAR(g.SignedOffset(q), 3.75, 1e-9);
    }

    std::wstring errore;
    std::string testo = vplat::WriteDxfText(m_db.get());
    m_db = std::make_unique<AcDbDatabase>();
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    ASSERT_TRUE(vplat::ReadDxfText(testo, m_db.get(), &errore)) << vplat::WideToUtf8(errore);

    elencotracciati* l = nullptr;
    ASSERT_EQ(CercaTracciatiEx2(&l, 1), 2);
    EXPECT_STREQ(l->nome, L"SS 9");
    EXPECT_STREQ(l->next->nome, L"SP 3");

    resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", 8, roads::kLayerCigli, -3, 1001, roads::kAppPolilinee, RTNONE);
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"_X", nullptr, nullptr, filtro, ss), RTNORM);
    acutRelRb(filtro);
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    EXPECT_EQ(n, 4);  // two edges of each road
    acedSSFree(ss);

}

}  // namespace

namespace {

datipoli* Asse(double lunghezza) {
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (double x : {0.0, lunghezza}) {
        ads_point p = {x, 0, 0};
        AggpuntoDATIPOLI(p, 0, &testa, &coda);
    }
    return testa;
}

// A new alignment draws itself on its layer, is found in the drawing, and
// later commits update the entity it drew.
TEST_F(DisegnoTest, NewAlignmentDrawsItselfAndCommitsReachItsEntity) {
    datipoli* l = Asse(80);
    ICTRACCIATO* t = ICTRACCIATO_Constructor::Alloca(l, 0.1);
    LiberaDATIPOLI(&l);
    ASSERT_NE(t, nullptr);
    t->SetDato(CDato(QV_DATO_NOME_TRACCIATO, L"Anello"), 1);
    EXPECT_EQ(t->disegna(L"QV-NUOVI"), 1);
    EXPECT_EQ(t->disegna(L"QV-NUOVI"), 0);  // drawn once only
    CString interno = t->getNomeInterno();
    t->SetDato(CDato(QV_DATO_NOME_TRACCIATO, L"Anello interno"), 1);
    EXPECT_EQ(t->aggiorna(), 1);
    ICTRACCIATO_Costructor::Libera(&t, 1);

    ICTRACCIATO* letto = nullptr;
    ASSERT_NE(GetTracciatoByNomeInterno(&letto, interno, nullptr), 0);
    EXPECT_STREQ(letto->GetDato(QV_DATO_NOME_TRACCIATO).GetString(), L"Anello interno");
    EXPECT_NEAR(letto->GetDato(QV_DATO_PROG_INIZIALE).GetDouble(), 0.1, 1e-12);
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenObject(e, letto->Entita(), AcDb::kForRead), Acad::eOk);
    ACHAR* layer = e->layer();
    EXPECT_STREQ(layer, L"QV-NUOVI");
    acutDelString(layer);
    e->close();
    ICTRACCIATO_Costructor::Libera(&letto, 1);
}

// The next internal name is never one the drawing already holds.
TEST_F(DisegnoTest, NewInternalNamesSkipTheDrawingsOwn) {
    datipoli* l = Asse(10);
    ICTRACCIATO* a = ICTRACCIATO_Constructor::Alloca(l, 0);
    unsigned long numero = std::wcstoul(static_cast<LPCWSTR>(a->getNomeInterno()) + 2, nullptr, 16);
    wchar_t prossimo[32];
    std::swprintf(prossimo, 32, L"TR%08lX", numero + 1);
    RegApplicazione(vplat::kAppTracciato, nullptr);
    Polilinea({{0, 0, 0}, {50, 0, 0}}, false,
              acutBuildList(1001, vplat::kAppTracciato, 1000, prossimo, 1040, 0.0, 1071, 22400, 1000, L"X", RTNONE));
    ICTRACCIATO* b = ICTRACCIATO_Constructor::Alloca(l, 0);
    EXPECT_NE(b->getNomeInterno(), prossimo);
    EXPECT_NE(b->getNomeInterno(), a->getNomeInterno());
    LiberaDATIPOLI(&l);
    ICTRACCIATO_Costructor::Libera(&a, 1);
    ICTRACCIATO_Costructor::Libera(&b, 1);
}

}  // namespace
