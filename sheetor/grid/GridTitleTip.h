// The pop-up that shows a cell's whole text over the cell when it does not
// fit. The grid keeps one as a member and creates its window on first use.
#pragma once

#include <afxwin.h>

class CTitleTip : public CWnd {
public:
    CTitleTip() = default;
    ~CTitleTip() override;

    void SetParentWnd(CWnd* parent) { m_pParentWnd = parent; }
    BOOL IsCreated() const { return m_bCreated; }
    // Releases the mouse when the tip holds it and hides the window.
    void Hide();
    BOOL DestroyWindow() override;

protected:
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
