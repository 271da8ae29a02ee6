// The web browser control: its window class, the automation object the window
// owns, the page's document, navigation, painting, scrolling and find.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "BrowserSite.h"
#include "ComObject.h"
#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "WinControlSite.h"
#include "WinUser.h"
#include "XslView.h"

extern "C" const CLSID CLSID_WebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
extern "C" const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
extern "C" const IID IID_IWebBrowser2 = {0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};
extern "C" const IID IID_IOleCommandTarget = {0xB722BCCB, 0x4E68, 0x101B, {0xA2, 0xBC, 0x00, 0xAA, 0x00, 0x40, 0x47, 0x70}};
extern "C" const GUID CGID_IWebBrowser = {0xED016940, 0xBD5B, 0x11CF, {0xBA, 0x4E, 0x00, 0xC0, 0x4F, 0xD7, 0x08, 0x16}};

namespace vplat {

namespace {
bool g_refuseCommandTarget = false;
}

void WebBrowserHooks::RefuseCommandTarget(bool refuse) { g_refuseCommandTarget = refuse; }
bool WebBrowserHooks::CommandTargetRefused() { return g_refuseCommandTarget; }

namespace browser {

namespace {

// Scrolling steps, in pixels of the page.
constexpr int kLine = 20;
constexpr int kWheelLines = 3;

std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }

std::string Escape(const std::wstring& text) {
    std::string out;
    for (char c : WideToUtf8(text)) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string ErrorPage(const std::wstring& url, const std::wstring& reason) {
    return "<html><head><title>Errore</title></head><body><h1>The page cannot be displayed.</h1><p>" +
           Escape(reason) + "</p><p>" + Escape(url) + "</p></body></html>";
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// The local path a URL names: a path with either separator, or a file URL
// (percent escapes decoded). Empty with a reason for anything else.
std::wstring LocalPath(const std::wstring& url, std::wstring* reason) {
    std::wstring lower = url;
    for (auto& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    if (lower.rfind(L"file:", 0) == 0) {
        std::wstring rest = url.substr(5);
        size_t slashes = 0;
        while (slashes < rest.size() && (rest[slashes] == L'/' || rest[slashes] == L'\\')) ++slashes;
        rest = rest.substr(slashes);
        // file:///C:/... names a drive; file:///home/... a rooted path.
        bool drive = rest.size() >= 2 && rest[1] == L':';
        std::wstring path = (drive || slashes == 0) ? L"" : L"/";
        std::string bytes;
        for (size_t i = 0; i < rest.size(); ++i) {
            if (rest[i] == L'%' && i + 2 < rest.size() && HexDigit(rest[i + 1]) >= 0 && HexDigit(rest[i + 2]) >= 0) {
                bytes += static_cast<char>(HexDigit(rest[i + 1]) * 16 + HexDigit(rest[i + 2]));
                i += 2;
            } else {
                bytes += WideToUtf8(std::wstring(1, rest[i]));
            }
        }
        return path + Utf8ToWide(bytes);
    }
    size_t scheme = url.find(L"://");
    if (scheme != std::wstring::npos) {
        *reason = L"Only local files can be shown.";
        return L"";
    }
    return url;
}

std::wstring Extension(const std::wstring& path) {
    size_t dot = path.find_last_of(L'.');
    size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return L"";
    std::wstring e = path.substr(dot + 1);
    for (auto& c : e) c = static_cast<wchar_t>(std::towlower(c));
    return e;
}

// The page's text for a URL, or false with the reason it cannot be shown.
bool Load(const std::wstring& url, std::string* html, std::wstring* reason) {
    std::wstring path = LocalPath(url, reason);
    if (path.empty()) return false;
    std::error_code ec;
    std::filesystem::path local(ToPosixPath(path));
    if (!std::filesystem::is_regular_file(local, ec)) {
        *reason = L"The file does not exist.";
        return false;
    }
    std::wstring ext = Extension(path);
    if (ext == L"xml") {
        XslResult r = XslView::Transform(path);
        if (!r.ok) {
            *reason = r.error;
            return false;
        }
        *html = std::move(r.html);
        return true;
    }
    if (ext == L"htm" || ext == L"html") {
        std::ifstream in(local, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in) {
            *reason = L"The file cannot be read.";
            return false;
        }
        *html = text.str();
        return true;
    }
    *reason = L"The browser shows only XML and HTML files.";
    return false;
}

RECT Client(const Site& s) {
    RECT r{0, 0, 0, 0};
    GetClientRect(s.hwnd, &r);
    return r;
}

void UpdateScrollBar(Site& s) {
    RECT c = Client(s);
    int height = s.page ? s.page->Height() : 0;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, height - 1);
    si.nPage = static_cast<UINT>(std::max<LONG>(0, c.bottom));
    si.nPos = s.scroll;
    SetScrollInfo(s.hwnd, SB_VERT, &si, TRUE);
    s.scroll = std::max(0, std::min(s.scroll, height - static_cast<int>(c.bottom)));
}

void ScrollTo(Site& s, int pos) {
    int before = s.scroll;
    s.scroll = std::max(0, pos);
    UpdateScrollBar(s);
    if (s.scroll != before) InvalidateRect(s.hwnd, nullptr, TRUE);
}

void LayOut(Site& s) {
    if (!s.page) return;
    RECT c = Client(s);
    s.page->Layout(std::max<LONG>(1, c.right), c.bottom);
    UpdateScrollBar(s);
}

}  // namespace

// The document of the page shown: its dispatch interface and its command target.
class PageDocument : public ComObject<IDispatch, IOleCommandTarget> {
public:
    explicit PageDocument(Site* site) : m_site(site) {}

    void Detach() { m_site = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch) return Give(static_cast<IDispatch*>(this), object);
        if (iid == IID_IOleCommandTarget && !g_refuseCommandTarget)
            return Give(static_cast<IOleCommandTarget*>(this), object);
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* group, ULONG count, OLECMD* commands, OLECMDTEXT*) override {
        if (!group || *group != CGID_IWebBrowser) return OLECMDERR_E_UNKNOWNGROUP;
        for (ULONG i = 0; commands && i < count; ++i)
            commands[i].cmdf = commands[i].cmdID == HTMLID_FIND ? 3u : 0u;  // supported and enabled
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD command, DWORD, VARIANT*, VARIANT*) override {
        if (!group || *group != CGID_IWebBrowser) return OLECMDERR_E_UNKNOWNGROUP;
        if (command != HTMLID_FIND) return OLECMDERR_E_NOTSUPPORTED;
        if (!m_site) return E_FAIL;
        FindWithPrompt(*m_site);
        return S_OK;
    }

private:
    Site* m_site;
};

// The automation object of a browser window.
class BrowserObject : public ComObject<IWebBrowser2> {
public:
    explicit BrowserObject(Site* site) : m_site(site) {}

