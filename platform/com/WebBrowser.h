// The web browser control: a window of the class named by its CLSID text that
// a dialog template can hold, and the automation interface of the object it
// owns (reached through the window framework's GetControlUnknown). The page's
// document answers IDispatch and IOleCommandTarget.
#pragma once

#include <string>

#include "ComTypes.h"
#include "OleAuto.h"

// The window class of the control, as dialog templates name it.
#define VPLAT_WEBBROWSER_CLASS L"{8856F961-340A-11D0-A96B-00C04FD705A2}"

extern "C" const CLSID CLSID_WebBrowser;
extern "C" const IID IID_IDispatch;
extern "C" const IID IID_IWebBrowser2;
extern "C" const IID IID_IOleCommandTarget;
// The command group of the browser's own commands (find ...).
extern "C" const GUID CGID_IWebBrowser;

// Commands of CGID_IWebBrowser.
#define HTMLID_FIND 1

typedef enum OLECMDID {
    OLECMDID_PRINT = 6,
} OLECMDID;

typedef enum OLECMDEXECOPT {
    OLECMDEXECOPT_DODEFAULT = 0,
    OLECMDEXECOPT_PROMPTUSER = 1,
    OLECMDEXECOPT_DONTPROMPTUSER = 2,
    OLECMDEXECOPT_SHOWHELP = 3,
} OLECMDEXECOPT;

#define OLECMDERR_E_NOTSUPPORTED ((HRESULT)0x80040100L)
#define OLECMDERR_E_UNKNOWNGROUP ((HRESULT)0x80040104L)

struct IDispatch : public IUnknown {};
typedef IDispatch* LPDISPATCH;

struct OLECMD {
    ULONG cmdID;
    DWORD cmdf;
};
struct OLECMDTEXT;

struct IOleCommandTarget : public IUnknown {
    STDMETHOD(QueryStatus)(const GUID* group, ULONG count, OLECMD* commands, OLECMDTEXT* text) = 0;
    STDMETHOD(Exec)(const GUID* group, DWORD command, DWORD option, VARIANT* in, VARIANT* out) = 0;
};

struct IWebBrowser2 : public IDispatch {
    // Loads the page synchronously; flags, target frame, post data and headers
    // may be null.
    STDMETHOD(Navigate)(BSTR url, VARIANT* flags, VARIANT* targetFrame, VARIANT* postData, VARIANT* headers) = 0;
    STDMETHOD(ExecWB)(OLECMDID command, OLECMDEXECOPT option, VARIANT* in, VARIANT* out) = 0;
    // The page's document; null (S_FALSE) when nothing has been shown.
    STDMETHOD(get_Document)(IDispatch** document) = 0;
};

VPLAT_DECLARE_UUID(IDispatch, IID_IDispatch)
VPLAT_DECLARE_UUID(IWebBrowser2, IID_IWebBrowser2)
VPLAT_DECLARE_UUID(IOleCommandTarget, IID_IOleCommandTarget)

namespace vplat {

// Hooks of the browser control for tests.
class WebBrowserHooks {
public:
    // While set, documents refuse IOleCommandTarget.
    static void RefuseCommandTarget(bool refuse);
    static bool CommandTargetRefused();
    // The vertical scroll position of a browser window, in pixels of the page.
    static int ScrollPos(HWND browser);
    // Height of the laid-out page, in pixels.
    static int PageHeight(HWND browser);
    // The page's text as find reads it (lower case, white space collapsed).
    static std::wstring PageText(HWND browser);
    // Images and style sheets the page asked for and was refused.
    static int RefusedLoads(HWND browser);
};

}  // namespace vplat
