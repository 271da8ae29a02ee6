// The rows view of the option tree: paints the rows, scrolls, and takes the
// mouse and the keyboard.
#pragma once

#include "OptionTreeDef.h"

class COptionTree;

class COptionTreeList : public CWnd {
public:
    ~COptionTreeList() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetOptionsOwner(COptionTree* tree) { m_otOption = tree; }
    // Recomputes the scroll range from the content height and clamps the
    // position and the divider.
    void UpdateResize();
    int GetContentHeight() const;
    bool IsDragging() const { return m_bDragging; }

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    UINT OnGetDlgCode();
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void ScrollTo(int pos);
    // Focuses, selects and makes visible a row, as the keyboard moves.
    void MoveTo(COptionTreeItem* item);
    // Toggles a group unless the notification target vetoes it.
    bool ToggleExpanded(COptionTreeItem* item);
    void LayoutChanged();
    COptionTreeItem* LastVisible() const;
    COptionTreeItem* PreviousVisible(COptionTreeItem* item) const;
    void StartEditingFocused();

    COptionTree* m_otOption = nullptr;
    bool m_bDragging = false;
    int m_lDragX = 0;
    HCURSOR m_hDividerCursor = nullptr;
    HCURSOR m_hHandCursor = nullptr;
    HCURSOR m_hArrowCursor = nullptr;
};
