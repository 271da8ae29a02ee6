// The decimal spinner rows: value texts, stepping, auto-repeat, the edit field
// with its context menu, committing, fonts.
#include "CommaLocale.h"
#include "OptionTreeFixture.h"

namespace {

struct FormatCase {
    double value;
    int decimals;
    int trim;
    const wchar_t* text;
};
const FormatCase kFormats[] = {
    {2.5, 3, 1, L"2.5"},
    {2.5, 3, 0, L"2.500"},
    {3, 3, 1, L"3"},
    {1.5e6, 3, 1, L"1.5e+06"},
    {1.5e6, 3, 0, L"1.500e+06"},
    {0.1, -1, 1, L"0.1"},
    {1234567, -1, 0, L"1.23457e+06"},
    {2.5, 0, 0, L"2"},
    {2.5, -3, 0, L"2"},                  // any other negative counts as 0
    {2.5, 400, 0, L"2.500000000000000"},  // at most 15 decimals
    {1.5e6, 400, 1, L"1.5e+06"},
    {2.5, 15, 0, L"2.500000000000000"},
};

void ExpectFormats() {
    for (const FormatCase& c : kFormats) {
        COptionTreeSpinnerDecButton spinner;
        spinner.SetDecimals(c.decimals);
        spinner.SetTrimZeros(c.trim);
        EXPECT_EQ(spinner.FormatValue(c.value), CString(c.text)) << c.value << " " << c.decimals << " " << c.trim;
    }
}

}  // namespace

TEST(SpinnerText, FormatValue) { ExpectFormats(); }

class SpinnerTextCommaLocale : public CommaLocale {};
TEST_F(SpinnerTextCommaLocale, FormatValueKeepsTheDecimalPoint) { ExpectFormats(); }

class Spinner : public OptionTreeFixture {
protected:
    // Two spinner rows; the first is 91 x 20 once the divider is at 167.
    void SetUp() override {
        OptionTreeFixture::SetUp();
        Build({L"a", L"b"}, kOptions, true);
        tree->SetColumn(167);
        tree->RefreshItems();
        Paint();
        first = COptionTreeItemSpinnerDec::FromItem(rows[0]);
        second = COptionTreeItemSpinnerDec::FromItem(rows[1]);
    }
    // Editing the first row: its spinner shown, the focus in its edit field.
    void Edit() {
        Click(60, 30);
        ASSERT_TRUE(first->IsWindowVisible());
        ASSERT_EQ(GetFocus(), first->GetEdit()->m_hWnd);
    }
    void Advance(DWORD ms) {
        vplat::Clock::Get().Advance(ms);
        Paint();
    }
    COptionTreeItemSpinnerDec* first = nullptr;
    COptionTreeItemSpinnerDec* second = nullptr;
};

TEST_F(Spinner, RowIsTheSpinnerOnlyForItsKind) {
    EXPECT_EQ(first->GetKind(), OT_KIND_SPINNERDEC);
    EXPECT_EQ(COptionTreeItemSpinnerDec::FromItem(rows[0]), first);
    EXPECT_EQ(static_cast<COptionTreeItem*>(first), rows[0]);
    EXPECT_EQ(COptionTreeItemSpinnerDec::FromItem(group), nullptr);
    EXPECT_EQ(COptionTreeItemSpinnerDec::FromItem(nullptr), nullptr);
    EXPECT_EQ(GetDlgCtrlID(first->m_hWnd), first->GetId());
    EXPECT_EQ(::GetParent(first->m_hWnd), RowsView());
    EXPECT_FALSE(first->IsWindowVisible());
    EXPECT_EQ(first->GetValue(), 2.5);
    // Created once, and only in a tree.
    EXPECT_FALSE(first->CreateSpinner(0, 1, 0, 10, 1, 0, 0));
    CMyOptionTreeItemSpinnerDec loose;
    EXPECT_FALSE(loose.CreateSpinner(0, 1, 0, 10, 1, 0, 0));
    EXPECT_EQ(loose.GetValue(), 0.0);
    loose.SetImmagine(L"raggio.jpg");
    EXPECT_EQ(loose.GetImmagine(), CString(L"raggio.jpg"));
}

TEST_F(Spinner, SteppingWithinTheRangeAndAroundIt) {
    struct Case {
        double from, step;
        bool wrap, up;
        double to;
    } cases[] = {
        {9999.5, 1, true, true, -10000},   {-9999.5, 1, true, false, 10000}, {10000, 1, false, true, 10000},
        {-10000, 1, false, false, -10000}, {1.0, 0.5, false, true, 1.5},     {1.0, 0.5, false, false, 0.5},
    };
    for (const Case& c : cases) {
        first->SetOptions(OTSB_EDITABLE | (c.wrap ? OTSB_WRAPAROUND : 0));
        first->SetRange(-10000, 10000, c.step);
        for (bool byKey : {false, true}) {
            first->SetValue(c.from);
            if (byKey) {
                SendMessageW(first->GetEdit()->m_hWnd, WM_KEYDOWN, c.up ? VK_UP : VK_DOWN, 0);
            } else if (c.up) {
                first->StepUp();
            } else {
                first->StepDown();
            }
            EXPECT_EQ(first->GetValue(), c.to) << c.from << (c.up ? " up" : " down") << (byKey ? " key" : "");
        }
    }
}

