// The web browser control of a dialog, bound by data exchange: each call goes
// to the control's automation interface.
#pragma once

#include <afxwin.h>

#include <WebBrowser.h>

class CWebBrowser2 : public CWnd {
    DECLARE_DYNAMIC(CWebBrowser2)

public:
    CWebBrowser2() = default;
    ~CWebBrowser2() override = default;

    void Navigate(LPCWSTR url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData, VARIANT* headers);
    void ExecWB(long cmdID, long cmdexecopt, VARIANT* in, VARIANT* out);
    // The page's document (the caller releases it), or null.
    LPDISPATCH GetDocument();

private:
    // The control's automation interface, AddRef'd; null when the window holds no browser.
    IWebBrowser2* Browser() const;
};
