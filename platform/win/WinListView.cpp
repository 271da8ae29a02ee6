// The list view in report view: columns with a header, items with texts in
// the columns, selection and focus states, check boxes as state images, and
// the notifications the parent hears for every state change. No scrolling:
// the modules' lists hold as many items as they show.
#include <algorithm>

#include "WinWindowImpl.h"
#include "commctrl.h"

namespace vplat::win {

namespace {

constexpr int kStateImage = 16;  // width of the check box's place at an item's left
constexpr int kCheckBox = 13;

struct Column {
    std::wstring text;
    int fmt = LVCFMT_LEFT;
    int cx = 0;
};

struct Item {
    std::vector<std::wstring> texts;
    UINT state = 0;
    LPARAM param = 0;
};

struct ListState : ControlState {
    std::vector<Column> columns;
    std::vector<Item> items;
    DWORD exStyle = 0;
};

ListState& S(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w->control) w->control = std::make_unique<ListState>();
    return static_cast<ListState&>(*w->control);
}

int TextHeight(HWND hwnd) {
    LOGFONTW lf{};
    GetObjectW(ControlFont(hwnd), sizeof lf, &lf);
    return TextMetrics::Metrics(lf).tmHeight;
}
int HeaderHeight(HWND hwnd) { return TextHeight(hwnd) + 8; }
int RowHeight(HWND hwnd) { return std::max(TextHeight(hwnd) + 4, kStateImage + 1); }

bool Checks(HWND hwnd) { return (S(hwnd).exStyle & LVS_EX_CHECKBOXES) != 0; }

LRESULT Notify(HWND hwnd, UINT code, int item, UINT newState, UINT oldState, UINT changed) {
    HWND parent = GetParent(hwnd);
    if (!parent) return 0;
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = hwnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    nm.hdr.code = code;
    nm.iItem = item;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    if (item >= 0 && item < static_cast<int>(S(hwnd).items.size()))
        nm.lParam = S(hwnd).items[static_cast<size_t>(item)].param;
    return SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

// One item's state change with its two notifications; the parent may refuse it.
bool Change(HWND hwnd, int i, UINT state, UINT mask) {
    ListState& s = S(hwnd);
    if (i < 0 || i >= static_cast<int>(s.items.size())) return false;
    const UINT old = s.items[static_cast<size_t>(i)].state;
    const UINT neu = (old & ~mask) | (state & mask);
    if (neu == old) return true;
    if (Notify(hwnd, LVN_ITEMCHANGING, i, neu, old, LVIF_STATE)) return false;
    // The parent may have emptied the list meanwhile.
    if (i >= static_cast<int>(S(hwnd).items.size())) return false;
    S(hwnd).items[static_cast<size_t>(i)].state = neu;
    InvalidateRect(hwnd, nullptr, TRUE);
    Notify(hwnd, LVN_ITEMCHANGED, i, neu, old, LVIF_STATE);
    return true;
}

// A state set on an item: in a single-selection list the item selected before
// loses its selection first, and only one item has the focus.
bool SetState(HWND hwnd, int i, UINT state, UINT mask) {
    Window* w = Find(hwnd);
    UINT clear = 0;
    if ((mask & state & LVIS_SELECTED) && (w->style & LVS_SINGLESEL)) clear |= LVIS_SELECTED;
    if (mask & state & LVIS_FOCUSED) clear |= LVIS_FOCUSED;
    if (clear) {
        for (int j = 0; j < static_cast<int>(S(hwnd).items.size()); ++j)
            if (j != i && (S(hwnd).items[static_cast<size_t>(j)].state & clear)) Change(hwnd, j, 0, clear);
    }
    return Change(hwnd, i, state, mask);
}

void ToggleCheck(HWND hwnd, int i) {
    if (!Checks(hwnd) || i < 0 || i >= static_cast<int>(S(hwnd).items.size())) return;
    const UINT image = (S(hwnd).items[static_cast<size_t>(i)].state & LVIS_STATEIMAGEMASK) >> 12;
    Change(hwnd, i, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

int FocusedItem(HWND hwnd) {
    const ListState& s = S(hwnd);
    for (size_t i = 0; i < s.items.size(); ++i)
        if (s.items[i].state & LVIS_FOCUSED) return static_cast<int>(i);
    return -1;
}

int ItemAt(HWND hwnd, int y) {
    const int top = HeaderHeight(hwnd);
    if (y < top) return -1;
    const int i = (y - top) / RowHeight(hwnd);
    return i < static_cast<int>(S(hwnd).items.size()) ? i : -1;
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillSys(hdc, client, COLOR_WINDOW);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    const ListState& s = S(hwnd);
    const int headerH = HeaderHeight(hwnd), rowH = RowHeight(hwnd);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    int x = 0;
    for (const Column& c : s.columns) {
        RECT h{x, 0, x + c.cx, headerH};
        FillSys(hdc, h, COLOR_BTNFACE);
        DrawEdge(hdc, &h, EDGE_RAISED, BF_RECT);
        RECT t{h.left + 6, h.top, h.right - 6, h.bottom};
        DrawTextIn(hdc, c.text, t,
                   (c.fmt & LVCFMT_CENTER ? DT_CENTER : 0) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS,
                   GetSysColor(COLOR_BTNTEXT));
        x += c.cx;
    }
    const int width = x;
    const bool focus = GetFocus() == hwnd;
    const bool showSel = focus || (Find(hwnd)->style & LVS_SHOWSELALWAYS);
    const int textLeft = Checks(hwnd) ? 2 + kStateImage + 2 : 2;
    for (size_t i = 0; i < s.items.size(); ++i) {
        const Item& it = s.items[i];
        const int top = headerH + static_cast<int>(i) * rowH;
        if (top >= client.bottom) break;
        const bool selected = showSel && (it.state & LVIS_SELECTED);
        COLORREF fg = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
        if (selected) {
            RECT sel{textLeft, top, std::max(width, textLeft), top + rowH};
            FillSys(hdc, sel, focus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
            if (focus) fg = GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
        if (Checks(hwnd)) {
            RECT box{2 + (kStateImage - kCheckBox) / 2, top + (rowH - kCheckBox) / 2, 0, 0};
            box.right = box.left + kCheckBox;
            box.bottom = box.top + kCheckBox;
            const bool checked = ((it.state & LVIS_STATEIMAGEMASK) >> 12) == 2;
            DrawFrameControl(hdc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
        }
        int cx = 0;
        for (size_t c = 0; c < s.columns.size(); ++c) {
            const int left = c == 0 ? textLeft + 2 : cx + 6;
            RECT t{left, top, cx + s.columns[c].cx - 6, top + rowH};
            const std::wstring& text = c < it.texts.size() ? it.texts[c] : std::wstring();
            DrawTextIn(hdc, text, t,
                       (s.columns[c].fmt & LVCFMT_CENTER ? DT_CENTER : 0) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                           DT_END_ELLIPSIS,
                       fg);
            cx += s.columns[c].cx;
        }
    }
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);
}

}  // namespace

bool ListViewItemPoint(HWND hwnd, int index, bool checkBox, POINT* point) {
    if (index < 0 || index >= static_cast<int>(S(hwnd).items.size())) return false;
    if (checkBox && !Checks(hwnd)) return false;
    const int y = HeaderHeight(hwnd) + index * RowHeight(hwnd) + RowHeight(hwnd) / 2;
    RECT client;
    GetClientRect(hwnd, &client);
    if (y >= client.bottom) return false;
    *point = POINT{checkBox ? 2 + kStateImage / 2 : (Checks(hwnd) ? 2 + kStateImage + 8 : 8), y};
    return true;
}

LRESULT ListViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ListState& s = S(hwnd);
    switch (msg) {
    case WM_SETFONT:
        SetPropW(hwnd, L"vplat.font", reinterpret_cast<HANDLE>(wParam));
        if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(GetPropW(hwnd, L"vplat.font"));
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case LVM_INSERTCOLUMNW: {
        const auto* col = reinterpret_cast<const LVCOLUMNW*>(lParam);
        if (!col) return -1;
        Column c;
        if ((col->mask & LVCF_TEXT) && col->pszText) c.text = col->pszText;
        if (col->mask & LVCF_FMT) c.fmt = col->fmt;
        if (col->mask & LVCF_WIDTH) c.cx = col->cx;
        const size_t at = std::min(static_cast<size_t>(wParam), s.columns.size());
        s.columns.insert(s.columns.begin() + static_cast<std::ptrdiff_t>(at), c);
        InvalidateRect(hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(at);
    }
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD old = s.exStyle;
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        s.exStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
        if (s.exStyle & LVS_EX_CHECKBOXES)
            for (Item& it : s.items)
                if (!(it.state & LVIS_STATEIMAGEMASK)) it.state |= INDEXTOSTATEIMAGEMASK(1);
        InvalidateRect(hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(old);
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return static_cast<LRESULT>(s.exStyle);
    case LVM_INSERTITEMW: {
        const auto* lv = reinterpret_cast<const LVITEMW*>(lParam);
        if (!lv || lv->iSubItem != 0 || lv->iItem < 0) return -1;
        Item it;
        it.texts.assign(std::max<size_t>(s.columns.size(), 1), std::wstring());
        if ((lv->mask & LVIF_TEXT) && lv->pszText) it.texts[0] = lv->pszText;
        if (lv->mask & LVIF_PARAM) it.param = lv->lParam;
        if (lv->mask & LVIF_STATE) it.state = lv->state & lv->stateMask;
        if (Checks(hwnd) && !(it.state & LVIS_STATEIMAGEMASK)) it.state |= INDEXTOSTATEIMAGEMASK(1);
        const int at = std::min(lv->iItem, static_cast<int>(s.items.size()));
        s.items.insert(s.items.begin() + at, std::move(it));
        InvalidateRect(hwnd, nullptr, TRUE);
        Notify(hwnd, LVN_INSERTITEM, at, 0, 0, 0);
        return at;
    }
    case LVM_SETITEMTEXTW:
    case LVM_GETITEMTEXTW: {
        auto* lv = reinterpret_cast<LVITEMW*>(lParam);
        const int i = static_cast<int>(wParam);
        if (!lv || i < 0 || i >= static_cast<int>(s.items.size()) || lv->iSubItem < 0) return msg == LVM_SETITEMTEXTW ? FALSE : 0;
        Item& it = s.items[static_cast<size_t>(i)];
        const size_t sub = static_cast<size_t>(lv->iSubItem);
        if (msg == LVM_SETITEMTEXTW) {
            if (sub >= it.texts.size()) it.texts.resize(sub + 1);
            it.texts[sub] = lv->pszText ? lv->pszText : L"";
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }
        const std::wstring text = sub < it.texts.size() ? it.texts[sub] : std::wstring();
        if (!lv->pszText || lv->cchTextMax <= 0) return 0;
        const size_t n = std::min(text.size(), static_cast<size_t>(lv->cchTextMax - 1));
        std::copy_n(text.begin(), n, lv->pszText);
        lv->pszText[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    case LVM_SETITEMSTATE: {
        const auto* lv = reinterpret_cast<const LVITEMW*>(lParam);
        if (!lv) return FALSE;
        const int i = static_cast<int>(static_cast<INT_PTR>(wParam));
        if (i == -1) {
            for (int j = 0; j < static_cast<int>(s.items.size()); ++j) Change(hwnd, j, lv->state, lv->stateMask);
            return TRUE;
        }
        return SetState(hwnd, i, lv->state, lv->stateMask) ? TRUE : FALSE;
    }
    case LVM_GETITEMSTATE: {
        const int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(s.items.size())) return 0;
        return static_cast<LRESULT>(s.items[static_cast<size_t>(i)].state & static_cast<UINT>(lParam));
    }
    case LVM_GETNEXTITEM: {
        const int start = static_cast<int>(static_cast<INT_PTR>(wParam));
        const UINT want = static_cast<UINT>(LOWORD(lParam)) & (LVNI_SELECTED | LVNI_FOCUSED);
        for (int j = std::max(start + 1, 0); j < static_cast<int>(s.items.size()); ++j) {
            const UINT st = s.items[static_cast<size_t>(j)].state;
            if (((want & LVNI_SELECTED) == 0 || (st & LVIS_SELECTED)) && ((want & LVNI_FOCUSED) == 0 || (st & LVIS_FOCUSED)))
                return j;
        }
        return -1;
    }
    case LVM_GETITEMCOUNT: return static_cast<LRESULT>(s.items.size());
    case LVM_DELETEALLITEMS:
        s.items.clear();
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case WM_LBUTTONDOWN: {
        SetFocus(hwnd);
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        const int i = ItemAt(hwnd, y);
        if (i < 0) return 0;
        if (Checks(hwnd) && x >= 2 && x < 2 + kStateImage) ToggleCheck(hwnd, i);
        else SetState(hwnd, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return 0;
    }
    case WM_KEYDOWN: {
        const int n = static_cast<int>(s.items.size());
        const int f = FocusedItem(hwnd);
        if (n == 0) return 0;
        if (wParam == VK_UP || wParam == VK_DOWN) {
            const int to = f < 0 ? 0 : std::clamp(f + (wParam == VK_UP ? -1 : 1), 0, n - 1);
            SetState(hwnd, to, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        } else if (wParam == VK_SPACE && f >= 0) {
            ToggleCheck(hwnd, f);
        }
        return 0;
    }
    case WM_PAINT: Paint(hwnd); return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vplat::win
