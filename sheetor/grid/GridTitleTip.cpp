#include "GridTitleTip.h"

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CTitleTip::CTitleTip() {
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSW wc{};
    if (!::GetClassInfoW(instance, TITLETIP_CLASSNAME, &wc)) {
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_INFOBK + 1));
        wc.lpszClassName = TITLETIP_CLASSNAME;
        if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
    }
    m_dwDblClickMsecs = ::GetDoubleClickTime();
}

CTitleTip::~CTitleTip() {
    if (m_hWnd) DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* parent) {
    if (m_bCreated) return TRUE;
    m_pParentWnd = parent;
    m_bCreated = CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TITLETIP_CLASSNAME, nullptr, WS_BORDER | WS_POPUP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
    return m_bCreated;
}

void CTitleTip::Show(CRect rectTitle, LPCWSTR text, int xoffset, LPRECT hover, const LOGFONTW* font,
                     COLORREF textColour, COLORREF backColour) {
    if (!::IsWindow(m_hWnd) && !Create(m_pParentWnd)) return;
    if (rectTitle.IsRectEmpty() || IsWindowVisible() || !m_pParentWnd) return;
    m_rectHover = hover ? CRect(*hover) : rectTitle;
    m_rectHover.right++;
    m_rectHover.bottom++;
    m_pParentWnd->ClientToScreen(&m_rectHover);
    ScreenToClient(&m_rectHover);
    // Only while the application is active.
    if (!::GetFocus()) return;
    m_pParentWnd->ClientToScreen(&rectTitle);

    CClientDC dc(this);
    CString shown = CString(L" ") + (text ? text : L"") + L" ";
    CFont made;
    CFont* useFont = nullptr;
    if (font && made.CreateFontIndirect(font))
        useFont = &made;
    else
        useFont = CFont::FromHandle(reinterpret_cast<HFONT>(m_pParentWnd->SendMessage(WM_GETFONT)));
    CFont* oldFont = useFont ? dc.SelectObject(useFont) : nullptr;
    CSize extent = dc.GetTextExtent(shown);
    TEXTMETRICW tm{};
    dc.GetTextMetrics(&tm);
    extent.cx += tm.tmOverhang;
    if (rectTitle.right - xoffset < rectTitle.left + extent.cx + 2 * xoffset) {
        CRect place(rectTitle.left + xoffset, rectTitle.top, rectTitle.left + xoffset + xoffset + extent.cx,
                    rectTitle.bottom);
        ::SetWindowPos(m_hWnd, HWND_TOP, place.left, place.top, place.Width(), place.Height(),
                       SWP_SHOWWINDOW | SWP_NOACTIVATE);
        if (backColour != CLR_DEFAULT) {
            CRect clip;
            dc.GetClipBox(&clip);
            dc.FillSolidRect(&clip, backColour);
        }
        if (textColour != CLR_DEFAULT) dc.SetTextColor(textColour);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(0, 0, shown);
        SetCapture();
    }
    if (oldFont) dc.SelectObject(oldFont);
}

void CTitleTip::Hide() {
    if (!::IsWindow(m_hWnd)) return;
    if (GetCapture() == this) ReleaseCapture();
    ShowWindow(SW_HIDE);
}

BOOL CTitleTip::DestroyWindow() {
    m_bCreated = FALSE;
    return CWnd::DestroyWindow();
}

void CTitleTip::HandBack(UINT message, WPARAM flags, CPoint screen, bool nonClientForm) {
    HWND under = ::WindowFromPoint(screen);
    if (!under) return;
    CWnd* wnd = under == m_hWnd ? m_pParentWnd : CWnd::FromHandle(under);
    if (!wnd) return;
    LRESULT hit = wnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT) {
        CPoint client = screen;
        wnd->ScreenToClient(&client);
        wnd->PostMessage(message, flags, MAKELPARAM(client.x, client.y));
    } else if (nonClientForm) {
        UINT nc = message == WM_MOUSEMOVE     ? WM_NCMOUSEMOVE
                  : message == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN
                  : message == WM_MBUTTONDOWN ? WM_NCMBUTTONDOWN
                                              : WM_NCLBUTTONDOWN;
        wnd->PostMessage(nc, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
    }
}

void CTitleTip::OnMouseMove(UINT flags, CPoint point) {
    if (m_rectHover.PtInRect(point)) return;
    Hide();
    ClientToScreen(&point);
    HandBack(WM_MOUSEMOVE, flags, point, true);
}

BOOL CTitleTip::PreTranslateMessage(MSG* msg) {
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd) m_pParentWnd->PostMessage(msg->message, msg->wParam, msg->lParam);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        bool doubleClick = false;
        if (msg->message == WM_LBUTTONDOWN) {
            DWORD now = ::GetTickCount();
            doubleClick = m_dwLastLButtonDown != static_cast<DWORD>(-1) && now - m_dwLastLButtonDown <= m_dwDblClickMsecs;
            m_dwLastLButtonDown = now;
        }
        CPoint point(static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam)));
        ClientToScreen(&point);
        Hide();
        if (!::WindowFromPoint(point)) return CWnd::PreTranslateMessage(msg);
        HandBack(doubleClick ? WM_LBUTTONDBLCLK : msg->message, msg->wParam, point, true);
        return TRUE;
    }
    default:
        if (::GetFocus()) return CWnd::PreTranslateMessage(msg);
        Hide();
        return TRUE;
    }
}
