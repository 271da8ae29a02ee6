// The style viewer's page for a style file of 300 styles: the transform, the
// layout, the first paint in a browser window and the print to PDF.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "HostScript.h"
#include "HtmlPage.h"
#include "OleAuto.h"
#include "WebBrowser.h"
#include "WinControlSite.h"
#include "XslView.h"

namespace {

const int kStyles = 300;

std::filesystem::path Folder() {
    const char* t = std::getenv("TMPDIR");
    return std::filesystem::path(t && *t ? t : "/tmp") / "vortana_bench_browser";
}

std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The shipped style file with its first style repeated under 300 names.
const std::filesystem::path& StyleFile() {
    static std::filesystem::path file;
    if (!file.empty()) return file;
    std::filesystem::path shipped = std::filesystem::path(VORTANA_SOURCE) / "samples" / "Junctor";
    std::filesystem::remove_all(Folder());
    std::filesystem::create_directories(Folder() / "StylesView");
    for (const char* f : {"Junctor.xsl", "JunctorPrintVersion.xsl"})
        std::filesystem::copy(shipped / "StylesView" / f, Folder() / "StylesView" / f);
    std::string xml = Read(shipped / "Junctor.xml");
    size_t begin = xml.find("<INTERSEZIONE ");
    size_t end = xml.find("</INTERSEZIONE>", begin) + 15;
    std::string style = xml.substr(begin, end - begin);
    size_t nameAt = style.find("style=\"") + 7;
    size_t nameEnd = style.find('"', nameAt);
    std::string styles;
    for (int i = 0; i < kStyles; ++i)
        styles += style.substr(0, nameAt) + "Stile " + std::to_string(i) + style.substr(nameEnd);
    size_t last = xml.rfind("</INTERSEZIONE>") + 15;
    xml = xml.substr(0, begin) + styles + xml.substr(last);
    file = Folder() / "Junctor.xml";
    std::ofstream(file, std::ios::binary) << xml;
    return file;
}

void BM_Transform(benchmark::State& state) {
    std::wstring path = StyleFile().wstring();
    for (auto _ : state) {
        vplat::XslResult r = vplat::XslView::Transform(path);
        if (!r.ok) state.SkipWithError("the transform failed");
        benchmark::DoNotOptimize(r.html.data());
    }
}
BENCHMARK(BM_Transform)->Unit(benchmark::kMillisecond);

// The engine builds its elements and applies the style sheets.
void BM_BuildPage(benchmark::State& state) {
    std::string html = vplat::XslView::Transform(StyleFile().wstring()).html;
    for (auto _ : state) {
        vplat::HtmlPage page(html, false);
        benchmark::DoNotOptimize(&page);
    }
}
BENCHMARK(BM_BuildPage)->Unit(benchmark::kMillisecond);

// The layout of the built page at the browser's width.
void BM_Layout(benchmark::State& state) {
    vplat::HtmlPage page(vplat::XslView::Transform(StyleFile().wstring()).html, false);
    for (auto _ : state) benchmark::DoNotOptimize(page.Layout(719, 606));
}
BENCHMARK(BM_Layout)->Unit(benchmark::kMillisecond);

// A browser window of the viewer's size.
struct Window {
    Window() {
        frame = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 760, 640, nullptr, nullptr, nullptr,
                                nullptr);
        browser = CreateWindowExW(0, VPLAT_WEBBROWSER_CLASS, L"", WS_CHILD | WS_VISIBLE, 11, 11, 736, 606, frame,
                                  reinterpret_cast<HMENU>(7020), nullptr, nullptr);
        static_cast<IUnknown*>(vplat::ControlSite::UnknownOf(browser))
            ->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&web));
    }
    ~Window() {
        web->Release();
        DestroyWindow(frame);
    }
    void Navigate(const std::wstring& url) {
        BSTR b = SysAllocString(url.c_str());
        web->Navigate(b, nullptr, nullptr, nullptr, nullptr);
        SysFreeString(b);
    }
    HWND frame = nullptr;
    HWND browser = nullptr;
    IWebBrowser2* web = nullptr;
};

void BM_NavigateAndFirstPaint(benchmark::State& state) {
    std::wstring path = StyleFile().wstring();
    Window w;
    for (auto _ : state) {
        w.Navigate(path);
        UpdateWindow(w.browser);
    }
}
BENCHMARK(BM_NavigateAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_PrintToPdf(benchmark::State& state) {
    Window w;
    w.Navigate(StyleFile().wstring());
    std::wstring pdf = (Folder() / "stili.pdf").wstring();
    for (auto _ : state) {
        vplat::Script::Get().Load(L"print " + pdf);
        if (w.web->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr) != S_OK)
            state.SkipWithError("printing failed");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(Folder() / "stili.pdf"));
}
BENCHMARK(BM_PrintToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
