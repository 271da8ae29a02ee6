// Printing the browser's page: its own print prompt, then the page laid out
// again for A4 portrait at 96 pixels per inch with 48-pixel margins and sent
// page by page to the printer the prompt's answer names.
#include "BrowserSite.h"
#include "HostTranscript.h"
#include "WinClipboard.h"
#include "WinPrint.h"

namespace vplat::browser {

namespace {

constexpr int kMargin = 48;
constexpr int kPageWidth = 794 - 2 * kMargin;    // 698
constexpr int kPageHeight = 1123 - 2 * kMargin;  // 1027

#define OLECMDERR_E_CANCELED ((HRESULT)0x80040103L)

std::wstring OutputOf(HGLOBAL devNames) {
    if (!devNames) return L"";
    auto* names = static_cast<DEVNAMES*>(GlobalLock(devNames));
    std::wstring output = reinterpret_cast<const wchar_t*>(names) + names->wOutputOffset;
    GlobalUnlock(devNames);
    return output;
}

}  // namespace

HRESULT PrintWithPrompt(Site& s) {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = s.hwnd;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE;
    if (!PrintDlgW(&pd)) return OLECMDERR_E_CANCELED;
    std::wstring file = OutputOf(pd.hDevNames);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    HDC dc = pd.hDC;
    if (!dc) {
        Transcript::Get().Event("print", L"\"" + file + L"\": the printer cannot be opened");
        return E_FAIL;
    }
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = s.url.c_str();
    bool ok = StartDocW(dc, &doc) > 0;
    // A long page is printed a part at a time, each part laid out on its own
    // and starting a sheet: what is held is a part, never the whole page.
    size_t sheets = 0;
    for (const std::string& part : HtmlPage::Cut(s.html)) {
        if (!ok) break;
        HtmlPage page(part, true);
        page.Layout(kPageWidth, kPageHeight);
        std::vector<std::pair<int, int>> slices = page.Slices(kPageHeight);
        for (size_t i = 0; ok && i < slices.size(); ++i) {
            ok = StartPage(dc) > 0;
            RECT clip{kMargin, kMargin, kMargin + kPageWidth, kMargin + (slices[i].second - slices[i].first)};
            if (ok) page.Draw(dc, kMargin, kMargin - slices[i].first, clip);
            ok = ok && EndPage(dc) > 0;
        }
        sheets += slices.size();
    }
    if (ok) {
        ok = EndDoc(dc) > 0;
    } else {
        AbortDoc(dc);
    }
    DeleteDC(dc);
    if (!ok) {
        Transcript::Get().Event("print", L"\"" + file + L"\": the file cannot be written");
        return E_FAIL;
    }
    Transcript::Get().Event("print", L"\"" + file + L"\": " + std::to_wstring(sheets) + L" pages");
    return S_OK;
}

}  // namespace vplat::browser
