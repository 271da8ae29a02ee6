// The pop-up that shows a cell's whole text over the cell when it does not
// fit. The grid keeps one as a member and creates its window on first use.
#pragma once

#include <afxwin.h>

#define TITLETIP_CLASSNAME L"ZTitleTip"

class CTitleTip : public CWnd {
public:
    CTitleTip();
    ~CTitleTip() override;

    virtual BOOL Create(CWnd* parent);
    void SetParentWnd(CWnd* parent) { m_pParentWnd = parent; }
    BOOL IsCreated() const { return m_bCreated; }
    // Shows `text` over `rectTitle` (grid coordinates) when it does not fit there.
    void Show(CRect rectTitle, LPCWSTR text, int xoffset = 0, LPRECT hover = nullptr, const LOGFONTW* font = nullptr,
              COLORREF textColour = CLR_DEFAULT, COLORREF backColour = CLR_DEFAULT);
    // Releases the mouse when the tip holds it and hides the window.
    void Hide();
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // Posts a press or move at `screen` to the window under it (the grid for the tip itself).
    void HandBack(UINT message, WPARAM flags, CPoint screen, bool nonClientForm);

    CWnd* m_pParentWnd = nullptr;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown = static_cast<DWORD>(-1);
    DWORD m_dwDblClickMsecs = 0;
    BOOL m_bCreated = FALSE;
};

// The grid's OLE drop target; registered with the window when drag and drop is on.
class CGridDropTarget {
public:
    BOOL m_bRegistered = FALSE;
};