TEST_F(Spinner, UpButtonLooksInactiveAtTheMaximumOnlyWithoutWrapAround) {
    Edit();
    for (bool wrap : {false, true}) {
        first->SetOptions(wrap ? OTSB_WRAPAROUND : 0);
        first->SetValue(10000);
        vplat::GdiLog::Clear();
        first->Invalidate();
        Paint();
        auto up = vplat::GdiLog::Matching("DrawFrameControl (74,0,89,10) 3 ");
        ASSERT_FALSE(up.empty());
        bool inactive = up.back().find(" " + std::to_string(DFCS_SCROLLUP | DFCS_INACTIVE)) != std::string::npos;
        EXPECT_EQ(inactive, !wrap);
    }
}

TEST_F(Spinner, HeldButtonRepeatsAfterTheDelayAtTheInterval) {
    Edit();
    EXPECT_EQ(first->GetUpRect(), CRect(74, 0, 89, 10));
    EXPECT_EQ(first->GetDownRect(), CRect(74, 10, 89, 20));
    first->SetValue(0);
    vplat::UserInput::ButtonDown(first->m_hWnd, POINT{80, 5});
    Paint();
    EXPECT_EQ(first->GetValue(), 0.5);
    Advance(499);
    EXPECT_EQ(first->GetValue(), 0.5);
    Advance(1);
    EXPECT_EQ(first->GetValue(), 1.0);
    Advance(28);
    EXPECT_EQ(first->GetValue(), 1.5);
    vplat::UserInput::ButtonUp(first->m_hWnd, POINT{80, 5});
    Paint();
    Advance(28);
    Advance(1000);
    EXPECT_EQ(first->GetValue(), 1.5);
}

// Whatever takes the button away from the spinner ends the repetition.
TEST_F(Spinner, RepeatEndsWhenTheSpinnerLosesTheButton) {
    HWND other = Keep(CreateWindowExW(0, L"TreeFrame", L"other", WS_POPUP | WS_VISIBLE, 600, 100, 50, 50, nullptr,
                                      nullptr, nullptr, nullptr));
    const char* ways[] = {"release elsewhere", "cancel mode", "capture taken", "hidden", "destroyed"};
    for (const char* way : ways) {
        SCOPED_TRACE(way);
        Later();
        Edit();
        first->SetValue(0);
        vplat::UserInput::ButtonDown(first->m_hWnd, POINT{80, 15});
        Paint();
        ASSERT_EQ(first->GetValue(), -0.5);
        std::string w = way;
        if (w == "release elsewhere") {
            vplat::UserInput::MoveMouse(POINT{620, 120});
            vplat::UserInput::ButtonUp(other, POINT{20, 20});
            Paint();
        } else if (w == "cancel mode") {
            SendMessageW(first->m_hWnd, WM_CANCELMODE, 0, 0);
        } else if (w == "capture taken") {
            SetCapture(other);
            ReleaseCapture();
        } else if (w == "hidden") {
            first->ShowWindow(SW_HIDE);
        } else {
            first->DestroyEditor();
        }
        for (int i = 0; i < 3; ++i) Advance(500);
        EXPECT_EQ(first->GetValue(), w == "destroyed" ? 0.0 : -0.5);
        EXPECT_EQ(GetCapture(), nullptr);
        if (w == "destroyed") break;
        vplat::UserInput::ButtonUp(first->m_hWnd, POINT{80, 15});
        Paint();
    }
}

TEST_F(Spinner, CharactersReachTheEditOnlyWhenEditable) {
    for (DWORD options : {DWORD{0}, DWORD{OTSB_EDITABLE}}) {
        Later();
        first->SetOptions(options);
        first->SetValue(2.5);
        Edit();
        first->GetEdit()->SetSel(0, -1);
        vplat::UserInput::Type(L"7");
        Paint();
        EXPECT_EQ(first->GetValue(), options ? 7.0 : 2.5);
        Click(60, 51);  // leave for the second row
    }
}

