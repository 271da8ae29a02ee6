// The builder's driver on its own: failures before anything is drawn, the
// id of a leg, and the extended data every polyline of a leg carries.
#include <afxwin.h>

#include <array>
#include <cmath>
#include <vector>

#include "CConstrJunctor.h"
#include "CostruttoreDiProva.h"
#include "LegTest.h"
#include "ModelSpace.h"
#include "PolilineeJunctor.h"
#include "QvEngineering.h"

namespace {

class CostruzioneTest : public LegTest {
protected:
    // Entities in model space.
    int Entita() {
        AcDbBlockTable* bt = nullptr;
        m_db->getBlockTable(bt, AcDb::kForRead);
        AcDbBlockTableRecord* ms = nullptr;
        bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForRead);
        bt->close();
        AcDbBlockTableRecordIterator* it = nullptr;
        ms->newIterator(it);
        int n = 0;
        for (; !it->done(); it->step()) ++n;
        delete it;
        ms->close();
        return n;
    }

    // Closes the main road, lets the change happen, opens it again.
    template <class F>
    void ConPrincipaleChiusa(legs::Scenario& s, F cambia) {
        s.Principale()->Chiudi();
        cambia();
        s.Principale()->Apri();
    }

    // A bare polyline the builder's extended data can be written on.
    AcDbObjectId Polilinea() {
        AcGePoint3dArray v;
        AcGeDoubleArray b;
        v.append(AcGePoint3d(0, 0, 0));
        v.append(AcGePoint3d(10, 0, 0));
        b.append(0);
        b.append(0);
        return AppendToBlock(m_db.get(), CreaPolilinea(v, b));
    }

    static std::vector<resbuf*> Elementi(resbuf* catena) {
        std::vector<resbuf*> v;
        for (resbuf* rb = catena; rb; rb = rb->rbnext) v.push_back(rb);
        return v;
    }
};

TEST_F(CostruzioneTest, MissingShoulderStopsBeforeDrawingAndTellsWhy) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    // The left shoulder of the main road goes away between preparation and build.
    ConPrincipaleChiusa(s, [&] {
        ads_name banchina;
        s.Principale()->GetAdsName(CElemJunctor::kBanchinaSx, banchina);
        AcDbObjectId id;
        acdbGetObjectId(id, banchina);
        ASSERT_EQ(EraseEntityDaId(id), Acad::eOk);
    });
    const int prima = Entita();
    CConstrJunctor b;
    b.Init(s.Principale(), s.Ramo());
    b.SetParCorsie(s.Ramo()->GetParametriCorsie());
    b.SetId(1);
    b.Costruisci();
    EXPECT_EQ(b.GetEsito(), 0);
    EXPECT_EQ(std::wstring(b.GetLog()),
              L"\r\nVerso della strada: In\r\nLettura degli elementi della strada...\r\n"
              L" - Banchina sinistra non valida!\r\n Errore!\r\n");
    EXPECT_EQ(Entita(), prima);
    EXPECT_EQ(vplat::WaitCursors(), 0);
}

TEST_F(CostruzioneTest, MainAxisThatIsNoAlignmentFailsWithItsReason) {
    legs::Incrocio i;
    i.verso = CSecondariaJunctor::kOut;
    legs::Scenario& s = Prepara(i);
    ConPrincipaleChiusa(s, [&] {
        AcDbObject* asse = nullptr;
        ASSERT_EQ(acdbOpenObject(asse, s.IdAssePrincipale(), AcDb::kForWrite), Acad::eOk);
        resbuf* via = acutBuildList(1001, L"QV-TRACCIATO", RTNONE);
        asse->setXData(via);
        acutRelRb(via);
        asse->close();
    });
    const int prima = Entita();
    CConstrJunctor b;
    b.Init(s.Principale(), s.Ramo());
    b.SetParCorsie(s.Ramo()->GetParametriCorsie());
    b.Costruisci();
    EXPECT_EQ(b.GetEsito(), 0);
    EXPECT_EQ(std::wstring(b.GetLog()),
              L"\r\nVerso della strada: Out\r\nLettura degli elementi della strada...\r\n"
              L" - Impossibile leggere il tracciato della strada principale.\r\nErrore!\r\n");
    EXPECT_EQ(Entita(), prima);
}

