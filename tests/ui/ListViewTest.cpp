// The list view in report view: notifications of state changes (order,
// single selection, insertion, veto), check boxes, mouse and keys, texts,
// the scripted user's item actions and painting.
#include <afxcmn.h>

#include <string>
#include <vector>

#include "UiFixture.h"

namespace {

constexpr int kList = 7003;
const DLGITEMTEMPLATE kItems[] = {
    {WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_ALIGNLEFT,
     0, 7, 7, 146, 47, kList, L"SysListView32", L""},
    {WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 100, 60, 50, 14, IDOK, L"Button", L"OK"},
};
const DLGTEMPLATE kTemplate = {WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 160, 80, L"Lista",
                               L"MS Shell Dlg", 8, kItems, static_cast<int>(std::size(kItems)), 9200};

// The running dialog's list seen through the framework's class while it lives.
class Lista {
public:
    explicit Lista(HWND dlg) { m_list.Attach(GetDlgItem(dlg, kList)); }
    ~Lista() { m_list.Detach(); }
    Lista(const Lista&) = delete;
    Lista& operator=(const Lista&) = delete;
    CListCtrl* operator->() { return &m_list; }
    CListCtrl* get() { return &m_list; }

private:
    CListCtrl m_list;
};

std::vector<std::wstring> g_events;
bool g_veto = false;
bool g_checks = true;

std::wstring Name(UINT code) {
    return code == LVN_ITEMCHANGING ? L"changing" : code == LVN_ITEMCHANGED ? L"changed" : code == LVN_INSERTITEM ? L"insert" : L"?";
}

// As the main dialog fills its road list: a column, check boxes, "In" then
// "Out" before it, each selected when inserted.
INT_PTR Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        Lista list(dlg);
        list->InsertColumn(0, L"Rami", LVCFMT_LEFT, 200);
        if (g_checks) list->SetExtendedStyle(LVS_EX_CHECKBOXES);
        for (const wchar_t* name : {L"In", L"Out"}) {
            list->InsertItem(0, name);
            list->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
        return TRUE;
    }
    if (msg == WM_NOTIFY) {
        const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
        g_events.push_back(Name(nm->hdr.code) + L" " + std::to_wstring(nm->iItem) +
                           (nm->hdr.code == LVN_INSERTITEM ? L"" : L" " + std::to_wstring(nm->uOldState) + L">" + std::to_wstring(nm->uNewState)));
        SetWindowLongPtrW(dlg, DWLP_MSGRESULT, g_veto && nm->hdr.code == LVN_ITEMCHANGING);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dlg, IDOK);
        return TRUE;
    }
    return FALSE;
}

class ListView : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        g_events.clear();
        g_veto = false;
        g_checks = true;
    }
    // Runs the dialog with a script; `look` sees the list before each action.
    void Run(const std::wstring& script, std::function<void(CListCtrl*)> look = nullptr) {
        vplat::ModalLoop::SetIdleHook([look](HWND d, int) {
            Lista list(d);
            if (look) look(list.get());
        });
        Script(script);
        DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Proc, 0);
    }
};

constexpr UINT kSelFocus = LVIS_SELECTED | LVIS_FOCUSED;
const UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1), kChecked = INDEXTOSTATEIMAGEMASK(2);

std::wstring Change(const wchar_t* what, int item, UINT from, UINT to) {
    return std::wstring(what) + L" " + std::to_wstring(item) + L" " + std::to_wstring(from) + L">" + std::to_wstring(to);
}

}  // namespace

// Selecting in a single-selection list first deselects the item selected
// before; an item moved by an insertion hears nothing.
TEST_F(ListView, FillingPassesThroughInAndEndsOnOut) {
    std::vector<std::wstring> texts;
    Run(L"dialog 9200 click 1\n", [&](CListCtrl* l) {
        for (int i = 0; i < l->GetItemCount(); ++i) texts.push_back(std::wstring(l->GetItemText(i, 0)));
        EXPECT_EQ(l->GetItemState(0, kSelFocus), kSelFocus);
        EXPECT_EQ(l->GetItemState(1, kSelFocus), 0u);
        EXPECT_FALSE(l->GetCheck(0));
        EXPECT_EQ(l->GetNextItem(-1, LVNI_SELECTED), 0);
    });
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Out", L"In"}));
    const std::vector<std::wstring> expected = {
        L"insert 0",
        Change(L"changing", 0, kUnchecked, kUnchecked | kSelFocus),
        Change(L"changed", 0, kUnchecked, kUnchecked | kSelFocus),
        L"insert 0",
        Change(L"changing", 1, kUnchecked | kSelFocus, kUnchecked),
        Change(L"changed", 1, kUnchecked | kSelFocus, kUnchecked),
        Change(L"changing", 0, kUnchecked, kUnchecked | kSelFocus),
        Change(L"changed", 0, kUnchecked, kUnchecked | kSelFocus),
    };
    EXPECT_EQ(g_events, expected);
}

