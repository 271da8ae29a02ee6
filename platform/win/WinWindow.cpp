// Window classes, the window tree, geometry, styles, text, show and enable,
// hit testing, invalidation and painting.
#include <algorithm>
#include <cwctype>
#include <unordered_map>

#include "HostText.h"
#include "WinMenu.h"
#include "WinMessageLog.h"
#include "WinWindowImpl.h"

namespace vplat::win {

namespace {

struct Manager {
    std::vector<std::unique_ptr<WindowClass>> classes;
    std::unordered_map<HWND, std::unique_ptr<Window>> windows;
    std::vector<HWND> topLevels;  // top of the z-order first
    uintptr_t nextHandle = 0x10000;
    CreateHook createHook;
    std::vector<DestroyHook> destroyHooks;
    Window desktop;
    bool ready = false;
};

Manager& M() {
    static Manager m;
    if (!m.ready) {
        m.ready = true;
        m.desktop.handle = reinterpret_cast<HWND>(m.nextHandle);
        m.nextHandle += 4;
        m.desktop.style = WS_VISIBLE;
        m.desktop.rect = RECT{0, 0, 1920, 1080};
        m.desktop.text = L"";
        RegisterSystemClasses();
    }
    return m;
}

std::wstring Lower(const std::wstring& s) {
    std::wstring out = s;
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

std::wstring ClassKey(LPCWSTR name) {
    if (!name) return L"";
    if (IS_INTRESOURCE(name)) return L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name));
    return Lower(name);
}

WindowClass* FindClass(HINSTANCE instance, LPCWSTR name) {
    std::wstring key = ClassKey(name);
    WindowClass* global = nullptr;
    for (auto& c : M().classes) {
        if (Lower(c->name) != key) continue;
        if (c->instance == instance && !c->system) return c.get();
        if (c->system || (c->wc.style & CS_GLOBALCLASS)) global = c.get();
    }
    return global;
}

int FrameThickness(const Window* w) {
    int t = 0;
    if ((w->style & WS_CAPTION) == WS_DLGFRAME || (w->style & WS_CAPTION) == WS_CAPTION ||
        (w->exStyle & WS_EX_DLGMODALFRAME)) {
        t = (w->style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME);
    } else if (w->style & WS_THICKFRAME) {
        t = GetSystemMetrics(SM_CXFRAME);
    } else if (w->style & WS_BORDER) {
        t = GetSystemMetrics(SM_CXBORDER);
    }
    if (w->exStyle & WS_EX_CLIENTEDGE) t += GetSystemMetrics(SM_CXEDGE);
    if (w->exStyle & WS_EX_STATICEDGE) t += GetSystemMetrics(SM_CXBORDER);
    return t;
}

}  // namespace

int CaptionHeight(const Window* w) {
    if ((w->style & WS_CAPTION) != WS_CAPTION) return 0;
    return (w->exStyle & WS_EX_TOOLWINDOW) ? 17 : GetSystemMetrics(SM_CYCAPTION);
}

namespace {

RECT ScreenRectOf(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return RECT{};
    RECT r = w->rect;
    if (w->parent) {
        RECT pc = ClientRectInTop(w->parent);
        HWND top = TopLevelOf(w->parent);
        Window* t = Find(top);
        if (t) OffsetRect(&pc, t->rect.left, t->rect.top);
        OffsetRect(&r, pc.left, pc.top);
    }
    return r;
}

void Unlink(Window* w) {
    auto& list = w->parent ? Find(w->parent)->children : M().topLevels;
    list.erase(std::remove(list.begin(), list.end(), w->handle), list.end());
}

void Link(Window* w, HWND after) {
    auto& list = w->parent ? Find(w->parent)->children : M().topLevels;
    list.erase(std::remove(list.begin(), list.end(), w->handle), list.end());
    if (after == HWND_BOTTOM) {
        list.push_back(w->handle);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST || !after) {
        list.insert(list.begin(), w->handle);
    } else {
        auto it = std::find(list.begin(), list.end(), after);
        list.insert(it == list.end() ? list.end() : it + 1, w->handle);
    }
}

void SendSizeMessages(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return;
    RECT c = ClientInWindow(w);
    SendMessageW(hwnd, WM_SIZE, 0, MAKELPARAM(c.right - c.left, c.bottom - c.top));
}

void InvalidateTree(HWND hwnd, const RECT* r, bool erase, bool frame, bool allChildren);

}  // namespace