TEST_F(CostruzioneTest, LegOfUnknownSideIsNotBuilt) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    s.Ramo()->SetLato(CSecondariaJunctor::kLatoIgnoto);
    const int prima = Entita();
    CConstrJunctor b;
    b.Init(s.Principale(), s.Ramo());
    b.SetParCorsie(s.Ramo()->GetParametriCorsie());
    b.Costruisci();
    EXPECT_EQ(b.GetEsito(), 0);
    EXPECT_TRUE(b.GetLog().Find(L"non determinato.\r\nErrore!\r\n") >= 0) << std::wstring(b.GetLog());
    EXPECT_EQ(Entita(), prima);
}

// An island value set after the island was placed (as a reader of stored
// values or a typed row leaves it): the build places the island again from
// the crossing; when the leg axis cannot hold that h, the leg is refused
// before anything is drawn, with the reason and the value to change.
struct CasoIsola {
    double h;
    const wchar_t* testo;  // h as the log writes it; null: the leg is built
};
void PrintTo(const CasoIsola& c, std::ostream* os) { *os << "h " << c.h; }

class IsolaDaValoriTest : public CostruzioneTest, public ::testing::WithParamInterface<CasoIsola> {};

TEST_P(IsolaDaValoriTest, IslandIsPlacedFromTheValuesTheLegRecords) {
    const CasoIsola& c = GetParam();
    legs::Scenario& s = Prepara(legs::Incrocio{});
    s.Ramo()->GetParametri()->h.SetValore(c.h);
    ASSERT_FALSE(s.Ramo()->IsolaDaValori());
    const int prima = Entita();
    CConstrJunctor b;
    b.Init(s.Principale(), s.Ramo());
    b.SetParCorsie(s.Ramo()->GetParametriCorsie());
    b.Costruisci();
    if (c.testo) {
        EXPECT_EQ(b.GetEsito(), 0);
        EXPECT_EQ(std::wstring(b.GetLog()),
                  std::wstring(L"\r\nVerso della strada: In\r\nLettura degli elementi della strada...\r\n"
                               L" - Numero di intersezioni insufficiente nella costruzione del triangolo "
                               L"dell'isola.\r\n - Lunghezza dell'isola h = ") +
                      c.testo + L" non costruibile sull'asse della strada secondaria.\r\nErrore!\r\n");
        EXPECT_EQ(Entita(), prima);
        return;
    }
    EXPECT_EQ(b.GetEsito(), 1) << std::wstring(b.GetLog());
    EXPECT_TRUE(s.Ramo()->IsolaDaValori());
    // The apex lies h from the base point along the leg.
    ads_point base, apice;
    s.Ramo()->GetPuntoIsola1(base);
    s.Ramo()->GetPuntoIsola4(apice);
    EXPECT_NEAR(std::hypot(apice[0] - base[0], apice[1] - base[1]), c.h, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Valori, IsolaDaValoriTest,
                         ::testing::Values(CasoIsola{300, L"300"}, CasoIsola{-45, L"-45"}, CasoIsola{0, L"0"},
                                           CasoIsola{1e5, L"100000"}, CasoIsola{30, nullptr}),
                         [](const auto& info) {
                             const double h = info.param.h;
                             return (h < 0 ? "minus_" : "h_") + std::to_string(static_cast<long>(std::fabs(h)));
                         });

TEST_F(CostruzioneTest, IdTakesTheNextNumberTheDrawingDoesNotHold) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    CConstrJunctor primo;
    primo.Init(s.Principale(), s.Ramo());
    primo.SetParCorsie(s.Ramo()->GetParametriCorsie());
    primo.SetId(4294967295u);
    EXPECT_EQ(std::wstring(primo.GetId()), L"4294967295");
    primo.SetId(7000);
    EXPECT_EQ(std::wstring(primo.GetId()), L"7000");
    // Id 7000 on a polyline, 7001 on a lane record of the main alignment.
    ASSERT_EQ(primo.ScriviDatiEstesi(Polilinea(), L"rCIG"), 0);
    ConPrincipaleChiusa(s, [&] {
        tracciato* record = nullptr;
        ASSERT_TRUE(GetTracciato(s.IdAssePrincipale(), &record));
        ICTRACCIATO* t = ICTRACCIATO_Costructor::Alloca(record, s.IdAssePrincipale());
        ASSERT_NE(t, nullptr);
        ICELEMENTODATI* e = t->getListaDati(1512)->aggiungi(30);
        e->SetDato(CDato(kDatoIdIntersezione, L"7001"), 1);
        t->aggiornaDati(1505, 0);
        t->aggiornaDati(0, -2);
        t->aggiorna();
        ICTRACCIATO_Costructor::Libera(&t, 1);
    });
    CConstrJunctor secondo;
    secondo.Init(s.Principale(), s.Ramo());
    secondo.SetId(7000);
    EXPECT_EQ(std::wstring(secondo.GetId()), L"7002");
    secondo.SetId(6999);
    EXPECT_EQ(std::wstring(secondo.GetId()), L"6999");
}

