// The standard COMBOBOX class: a drop-down list of entries with an edit field
// (CBS_DROPDOWN) or without one (CBS_DROPDOWNLIST); sorted insertion and
// searches without regard to case.
#include <algorithm>
#include <cwctype>

#include "WinWindowImpl.h"

namespace vplat::win {

namespace {

constexpr int kEditId = 1001;

struct Item {
    std::wstring text;
    LPARAM data = 0;
};

struct ComboState : ControlState {
    std::vector<Item> items;
    int cursel = -1;
    bool dropped = false;
    HWND edit = nullptr;
    bool settingEdit = false;
};

ComboState& S(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w->control) w->control = std::make_unique<ComboState>();
    return static_cast<ComboState&>(*w->control);
}

void Notify(HWND hwnd, int code) {
    HWND parent = GetParent(hwnd);
    if (parent)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), static_cast<WORD>(code)),
                     reinterpret_cast<LPARAM>(hwnd));
}

int CompareNoCase(const std::wstring& a, const std::wstring& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        wint_t x = std::towlower(a[i]), y = std::towlower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// Searches after the start entry and round to it again.
int FindItem(HWND hwnd, int start, const std::wstring& text, bool exact) {
    ComboState& s = S(hwnd);
    int n = static_cast<int>(s.items.size());
    if (n == 0) return CB_ERR;
    int from = (start < 0 || start >= n) ? 0 : start + 1;
    for (int k = 0; k < n; ++k) {
        int i = (from + k) % n;
        const std::wstring& t = s.items[static_cast<size_t>(i)].text;
        if (exact ? CompareNoCase(t, text) == 0
                  : t.size() >= text.size() && CompareNoCase(t.substr(0, text.size()), text) == 0)
            return i;
    }
    return CB_ERR;
}

void SetEditText(HWND hwnd, const std::wstring& text) {
    ComboState& s = S(hwnd);
    if (!s.edit) {
        InvalidateRect(hwnd, nullptr, TRUE);
        return;
    }
    s.settingEdit = true;
    SetWindowTextW(s.edit, text.c_str());
    s.settingEdit = false;
}

int FieldHeight(HWND hwnd) {
    LOGFONTW lf{};
    GetObjectW(ControlFont(hwnd), sizeof lf, &lf);
    return TextMetrics::Metrics(lf).tmHeight + 8;
}

void Layout(HWND hwnd) {
    ComboState& s = S(hwnd);
    RECT r;
    GetWindowRect(hwnd, &r);
    int h = FieldHeight(hwnd);
    Window* w = vplat::win::Find(hwnd);
    if (w->rect.bottom - w->rect.top != h) {
        w->rect.bottom = w->rect.top + h;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    if (s.edit) {
        int width = (w->rect.right - w->rect.left) - 3 - GetSystemMetrics(SM_CXVSCROLL) - 3;
        MoveWindow(s.edit, 3, 3, std::max(width, 0), h - 6, TRUE);
    }
}

LRESULT ComboEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND combo = GetParent(hwnd);
    if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        // The arrows step through the entries, as a choice of the user.
        ComboState& s = S(combo);
        int n = static_cast<int>(s.items.size());
        int to = s.cursel < 0 ? 0 : std::clamp(s.cursel + (wParam == VK_UP ? -1 : 1), 0, n - 1);
        if (n > 0 && to != s.cursel) ComboChoose(combo, to);
        return 0;
    }
    if (msg == WM_KEYDOWN && wParam == VK_F4) {
        SendMessageW(combo, CB_SHOWDROPDOWN, !S(combo).dropped, 0);
        return 0;
    }
    if (msg == WM_GETDLGCODE) return EditProc(hwnd, msg, wParam, lParam) | DLGC_WANTARROWS;
    return EditProc(hwnd, msg, wParam, lParam);
}

}  // namespace

// A choice from the list by the user: the selection changes, the parent hears
// CBN_SELCHANGE while the edit still shows the old text, then the edit shows
// the entry and the choice ends with CBN_SELENDOK.
void ComboChoose(HWND combo, int index) {
    ComboState& s = S(combo);
    if (index < 0 || index >= static_cast<int>(s.items.size())) return;
    s.cursel = index;
    InvalidateRect(combo, nullptr, TRUE);
    Notify(combo, CBN_SELCHANGE);
    if (!IsWindow(combo)) return;
    SetEditText(combo, S(combo).items[static_cast<size_t>(index)].text);
    if (S(combo).edit) SendMessageW(S(combo).edit, EM_SETSEL, 0, -1);
    Notify(combo, CBN_SELENDOK);
}