TEST_F(ListView, ScriptedClicksKeysAndChecks) {
    std::vector<std::wstring> seen;
    auto look = [&](CListCtrl* l) {
        std::wstring s;
        for (int i = 0; i < l->GetItemCount(); ++i)
            s += std::to_wstring(l->GetItemState(i, LVIS_SELECTED) != 0) + std::to_wstring(l->GetCheck(i) != 0) + L" ";
        seen.push_back(s);
    };
    Run(L"dialog 9200 select 7003 #1\n"
        L"dialog 9200 check 7003 #0\n"   // the check box: no selection change
        L"dialog 9200 check 7003 #0\n"   // already checked: nothing
        L"dialog 9200 key UP\n"          // the list has the focus: Up selects Out
        L"dialog 9200 key SPACE\n"       // Space toggles the focused item's check
        L"dialog 9200 uncheck 7003 #1\n"
        L"dialog 9200 select 7003 #5\n"  // no such item: a mismatch
        L"dialog 9200 click 1\n",
        look);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"10 00 ", L"00 10 ", L"01 10 ", L"01 10 ", L"11 00 ", L"10 00 ",
                                               L"10 00 ", L"10 00 "}));
    ASSERT_EQ(Mismatches().size(), 1u);
    EXPECT_NE(Mismatches()[0].find(L"no such item"), std::wstring::npos);
}

TEST_F(ListView, ParentMayRefuseAChange) {
    std::vector<UINT> states;
    g_veto = true;
    Run(L"dialog 9200 select 7003 #1\ndialog 9200 check 7003 #0\ndialog 9200 click 1\n",
        [&](CListCtrl* l) { states.push_back(l->GetItemState(0, 0xFFFF) | l->GetItemState(1, 0xFFFF) << 16); });
    // Nothing was ever selected or checked: every change was refused.
    for (UINT s : states) EXPECT_EQ(s, kUnchecked | kUnchecked << 16);
    for (const std::wstring& e : g_events) EXPECT_EQ(e.find(L"changed"), std::wstring::npos) << e;
}

TEST_F(ListView, ListWithoutCheckBoxesRefusesCheckActions) {
    g_checks = false;
    Run(L"dialog 9200 check 7003 #0\ndialog 9200 click 1\n", [](CListCtrl* l) {
        EXPECT_EQ(l->GetItemState(0, LVIS_STATEIMAGEMASK), 0u);
        EXPECT_FALSE(l->GetCheck(0));
    });
    ASSERT_EQ(Mismatches().size(), 1u);
}

TEST_F(ListView, TextsOfItemsAndColumns) {
    Run(L"dialog 9200 click 1\n", [](CListCtrl* l) {
        EXPECT_TRUE(l->SetItemText(1, 2, L"terza colonna"));
        EXPECT_EQ(l->GetItemText(1, 2), L"terza colonna");
        EXPECT_EQ(l->GetItemText(1, 1), L"");
        EXPECT_FALSE(l->SetItemText(7, 0, L"x"));
        wchar_t small[4];
        LVITEMW lv{};
        lv.iSubItem = 2;
        lv.pszText = small;
        lv.cchTextMax = 4;
        EXPECT_EQ(l->SendMessage(LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&lv)), 3);
        EXPECT_STREQ(small, L"ter");
    });
}

// Header in button face, check boxes, the selected row in the highlight while
// the list has the focus and in button face while it has not.
TEST_F(ListView, Painting) {
    std::vector<COLORREF> pixels;
    Run(L"dialog 9200 idle\ndialog 9200 focus 1\ndialog 9200 click 1\n", [&](CListCtrl* l) {
        vplat::UserInput::Pump();
        pixels.push_back(vplat::SnapshotPixel(l->m_hWnd, 100, 5));   // header
        pixels.push_back(vplat::SnapshotPixel(l->m_hWnd, 150, 31));  // row 0, selected
        pixels.push_back(vplat::SnapshotPixel(l->m_hWnd, 150, 48));  // row 1
    });
    ASSERT_EQ(pixels.size(), 9u);  // before each of the three actions
    EXPECT_EQ(pixels[0], GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixels[1], GetSysColor(COLOR_HIGHLIGHT));  // the list has the focus first
    EXPECT_EQ(pixels[2], GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pixels[7], GetSysColor(COLOR_BTNFACE));  // focus on OK: selection still shown
    EXPECT_EQ(pixels[8], GetSysColor(COLOR_WINDOW));
}
