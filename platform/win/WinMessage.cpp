// Sending and posting messages, the queue with its input, paint and timer
// messages, timers on the virtual clock, and the message log.
#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <deque>
#include <map>

#include "WinClock.h"
#include "WinInput.h"
#include "WinMessageLog.h"
#include "WinWindowImpl.h"

namespace vplat {
namespace win {
std::vector<HWND> TopLevelWindows();
void SetInputState(bool shift, bool ctrl, bool lbutton, bool rbutton);
void SetCursorPoint(POINT screen);
}  // namespace win

namespace {

enum class InputKind { None, MouseMove, Down, Up, Wheel, KeyDown, KeyUp, Char };

struct Input {
    InputKind kind = InputKind::None;
    bool right = false;
    POINT screen{};
    int delta = 0;
    UINT vk = 0;
    wchar_t ch = 0;
    bool shift = false;
    bool ctrl = false;
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC proc;
    DWORD due;
};

struct Queue {
    std::deque<MSG> posted;
    std::deque<Input> input;
    std::vector<Timer> timers;
    UINT_PTR nextTimerId = 0x7F00;
    bool quit = false;
    int quitCode = 0;
    MSG last{};
    // Double-click detection.
    HWND lastDownWindow = nullptr;
    DWORD lastDownTime = 0;
    POINT lastDownPoint{};
    bool lastDownRight = false;
    // Shift and Ctrl held through the mouse actions queued now (a press held with a key).
    bool heldShift = false;
    bool heldCtrl = false;
    bool lastWasDouble = false;
    bool lbutton = false;
    bool rbutton = false;
    POINT cursor{};
};

Queue& Q() {
    static Queue q;
    return q;
}

struct Log {
    bool on = false;
    std::vector<LoggedMessage> entries;
};
Log& L() {
    static Log l;
    return l;
}

DWORD Now() { return Clock::Get().Now(); }

MSG Make(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    MSG m{hwnd, msg, w, l, Now(), Q().cursor};
    return m;
}

WPARAM MouseKeys() {
    WPARAM k = 0;
    if (Q().lbutton) k |= MK_LBUTTON;
    if (Q().rbutton) k |= MK_RBUTTON;
    if (GetKeyState(VK_SHIFT) < 0) k |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) k |= MK_CONTROL;
    return k;
}

// Turns the next raw input into a window message, as the input queue does
// when a message loop reads it. Returns false when the input went nowhere.
bool ResolveInput(const Input& in, MSG* out) {
    Queue& q = Q();
    win::SetInputState(in.shift, in.ctrl, q.lbutton, q.rbutton);
    if (in.kind == InputKind::KeyDown || in.kind == InputKind::KeyUp || in.kind == InputKind::Char) {
        HWND target = GetFocus();
        if (!target) target = GetActiveWindow();
        if (!target) return false;
        UINT m = in.kind == InputKind::KeyDown ? WM_KEYDOWN : in.kind == InputKind::KeyUp ? WM_KEYUP : WM_CHAR;
        WPARAM w = in.kind == InputKind::Char ? static_cast<WPARAM>(in.ch) : static_cast<WPARAM>(in.vk);
        LPARAM l = in.kind == InputKind::KeyUp ? static_cast<LPARAM>(0xC0000001u) : 1;
        *out = Make(target, m, w, l);
        return true;
    }
    q.cursor = in.screen;
    win::SetCursorPoint(in.screen);
    HWND target = GetCapture();
    LRESULT hit = HTCLIENT;
    if (!target) {
        target = WindowFromPoint(in.screen);
        if (!target || target == GetDesktopWindow()) return false;
        hit = SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(in.screen.x, in.screen.y));
    }
    UINT msg = WM_MOUSEMOVE;
    switch (in.kind) {
    case InputKind::Down: msg = in.right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN; break;
    case InputKind::Up: msg = in.right ? WM_RBUTTONUP : WM_LBUTTONUP; break;
    case InputKind::Wheel: msg = WM_MOUSEWHEEL; break;
    default: break;
    }
    if (in.kind == InputKind::Down) {
        if (in.right) {
            q.rbutton = true;
        } else {
            q.lbutton = true;
        }
        win::SetInputState(in.shift, in.ctrl, q.lbutton, q.rbutton);
    } else if (in.kind == InputKind::Up) {
        if (in.right) {
            q.rbutton = false;
        } else {
            q.lbutton = false;
        }
        win::SetInputState(in.shift, in.ctrl, q.lbutton, q.rbutton);
    }
    if (in.kind == InputKind::Wheel) {
        // The wheel goes to the focus window, with screen coordinates.
        HWND focus = GetFocus();
        if (focus) target = focus;
        *out = Make(target, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeys(), static_cast<WORD>(in.delta)),
                    MAKELPARAM(in.screen.x, in.screen.y));
        return true;
    }
    if (!GetCapture()) {
        // The window under the pointer sets the cursor and is asked about
        // activation before a button press reaches it.
        SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(hit, msg));
        if (in.kind == InputKind::Down && IsWindow(target))
            SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(win::TopLevelOf(target)),
                         MAKELPARAM(hit, msg));
        if (!IsWindow(target)) return false;
    }
    if (in.kind == InputKind::Down) {
        DWORD t = Now();
        bool dbl = !q.lastWasDouble && q.lastDownWindow == target && q.lastDownRight == in.right &&
                   t - q.lastDownTime <= GetDoubleClickTime() &&
                   std::abs(in.screen.x - q.lastDownPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                   std::abs(in.screen.y - q.lastDownPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        win::Window* w = win::Find(target);
        if (dbl && w && w->cls && (w->cls->wc.style & CS_DBLCLKS)) {
            msg = in.right ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK;
            q.lastWasDouble = true;
        } else {
            q.lastWasDouble = false;
        }
        q.lastDownWindow = target;
        q.lastDownTime = t;
        q.lastDownPoint = in.screen;
        q.lastDownRight = in.right;
    }
    if (hit == HTCLIENT) {
        POINT c = in.screen;
        ScreenToClient(target, &c);
        *out = Make(target, msg, MouseKeys(), MAKELPARAM(c.x, c.y));
    } else {
        // Outside the client area the non-client messages carry the hit code.
        UINT nc = msg == WM_MOUSEMOVE ? WM_NCMOUSEMOVE : msg == WM_LBUTTONDOWN ? WM_NCLBUTTONDOWN
                  : msg == WM_LBUTTONUP ? WM_NCLBUTTONUP : 0;
        if (!nc) return false;
        *out = Make(target, nc, static_cast<WPARAM>(hit), MAKELPARAM(in.screen.x, in.screen.y));
    }
    return true;
}

bool FindPaint(HWND hwnd, HWND* out) {
    win::Window* w = win::Find(hwnd);
    if (!w || !(w->style & WS_VISIBLE)) return false;
    if (w->hasUpdate || w->frameDirty) {
        *out = hwnd;
        return true;
    }
    std::vector<HWND> kids = w->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        if (FindPaint(*it, out)) return true;
    return false;
}

bool Matches(HWND filter, HWND hwnd) { return !filter || hwnd == filter || IsChild(filter, hwnd); }

}  // namespace