Window* Find(HWND hwnd) {
    if (!hwnd) return nullptr;
    Manager& m = M();
    if (hwnd == m.desktop.handle) return &m.desktop;
    auto it = m.windows.find(hwnd);
    return it == m.windows.end() ? nullptr : it->second.get();
}

Window& Desktop() { return M().desktop; }

bool IsTopLevel(const Window* w) { return w && !w->parent; }

HWND TopLevelOf(HWND hwnd) {
    Window* w = Find(hwnd);
    while (w && w->parent) w = Find(w->parent);
    return w ? w->handle : nullptr;
}

RECT ClientInWindow(const Window* w) {
    int t = FrameThickness(w);
    RECT c{t, t + CaptionHeight(w), w->rect.right - w->rect.left - t, w->rect.bottom - w->rect.top - t};
    if (!w->parent && w->menu) c.top += GetSystemMetrics(SM_CYMENU);
    if (w->style & WS_VSCROLL) c.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (w->style & WS_HSCROLL) c.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    return c;
}

RECT VScrollRect(const Window* w) {
    RECT c = ClientInWindow(w);
    return RECT{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
}

RECT HScrollRect(const Window* w) {
    RECT c = ClientInWindow(w);
    return RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

RECT WindowRectInTop(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return RECT{};
    if (!w->parent) return RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    RECT pc = ClientRectInTop(w->parent);
    RECT r = w->rect;
    OffsetRect(&r, pc.left, pc.top);
    return r;
}

RECT ClientRectInTop(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return RECT{};
    RECT wr = WindowRectInTop(hwnd);
    RECT c = ClientInWindow(w);
    OffsetRect(&c, wr.left, wr.top);
    return c;
}

bool IsShown(HWND hwnd) {
    for (Window* w = Find(hwnd); w; w = Find(w->parent))
        if (!(w->style & WS_VISIBLE)) return false;
    return Find(hwnd) != nullptr;
}

RECT VisibleInTop(HWND hwnd, bool wholeWindow) {
    if (!IsShown(hwnd)) return RECT{};
    RECT r = wholeWindow ? WindowRectInTop(hwnd) : ClientRectInTop(hwnd);
    for (Window* w = Find(Find(hwnd)->parent); w; w = Find(w->parent)) {
        RECT pc = ClientRectInTop(w->handle);
        IntersectRect(&r, &r, &pc);
    }
    return r;
}

void SetCreateHook(CreateHook hook) { M().createHook = std::move(hook); }
void AddDestroyHook(DestroyHook hook) { M().destroyHooks.push_back(std::move(hook)); }

namespace {

void InvalidateTree(HWND hwnd, const RECT* r, bool erase, bool frame, bool allChildren) {
    Window* w = Find(hwnd);
    if (!w || w == &M().desktop) return;
    RECT c = ClientInWindow(w);
    RECT client{0, 0, c.right - c.left, c.bottom - c.top};
    RECT add = client;
    if (r) IntersectRect(&add, r, &client);
    if (!IsRectEmpty(&add)) {
        if (w->hasUpdate) {
            UnionRect(&w->update, &w->update, &add);
        } else {
            w->update = add;
        }
        w->hasUpdate = true;
        w->erase = w->erase || erase;
    }
    if (frame) w->frameDirty = true;
    // Without WS_CLIPCHILDREN the parent paints over its children, so the
    // children under the invalid area are painted again after it.
    bool propagate = allChildren || !(w->style & WS_CLIPCHILDREN);
    if (!propagate) return;
    for (HWND ch : std::vector<HWND>(w->children)) {
        Window* cw = Find(ch);
        if (!cw || !(cw->style & WS_VISIBLE)) continue;
        RECT cr = cw->rect;
        RECT hit;
        if (!r) {
            InvalidateTree(ch, nullptr, erase, true, allChildren);
        } else if (IntersectRect(&hit, &cr, &add)) {
            RECT cc = ClientInWindow(cw);
            OffsetRect(&hit, -cr.left - cc.left, -cr.top - cc.top);
            InvalidateTree(ch, &hit, erase, true, allChildren);
        }
    }
}

}  // namespace

void PaintNow(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w || w->painting || !IsShown(hwnd)) return;
    if (w->frameDirty) {
        w->frameDirty = false;
        SendMessageW(hwnd, WM_NCPAINT, 1, 0);
    }
    w = Find(hwnd);
    if (w && w->hasUpdate) {
        SendMessageW(hwnd, WM_PAINT, 0, 0);
        // A window procedure that paints nothing still has its area validated,
        // so the queue never hands out the same paint again.
        if ((w = Find(hwnd)) && w->hasUpdate) ValidateRect(hwnd, nullptr);
    }
}

void PaintTree(HWND hwnd) {
    PaintNow(hwnd);
    Window* w = Find(hwnd);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) PaintTree(*it);
}

