#include <functional>
#include <map>

#include "DrawingFixture.h"

namespace {

struct FilterCase {
    const char* name;
    std::function<resbuf*()> filter;
    std::vector<std::wstring> expected;  // handle names of the fixture, in order
};

}  // namespace

// A fixture of five entities: two tagged road polylines on two layers, a
// plain polyline, a block reference and a line.
class SelectionFilters : public DrawingTest, public ::testing::WithParamInterface<FilterCase> {
public:
    void SetUp() override {
        DrawingTest::SetUp();
        AddLayer(L"QV-CIGLI");
        AddLayer(L"QV_LAYOUT_CONTOUR");
        acdbRegApp(L"QV-VORTANA-NPOLI");
        acdbRegApp(L"QV-VORTANA-INTERS-T");
        AcGePoint3dArray pts;
        pts.append(AcGePoint3d(0, 0, 0));
        pts.append(AcGePoint3d(10, 0, 0));
        auto poly = [&](const wchar_t* layer) {
            auto* p = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts);
            p->setLayer(layer);
            return Append(p);
        };
        Name(L"road1", poly(L"QV-CIGLI"));
        SetXData(m_ids[L"road1"], acutBuildList(1001, L"QV-VORTANA-NPOLI", 1000, L"CDX", RTNONE));
        Name(L"plain", poly(L"0"));
        Name(L"road2", poly(L"0"));
        SetXData(m_ids[L"road2"], acutBuildList(1001, L"QV-VORTANA-NPOLI", 1000, L"BSX", 1001,
                                                L"QV-VORTANA-INTERS-T", 1000, L"123", RTNONE));
        AcDbObjectId block = AddBlock(L"CONT");
        auto* ref = new AcDbBlockReference(AcGePoint3d(), block);
        ref->setLayer(L"QV_LAYOUT_CONTOUR");
        Name(L"ref", Append(ref));
        Name(L"line", Append(new AcDbLine(AcGePoint3d(), AcGePoint3d(1, 1, 0))));
        // Entities inside a block definition are never selected.
        Append(new AcDbLine(AcGePoint3d(), AcGePoint3d(2, 2, 0)), L"CONT");
    }
    void Name(const std::wstring& n, AcDbObjectId id) { m_ids[n] = id; }

    std::vector<std::wstring> Select(const resbuf* filter, int* rc) {
        ads_name ss;
        *rc = acedSSGet(L"_X", nullptr, nullptr, filter, ss);
        std::vector<std::wstring> out;
        if (*rc != RTNORM) return out;
        Adesk::Int32 n = 0;
        EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
        for (Adesk::Int32 i = 0; i < n; ++i) {
            ads_name e;
            EXPECT_EQ(acedSSName(ss, i, e), RTNORM);
            AcDbObjectId id;
            acdbGetObjectId(id, e);
            for (const auto& [k, v] : m_ids)
                if (v == id) out.push_back(k);
        }
        EXPECT_EQ(acedSSFree(ss), RTNORM);
        return out;
    }

    std::map<std::wstring, AcDbObjectId> m_ids;
};

