// Where the rows are: hit testing, the divider, scrolling.
#include "OptionTreeFixture.h"

class Geometry : public OptionTreeFixture {};

TEST_F(Geometry, HitTestAcrossTheRowAndTheDivider) {
    Build({L"h [m]", L"Rr1is [m]"});
    CRect rc;
    tree->GetRowsView()->GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), 263);
    EXPECT_EQ(rc.Height(), 294);
    struct Case {
        int x, y, code;
    } cases[] = {
        {8, 9, OTHT_EXPAND},   {100, 30, OTHT_LABEL}, {145, 30, OTHT_COLUMN}, {155, 30, OTHT_COLUMN},
        {156, 30, OTHT_VALUE}, {152, 9, OTHT_LABEL},  {160, 9, OTHT_VALUE},   {100, 63, OTHT_NOWHERE},
    };
    for (const Case& c : cases) EXPECT_EQ(tree->HitTest(CPoint(c.x, c.y)), c.code) << c.x << "," << c.y;
    EXPECT_EQ(tree->FindItemAtPoint(CPoint(100, 30)), rows[0]);
    EXPECT_EQ(tree->FindItemAtPoint(CPoint(100, 62)), rows[1]);
}

TEST_F(Geometry, DividerLimitsDragAndLabelFit) {
    Build(Labels(20));  // the scroll bar shows: rows view 246 wide
    struct Case {
        int set, expected;
    } set[] = {{5, 16}, {300, 230}, {120, 120}};
    for (const Case& c : set) {
        tree->SetColumn(c.set);
        EXPECT_EQ(tree->GetColumn(), c.expected) << c.set;
    }
    struct Drag {
        int to, expected;
    } drags[] = {{30, 41}, {240, 221}, {100, 100}};
    for (const Drag& d : drags) {
        Later();  // each press a click of its own, not the second of a double click
        tree->SetColumn(150);
        vplat::UserInput::ButtonDown(RowsView(), POINT{150, 30});
        Paint();
        EXPECT_EQ(GetCapture(), RowsView());
        vplat::UserInput::MoveMouse(POINT{0, 0});  // anywhere: the capture holds
        vplat::UserInput::ButtonUp(RowsView(), POINT{d.to, 30});
        Paint();
        EXPECT_EQ(tree->GetColumn(), d.expected) << d.to;
        EXPECT_EQ(GetCapture(), nullptr);
    }
    // A vetoed drag does not start.
    Later();
    tree->SetColumn(150);
    g_notifications.clear();
    g_vetoes[OTN_COLUMNDRAG] = 1;
    vplat::UserInput::ButtonDown(RowsView(), POINT{150, 30});
    Paint();
    EXPECT_EQ(GetCapture(), nullptr);
    vplat::UserInput::ButtonUp(RowsView(), POINT{60, 30});
    Paint();
    EXPECT_EQ(tree->GetColumn(), 150);
    EXPECT_EQ(Count(OTN_COLUMNDRAG), 1);
}

TEST_F(Geometry, DoubleClickOnTheDividerFitsTheLabels) {
    Build({L"h [m]", L"Rr1is [m]"});
    tree->SetColumn(200);
    Paint();
    DoubleClick(200, 30);
    EXPECT_EQ(tree->GetColumn(), 21 + 52 + 5);
    // A label of blanks takes no room and draws nothing.
    rows[0]->SetLabel(L"   ");
    tree->RefreshView();
    Paint();
    EXPECT_TRUE(rows[0]->GetLabelRect().IsRectEmpty());
}

TEST_F(Geometry, ScrollingByPageLineAndWheel) {
    Build(Labels(32));  // 33 rows, content 693
    HWND view = RowsView();
    auto scroll = [&](WORD code) {
        SendMessageW(view, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
        return tree->GetScrollPosition();
    };
    EXPECT_EQ(scroll(SB_PAGEDOWN), 295);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 398);
    EXPECT_EQ(scroll(SB_LINEUP), 377);
    scroll(SB_TOP);
    tree->SetFocusedItem(nullptr);
    SendMessageW(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    SendMessageW(view, WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
    ASSERT_EQ(tree->GetScrollPosition(), 0);
    vplat::UserInput::Wheel(view, POINT{100, 100}, -WHEEL_DELTA);
    Paint();
    EXPECT_EQ(tree->GetScrollPosition(), 21);
    EXPECT_EQ(GetFocus(), view);  // the wheel took the focus
}

TEST_F(Geometry, ShortContentDoesNotScroll) {
    Build(Labels(9));  // 10 rows, 210 < 294
    HWND view = RowsView();
    SetFocus(view);
    vplat::UserInput::Wheel(view, POINT{100, 100}, -WHEEL_DELTA);
    Paint();
    EXPECT_EQ(tree->GetScrollPosition(), 0);
    CRect rc;
    tree->GetRowsView()->GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), 263);  // no scroll bar
}

TEST_F(Geometry, EnsureVisibleExpandsAndScrolls) {
    Build(Labels(32));
    group->SetExpanded(false);
    tree->RefreshView();
    Paint();
    tree->EnsureVisible(rows[30]);  // content y 651
    EXPECT_TRUE(group->IsExpanded());
    int pos = tree->GetScrollPosition();
    EXPECT_EQ(pos, 651 + 2 * 21 - 294);
}

TEST_F(Geometry, CursorsOverTheDividerAndTheExpandBox) {
    Build({L"a"});
    struct Case {
        int x, y;
        LPCWSTR cursor;
    } cases[] = {{150, 30, IDC_SIZEWE}, {8, 9, IDC_HAND}, {100, 30, IDC_ARROW}};
    for (const Case& c : cases) {
        vplat::UserInput::MoveMouse(POINT{100 + c.x, 100 + c.y});  // the frame's client is at 100,100
        Paint();
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor)) << c.x << "," << c.y;
    }
    // A divider cursor given before the tree is made replaces the system's.
    tree->ShowWindow(SW_HIDE);
    HCURSOR own = LoadCursorW(nullptr, IDC_CROSS);
    COptionTree second;
    second.SetDividerCursor(own);
    ASSERT_TRUE(second.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 263, 344), CWnd::FromHandle(frame), 0, 7014));
    second.InsertItem(new COptionTreeItem, second.InsertItem(new COptionTreeItem));
    second.ExpandAllItems();
    Paint();
    vplat::UserInput::MoveMouse(POINT{100 + 150, 100 + 30});
    Paint();
    EXPECT_EQ(GetCursor(), own);
    second.DestroyWindow();
}
