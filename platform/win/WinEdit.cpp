// The standard EDIT class: single- and multi-line text with selection, read-only
// and aligned texts, automatic scrolling and the change notifications.
#include <algorithm>

#include "WinClipboard.h"
#include "WinWindowImpl.h"

namespace vplat::win {

namespace {

constexpr int kMargin = 2;

struct EditState : ControlState {
    std::wstring text;
    int selStart = 0;
    int selEnd = 0;  // the caret
    int firstLine = 0;
    int xOffset = 0;
    int limit = 30000;
    bool modified = false;
    std::wstring undo;
    bool canUndo = false;
};

struct Line {
    int start;
    int length;
};

EditState& S(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w->control) w->control = std::make_unique<EditState>();
    return static_cast<EditState&>(*w->control);
}

bool Multi(HWND hwnd) { return (Find(hwnd)->style & ES_MULTILINE) != 0; }

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent) SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

LOGFONTW FontOf(HWND hwnd) {
    LOGFONTW lf{};
    GetObjectW(ControlFont(hwnd), sizeof lf, &lf);
    return lf;
}

int LineHeight(HWND hwnd) { return TextMetrics::Metrics(FontOf(hwnd)).tmHeight; }

int TextWidth(HWND hwnd, const std::wstring& s) { return TextMetrics::Extent(s, FontOf(hwnd)).cx; }

// Lines of a multi-line edit: hard breaks at CR LF, and, unless it scrolls
// sideways, soft breaks at blanks to fit the width (a word too long is cut).
std::vector<Line> Lines(HWND hwnd) {
    EditState& s = S(hwnd);
    std::vector<Line> out;
    Window* w = Find(hwnd);
    bool wrap = Multi(hwnd) && !(w->style & (ES_AUTOHSCROLL | WS_HSCROLL));
    RECT c;
    GetClientRect(hwnd, &c);
    int width = c.right - 2 * kMargin;
    const std::wstring& t = s.text;
    int i = 0, n = static_cast<int>(t.size());
    for (;;) {
        int end = i;
        while (end < n && t[end] != L'\r' && t[end] != L'\n') ++end;
        int start = i;
        while (wrap && start < end && TextWidth(hwnd, t.substr(start, end - start)) > width) {
            int fit = start;
            while (fit < end && TextWidth(hwnd, t.substr(start, fit - start + 1)) <= width) ++fit;
            int brk = fit;
            for (int k = fit; k > start; --k)
                if (t[k - 1] == L' ') {
                    brk = k;
                    break;
                }
            if (brk == start) brk = std::max(fit, start + 1);
            out.push_back({start, brk - start});
            start = brk;
        }
        out.push_back({start, end - start});
        if (end >= n) break;
        i = end + ((t[end] == L'\r' && end + 1 < n && t[end + 1] == L'\n') ? 2 : 1);
    }
    return out;
}

int VisibleLines(HWND hwnd) {
    RECT c;
    GetClientRect(hwnd, &c);
    return std::max(1, static_cast<int>(c.bottom) / LineHeight(hwnd));
}

int LineOf(const std::vector<Line>& lines, int pos) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (pos <= lines[i].start + lines[i].length) return static_cast<int>(i);
    return static_cast<int>(lines.size()) - 1;
}