std::wstring StripPrefix(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&') {
            if (i + 1 < text.size() && text[i + 1] == L'&') {
                out.push_back(L'&');
                ++i;
            }
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

std::vector<HWND> TopLevelWindows() { return M().topLevels; }

}  // namespace vplat::win

using namespace vplat::win;

extern "C" {

ATOM RegisterClassW(const WNDCLASSW* wc) {
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
    Manager& m = M();
    std::wstring key = ClassKey(wc->lpszClassName);
    for (auto& c : m.classes)
        if (!c->system && c->instance == wc->hInstance && Lower(c->name) == key) {
            SetLastError(1410);  // the class already exists
            return 0;
        }
    auto c = std::make_unique<WindowClass>();
    c->name = IS_INTRESOURCE(wc->lpszClassName) ? key : std::wstring(wc->lpszClassName);
    c->instance = wc->hInstance;
    c->wc = *wc;
    c->wc.lpszClassName = nullptr;
    // A class registered by the window system itself serves every instance.
    c->system = !m.ready || wc->hInstance == nullptr;
    m.classes.push_back(std::move(c));
    return static_cast<ATOM>(0xC000 + m.classes.size());
}

BOOL UnregisterClassW(LPCWSTR name, HINSTANCE instance) {
    Manager& m = M();
    std::wstring key = ClassKey(name);
    for (auto it = m.classes.begin(); it != m.classes.end(); ++it) {
        if (!(*it)->system && (*it)->instance == instance && Lower((*it)->name) == key) {
            for (auto& w : m.windows)
                if (w.second->cls == it->get()) return FALSE;  // still in use
            m.classes.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR name, WNDCLASSW* wc) {
    WindowClass* c = FindClass(instance, name);
    if (!c) return FALSE;
    if (wc) {
        *wc = c->wc;
        wc->lpszClassName = name;
    }
    return TRUE;
}

int GetClassNameW(HWND hwnd, LPWSTR name, int size) {
    Window* w = Find(hwnd);
    if (!w || !name || size <= 0) return 0;
    std::wstring n = w->cls ? w->cls->name : L"#32769";
    int k = std::min<int>(static_cast<int>(n.size()), size - 1);
    std::wmemcpy(name, n.c_str(), static_cast<size_t>(k));
    name[k] = 0;
    return k;
}

HWND GetDesktopWindow() { return M().desktop.handle; }

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    Manager& m = M();
    WindowClass* cls = FindClass(instance, className);
    if (!cls) {
        SetLastError(1407);  // the class does not exist
        return nullptr;
    }
    if (parent == m.desktop.handle) parent = nullptr;
    if ((style & WS_CHILD) && !Find(parent)) {
        SetLastError(1406);  // a child window needs a parent
        return nullptr;
    }
    auto rec = std::make_unique<Window>();
    Window* w = rec.get();
    w->handle = reinterpret_cast<HWND>(m.nextHandle);
    m.nextHandle += 4;
    w->cls = cls;
    w->proc = cls->wc.lpfnWndProc;
    w->style = style;
    w->exStyle = exStyle;
    if (style & WS_CHILD) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
    } else {
        w->owner = parent ? TopLevelOf(parent) : nullptr;
    }
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) {
        width = 640;
        height = 480;
    }
    w->rect = RECT{x, y, x + width, y + height};
    w->text = windowName && !IS_INTRESOURCE(windowName) ? windowName : L"";
    w->instance = instance;
    w->extra.assign(static_cast<size_t>(std::max(cls->wc.cbWndExtra, 0) + 7) / 8 + 4, 0);
    HWND hwnd = w->handle;
    m.windows[hwnd] = std::move(rec);
    Link(w, (style & WS_CHILD) ? HWND_BOTTOM : HWND_TOP);

    CREATESTRUCTW cs{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), windowName,
                     className, exStyle};
    if (m.createHook) m.createHook(hwnd, &cs);
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    SendMessageW(hwnd, WM_NCCALCSIZE, 0, 0);
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!Find(hwnd)) return nullptr;
    SendSizeMessages(hwnd);
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(x, y));
    if (Window* again = Find(hwnd)) {
        if (again->style & WS_VISIBLE) {
            again->style &= ~WS_VISIBLE;
            ShowWindow(hwnd, SW_SHOW);
        }
    }
    return Find(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    Manager& m = M();
    Window* w = Find(hwnd);
    if (!w || w == &m.desktop) return FALSE;
    if (w->destroying) return TRUE;
    w->destroying = true;
    // Owned popups go first.
    for (HWND t : std::vector<HWND>(m.topLevels)) {
        Window* o = Find(t);
        if (o && o->owner == hwnd) DestroyWindow(t);
    }
    if (!(w = Find(hwnd))) return TRUE;
    HWND focus = GetFocus();
    if (focus && (focus == hwnd || IsChild(hwnd, focus))) SetFocus(w->parent ? w->parent : w->owner);
    HWND capture = GetCapture();
    if (capture && (capture == hwnd || IsChild(hwnd, capture))) ReleaseCapture();
    if (w->style & WS_VISIBLE) {
        w->style &= ~WS_VISIBLE;
        if (w->parent) InvalidateRect(w->parent, &w->rect, TRUE);
    }
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    if ((w = Find(hwnd)))
        for (HWND ch : std::vector<HWND>(w->children)) DestroyWindow(ch);
    if (!Find(hwnd)) return TRUE;
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    vplat::DropWindowFromQueues(hwnd);
    for (auto& hook : m.destroyHooks) hook(hwnd);
    ForgetWindowSurface(hwnd);
    if ((w = Find(hwnd))) {
        // The window's menu bar goes with it.
        if (w->menu) DestroyMenu(w->menu);
        Unlink(w);
        m.windows.erase(hwnd);
    }
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return Find(hwnd) != nullptr; }

