// The default window procedure, the frame (borders, caption, window scroll
// bars), scroll-bar state with the platform's clamping, system metrics and colours (which tests may change).
#include <algorithm>
#include <map>

#include "HostTranscript.h"
#include "WinMenu.h"
#include "WinWindowImpl.h"

namespace vplat::win {

namespace {

ScrollBar* BarOf(HWND hwnd, int bar) {
    Window* w = Find(hwnd);
    if (!w) return nullptr;
    if (bar == SB_HORZ) return &w->hbar;
    if (bar == SB_VERT || bar == SB_CTL) return &w->vbar;
    return nullptr;
}

// The page is at most the range; the position lies in min .. max - page + 1.
void Clamp(ScrollBar& s) {
    int range = s.max - s.min + 1;
    if (s.page < 0) s.page = 0;
    if (range > 0 && s.page > range) s.page = range;
    int top = s.max - std::max(s.page - 1, 0);
    if (top < s.min) top = s.min;
    s.pos = std::clamp(s.pos, s.min, top);
    s.track = std::clamp(s.track, s.min, top);
}

// A window scroll bar: its two arrows and, when it can move, the thumb.
void PaintScrollBar(HDC hdc, const Window* w, bool vertical) {
    RECT r = vertical ? VScrollRect(w) : HScrollRect(w);
    int a = vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
    const ScrollBar& s = vertical ? w->vbar : w->hbar;
    bool active = s.enabled && s.max > s.min && (s.page == 0 || s.page <= s.max - s.min);
    RECT before = vertical ? RECT{r.left, r.top, r.right, r.top + a} : RECT{r.left, r.top, r.left + a, r.bottom};
    RECT after = vertical ? RECT{r.left, r.bottom - a, r.right, r.bottom} : RECT{r.right - a, r.top, r.right, r.bottom};
    FillSys(hdc, r, COLOR_SCROLLBAR);
    UINT inactive = active ? 0 : DFCS_INACTIVE;
    DrawFrameControl(hdc, &before, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive);
    DrawFrameControl(hdc, &after, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive);
    if (!active) return;
    int track = (vertical ? r.bottom - r.top : r.right - r.left) - 2 * a;
    int range = s.max - s.min + 1;
    int thumb = s.page ? std::max(track * s.page / range, 8) : a;
    if (thumb > track) return;
    int span = range - std::max(s.page, 1);
    int offset = span > 0 ? (track - thumb) * (s.pos - s.min) / span : 0;
    RECT t = vertical ? RECT{r.left, r.top + a + offset, r.right, r.top + a + offset + thumb}
                      : RECT{r.left + a + offset, r.top, r.left + a + offset + thumb, r.bottom};
    FillSys(hdc, t, COLOR_BTNFACE);
    DrawEdge(hdc, &t, EDGE_RAISED, BF_RECT);
}

}  // namespace

void PaintFrame(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return;
    HDC hdc = GetWindowDC(hwnd);
    RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    RECT c = ClientInWindow(w);
    bool caption = (w->style & WS_CAPTION) == WS_CAPTION;
    bool dlgFrame = caption || (w->style & WS_CAPTION) == WS_DLGFRAME || (w->exStyle & WS_EX_DLGMODALFRAME);
    RECT inner = r;
    if (dlgFrame || (w->style & WS_THICKFRAME)) {
        DrawEdge(hdc, &inner, EDGE_RAISED, BF_RECT | BF_ADJUST);
        RECT rest = inner;
        int t = (w->style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME);
        InflateRect(&rest, -(t - 2), -(t - 2));
        // The frame band between the edge and the client.
        RECT band[4] = {{inner.left, inner.top, inner.right, rest.top},
                        {inner.left, rest.bottom, inner.right, inner.bottom},
                        {inner.left, rest.top, rest.left, rest.bottom},
                        {rest.right, rest.top, inner.right, rest.bottom}};
        for (RECT& b : band) FillSys(hdc, b, COLOR_BTNFACE);
        inner = rest;
    } else if (w->style & WS_BORDER) {
        HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
        FrameRect(hdc, &inner, frame);
        InflateRect(&inner, -1, -1);
    }
    if (caption) {
        RECT cap{inner.left, inner.top, inner.right, inner.top + CaptionHeight(w)};
        FillSys(hdc, cap, GetActiveWindow() == hwnd || true ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        int x = cap.left + 5;
        if ((w->style & WS_SYSMENU) && w->iconSmall) {
            DrawIconEx(hdc, x, cap.top + (cap.bottom - cap.top - 16) / 2, w->iconSmall, 16, 16, 0, nullptr, DI_NORMAL);
            x += 20;
        }
        if (w->style & WS_SYSMENU) {
            int b = cap.bottom - cap.top - 4;
            RECT close{cap.right - b - 2, cap.top + 2, cap.right - 2, cap.top + 2 + b};
            DrawFrameControl(hdc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
            cap.right = close.left - 2;
        }
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        std::wcscpy(lf.lfFaceName, L"Segoe UI");
        HFONT font = CreateFontIndirectW(&lf);
        HGDIOBJ old = SelectObject(hdc, font);
        RECT tr{x, cap.top, cap.right, cap.bottom};
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(COLOR_CAPTIONTEXT));
        DrawTextW(hdc, w->text.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(hdc, old);
        DeleteObject(font);
    }
    if (!w->parent && w->menu) {
        RECT bar{c.left, c.top - GetSystemMetrics(SM_CYMENU), c.right, c.top};
        PaintMenuBar(hwnd, hdc, bar);
    }
    if (w->exStyle & WS_EX_CLIENTEDGE) {
        RECT e{c.left - 2, c.top - 2, c.right + 2, c.bottom + 2};
        if (w->style & WS_VSCROLL) e.right += GetSystemMetrics(SM_CXVSCROLL);
        if (w->style & WS_HSCROLL) e.bottom += GetSystemMetrics(SM_CYHSCROLL);
        DrawEdge(hdc, &e, EDGE_SUNKEN, BF_RECT);
    } else if (w->exStyle & WS_EX_STATICEDGE) {
        RECT e{c.left - 1, c.top - 1, c.right + 1, c.bottom + 1};
        if (w->style & WS_VSCROLL) e.right += GetSystemMetrics(SM_CXVSCROLL);
        DrawEdge(hdc, &e, BDR_SUNKENOUTER, BF_RECT);
    }
    if (w->style & WS_VSCROLL) PaintScrollBar(hdc, w, true);
    if (w->style & WS_HSCROLL) PaintScrollBar(hdc, w, false);
    if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
        // The square where the two bars meet.
        RECT v = VScrollRect(w), h = HScrollRect(w);
        RECT corner{v.left, h.top, v.right, h.bottom};
        FillSys(hdc, corner, COLOR_BTNFACE);
    }
    ReleaseDC(hwnd, hdc);
}

LRESULT HitTestFrame(HWND hwnd, POINT screen) {
    Window* w = Find(hwnd);
    if (!w) return HTNOWHERE;
    RECT wr;
    GetWindowRect(hwnd, &wr);
    if (!PtInRect(&wr, screen)) return HTNOWHERE;
    POINT p{screen.x - wr.left, screen.y - wr.top};
    RECT c = ClientInWindow(w);
    if (PtInRect(&c, p)) return HTCLIENT;
    if (w->style & WS_VSCROLL) {
        RECT v = VScrollRect(w);
        if (PtInRect(&v, p)) return HTVSCROLL;
    }
    if ((w->style & WS_CAPTION) == WS_CAPTION && p.y < c.top && p.y >= c.top - GetSystemMetrics(SM_CYCAPTION))
        return HTCAPTION;
    return HTBORDER;
}

}  // namespace vplat::win

using namespace vplat::win;

namespace {
// System colours changed by a test, by index.
std::map<int, COLORREF>& SysColorChanges() {
    static std::map<int, COLORREF> changes;
    return changes;
}
}  // namespace

namespace vplat {
void SysColors::Change(int index, COLORREF colour) { SysColorChanges()[index] = colour; }
void SysColors::Reset() { SysColorChanges().clear(); }
}  // namespace vplat

extern "C" {

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        if ((w->style & WS_CAPTION) == WS_CAPTION) w->frameDirty = true;
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0) return 0;
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        size_t n = std::min(w->text.size(), static_cast<size_t>(wParam) - 1);
        std::wmemcpy(buf, w->text.c_str(), n);
        buf[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_NCPAINT: PaintFrame(hwnd); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH br = w->cls ? w->cls->wc.hbrBackground : nullptr;
        if (!br) return 0;
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, br);
        return 1;
    }
    case WM_NCHITTEST: return HitTestFrame(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETCURSOR: {
        // A child lets its parent decide first.
        if (w->parent && SendMessageW(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd) {
            HCURSOR c = w->cls ? w->cls->wc.hCursor : nullptr;
            if (c) {
                SetCursor(c);
                return TRUE;
            }
        }
        if (LOWORD(lParam) != HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return FALSE;
    }
    case WM_MOUSEACTIVATE:
        if (w->parent) {
            LRESULT r = SendMessageW(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SETICON: {
        HICON old = wParam == ICON_SMALL ? w->iconSmall : w->iconBig;
        if (wParam == ICON_SMALL) {
            w->iconSmall = reinterpret_cast<HICON>(lParam);
        } else {
            w->iconBig = reinterpret_cast<HICON>(lParam);
        }
        w->frameDirty = true;
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_SMALL ? w->iconSmall : w->iconBig);
    case WM_NCLBUTTONDOWN:
        if (wParam == HTVSCROLL) {
            // A press on the bar: the arrow or the page part under the point.
            RECT wr;
            GetWindowRect(hwnd, &wr);
            RECT v = VScrollRect(w);
            int y = GET_Y_LPARAM(lParam) - wr.top;
            int a = GetSystemMetrics(SM_CYVSCROLL);
            int mid = (v.top + v.bottom) / 2;
            WORD code = y < v.top + a ? SB_LINEUP : y >= v.bottom - a ? SB_LINEDOWN : y < mid ? SB_PAGEUP : SB_PAGEDOWN;
            SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
            SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_RBUTTONUP: {
        // Releasing the right button asks the window itself for its context menu.
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(p.x, p.y));
        return 0;
    }
    case WM_CONTEXTMENU:
        if (w->parent) SendMessageW(w->parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (w->parent) return SendMessageW(w->parent, msg, wParam, lParam);
        return 0;
    case WM_GETDLGCODE: return 0;
    default: return 0;
    }
}

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    ScrollBar* s = BarOf(hwnd, bar);
    if (!s || !info) return 0;
    if (info->fMask & SIF_RANGE) {
        s->min = info->nMin;
        s->max = info->nMax;
    }
    if (info->fMask & SIF_PAGE) s->page = static_cast<int>(info->nPage);
    if (info->fMask & SIF_POS) s->pos = info->nPos;
    Clamp(*s);
    Window* w = Find(hwnd);
    if (bar != SB_CTL) {
        // A window bar that is not needed goes away, unless asked to stay disabled.
        bool needed = s->max > s->min && (s->page == 0 || s->page <= s->max - s->min);
        DWORD flag = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
        bool shown = (w->style & flag) != 0;
        if (info->fMask & SIF_DISABLENOSCROLL) {
            s->enabled = needed;
            if (!shown && (info->fMask & SIF_RANGE)) ShowScrollBar(hwnd, bar, TRUE);
        } else if (shown != needed && (info->fMask & (SIF_RANGE | SIF_PAGE))) {
            ShowScrollBar(hwnd, bar, needed);
        }
    }
    if (redraw && w) w->frameDirty = true;
    return s->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    ScrollBar* s = BarOf(hwnd, bar);
    if (!s || !info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->min;
        info->nMax = s->max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = static_cast<UINT>(s->page);
    if (info->fMask & SIF_POS) info->nPos = s->pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->track;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    ScrollBar* s = BarOf(hwnd, bar);
    if (!s) return 0;
    int old = s->pos;
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    ScrollBar* s = BarOf(hwnd, bar);
    return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
    SCROLLINFO si{sizeof si, SIF_RANGE, minPos, maxPos, 0, 0, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
    ScrollBar* s = BarOf(hwnd, bar);
    if (!s) return FALSE;
    if (minPos) *minPos = s->min;
    if (maxPos) *maxPos = s->max;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    DWORD flags = bar == SB_BOTH ? (WS_VSCROLL | WS_HSCROLL) : bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : 0;
    DWORD before = w->style;
    if (show) {
        w->style |= flags;
    } else {
        w->style &= ~flags;
    }
    if (before != w->style) SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    ScrollBar* s = BarOf(hwnd, static_cast<int>(bar));
    if (!s) return FALSE;
    s->enabled = arrows == ESB_ENABLE_BOTH;
    if (Window* w = Find(hwnd)) w->frameDirty = true;
    return TRUE;
}

// A fixed screen of 1920 x 1080 at 96 dots per inch.
int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return 1920;
    case SM_CYSCREEN: return 1080;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 23;
    case SM_CYMENU: return 20;
    case SM_CXMINTRACK: return 136;
    case SM_CYMINTRACK: return 39;
    case SM_CXMAXTRACK: return 1920 + 2 * 4;
    case SM_CYMAXTRACK: return 1080 + 2 * 4;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}

DWORD GetSysColor(int index) {
    auto changed = SysColorChanges().find(index);
    if (changed != SysColorChanges().end()) return changed->second;
    switch (index) {
    case COLOR_SCROLLBAR: return RGB(200, 200, 200);
    case COLOR_BACKGROUND: return RGB(0, 0, 0);
    case COLOR_ACTIVECAPTION: return RGB(153, 180, 209);
    case COLOR_INACTIVECAPTION: return RGB(191, 205, 219);
    case COLOR_MENU: return RGB(240, 240, 240);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(100, 100, 100);
    case COLOR_MENUTEXT:
    case COLOR_WINDOWTEXT:
    case COLOR_CAPTIONTEXT:
    case COLOR_BTNTEXT:
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_ACTIVEBORDER: return RGB(180, 180, 180);
    case COLOR_INACTIVEBORDER: return RGB(244, 247, 252);
    case COLOR_APPWORKSPACE: return RGB(171, 171, 171);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    case COLOR_HOTLIGHT: return RGB(0, 102, 204);
    default: return 0;
    }
}

BOOL MessageBeep(UINT) {
    vplat::Transcript::Get().Event("beep", L"");
    return TRUE;
}

}  // extern "C"
