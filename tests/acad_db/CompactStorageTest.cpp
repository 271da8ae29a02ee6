// The drawing's compact storage: a group keeps its text in itself up to five
// characters and in a block of its own beyond, and the handle table probes a
// flat array. Faults here are lost or mixed-up values, freed texts read
// again, or an object not found by its handle.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "AcDbObject.h"
#include "DxfTag.h"
#include "HandleMap.h"

using vplat::DxfTag;

namespace {

// Texts on both sides of the five characters a group keeps in itself.
const std::vector<std::wstring> kTexts = {L"", L"0", L"CDX", L"ABCDE", L"ABCDEF", L"QV-VORTANA-NPOLI",
                                          L"Asse principale \u00e8", std::wstring(300, L'x')};

TEST(CompactGroupTest, TextsSurviveCopiesMovesAndReassignment) {
    for (const std::wstring& text : kTexts) {
        SCOPED_TRACE(std::string(text.begin(), text.begin() + std::min<size_t>(text.size(), 20)));
        DxfTag a = DxfTag::Text(1000, text);
        EXPECT_EQ(a.s(), text);
        EXPECT_EQ(std::wstring(a.c_str()), text);

        DxfTag copy = a;
        DxfTag moved = std::move(a);
        EXPECT_EQ(copy.s(), text);
        EXPECT_EQ(moved.s(), text);
        EXPECT_TRUE(copy == moved);
        // The moved-from group is an empty value, safe to read and to drop.
        EXPECT_TRUE(a.s().empty());
        EXPECT_EQ(a.i(), 0);

        // A text given over every other kind, and every kind over a text.
        for (const std::wstring& other : kTexts) {
            DxfTag t = DxfTag::Text(1, other);
            t = copy;
            EXPECT_EQ(t.s(), text);
            t = DxfTag::Real(40, 2.5);
            EXPECT_EQ(t.v()[0], 2.5);
            EXPECT_TRUE(t.s().empty());
            t = DxfTag::Text(1, other);
            t = std::move(moved);
            EXPECT_EQ(t.s(), text);
            moved = t;
        }
        DxfTag self = DxfTag::Text(1, text);
        DxfTag& alias = self;
        self = alias;
        self = std::move(alias);
        EXPECT_EQ(self.s(), text);
    }
}

TEST(CompactGroupTest, AValueOfAnotherKindReadsAsUnset) {
    const DxfTag text = DxfTag::Text(1, L"ABCDEFGH"), real = DxfTag::Real(40, 7.5), whole = DxfTag::Int(70, -3),
                 point = DxfTag::Point(10, 1, 2, 3);
    struct Case {
        const DxfTag* tag;
        std::wstring s;
        int64_t i;
        double v0, v1, v2, asReal;
    } cases[] = {
        {&text, L"ABCDEFGH", 0, 0, 0, 0, 0},
        {&real, L"", 0, 7.5, 0, 0, 7.5},
        {&whole, L"", -3, 0, 0, 0, -3},
        {&point, L"", 0, 1, 2, 3, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.tag->s(), c.s);
        EXPECT_EQ(c.tag->i(), c.i);
        EXPECT_EQ(c.tag->v()[0], c.v0);
        EXPECT_EQ(c.tag->v()[1], c.v1);
        EXPECT_EQ(c.tag->v()[2], c.v2);
        EXPECT_EQ(c.tag->AsReal(), c.asReal);
    }
    // Setting a coordinate changes points and reals only.
    DxfTag t = text, r = real, p = point, n = whole;
    t.SetV(0, 9), r.SetV(0, 9), r.SetV(1, 9), p.SetV(2, 9), n.SetV(0, 9);
    EXPECT_EQ(t.s(), L"ABCDEFGH");
    EXPECT_EQ(r.v()[0], 9);
    EXPECT_EQ(r.v()[1], 0);
    EXPECT_EQ(p.v()[2], 9);
    EXPECT_EQ(n.i(), -3);
}

TEST(CompactGroupTest, ListsOfGroupsGrowAndShrinkWithoutLosingTexts) {
    vplat::DxfTags tags;
    for (int k = 0; k < 200; ++k) tags.push_back(DxfTag::Text(1000 + k % 3, kTexts[k % kTexts.size()]));
    vplat::RemoveTags(tags, 1001);
    tags.insert(tags.begin(), DxfTag::Int(70, 1));
    ASSERT_EQ(tags.front().i(), 1);
    size_t k = 0;
    for (int n = 0; n < 200; ++n) {
        if (n % 3 == 1) continue;
        ASSERT_EQ(tags[++k].s(), kTexts[n % kTexts.size()]) << n;
    }
}

// The handle table against a node map, for handles in a row, scattered and
// near the top of the range, with and without room made beforehand.
TEST(HandleMapTest, FindsWhatANodeMapFinds) {
    std::mt19937_64 random(20261210);
    const std::vector<std::pair<const char*, std::vector<uint64_t>>> runs = [&] {
        std::vector<uint64_t> row, scattered, top;
        for (uint64_t h = 0x20; h < 0x20 + 5000; ++h) row.push_back(h);
        for (int k = 0; k < 5000; ++k) scattered.push_back(1 + random() % 0xFFFFFFFFFFFFull);
        for (uint64_t h = 0xFFFFFFFFFFFFull; h > 0xFFFFFFFFFFFFull - 3000; --h) top.push_back(h);
        return std::vector<std::pair<const char*, std::vector<uint64_t>>>{
            {"row", row}, {"scattered", scattered}, {"top", top}};
    }();
    for (bool reserve : {false, true})
        for (const auto& [name, handles] : runs) {
            SCOPED_TRACE(std::string(name) + (reserve ? " reserved" : ""));
            vplat::HandleMap map;
            std::unordered_map<uint64_t, vplat::DbStub*> expected;
            std::vector<vplat::DbStub> stubs(handles.size());
            if (reserve) map.Reserve(handles.size());
            for (size_t k = 0; k < handles.size(); ++k) {
                if (expected.count(handles[k])) continue;
                map.Insert(handles[k], &stubs[k]);
                expected[handles[k]] = &stubs[k];
                // Every few inserts, everything so far and a few strangers.
                if (k % 997 == 0) {
                    for (const auto& [h, s] : expected) ASSERT_EQ(map.Find(h), s);
                }
            }
            EXPECT_EQ(map.Size(), expected.size());
            for (const auto& [h, s] : expected) ASSERT_EQ(map.Find(h), s) << h;
            for (int k = 0; k < 2000; ++k) {
                uint64_t h = random() % 0x1000000000000ull;
                EXPECT_EQ(map.Find(h), expected.count(h) ? expected[h] : nullptr) << h;
            }
            EXPECT_EQ(map.Find(0), nullptr);
        }
    EXPECT_EQ(vplat::HandleMap().Find(0x20), nullptr);
}

}  // namespace