BOOL IsChild(HWND parent, HWND hwnd) {
    Window* w = Find(hwnd);
    while (w && w->parent) {
        if (w->parent == parent) return TRUE;
        w = Find(w->parent);
    }
    return FALSE;
}

HWND GetParent(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return nullptr;
    return w->parent ? w->parent : w->owner;
}

HWND SetParent(HWND hwnd, HWND parent) {
    Window* w = Find(hwnd);
    if (!w || !(w->style & WS_CHILD) || !Find(parent)) return nullptr;
    HWND old = w->parent;
    Unlink(w);
    w->parent = parent;
    Link(w, HWND_TOP);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    Window* w = Find(hwnd);
    if (!w) return nullptr;
    if (flags == GA_PARENT) return w->parent ? w->parent : M().desktop.handle;
    return TopLevelOf(hwnd);
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    Window* w = Find(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (cmd == GW_OWNER) return w->owner;
    const std::vector<HWND>& list = w->parent ? Find(w->parent)->children : M().topLevels;
    if (list.empty()) return nullptr;
    auto it = std::find(list.begin(), list.end(), hwnd);
    switch (cmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return (it == list.end() || it + 1 == list.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == list.end() || it == list.begin()) ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    if (!hwnd) return M().topLevels.empty() ? nullptr : M().topLevels.front();
    return GetWindow(hwnd, GW_CHILD);
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    Window* w = Find(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    default:
        if (index >= 0 && static_cast<size_t>(index / 8) < w->extra.size()) return w->extra[static_cast<size_t>(index / 8)];
        return 0;
    }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    Window* w = Find(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtrW(hwnd, index);
    switch (index) {
    case GWL_STYLE: w->style = static_cast<DWORD>(value); break;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); break;
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_ID: w->id = value; break;
    case GWLP_USERDATA: w->userData = value; break;
    default:
        if (index >= 0 && static_cast<size_t>(index / 8) < w->extra.size()) w->extra[static_cast<size_t>(index / 8)] = value;
        break;
    }
    return old;
}

LONG GetWindowLongW(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrW(hwnd, index)); }
LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
    return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, value));
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && w->parent ? static_cast<int>(w->id) : 0;
}

