#include <gtest/gtest.h>

#include <cmath>

#include "ListFixtures.h"
#include "QvEngineering.h"
#include "TracciatoDatiEstesi.h"

using fixtures::kPi;
using fixtures::Lista;

namespace {

// An alignment on a straight of 100 and a quarter circle of radius 50,
// starting at chainage 1000.
class Tracciato : public ::testing::Test {
protected:
    void SetUp() override {
        Lista asse{{0, 0, 0}, {100, 0, fixtures::BulgeQuarto()}, {150, 50, 0}};
        t = ICTRACCIATO_Constructor::Alloca(asse.get(), 1000.0);
        ASSERT_NE(t, nullptr);
    }
    void TearDown() override { ICTRACCIATO_Costructor::Libera(&t, 1); }

    // The lane records a left-turn lane leaves: four at increasing chainages.
    void RecordCorsia(const wchar_t* id, double da) {
        ICLISTADATI* l = t->getListaDati(1513);
        const unsigned long flag[] = {1, 4, 4, 2};
        for (int i = 0; i < 4; ++i) {
            ICELEMENTODATI* r = l->aggiungi(da + 10 * i);
            r->getBitDato() += flag[i];
            if (i == 1 || i == 2) {
                r->SetDato(CDato(22054, 3.25), 1);
                r->SetDato(CDato(22055, 0.5), 1);
            }
            r->SetDato(CDato(22405, id), 1);
        }
    }

