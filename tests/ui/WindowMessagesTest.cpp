#include <algorithm>

#include "UiFixture.h"

namespace {

// A parent with a push button and an edit, as a dialog's client would hold them.
class WindowMessages : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"TestFrame";
        wc.style = CS_DBLCLKS;
        RegisterClassW(&wc);
        frame = Keep(CreateWindowExW(0, L"TestFrame", L"frame", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                     nullptr, nullptr, nullptr));
        button = CreateWindowExW(0, L"BUTTON", L"Ok", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, frame,
                                 reinterpret_cast<HMENU>(1), nullptr, nullptr);
        edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 50, 120, 20, frame,
                               reinterpret_cast<HMENU>(7025), nullptr, nullptr);
    }
    HWND frame = nullptr, button = nullptr, edit = nullptr;
};

std::vector<std::wstring> Only(const std::vector<std::wstring>& lines, std::initializer_list<const wchar_t*> keep) {
    std::vector<std::wstring> out;
    for (const auto& l : lines)
        for (const wchar_t* k : keep)
            if (l.rfind(k, 0) == 0) out.push_back(l);
    return out;
}

}  // namespace

TEST_F(WindowMessages, FocusChangeNamesTheOtherWindow) {
    SetFocus(edit);
    vplat::MessageLog::Start();
    SetFocus(button);
    std::vector<std::wstring> want = {L"WM_KILLFOCUS #7025 wParam=#1", L"WM_COMMAND frame id=7025 code=512",
                                      L"WM_SETFOCUS #1 wParam=#7025"};
    auto got = Only(vplat::MessageLog::Lines({WM_KILLFOCUS, WM_SETFOCUS, WM_COMMAND}), {L"WM_"});
    // The frame's name carries its class and caption.
    for (auto& l : got) {
        size_t p = l.find(L"TestFrame \"frame\"");
        if (p != std::wstring::npos) l.replace(p, 17, L"frame");
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(GetFocus(), button);
}

TEST_F(WindowMessages, ClickOrderFromPointerToNotification) {
    SetFocus(edit);
    vplat::MessageLog::Start();
    vplat::UserInput::Click(button, POINT{40, 12});
    vplat::UserInput::Pump();
    auto lines = vplat::MessageLog::Lines({WM_SETCURSOR, WM_MOUSEMOVE, WM_MOUSEACTIVATE, WM_LBUTTONDOWN, WM_KILLFOCUS,
                                           WM_SETFOCUS, WM_LBUTTONUP, WM_CAPTURECHANGED, WM_COMMAND});
    // Only what reaches the button, and the frame's command.
    std::vector<std::wstring> got;
    for (const auto& l : lines)
        if (l.find(L"#1") != std::wstring::npos || l.find(L"WM_COMMAND") == 0) got.push_back(l.substr(0, l.find(L" wParam")));
    // While the button holds the capture it is not asked for the cursor.
    std::vector<std::wstring> want = {L"WM_SETCURSOR #1",
                                      L"WM_MOUSEMOVE #1",
                                      L"WM_SETCURSOR #1",
                                      L"WM_MOUSEACTIVATE #1",
                                      L"WM_LBUTTONDOWN #1",
                                      L"WM_KILLFOCUS #7025",
                                      L"WM_COMMAND TestFrame \"frame\" id=7025 code=512",
                                      L"WM_SETFOCUS #1",
                                      L"WM_LBUTTONUP #1",
                                      L"WM_CAPTURECHANGED #1 lParam=0",
                                      L"WM_COMMAND TestFrame \"frame\" id=1 code=0"};
    EXPECT_EQ(got, want);
}

TEST_F(WindowMessages, ReleaseOutsideTheButtonIsNoClick) {
    vplat::MessageLog::Start();
    vplat::UserInput::ButtonDown(button, POINT{40, 12});
    vplat::UserInput::ButtonUp(button, POINT{200, 150});  // the capture brings it to the button
    vplat::UserInput::Pump();
    EXPECT_TRUE(vplat::MessageLog::Lines({WM_COMMAND}).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowMessages, DoubleClickNeedsTheClassStyleAndTheTime) {
    struct Case {
        DWORD gap;
        bool dblclk;
    } cases[] = {{100, true}, {600, false}};
    for (const Case& c : cases) {
        vplat::MessageLog::Start();
        vplat::UserInput::Click(frame, POINT{200, 150});
        vplat::UserInput::Pump();
        vplat::Clock::Get().Advance(c.gap);
        vplat::UserInput::Click(frame, POINT{200, 150});
        vplat::UserInput::Pump();
        EXPECT_EQ(vplat::MessageLog::Lines({WM_LBUTTONDBLCLK}).size(), c.dblclk ? 1u : 0u) << c.gap;
        vplat::Clock::Get().Advance(1000);
    }
}

TEST_F(WindowMessages, TimersFireFromTheVirtualClockOncePerIdle) {
    SetTimer(frame, 7, 100, nullptr);
    vplat::MessageLog::Start();
    vplat::UserInput::Pump();
    EXPECT_TRUE(vplat::MessageLog::Lines({WM_TIMER}).empty());
    vplat::Clock::Get().Advance(1000);  // ten periods pass, one message comes, as on the platform
    vplat::UserInput::Pump();
    EXPECT_EQ(vplat::MessageLog::Lines({WM_TIMER}).size(), 1u);
    KillTimer(frame, 7);
    vplat::Clock::Get().Advance(1000);
    vplat::UserInput::Pump();
    EXPECT_EQ(vplat::MessageLog::Lines({WM_TIMER}).size(), 1u);
}

TEST_F(WindowMessages, WindowFromPointSkipsDisabledAndTransparentChildren) {
    HWND group = CreateWindowExW(0, L"BUTTON", L"g", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 300, 100, frame,
                                 reinterpret_cast<HMENU>(9), nullptr, nullptr);
    SetWindowPos(group, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    POINT p{40, 12};
    ClientToScreen(button, &p);
    EXPECT_EQ(WindowFromPoint(p), button);  // the group box above lets the point through
    EnableWindow(button, FALSE);
    EXPECT_EQ(WindowFromPoint(p), frame);
}

// Position at most max - page + 1, page at most the range.
TEST_F(WindowMessages, ScrollBarClamping) {
    HWND list = CreateWindowExW(0, L"TestFrame", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 100, frame,
                                nullptr, nullptr, nullptr);
    struct Case {
        int min, max, page, pos, wantPos, wantPage;
    } cases[] = {{0, 99, 10, 95, 90, 10}, {0, 99, 10, -5, 0, 10}, {0, 9, 50, 3, 0, 10}, {5, 20, 0, 30, 20, 0}};
    for (const Case& c : cases) {
        SCROLLINFO si{sizeof si, SIF_ALL, c.min, c.max, static_cast<UINT>(c.page), c.pos, 0};
        EXPECT_EQ(SetScrollInfo(list, SB_VERT, &si, TRUE), c.wantPos);
        SCROLLINFO out{sizeof out, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(list, SB_VERT, &out);
        EXPECT_EQ(out.nPos, c.wantPos);
        EXPECT_EQ(static_cast<int>(out.nPage), c.wantPage);
    }
}

TEST_F(WindowMessages, DisablingTheFocusWindowTakesTheFocus) {
    SetFocus(edit);
    EnableWindow(edit, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EnableWindow(edit, TRUE);
    SetFocus(edit);
    DestroyWindow(edit);
    EXPECT_EQ(GetFocus(), frame);
}

TEST_F(WindowMessages, SingleLineEditReportsProgramTextMultiLineDoesNot) {
    HWND multi = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 80, 100, 40, frame,
                                 reinterpret_cast<HMENU>(7015), nullptr, nullptr);
    vplat::MessageLog::Start();
    SetWindowTextW(edit, L"12");
    SetWindowTextW(multi, L"a\r\nb");
    auto changes = vplat::MessageLog::Lines({WM_COMMAND});
    EXPECT_EQ(std::count(changes.begin(), changes.end(), L"WM_COMMAND TestFrame \"frame\" id=7025 code=768"), 1);
    EXPECT_EQ(std::count_if(changes.begin(), changes.end(),
                            [](const std::wstring& l) { return l.find(L"id=7015") != std::wstring::npos; }),
              0);
}

// Controls behave as the platform's: a single-line edit passes the wheel on
// to its parent (a multi-line one scrolls with it), a combo box made disabled
// has its field disabled too, and moving the default button keeps a button's
// other styles.
TEST_F(WindowMessages, ControlsKeepThePlatformsWays) {
    HWND multi = CreateWindowExW(0, L"EDIT", L"a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh", WS_CHILD | WS_VISIBLE | ES_MULTILINE,
                                 140, 50, 120, 30, frame, reinterpret_cast<HMENU>(7026), nullptr, nullptr);
    vplat::MessageLog::Start();
    for (HWND target : {edit, multi}) {
        SetFocus(target);
        vplat::UserInput::Wheel(target, POINT{5, 5}, -WHEEL_DELTA);
        vplat::UserInput::Pump();
    }
    EXPECT_EQ(vplat::MessageLog::Lines({WM_MOUSEWHEEL}),
              (std::vector<std::wstring>{L"WM_MOUSEWHEEL #7025", L"WM_MOUSEWHEEL TestFrame \"frame\"",
                                         L"WM_MOUSEWHEEL #7026"}));
    vplat::MessageLog::Stop();
    EXPECT_EQ(SendMessageW(multi, EM_GETFIRSTVISIBLELINE, 0, 0), 3);

    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_DISABLED | CBS_DROPDOWN, 10, 100, 120,
                                 80, frame, reinterpret_cast<HMENU>(7030), nullptr, nullptr);
    HWND field = GetWindow(combo, GW_CHILD);
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(IsWindowEnabled(field));
    EnableWindow(combo, TRUE);
    EXPECT_TRUE(IsWindowEnabled(field));

    HWND arrow = CreateWindowExW(0, L"BUTTON", L">>", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_BITMAP, 200, 10, 20, 80,
                                 frame, reinterpret_cast<HMENU>(7016), nullptr, nullptr);
    SendMessageW(arrow, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongW(arrow, GWL_STYLE) & (BS_TYPEMASK | BS_BITMAP), BS_DEFPUSHBUTTON | BS_BITMAP);
}