LRESULT ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = vplat::win::Find(hwnd);
    ComboState& s = S(hwnd);
    DWORD type = w->style & 3;
    auto text = [lParam]() { return std::wstring(lParam ? reinterpret_cast<LPCWSTR>(lParam) : L""); };
    switch (msg) {
    case WM_CREATE:
        if (type == CBS_DROPDOWN || type == CBS_SIMPLE) {
            DWORD es = WS_CHILD | WS_VISIBLE | ((w->style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0);
            s.edit = CreateWindowExW(0, L"Edit", L"", es, 0, 0, 10, 10, hwnd, reinterpret_cast<HMENU>(kEditId),
                                     w->instance, nullptr);
            SetWindowLongPtrW(s.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboEditProc));
            // A combo made disabled takes no input in its field either.
            if (w->style & WS_DISABLED) EnableWindow(s.edit, FALSE);
        }
        Layout(hwnd);
        return 0;
    case WM_SIZE: Layout(hwnd); return 0;
    case WM_SETFONT:
        SetPropW(hwnd, L"vplat.font", reinterpret_cast<HANDLE>(wParam));
        if (s.edit) SendMessageW(s.edit, WM_SETFONT, wParam, lParam);
        Layout(hwnd);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(GetPropW(hwnd, L"vplat.font"));
    case WM_ENABLE:
        if (s.edit) EnableWindow(s.edit, static_cast<BOOL>(wParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS:
        if (s.edit) {
            SetFocus(s.edit);
            SendMessageW(s.edit, EM_SETSEL, 0, -1);
        } else {
            InvalidateRect(hwnd, nullptr, TRUE);
            Notify(hwnd, CBN_SETFOCUS);
        }
        return 0;
    case WM_KILLFOCUS:
        if (!s.edit) {
            if (s.dropped) SendMessageW(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
            InvalidateRect(hwnd, nullptr, TRUE);
            Notify(hwnd, CBN_KILLFOCUS);
        }
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == s.edit) {
            switch (HIWORD(wParam)) {
            case EN_SETFOCUS: Notify(hwnd, CBN_SETFOCUS); break;
            case EN_KILLFOCUS:
                if (s.dropped) SendMessageW(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
                Notify(hwnd, CBN_KILLFOCUS);
                break;
            case EN_UPDATE:
                if (!s.settingEdit) Notify(hwnd, CBN_EDITUPDATE);
                break;
            case EN_CHANGE:
                if (!s.settingEdit) Notify(hwnd, CBN_EDITCHANGE);
                break;
            default: break;
            }
        }
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) {
            int n = static_cast<int>(s.items.size());
            int to = s.cursel < 0 ? 0 : std::clamp(s.cursel + (wParam == VK_UP ? -1 : 1), 0, n - 1);
            if (n > 0 && to != s.cursel) ComboChoose(hwnd, to);
        } else if (wParam == VK_F4) {
            SendMessageW(hwnd, CB_SHOWDROPDOWN, !s.dropped, 0);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (GetFocus() != hwnd && (!s.edit || GetFocus() != s.edit)) SetFocus(hwnd);
        SendMessageW(hwnd, CB_SHOWDROPDOWN, !S(hwnd).dropped, 0);
        return 0;
    case WM_SETTEXT:
        if (s.edit) return SendMessageW(s.edit, WM_SETTEXT, wParam, lParam);
        return CB_ERR;
    case WM_GETTEXT:
        if (s.edit) return SendMessageW(s.edit, WM_GETTEXT, wParam, lParam);
        if (wParam == 0) return 0;
        {
            std::wstring t = s.cursel >= 0 ? s.items[static_cast<size_t>(s.cursel)].text : L"";
            size_t n = std::min(t.size(), static_cast<size_t>(wParam) - 1);
            std::wmemcpy(reinterpret_cast<LPWSTR>(lParam), t.c_str(), n);
            reinterpret_cast<LPWSTR>(lParam)[n] = 0;
            return static_cast<LRESULT>(n);
        }
    case WM_GETTEXTLENGTH:
        if (s.edit) return SendMessageW(s.edit, WM_GETTEXTLENGTH, 0, 0);
        return s.cursel >= 0 ? static_cast<LRESULT>(s.items[static_cast<size_t>(s.cursel)].text.size()) : 0;
    case CB_ADDSTRING: {
        Item it{text(), 0};
        size_t pos = s.items.size();
        if (w->style & CBS_SORT) {
            pos = 0;
            while (pos < s.items.size() && CompareNoCase(s.items[pos].text, it.text) <= 0) ++pos;
        }
        s.items.insert(s.items.begin() + static_cast<long>(pos), it);
        if (s.cursel >= static_cast<int>(pos)) ++s.cursel;
        return static_cast<LRESULT>(pos);
    }
    case CB_INSERTSTRING: {
        int pos = static_cast<int>(wParam);
        if (pos < 0) pos = static_cast<int>(s.items.size());
        if (pos > static_cast<int>(s.items.size())) return CB_ERR;
        s.items.insert(s.items.begin() + pos, Item{text(), 0});
        if (s.cursel >= pos) ++s.cursel;
        return pos;
    }
    case CB_DELETESTRING: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(s.items.size())) return CB_ERR;
        s.items.erase(s.items.begin() + i);
        if (s.cursel == i) {
            s.cursel = -1;
        } else if (s.cursel > i) {
            --s.cursel;
        }
        return static_cast<LRESULT>(s.items.size());
    }
    case CB_RESETCONTENT:
        s.items.clear();
        s.cursel = -1;
        SetEditText(hwnd, L"");
        return 0;
    case CB_GETCOUNT: return static_cast<LRESULT>(s.items.size());
    case CB_GETCURSEL: return s.cursel;
    case CB_SETCURSEL: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(s.items.size())) {
            s.cursel = -1;
            SetEditText(hwnd, L"");
            return CB_ERR;
        }
        s.cursel = i;
        SetEditText(hwnd, s.items[static_cast<size_t>(i)].text);
        InvalidateRect(hwnd, nullptr, TRUE);
        return i;
    }
    case CB_GETLBTEXT: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(s.items.size()) || !lParam) return CB_ERR;
        const std::wstring& t = s.items[static_cast<size_t>(i)].text;
        std::wmemcpy(reinterpret_cast<LPWSTR>(lParam), t.c_str(), t.size() + 1);
        return static_cast<LRESULT>(t.size());
    }
    case CB_GETLBTEXTLEN: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(s.items.size())) return CB_ERR;
        return static_cast<LRESULT>(s.items[static_cast<size_t>(i)].text.size());
    }
    case CB_FINDSTRING: return FindItem(hwnd, static_cast<int>(wParam), text(), false);
    case CB_FINDSTRINGEXACT: return FindItem(hwnd, static_cast<int>(wParam), text(), true);
    case CB_SELECTSTRING: {
        int i = FindItem(hwnd, static_cast<int>(wParam), text(), false);
        if (i == CB_ERR) return CB_ERR;
        return SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
    case CB_SETITEMDATA: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(s.items.size())) return CB_ERR;
        s.items[static_cast<size_t>(i)].data = lParam;
        return 0;
    }
    case CB_GETITEMDATA: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(s.items.size())) return CB_ERR;
        return s.items[static_cast<size_t>(i)].data;
    }
    case CB_SHOWDROPDOWN:
        if ((wParam != 0) != s.dropped) {
            if (wParam) Notify(hwnd, CBN_DROPDOWN);
            S(hwnd).dropped = wParam != 0;
            if (!wParam) Notify(hwnd, CBN_CLOSEUP);
        }
        return TRUE;
    case CB_GETDROPPEDSTATE: return s.dropped;
    case CB_LIMITTEXT: return s.edit ? SendMessageW(s.edit, EM_LIMITTEXT, wParam, 0) : CB_ERR;
    case CB_GETEDITSEL: return s.edit ? SendMessageW(s.edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
        return s.edit ? (SendMessageW(s.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                                      static_cast<short>(HIWORD(lParam))),
                         TRUE)
                      : CB_ERR;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        bool enabled = IsWindowEnabled(hwnd);
        HBRUSH bg = ControlColours(hwnd, hdc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
        FillRect(hdc, &r, bg);
        RECT e = r;
        DrawEdge(hdc, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        RECT arrow{e.right - GetSystemMetrics(SM_CXVSCROLL), e.top, e.right, e.bottom};
        DrawFrameControl(hdc, &arrow, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | DFCS_SCROLLDOWN | (enabled ? 0 : DFCS_INACTIVE) |
                             (s.dropped ? DFCS_PUSHED : 0));
        if (!s.edit && s.cursel >= 0) {
            HGDIOBJ old = SelectObject(hdc, ControlFont(hwnd));
            RECT t{e.left + 2, e.top, arrow.left - 1, e.bottom};
            bool focused = GetFocus() == hwnd;
            if (focused) {
                FillSys(hdc, t, COLOR_HIGHLIGHT);
                DrawFocusRect(hdc, &t);
            }
            DrawTextIn(hdc, s.items[static_cast<size_t>(s.cursel)].text, RECT{t.left + 1, t.top, t.right, t.bottom},
                       DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX,
                       GetSysColor(!enabled ? COLOR_GRAYTEXT : focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            SelectObject(hdc, old);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vplat::win