    ICTRACCIATO* t = nullptr;
};

TEST_F(Tracciato, PropertiesFollowThePolyline) {
    EXPECT_EQ(t->GetDato(QV_DATO_PROG_INIZIALE).GetDouble(), 1000.0);
    EXPECT_NEAR(t->GetDato(QV_DATO_LUNGHEZZA).GetDouble(), 100 + 25 * kPi, 1e-9);
    EXPECT_EQ(t->getDatiPoli()->prog, 1000.0);
    EXPECT_EQ(t->SetDato(CDato(QV_DATO_NOME_TRACCIATO, L"SS 16"), 1), 1);
    EXPECT_EQ(t->SetDato(CDato(QV_DATO_TIPO_TRACCIATO, 2), 1), 1);
    EXPECT_STREQ(t->GetDato(QV_DATO_NOME_TRACCIATO).GetString(), L"SS 16");
    EXPECT_EQ(t->GetDato(QV_DATO_TIPO_TRACCIATO).GetInt(), 2);
    EXPECT_TRUE(t->IsA(QV_TIPO_TRACCIATO));
    EXPECT_EQ(qv_isA(t), QV_TIPO_TRACCIATO);
    bool ok = true;
    t->GetDato(22999, &ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(t->getNomeInterno().IsEmpty());
    for (int codice : {1500, 1505, 1508, 1511, 1512, 1513, 1514, 1515}) EXPECT_NE(t->getListaDati(codice), nullptr);
    EXPECT_EQ(t->getListaDati(1516), nullptr);
    Lista punto{{0, 0, 0}};
    EXPECT_EQ(ICTRACCIATO_Constructor::Alloca(punto.get(), 0), nullptr);
}

TEST_F(Tracciato, DataListsKeepChainageOrderAndAreSearchedByChainage) {
    ICLISTADATI* l = t->getListaDati(1511);
    l->aggiungi(1050);
    l->aggiungi(1020);
    ICELEMENTODATI* pari = l->aggiungi(1050);  // after the one already there
    l->aggiungi(1080);
    std::vector<double> ordine;
    for (ICELEMENTODATI* r = l->getPrimo(); r; r = l->getSuccessivo(r)) ordine.push_back(r->getProgressiva());
    EXPECT_EQ(ordine, (std::vector<double>{1020, 1050, 1050, 1080}));
    EXPECT_EQ(l->cerca(1019), nullptr);
    EXPECT_EQ(l->cerca(1050)->getProgressiva(), 1050);
    EXPECT_EQ(l->cerca(1050), pari);
    EXPECT_EQ(l->cerca(1079.9)->getProgressiva(), 1050);
    EXPECT_EQ(l->cerca(2000)->getProgressiva(), 1080);
    // Appending ignores the order.
    ICELEMENTODATI* coda = l->accoda();
    EXPECT_EQ(coda->getProgressiva(), 1080);
    ICLISTADATI altra(1512);
    EXPECT_EQ(altra.rimuovi(coda), 0);
    EXPECT_EQ(l->rimuovi(coda), 1);
    EXPECT_EQ(l->getNumero(), 4);
    l->svuota();
    EXPECT_EQ(l->getPrimo(), nullptr);
}

TEST_F(Tracciato, RecordsOfOneIdAreRemovedWhileWalking) {
    RecordCorsia(L"1234", 1010);
    RecordCorsia(L"5678", 1015);
    ICLISTADATI* l = t->getListaDati(1513);
    // The next record is taken before the current one may go.
    for (ICELEMENTODATI* r = l->getPrimo(); r;) {
        ICELEMENTODATI* dopo = l->getSuccessivo(r);
        if (r->GetDato(22405).GetString() == L"1234") l->rimuovi(r);
        r = dopo;
    }
    ASSERT_EQ(l->getNumero(), 4);
    std::vector<unsigned long> flag;
    for (ICELEMENTODATI* r = l->getPrimo(); r; r = l->getSuccessivo(r)) {
        EXPECT_STREQ(r->GetDato(22405).GetString(), L"5678");
        flag.push_back(r->getBitDato().GetValore());
    }
    EXPECT_EQ(flag, (std::vector<unsigned long>{1, 4, 4, 2}));
}

TEST_F(Tracciato, ProfilesGiveElevationsAlongTheAlignment) {
    ICPROFILO* p = ICPROFILO::Alloca();
    p->SetDato(CDato(QV_DATO_NOME_PROFILO, L"Progetto"), 1);
    p->aggiungiVertice(1000, 10);
    p->aggiungiVertice(1100, 20);
    p->aggiungiVertice(1050, 12);
    t->aggiungiProfilo(p);
    ICPROFILO* q = t->getProfiloDaNome(L"Progetto");
    ASSERT_EQ(q, p);
    double z = 0;
    struct Caso {
        double prog;
        int risultato;
        double quota;
    };
    for (const Caso& c : {Caso{1000, 1, 10}, Caso{1025, 1, 11}, Caso{1050, 1, 12}, Caso{1075, 1, 16},
                          Caso{1100, 1, 20}, Caso{999, 0, 0}, Caso{1100.1, 0, 0}}) {
        ASSERT_EQ(q->getQuota(c.prog, &z), c.risultato) << c.prog;
        if (c.risultato) {
            EXPECT_NEAR(z, c.quota, 1e-12) << c.prog;
        }
    }
    EXPECT_EQ(t->getProfiloDaNome(L"progetto"), nullptr);
}

TEST_F(Tracciato, ExtendedDataCarryEverythingBack) {
    t->SetDato(CDato(QV_DATO_NOME_TRACCIATO, L"Via Emilia"), 1);
    t->SetDato(CDato(QV_DATO_TIPO_TRACCIATO, 2), 1);
    RecordCorsia(L"4000000000", 1010);
    ICELEMENTODATI* r = t->getListaDati(1514)->aggiungi(1033.5);
    r->getBitDato() += 512;
    r->SetDato(CDato(22058, 1.75), 1);
    ICPROFILO* p = ICPROFILO::Alloca();
    p->SetDato(CDato(QV_DATO_NOME_PROFILO, L"Progetto"), 1);
    p->aggiungiVertice(1000, 10);
    p->aggiungiVertice(1100, 20);
    t->aggiungiProfilo(p);

    resbuf* catena = vplat::CodificaTracciato(*t);
    ASSERT_NE(catena, nullptr);
    std::wstring errore;
    ICTRACCIATO* letto = vplat::DecodificaTracciato(catena, t->getDatiPoli(), &errore);
    acutRelRb(catena);
    ASSERT_NE(letto, nullptr) << std::string(errore.begin(), errore.end());
    EXPECT_EQ(letto->getNomeInterno(), t->getNomeInterno());
    EXPECT_STREQ(letto->GetDato(QV_DATO_NOME_TRACCIATO).GetString(), L"Via Emilia");
    EXPECT_EQ(letto->GetDato(QV_DATO_TIPO_TRACCIATO).GetInt(), 2);
    EXPECT_EQ(letto->GetDato(QV_DATO_PROG_INIZIALE).GetDouble(), 1000.0);
    for (int codice : ICTRACCIATO::CodiciListe()) {
        ICLISTADATI* a = t->getListaDati(codice);
        ICLISTADATI* b = letto->getListaDati(codice);
        ASSERT_EQ(a->getNumero(), b->getNumero()) << codice;
        for (ICELEMENTODATI *x = a->getPrimo(), *y = b->getPrimo(); x; x = a->getSuccessivo(x), y = b->getSuccessivo(y)) {
            EXPECT_EQ(x->getProgressiva(), y->getProgressiva());
            EXPECT_EQ(x->getBitDato().GetValore(), y->getBitDato().GetValore());
            ASSERT_EQ(x->Dati().size(), y->Dati().size());
            for (const auto& [id, d] : x->Dati()) {
                EXPECT_EQ(y->GetDato(id).GetTipo(), d.GetTipo()) << id;
                EXPECT_EQ(y->GetDato(id).GetString(), d.GetString()) << id;
            }
        }
    }
    ASSERT_EQ(letto->getNumeroProfili(), 1);
    double z = 0;
    ASSERT_EQ(letto->getProfiloDaNome(L"Progetto")->getQuota(1050, &z), 1);
    EXPECT_NEAR(z, 15, 1e-12);
    ICTRACCIATO_Costructor::Libera(&letto, 1);
    EXPECT_EQ(letto, nullptr);
}

TEST_F(Tracciato, MalformedExtendedDataAreRefusedWithAReason) {
    struct Caso {
        const char* nome;
        resbuf* catena;
    };
    const Caso casi[] = {
        {"another application", acutBuildList(1001, L"ALTRO", 1000, L"TR1", 1040, 0.0, RTNONE)},
        {"no internal name", acutBuildList(1001, vplat::kAppTracciato, 1040, 0.0, RTNONE)},
        {"a datum without value", acutBuildList(1001, vplat::kAppTracciato, 1000, L"TR1", 1040, 0.0, 1071, 22400, RTNONE)},
        {"an unknown list", acutBuildList(1001, vplat::kAppTracciato, 1000, L"TR1", 1040, 0.0, 1002, L"{", 1000,
                                          L"LISTA", 1071, 1599, 1002, L"}", RTNONE)},
        {"a record left open", acutBuildList(1001, vplat::kAppTracciato, 1000, L"TR1", 1040, 0.0, 1002, L"{", 1000,
                                             L"LISTA", 1071, 1511, 1002, L"{", 1040, 5.0, 1071, 8, RTNONE)},
        {"an unknown group", acutBuildList(1001, vplat::kAppTracciato, 1000, L"TR1", 1040, 0.0, 1002, L"{", 1000,
                                           L"ALTRO", 1002, L"}", RTNONE)},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        std::wstring errore;
        EXPECT_EQ(vplat::DecodificaTracciato(c.catena, t->getDatiPoli(), &errore), nullptr);
        EXPECT_FALSE(errore.empty());
        acutRelRb(c.catena);
    }
}

}  // namespace

namespace {

// A record a caller frees is gone; one an alignment object took over stays
// until the object frees it, whoever calls LiberaTracciato on it.
TEST(TracciatoRecord, ReleaseFollowsWhoOwnsTheRecord) {
    ads_name e = {7, 0};
    tracciato* r = vplat::NuovoTracciato(e, L"SS 16", L"TR1");
    EXPECT_STREQ(CTRACCIATO::getNomeInterno(r), L"TR1");
    tracciato* copia = r;
    LiberaTracciato(&r);
    EXPECT_EQ(r, nullptr);
    LiberaTracciato(&copia);  // no longer a live record: only cleared
    EXPECT_EQ(copia, nullptr);

    tracciato* adottato = vplat::NuovoTracciato(e, L"SS 16", L"TR2");
    vplat::AdottaTracciato(adottato);
    tracciato* alias = adottato;
    LiberaTracciato(&alias);
    EXPECT_STREQ(CTRACCIATO::getNomeInterno(adottato), L"TR2");  // still alive (ASan would say otherwise)
    vplat::LiberaTracciatoAdottato(adottato);
    EXPECT_EQ(qv_isA(nullptr), 0);
}

}  // namespace
