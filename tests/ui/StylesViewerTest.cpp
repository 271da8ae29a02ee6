// The style viewer: its size and minimum, the menu bar's commands, find and
// print through the browser, and what closing leaves behind.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <cairo.h>

#include <WebBrowser.h>

#include "../../junctor/ui/CDlgStylesViewer.h"
#include "FileBytes.h"
#include "JunctorUiFixture.h"
#include "PdfPages.h"

namespace fs = std::filesystem;

namespace {

RECT RectIn(HWND dialog, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE WindowSize(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

class StylesViewer : public JunctorUiFixture {
protected:
    void SetUp() override {
        JunctorUiFixture::SetUp();
        vplat::WebBrowserHooks::RefuseCommandTarget(false);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = fs::temp_directory_path() / (std::string("vortana-viewer-") + info->name());
        fs::remove_all(m_folder);
        fs::path shipped = fs::path(VORTANA_SOURCE) / "samples" / "Junctor";
        fs::create_directories(m_folder / "StylesView");
        fs::copy(shipped / "Junctor.xml", m_folder / "Junctor.xml");
        for (const char* f : {"Junctor.xsl", "JunctorPrintVersion.xsl"})
            fs::copy(shipped / "StylesView" / f, m_folder / "StylesView" / f);
    }
    void TearDown() override {
        vplat::WebBrowserHooks::RefuseCommandTarget(false);
        std::error_code ec;
        fs::remove_all(m_folder, ec);
        JunctorUiFixture::TearDown();
    }
    // The viewer on the copy of the style file, run with the script's lines.
    INT_PTR Run(const std::wstring& lines, const std::wstring& path = L"<copy>") {
        CDlgStylesViewer dlg;
        dlg.SetPercorso(path == L"<copy>" ? (m_folder / "Junctor.xml").wstring().c_str() : path.c_str());
        Script(lines);
        return dlg.DoModal();
    }
    // Runs a check on the open dialog before each scripted action.
    void Look(std::function<void(HWND)> look) {
        vplat::ModalLoop::SetIdleHook([look](HWND dlg, int) { look(dlg); });
    }
    static std::vector<std::wstring> Events(const char* kind) { return vplat::Transcript::Get().Events(kind); }
    std::wstring Out(const char* name) const { return (m_folder / name).wstring(); }

    fs::path m_folder;
};

}  // namespace

TEST_F(StylesViewer, OpensAtTemplateSizeWithTheMenuBarAndCannotShrinkBelowIt) {
    std::vector<RECT> browser;
    std::vector<SIZE> window;
    RECT client{}, minimum{};
    Look([&](HWND dlg) {
        browser.push_back(RectIn(dlg, 7020));
        window.push_back(WindowSize(dlg));
        if (browser.size() == 1) {
            GetClientRect(dlg, &client);
            minimum = RectIn(dlg, 7021);
        }
    });
    EXPECT_EQ(Run(L"dialog 7004 resize 300 200\n"
                  L"dialog 7004 resize 866 733\n"
                  L"dialog 7004 menu File/Esci\n"),
              IDOK);
    EXPECT_TRUE(Mismatches().empty());
    ASSERT_EQ(browser.size(), 3u);
    // Client 758 x 652 less the menu bar, in a window of the template's size;
    // the browser lost the bar's height.
    EXPECT_EQ(client.right, 758);
    EXPECT_EQ(client.bottom, 652 - 20);
    EXPECT_EQ(minimum.right, 758);
    EXPECT_EQ(minimum.bottom, 652);
    EXPECT_EQ(browser[0].left, 11);
    EXPECT_EQ(browser[0].top, 11);
    EXPECT_EQ(browser[0].right - browser[0].left, 736);
    EXPECT_EQ(browser[0].bottom - browser[0].top, 629 - 20);
    EXPECT_EQ(window[0].cx, 766);
    EXPECT_EQ(window[0].cy, 683);
    // The minimum: the static's corner plus the frames and the caption, the
    // template's size (the static covers the template's client area).
    EXPECT_EQ(window[1].cx, 766);
    EXPECT_EQ(window[1].cy, 683);
    // The browser keeps its margins from the template: 11 at the top and the left,
    // 11 at the right and 12 at the bottom (7 dialog units, rounded).
    EXPECT_EQ(client.right - browser[0].right, 11);
    EXPECT_EQ(client.bottom - browser[0].bottom, 12);
    // 100 wider and 50 taller than at opening: the browser grows as much.
    EXPECT_EQ(window[2].cx, 866);
    EXPECT_EQ(window[2].cy, 733);
    EXPECT_EQ(browser[2].left, 11);
    EXPECT_EQ(browser[2].top, 11);
    EXPECT_EQ(browser[2].right - browser[2].left, 736 + 100);
    EXPECT_EQ(browser[2].bottom - browser[2].top, 609 + 50);
}

TEST_F(StylesViewer, MenuBarEntriesAndTheirCommands) {
    struct Case {
        std::wstring lines;
        INT_PTR result;
        size_t mismatches;
    } cases[] = {
        {L"dialog 7004 menu File/Esci\n", IDOK, 0},
        {L"dialog 7004 menu file/esci\n", IDOK, 0},
        {L"dialog 7004 menu Modifica/Stampa\ndialog 7004 key ESCAPE\n", IDCANCEL, 1},
        {L"dialog 7004 menu File/Apri\ndialog 7004 key ESCAPE\n", IDCANCEL, 1},
        {L"dialog 7004 menu File\ndialog 7004 close\n", IDCANCEL, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lines.begin(), c.lines.end()));
        EXPECT_EQ(Run(c.lines), c.result);
        EXPECT_EQ(Mismatches().size(), c.mismatches);
    }
}

TEST_F(StylesViewer, FindAndScrollOnTheStyleFile) {
    int scrolled = -1;
    Look([&](HWND dlg) { scrolled = vplat::WebBrowserHooks::ScrollPos(GetDlgItem(dlg, 7020)); });
    EXPECT_EQ(Run(L"dialog 7004 menu Modifica/Trova\nfind Francese\n"
                  L"dialog 7004 menu Modifica/Trova\nfind Stile Urbana\n"
                  L"dialog 7004 menu Modifica/Trova\nfind urbana\n"
                  L"dialog 7004 menu Modifica/Trova\nfind <cancel>\n"
                  L"dialog 7004 scroll 7020 pagedown\n"
                  L"dialog 7004 idle\n"
                  L"dialog 7004 key ESCAPE\n"),
              IDCANCEL);
    EXPECT_TRUE(Mismatches().empty());
    auto events = Events("browser");
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0], L"navigate \"" + Out("Junctor.xml") + L"\": ok");
    EXPECT_EQ(events[1], L"find \"Francese\": 4 matches");
    EXPECT_EQ(events[2], L"find \"Stile Urbana\": 1 matches");
    EXPECT_EQ(events[3], L"find \"urbana\": 8 matches");
    EXPECT_EQ(events[4], L"find: cancelled");
    EXPECT_GT(scrolled, 0);
}