bool TimersDue() {
    DWORD now = Now();
    for (const Timer& t : Q().timers)
        if (static_cast<LONG>(now - t.due) >= 0) return true;
    return false;
}

void DropWindowFromQueues(HWND hwnd) {
    Queue& q = Q();
    q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                   q.posted.end());
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                   q.timers.end());
    if (q.lastDownWindow == hwnd) q.lastDownWindow = nullptr;
}

void MessageLog::Start() {
    L().entries.clear();
    L().on = true;
}
void MessageLog::Stop() { L().on = false; }
bool MessageLog::Recording() { return L().on; }
void MessageLog::Record(const LoggedMessage& m) {
    if (L().on) L().entries.push_back(m);
}
const std::vector<LoggedMessage>& MessageLog::Entries() { return L().entries; }

std::vector<std::wstring> MessageLog::Lines(std::initializer_list<UINT> only) {
    std::vector<std::wstring> out;
    for (const LoggedMessage& m : L().entries) {
        if (only.size() && std::find(only.begin(), only.end(), m.message) == only.end()) continue;
        std::wstring line = MessageName(m.message) + L" " + WindowName(m.hwnd);
        switch (m.message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            line += L" wParam=" + (m.wParam ? WindowName(reinterpret_cast<HWND>(m.wParam)) : std::wstring(L"0"));
            break;
        case WM_CAPTURECHANGED:
            line += L" lParam=" + (m.lParam ? WindowName(reinterpret_cast<HWND>(m.lParam)) : std::wstring(L"0"));
            break;
        case WM_COMMAND:
            line += L" id=" + std::to_wstring(LOWORD(m.wParam)) + L" code=" + std::to_wstring(HIWORD(m.wParam));
            break;
        case WM_NOTIFY:
            line += L" code=" + std::to_wstring(static_cast<int>(reinterpret_cast<NMHDR*>(m.lParam)->code));
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            line += L" " + std::to_wstring(m.wParam);
            break;
        default: break;
        }
        out.push_back(line);
    }
    return out;
}

