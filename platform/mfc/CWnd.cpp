#include "CWnd.h"

#include <memory>
#include <unordered_map>

#include "AfxModule.h"
#include "CControls.h"
#include "CDialog.h"
#include "CMenu.h"
#include "HostText.h"
#include "WinControlSite.h"
#include "WinInput.h"
#include "WinWindowImpl.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

struct WndState {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
    CWnd* creating = nullptr;
    // The message being handled, for Default().
    MSG current{};
    bool hooked = false;
};

WndState& W();

void Hook() {
    WndState& s = W();
    if (s.hooked) return;
    s.hooked = true;
    // The window being created by an object is attached to it before its
    // first message, and the object sees it as it would a subclassed one.
    vplat::win::SetCreateHook([](HWND hwnd, CREATESTRUCTW*) {
        WndState& st = W();
        if (!st.creating) return;
        CWnd* wnd = st.creating;
        st.creating = nullptr;
        wnd->Attach(hwnd);
        wnd->PreSubclassWindow();
        wnd->m_pfnSuper = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
    });
    vplat::win::AddDestroyHook([](HWND hwnd) {
        WndState& st = W();
        auto t = st.temporary.find(hwnd);
        if (t != st.temporary.end()) {
            t->second->m_hWnd = nullptr;
            st.temporary.erase(t);
        }
        auto p = st.permanent.find(hwnd);
        if (p != st.permanent.end()) {
            p->second->m_hWnd = nullptr;
            st.permanent.erase(p);
        }
    });
}

WndState& W() {
    static WndState s;
    return s;
}

const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (message == WM_COMMAND || message == WM_NOTIFY) {
                if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
            } else if (e->nMessage == message ||
                       (e->nSig == AfxSig_hDWw && message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC)) {
                return e;
            }
        }
    }
    return nullptr;
}

}  // namespace

void AfxHookWindowCreate(CWnd* wnd) {
    Hook();
    W().creating = wnd;
}

void AfxUnhookWindowCreate() { W().creating = nullptr; }

LRESULT AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    WndState& s = W();
    MSG saved = s.current;
    s.current = MSG{hwnd, msg, wParam, lParam, 0, {}};
    LRESULT r = wnd->WindowProc(msg, wParam, lParam);
    s.current = saved;
    if (msg == WM_NCDESTROY && CWnd::FromHandlePermanent(hwnd) == wnd) {
        // The window is gone: the object lets go of it, then may delete itself.
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
        wnd->Detach();
        wnd->PostNcDestroy();
    }
    return r;
}

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto& m = W().permanent;
    auto it = m.find(hwnd);
    return it == m.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd || !::IsWindow(hwnd)) return nullptr;
    Hook();
    if (CWnd* p = FromHandlePermanent(hwnd)) return p;
    auto& t = W().temporary;
    auto it = t.find(hwnd);
    if (it != t.end()) return it->second.get();
    // A temporary for a standard control is of the control's class, so the
    // casts the modules make to it are sound.
    wchar_t cls[32] = {};
    ::GetClassNameW(hwnd, cls, 32);
    std::unique_ptr<CWnd> wnd;
    if (vplat::EqualNoCase(cls, L"ComboBox")) {
        wnd = std::make_unique<CComboBox>();
    } else if (vplat::EqualNoCase(cls, L"Edit")) {
        wnd = std::make_unique<CEdit>();
    } else if (vplat::EqualNoCase(cls, L"Button")) {
        wnd = std::make_unique<CButton>();
    } else if (vplat::EqualNoCase(cls, L"Static")) {
        wnd = std::make_unique<CStatic>();
    } else {
        wnd = std::make_unique<CWnd>();
    }
    wnd->m_hWnd = hwnd;
    CWnd* out = wnd.get();
    t[hwnd] = std::move(wnd);
    return out;
}

BOOL CWnd::Attach(HWND hwnd) {
    if (!hwnd || m_hWnd) return FALSE;
    Hook();
    WndState& s = W();
    // A temporary object for the handle is dropped: this one is permanent now.
    auto t = s.temporary.find(hwnd);
    if (t != s.temporary.end()) {
        t->second->m_hWnd = nullptr;
        s.temporary.erase(t);
    }
    s.permanent[hwnd] = this;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (h) W().permanent.erase(h);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd)) return FALSE;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND h = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return h && SubclassWindow(h);
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&) { return TRUE; }

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int cx, int cy,
                    HWND parent, HMENU idOrMenu, LPVOID param) {
    Hook();
    CREATESTRUCTW cs{param, AfxGetInstanceHandle(), idOrMenu, parent, cy, cx, y, x, static_cast<LONG>(style),
                     windowName, className, exStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    W().creating = this;
    HWND h = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                               cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    W().creating = nullptr;
    if (!h) {
        if (m_hWnd == nullptr) PostNcDestroy();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& r, CWnd* parent,
                    UINT id, LPVOID param) {
    return CreateEx(exStyle, className, windowName, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    parent ? parent->m_hWnd : nullptr, reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), param);
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, nullptr);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    HWND h = m_hWnd;
    bool permanent = FromHandlePermanent(h) == this;
    BOOL ok = ::DestroyWindow(h);
    // A window that never came through the framework's procedure is let go here.
    if (!permanent && m_hWnd == h) Detach();
    return ok;
}