// The same answers from the drawing's indexes and from a walk of every entity.
TEST_P(SelectionFilters, SelectInCreationOrder) {
    for (bool indici : {true, false}) {
        SCOPED_TRACE(indici ? "indexes" : "full walk");
        vplat::UseSelectionIndexes(indici);
        resbuf* filter = GetParam().filter();
        int rc = 0;
        std::vector<std::wstring> got = Select(filter, &rc);
        acutRelRb(filter);
        EXPECT_EQ(got, GetParam().expected);
        EXPECT_EQ(rc, GetParam().expected.empty() ? RTERROR : RTNORM);
        EXPECT_EQ(vplat::OpenSelectionSets(), 0);
    }
    vplat::UseSelectionIndexes(true);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, SelectionFilters,
    ::testing::Values(
        FilterCase{"NoFilter", [] { return static_cast<resbuf*>(nullptr); },
                   {L"road1", L"plain", L"road2", L"ref", L"line"}},
        FilterCase{"Type", [] { return acutBuildList(RTDXF0, L"POLYLINE", RTNONE); }, {L"road1", L"plain", L"road2"}},
        FilterCase{"TypeListWildcard", [] { return acutBuildList(RTDXF0, L"line,INS*", RTNONE); }, {L"ref", L"line"}},
        FilterCase{"LayerIgnoresCase", [] { return acutBuildList(8, L"qv-cigli", RTNONE); }, {L"road1"}},
        FilterCase{"TypeAndApplication",
                   [] { return acutBuildList(RTDXF0, L"POLYLINE", -3, 1001, L"QV-VORTANA-NPOLI", RTNONE); },
                   {L"road1", L"road2"}},
        FilterCase{"SecondApplication", [] { return acutBuildList(1001, L"QV-VORTANA-INTERS-T", RTNONE); },
                   {L"road2"}},
        FilterCase{"AndGroup",
                   [] {
                       return acutBuildList(-4, L"<and", RTDXF0, L"INSERT", 8, L"QV_LAYOUT_CONTOUR", -4, L"and>",
                                            RTNONE);
                   },
                   {L"ref"}},
        FilterCase{"OrGroup",
                   [] { return acutBuildList(-4, L"<OR", RTDXF0, L"LINE", 8, L"QV-CIGLI", -4, L"OR>", RTNONE); },
                   {L"road1", L"line"}},
        FilterCase{"NotGroup",
                   [] {
                       return acutBuildList(RTDXF0, L"POLYLINE", -4, L"<not", 1001, L"QV-VORTANA-NPOLI", -4, L"not>",
                                            RTNONE);
                   },
                   {L"plain"}},
        FilterCase{"NothingMatches", [] { return acutBuildList(RTDXF0, L"CIRCLE", RTNONE); },
                   std::vector<std::wstring>{}}),
    [](const ::testing::TestParamInfo<FilterCase>& info) { return std::string(info.param.name); });

// Erased entities leave the selection; the drawing read back from a file
// answers in the same order.
TEST_F(SelectionFilters, ErasedLeaveAndOrderSurvivesAFile) {
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenObject(e, m_ids[L"plain"], AcDb::kForWrite), Acad::eOk);
    e->erase();
    e->close();
    resbuf* f = acutBuildList(RTDXF0, L"POLYLINE", RTNONE);
    int rc = 0;
    EXPECT_EQ(Select(f, &rc), (std::vector<std::wstring>{L"road1", L"road2"}));
    auto back = RoundTrip();
    acdbHostApplicationServices()->setWorkingDatabase(back.get());
    ads_name ss;
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, f, ss), RTNORM);
    std::vector<AcDbHandle> handles;
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name en;
        acedSSName(ss, i, en);
        AcDbObjectId id;
        acdbGetObjectId(id, en);
        handles.push_back(id.handle());
    }
    acedSSFree(ss);
    acutRelRb(f);
    acdbHostApplicationServices()->setWorkingDatabase(db());
    EXPECT_EQ(handles, (std::vector<AcDbHandle>{m_ids[L"road1"].handle(), m_ids[L"road2"].handle()}));
}

// Picks and user selections come from the script by handle.
TEST_F(SelectionFilters, PicksAnsweredByHandle) {
    std::wstring road1 = m_ids[L"road1"].handle().text(), ref = m_ids[L"ref"].handle().text();
    std::wstring line = m_ids[L"line"].handle().text();
    ASSERT_TRUE(vplat::Script::Get().Load(L"entsel " + road1 + L" 5,1\n" +  // pick with a point
                                          L"entsel " + road1 + L"\n" +       // pick on the entity
                                          L"entsel FFFFF\n" +                // nothing there
                                          L"entsel <cancel>\n" +
                                          L"select " + ref + L"," + line + L" " + road1 + L"\n" +
                                          L"select <enter>\n"));
    ads_name en;
    ads_point pt;
    ASSERT_EQ(acedEntSel(L"\nSelezionare l'asse: ", en, pt), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, en);
    EXPECT_EQ(id, m_ids[L"road1"]);
    EXPECT_EQ(AcGePoint3d(pt[0], pt[1], pt[2]), AcGePoint3d(5, 1, 0));
    ASSERT_EQ(acedEntSel(nullptr, en, pt), RTNORM);
    EXPECT_EQ(AcGePoint3d(pt[0], pt[1], pt[2]), AcGePoint3d(0, 0, 0));
    EXPECT_EQ(acedEntSel(nullptr, en, pt), RTERROR);
    EXPECT_EQ(acedEntSel(nullptr, en, pt), RTCAN);
    // The person's selection keeps what passes the filter, in pick order.
    resbuf* f = acutBuildList(RTDXF0, L"INSERT,LINE", RTNONE);
    ads_name ss;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, f, ss), RTNORM);
    Adesk::Int32 n = 0;
    acedSSLength(ss, &n);
    ASSERT_EQ(n, 2);
    acedSSName(ss, 0, en);
    acdbGetObjectId(id, en);
    EXPECT_EQ(id, m_ids[L"ref"]);
    acedSSFree(ss);
    EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, f, ss), RTERROR);
    acutRelRb(f);
    EXPECT_TRUE(vplat::Script::Get().Mismatches().empty());
    EXPECT_NE(vplat::Transcript::Get().CommandLineText().find(L"Selezionare l'asse: "), std::wstring::npos);
}