std::wstring MessageName(UINT message) {
    static const std::map<UINT, const wchar_t*> names = {
        {WM_CREATE, L"WM_CREATE"}, {WM_DESTROY, L"WM_DESTROY"}, {WM_MOVE, L"WM_MOVE"}, {WM_SIZE, L"WM_SIZE"},
        {WM_ACTIVATE, L"WM_ACTIVATE"}, {WM_SETFOCUS, L"WM_SETFOCUS"}, {WM_KILLFOCUS, L"WM_KILLFOCUS"},
        {WM_ENABLE, L"WM_ENABLE"}, {WM_SETTEXT, L"WM_SETTEXT"}, {WM_GETTEXT, L"WM_GETTEXT"},
        {WM_GETTEXTLENGTH, L"WM_GETTEXTLENGTH"}, {WM_PAINT, L"WM_PAINT"}, {WM_CLOSE, L"WM_CLOSE"},
        {WM_ERASEBKGND, L"WM_ERASEBKGND"}, {WM_SHOWWINDOW, L"WM_SHOWWINDOW"}, {WM_CANCELMODE, L"WM_CANCELMODE"},
        {WM_SETCURSOR, L"WM_SETCURSOR"}, {WM_MOUSEACTIVATE, L"WM_MOUSEACTIVATE"}, {WM_NOTIFY, L"WM_NOTIFY"},
        {WM_SETICON, L"WM_SETICON"}, {WM_NCCREATE, L"WM_NCCREATE"}, {WM_NCDESTROY, L"WM_NCDESTROY"},
        {WM_NCCALCSIZE, L"WM_NCCALCSIZE"}, {WM_NCHITTEST, L"WM_NCHITTEST"}, {WM_NCPAINT, L"WM_NCPAINT"},
        {WM_GETDLGCODE, L"WM_GETDLGCODE"}, {WM_KEYDOWN, L"WM_KEYDOWN"}, {WM_KEYUP, L"WM_KEYUP"},
        {WM_CHAR, L"WM_CHAR"}, {WM_INITDIALOG, L"WM_INITDIALOG"}, {WM_COMMAND, L"WM_COMMAND"},
        {WM_TIMER, L"WM_TIMER"}, {WM_HSCROLL, L"WM_HSCROLL"}, {WM_VSCROLL, L"WM_VSCROLL"},
        {WM_CTLCOLOREDIT, L"WM_CTLCOLOREDIT"}, {WM_CTLCOLORBTN, L"WM_CTLCOLORBTN"},
        {WM_CTLCOLORDLG, L"WM_CTLCOLORDLG"}, {WM_CTLCOLORSTATIC, L"WM_CTLCOLORSTATIC"},
        {WM_MOUSEMOVE, L"WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, L"WM_LBUTTONDOWN"}, {WM_LBUTTONUP, L"WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, L"WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, L"WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, L"WM_RBUTTONUP"}, {WM_MOUSEWHEEL, L"WM_MOUSEWHEEL"},
        {WM_CAPTURECHANGED, L"WM_CAPTURECHANGED"}, {WM_SETFONT, L"WM_SETFONT"}, {WM_GETFONT, L"WM_GETFONT"},
        {WM_NCLBUTTONDOWN, L"WM_NCLBUTTONDOWN"}, {WM_NCLBUTTONUP, L"WM_NCLBUTTONUP"},
        {WM_NCMOUSEMOVE, L"WM_NCMOUSEMOVE"}, {WM_CONTEXTMENU, L"WM_CONTEXTMENU"},
        {BM_SETSTATE, L"BM_SETSTATE"}, {BM_SETCHECK, L"BM_SETCHECK"}, {BM_GETCHECK, L"BM_GETCHECK"},
        {BM_SETSTYLE, L"BM_SETSTYLE"}, {BM_CLICK, L"BM_CLICK"}, {EM_SETSEL, L"EM_SETSEL"},
        {DM_GETDEFID, L"DM_GETDEFID"}, {WM_WINDOWPOSCHANGED, L"WM_WINDOWPOSCHANGED"}};
    auto it = names.find(message);
    if (it != names.end()) return it->second;
    wchar_t buf[16];
    std::swprintf(buf, 16, L"0x%04X", message);
    return buf;
}