TEST_F(CostruzioneTest, ExtendedDataHoldsTheLegAndEveryValueWithAnglesInRadians) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    CConstrPars* p = s.Ramo()->GetParametri();
    p->SetUnitaAngoli(0);  // the dialogs show degrees
    ASSERT_NEAR(p->a2e.GetValore(), p->a2e.CSingleConstrPar::GetValore() * 180 / 3.14159265, 1e-6);
    CLanePars* corsie = s.Ramo()->GetParametriCorsie();
    corsie->SetCorsie(true, false, true, false);
    CConstrJunctor b;
    b.Init(s.Principale(), s.Ramo());
    b.SetParCorsie(corsie);
    b.SetId(123456);
    AcDbObjectId id = Polilinea();
    ASSERT_EQ(b.ScriviDatiEstesi(id, L"rBEOUT"), 0);
    resbuf* dati = LeggiDatiEstesi(id, kAppIntersezione);
    std::vector<resbuf*> v = Elementi(dati);
    ASSERT_EQ(v.size(), 105u);
    auto testo = [&](int n) { return std::wstring(v[n - 1]->resval.rstring); };
    auto reale = [&](int n) { return v[n - 1]->resval.rreal; };
    EXPECT_EQ(v[0]->restype, 1001);
    EXPECT_EQ(testo(1), L"QV-VORTANA-INTERS-T");
    const std::wstring testi[] = {L"123456",
                                  L"rBEOUT",
                                  std::wstring(s.Principale()->GetNomeInterno()),
                                  L"SS 1",
                                  std::wstring(s.Ramo()->GetNomeInterno()),
                                  L"SP 2",
                                  L"DEFAULT"};
    for (int n = 2; n <= 8; ++n) {
        EXPECT_EQ(v[n - 1]->restype, 1000) << n;
        EXPECT_EQ(testo(n), testi[n - 2]) << n;
    }
    EXPECT_FALSE(s.Principale()->GetNomeInterno().IsEmpty());
    for (int n = 9; n <= 44; ++n) EXPECT_EQ(v[n - 1]->restype, 1040) << n;
    EXPECT_EQ(reale(9), reale(36));
    for (int k = 0; k < CConstrPars::NUMERO_PARAMETRI; ++k)
        EXPECT_EQ(reale(10 + k), p->Parametro(k).CSingleConstrPar::GetValore()) << k;
    EXPECT_EQ(reale(37), p->a2e.CSingleConstrPar::GetValore());
    EXPECT_EQ(testo(45), L"Y");
    EXPECT_EQ(testo(46), L"N");
    EXPECT_EQ(testo(47), L"Y");
    for (int k = 0; k < CLanePars::NUMERO_PARAMETRI; ++k) {
        EXPECT_EQ(v[47 + k]->restype, 1040) << k;
        double atteso = corsie->Parametro(k).GetValore();
        if (std::isnan(atteso))
            EXPECT_TRUE(std::isnan(reale(48 + k))) << k;
        else
            EXPECT_EQ(reale(48 + k), atteso) << k;
    }
    acutRelRb(dati);

    // Another application's data on the polyline stays as it is.
    resbuf* altra = acutBuildList(1001, L"ALTRA", 1000, L"x", RTNONE);
    acdbRegApp(L"ALTRA");
    AcDbObject* o = nullptr;
    ASSERT_EQ(acdbOpenObject(o, id, AcDb::kForWrite), Acad::eOk);
    o->setXData(altra);
    o->close();
    acutRelRb(altra);
    ASSERT_EQ(b.ScriviDatiEstesi(id, L"rCIG"), 0);
    resbuf* resto = LeggiDatiEstesi(id, L"ALTRA");
    ASSERT_NE(resto, nullptr);
    EXPECT_EQ(std::wstring(resto->rbnext->resval.rstring), L"x");
    acutRelRb(resto);

    // An entity another reader holds open cannot take it.
    AcDbObject* letto = nullptr;
    ASSERT_EQ(acdbOpenObject(letto, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(b.ScriviDatiEstesi(id, L"rCIG"), 3);
    letto->close();
}

}  // namespace

