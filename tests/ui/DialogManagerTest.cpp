#include <algorithm>

#include "UiFixture.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// A dialog with a default button, a second button, a single- and a multi-line
// edit and a sorted drop-down combo, in this tab order.
const DLGITEMTEMPLATE kItems[] = {
    {kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 7, 7, 80, 12, 100, L"EDIT", L""},
    {kChild | ES_MULTILINE | ES_WANTRETURN | WS_BORDER | WS_TABSTOP, 0, 7, 24, 80, 30, 101, L"EDIT", L""},
    {kChild | CBS_DROPDOWN | CBS_SORT | WS_TABSTOP, 0, 7, 60, 80, 60, 102, L"COMBOBOX", L""},
    {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 100, 7, 50, 14, IDOK, L"BUTTON", L"OK"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 100, 24, 50, 14, 200, L"BUTTON", L"Altro"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0, 100, 41, 50, 14, 201, L"BUTTON", L"Spento"},
    {kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 100, 58, 50, 14, IDCANCEL, L"BUTTON", L"Annulla"},
};
const DLGTEMPLATE kTemplate = {WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 160, 90, L"Prova",
                               L"MS Shell Dlg", 8, kItems, static_cast<int>(std::size(kItems)), 9001};

std::vector<std::wstring> g_commands;
std::wstring g_textAtSelChange;

// Records every command; OK and Cancel end the dialog.
INT_PTR Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND) return FALSE;
    g_commands.push_back(std::to_wstring(LOWORD(wParam)) + L":" + std::to_wstring(HIWORD(wParam)));
    if (HIWORD(wParam) == CBN_SELCHANGE) {
        wchar_t buf[64];
        GetWindowTextW(reinterpret_cast<HWND>(lParam), buf, 64);
        g_textAtSelChange = buf;
    }
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dlg, LOWORD(wParam));
    if (LOWORD(wParam) == 200) EndDialog(dlg, 200);
    return TRUE;
}

class DialogManager : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        g_commands.clear();
    }
    static INT_PTR Run(const std::wstring& script) {
        vplat::Script::Get().Load(script);
        return DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, Proc, 0);
    }
    static bool Commanded(const wchar_t* idAndCode) {
        return std::find(g_commands.begin(), g_commands.end(), idAndCode) != g_commands.end();
    }
};

}  // namespace

// Return goes to the focused push button, else the default button, unless the
// focused control wants it; Esc is IDCANCEL.
TEST_F(DialogManager, ReturnAndEscape) {
    struct Case {
        const wchar_t* script;
        INT_PTR result;
    } cases[] = {
        {L"dialog 9001 key RETURN\n", IDOK},                                   // focus in the first edit
        {L"dialog 9001 focus 200\ndialog 9001 key RETURN\n", 200},             // the focused button
        {L"dialog 9001 focus 101\ndialog 9001 key RETURN\ndialog 9001 key ESCAPE\n", IDCANCEL},  // wants Return
        {L"dialog 9001 key ESCAPE\n", IDCANCEL},
        {L"dialog 9001 close\n", IDCANCEL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.script), c.result) << c.script;
        EXPECT_TRUE(Mismatches().empty()) << c.script;
    }
}

TEST_F(DialogManager, WantReturnEditTakesTheLineBreak) {
    std::wstring text;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) { text = Text(GetDlgItem(d, 101)); });
    Run(L"dialog 9001 set 101 a\ndialog 9001 key RETURN\ndialog 9001 key ESCAPE\n");
    EXPECT_EQ(text, L"a\r\n");
}

// Tab follows the template's order over visible, enabled tab stops, and wraps;
// a push button with the focus looks like the default button.
TEST_F(DialogManager, TabOrderAndDefaultLook) {
    std::vector<std::wstring> order;
    std::vector<bool> okLooksDefault;
    vplat::ModalLoop::SetIdleHook([&](HWND d, int) {
        HWND f = GetFocus();
        // The combo's edit has the focus for the combo.
        if (GetParent(f) != d) f = GetParent(f);
        order.push_back(std::to_wstring(GetDlgCtrlID(f)));
        okLooksDefault.push_back((GetWindowLongW(GetDlgItem(d, IDOK), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    });
    std::wstring script;
    for (int i = 0; i < 6; ++i) script += L"dialog 9001 key TAB\n";
    script += L"dialog 9001 key SHIFT+TAB\ndialog 9001 key ESCAPE\n";
    Run(script);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"100", L"101", L"102", L"1", L"200", L"2", L"100", L"2"}));
    EXPECT_EQ(okLooksDefault, (std::vector<bool>{true, true, true, true, false, false, true, false}));
}