std::wstring WindowName(HWND hwnd) {
    win::Window* w = win::Find(hwnd);
    if (!w) return L"(none)";
    if (w->dialog) return L"dialog " + std::to_wstring(w->dialog->templateId);
    if (w->parent) return L"#" + std::to_wstring(static_cast<int>(w->id));
    return (w->cls ? w->cls->name : std::wstring(L"desktop")) + L" \"" + w->text + L"\"";
}

// Input from the person at the machine.
void UserInput::MoveMouse(POINT screen) {
    Input in;
    in.kind = InputKind::MouseMove;
    in.screen = screen;
    in.shift = Q().heldShift || GetKeyState(VK_SHIFT) < 0;
    in.ctrl = Q().heldCtrl || GetKeyState(VK_CONTROL) < 0;
    Q().input.push_back(in);
}

namespace {
void Mouse(InputKind kind, HWND hwnd, POINT client, bool right, int delta = 0) {
    POINT s = client;
    ClientToScreen(hwnd, &s);
    // The pointer moves there first, unless the input queued before left it there.
    static POINT queued{-1, -1};
    POINT last = Q().input.empty() ? Q().cursor : queued;
    if (kind != InputKind::Wheel && (s.x != last.x || s.y != last.y)) UserInput::MoveMouse(s);
    queued = s;
    Input in;
    in.kind = kind;
    in.right = right;
    in.screen = s;
    in.delta = delta;
    in.shift = Q().heldShift;
    in.ctrl = Q().heldCtrl;
    Q().input.push_back(in);
}
}  // namespace

void UserInput::HoldKeys(bool shift, bool ctrl) {
    Q().heldShift = shift;
    Q().heldCtrl = ctrl;
}

void UserInput::ButtonDown(HWND hwnd, POINT client, bool right) { Mouse(InputKind::Down, hwnd, client, right); }
void UserInput::ButtonUp(HWND hwnd, POINT client, bool right) { Mouse(InputKind::Up, hwnd, client, right); }
void UserInput::Click(HWND hwnd, POINT client, bool right) {
    ButtonDown(hwnd, client, right);
    ButtonUp(hwnd, client, right);
}
void UserInput::DoubleClick(HWND hwnd, POINT client) {
    Click(hwnd, client);
    Click(hwnd, client);
}
void UserInput::Wheel(HWND hwnd, POINT client, int delta) { Mouse(InputKind::Wheel, hwnd, client, false, delta); }

void UserInput::Key(UINT vk, bool shift, bool ctrl) {
    Input in;
    in.vk = vk;
    in.shift = shift;
    in.ctrl = ctrl;
    in.kind = InputKind::KeyDown;
    Q().input.push_back(in);
    in.kind = InputKind::KeyUp;
    Q().input.push_back(in);
}

void UserInput::Type(const std::wstring& text) {
    for (wchar_t c : text) {
        Input in;
        in.kind = InputKind::Char;
        in.ch = c;
        Q().input.push_back(in);
    }
}

void UserInput::Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

}  // namespace vplat

using namespace vplat;