HWND GetDlgItem(HWND dialog, int id) {
    Window* w = Find(dialog);
    if (!w) return nullptr;
    for (HWND ch : w->children)
        if (static_cast<int>(Find(ch)->id) == id) return ch;
    return nullptr;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    return static_cast<BOOL>(SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")));
}

int GetWindowTextW(HWND hwnd, LPWSTR text, int size) {
    if (!text || size <= 0) return 0;
    text[0] = 0;
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthW(HWND hwnd) { return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE data) {
    Window* w = Find(hwnd);
    if (!w || !name) return FALSE;
    w->props[name] = data;
    return TRUE;
}
HANDLE GetPropW(HWND hwnd, LPCWSTR name) {
    Window* w = Find(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->props.find(name);
    return it == w->props.end() ? nullptr : it->second;
}
HANDLE RemovePropW(HWND hwnd, LPCWSTR name) {
    Window* w = Find(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->props.find(name);
    if (it == w->props.end()) return nullptr;
    HANDLE h = it->second;
    w->props.erase(it);
    return h;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    if (!Find(hwnd) || !rect) return FALSE;
    *rect = ScreenRectOf(hwnd);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = Find(hwnd);
    if (!w || !rect) return FALSE;
    RECT c = ClientInWindow(w);
    *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt) {
    Window* w = Find(hwnd);
    if (!w || !pt) return FALSE;
    RECT s = ScreenRectOf(hwnd);
    RECT c = ClientInWindow(w);
    pt->x += s.left + c.left;
    pt->y += s.top + c.top;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt) {
    Window* w = Find(hwnd);
    if (!w || !pt) return FALSE;
    RECT s = ScreenRectOf(hwnd);
    RECT c = ClientInWindow(w);
    pt->x -= s.left + c.left;
    pt->y -= s.top + c.top;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT o{0, 0};
    if (from && from != M().desktop.handle) ClientToScreen(from, &o);
    POINT d{0, 0};
    if (to && to != M().desktop.handle) ClientToScreen(to, &d);
    for (UINT i = 0; i < count; ++i) {
        points[i].x += o.x - d.x;
        points[i].y += o.y - d.y;
    }
    return MAKELONG(o.x - d.x, o.y - d.y);
}

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
    Window* w = Find(hwnd);
    if (!w || w == &M().desktop) return FALSE;
    RECT old = w->rect;
    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) {
        r.right = x + (r.right - r.left);
        r.bottom = y + (r.bottom - r.top);
        r.left = x;
        r.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(cx, 0);
        r.bottom = r.top + std::max(cy, 0);
    }
    if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
    if (!(flags & SWP_NOZORDER)) Link(w, after);
    bool moved = r.left != old.left || r.top != old.top;
    bool sized = (r.right - r.left) != (old.right - old.left) || (r.bottom - r.top) != (old.bottom - old.top);
    w->rect = r;
    if ((moved || sized || (flags & SWP_FRAMECHANGED)) && !(flags & SWP_NOREDRAW)) {
        if (w->parent) {
            InvalidateRect(w->parent, &old, TRUE);
            InvalidateRect(w->parent, &r, TRUE);
        }
        InvalidateTree(hwnd, nullptr, true, true, false);
    }
    if (sized || (flags & SWP_FRAMECHANGED)) SendSizeMessages(hwnd);
    if (moved) SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(r.left, r.top));
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNA);
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL ShowWindow(HWND hwnd, int cmd) {
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    bool was = (w->style & WS_VISIBLE) != 0;
    bool show = cmd != SW_HIDE;
    if (was == show) return was;
    SendMessageW(hwnd, WM_SHOWWINDOW, show, 0);
    if (!(w = Find(hwnd))) return was;
    if (show) {
        w->style |= WS_VISIBLE;
        InvalidateTree(hwnd, nullptr, true, true, true);
    } else {
        HWND focus = GetFocus();
        if (focus && (focus == hwnd || IsChild(hwnd, focus))) SetFocus(w->parent);
        w = Find(hwnd);
        if (!w) return was;
        w->style &= ~WS_VISIBLE;
        if (w->parent) InvalidateRect(w->parent, &w->rect, TRUE);
    }
    return was;
}

BOOL IsWindowVisible(HWND hwnd) { return IsShown(hwnd); }

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (!enable) {
        SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
        HWND focus = GetFocus();
        // A disabled window, or one whose descendant has the focus, loses it.
        if (focus && (focus == hwnd || IsChild(hwnd, focus))) SetFocus(nullptr);
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    if (!(w = Find(hwnd))) return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
    }
    SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
    Window* w = Find(parent);
    if (!w) return nullptr;
    RECT c;
    GetClientRect(parent, &c);
    if (!PtInRect(&c, pt)) return nullptr;
    for (HWND ch : w->children) {
        Window* cw = Find(ch);
        if ((cw->style & WS_VISIBLE) && PtInRect(&cw->rect, pt)) return ch;
    }
    return parent;
}

