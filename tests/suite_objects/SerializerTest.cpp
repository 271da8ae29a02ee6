#include <gtest/gtest.h>

#include <functional>

#include "OggettiDiProva.h"

namespace {

// A record with a value of every kind and a group of two points.
RecordProva* NuovoRecord(IQvObjectConstructor* costruttore) {
    auto* r = new RecordProva;
    r->m_bool = true;
    r->m_int = 42;
    r->m_reale = 3.25;
    r->m_testo = L"aCExt";
    r->m_punto[0] = 1, r->m_punto[1] = 2, r->m_punto[2] = 3;
    r->m_angolo = 0.5;
    auto* g = static_cast<IQvObject_Group*>(QvEngineeringConstructor::Alloca(QV_TIPO_GRUPPO, nullptr));
    g->SetConstructor(costruttore);
    for (double prog : {30.0, 10.0}) {
        auto* p = new PuntoProva(prog);
        p->m_punto[0] = prog, p->m_punto[1] = -prog, p->m_punto[2] = 0.5;
        g->Append(p);
    }
    r->SetDato(CDato(6, g));
    return r;
}

CADDatoArray Scritto(IQvObjectConstructor* costruttore) {
    std::unique_ptr<RecordProva> r(NuovoRecord(costruttore));
    CADDatoArray dati;
    EXPECT_EQ(IQvObject_Serializer().SetToCADDatoArray(dati, r.get()), 1);
    return dati;
}

TEST(Serializer, WritesTheFramedFormat) {
    CostruttoreContatore costruttore;
    CADDatoArray dati = Scritto(&costruttore);
    // (0 type) 1 2 3 4 5 (6 count) [point: (0 type) 4 3 (-1)] x2, 7, (-1); 8 never answers.
    std::vector<std::pair<int, CADDatoArray::Tipo>> attese = {
        {0, CADDatoArray::Intero},  {1, CADDatoArray::Intero}, {2, CADDatoArray::Intero},
        {3, CADDatoArray::Reale},   {4, CADDatoArray::Testo},  {5, CADDatoArray::Punto},
        {6, CADDatoArray::Intero},  {0, CADDatoArray::Intero}, {4, CADDatoArray::Reale},
        {3, CADDatoArray::Punto},   {-1, CADDatoArray::Intero}, {0, CADDatoArray::Intero},
        {4, CADDatoArray::Reale},   {3, CADDatoArray::Punto},  {-1, CADDatoArray::Intero},
        {7, CADDatoArray::Reale},   {-1, CADDatoArray::Intero}};
    ASSERT_EQ(dati.GetCount(), static_cast<int>(attese.size()));
    for (int i = 0; i < dati.GetCount(); ++i) {
        EXPECT_EQ(dati[i].GetCodice(), attese[static_cast<size_t>(i)].first) << i;
        EXPECT_EQ(dati[i].GetTipo(), attese[static_cast<size_t>(i)].second) << i;
    }
    EXPECT_EQ(dati[0].GetInt(), TIPO_RECORD_PROVA);
    EXPECT_EQ(dati[2].GetInt(), 42);
    EXPECT_EQ(dati[6].GetInt(), 2);
    EXPECT_EQ(IQvObject_Serializer().SetToCADDatoArray(dati, nullptr), 0);
}

TEST(Serializer, RoundTripKeepsValuesAndTheGroupsMembers) {
    CostruttoreContatore costruttore;
    CADDatoArray dati = Scritto(&costruttore);
    IQvObject* o = nullptr;
    ASSERT_EQ(IQvObject_Serializer(&costruttore).GetFromCADDatoArray(dati, &o), 1);
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(o->GetTipo(), TIPO_RECORD_PROVA);
    auto* r = static_cast<RecordProva*>(o);
    EXPECT_TRUE(r->m_bool);
    EXPECT_EQ(r->m_int, 42);
    EXPECT_DOUBLE_EQ(r->m_reale, 3.25);
    EXPECT_STREQ(r->m_testo, L"aCExt");
    EXPECT_EQ((std::vector<double>(r->m_punto, r->m_punto + 3)), (std::vector<double>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(r->m_angolo, 0.5);

    ASSERT_NE(r->m_gruppo, nullptr);
    EXPECT_EQ(r->m_gruppo->GetConstructor(), &costruttore);
    ASSERT_EQ(r->m_gruppo->GetMemberCount(), 2);
    double attese[] = {30.0, 10.0};  // the written order, not the chainage order
    int i = 0;
    for (auto* m = r->m_gruppo->GetFirstMember(); m; m = m->GetNext(), ++i) {
        ASSERT_EQ(m->GetObject()->GetTipo(), TIPO_PUNTO_PROVA);
        auto* p = static_cast<PuntoProva*>(m->GetObject());
        EXPECT_DOUBLE_EQ(p->m_prog, attese[i]);
        EXPECT_EQ((std::vector<double>(p->m_punto, p->m_punto + 3)),
                  (std::vector<double>{attese[i], -attese[i], 0.5}));
    }
    costruttore.Libera(&o);
}

struct CasoRotto {
    const char* nome;
    std::function<void(CADDatoArray&)> altera;  // applied to the written record
};

CADDatoArray Senza(const CADDatoArray& dati, int da, int a) {
    CADDatoArray out;
    for (int i = 0; i < dati.GetCount(); ++i) {
        if (i >= da && i < a) continue;
        const auto& d = dati[i];
        switch (d.GetTipo()) {
            case CADDatoArray::Intero: out.Add(d.GetCodice(), d.GetInt()); break;
            case CADDatoArray::Reale: out.Add(d.GetCodice(), d.GetDouble()); break;
            case CADDatoArray::Testo: out.Add(d.GetCodice(), d.GetStringa()); break;
            case CADDatoArray::Punto: {
                double p[3];
                d.GetPunto(p);
                out.Add(d.GetCodice(), p);
                break;
            }
            default: out.AddRichiesta(d.GetCodice()); break;
        }
    }
    return out;
}

// One entry, to put in place of another.
template <typename T>
CADDatoArray::CADDato Voce(int codice, T valore) {
    CADDatoArray t;
    t.Add(codice, valore);
    return t[0];
}

class SerializerMalformato : public ::testing::TestWithParam<CasoRotto> {};

TEST_P(SerializerMalformato, AnswersZeroAndFreesWhatItBuilt) {
    int vivi = OggettiVivi();
    CostruttoreContatore scrittore, costruttore;
    CADDatoArray dati = Scritto(&scrittore);
    GetParam().altera(dati);
    IQvObject* o = reinterpret_cast<IQvObject*>(&dati);  // must come back null
    EXPECT_EQ(IQvObject_Serializer(&costruttore).GetFromCADDatoArray(dati, &o), 0);
    EXPECT_EQ(o, nullptr);
    EXPECT_EQ(OggettiVivi(), vivi);
    for (const void* fatto : costruttore.m_fatti) EXPECT_EQ(costruttore.m_liberati[fatto], 1);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, SerializerMalformato,
    ::testing::Values(
        CasoRotto{"SenzaTipo", [](CADDatoArray& d) { d = Senza(d, 0, 1); }},
        CasoRotto{"Vuoto", [](CADDatoArray& d) { d.Clear(); }},
        CasoRotto{"TipoSconosciuto", [](CADDatoArray& d) { d[0] = Voce(0, 99999); }},
        CasoRotto{"TipoNonIntero", [](CADDatoArray& d) { d[0] = Voce(0, L"90000"); }},
        CasoRotto{"CinqueMembriSuDue", [](CADDatoArray& d) { d[6] = Voce(6, 5); }},
        CasoRotto{"ConteggioOltreLaFine", [](CADDatoArray& d) { d[6] = Voce(6, 50); }},
        CasoRotto{"ConteggioNegativo", [](CADDatoArray& d) { d[6] = Voce(6, -1); }},
        CasoRotto{"MembroTroncato", [](CADDatoArray& d) { d = Senza(d, 9, d.GetCount()); }},
        CasoRotto{"SenzaChiusura", [](CADDatoArray& d) { d = Senza(d, d.GetCount() - 1, d.GetCount()); }},
        CasoRotto{"MembroSenzaChiusura", [](CADDatoArray& d) { d = Senza(d, 10, 11); }},
        CasoRotto{"TestoAlPostoDelReale", [](CADDatoArray& d) { d[3] = Voce(3, L"3.25"); }}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Serializer, WithoutAConstructorNothingIsRead) {
    CostruttoreContatore costruttore;
    CADDatoArray dati = Scritto(&costruttore);
    IQvObject* o = nullptr;
    EXPECT_EQ(IQvObject_Serializer().GetFromCADDatoArray(dati, &o), 0);
    EXPECT_EQ(o, nullptr);
    EXPECT_TRUE(costruttore.m_fatti.empty());
}

TEST(Serializer, UnknownIdsAndRequestsAreSkipped) {
    CostruttoreContatore costruttore;
    CADDatoArray dati;
    dati.Add(0, TIPO_PUNTO_PROVA);
    dati.Add(77, 1.0);         // not listed by the point
    dati.Add(4, 12.0);
    dati.AddRichiesta(3);      // a listed id whose entry holds no point
    dati.Add(-1, 0);
    IQvObject* o = nullptr;
    EXPECT_EQ(IQvObject_Serializer(&costruttore).GetFromCADDatoArray(dati, &o), 0);
    EXPECT_EQ(o, nullptr);

    dati.Clear();
    dati.Add(0, TIPO_PUNTO_PROVA);
    dati.Add(77, 1.0);
    dati.Add(4, 12);           // an int where a real is listed: taken as a number
    dati.Add(-1, 0);
    ASSERT_EQ(IQvObject_Serializer(&costruttore).GetFromCADDatoArray(dati, &o), 1);
    EXPECT_DOUBLE_EQ(static_cast<PuntoProva*>(o)->m_prog, 12.0);
    costruttore.Libera(&o);
}

}  // namespace