extern "C" {

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    win::Window* w = win::Find(hwnd);
    if (!w || !w->proc) return 0;
    MessageLog::Record({hwnd, msg, wParam, lParam, false});
    return w->proc(hwnd, msg, wParam, lParam);
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !win::Find(hwnd)) return FALSE;
    Q().posted.push_back(Make(hwnd, msg, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int code) {
    Q().quit = true;
    Q().quitCode = code;
}

// The platform's order: posted messages, then input, then paint, then timers.
BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    Queue& q = Q();
    auto inRange = [first, last](UINT m) { return (first == 0 && last == 0) || (m >= first && m <= last); };
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (!Matches(hwnd, it->hwnd) || !inRange(it->message)) continue;
        *msg = *it;
        if (remove & PM_REMOVE) q.posted.erase(it);
        q.last = *msg;
        return TRUE;
    }
    if (q.quit && !hwnd) {
        *msg = Make(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
        if (remove & PM_REMOVE) q.quit = false;
        return TRUE;
    }
    while (!q.input.empty()) {
        Input in = q.input.front();
        q.input.pop_front();
        MSG m;
        if (!ResolveInput(in, &m)) continue;
        if (!(remove & PM_REMOVE)) q.posted.push_front(m);
        *msg = m;
        q.last = m;
        return TRUE;
    }
    for (HWND t : win::TopLevelWindows()) {
        HWND p = nullptr;
        if (FindPaint(t, &p) && Matches(hwnd, p)) {
            *msg = Make(p, WM_PAINT, 0, 0);
            q.last = *msg;
            return TRUE;
        }
    }
    DWORD now = Now();
    for (Timer& t : q.timers) {
        if (static_cast<LONG>(now - t.due) < 0 || !Matches(hwnd, t.hwnd)) continue;
        *msg = Make(t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc));
        if (remove & PM_REMOVE) t.due = now + t.elapse;
        q.last = *msg;
        return TRUE;
    }
    return FALSE;
}

// Never blocks: with nothing to do it answers WM_QUIT's absence as false.
BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT first, UINT last) {
    if (!PeekMessageW(msg, hwnd, first, last, PM_REMOVE)) {
        *msg = Make(nullptr, WM_QUIT, 0, 0);
        return FALSE;
    }
    return msg->message != WM_QUIT;
}

BOOL WaitMessage() { return TRUE; }

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    wchar_t ch = 0;
    switch (msg->wParam) {
    case VK_RETURN: ch = L'\r'; break;
    case VK_ESCAPE: ch = 27; break;
    case VK_TAB: ch = L'\t'; break;
    case VK_BACK: ch = 8; break;
    case VK_SPACE: ch = L' '; break;
    default: return FALSE;
    }
    // The character comes before any other queued message, as the platform's does.
    Q().posted.push_front(Make(msg->hwnd, WM_CHAR, static_cast<WPARAM>(ch), msg->lParam));
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    win::Window* w = win::Find(msg->hwnd);
    if (!w) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, Now());
        return 0;
    }
    if (msg->message == WM_PAINT) {
        win::PaintNow(msg->hwnd);
        return 0;
    }
    MessageLog::Record({msg->hwnd, msg->message, msg->wParam, msg->lParam, true});
    return w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

DWORD GetMessagePos() { return static_cast<DWORD>(MAKELONG(Q().last.pt.x, Q().last.pt.y)); }
LONG GetMessageTime() { return static_cast<LONG>(Q().last.time); }
UINT GetDoubleClickTime() { return 500; }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    Queue& q = Q();
    if (hwnd && !win::Find(hwnd)) return 0;
    if (elapse < 10) elapse = 10;
    if (!hwnd) id = ++q.nextTimerId;
    for (Timer& t : q.timers) {
        if (t.hwnd == hwnd && t.id == id) {
            // Setting a timer again restarts it.
            t.elapse = elapse;
            t.proc = proc;
            t.due = Now() + elapse;
            return hwnd ? (id ? id : 1) : id;
        }
    }
    q.timers.push_back({hwnd, id, elapse, proc, Now() + elapse});
    return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    Queue& q = Q();
    auto it = std::find_if(q.timers.begin(), q.timers.end(),
                           [hwnd, id](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == q.timers.end()) return FALSE;
    q.timers.erase(it);
    // A WM_TIMER already posted for it is dropped too.
    return TRUE;
}

}  // extern "C"