LRESULT CWnd::Default() {
    const MSG& m = W().current;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT r = 0;
    if (!OnWndMsg(message, wParam, lParam, &r)) r = DefWindowProc(message, wParam, lParam);
    return r;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT r = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *result = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        if (!OnNotify(wParam, lParam, &r)) return FALSE;
        *result = r;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), message, 0, 0);
    if (!e) return FALSE;
    CPoint pt(lParam);
    switch (e->nSig) {
    case AfxSig_vv: (this->*e->pfn.vv)(); break;
    case AfxSig_bD: r = (this->*e->pfn.bD)(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); break;
    case AfxSig_vwp: (this->*e->pfn.vwp)(static_cast<UINT>(wParam), pt); break;
    case AfxSig_vwii:
        (this->*e->pfn.vwii)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                                            static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_vwww:
        (this->*e->pfn.vwww)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_wv: r = (this->*e->pfn.wv)(); break;
    case AfxSig_vW: (this->*e->pfn.vW)(FromHandle(reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? lParam : static_cast<LPARAM>(wParam)))); break;
    case AfxSig_bWww:
        r = (this->*e->pfn.bWww)(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                   LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_bwsp:
        r = (this->*e->pfn.bwsp)(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), pt);
        break;
    case AfxSig_vwwW:
        (this->*e->pfn.vwwW)(
            LOWORD(wParam), HIWORD(wParam), static_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_vup: (this->*e->pfn.vup)(static_cast<UINT_PTR>(wParam)); break;
    case AfxSig_is: r = (this->*e->pfn.is)(reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case AfxSig_vb: (this->*e->pfn.vb)(static_cast<BOOL>(wParam)); break;
    case AfxSig_lwl: r = (this->*e->pfn.lwl)(wParam, lParam); break;
    case AfxSig_vWp:
        (this->*e->pfn.vWp)(FromHandle(reinterpret_cast<HWND>(wParam)), pt);
        break;
    case AfxSig_hDWw: {
        // The framework's kinds: 1 edit, 2 list box, 3 button, 4 dialog, 5 scroll bar, 6 static.
        UINT kind = message - WM_CTLCOLOREDIT + 1;
        r = reinterpret_cast<LRESULT>((this->*e->pfn.hDWw)(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)), kind));
        break;
    }
    case AfxSig_vbw: (this->*e->pfn.vbw)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); break;
    case AfxSig_vii:
        (this->*e->pfn.vii)(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_lp: r = (this->*e->pfn.lp)(pt); break;
    case AfxSig_vM: (this->*e->pfn.vM)(reinterpret_cast<MINMAXINFO*>(lParam)); break;
    default: return FALSE;
    }
    *result = r;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnCmdMsg(UINT id, int code, void*, void*) {
    const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), WM_COMMAND, static_cast<UINT>(static_cast<WORD>(code)), id);
    if (!e) return FALSE;
    if (e->nSig == AfxSig_cmdrange) {
        (this->*e->pfn.cmdrange)(id);
    } else {
        (this->*e->pfn.cmd)();
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    HWND ctl = reinterpret_cast<HWND>(lParam);
    if (ctl) {
        // A control may handle its own notification (reflection) first.
        if (CWnd* child = FromHandlePermanent(ctl); child && child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (!hdr) return FALSE;
    if (CWnd* child = FromHandlePermanent(hdr->hwndFrom); child && child->OnChildNotify(WM_NOTIFY, 0, lParam, result))
        return TRUE;
    UINT id = static_cast<UINT>(hdr->idFrom);
    const AFX_MSGMAP_ENTRY* e = FindEntry(GetMessageMap(), WM_NOTIFY, hdr->code, id);
    if (!e) return FALSE;
    if (e->nSig == AfxSig_notifyrange) {
        (this->*e->pfn.notifyrange)(id, hdr, result);
    } else {
        (this->*e->pfn.notify)(hdr, result);
    }
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int result) {
    m_nModalResult = result;
    m_nFlags &= ~WF_CONTINUEMODAL;
}

namespace {
// The objects from the window a message is for up to the stop window may
// handle it before it is dispatched.
BOOL WalkPreTranslate(HWND stop, MSG* msg) {
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* w = CWnd::FromHandlePermanent(h); w && w->PreTranslateMessage(msg)) return TRUE;
        if (h == stop) break;
    }
    return FALSE;
}
}  // namespace

