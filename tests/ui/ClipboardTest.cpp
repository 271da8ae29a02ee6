// The clipboard with its global memory, and an edit's cut, copy and paste.
#include <cstring>

#include "UiFixture.h"
#include "WinInput.h"

namespace {

HGLOBAL WideBlock(const std::wstring& text) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(h);
    return h;
}

void PutText(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, WideBlock(text));
    CloseClipboard();
}

std::wstring ClipText() {
    if (!OpenClipboard(nullptr)) return L"<busy>";
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    std::wstring out = h ? static_cast<const wchar_t*>(GlobalLock(h)) : L"<none>";
    if (h) GlobalUnlock(h);
    CloseClipboard();
    return out;
}

}  // namespace

TEST(GlobalMemory, LockCountsSizeAndFree) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 10);
    EXPECT_EQ(GlobalSize(h), 10u);
    auto* p = static_cast<char*>(GlobalLock(h));
    EXPECT_EQ(p[9], 0);
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_TRUE(GlobalUnlock(h));   // still locked once
    EXPECT_FALSE(GlobalUnlock(h));  // no longer locked
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h);
}

class Clipboard : public UiFixture {};

TEST_F(Clipboard, OpenOnceDataOnlyWhileOpenTextInBothFormats) {
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    HGLOBAL h = WideBlock(L"7.5 \u20ac \u00e8");
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, h), nullptr);  // not open
    GlobalFree(h);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_TRUE(EmptyClipboard());
    h = WideBlock(L"7.5 \u20ac \u00e8 \u0142");
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, h), h);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);  // closed again
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(2));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), h);  // still the clipboard's block
    HANDLE a = GetClipboardData(CF_TEXT);
    ASSERT_NE(a, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(a)), "7.5 \x80 \xe8 ?");  // code page 1252
    GlobalUnlock(a);
    // Single-byte text set anew reads back as Unicode text.
    EmptyClipboard();
    HGLOBAL b = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(b), "a\xe8" "b", 4);
    GlobalUnlock(b);
    SetClipboardData(CF_TEXT, b);
    CloseClipboard();
    EXPECT_EQ(ClipText(), L"a\u00e8b");
}

class EditClipboard : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        frame = Keep(CreateWindowExW(0, L"STATIC", L"frame", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                     nullptr, nullptr));
        edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 200, 30), CWnd::FromHandle(frame), 1000);
    }
    void Select(const wchar_t* text, int a, int b) {
        edit.SetWindowText(text);
        edit.SetSel(a, b);
    }
    CString Text() const {
        CString t;
        edit.GetWindowText(t);
        return t;
    }
    HWND frame = nullptr;
    CEdit edit;
};

TEST_F(EditClipboard, CutCopyAndPasteOfTheSelection) {
    Select(L"12.50", 0, 2);
    edit.Copy();
    EXPECT_EQ(ClipText(), L"12");
    EXPECT_EQ(Text(), CString(L"12.50"));
    edit.SetSel(3, 5);
    edit.Cut();
    EXPECT_EQ(ClipText(), L"50");
    EXPECT_EQ(Text(), CString(L"12."));
    edit.SetSel(0, 2);
    edit.Paste();
    EXPECT_EQ(Text(), CString(L"50."));
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    EXPECT_EQ(Text(), CString(L"12."));
    // Nothing selected: copy leaves the clipboard as it was.
    edit.SetSel(1, 1);
    edit.Copy();
    EXPECT_EQ(ClipText(), L"50");
}

// The keys a person uses: Ctrl+V and Shift+Insert paste, Ctrl+C and
// Ctrl+Insert copy, Ctrl+X and Shift+Delete cut.
TEST_F(EditClipboard, TheClipboardKeys) {
    const struct {
        UINT key;
        bool shift, ctrl;
        const wchar_t* text;   // the edit's text after the key, "12.50" selected 0..2 before
        const wchar_t* clip;   // the clipboard after it, "9" before
    } cases[] = {
        {'V', false, true, L"9.50", L"9"},   {VK_INSERT, true, false, L"9.50", L"9"},
        {'C', false, true, L"12.50", L"12"}, {VK_INSERT, false, true, L"12.50", L"12"},
        {'X', false, true, L".50", L"12"},   {VK_DELETE, true, false, L".50", L"12"},
        {'V', false, false, L"12.50", L"9"},  // a plain V types nothing by itself
    };
    edit.SetFocus();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        Select(L"12.50", 0, 2);
        PutText(L"9");
        vplat::UserInput::Key(c.key, c.shift, c.ctrl);
        vplat::UserInput::Pump();
        EXPECT_EQ(Text(), CString(c.text));
        EXPECT_EQ(ClipText(), c.clip);
    }
}

TEST_F(EditClipboard, PasteTakesTheFirstLineWithinTheLimit) {
    struct Case {
        const wchar_t* clip;
        int limit;
        const wchar_t* result;
    };
    const Case cases[] = {
        {L"7.5\r\n8", 0, L"a7.5b"},
        {L"7.5\n8", 0, L"a7.5b"},
        {L"123456", 4, L"a12b"},
        {L"\r\nx", 0, L"ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clip);
        if (c.limit) edit.SetLimitText(static_cast<UINT>(c.limit));
        else edit.SetLimitText(30000);
        Select(L"ab", 1, 1);
        PutText(c.clip);
        edit.Paste();
        EXPECT_EQ(Text(), CString(c.result));
    }
}

TEST_F(EditClipboard, ReadOnlyEditOnlyCopies) {
    Select(L"3.25", 0, 4);
    edit.SetReadOnly(TRUE);
    PutText(L"9");
    edit.Cut();
    EXPECT_EQ(Text(), CString(L"3.25"));
    EXPECT_EQ(ClipText(), L"3.25");
    edit.Paste();
    EXPECT_EQ(Text(), CString(L"3.25"));
}

TEST_F(EditClipboard, PasteReportsTheChangeToTheParent) {
    Select(L"1", 0, 1);
    PutText(L"2");
    vplat::MessageLog::Start();
    edit.Paste();
    auto lines = vplat::MessageLog::Lines({WM_COMMAND});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find(L"id=1000 code=" + std::to_wstring(EN_CHANGE)), std::wstring::npos);
}
