#include <gtest/gtest.h>

#include "ICLISTADATI.h"
#include "OggettiDiProva.h"

namespace {

TEST(QvEngineeringConstructor, MakesItsKindsAndNothingElse) {
    for (int tipo : {1500, 1508, 1700, 2005, 2523, 2525}) {
        IQvObject* o = QvEngineeringConstructor::Alloca(tipo, nullptr);
        ASSERT_NE(o, nullptr) << tipo;
        EXPECT_EQ(o->GetTipo(), tipo);
        QvEngineeringConstructor::Libera(&o, 1);
        EXPECT_EQ(o, nullptr);
    }
    for (int tipo : {0, 1499, 1700 + 1, 29000}) EXPECT_EQ(QvEngineeringConstructor::Alloca(tipo, nullptr), nullptr);
    // Through the constructor interface, as a group or the serializer calls it.
    QvEngineeringConstructor costruttore;
    IQvObjectConstructor& base = costruttore;
    IQvObject* o = base.Alloca(2525);
    ASSERT_NE(o, nullptr);
    base.Libera(&o);
    EXPECT_EQ(o, nullptr);
}

TEST(QvEngineeringConstructor, RecordChainageIsProperty22150) {
    IQvObject* o = QvEngineeringConstructor::Alloca(1500, nullptr);
    auto* record = dynamic_cast<ICELEMENTODATI*>(o);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(o->SetDato(CDato(QV_DATO_PROGRESSIVA_ELEMENTO, 125.5), 1), 1);
    EXPECT_DOUBLE_EQ(record->getProgressiva(), 125.5);
    record->setProgressiva(40.0);
    bool ok = false;
    EXPECT_DOUBLE_EQ(o->GetDato(QV_DATO_PROGRESSIVA_ELEMENTO, &ok).GetDouble(), 40.0);
    EXPECT_TRUE(ok);
    // Other properties are kept by id as before.
    EXPECT_EQ(o->SetDato(CDato(22405, L"1234"), 1), 1);
    EXPECT_STREQ(o->GetDato(22405).GetString(), L"1234");
    QvEngineeringConstructor::Libera(&o, 1);
}

TEST(QvEngineeringConstructor, LiberaOfAGroupFreesItsMembersThenTheGroup) {
    int vivi = OggettiVivi();
    CostruttoreContatore costruttore;
    IQvObject* o = QvEngineeringConstructor::Alloca(1700, nullptr);
    auto* g = static_cast<IQvObject_Group*>(o);
    g->SetConstructor(&costruttore);
    IQvObject* a = costruttore.Alloca(TIPO_PUNTO_PROVA);
    IQvObject* b = costruttore.Alloca(TIPO_PUNTO_PROVA);
    g->Append(a);
    g->Append(b);
    g->SetDisplaySettings(QvEngineeringConstructor::Alloca(2005, nullptr));
    EXPECT_EQ(OggettiVivi(), vivi + 2);

    QvEngineeringConstructor::Libera(&o, 1);
    EXPECT_EQ(o, nullptr);
    EXPECT_EQ(OggettiVivi(), vivi);
    EXPECT_EQ(costruttore.m_liberati[a], 1);
    EXPECT_EQ(costruttore.m_liberati[b], 1);
}

TEST(QvEngineeringConstructor, LiberaOfNothingDoesNothing) {
    QvEngineeringConstructor::Libera(nullptr, 1);
    IQvObject* nessuno = nullptr;
    QvEngineeringConstructor::Libera(&nessuno, 1);
    EXPECT_EQ(nessuno, nullptr);
}

TEST(OggettiSemplici, ColourChannelsAndFlag) {
    IQvObject* o = QvEngineeringConstructor::Alloca(QV_TIPO_COLORE, nullptr);
    auto* colore = static_cast<IQvObject_Colour*>(o);
    colore->SetColore(255, 200, 100, 50);
    int a, r, g, b;
    colore->GetColore(a, r, g, b);
    EXPECT_EQ((std::vector<int>{a, r, g, b}), (std::vector<int>{255, 200, 100, 50}));
    CDato flag;
    ASSERT_EQ(o->LeggiDato(0, flag), 1);
    EXPECT_FALSE(flag.GetBool());
    EXPECT_EQ(o->SetDato(CDato(0, true), 1), 1);
    ASSERT_EQ(o->LeggiDato(0, flag), 1);
    EXPECT_EQ(flag.GetTipo(), CDato::Bool);
    EXPECT_TRUE(flag.GetBool());
    EXPECT_EQ(o->SetDato(CDato(1, true), 1), 0);
    QvEngineeringConstructor::Libera(&o, 1);
}

TEST(OggettiSemplici, ListAnswersBothWays) {
    IQvObject* o = QvEngineeringConstructor::Alloca(QV_TIPO_LISTA, nullptr);
    auto* lista = static_cast<IQvObject_CodeList*>(o);
    lista->Aggiungi(3113, L"Circolare");
    lista->Aggiungi(3114, L"Parabolico");
    EXPECT_STREQ(lista->GetTesto(3114), L"Parabolico");
    EXPECT_STREQ(lista->GetTesto(3115), L"");
    int codice = -1;
    EXPECT_EQ(lista->GetCodice(L"Circolare", &codice), 1);
    EXPECT_EQ(codice, 3113);
    codice = -1;
    EXPECT_EQ(lista->GetCodice(L"circolare", &codice), 0);
    EXPECT_EQ(lista->GetCodice(nullptr, &codice), 0);
    EXPECT_EQ(codice, -1);
    QvEngineeringConstructor::Libera(&o, 1);
}

TEST(OggettiSemplici, DisplaySettingsKeepTheirOrder) {
    IQvObject* o = QvEngineeringConstructor::Alloca(QV_TIPO_IMPOSTAZIONI, nullptr);
    auto* s = static_cast<IQvObject_DisplaySettings*>(o);
    for (auto [k, v] : std::vector<std::pair<int, int>>{{0, 0}, {4, 1}, {3, 1}, {5, 1}}) s->Imposta(k, v);
    EXPECT_EQ(s->GetImpostazioni(), (std::vector<std::pair<int, int>>{{0, 0}, {4, 1}, {3, 1}, {5, 1}}));
    QvEngineeringConstructor::Libera(&o, 1);
}

TEST(CDatoEstensioni, LabelAttachmentFlagKindAndGroup) {
    IQvObject_Colour colore;
    CDato d(4, 12.5);
    d.SetEtichetta(L"Prog [m]");
    d.SetAllegato(&colore);
    d.SetFlag(true);
    CDato copia = d;
    EXPECT_STREQ(copia.GetEtichetta(), L"Prog [m]");
    EXPECT_EQ(copia.GetAllegato(), &colore);
    EXPECT_TRUE(copia.GetFlag());

    CDato voce;
    voce.SetId(9);
    voce.SetTipo(CDato::Intero);
    EXPECT_EQ(voce.GetTipo(), CDato::Intero);
    EXPECT_EQ(voce.GetInt(), 0);

    CDato angolo(7, 1.5);
    angolo.SetTipo(CDato::Angolo);
    EXPECT_DOUBLE_EQ(angolo.GetDouble(), 1.5);

    IQvObject_Group gruppo;
    CDato g(8, &gruppo);
    EXPECT_EQ(g.GetTipo(), CDato::Gruppo);
    EXPECT_EQ(g.GetGruppo(), &gruppo);
    EXPECT_EQ(g.GetOggetto(), &gruppo);
    EXPECT_EQ(CDato(8, static_cast<IQvObject*>(&gruppo)).GetGruppo(), nullptr);
}

}  // namespace
