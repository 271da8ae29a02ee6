#include <gtest/gtest.h>

#include <afx.h>

TEST(CStringTest, EditingOperationsStayInBounds) {
    CString s(L"  Via Roma, 12  ");
    EXPECT_EQ(CString(s).Trim(), L"Via Roma, 12");
    CString t(L"Via Roma");
    const struct {
        CString got;
        const wchar_t* want;
    } cases[] = {
        {t.Mid(4), L"Roma"},      {t.Mid(4, 100), L"Roma"}, {t.Mid(-3, 3), L"Via"}, {t.Mid(20), L""},
        {t.Left(-1), L""},        {t.Left(99), L"Via Roma"}, {t.Right(4), L"Roma"}, {t.Right(99), L"Via Roma"},
        {t.SpanExcluding(L" "), L"Via"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
    EXPECT_EQ(t.Find(L'R'), 4);
    EXPECT_EQ(t.Find(L"ma"), 6);
    EXPECT_EQ(t.Find(L'a', 20), -1);
    EXPECT_EQ(t.ReverseFind(L'a'), 7);
    EXPECT_EQ(t.CompareNoCase(L"VIA ROMA"), 0);
    EXPECT_LT(t.Compare(L"Via Romb"), 0);
    CString r(L"a-b-c");
    EXPECT_EQ(r.Replace(L"-", L"--"), 2);
    EXPECT_EQ(r, L"a--b--c");
    int pos = 0;
    CString csv(L";uno;;due");
    EXPECT_EQ(csv.Tokenize(L";", pos), L"uno");
    EXPECT_EQ(csv.Tokenize(L";", pos), L"due");
    EXPECT_EQ(csv.Tokenize(L";", pos), L"");
    EXPECT_EQ(pos, -1);
}

TEST(CStringTest, BufferAccessSetsTheLength) {
    CString s;
    wchar_t* p = s.GetBuffer(10);
    std::wcscpy(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s, L"abc");
    s.GetBuffer(2);
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, L"ab");
    EXPECT_EQ(CString("\xc3\xa8").GetAt(0), L'\u00e8');  // narrow texts are UTF-8
}

TEST(CArrayTest, BadIndexThrowsTheFrameworkException) {
    CArray<int, int> a;
    a.Add(1);
    a.Add(3);
    a.InsertAt(1, 2);
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[1], 2);
    for (INT_PTR bad : {-1, 3, 100}) {
        bool thrown = false;
        try {
            a.GetAt(bad);
        } catch (CInvalidArgException* e) {
            thrown = true;
            e->Delete();
        }
        EXPECT_TRUE(thrown) << bad;
    }
    bool thrown = false;
    try {
        a.RemoveAt(2, 2);
    } catch (CInvalidArgException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    a.RemoveAt(0, 2);
    EXPECT_EQ(a.GetSize(), 1);
    CArray<int, int> b;
    b.Copy(a);
    b.Append(a);
    EXPECT_EQ(b.GetSize(), 2);
    thrown = false;
    try {
        b.Append(b);
    } catch (CInvalidArgException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}