HWND WindowFromPoint(POINT pt) {
    Manager& m = M();
    // Topmost windows first, then the others, each in z-order.
    std::vector<HWND> order;
    for (HWND t : m.topLevels)
        if (Find(t)->exStyle & WS_EX_TOPMOST) order.push_back(t);
    for (HWND t : m.topLevels)
        if (!(Find(t)->exStyle & WS_EX_TOPMOST)) order.push_back(t);
    for (HWND t : order) {
        Window* w = Find(t);
        if (!(w->style & WS_VISIBLE) || !PtInRect(&w->rect, pt)) continue;
        HWND current = t;
        // Disabled or hidden children are passed over; a child that answers
        // HTTRANSPARENT lets the windows beneath it take the point.
        for (;;) {
            Window* cw = Find(current);
            POINT local = pt;
            ScreenToClient(current, &local);
            HWND next = nullptr;
            for (HWND ch : cw->children) {
                Window* k = Find(ch);
                if (!(k->style & WS_VISIBLE) || !PtInRect(&k->rect, local)) continue;
                if (k->style & WS_DISABLED) break;
                if (SendMessageW(ch, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTTRANSPARENT) continue;
                next = ch;
                break;
            }
            if (!next) return current;
            current = next;
        }
    }
    return m.desktop.handle;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!Find(hwnd)) return FALSE;
    InvalidateTree(hwnd, rect, erase != 0, false, false);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    if (!rect) {
        w->hasUpdate = false;
        w->erase = false;
        w->update = RECT{};
        return TRUE;
    }
    RECT r = *rect;
    // A rectangle covering the update area validates it all; anything less
    // leaves the bounding area as it was.
    if (r.left <= w->update.left && r.top <= w->update.top && r.right >= w->update.right &&
        r.bottom >= w->update.bottom) {
        w->hasUpdate = false;
        w->erase = false;
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
    Window* w = Find(hwnd);
    if (!w) return FALSE;
    if (rect) *rect = w->hasUpdate ? w->update : RECT{};
    return w->hasUpdate;
}

BOOL UpdateWindow(HWND hwnd) {
    if (!Find(hwnd)) return FALSE;
    PaintNow(hwnd);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags) {
    if (!hwnd) hwnd = M().desktop.handle;
    if (!Find(hwnd)) return FALSE;
    if (flags & RDW_INVALIDATE)
        InvalidateTree(hwnd, rect, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0, (flags & RDW_ALLCHILDREN) != 0);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        if (flags & RDW_ALLCHILDREN) {
            PaintTree(hwnd);
        } else {
            PaintNow(hwnd);
        }
    }
    return TRUE;
}

}  // extern "C"