int CWnd::RunModalLoop(DWORD) {
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    HWND self = m_hWnd;
    while (::IsWindow(self) && ContinueModal()) {
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (!WalkPreTranslate(self, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            continue;
        }
        if (!vplat::ModalLoop::Idle(self)) {
            vplat::ModalLoop::Cancel(self);
            if (::IsWindow(self) && ContinueModal()) EndModalLoop(IDCANCEL);
        }
    }
    m_nFlags &= ~WF_MODALLOOP;
    return m_nModalResult;
}

void CWnd::GetWindowText(CString& text) const {
    int n = GetWindowTextLength();
    wchar_t* buf = text.GetBuffer(n + 1);
    ::GetWindowTextW(m_hWnd, buf, n + 1);
    text.ReleaseBuffer();
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
    HFONT f = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    return f ? CFont::FromHandle(f) : nullptr;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    DWORD s = GetStyle();
    DWORD n = (s & ~remove) | add;
    if (s == n) return FALSE;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(n));
    if (flags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    DWORD s = GetExStyle();
    DWORD n = (s & ~remove) | add;
    if (s == n) return FALSE;
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(n));
    if (flags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

void CWnd::ClientToScreen(LPRECT r) const {
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}

void CWnd::ScreenToClient(LPRECT r) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT r) const {
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(r), 2);
}

BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) {
    HWND a = after == reinterpret_cast<const CWnd*>(HWND_TOP) || after == reinterpret_cast<const CWnd*>(HWND_BOTTOM) ||
                     after == reinterpret_cast<const CWnd*>(HWND_TOPMOST) ||
                     after == reinterpret_cast<const CWnd*>(HWND_NOTOPMOST)
                 ? reinterpret_cast<HWND>(const_cast<CWnd*>(after))
                 : after->m_hWnd;
    return ::SetWindowPos(m_hWnd, a, x, y, cx, cy, flags);
}

// Centres on the owner (or the given window), else on the screen.
void CWnd::CenterWindow(CWnd* alternateOwner) {
    HWND owner = alternateOwner ? alternateOwner->m_hWnd : ::GetParent(m_hWnd);
    RECT o{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    bool child = (GetStyle() & WS_CHILD) != 0;
    if (owner && (child || ::IsWindowVisible(owner))) {
        if (child) {
            ::GetClientRect(owner, &o);
        } else {
            ::GetWindowRect(owner, &o);
        }
    }
    RECT r;
    ::GetWindowRect(m_hWnd, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    ::SetWindowPos(m_hWnd, nullptr, o.left + (o.right - o.left - w) / 2, o.top + (o.bottom - o.top - h) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::RedrawWindow(LPCRECT r, void*, UINT flags) { return ::RedrawWindow(m_hWnd, r, nullptr, flags); }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* dc) {
    HDC h = dc->Detach();
    return ::ReleaseDC(m_hWnd, h);
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}
HICON CWnd::GetIcon(BOOL bigIcon) const {
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bigIcon ? ICON_BIG : ICON_SMALL));
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) {
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

int CWnd::GetCheckedRadioButton(int first, int last) const {
    for (int id = first; id <= last; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id)) return id;
    return 0;
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    HWND h = ::GetDlgItem(m_hWnd, id);
    text.Empty();
    if (!h) return 0;
    CWnd::FromHandle(h)->GetWindowText(text);
    return text.GetLength();
}

BOOL CWnd::SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

IUnknown* CWnd::GetControlUnknown() const {
    return m_hWnd ? static_cast<IUnknown*>(vplat::ControlSite::UnknownOf(m_hWnd)) : nullptr;
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
    return ::MessageBoxW(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

void CComboBox::GetLBText(int index, CString& text) const {
    int n = GetLBTextLen(index);
    if (n < 0) {
        text.Empty();
        return;
    }
    wchar_t* buf = text.GetBuffer(n + 1);
    GetLBText(index, buf);
    text.ReleaseBuffer();
}

BOOL AfxRegisterClass(WNDCLASSW* wc) {
    WNDCLASSW existing;
    if (::GetClassInfoW(wc->hInstance, wc->lpszClassName, &existing)) return TRUE;
    return ::RegisterClassW(wc) != 0;
}

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::unordered_map<std::wstring, std::wstring> names;
    wchar_t buf[128];
    std::swprintf(buf, 128, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), classStyle,
                  static_cast<void*>(cursor), static_cast<void*>(background), static_cast<void*>(icon));
    std::wstring& name = names[buf];
    if (name.empty()) {
        name = buf;
        WNDCLASSW wc{};
        wc.style = classStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = name.c_str();
        AfxRegisterClass(&wc);
    }
    return name.c_str();
}

CWnd* AfxGetMainWnd() { return nullptr; }
