// Message maps: the tables through which a window object's messages,
// commands and notifications reach its handlers.
#pragma once

#include <windows.h>

#include "CObject.h"

class CCmdTarget;
class CWnd;
class CDC;
class CPoint;
class CScrollBar;

typedef void (CCmdTarget::*AFX_PMSG)();

// The handler of an entry, as the member its signature names.
union AfxFn {
    AFX_PMSG none;
    void (CWnd::*vv)();
    BOOL (CWnd::*bD)(CDC*);
    void (CWnd::*vwp)(UINT, CPoint);
    void (CWnd::*vwii)(UINT, int, int);
    void (CWnd::*vwww)(UINT, UINT, UINT);
    UINT (CWnd::*wv)();
    void (CWnd::*vW)(CWnd*);
    BOOL (CWnd::*bWww)(CWnd*, UINT, UINT);
    BOOL (CWnd::*bwsp)(UINT, short, CPoint);
    void (CWnd::*vwwW)(UINT, UINT, CScrollBar*);
    void (CWnd::*vup)(UINT_PTR);
    int (CWnd::*is)(LPCREATESTRUCT);
    void (CWnd::*vb)(BOOL);
    LRESULT (CWnd::*lwl)(WPARAM, LPARAM);
    void (CWnd::*vWp)(CWnd*, CPoint);
    HBRUSH (CWnd::*hDWw)(CDC*, CWnd*, UINT);
    void (CWnd::*vbw)(BOOL, UINT);
    void (CWnd::*vii)(int, int);
    void (CWnd::*vM)(MINMAXINFO*);
    LRESULT (CWnd::*lp)(CPoint);
    void (CWnd::*cmd)();
    void (CWnd::*cmdrange)(UINT);
    void (CWnd::*notify)(NMHDR*, LRESULT*);
    void (CWnd::*notifyrange)(UINT, NMHDR*, LRESULT*);
};

// How a handler is called.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,      // void ()
    AfxSig_bD,      // BOOL (CDC*)
    AfxSig_vwp,     // void (UINT, CPoint)
    AfxSig_vwii,    // void (UINT, int, int)
    AfxSig_vwww,    // void (UINT, UINT, UINT)
    AfxSig_wv,      // UINT ()
    AfxSig_vW,      // void (CWnd*)
    AfxSig_bWww,    // BOOL (CWnd*, UINT, UINT)
    AfxSig_bwsp,    // BOOL (UINT, short, CPoint)
    AfxSig_vwwW,    // void (UINT, UINT, CScrollBar*)
    AfxSig_vup,     // void (UINT_PTR)
    AfxSig_is,      // int (LPCREATESTRUCT)
    AfxSig_vb,      // void (BOOL)
    AfxSig_lwl,     // LRESULT (WPARAM, LPARAM)
    AfxSig_vWp,     // void (CWnd*, CPoint)
    AfxSig_hDWw,    // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_vbw,     // void (BOOL, UINT)
    AfxSig_vii,     // void (int, int)
    AfxSig_vM,      // void (MINMAXINFO*)
    AfxSig_lp,      // LRESULT (CPoint)
    AfxSig_cmd,     // void () for a command or control notification
    AfxSig_cmdrange,  // void (UINT)
    AfxSig_notify,    // void (NMHDR*, LRESULT*)
    AfxSig_notifyrange,  // void (UINT, NMHDR*, LRESULT*)
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AfxFn pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                    \
protected:                                       \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        typedef theClass ThisClass;                                                   \
        typedef baseClass TheBaseClass;                                               \
        static_assert(sizeof(ThisClass) > 0);                                         \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                          \
    {0, 0, 0, 0, AfxSig_end, {nullptr}}                                            \
    }                                                                              \
    ;                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                            \
    }

// Command, notification and message entries take the handler as &Class::Member.
#define AFX_FN(member, type, fn) {.member = static_cast<type>(fn)}

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_cmd, AFX_FN(cmd, void (CWnd::*)(), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                            \
    {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSig_cmdrange, \
     AFX_FN(cmdrange, void (CWnd::*)(UINT), memberFxn)},
#define ON_CONTROL(code, id, memberFxn)                                                                 \
    {WM_COMMAND, static_cast<UINT>(static_cast<WORD>(code)), static_cast<UINT>(id), static_cast<UINT>(id), \
     AfxSig_cmd, AFX_FN(cmd, void (CWnd::*)(), memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_NOTIFY(code, id, memberFxn)                                                                   \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), AfxSig_notify, \
     AFX_FN(notify, void (CWnd::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                                          \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(idLast), AfxSig_notifyrange, \
     AFX_FN(notifyrange, void (CWnd::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AfxSig_lwl, AFX_FN(lwl, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn)},

#define AFX_ON_WM(msg, sig, member, type, fn) {msg, 0, 0, 0, sig, AFX_FN(member, type, &ThisClass::fn)},
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, AfxSig_vv, vv, void (CWnd::*)(), OnPaint)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, AfxSig_vv, vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, AfxSig_vv, vv, void (CWnd::*)(), OnClose)
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_vv, vv, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, AfxSig_bD, bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_vwp, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, AfxSig_vwp, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_vwp, vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_vwp, vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, AfxSig_vwp, vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, AfxSig_vwp, vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, AfxSig_vwii, vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, AfxSig_vii, vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, AfxSig_vwww, vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, AfxSig_vwww, vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, AfxSig_vwww, vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN() AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_vwww, vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, AfxSig_wv, wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, AfxSig_vW, vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, AfxSig_vW, vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_vW, vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, AfxSig_bWww, bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_MOUSEWHEEL() AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_bwsp, bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, AfxSig_vwwW, vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, AfxSig_vwwW, vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, AfxSig_vup, vup, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, AfxSig_is, is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, AfxSig_vb, vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, AfxSig_vbw, vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, AfxSig_vWp, vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLORSTATIC, AfxSig_hDWw, hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_GETMINMAXINFO() AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_vM, vM, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, AfxSig_lp, lp, LRESULT (CWnd::*)(CPoint), OnNcHitTest)

// The root of the objects that take messages.
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
};
