// The root of the grid's cells: state bits, the operations every cell offers,
// and drawing and measuring on top of the attribute getters.
#pragma once

#include "GridTypes.h"

class CGridCtrl;
class CGridDefaultCell;

class CGridCellBase : public CObject {
    DECLARE_DYNAMIC(CGridCellBase)

public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;

    virtual void SetText(LPCWSTR text) = 0;
    virtual void SetImage(int image) = 0;
    virtual void SetData(LPARAM data) = 0;
    virtual void SetState(int state) { m_nState = state; }
    virtual void SetFormat(int format) = 0;
    virtual void SetTextColour(COLORREF colour) = 0;
    virtual void SetBackColour(COLORREF colour) = 0;
    virtual void SetFont(const LOGFONTW* font) = 0;
    virtual void SetMargin(int margin) = 0;
    virtual void AttachGrid(CGridCtrl* grid) = 0;
    virtual void SetPosition(int row, int col) = 0;

    virtual LPCWSTR GetText() const = 0;
    virtual LPCWSTR TitleTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual int GetState() const { return m_nState; }
    virtual int GetFormat() const = 0;
    virtual COLORREF TextColour() const = 0;
    virtual COLORREF BackColour() const = 0;
    virtual const LOGFONTW* GetFont() const = 0;
    virtual CFont* FontHandle() const = 0;
    virtual CGridCtrl* OwnerGrid() const = 0;
    virtual CWnd* EditorWindow() const = 0;
    virtual int GetMargin() const = 0;
    virtual CGridDefaultCell* DefaultsCell() const;
    virtual BOOL UsesDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;
    virtual BOOL IsFocused() const { return (GetState() & CELL_FOCUSED) != 0; }
    virtual BOOL IsHeader() const { return (GetState() & CELL_FIXED) != 0; }
    virtual BOOL IsHeaderColumn() const { return (GetState() & CELL_FIXEDCOL) != 0; }
    virtual BOOL IsHeaderRow() const { return (GetState() & CELL_FIXEDROW) != 0; }
    virtual BOOL IsSelected() const { return (GetState() & CELL_SELECTED) != 0; }
    virtual BOOL IsReadOnly() const { return (GetState() & CELL_READONLY) != 0; }
    virtual BOOL IsModified() const { return (GetState() & CELL_MODIFIED) != 0; }
    virtual BOOL IsDropTarget() const { return (GetState() & CELL_DROPHILITED) != 0; }

    // Copies every attribute of another cell through its getters.
    virtual CGridCellBase& operator=(const CGridCellBase& other);
    virtual void Reset() { m_nState = 0; }

    // rect is inclusive.
    virtual BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE);
    virtual BOOL TextArea(LPRECT rect);
    virtual BOOL TitleTipArea(LPRECT rect);
    virtual CSize TextSize(LPCWSTR text, CDC* dc = nullptr);
    virtual CSize NeededSize(CDC* dc = nullptr);
    virtual BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT ch);
    virtual BOOL CheckEdit(LPCWSTR text);
    virtual void EndEdit() {}
    virtual BOOL PrintContent(CDC* dc, int row, int col, CRect rect);
    virtual void EditFinished() {}
    virtual void OnSpareHook1() {}
    virtual void HoverEnter() {}
    virtual void OnSpareHook2() {}
    virtual void OnClick(CPoint pointInCell);
    virtual void PressDown(CPoint pointInCell);
    virtual void RightClick(CPoint pointInCell);
    virtual void OnDblClick(CPoint pointInCell);
    virtual BOOL OnSetCursor();

    LRESULT NotifyGridOwner(int row, int col, UINT code);

protected:
    // An image of the grid's list by index: its size, when it can be read.
    bool ImageSize(CSize* size) const;

    int m_nState = 0;
};
