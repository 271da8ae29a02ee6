// Inside the web browser control: the state one browser window keeps.
#pragma once

#include <memory>
#include <string>

#include "HtmlPage.h"
#include "WebBrowser.h"

namespace vplat::browser {

class PageDocument;
class BrowserObject;

struct Site {
    HWND hwnd = nullptr;
    BrowserObject* object = nullptr;   // the window's reference
    PageDocument* document = nullptr;  // the browser's reference; null before a page is shown
    std::wstring url;                  // as navigated
    std::string html;                  // the page's source, for printing
    std::unique_ptr<HtmlPage> page;
    int scroll = 0;
};

// Shows a page's text (UTF-8 HTML) in the browser, replacing its document.
void Show(Site& site, const std::wstring& url, std::string html);
// The find prompt and its search (the find command of the document).
void FindWithPrompt(Site& site);
// The browser's print prompt, then the page printed to the chosen printer.
HRESULT PrintWithPrompt(Site& site);

}  // namespace vplat::browser
