#include "UiFixture.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
const DLGITEMTEMPLATE kItems[] = {
    {kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 7, 7, 80, 10, 300, L"BUTTON", L"Ambito urbano"},
    {kChild | SS_LEFT, 0, 7, 20, 80, 8, 301, L"STATIC", L"Etichetta"},
    {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 7, 40, 50, 14, IDOK, L"BUTTON", L"OK"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 60, 40, 50, 14, IDCANCEL, L"BUTTON", L"Annulla"},
};
const DLGTEMPLATE kTemplate = {WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 120, 60, L"Prova",
                               L"MS Shell Dlg", 8, kItems, static_cast<int>(std::size(kItems)), 9100};

// A dialog with a check box bound by data exchange and a click handler.
class CDlgProva : public CDialog {
public:
    CDlgProva() { InitModalIndirect(&kTemplate); }
    CButton m_check;
    int m_nCheck = 1;
    int m_clicks = 0;
    bool m_permanent = false;
    bool m_sameTemporary = false;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, 300, m_check);
        DDX_Check(dx, 300, m_nCheck);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_permanent = CWnd::FromHandle(::GetDlgItem(m_hWnd, 300)) == &m_check;
        m_sameTemporary = GetDlgItem(301) == GetDlgItem(301) && GetDlgItem(301) != &m_check;
        return TRUE;
    }
    void OnClickCheck() { ++m_clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDlgProva, CDialog)
    ON_BN_CLICKED(300, &CDlgProva::OnClickCheck)
END_MESSAGE_MAP()

// A window of its own class, as the custom controls are.
class CPannello : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    void OnPaint() {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, RGB(10, 20, 30));
        calls.push_back("paint");
    }
    void OnLButtonDown(UINT flags, CPoint p) {
        calls.push_back("down " + std::to_string(p.x) + "," + std::to_string(p.y) + ((flags & MK_LBUTTON) ? " L" : ""));
    }
    void OnTimer(UINT_PTR id) { calls.push_back("timer " + std::to_string(id)); }
    void OnSetFocus(CWnd* old) { calls.push_back(std::string("focus from ") + (old ? "a window" : "none")); }
    BOOL OnMouseWheel(UINT, short delta, CPoint) {
        calls.push_back("wheel " + std::to_string(delta));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPannello, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

using FrameworkWindows = UiFixture;

}  // namespace

TEST_F(FrameworkWindows, DataExchangeAndHandleMap) {
    struct Case {
        int initial;
        const wchar_t* script;
        INT_PTR result;
        int check;
        int clicks;
    } cases[] = {{1, L"dialog 9100 click 300\ndialog 9100 click 1\n", IDOK, 0, 1},
                 {0, L"dialog 9100 check 300\ndialog 9100 check 300\ndialog 9100 key RETURN\n", IDOK, 1, 1},
                 {0, L"dialog 9100 click 300\ndialog 9100 key ESCAPE\n", IDCANCEL, 0, 1}};
    for (const Case& c : cases) {
        CDlgProva dlg;
        dlg.m_nCheck = c.initial;
        Script(c.script);
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(dlg.m_nCheck, c.check);  // read back only on OK
        EXPECT_EQ(dlg.m_clicks, c.clicks);
        EXPECT_TRUE(dlg.m_permanent);
        EXPECT_TRUE(dlg.m_sameTemporary);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
        EXPECT_EQ(dlg.m_check.m_hWnd, nullptr);  // let go when the window went
        EXPECT_TRUE(Mismatches().empty());
    }
}

TEST_F(FrameworkWindows, MessageMapOfAWindowClass) {
    HWND frame = Keep(CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                      nullptr, nullptr));
    CPannello panel;
    LPCWSTR cls = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW));
    ASSERT_TRUE(panel.CreateEx(0, cls, L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), CWnd::FromHandle(frame), 5));
    EXPECT_EQ(CWnd::FromHandlePermanent(panel.m_hWnd), &panel);
    vplat::GdiLog::Clear();
    vplat::UserInput::Pump();
    panel.SetTimer(3, 50, nullptr);
    vplat::Clock::Get().Advance(60);
    vplat::UserInput::Click(panel.m_hWnd, POINT{7, 8});
    vplat::UserInput::Wheel(panel.m_hWnd, POINT{7, 8}, -120);
    vplat::UserInput::Pump();
    panel.KillTimer(3);
    // Input comes before a due timer.
    EXPECT_EQ(panel.calls, (std::vector<std::string>{"paint", "down 7,8 L", "wheel -120", "timer 3"}));
    EXPECT_EQ(vplat::GdiLog::Matching("ExtTextOut (0,0,100,50) opaque #0A141E").size(), 1u);
    EXPECT_EQ(vplat::SnapshotPixel(panel.m_hWnd, 50, 25), RGB(10, 20, 30));
    panel.SetFocus();
    EXPECT_EQ(panel.calls.back(), "focus from none");
    panel.DestroyWindow();
    EXPECT_EQ(panel.m_hWnd, nullptr);
}
