#include "CWebBrowser2.h"

IMPLEMENT_DYNAMIC(CWebBrowser2, CWnd)

IWebBrowser2* CWebBrowser2::Browser() const {
    IUnknown* unknown = GetControlUnknown();
    IWebBrowser2* browser = nullptr;
    if (!unknown || FAILED(unknown->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser))))
        return nullptr;
    return browser;
}

void CWebBrowser2::Navigate(LPCWSTR url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                            VARIANT* headers) {
    IWebBrowser2* browser = Browser();
    if (!browser) return;
    BSTR address = SysAllocString(url ? url : L"");
    browser->Navigate(address, flags, targetFrameName, postData, headers);
    SysFreeString(address);
    browser->Release();
}

void CWebBrowser2::ExecWB(long cmdID, long cmdexecopt, VARIANT* in, VARIANT* out) {
    IWebBrowser2* browser = Browser();
    if (!browser) return;
    browser->ExecWB(static_cast<OLECMDID>(cmdID), static_cast<OLECMDEXECOPT>(cmdexecopt), in, out);
    browser->Release();
}

LPDISPATCH CWebBrowser2::GetDocument() {
    IWebBrowser2* browser = Browser();
    if (!browser) return nullptr;
    IDispatch* document = nullptr;
    if (browser->get_Document(&document) != S_OK) document = nullptr;
    browser->Release();
    return document;
}