namespace {

// Every step draws through one pattern, which refuses an outline that
// crosses itself or turns back: nothing goes into the drawing, the log says
// which polyline and why; a pointed tail the step names is drawn.
TEST_F(CostruzioneTest, OutlinesThatCrossOrTurnBackAreNotDrawn) {
    legs::Scenario& s = Prepara(legs::Incrocio{});
    const double q = std::tan(3.14159265358979323846 / 8);  // a quarter circle's bulge
    struct Caso {
        const char* nome;
        std::vector<std::array<double, 3>> vertici;
        std::vector<int> punte;
        const wchar_t* riga;  // null: drawn
    } casi[] = {
        {"figure_eight", {{0, 0, 0}, {10, 10, 0}, {10, 0, 0}, {0, 10, 0}, {0, 0, 0}}, {},
         L" - Polilinea che incrocia se stessa, non disegnata: rCEIN.\r\n"},
        {"runs_back", {{0, 0, 0}, {10, 0, 0}, {7, 0, 0}, {7, 5, 0}}, {},
         L" - Polilinea che torna indietro su se stessa, non disegnata: rCEIN.\r\n"},
        {"pointed_tail", {{0, 0, 0}, {10, 0, -q}, {5, 5, 0}, {0, 5, 0}}, {1}, nullptr},
        {"plain", {{0, 0, 0}, {10, 0, q}, {15, 5, 0}}, {}, nullptr},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        CostruttoreDiProva b(s);
        const int prima = Entita();
        AcGePoint3dArray v;
        AcGeDoubleArray bl;
        for (const auto& p : c.vertici) {
            v.append(AcGePoint3d(p[0], p[1], 0));
            bl.append(p[2]);
        }
        const AcDbObjectId id = b.Disegna(CreaPolilinea(v, bl), L"QV-CIGLI", L"rCEIN", c.punte);
        EXPECT_EQ(id.isNull(), c.riga != nullptr);
        EXPECT_EQ(Entita(), prima + (c.riga ? 0 : 1));
        EXPECT_EQ(std::wstring(b.m_log), c.riga ? c.riga : L"");
    }
}

}  // namespace