void UpdateScroll(HWND hwnd) {
    if (!Multi(hwnd) || !(Find(hwnd)->style & WS_VSCROLL)) return;
    EditState& s = S(hwnd);
    int count = static_cast<int>(Lines(hwnd).size());
    SCROLLINFO si{sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, 0, count - 1, static_cast<UINT>(VisibleLines(hwnd)),
                  s.firstLine, 0};
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void ScrollTo(HWND hwnd, int first) {
    EditState& s = S(hwnd);
    int count = static_cast<int>(Lines(hwnd).size());
    first = std::clamp(first, 0, std::max(0, count - VisibleLines(hwnd)));
    if (first != s.firstLine) {
        s.firstLine = first;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    UpdateScroll(hwnd);
}

void CaretIntoView(HWND hwnd) {
    EditState& s = S(hwnd);
    Window* w = Find(hwnd);
    if (Multi(hwnd)) {
        if (!(w->style & ES_AUTOVSCROLL)) return;
        int line = LineOf(Lines(hwnd), s.selEnd);
        if (line < s.firstLine) ScrollTo(hwnd, line);
        if (line >= s.firstLine + VisibleLines(hwnd)) ScrollTo(hwnd, line - VisibleLines(hwnd) + 1);
        return;
    }
    if (!(w->style & ES_AUTOHSCROLL)) return;
    RECT c;
    GetClientRect(hwnd, &c);
    int width = c.right - 2 * kMargin;
    int caretX = TextWidth(hwnd, s.text.substr(0, static_cast<size_t>(s.selEnd)));
    if (caretX - s.xOffset > width) s.xOffset = caretX - width;
    if (caretX < s.xOffset) s.xOffset = caretX;
}

void Changed(HWND hwnd, bool notify) {
    EditState& s = S(hwnd);
    s.modified = true;
    CaretIntoView(hwnd);
    UpdateScroll(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (notify) {
        Notify(hwnd, EN_UPDATE);
        Notify(hwnd, EN_CHANGE);
    }
}

// Replaces the selection with a text typed or pasted by the user.
void Replace(HWND hwnd, const std::wstring& with, bool notify) {
    EditState& s = S(hwnd);
    int a = std::min(s.selStart, s.selEnd), b = std::max(s.selStart, s.selEnd);
    std::wstring insert = with;
    int room = s.limit - (static_cast<int>(s.text.size()) - (b - a));
    if (static_cast<int>(insert.size()) > room) {
        insert.resize(static_cast<size_t>(std::max(room, 0)));
        Notify(hwnd, EN_MAXTEXT);
        if (insert.empty() && a == b) return;
    }
    s.undo = s.text;
    s.canUndo = true;
    s.text.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), insert);
    s.selStart = s.selEnd = a + static_cast<int>(insert.size());
    Changed(hwnd, notify);
}

int PosFromPoint(HWND hwnd, POINT p) {
    EditState& s = S(hwnd);
    std::vector<Line> lines = Lines(hwnd);
    int li = Multi(hwnd) ? std::clamp(s.firstLine + static_cast<int>(p.y) / LineHeight(hwnd), 0,
                                      static_cast<int>(lines.size()) - 1)
                         : 0;
    const Line& l = lines[static_cast<size_t>(li)];
    int x = kMargin - s.xOffset;
    for (int i = 0; i < l.length; ++i) {
        int w = TextWidth(hwnd, s.text.substr(static_cast<size_t>(l.start + i), 1));
        if (p.x < x + w / 2) return l.start + i;
        x += w;
    }
    return l.start + l.length;
}

void Paint(HWND hwnd, HDC hdc) {
    EditState& s = S(hwnd);
    Window* w = Find(hwnd);
    RECT c;
    GetClientRect(hwnd, &c);
    bool readOnly = (w->style & ES_READONLY) || !IsWindowEnabled(hwnd);
    HBRUSH bg = ControlColours(hwnd, hdc, readOnly ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    COLORREF fg = IsWindowEnabled(hwnd) ? GetTextColor(hdc) : GetSysColor(COLOR_GRAYTEXT);
    FillRect(hdc, &c, bg);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(hwnd));
    SetBkMode(hdc, TRANSPARENT);
    int lh = LineHeight(hwnd);
    bool showSel = GetFocus() == hwnd || (w->style & ES_NOHIDESEL);
    int a = std::min(s.selStart, s.selEnd), b = std::max(s.selStart, s.selEnd);
    std::vector<Line> lines = Lines(hwnd);
    int first = Multi(hwnd) ? s.firstLine : 0;
    int y = Multi(hwnd) ? 0 : std::max(0, (static_cast<int>(c.bottom) - lh) / 2);
    IntersectClipRect(hdc, c.left, c.top, c.right, c.bottom);
    for (int li = first; li < static_cast<int>(lines.size()) && y < c.bottom; ++li, y += lh) {
        const Line& l = lines[static_cast<size_t>(li)];
        std::wstring text = s.text.substr(static_cast<size_t>(l.start), static_cast<size_t>(l.length));
        int width = TextWidth(hwnd, text);
        int x = kMargin - s.xOffset;
        if (w->style & ES_RIGHT) x = c.right - kMargin - width;
        if (w->style & ES_CENTER) x = (c.right - width) / 2;
        // Three runs: before, inside and after the selection.
        int cuts[4] = {l.start, std::clamp(a, l.start, l.start + l.length), std::clamp(b, l.start, l.start + l.length),
                       l.start + l.length};
        for (int run = 0; run < 3; ++run) {
            std::wstring part = s.text.substr(static_cast<size_t>(cuts[run]), static_cast<size_t>(cuts[run + 1] - cuts[run]));
            if (part.empty()) continue;
            bool sel = run == 1 && showSel;
            if (sel) {
                SetBkMode(hdc, OPAQUE);
                SetBkColor(hdc, GetSysColor(COLOR_HIGHLIGHT));
                SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            } else {
                SetBkMode(hdc, TRANSPARENT);
                SetTextColor(hdc, fg);
            }
            TextOutW(hdc, x, y, part.c_str(), static_cast<int>(part.size()));
            x += TextWidth(hwnd, part);
        }
    }
    SelectObject(hdc, oldFont);
}

// The selected text onto the clipboard, as Unicode text.
void CopySelection(HWND hwnd) {
    EditState& s = S(hwnd);
    int a = std::min(s.selStart, s.selEnd), b = std::max(s.selStart, s.selEnd);
    if (a == b || !OpenClipboard(hwnd)) return;
    std::wstring sel = s.text.substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (sel.size() + 1) * sizeof(wchar_t));
    std::wmemcpy(static_cast<wchar_t*>(GlobalLock(h)), sel.c_str(), sel.size() + 1);
    GlobalUnlock(h);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, h);
    CloseClipboard();
}