TEST_F(DialogManager, ScriptErrorsAreMismatchesAndTheDialogGoesOn) {
    EXPECT_EQ(Run(L"dialog 9001 click 201\ndialog 9001 click 999\ndialog 9001 select 102 nulla\ndialog 9001 key OK\n"
                  L"dialog 9001 click 2\n"),
              IDCANCEL);
    auto m = Mismatches();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_NE(m[0].find(L"disabled"), std::wstring::npos);
    EXPECT_NE(m[1].find(L"no such control"), std::wstring::npos);
    EXPECT_NE(m[2].find(L"no entry"), std::wstring::npos);
    EXPECT_NE(m[3].find(L"unknown key"), std::wstring::npos);
    EXPECT_FALSE(Commanded(L"201:0"));
}

// Sorted insertion and searches without regard to case; only the user's
// choice tells the parent the selection changed.
TEST_F(DialogManager, ComboBox) {
    HWND combo = nullptr;
    vplat::ModalLoop::SetShownHook([&](HWND d, int) {
        combo = GetDlgItem(d, 102);
        for (const wchar_t* s : {L"radianti", L"Gradi decimali", L"gradi centesimali", L"alfa"})
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        std::vector<std::wstring> items;
        for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t buf[64];
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
            items.push_back(buf);
        }
        EXPECT_EQ(items, (std::vector<std::wstring>{L"alfa", L"gradi centesimali", L"Gradi decimali", L"radianti"}));
        struct Find {
            UINT msg;
            int start;
            const wchar_t* text;
            LRESULT want;
        } finds[] = {{CB_FINDSTRING, -1, L"GRADI", 1},         {CB_FINDSTRING, 1, L"gradi", 2},
                     {CB_FINDSTRING, 2, L"gradi", 1},          {CB_FINDSTRINGEXACT, -1, L"gradi", CB_ERR},
                     {CB_FINDSTRINGEXACT, -1, L"RADIANTI", 3}, {CB_FINDSTRING, -1, L"x", CB_ERR}};
        for (const Find& f : finds)
            EXPECT_EQ(SendMessageW(combo, f.msg, static_cast<WPARAM>(f.start), reinterpret_cast<LPARAM>(f.text)), f.want)
                << f.text;
        SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"rad"));
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
    });
    std::wstring after;
    vplat::ModalLoop::SetIdleHook([&](HWND, int) { after = Text(combo); });
    Run(L"dialog 9001 select 102 Gradi decimali\ndialog 9001 key ESCAPE\n");
    EXPECT_EQ(std::count(g_commands.begin(), g_commands.end(), L"102:1"), 1);  // only the user's choice
    EXPECT_TRUE(Commanded(L"102:9"));                                           // CBN_SELENDOK
    // The parent hears CBN_SELCHANGE while the field still shows the old entry.
    EXPECT_EQ(g_textAtSelChange, L"alfa");
    EXPECT_EQ(after, L"Gradi decimali");
}

TEST_F(DialogManager, TemplateMissingFromTheModule) {
    EXPECT_EQ(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(4242), nullptr, Proc, 0), -1);
    ASSERT_EQ(vplat::Transcript::Get().Events("resource").size(), 1u);
}

namespace {

HWND g_shadow = nullptr;
HWND g_commandFrom = nullptr;
std::wstring g_commandText;

// At opening, a disabled window made at run time takes the id of button 200
// and goes to the top of the children, where a search by id finds it first.
INT_PTR ShadowProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        g_shadow = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, 10, 10, dlg,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(200)), nullptr, nullptr);
        SetWindowPos(g_shadow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return TRUE;
    }
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    g_commandFrom = reinterpret_cast<HWND>(lParam);
    wchar_t text[32] = L"";
    GetWindowTextW(g_commandFrom, text, 32);
    g_commandText = text;
    EndDialog(dlg, LOWORD(wParam));
    return TRUE;
}

}  // namespace

TEST_F(DialogManager, ReturnOnAFocusedButtonNamesThatButton) {
    vplat::Script::Get().Load(L"dialog 9001 focus 200\ndialog 9001 key RETURN\n");
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &kTemplate, nullptr, ShadowProc, 0), 200);
    EXPECT_TRUE(Mismatches().empty());
    ASSERT_NE(g_commandFrom, nullptr);
    EXPECT_NE(g_commandFrom, g_shadow);
    EXPECT_EQ(g_commandText, L"Altro");
}
