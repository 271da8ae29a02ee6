// The style viewer's page for a style file of 300, 1 000 and 3 000 styles
// more than the shipped ones: the transform, the page built and laid out, the
// first paint in a browser window and the print to PDF (300 only). The peak
// memory of each size is that of the viewer opened and closed in the host
// (/usr/bin/time -v; see the README).
#include <benchmark/benchmark.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "HostScript.h"
#include "HtmlPage.h"
#include "OleAuto.h"
#include "WebBrowser.h"
#include "WinControlSite.h"
#include "XslView.h"

namespace {

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

// The shipped style file with its first style repeated under `styles` more names.
std::filesystem::path StyleFile(int styles = 300) {
    static std::map<int, std::filesystem::path> files;
    if (files.count(styles)) return files[styles];
    std::filesystem::path shipped = std::filesystem::path(VORTANA_SOURCE) / "samples" / "Junctor";
    if (files.empty()) {
        std::filesystem::remove_all(Folder());
        std::filesystem::create_directories(Folder() / "StylesView");
        for (const char* f : {"Junctor.xsl", "JunctorPrintVersion.xsl"})
            std::filesystem::copy(shipped / "StylesView" / f, Folder() / "StylesView" / f);
    }
    std::string xml = Read(shipped / "Junctor.xml");
    size_t begin = xml.find("<INTERSEZIONE ");
    size_t end = xml.find("</INTERSEZIONE>", begin) + 15;
    std::string style = xml.substr(begin, end - begin);
    size_t nameAt = style.find("style=\"") + 7;
    size_t nameEnd = style.find('"', nameAt);
    std::string more;
    for (int i = 0; i < styles; ++i)
        more += style.substr(0, nameAt) + "Stile " + std::to_string(i) + style.substr(nameEnd);
    size_t last = xml.rfind("</INTERSEZIONE>") + 15;
    xml = xml.substr(0, last) + more + xml.substr(last);
    std::filesystem::path file = Folder() / ("Junctor" + std::to_string(styles) + ".xml");
    std::ofstream(file, std::ios::binary) << xml;
    return files[styles] = file;
}

void BM_Transform(benchmark::State& state) {
    std::wstring path = StyleFile(static_cast<int>(state.range(0))).wstring();
    for (auto _ : state) {
        vplat::XslResult r = vplat::XslView::Transform(path);
        if (!r.ok) state.SkipWithError("the transform failed");
        benchmark::DoNotOptimize(r.html.data());
    }
}
BENCHMARK(BM_Transform)->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

// The engine builds its elements and applies the style sheets.
void BM_BuildPage(benchmark::State& state) {
    std::string html = vplat::XslView::Transform(StyleFile(static_cast<int>(state.range(0))).wstring()).html;
    for (auto _ : state) {
        vplat::HtmlPage page(html, false);
        benchmark::DoNotOptimize(&page);
    }
    state.counters["html_bytes"] = static_cast<double>(html.size());
}
BENCHMARK(BM_BuildPage)->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

// The layout of the built page at the browser's width.
void BM_Layout(benchmark::State& state) {
    vplat::HtmlPage page(vplat::XslView::Transform(StyleFile(static_cast<int>(state.range(0))).wstring()).html, false);
    for (auto _ : state) benchmark::DoNotOptimize(page.Layout(719, 606));
}
BENCHMARK(BM_Layout)->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

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
    std::wstring path = StyleFile(static_cast<int>(state.range(0))).wstring();
    Window w;
    for (auto _ : state) {
        w.Navigate(path);
        UpdateWindow(w.browser);
    }
}
BENCHMARK(BM_NavigateAndFirstPaint)->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

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