    void Detach() { m_site = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IWebBrowser2) return E_NOINTERFACE;
        return Give(this, object);
    }

    HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
        if (!m_site) return E_FAIL;
        std::wstring u = url ? std::wstring(url, SysStringLen(url)) : std::wstring();
        if (u.empty()) {
            Transcript::Get().Event("browser", L"navigate \"\": no address");
            return E_INVALIDARG;
        }
        std::string html;
        std::wstring reason;
        if (Load(u, &html, &reason)) {
            Transcript::Get().Event("browser", L"navigate " + Quoted(u) + L": ok");
        } else {
            Transcript::Get().Event("browser", L"navigate " + Quoted(u) + L": " + reason);
            html = ErrorPage(u, reason);
        }
        Show(*m_site, u, std::move(html));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID command, OLECMDEXECOPT option, VARIANT*, VARIANT*) override {
        if (!m_site) return E_FAIL;
        if (command != OLECMDID_PRINT || option != OLECMDEXECOPT_PROMPTUSER) return OLECMDERR_E_NOTSUPPORTED;
        if (!m_site->page) return E_FAIL;
        return PrintWithPrompt(*m_site);
    }
    HRESULT STDMETHODCALLTYPE get_Document(IDispatch** document) override {
        if (!document) return E_POINTER;
        *document = nullptr;
        if (!m_site || !m_site->document) return S_FALSE;
        *document = static_cast<IDispatch*>(m_site->document);
        (*document)->AddRef();
        return S_OK;
    }

private:
    Site* m_site;
};

void Show(Site& s, const std::wstring& url, std::string html) {
    if (s.document) {
        s.document->Detach();
        s.document->Release();
    }
    s.document = new PageDocument(&s);
    s.url = url;
    s.html = std::move(html);
    s.page = std::make_unique<HtmlPage>(s.html, false);
    s.scroll = 0;
    LayOut(s);
    InvalidateRect(s.hwnd, nullptr, TRUE);
}