// The clipboard's text in place of the selection; a single-line edit takes it
// up to its first line break.
void PasteText(HWND hwnd) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(hwnd)) return;
    std::wstring text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        const auto* p = static_cast<const wchar_t*>(GlobalLock(h));
        size_t n = GlobalSize(h) / sizeof(wchar_t), len = 0;
        while (len < n && p[len]) ++len;
        text.assign(p, len);
        GlobalUnlock(h);
    }
    CloseClipboard();
    if (!Multi(hwnd)) text = text.substr(0, text.find_first_of(L"\r\n"));
    if (!text.empty()) Replace(hwnd, text, true);
}

void SetText(HWND hwnd, const std::wstring& text) {
    EditState& s = S(hwnd);
    s.text = text;  // the limit holds for typing, not for a text set by the program
    s.selStart = s.selEnd = 0;
    s.firstLine = 0;
    s.xOffset = 0;
    s.modified = false;
    s.canUndo = false;
    UpdateScroll(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hwnd);
    EditState& s = S(hwnd);
    bool multi = (w->style & ES_MULTILINE) != 0;
    switch (msg) {
    case WM_NCCREATE:
        // A border asked of an edit in a template is drawn as a sunken edge.
        if (w->style & WS_BORDER) {
            w->style &= ~WS_BORDER;
            w->exStyle |= WS_EX_CLIENTEDGE;
        }
        DefWindowProcW(hwnd, msg, wParam, lParam);
        s.text = w->text;
        return TRUE;
    case WM_CREATE: UpdateScroll(hwnd); return 0;
    case WM_SIZE:
        UpdateScroll(hwnd);
        return 0;
    case WM_SETFONT:
        SetPropW(hwnd, L"vplat.font", reinterpret_cast<HANDLE>(wParam));
        UpdateScroll(hwnd);
        if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(GetPropW(hwnd, L"vplat.font"));
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT:
        SetText(hwnd, lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"");
        w->text = s.text;
        // A single-line edit reports a text set by the program too; a
        // multi-line one does not.
        if (!multi) {
            Notify(hwnd, EN_UPDATE);
            Notify(hwnd, EN_CHANGE);
        }
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0) return 0;
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        size_t n = std::min(s.text.size(), static_cast<size_t>(wParam) - 1);
        std::wmemcpy(buf, s.text.c_str(), n);
        buf[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s.text.size());
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (multi) {
            code |= DLGC_WANTALLKEYS;
            // Return (without ES_WANTRETURN), Tab and Esc stay with the dialog.
            if (auto* m = reinterpret_cast<const MSG*>(lParam); m && m->message == WM_KEYDOWN) {
                if ((m->wParam == VK_RETURN && !(w->style & ES_WANTRETURN)) || m->wParam == VK_TAB ||
                    m->wParam == VK_ESCAPE)
                    code &= ~DLGC_WANTALLKEYS;
            }
        }
        return code;
    }
    case WM_SETFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        Notify(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        InvalidateRect(hwnd, nullptr, TRUE);
        Notify(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (GetFocus() != hwnd) SetFocus(hwnd);
        int p = PosFromPoint(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (msg == WM_LBUTTONDBLCLK) {
            // A double click selects the word.
            int a = p, b = p;
            while (a > 0 && s.text[static_cast<size_t>(a - 1)] != L' ') --a;
            while (b < static_cast<int>(s.text.size()) && s.text[static_cast<size_t>(b)] != L' ') ++b;
            s.selStart = a;
            s.selEnd = b;
        } else if (GetKeyState(VK_SHIFT) < 0) {
            s.selEnd = p;
        } else {
            s.selStart = s.selEnd = p;
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_IME_CHAR:
    case WM_CHAR: {
        wchar_t c = static_cast<wchar_t>(wParam);
        if (w->style & ES_READONLY) {
            if (c >= 32 || c == 8) MessageBeep(0);
            return 0;
        }
        if (c == 8) {
            if (s.selStart == s.selEnd && s.selEnd > 0) s.selStart = s.selEnd - 1;
            if (s.selStart != s.selEnd) Replace(hwnd, L"", true);
            return 0;
        }
        if (c == L'\r') {
            if (multi) Replace(hwnd, L"\r\n", true);
            return 0;
        }
        if (c < 32) return 0;
        if ((w->style & ES_NUMBER) && !(c >= L'0' && c <= L'9')) {
            MessageBeep(0);
            return 0;
        }
        Replace(hwnd, std::wstring(1, c), true);
        return 0;
    }
    case WM_KEYDOWN: {
        bool shift = GetKeyState(VK_SHIFT) < 0;
        // The clipboard keys: Ctrl+V or Shift+Insert pastes, Ctrl+C or
        // Ctrl+Insert copies, Ctrl+X or Shift+Delete cuts.
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        UINT clipboard = 0;
        if ((ctrl && wParam == 'V') || (shift && wParam == VK_INSERT)) clipboard = WM_PASTE;
        else if (ctrl && (wParam == 'C' || wParam == VK_INSERT)) clipboard = WM_COPY;
        else if ((ctrl && wParam == 'X') || (shift && wParam == VK_DELETE)) clipboard = WM_CUT;
        if (clipboard) return SendMessageW(hwnd, clipboard, 0, 0);
        int n = static_cast<int>(s.text.size());
        int caret = s.selEnd;
        std::vector<Line> lines = Lines(hwnd);
        switch (wParam) {
        case VK_LEFT: caret = std::max(0, caret - 1); break;
        case VK_RIGHT: caret = std::min(n, caret + 1); break;
        case VK_HOME: caret = multi ? lines[static_cast<size_t>(LineOf(lines, caret))].start : 0; break;
        case VK_END: {
            const Line& l = lines[static_cast<size_t>(LineOf(lines, caret))];
            caret = multi ? l.start + l.length : n;
            break;
        }
        case VK_UP:
        case VK_DOWN: {
            if (!multi) {
                caret = wParam == VK_UP ? std::max(0, caret - 1) : std::min(n, caret + 1);
                break;
            }
            int li = LineOf(lines, caret);
            int col = caret - lines[static_cast<size_t>(li)].start;
            int to = std::clamp(li + (wParam == VK_UP ? -1 : 1), 0, static_cast<int>(lines.size()) - 1);
            caret = lines[static_cast<size_t>(to)].start + std::min(col, lines[static_cast<size_t>(to)].length);
            break;
        }
        case VK_DELETE:
            if (w->style & ES_READONLY) return 0;
            if (s.selStart == s.selEnd && s.selEnd < n) s.selEnd = s.selEnd + 1;
            if (s.selStart != s.selEnd) Replace(hwnd, L"", true);
            return 0;
        default: return 0;
        }
        s.selEnd = caret;
        if (!shift) s.selStart = caret;
        CaretIntoView(hwnd);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_VSCROLL: {
        if (!multi) return 0;
        int first = s.firstLine;
        switch (LOWORD(wParam)) {
        case SB_LINEUP: --first; break;
        case SB_LINEDOWN: ++first; break;
        case SB_PAGEUP: first -= VisibleLines(hwnd); break;
        case SB_PAGEDOWN: first += VisibleLines(hwnd); break;
        case SB_TOP: first = 0; break;
        case SB_BOTTOM: first = static_cast<int>(Lines(hwnd).size()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: first = HIWORD(wParam); break;
        default: return 0;
        }
        ScrollTo(hwnd, first);
        Notify(hwnd, EN_VSCROLL);
        return 0;
    }
    case WM_MOUSEWHEEL:
        // A single-line edit has nothing to scroll: the wheel goes on to the parent.
        if (!multi) return DefWindowProcW(hwnd, msg, wParam, lParam);
        ScrollTo(hwnd, s.firstLine - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        return 0;
    case EM_GETSEL: {
        int a = std::min(s.selStart, s.selEnd), b = std::max(s.selStart, s.selEnd);
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(a);
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(b);
        return MAKELRESULT(a, b);
    }
    case EM_SETSEL: {
        int n = static_cast<int>(s.text.size());
        int a = static_cast<int>(wParam), b = static_cast<int>(lParam);
        if (a == -1) {
            s.selStart = s.selEnd;  // no selection, the caret stays
        } else {
            if (b < 0 || b > n) b = n;
            s.selStart = std::clamp(a, 0, n);
            s.selEnd = b;
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case EM_REPLACESEL:
        Replace(hwnd, lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"", true);
        if (!wParam) s.canUndo = false;
        w->text = s.text;
        return 0;
    case EM_SCROLLCARET: {
        DWORD saved = w->style;
        w->style |= ES_AUTOVSCROLL | ES_AUTOHSCROLL;
        CaretIntoView(hwnd);
        w->style = saved;
        return TRUE;
    }
    case EM_SETREADONLY:
        if (wParam) {
            w->style |= ES_READONLY;
        } else {
            w->style &= ~static_cast<DWORD>(ES_READONLY);
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case EM_LIMITTEXT: s.limit = wParam ? static_cast<int>(wParam) : 0x7FFFFFFE; return 0;
    case EM_GETLIMITTEXT: return s.limit;
    case EM_GETMODIFY: return s.modified;
    case EM_SETMODIFY: s.modified = wParam != 0; return 0;
    case EM_CANUNDO: return s.canUndo;
    case WM_UNDO:
    case EM_UNDO:
        if (!s.canUndo) return FALSE;
        std::swap(s.text, s.undo);
        s.selStart = s.selEnd = static_cast<int>(s.text.size());
        Changed(hwnd, true);
        return TRUE;
    case WM_CLEAR:
        if (!(w->style & ES_READONLY) && s.selStart != s.selEnd) Replace(hwnd, L"", true);
        return 0;
    // A read-only edit only copies.
    case WM_COPY: CopySelection(hwnd); return 0;
    case WM_CUT:
        CopySelection(hwnd);
        if (!(w->style & ES_READONLY) && s.selStart != s.selEnd) Replace(hwnd, L"", true);
        return 0;
    case WM_PASTE:
        if (!(w->style & ES_READONLY)) PasteText(hwnd);
        return 0;
    case EM_GETLINECOUNT: return static_cast<LRESULT>(Lines(hwnd).size());
    case EM_GETFIRSTVISIBLELINE: return multi ? s.firstLine : 0;
    case EM_LINESCROLL: ScrollTo(hwnd, s.firstLine + static_cast<int>(lParam)); return TRUE;
    case EM_LINEINDEX: {
        std::vector<Line> lines = Lines(hwnd);
        int li = static_cast<int>(wParam) == -1 ? LineOf(lines, s.selEnd) : static_cast<int>(wParam);
        return li >= 0 && li < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(li)].start : -1;
    }
    case EM_LINEFROMCHAR: {
        std::vector<Line> lines = Lines(hwnd);
        return LineOf(lines, static_cast<int>(wParam) == -1 ? s.selEnd : static_cast<int>(wParam));
    }
    case EM_LINELENGTH: {
        std::vector<Line> lines = Lines(hwnd);
        return lines[static_cast<size_t>(LineOf(lines, static_cast<int>(wParam)))].length;
    }
    case EM_GETLINE: {
        std::vector<Line> lines = Lines(hwnd);
        if (wParam >= lines.size() || !lParam) return 0;
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        int room = *reinterpret_cast<WORD*>(buf);
        const Line& l = lines[wParam];
        int n = std::min(room, l.length);
        std::wmemcpy(buf, s.text.c_str() + l.start, static_cast<size_t>(n));
        return n;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        Paint(hwnd, hdc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace vplat::win