// Without a document, or with a document that refuses the command target,
// "Trova" does nothing: no find dialog, no find line taken.
TEST_F(StylesViewer, TrovaWithoutDocumentOrCommandTargetDoesNothing) {
    for (bool refuse : {false, true}) {
        SCOPED_TRACE(refuse ? "refused interface" : "empty path");
        vplat::Transcript::Get().Clear();
        vplat::WebBrowserHooks::RefuseCommandTarget(refuse);
        Run(L"dialog 7004 menu Modifica/Trova\nfind Francese\n", refuse ? L"<copy>" : L"");
        auto events = Events("browser");
        EXPECT_TRUE(std::none_of(events.begin(), events.end(),
                                 [](const std::wstring& e) { return e.rfind(L"find", 0) == 0; }));
        auto rest = vplat::Script::Get().Remaining();
        ASSERT_FALSE(rest.empty());
        EXPECT_EQ(rest.front().kind, L"find");
    }
}

TEST_F(StylesViewer, PrintGoesWhereTheBrowsersPromptSays) {
    struct Case {
        std::wstring lines;
        bool printed;
    } cases[] = {
        {L"dialog 7004 menu File/Stampa\nprint <cancel>\n", false},
        {L"dialog 7004 menu File/Stampa\nprint " + Out("first.pdf") + L"\nprint <cancel>\n", false},
        {L"dialog 7004 menu File/Stampa\nprint " + Out("first.pdf") + L"\nprint " + Out("view.pdf") + L"\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lines.begin(), c.lines.end()));
        vplat::Transcript::Get().Clear();
        fs::remove(m_folder / "view.pdf");
        EXPECT_EQ(Run(c.lines + L"dialog 7004 menu File/Esci\n"), IDOK);
        EXPECT_TRUE(Mismatches().empty());
        EXPECT_FALSE(fs::exists(m_folder / "first.pdf"));
        EXPECT_EQ(fs::exists(m_folder / "view.pdf"), c.printed);
        auto printed = Events("print");
        if (!c.printed) continue;
        const int pages = test_files::PdfPageCount(m_folder / "view.pdf");
        ASSERT_GT(pages, 0);
        ASSERT_FALSE(printed.empty());
        EXPECT_EQ(printed.back(), L"\"" + Out("view.pdf") + L"\": " + std::to_wstring(pages) + L" pages");
    }
}

// Whatever the print dialog hands back is freed, confirmed or cancelled.
TEST_F(StylesViewer, PrintingLeavesNoGlobalMemory) {
    size_t before = vplat::LiveGlobalBlocks();
    std::wstring lines;
    for (int i = 0; i < 3; ++i)
        lines += L"dialog 7004 menu File/Stampa\nprint " + Out("first.pdf") + L"\nprint " + Out("view.pdf") + L"\n";
    lines += L"dialog 7004 menu File/Stampa\nprint <cancel>\ndialog 7004 menu File/Esci\n";
    EXPECT_EQ(Run(lines), IDOK);
    EXPECT_TRUE(Mismatches().empty());
    EXPECT_EQ(vplat::LiveGlobalBlocks(), before);
}

TEST_F(StylesViewer, ClosingLeavesTheStyleFileAsItWas) {
    std::string before = test_files::ReadFile(m_folder / "Junctor.xml");
    struct Case {
        const wchar_t* line;
        INT_PTR result;
    } cases[] = {{L"dialog 7004 key ESCAPE\n", IDCANCEL},
                 {L"dialog 7004 close\n", IDCANCEL},
                 {L"dialog 7004 menu File/Esci\n", IDOK}};
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.line), c.result);
        EXPECT_EQ(test_files::ReadFile(m_folder / "Junctor.xml"), before);
    }
    size_t files = 0;
    for (auto& e : fs::recursive_directory_iterator(m_folder)) files += e.is_regular_file();
    EXPECT_EQ(files, 3u);
    EXPECT_FALSE(fs::exists(m_folder / "JunctorPV.xml"));
}

