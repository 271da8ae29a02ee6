#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "OggettiDiProva.h"

namespace {

struct GruppoPtr {
    IQvObject* g = QvEngineeringConstructor::Alloca(QV_TIPO_GRUPPO, nullptr);
    ~GruppoPtr() { QvEngineeringConstructor::Libera(&g, 1); }
    IQvObject_Group* operator->() const { return static_cast<IQvObject_Group*>(g); }
};

// The chainages of the members in group order (-1 for a member without one).
std::vector<double> Chiavi(const IQvObject_Group* g) {
    std::vector<double> out;
    for (auto* m = g->GetFirstMember(); m; m = m->GetNext()) {
        CDato d;
        out.push_back(m->GetObject()->LeggiDato(4, d) ? d.GetDouble() : -1);
    }
    return out;
}

struct CasoOrdine {
    const char* nome;
    int idChiave;             // 0: a group without key
    bool operazione23;        // AddRecord instead of Append
    std::vector<double> chiavi;  // -1: a member without the key property
    std::vector<double> attese;
};

class OrdineGruppo : public ::testing::TestWithParam<CasoOrdine> {};

TEST_P(OrdineGruppo, MembersTakeTheirPlaceAsTheyAreAdded) {
    const CasoOrdine& c = GetParam();
    CostruttoreContatore costruttore;
    GruppoPtr g;
    g->Setup(&costruttore, TIPO_PUNTO_PROVA, c.idChiave, 0);
    std::vector<IQvObject*> oggetti;
    for (double k : c.chiavi) {
        auto* p = new PuntoProva(k, k >= 0);
        oggetti.push_back(p);
        ASSERT_NE(c.operazione23 ? g->AddRecord(p) : g->Append(p), nullptr);
    }
    EXPECT_EQ(Chiavi(g.operator->()), c.attese);
    EXPECT_EQ(g->GetMemberCount(), static_cast<int>(c.chiavi.size()));
    // Equal keys keep the order in which they came.
    if (c.idChiave && c.chiavi.size() == 4 && c.chiavi[2] == c.chiavi[3]) {
        EXPECT_EQ(g->GetFirstMember()->GetNext()->GetObject(), oggetti[2]);
        EXPECT_EQ(g->GetFirstMember()->GetNext()->GetNext()->GetObject(), oggetti[3]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, OrdineGruppo,
    ::testing::Values(CasoOrdine{"SenzaChiave", 0, false, {10, 30, 20, 20}, {10, 30, 20, 20}},
                      CasoOrdine{"ChiaveAccoda", 4, false, {10, 30, 20, 20}, {10, 20, 20, 30}},
                      CasoOrdine{"ChiaveOperazione23", 4, true, {10, 30, 20, 20}, {10, 20, 20, 30}},
                      CasoOrdine{"SenzaProprietaValeZero", 4, false, {10, -1, 0}, {-1, 0, 10}}),
    [](const auto& info) { return std::string(info.param.nome); });

// A member moved after it joined: the next member is placed by the keys as
// they read now, and Riordina puts the group back in key order (equal keys
// in the order they stood); a group without key keeps its order.
TEST(Gruppo, AMovedMemberTakesItsPlaceAgain) {
    CostruttoreContatore costruttore;
    for (int idChiave : {4, 0}) {
        SCOPED_TRACE(idChiave);
        GruppoPtr g;
        g->Setup(&costruttore, TIPO_PUNTO_PROVA, idChiave, 0);
        std::vector<PuntoProva*> p;
        for (double k : {0.0, 5.0, 10.0, 20.0}) {
            p.push_back(new PuntoProva(k));
            g->Append(p.back());
        }
        p[1]->SetDato(CDato(4, 31.42));
        p[3]->SetDato(CDato(4, 10.0));
        g->Append(new PuntoProva(37.18));
        if (idChiave) {
            EXPECT_EQ(Chiavi(g.operator->()), (std::vector<double>{0, 31.42, 10, 10, 37.18}));
            EXPECT_EQ(g->Riordina(), 1);
            EXPECT_EQ(Chiavi(g.operator->()), (std::vector<double>{0, 10, 10, 31.42, 37.18}));
            EXPECT_EQ(g->GetFirstMember()->GetNext()->GetObject(), p[2]);
            EXPECT_EQ(g->GetLastMember()->GetPrevious()->GetObject(), p[1]);
            EXPECT_EQ(g->GetLastMember()->GetPrevious()->GetPrevious()->GetPrevious()->GetObject(), p[2]);
            g->Append(new PuntoProva(20.0));
            EXPECT_EQ(Chiavi(g.operator->()), (std::vector<double>{0, 10, 10, 20, 31.42, 37.18}));
        } else {
            EXPECT_EQ(Chiavi(g.operator->()), (std::vector<double>{0, 31.42, 10, 10, 37.18}));
            EXPECT_EQ(g->Riordina(), 0);
            EXPECT_EQ(Chiavi(g.operator->()), (std::vector<double>{0, 31.42, 10, 10, 37.18}));
        }
        EXPECT_EQ(g->Riordina(), 0);
        // Walking back gives the same members.
        std::vector<double> indietro;
        for (auto* m = g->GetLastMember(); m; m = m->GetPrevious()) {
            CDato d;
            m->GetObject()->LeggiDato(4, d);
            indietro.insert(indietro.begin(), d.GetDouble());
        }
        EXPECT_EQ(indietro, Chiavi(g.operator->()));
        EXPECT_EQ(static_cast<int>(indietro.size()), g->GetMemberCount());
    }
}

TEST(Gruppo, InsertBeforeIgnoresTheKeyAndRefusesAForeignMember) {
    CostruttoreContatore costruttore;
    GruppoPtr g, altro;
    g->Setup(&costruttore, TIPO_PUNTO_PROVA, 4, 0);
    g->Append(new PuntoProva(10));
    g->Append(new PuntoProva(30));
    ASSERT_NE(g->InsertBefore(g->GetFirstMember(), new PuntoProva(50)), nullptr);
    EXPECT_EQ(Chiavi(g.operator->()), (std::vector<double>{50, 10, 30}));
    ASSERT_NE(g->InsertBefore(g->GetLastMember(), new PuntoProva(40)), nullptr);
    EXPECT_EQ(Chiavi(g.operator->()), (std::vector<double>{50, 10, 40, 30}));

    altro->Append(new PuntoProva(1));
    PuntoProva estraneo(2);
    EXPECT_EQ(g->InsertBefore(altro->GetFirstMember(), &estraneo), nullptr);
    EXPECT_EQ(g->InsertBefore(nullptr, &estraneo), nullptr);
    EXPECT_EQ(g->Append(nullptr), nullptr);
    EXPECT_EQ(g->GetMemberCount(), 4);
}

TEST(Gruppo, WalkAtBothEndsAndOnAnEmptyGroup) {
    GruppoPtr g;
    EXPECT_EQ(g->GetFirstMember(), nullptr);
    EXPECT_EQ(g->GetLastMember(), nullptr);
    EXPECT_EQ(g->GetMemberCount(), 0);

    auto* a = g->Append(new PuntoProva(1));
    EXPECT_EQ(g->GetFirstMember(), a);
    EXPECT_EQ(g->GetLastMember(), a);
    EXPECT_EQ(a->GetNext(), nullptr);
    EXPECT_EQ(a->GetPrevious(), nullptr);

    auto* b = g->Append(new PuntoProva(2));
    auto* c = g->Append(new PuntoProva(3));
    EXPECT_EQ(a->GetNext(), b);
    EXPECT_EQ(c->GetPrevious(), b);
    EXPECT_EQ(b->GetPrevious(), a);
    EXPECT_EQ(c->GetNext(), nullptr);
    EXPECT_EQ(g->GetLastMember(), c);
}

TEST(Gruppo, RemoveAndEmptyFreeEachObjectOnceThroughTheGroupsConstructor) {
    int vivi = OggettiVivi();
    CostruttoreContatore costruttore;
    {
        GruppoPtr g, altro;
        g->SetConstructor(&costruttore);
        std::vector<IQvObject*> oggetti;
        for (int i = 0; i < 4; ++i) {
            oggetti.push_back(new PuntoProva(i));
            g->Append(oggetti.back());
        }
        altro->Append(new PuntoProva(9));
        EXPECT_EQ(g->RemoveMember(altro->GetFirstMember()), 0);
        EXPECT_EQ(g->RemoveMember(nullptr), 0);

        // A walk that removes its current member takes the next one first.
        for (auto* m = g->GetFirstMember(); m;) {
            auto* next = m->GetNext();
            if (m->GetObject() == oggetti[1]) {
                EXPECT_EQ(g->RemoveMember(m), 1);
            }
            m = next;
        }
        EXPECT_EQ(Chiavi(g.operator->()), (std::vector<double>{0, 2, 3}));
        EXPECT_EQ(costruttore.m_liberati.size(), 1u);
        EXPECT_EQ(costruttore.m_liberati[oggetti[1]], 1);

        g->Empty();
        EXPECT_EQ(g->GetFirstMember(), nullptr);
        EXPECT_EQ(g->GetLastMember(), nullptr);
        EXPECT_EQ(g->GetMemberCount(), 0);
        for (IQvObject* o : oggetti) EXPECT_EQ(costruttore.m_liberati[o], 1);
        EXPECT_EQ(OggettiVivi(), vivi + 1);  // the other group's member
    }
    EXPECT_EQ(OggettiVivi(), vivi);
}

TEST(Gruppo, NameAndDisplaySettings) {
    GruppoPtr g;
    CDato nome;
    EXPECT_EQ(g->SetDato(CDato(QV_DATO_NOME_GRUPPO, L"Punti Vertice"), 1), 1);
    ASSERT_EQ(g->LeggiDato(QV_DATO_NOME_GRUPPO, nome), 1);
    EXPECT_STREQ(nome.GetString(), L"Punti Vertice");
    EXPECT_EQ(g->SetDato(CDato(4, 1.0), 1), 0);
    EXPECT_EQ(g->LeggiDato(4, nome), 0);
    EXPECT_EQ(g->GetTipo(), QV_TIPO_GRUPPO);

    // Each new settings object replaces (and frees) the one before.
    for (int i = 0; i < 3; ++i) {
        auto* s = QvEngineeringConstructor::Alloca(QV_TIPO_IMPOSTAZIONI, nullptr);
        g->SetDisplaySettings(s);
        EXPECT_EQ(g->GetDisplaySettings(), s);
    }
    g->SetDisplaySettings(g->GetDisplaySettings());
    EXPECT_NE(g->GetDisplaySettings(), nullptr);

    g->Setup(nullptr, TIPO_PUNTO_PROVA, 4, 0);
    EXPECT_EQ(g->GetMemberType(), TIPO_PUNTO_PROVA);
    EXPECT_EQ(g->GetKeyId(), 4);
    EXPECT_EQ(g->GetKeyValue(), 0);
}

}  // namespace
