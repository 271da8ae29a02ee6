// Keyboard focus, activation, mouse capture, key state and cursors.
#include <map>

#include "WinWindowImpl.h"

namespace vplat::win {

namespace {

struct FocusState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool shift = false;
    bool ctrl = false;
    bool lbutton = false;
    bool rbutton = false;
    POINT cursorPos{};
    bool clipped = false;
    RECT clip{};
    HCURSOR cursor = nullptr;
    std::map<uintptr_t, HCURSOR> systemCursors;
};

FocusState& F() {
    static FocusState f;
    return f;
}

}  // namespace

void SetInputState(bool shift, bool ctrl, bool lbutton, bool rbutton) {
    F().shift = shift;
    F().ctrl = ctrl;
    F().lbutton = lbutton;
    F().rbutton = rbutton;
}

void SetCursorPoint(POINT screen) { F().cursorPos = screen; }

}  // namespace vplat::win

using namespace vplat::win;

extern "C" {

// WM_KILLFOCUS goes to the window losing the focus, naming the one that gains
// it, then WM_SETFOCUS to the new one, naming the old. While WM_KILLFOCUS runs,
// GetFocus still answers the window losing it.
HWND SetFocus(HWND hwnd) {
    FocusState& f = F();
    HWND old = f.focus;
    if (hwnd && !Find(hwnd)) return nullptr;
    if (hwnd == old) return old;
    if (hwnd) {
        HWND top = TopLevelOf(hwnd);
        if (top != f.active) f.active = top;
    }
    if (old && IsWindow(old)) {
        SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        // The handler moved the focus itself: that move stands.
        if (f.focus != old) return old;
    }
    f.focus = hwnd;
    if (hwnd) {
        if (HWND dlg = DialogOf(hwnd)) DialogFocusChanged(dlg, hwnd);
        SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old && IsWindow(old) ? old : nullptr), 0);
    }
    return old;
}

HWND GetFocus() {
    if (F().focus && !IsWindow(F().focus)) F().focus = nullptr;
    return F().focus;
}

HWND GetActiveWindow() {
    if (F().active && !IsWindow(F().active)) F().active = nullptr;
    return F().active;
}

HWND SetActiveWindow(HWND hwnd) {
    HWND old = GetActiveWindow();
    if (hwnd && !IsWindow(hwnd)) return nullptr;
    F().active = hwnd ? TopLevelOf(hwnd) : nullptr;
    return old;
}

HWND SetCapture(HWND hwnd) {
    FocusState& f = F();
    HWND old = f.capture;
    if (!IsWindow(hwnd)) return old;
    f.capture = hwnd;
    if (old && old != hwnd && IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    FocusState& f = F();
    HWND old = f.capture;
    f.capture = nullptr;
    if (old && IsWindow(old)) SendMessageW(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    if (F().capture && !IsWindow(F().capture)) F().capture = nullptr;
    return F().capture;
}

// Key state as of the input message being handled.
SHORT GetKeyState(int key) {
    FocusState& f = F();
    bool down = false;
    switch (key) {
    case VK_SHIFT: down = f.shift; break;
    case VK_CONTROL: down = f.ctrl; break;
    case VK_LBUTTON: down = f.lbutton; break;
    case VK_RBUTTON: down = f.rbutton; break;
    default: break;
    }
    return down ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetAsyncKeyState(int key) { return GetKeyState(key); }

BOOL GetCursorPos(LPPOINT pt) {
    if (!pt) return FALSE;
    *pt = F().cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    F().cursorPos = POINT{x, y};
    return TRUE;
}

BOOL ClipCursor(const RECT* rect) {
    FocusState& f = F();
    f.clipped = rect != nullptr;
    if (rect) f.clip = *rect;
    return TRUE;
}

BOOL GetClipCursor(LPRECT rect) {
    if (!rect) return FALSE;
    const FocusState& f = F();
    *rect = f.clipped ? f.clip : RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = F().cursor;
    F().cursor = cursor;
    return old;
}

HCURSOR GetCursor() { return F().cursor; }

// System cursors are shared handles, one per number; a module's own cursors
// come from its resources.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    if (instance) return reinterpret_cast<HCURSOR>(LoadImageW(instance, name, IMAGE_CURSOR, 0, 0, 0));
    if (!IS_INTRESOURCE(name)) return nullptr;
    uintptr_t id = reinterpret_cast<uintptr_t>(name);
    auto& map = F().systemCursors;
    auto it = map.find(id);
    if (it != map.end()) return it->second;
    static const uintptr_t known[] = {32512, 32513, 32514, 32515, 32644, 32645, 32649};
    bool ok = false;
    for (uintptr_t k : known) ok = ok || k == id;
    if (!ok) return nullptr;
    HCURSOR c = reinterpret_cast<HCURSOR>(0x7000000 + id);
    map[id] = c;
    return c;
}

BOOL DestroyCursor(HCURSOR) { return TRUE; }

}  // extern "C"
