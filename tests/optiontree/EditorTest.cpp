// The editor of a spinner row under a user's hands: what a typed text gives
// the row, and where the editor is when the rows move under it.
#include "OptionTreeFixture.h"

namespace {

// Twenty spinner rows under one group (content 441, view 294): row i lies at
// content y 21 (i + 1); the spinners are 91 x 20 once the divider is at 167.
class Editor : public OptionTreeFixture {
protected:
    void SetUp() override {
        OptionTreeFixture::SetUp();
        Build(Labels(20), kOptions, true);
        tree->SetColumn(167);
        tree->RefreshItems();
        Paint();
    }
    COptionTreeItemSpinnerDec* Row(int i) { return COptionTreeItemSpinnerDec::FromItem(rows[static_cast<size_t>(i)]); }
    static std::wstring Text(COptionTreeItemSpinnerDec* row) {
        CString t;
        row->GetEdit()->GetWindowText(t);
        return std::wstring(t);
    }
    void Type(const wchar_t* text) {
        SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
        vplat::UserInput::Type(text);
        Paint();
    }
    // The editor's rectangle in the rows view.
    CRect EditorRect(COptionTreeItemSpinnerDec* row) {
        CRect r;
        row->GetWindowRect(&r);
        tree->GetRowsView()->ScreenToClient(&r);
        return r;
    }
};

}  // namespace

// A typed text is taken when it reads as a finite number, a comma being the
// decimal mark; otherwise the row keeps the value it had, also when it is
// read before its commit arrives.
TEST_F(Editor, TypedTextIsTakenOnlyAsAFiniteNumber) {
    struct Case {
        const wchar_t* typed;
        double value;
        const wchar_t* shown;  // after the commit
    } cases[] = {
        {L"7.5", 7.5, L"7.5"},      {L"1,5", 1.5, L"1,5"},      {L"-0,25", -0.25, L"-0,25"}, {L"12abc", 12, L"12abc"},
        {L"abc", 0, L"abc"},        {L"-5e400", 2.5, L"2.5"},   {L"1e400", 2.5, L"2.5"},     {L"nan", 2.5, L"2.5"},
        {L"-inf", 2.5, L"2.5"},     {L"1,2,3", 2.5, L"2.5"},    {L"1.000,5", 2.5, L"2.5"},
    };
    for (const Case& c : cases) {
        Row(0)->SetValue(2.5);
        Click(60, 31);
        ASSERT_EQ(GetFocus(), Row(0)->GetEdit()->m_hWnd);
        Type(c.typed);
        EXPECT_EQ(Row(0)->GetValue(), c.value) << c.typed;  // before the commit
        g_notifications.clear();
        Click(60, 52);  // another row: the edit is committed
        EXPECT_EQ(Count(OTN_ITEMCOMMITTED), 1) << c.typed;
        EXPECT_EQ(Row(0)->GetValue(), c.value) << c.typed;
        EXPECT_EQ(Text(Row(0)), c.shown) << c.typed;
        // Stepping goes on from the value the row has.
        Row(0)->StepUp();
        EXPECT_EQ(Row(0)->GetValue(), c.value + 0.5) << c.typed;
        Later();
    }
}

// Scrolling while a row is edited (the scroll bar, the wheel over the
// editor) ends the edit: the editor does not stay over another row, and what
// is typed next reaches no row.
TEST_F(Editor, ScrollingEndsTheEdit) {
    for (int way = 0; way < 2; ++way) {
        SetFocus(RowsView());
        SendMessageW(RowsView(), WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
        Paint();
        Later();
        Click(60, 31);
        ASSERT_TRUE(Row(0)->IsWindowVisible()) << way;
        g_notifications.clear();
        if (way == 0) {
            SendMessageW(RowsView(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);  // as a click on the bar does
        } else {
            vplat::UserInput::Wheel(Row(0)->GetEdit()->m_hWnd, POINT{20, 10}, -WHEEL_DELTA);
        }
        Paint();
        EXPECT_GT(tree->GetScrollPosition(), 0) << way;
        EXPECT_FALSE(Row(0)->IsWindowVisible()) << way;
        EXPECT_EQ(Count(OTN_ITEMCOMMITTED), 1) << way;
        EXPECT_EQ(GetFocus(), RowsView()) << way;
        vplat::UserInput::Type(L"25");
        Paint();
        for (int i = 0; i < 20; ++i) EXPECT_EQ(Row(i)->GetValue(), 2.5) << way << " row " << i;
    }
}

// A row brought into view by the keyboard opens its editor on the row, not
// where the row was before the view scrolled.
TEST_F(Editor, EditorOpensOnARowTheKeyboardScrolledTo) {
    SetFocus(RowsView());
    tree->SetFocusedItem(rows[12]);  // the last row in full view
    Paint();
    Key(VK_DOWN);
    ASSERT_EQ(tree->GetFocusedItem(), rows[13]);
    ASSERT_GT(tree->GetScrollPosition(), 0);
    ASSERT_TRUE(Row(13)->IsWindowVisible());
    EXPECT_EQ(GetFocus(), Row(13)->GetEdit()->m_hWnd);
    EXPECT_EQ(EditorRect(Row(13)), rows[13]->GetValueRect());
    CRect view;
    tree->GetRowsView()->GetClientRect(&view);
    EXPECT_TRUE(view.PtInRect(EditorRect(Row(13)).CenterPoint()));
}