void FindWithPrompt(Site& s) {
    std::optional<std::wstring> answer = Script::Get().Take(L"find", L"find in " + Quoted(s.url));
    if (!answer || *answer == L"<cancel>") {
        Transcript::Get().Event("browser", L"find: cancelled");
        return;
    }
    RECT box{};
    int count = s.page ? s.page->Find(*answer, &box) : 0;
    Transcript::Get().Event("browser", L"find " + Quoted(*answer) + L": " + std::to_wstring(count) + L" matches");
    if (count > 0) {
        RECT c = Client(s);
        if (box.top < s.scroll || box.bottom > s.scroll + c.bottom) ScrollTo(s, box.top - kLine);
    }
    InvalidateRect(s.hwnd, nullptr, TRUE);
}

namespace {

Site* SiteOf(HWND hwnd) { return reinterpret_cast<Site*>(GetWindowLongPtrW(hwnd, 0)); }

LRESULT CALLBACK BrowserProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Site* s = SiteOf(hwnd);
    switch (msg) {
    case WM_CREATE: {
        s = new Site();
        s->hwnd = hwnd;
        s->object = new BrowserObject(s);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(s));
        ControlSite::Attach(hwnd, static_cast<IUnknown*>(s->object));
        ShowScrollBar(hwnd, SB_VERT, TRUE);
        return 0;
    }
    case WM_NCDESTROY:
        if (s) {
            ControlSite::Detach(hwnd);
            if (s->document) {
                s->document->Detach();
                s->document->Release();
            }
            s->object->Detach();
            s->object->Release();
            delete s;
            SetWindowLongPtrW(hwnd, 0, 0);
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_SIZE:
        if (s) {
            LayOut(*s);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case WM_ERASEBKGND: return 1;  // the page paints every pixel
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT c;
        GetClientRect(hwnd, &c);
        FillRect(dc, &c, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const int height = s && s->page ? s->page->Height() : 0;
        if (s && s->page) s->page->Draw(dc, 0, -s->scroll, c);
        EndPaint(hwnd, &ps);
        // A long page measures its parts as they are first drawn.
        if (s && s->page && s->page->Height() != height) UpdateScrollBar(*s);
        return 0;
    }
    case WM_VSCROLL:
        if (s) {
            RECT c = Client(*s);
            int page = std::max<int>(kLine, c.bottom);
            switch (LOWORD(wParam)) {
            case SB_LINEUP: ScrollTo(*s, s->scroll - kLine); break;
            case SB_LINEDOWN: ScrollTo(*s, s->scroll + kLine); break;
            case SB_PAGEUP: ScrollTo(*s, s->scroll - page); break;
            case SB_PAGEDOWN: ScrollTo(*s, s->scroll + page); break;
            case SB_TOP: ScrollTo(*s, 0); break;
            case SB_BOTTOM: ScrollTo(*s, s->page ? s->page->Height() : 0); break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: ScrollTo(*s, HIWORD(wParam)); break;
            default: break;
            }
        }
        return 0;
    case WM_MOUSEWHEEL:
        if (s) ScrollTo(*s, s->scroll - kWheelLines * kLine * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (s) {
            RECT c = Client(*s);
            switch (wParam) {
            case VK_UP: ScrollTo(*s, s->scroll - kLine); return 0;
            case VK_DOWN: ScrollTo(*s, s->scroll + kLine); return 0;
            case VK_PRIOR: ScrollTo(*s, s->scroll - c.bottom); return 0;
            case VK_NEXT: ScrollTo(*s, s->scroll + c.bottom); return 0;
            default: break;
            }
        }
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Registered with the platform as the other system classes are, so that any
// dialog template can name it.
const bool g_registered = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = BrowserProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = nullptr;
    wc.lpszClassName = VPLAT_WEBBROWSER_CLASS;
    return RegisterClassW(&wc) != 0;
}();

}  // namespace

}  // namespace browser

int WebBrowserHooks::ScrollPos(HWND hwnd) {
    browser::Site* s = browser::SiteOf(hwnd);
    return s ? s->scroll : -1;
}

int WebBrowserHooks::PageHeight(HWND hwnd) {
    browser::Site* s = browser::SiteOf(hwnd);
    return s && s->page ? s->page->Height() : 0;
}

int WebBrowserHooks::RefusedLoads(HWND hwnd) {
    browser::Site* s = browser::SiteOf(hwnd);
    return s && s->page ? s->page->RefusedLoads() : 0;
}

std::wstring WebBrowserHooks::PageText(HWND hwnd) {
    browser::Site* s = browser::SiteOf(hwnd);
    return s && s->page ? s->page->SearchText() : std::wstring();
}

}  // namespace vplat
