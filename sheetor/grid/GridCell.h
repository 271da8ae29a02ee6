// The grid's text cell: its own attributes, each falling back on the grid's
// default cell when unset.
#pragma once

#include <memory>

#include "GridCellBase.h"

class CGridCell : public CGridCellBase {
    DECLARE_DYNCREATE(CGridCell)

public:
    CGridCell();
    ~CGridCell() override;

    void SetText(LPCWSTR text) override { m_strText = text ? text : L""; }
    void SetImage(int image) override { m_nImage = image; }
    void SetData(LPARAM data) override { m_lParam = data; }
    void SetFormat(int format) override { m_nFormat = format; }
    void SetTextColour(COLORREF colour) override { m_crFgClr = colour; }
    void SetBackColour(COLORREF colour) override { m_crBkClr = colour; }
    void SetFont(const LOGFONTW* font) override;
    void SetMargin(int margin) override { m_nMargin = margin; }
    void AttachGrid(CGridCtrl* grid) override { m_pGrid = grid; }
    void SetPosition(int, int) override {}

    LPCWSTR GetText() const override { return m_strText; }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    int GetFormat() const override;
    COLORREF TextColour() const override { return m_crFgClr; }
    COLORREF BackColour() const override { return m_crBkClr; }
    const LOGFONTW* GetFont() const override;
    CFont* FontHandle() const override;
    CGridCtrl* OwnerGrid() const override { return m_pGrid; }
    CWnd* EditorWindow() const override { return m_pEditWnd; }
    int GetMargin() const override;
    BOOL UsesDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }

    void Reset() override;
    BOOL Edit(int row, int col, CRect rect, CPoint point, UINT id, UINT ch) override;
    void EndEdit() override;
    void EditFinished() override;
    // Opens the editor as Edit does; `isKey` tells a navigation key that ended
    // the previous editor from a character typed with the same code.
    BOOL EditWith(int row, int col, CRect rect, UINT id, UINT ch, bool isKey);

protected:
    CString m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    int m_nFormat = -1;
    COLORREF m_crFgClr;
    COLORREF m_crBkClr;
    LOGFONTW* m_plfFont = nullptr;
    int m_nMargin = -1;
    BOOL m_bEditing = FALSE;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;
};

// The attributes cells fall back on, one per kind of position in the grid.
class CGridDefaultCell : public CGridCell {
    DECLARE_DYNCREATE(CGridDefaultCell)

public:
    CGridDefaultCell();
    ~CGridDefaultCell() override;

    int GetState() const override { return m_nState | CELL_READONLY; }
    void SetState(int) override {}
    void SetData(LPARAM) override {}
    void SetPosition(int, int) override {}
    void SetFont(const LOGFONTW* font) override;
    const LOGFONTW* GetFont() const override { return m_plfFont; }
    CFont* FontHandle() const override { return const_cast<CFont*>(&m_Font); }

    virtual int GetSpareValue() const { return m_nSpare; }
    virtual void SetSpareValue(int value) { m_nSpare = value; }
    virtual int GetWidth() const { return m_Size.cx; }
    virtual int GetHeight() const { return m_Size.cy; }
    virtual void SetWidth(int width) { m_Size.cx = width; }
    virtual void SetHeight(int height) { m_Size.cy = height; }

protected:
    CSize m_Size;
    CFont m_Font;
    int m_nSpare = 0;
};