TEST_F(Spinner, ContextMenuEntriesFollowTheEditAndTheClipboard) {
    struct Case {
        bool editable, selection, clipboard, undo;
        const wchar_t* entries;
    } cases[] = {
        {true, true, true, true, L"Undo | - | Cut | Copy | Paste | Delete | - | Select All"},
        {true, false, false, false, L"[Undo] | - | [Cut] | [Copy] | [Paste] | [Delete] | - | [Select All]"},
        {true, true, false, false, L"[Undo] | - | Cut | Copy | [Paste] | Delete | - | [Select All]"},
        {true, false, true, true, L"Undo | - | [Cut] | [Copy] | Paste | [Delete] | - | Select All"},
        {false, true, true, true, L"[Undo] | - | [Cut] | Copy | [Paste] | [Delete] | - | [Select All]"},
    };
    Edit();
    HWND edit = first->GetEdit()->m_hWnd;
    for (const Case& c : cases) {
        vplat::ResetClipboard();
        first->SetOptions(c.editable ? OTSB_EDITABLE : 0);
        first->SetValue(2.5);
        if (c.undo) first->GetEdit()->ReplaceSel(L"", TRUE);  // an undoable change
        if (c.clipboard) {
            OpenClipboard(nullptr);
            HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4 * sizeof(wchar_t));
            std::wmemcpy(static_cast<wchar_t*>(GlobalLock(h)), L"7.5", 4);
            GlobalUnlock(h);
            SetClipboardData(CF_UNICODETEXT, h);
            CloseClipboard();
        }
        first->GetEdit()->SetSel(0, c.selection ? -1 : 0);
        Script(L"popup <cancel>");
        vplat::Transcript::Get().Clear();
        SendMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(300, 300));
        EXPECT_EQ(vplat::Transcript::Get().Events("popup"),
                  std::vector<std::wstring>{std::wstring(c.entries) + L" -> <cancel>"});
    }
    EXPECT_TRUE(Mismatches().empty());
}

TEST_F(Spinner, CommitTellsOnceWhenTheUserLeavesTheSpinner) {
    Edit();
    g_notifications.clear();
    // From the spinner into its own edit field: nothing.
    SetFocus(first->m_hWnd);
    Paint();
    EXPECT_EQ(GetFocus(), first->GetEdit()->m_hWnd);
    EXPECT_EQ(Count(OTN_ITEMCOMMITTED), 0);
    // To another row: one commit of the row left, its spinner hidden.
    Click(60, 51);
    EXPECT_EQ(g_notifications.size(), 2u);
    EXPECT_EQ(std::count(g_notifications.begin(), g_notifications.end(), Notification{OTN_ITEMCOMMITTED, rows[0]}), 1);
    EXPECT_FALSE(first->IsWindowVisible());
    EXPECT_TRUE(second->IsWindowVisible());
    EXPECT_EQ(GetFocus(), second->GetEdit()->m_hWnd);
    // An editor destroyed while it has the focus tells nothing.
    g_notifications.clear();
    second->DestroyEditor();
    Paint();
    EXPECT_EQ(Count(OTN_ITEMCOMMITTED), 0);
    EXPECT_EQ(second->m_hWnd, nullptr);
}

// Clicking the label of the row being edited leaves the editor open: the
// commit the edit field posted on losing the focus finds it focused again.
TEST_F(Spinner, ClickOnTheEditedRowKeepsEditing) {
    Edit();
    g_notifications.clear();
    Later();
    Click(60, 30);
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_EQ(GetFocus(), first->GetEdit()->m_hWnd);
    EXPECT_EQ(Count(OTN_ITEMCOMMITTED), 0);
}

TEST_F(Spinner, KeyboardStopsAtTheFirstWritableRow) {
    SetFocus(RowsView());
    Key(VK_DOWN);
    EXPECT_EQ(tree->GetFocusedItem(), group);
    Key(VK_DOWN);
    EXPECT_EQ(tree->GetFocusedItem(), rows[0]);
    EXPECT_EQ(GetFocus(), first->GetEdit()->m_hWnd);
    Key(VK_DOWN);  // now the edit steps its value
    EXPECT_EQ(tree->GetFocusedItem(), rows[0]);
    EXPECT_EQ(first->GetValue(), 2.0);
}

TEST_F(Spinner, ColourChangeGivesEverySpinnerTheNewFont) {
    COptionTree* other = new COptionTree;
    ASSERT_TRUE(other->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), CWnd::FromHandle(frame), 0, 7014));
    auto* row = new COptionTreeItemSpinnerDec;
    other->InsertItem(row);
    other->InsertItem(row == nullptr ? nullptr : new COptionTreeItem);
    COptionTreeItem* child = other->InsertItem(new COptionTreeItemSpinnerDec, row);
    ASSERT_TRUE(COptionTreeItemSpinnerDec::FromItem(child)->CreateSpinner(0, 1, 0, 10, 1, 0, 1));
    EXPECT_EQ(COptionTree::GetLivingTrees(), 2);

    HFONT before = static_cast<HFONT>(COptionTree::GetNormalFont()->m_hObject);
    SendMessageW(tree->m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
    HFONT after = static_cast<HFONT>(COptionTree::GetNormalFont()->m_hObject);
    EXPECT_NE(after, before);
    EXPECT_EQ(GetObjectType(before), 0u);  // the old font is gone
    for (COptionTreeItemSpinnerDec* s : {first, second, COptionTreeItemSpinnerDec::FromItem(child)}) {
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(s->GetEdit()->m_hWnd, WM_GETFONT, 0, 0)), after);
    }
    other->DestroyWindow();
    delete other;
    EXPECT_EQ(COptionTree::GetLivingTrees(), 1);
    EXPECT_NE(COptionTree::GetNormalFont()->m_hObject, nullptr);
}
