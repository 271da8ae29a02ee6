// The edit box a text cell opens over itself. It reports its text to the grid
// with an end-of-edit notification and then destroys itself.
#pragma once

#include <afxwin.h>

class CInPlaceEdit : public CEdit {
public:
    // Creates the edit window over `rect` of the grid. `firstChar` is what
    // opened it: VK_LBUTTON for the mouse and F2, a navigation key when an
    // earlier editor ended on one (`isKey`), else the character typed.
    CInPlaceEdit(CWnd* parent, CRect& rect, DWORD style, UINT id, int row, int col, CString text, UINT firstChar,
                 bool isKey = false);

    void EndEdit();
    int LastKey() const { return m_nLastChar; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void PostNcDestroy() override;

    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg UINT OnGetDlgCode();
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    DECLARE_MESSAGE_MAP()

private:
    ~CInPlaceEdit() override = default;
    // Ends the edit on `key`, handing the focus back to the grid.
    void LeaveOn(UINT key);

    int m_nRow;
    int m_nColumn;
    CString m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    CRect m_Rect;
};