// The entity's data with one application's extended data, as the road-edge
// lookup reads it.
TEST_F(SelectionFilters, EntGetXGivesTheApplicationsAsked) {
    ads_name en;
    acdbGetAdsName(en, m_ids[L"road2"]);
    resbuf* apps = acutBuildList(RTSTR, L"QV-VORTANA-NPOLI", RTNONE);
    resbuf* data = acdbEntGetX(en, apps);
    acutRelRb(apps);
    ASSERT_NE(data, nullptr);
    std::vector<std::pair<int, std::wstring>> tail;
    bool afterMarker = false;
    std::wstring type, layer;
    for (resbuf* rb = data; rb; rb = rb->rbnext) {
        if (rb->restype == 0) type = rb->resval.rstring;
        if (rb->restype == 8) layer = rb->resval.rstring;
        if (rb->restype == -3) afterMarker = true;
        else if (afterMarker) tail.push_back({rb->restype, rb->resval.rstring});
    }
    acutRelRb(data);
    EXPECT_EQ(type, L"POLYLINE");
    EXPECT_EQ(layer, L"0");
    EXPECT_EQ(tail, (std::vector<std::pair<int, std::wstring>>{{1001, L"QV-VORTANA-NPOLI"}, {1000, L"BSX"}}));
    // A bad name gives nothing.
    ads_name bad = {12345, 0};
    EXPECT_EQ(acdbEntGet(bad), nullptr);
}

// Names against the wildcards of filters: each item, the alternatives, the
// negation and the escape; case is ignored.
TEST(WildcardNames, EachItemAndTheWholePattern) {
    struct Case {
        const wchar_t *pattern, *name;
        bool matches;
    } cases[] = {
        {L"POLYLINE", L"polyline", true},   {L"POLYLINE", L"POLYLINES", false}, {L"", L"", true},
        {L"", L"A", false},                 {L"QV-*", L"QV-CIGLI", true},       {L"QV-*", L"QV", false},
        {L"*CIG*", L"QV-CIGLI", true},      {L"*A*B", L"xAyAzB", true},         {L"*A*B", L"xAyAzBq", false},
        {L"R#", L"R7", true},               {L"R#", L"RX", false},              {L"@@", L"ab", true},
        {L"a.b", L"a-b", true},             {L"a.b", L"a1b", false},            {L"?", L"", false},
        {L"line,INS*", L"INSERT", true},    {L"~LINE", L"CIRCLE", true},        {L"~LINE", L"line", false},
        {L"`*", L"*", true},                {L"`*", L"A", false},               {L"a`,b", L"a,b", true},
        {L"**", L"", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vplat::WildcardMatch(c.pattern, c.name), c.matches) << std::wstring(c.pattern) << " / " << c.name;
}

// Many stars against a long name that fails at its end: the walk stays
// linear in each star's tries instead of trying every way to split the name.
TEST(WildcardNames, ManyStarsDoNotHang) {
    std::wstring name(255, L'A');
    EXPECT_FALSE(vplat::WildcardMatch(L"*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*B", name));
    EXPECT_TRUE(vplat::WildcardMatch(L"*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*A*", name));
}