// The page is painted (the heading's colour in its top rows) under a drawn menu bar.
TEST_F(StylesViewer, SnapshotShowsThePageAndTheMenuBar) {
    fs::path png = m_folder / "viewer.png";
    Look([&](HWND dlg) { vplat::SnapshotWindow(dlg, png.string()); });
    Run(L"dialog 7004 key ESCAPE\n");
    cairo_surface_t* shot = cairo_image_surface_create_from_png(png.string().c_str());
    ASSERT_EQ(cairo_surface_status(shot), CAIRO_STATUS_SUCCESS);
    const unsigned char* data = cairo_image_surface_get_data(shot);
    int stride = cairo_image_surface_get_stride(shot);
    auto pixel = [&](int x, int y) {
        uint32_t p = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    // Frame 4, caption 23, menu bar 20, then the browser 11 pixels into the client.
    auto seen = [&](int top, int bottom, int right, std::function<bool(COLORREF)> test) {
        for (int y = top; y < bottom; ++y)
            for (int x = 4; x < right; ++x)
                if (test(pixel(x, y))) return true;
        return false;
    };
    EXPECT_TRUE(seen(4 + 23 + 20 + 11, 4 + 23 + 20 + 11 + 80, 500, [](COLORREF c) { return c == RGB(31, 78, 121); }));
    // The titles' ink (glyphs are smoothed: dark, not only black).
    EXPECT_TRUE(seen(4 + 23, 4 + 23 + 20, 120,
                     [](COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80; }));
    EXPECT_EQ(pixel(400, 4 + 23 + 10), GetSysColor(COLOR_MENU));
    cairo_surface_destroy(shot);
}
