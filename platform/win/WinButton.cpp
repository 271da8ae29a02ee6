// The standard BUTTON and STATIC classes, and what every standard control
// shares: fonts, colours from the parent, class registration.
#include <algorithm>

#include "WinWindowImpl.h"

namespace vplat::win {

namespace {

const wchar_t kFontProp[] = L"vplat.font";

// Pixels between a push button's image and its text.
constexpr int kImageGap = 4;

struct ButtonState : ControlState {
    int check = BST_UNCHECKED;
    bool pushed = false;
    HANDLE image = nullptr;
};

ButtonState& BState(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w->control) w->control = std::make_unique<ButtonState>();
    return static_cast<ButtonState&>(*w->control);
}

struct StaticState : ControlState {
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
};

StaticState& SState(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w->control) w->control = std::make_unique<StaticState>();
    return static_cast<StaticState&>(*w->control);
}

DWORD Kind(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheckKind(DWORD k) {
    return k == BS_CHECKBOX || k == BS_AUTOCHECKBOX || k == BS_3STATE || k == BS_AUTO3STATE || k == BS_RADIOBUTTON ||
           k == BS_AUTORADIOBUTTON;
}

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent) SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

// An automatic radio button checks itself and clears the other automatic
// radio buttons of its group.
void CheckInGroup(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    Window* p = Find(parent);
    if (!p) return;
    auto& kids = p->children;
    auto it = std::find(kids.begin(), kids.end(), hwnd);
    if (it == kids.end()) return;
    size_t start = static_cast<size_t>(it - kids.begin());
    while (start > 0 && !(Find(kids[start])->style & WS_GROUP)) --start;
    for (size_t i = start; i < kids.size(); ++i) {
        if (i > start && (Find(kids[i])->style & WS_GROUP)) break;
        HWND k = kids[i];
        if (k != hwnd && Kind(k) == BS_AUTORADIOBUTTON) SendMessageW(k, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
}

void Click(HWND hwnd) {
    DWORD k = Kind(hwnd);
    ButtonState& s = BState(hwnd);
    if (k == BS_AUTOCHECKBOX) SendMessageW(hwnd, BM_SETCHECK, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    if (k == BS_AUTO3STATE) SendMessageW(hwnd, BM_SETCHECK, (s.check + 1) % 3, 0);
    if (k == BS_AUTORADIOBUTTON) CheckInGroup(hwnd);
    Notify(hwnd, BN_CLICKED);
}

void PaintButton(HWND hwnd, HDC hdc) {
    Window* w = Find(hwnd);
    ButtonState& s = BState(hwnd);
    DWORD k = w->style & BS_TYPEMASK;
    RECT r;
    GetClientRect(hwnd, &r);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    bool enabled = IsWindowEnabled(hwnd);
    bool focused = GetFocus() == hwnd;
    COLORREF textColour = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    std::wstring text = w->text;
    if (k == BS_GROUPBOX) {
        HBRUSH bg = ControlColours(hwnd, hdc, WM_CTLCOLORSTATIC);
        TEXTMETRICW tm;
        GetTextMetricsW(hdc, &tm);
        RECT frame{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
        DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
        if (!text.empty()) {
            RECT tr{r.left + 8, r.top, r.right - 8, r.top + tm.tmHeight};
            RECT calc = tr;
            DrawTextW(hdc, text.c_str(), -1, &calc, DT_SINGLELINE | DT_CALCRECT);
            RECT back{tr.left - 2, tr.top, std::min(calc.right + 2, tr.right), tr.bottom};
            FillRect(hdc, &back, bg);
            DrawTextIn(hdc, text, tr, DT_SINGLELINE | DT_LEFT | DT_END_ELLIPSIS, textColour);
        }
    } else if (IsCheckKind(k)) {
        HBRUSH bg = ControlColours(hwnd, hdc, WM_CTLCOLORSTATIC);
        FillRect(hdc, &r, bg);
        int box = 13;
        bool left = (w->style & BS_LEFTTEXT) != 0;
        int top = (r.bottom - r.top - box) / 2;
        RECT br = left ? RECT{r.right - box, top, r.right, top + box} : RECT{r.left, top, r.left + box, top + box};
        bool radio = k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON;
        UINT state = (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | (s.check ? DFCS_CHECKED : 0) |
                     (enabled ? 0 : DFCS_INACTIVE) | (s.pushed ? DFCS_PUSHED : 0);
        DrawFrameControl(hdc, &br, DFC_BUTTON, state);
        RECT tr = left ? RECT{r.left, r.top, br.left - 4, r.bottom} : RECT{br.right + 4, r.top, r.right, r.bottom};
        DrawTextIn(hdc, text, tr, DT_SINGLELINE | DT_VCENTER | (left ? DT_RIGHT : DT_LEFT), textColour);
        if (focused) {
            RECT calc = tr;
            DrawTextW(hdc, text.c_str(), -1, &calc, DT_SINGLELINE | DT_CALCRECT);
            RECT f{calc.left - 1, r.top, std::min(calc.right + 1, r.right), r.bottom};
            DrawFocusRect(hdc, &f);
        }
    } else {
        ControlColours(hwnd, hdc, WM_CTLCOLORBTN);
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        RECT e = r;
        if (k == BS_DEFPUSHBUTTON) {
            FrameRect(hdc, &e, GetSysColorBrush(COLOR_WINDOWFRAME));
            InflateRect(&e, -1, -1);
        }
        DrawEdge(hdc, &e, s.pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        RECT tr = e;
        if (s.pushed) OffsetRect(&tr, 1, 1);
        BITMAP bm{};
        const bool image = s.image && GetObjectType(s.image) == OBJ_BITMAP && GetObjectW(s.image, sizeof bm, &bm);
        if (!image) {
            DrawTextIn(hdc, text, tr, DT_SINGLELINE | DT_VCENTER | DT_CENTER, textColour);
        } else {
            // The image alone (BS_BITMAP), or left of the text with the pair centred.
            const bool alone = (w->style & BS_BITMAP) || text.empty();
            RECT calc = tr;
            if (!alone) DrawTextW(hdc, text.c_str(), -1, &calc, DT_SINGLELINE | DT_CALCRECT);
            const int gap = alone ? 0 : kImageGap;
            const int textW = alone ? 0 : calc.right - calc.left;
            const int left = tr.left + ((tr.right - tr.left) - (bm.bmWidth + gap + textW)) / 2;
            const int top = tr.top + ((tr.bottom - tr.top) - bm.bmHeight) / 2;
            HDC mem = CreateCompatibleDC(hdc);
            HGDIOBJ old = SelectObject(mem, s.image);
            BitBlt(hdc, left, top, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
            if (!alone) {
                RECT t{left + bm.bmWidth + gap, tr.top, tr.right, tr.bottom};
                DrawTextIn(hdc, text, t, DT_SINGLELINE | DT_VCENTER | DT_LEFT, textColour);
            }
        }
        if (focused) {
            RECT f = e;
            InflateRect(&f, -2, -2);
            DrawFocusRect(hdc, &f);
        }
    }
    SelectObject(hdc, oldFont);
}

bool GenericControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
    case WM_SETFONT:
        SetPropW(hwnd, kFontProp, reinterpret_cast<HANDLE>(wParam));
        if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
        *result = 0;
        return true;
    case WM_GETFONT: *result = reinterpret_cast<LRESULT>(GetPropW(hwnd, kFontProp)); return true;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); *result = 0; return true;
    case WM_ERASEBKGND: *result = 1; return true;
    default: return false;
    }
}

}  // namespace

HFONT ControlFont(HWND control) {
    HFONT f = reinterpret_cast<HFONT>(GetPropW(control, kFontProp));
    return f ? f : DefaultGuiFont();
}

HBRUSH ControlColours(HWND control, HDC hdc, UINT msg) {
    HWND parent = GetParent(control);
    SetTextColor(hdc, GetSysColor(msg == WM_CTLCOLOREDIT ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(hdc, GetSysColor(msg == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE));
    HBRUSH b = parent ? reinterpret_cast<HBRUSH>(SendMessageW(parent, msg, reinterpret_cast<WPARAM>(hdc),
                                                              reinterpret_cast<LPARAM>(control)))
                      : nullptr;
    if (!b) b = GetSysColorBrush(msg == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE);
    return b;
}

bool IsPushButton(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w || !w->cls || w->cls->name != L"Button") return false;
    DWORD k = w->style & BS_TYPEMASK;
    return k == BS_PUSHBUTTON || k == BS_DEFPUSHBUTTON;
}

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (GenericControlMessage(hwnd, msg, wParam, lParam, &result)) return result;
    Window* w = Find(hwnd);
    DWORD k = w->style & BS_TYPEMASK;
    ButtonState& s = BState(hwnd);
    switch (msg) {
    case WM_NCHITTEST:
        if (k == BS_GROUPBOX) return HTTRANSPARENT;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        if (k == BS_GROUPBOX) return DLGC_STATIC;
        if (k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (k == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (k == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return DLGC_BUTTON;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (k == BS_GROUPBOX) return 0;
        SetCapture(hwnd);
        if (GetFocus() != hwnd) SetFocus(hwnd);
        SendMessageW(hwnd, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != hwnd) return 0;
        bool wasPushed = s.pushed;
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT r;
        GetClientRect(hwnd, &r);
        ReleaseCapture();
        if (IsWindow(hwnd) && wasPushed && PtInRect(&r, p)) Click(hwnd);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (GetCapture() == hwnd) {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT r;
            GetClientRect(hwnd, &r);
            SendMessageW(hwnd, BM_SETSTATE, PtInRect(&r, p), 0);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (s.pushed) SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && k != BS_GROUPBOX) SendMessageW(hwnd, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && s.pushed) {
            SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
            Click(hwnd);
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (msg == WM_KILLFOCUS && s.pushed) SendMessageW(hwnd, BM_SETSTATE, FALSE, 0);
        InvalidateRect(hwnd, nullptr, TRUE);
        if (w->style & BS_NOTIFY) Notify(hwnd, msg == WM_SETFOCUS ? BN_SETFOCUS : BN_KILLFOCUS);
        return 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case BM_GETCHECK: return IsCheckKind(k) ? s.check : 0;
    case BM_SETCHECK:
        if (IsCheckKind(k) && s.check != static_cast<int>(wParam)) {
            s.check = static_cast<int>(wParam);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        // An automatic radio button that is checked becomes a tab stop.
        if (k == BS_AUTORADIOBUTTON && wParam == BST_CHECKED) w->style |= WS_TABSTOP;
        return 0;
    case BM_GETSTATE:
        return s.check | (s.pushed ? BST_PUSHED : 0) | (GetFocus() == hwnd ? BST_FOCUS : 0);
    case BM_SETSTATE:
        if (s.pushed != (wParam != 0)) {
            s.pushed = wParam != 0;
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case BM_SETSTYLE:
        // The button's type only: what else it was made with (BS_BITMAP,
        // BS_LEFTTEXT ...) stays, as when the dialog manager moves the default.
        w->style = (w->style & ~static_cast<DWORD>(BS_TYPEMASK)) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case BM_CLICK: {
        // A click as the mouse gives it, on the button's centre.
        RECT r;
        GetClientRect(hwnd, &r);
        LPARAM c = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, c);
        SendMessageW(hwnd, WM_LBUTTONUP, 0, c);
        return 0;
    }
    case BM_SETIMAGE: {
        HANDLE old = s.image;
        s.image = reinterpret_cast<HANDLE>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE: return reinterpret_cast<LRESULT>(s.image);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        PaintButton(hwnd, hdc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (GenericControlMessage(hwnd, msg, wParam, lParam, &result)) return result;
    Window* w = Find(hwnd);
    DWORD k = w->style & SS_TYPEMASK;
    StaticState& s = SState(hwnd);
    switch (msg) {
    case WM_NCHITTEST: return (w->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case STM_SETIMAGE:
    case STM_SETICON: {
        HANDLE old = s.image;
        s.image = msg == STM_SETICON ? reinterpret_cast<HANDLE>(wParam) : reinterpret_cast<HANDLE>(lParam);
        s.imageType = msg == STM_SETICON ? IMAGE_ICON : static_cast<UINT>(wParam);
        // A bitmap control takes the size of its bitmap unless it centres it;
        // the previous image stays the caller's.
        if (msg == STM_SETIMAGE && k == SS_BITMAP && s.imageType == IMAGE_BITMAP && s.image &&
            !(w->style & SS_CENTERIMAGE)) {
            BITMAP bm{};
            if (GetObjectW(s.image, sizeof bm, &bm))
                SetWindowPos(hwnd, nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
    case STM_GETICON: return reinterpret_cast<LRESULT>(s.image);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if ((w->style & SS_NOTIFY) && msg == WM_LBUTTONUP) {
            HWND parent = GetParent(hwnd);
            SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0), reinterpret_cast<LPARAM>(hwnd));
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH bg = ControlColours(hwnd, hdc, WM_CTLCOLORSTATIC);
        COLORREF fg = GetTextColor(hdc);
        if (k == SS_ETCHEDFRAME) {
            DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT);
        } else if (k == SS_BLACKFRAME) {
            FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        } else if (k == SS_BITMAP || k == SS_ICON) {
            FillRect(hdc, &r, bg);
            if (s.image && s.imageType == IMAGE_BITMAP) {
                BITMAP bm{};
                GetObjectW(s.image, sizeof bm, &bm);
                HDC mem = CreateCompatibleDC(hdc);
                HGDIOBJ old = SelectObject(mem, s.image);
                int x = (w->style & SS_CENTERIMAGE) ? (r.right - bm.bmWidth) / 2 : 0;
                int y = (w->style & SS_CENTERIMAGE) ? (r.bottom - bm.bmHeight) / 2 : 0;
                BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
                SelectObject(mem, old);
                DeleteDC(mem);
            } else if (s.image) {
                DrawIconEx(hdc, 0, 0, reinterpret_cast<HICON>(s.image), 0, 0, 0, nullptr, DI_NORMAL);
            }
        } else {
            FillRect(hdc, &r, bg);
            HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
            UINT fmt = (w->style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
            if (k == SS_CENTER) fmt |= DT_CENTER | DT_WORDBREAK;
            else if (k == SS_RIGHT) fmt |= DT_RIGHT | DT_WORDBREAK;
            else if (k == SS_LEFTNOWORDWRAP) fmt |= DT_LEFT;
            else fmt |= DT_LEFT | DT_WORDBREAK;
            if (w->style & SS_CENTERIMAGE) fmt |= DT_SINGLELINE | DT_VCENTER;
            DrawTextIn(hdc, w->text, r, fmt, IsWindowEnabled(hwnd) ? fg : GetSysColor(COLOR_GRAYTEXT));
            SelectObject(hdc, oldFont);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void RegisterSystemClasses() {
    struct Def {
        const wchar_t* name;
        WNDPROC proc;
        UINT style;
        int extra;
    };
    const Def defs[] = {{L"Button", ButtonProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS, 0},
                        {L"Static", StaticProc, CS_DBLCLKS | CS_GLOBALCLASS, 0},
                        {L"Edit", EditProc, CS_DBLCLKS | CS_GLOBALCLASS, 0},
                        {L"ComboBox", ComboProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS, 0},
                        {L"SysListView32", ListViewProc, CS_DBLCLKS | CS_GLOBALCLASS, 0},
                        {L"#32770", DialogProc, CS_DBLCLKS | CS_GLOBALCLASS, 30}};
    for (const Def& d : defs) {
        WNDCLASSW wc{};
        wc.style = d.style;
        wc.lpfnWndProc = d.proc;
        wc.cbWndExtra = d.extra;
        wc.hCursor = LoadCursorW(nullptr, d.proc == EditProc ? IDC_IBEAM : IDC_ARROW);
        wc.lpszClassName = d.name;
        RegisterClassW(&wc);
    }
}

}  // namespace vplat::win
