// The extended data of a plan roundabout's entities, read by position as the
// model reads them: with and without the brace after the application name,
// and as the failure-test switches alter them.
#include "PlanChecks.h"
#include "PlanFixtures.h"

using piano::Posizioni;
using piano::Testo;
using piano::Trova;
using rotatorie::Entita;
using rotatorie::Rotatoria;

namespace {

TEST(PlanItems, PositionsHoldTheDocumentedItemsWithAndWithoutBraces) {
    for (bool graffe : {false, true}) {
        SCOPED_TRACE(graffe ? "wrapped in braces" : "plain");
        Rotatoria r = piano::DueRami();
        r.graffe = graffe;
        auto entita = rotatorie::EntitaDi(r);
        for (const Entita& e : entita) {
            if (e.layer != rotatorie::kLayerRotatoria) continue;
            SCOPED_TRACE(testing::Message() << e.kind << " of branch " << e.ramo);
            piano::VerificaPosizioni(r, e, e.datiEstesi.get());
        }
        // The road edges keep their own layout, without braces: one item
        // before the kind, then the owner, the alignment's name.
        for (int ramo : {0, 1})
            for (const wchar_t* kind : {L"CDX", L"CSX"}) {
                const Entita* e = Trova(entita, ramo, kind);
                ASSERT_NE(e, nullptr);
                const resbuf* rb = e->datiEstesi.get();
                EXPECT_STREQ(rb->resval.rstring, L"QV-VORTANA-NPOLI");
                ASSERT_EQ(rb->rbnext->restype, 1070);
                EXPECT_EQ(Testo(rb->rbnext->rbnext), kind);
                EXPECT_EQ(Testo(rb->rbnext->rbnext->rbnext), r.rami[ramo].nome);
                EXPECT_EQ(rb->rbnext->rbnext->rbnext->rbnext, nullptr);
            }
    }
}

// A list cut to k items keeps the first k (braces apart, which still close
// it); a changed code stands at the code's position; the other entities keep
// their items.
TEST(PlanItems, AlteredItemsAreCutOrRecodedWhereAsked) {
    struct Caso {
        const char* nome;
        bool graffe;
        int ramo;               // -1 for a circle
        const wchar_t* kind;
        rotatorie::Voci voci;
        std::vector<std::wstring> attese;  // the texts by position; "#" for the flag
    };
    const Caso casi[] = {
        {"inner circle cut to 2", false, -1, L"aCInt", {2, L""}, {L"PR-PROVA", L"Rotatoria di prova"}},
        {"outer circle cut to 0, braces", true, -1, L"aCExt", {0, L""}, {}},
        {"plan edge cut to 5: no flag", false, 1, L"rCIOut", {5, L""}, {L"PR-PROVA", L"TR00000002", L"SP 2", L"rCIOut", L""}},
        {"plan edge cut to 3, braces", true, 0, L"rCEIn", {3, L""}, {L"PR-PROVA", L"TR00000001", L"SP 1"}},
        {"circle with a branch code", false, -1, L"aCInt", {-1, L"rCEOut"}, {L"PR-PROVA", L"Rotatoria di prova", L"rCEOut"}},
        {"plan edge with a ring code, braces", true, 0, L"rCIIn", {-1, L"aCExt"},
         {L"PR-PROVA", L"TR00000001", L"SP 1", L"aCExt", L"", L"#"}},
        {"plan edge recoded and cut to 4", false, 1, L"rCEOut", {4, L"aCInt"}, {L"PR-PROVA", L"TR00000002", L"SP 2", L"aCInt"}},
    };
    const auto normali = rotatorie::EntitaDi(piano::DueRami());
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Rotatoria r = piano::DueRami();
        r.graffe = c.graffe;
        if (c.ramo < 0)
            (std::wstring(c.kind) == L"aCInt" ? r.vociInterno : r.vociEsterno) = c.voci;
        else
            for (auto b : {rotatorie::Bordo::rCEOut, rotatorie::Bordo::rCIOut, rotatorie::Bordo::rCIIn, rotatorie::Bordo::rCEIn})
                if (rotatorie::Codice(b) == std::wstring(c.kind)) r.rami[c.ramo].voci[b] = c.voci;
        auto entita = rotatorie::EntitaDi(r);
        ASSERT_EQ(entita.size(), normali.size());
        for (std::size_t i = 0; i < entita.size(); ++i) {
            const Entita& e = entita[i];
            auto pos = Posizioni(e.datiEstesi.get());
            if (e.ramo != c.ramo || e.kind != c.kind) {
                // Untouched: as many items as without the switch, braces apart.
                if (e.layer == rotatorie::kLayerRotatoria) {
                    EXPECT_EQ(pos.size(), Posizioni(normali[i].datiEstesi.get()).size() + (c.graffe ? 1 : 0)) << e.kind;
                }
                continue;
            }
            if (c.graffe) {
                ASSERT_FALSE(pos.empty());
                EXPECT_EQ(Testo(pos.back()), L"}");
                pos.pop_back();
            }
            ASSERT_EQ(pos.size(), c.attese.size());
            for (std::size_t k = 0; k < pos.size(); ++k) {
                if (c.attese[k] == L"#")
                    EXPECT_EQ(pos[k]->restype, 1070);
                else
                    EXPECT_EQ(Testo(pos[k]), c.attese[k]) << "position " << k + 1;
            }
        }
    }
}

}  // namespace
