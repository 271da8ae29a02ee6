// The grid control: a window of rows and columns of cells, with fixed header
// rows at the top and fixed columns at the left that do not scroll.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "GridCell.h"
#include "GridCellCheck.h"
#include "GridSizeLine.h"
#include "GridTitleTip.h"
#include "GridTypes.h"

#include <AfxOleData.h>

#define GRIDCTRL_CLASSNAME L"MFCGridCtrl"

// Compares two cells for sorting: negative, 0 or positive.
typedef int (*GridCompareFunc)(const CGridCellBase* a, const CGridCellBase* b, LPARAM user);
// Fills one cell's record in virtual mode.
typedef BOOL (*GridCallbackFunc)(GridDispInfo* info, LPARAM user);

// What the mouse is doing in the grid.
enum GridMouseMode : int {
    MOUSE_NOTHING = 0,
    MOUSE_SELECT_ALL = 1,
    MOUSE_SELECT_COLUMNS = 2,
    MOUSE_SELECT_ROWS = 3,
    MOUSE_SELECT_CELLS = 4,
    MOUSE_OVER_ROW_BORDER = 6,
    MOUSE_SIZING_ROW = 7,
    MOUSE_OVER_COLUMN_BORDER = 8,
    MOUSE_SIZING_COLUMN = 9,
    MOUSE_PREPARE_EDIT = 10,
    MOUSE_PREPARE_DRAG = 11,
    MOUSE_DRAGGING = 12,
};

// Control id of the in-place editor.
#define IDC_INPLACE_CONTROL 8
// Id of the timer that scrolls while a selection is dragged past the edges.
#define GRID_AUTOSCROLL_TIMER 513

int CompareCellText(const CGridCellBase* a, const CGridCellBase* b, LPARAM user);
int CompareCellNumbers(const CGridCellBase* a, const CGridCellBase* b, LPARAM user);

class CGridCtrl : public CWnd {
    DECLARE_DYNCREATE(CGridCtrl)

public:
    CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0, BOOL useInstance = FALSE);
    ~CGridCtrl() override;

    BOOL RegisterGridClass(BOOL useInstance);
    BOOL Create(const RECT& rect, CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);

    // Structure.
    BOOL SetRows(int rows);
    BOOL SetColumns(int cols);
    BOOL SetHeaderRows(int rows);
    BOOL SetHeaderColumns(int cols);
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetHeaderRowCount() const { return m_nFixedRows; }
    int GetHeaderColumnCount() const { return m_nFixedCols; }
    int InsertColumnAt(LPCWSTR heading, UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int col = -1);
    int InsertRowAt(LPCWSTR heading, int row = -1);
    BOOL RemoveColumn(int col);
    BOOL RemoveRow(int row);
    BOOL RemoveBodyRows();
    BOOL RemoveAll();
    BOOL PutCell(int row, int col, CGridCellBase* cell);
    BOOL SetCellKind(int row, int col, const CRuntimeClass* cls);
    BOOL SetCellClass(const CRuntimeClass* cls);
    void SetCallbackMode(BOOL on);
    BOOL GetCallbackMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GridCallbackFunc callback, LPARAM user) {
        m_pfnCallback = callback;
        m_lParamCallback = user;
    }
    void SetRowSelectMode(BOOL on);

    // Cells and their attributes.
    CString CellText(int row, int col) const;
    BOOL SetCellText(int row, int col, LPCWSTR text);
    int CellState(int row, int col) const;
    BOOL SetCellState(int row, int col, int state);
    BOOL ReadItem(GridItemRecord* item);
    BOOL WriteItem(const GridItemRecord* item);
    COLORREF GetCellBackColour(int row, int col) const;
    BOOL SetCellBackColour(int row, int col, COLORREF colour);
    COLORREF GetCellTextColour(int row, int col) const;
    BOOL SetCellTextColour(int row, int col, COLORREF colour);
    LPARAM GetCellData(int row, int col) const;
    BOOL SetCellData(int row, int col, LPARAM data);
    int GetCellImage(int row, int col) const;
    BOOL SetCellImage(int row, int col, int image);
    int GetCellFormat(int row, int col) const;
    BOOL SetCellFormat(int row, int col, int format);
    const LOGFONTW* GetCellFont(int row, int col) const;
    BOOL SetCellFont(int row, int col, const LOGFONTW* font);
    BOOL FormatCellText(int row, int col, LPCWSTR format, ...);
    BOOL FormatCellTextFromResource(int row, int col, UINT id, ...);
    void MarkModified(BOOL modified = TRUE, int row = -1, int col = -1);
    BOOL IsModified(int row = -1, int col = -1) const;
    BOOL IsHeaderCell(int row, int col) const { return row < m_nFixedRows || col < m_nFixedCols; }
    BOOL IsInside(int row, int col) const { return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols; }
    BOOL IsInside(const CCellID& cell) const { return IsInside(cell.row, cell.col); }
    BOOL IsInside(const CCellSpan& span) const;
    CGridDefaultCell* DefaultCellFor(BOOL fixedRow, BOOL fixedCol) const;
    CImageList* GetImageList() const { return m_pImageList; }
    void SetImageList(CImageList* list) { m_pImageList = list; }
    int GetLineMode() const { return m_nGridLines; }
    void SetLineMode(int mode);
    COLORREF GetBackgroundColour() const { return m_crBackground; }
    void SetBackgroundColour(COLORREF colour) { m_crBackground = colour; }
    COLORREF GetLineColour() const { return m_crGridLines; }
    void SetLineColour(COLORREF colour) { m_crGridLines = colour; }

    // Notifications to the owner.
    LRESULT NotifyOwner(int row, int col, UINT code) const;
    LRESULT RequestCellData(GridDispInfo* info) const;
    LRESULT SendCacheHint(const CCellSpan& span) const;

    // Focus and selection.
    CCellID MoveFocus(int row, int col);
    CCellID MoveFocus(const CCellID& cell) { return MoveFocus(cell.row, cell.col); }
    CCellID GetFocusCell() const { return m_idFocus; }
    BOOL IsSelected(int row, int col) const;
    BOOL IsSelected(const CCellID& cell) const { return IsSelected(cell.row, cell.col); }
    void SelectSpan(int minRow, int minCol, int maxRow, int maxCol, BOOL repaintNow = FALSE, BOOL select = TRUE);
    void SelectSpan(const CCellSpan& span, BOOL repaintNow = FALSE, BOOL select = TRUE);
    void ClearSelection();
    CCellSpan GetSelectedSpan() const;
    void SelectEverything();
    size_t SelectionMapSize() const { return m_SelectedCellMap.size(); }
    BOOL CanEditCell(int row, int col) const;
    BOOL CanEditCell(const CCellID& cell) const { return CanEditCell(cell.row, cell.col); }
    BOOL IsCellEditing(int row, int col) const;
    void SelectToCell(const CCellID& cell, BOOL repaintNow = FALSE, BOOL select = TRUE);
    void SelectToColumn(const CCellID& cell, BOOL repaintNow = FALSE, BOOL select = TRUE);
    void SelectToRow(const CCellID& cell, BOOL repaintNow = FALSE, BOOL select = TRUE);
    void ExtendSelection(const CCellID& cell);
    // The next cell from `cell` in the direction of `flags` whose state shares
    // one of the flags' state bits.
    CCellID FindNextCell(const CCellID& cell, int flags) const;
    void ClearSpanText(const CCellSpan& span);
    int GetMouseMode() const { return m_MouseMode; }
    CTitleTip& TitleTip() { return m_TitleTip; }
    COLORREF GetTitleTipBackColour() const { return m_crTTipBackClr; }
    COLORREF GetTitleTipTextColour() const { return m_crTTipTextClr; }
    void SetTitleTipBackColour(COLORREF colour) { m_crTTipBackClr = colour; }
    void SetTitleTipTextColour(COLORREF colour) { m_crTTipTextClr = colour; }

    // Geometry.
    int GetColumnWidth(int col) const;
    int GetRowHeight(int row) const;
    BOOL SetWidthOfColumn(int col, int width);
    BOOL SetRowHeight(int row, int height);
    int HeaderColumnsWidth() const;
    int HeaderRowsHeight() const;
    long long TotalWidth() const { return m_arColWidths.Total(); }
    long long TotalHeight() const { return m_arRowHeights.Total(); }
    CCellID FirstScrolledCell(BOOL recalculate = FALSE);
    BOOL CellTopLeft(int row, int col, LPPOINT point);
    BOOL CellBounds(int row, int col, LPRECT rect);
    BOOL SpanBounds(const CCellSpan& span, LPRECT rect);
    BOOL CellTextBounds(int row, int col, LPRECT rect);
    CSize CellTextSize(int row, int col, LPCWSTR text);
    CPoint PointInCell(int row, int col, CPoint point);
    CCellID HitTestCell(CPoint point, BOOL allowFixed = FALSE);
    CCellSpan ShownBodySpan(LPRECT rect = nullptr, BOOL recalculate = FALSE);
    CCellSpan WhollyShownBodySpan(BOOL recalculate = FALSE);
    CCellSpan WholeSpan() const { return CCellSpan(0, 0, m_nRows - 1, m_nCols - 1); }
    BOOL IsCellShown(int row, int col);
    BOOL IsOverColumnBorder(CPoint point);
    BOOL IsOverRowBorder(CPoint point);

    // Drawing.
    BOOL RepaintCell(int row, int col, CDC* dc = nullptr);
    BOOL RepaintRow(int row);
    BOOL RepaintColumn(int col);
    BOOL InvalidateCell(int row, int col);
    BOOL InvalidateSpan(const CCellSpan& span);
    void InvalidateAll();
    void EnableDrawing(BOOL allow, BOOL resetScrollBars = TRUE);
    BOOL IsDrawingEnabled() const { return allowDraw; }

    // Scrolling.
    void UpdateScrollBars();
    void ShowScrollBars(UINT bar, BOOL show);
    int ReadScrollPos(int bar, BOOL track = FALSE);
    BOOL WriteScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int ReadWheelLines();
    int GetWheelLines() const { return m_nWheelLines; }
    void ScrollIntoView(int row, int col);
    void ScrollIntoView(const CCellID& cell) { ScrollIntoView(cell.row, cell.col); }
    int GetScrollBarState() const { return m_nBarState; }
    int GetScrollMax(int bar) const { return bar == SB_VERT ? m_nVScrollMax : m_nHScrollMax; }

    // Automatic sizing.
    BOOL FitColumnToCells(int col, UINT scope = 0, BOOL resetScrollBars = TRUE);
    void FitColumnsToCells(UINT scope = 0);
    BOOL FitRowToCells(int row, BOOL resetScrollBars = TRUE);
    void FitRowsToCells();
    void FitAllToCells(UINT scope = 0);
    void StretchColumns(BOOL includeFixed = TRUE);
    void StretchRows(BOOL includeFixed = TRUE);
    void StretchToClient(BOOL includeFixed = TRUE);
    void StretchLastColumn();
    void FillClientWithCells();

    // Printing margins in character units; a negative argument keeps a margin.
    void GetPrintMargins(int& header, int& footer, int& left, int& right, int& top, int& bottom, int& gap) const;
    void SetPrintMargins(int header, int footer, int left, int right, int top, int bottom, int gap);
    BOOL GetPrintColours() const { return m_bPrintColours; }
    void SetPrintColours(BOOL on) { m_bPrintColours = on; }
    // Prints the whole grid on the context, or without one on the printer a
    // print dialog asks for; false when cancelled or the printer failed.
    BOOL PrintAll(CDC* printer = nullptr);

    // Separated text files: the first line holds the column headings.
    BOOL LoadTextFile(LPCWSTR path, wchar_t separator = L',');
    BOOL SaveTextFile(LPCWSTR path, wchar_t separator = L',');

    // Sorting.
    void SetCompareFunction(GridCompareFunc compare) { m_pfnCompare = compare; }
    void SetSortColumn(int col);
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL GetSortAscending() const { return m_bAscending; }
    BOOL SortRows(GridCompareFunc compare, int col, BOOL ascending, LPARAM user = 0);
    BOOL SortByColumn(int col, BOOL ascending, LPARAM user = 0);
    BOOL SortRowsByText(int col, BOOL ascending, LPARAM user = 0);
    BOOL SortRowsRange(GridCompareFunc compare, int col, BOOL ascending, LPARAM user, int low, int high);

    // The grid's slots, in order.
    virtual CGridCellBase* CellAt(int row, int col) const;
    virtual void ClearSelectionText();
    // The selected block as CF_TEXT for the clipboard or a drag; null without a selection.
    virtual COleDataSource* BuildClipboardSource();
    virtual BOOL PasteClipboardRows(const CCellID& at, COleDataObject* data, BOOL select = TRUE);
    virtual void StartDragOut();
    virtual DWORD OnDragEnter(COleDataObject* data, DWORD keys, CPoint point);
    virtual DWORD OnDragOver(COleDataObject* data, DWORD keys, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* data, DWORD effect, CPoint point);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    void OnUpdateEditCopy(CCmdUI* ui);
    void OnUpdateEditCut(CCmdUI* ui);
    void OnUpdateEditPaste(CCmdUI* ui);
    void OnUpdateEditSelectAll(CCmdUI* ui);
    virtual void PrintStart(CDC* dc, void* info);
    virtual void PrintPage(CDC* dc, void* info);
    virtual void PrintFinish(CDC* dc, void* info);
    virtual void ApplyCellEdit(int row, int col, LPCWSTR text);
    virtual void PrintBodyRows(CDC* dc, void* info);
    virtual void PrintHeaderRows(CDC* dc, void* info);
    virtual void PrintPageTop(CDC* dc, void* info);
    virtual void PrintPageBottom(CDC* dc, void* info);
    virtual void PrintRowHeaders(CDC* dc, void* info);
    virtual CImageList* BuildDragPicture(CPoint* hotSpot);
    virtual void HeaderColumnClicked(const CCellID& cell);
    virtual void HeaderRowClicked(const CCellID& cell);
    virtual void OpenCellEditor(int row, int col, CPoint point, UINT ch);
    virtual void CloseCellEditor(int row, int col, LPCWSTR text);
    virtual BOOL CheckCellEdit(int row, int col, LPCWSTR text);
    virtual void FinishOpenEdit();
    virtual void PaintGrid(CDC* dc);
    virtual CGridCellBase* MakeCell(int row, int col);
    virtual void FreeCell(int row, int col);

    void PaintBackground(CDC* dc);

    // Options: the owner reads and sets them directly.
    int editable;
    int dragAndDrop;
    int listMode;
    int singleRowSelection;
    int singleColumnSelection;
    int allowDraw;
    int selectionEnabled;
    int fixedColumnClickSelects;
    int fixedRowClickSelects;
    int headerSort;
    int handleTabKey;
    int doubleBuffer;
    int titleTips;
    int wysiwygPrinting;
    int hiddenColumnDragUnhide;
    int hiddenRowDragUnhide;
    int columnsShrinkToZero;
    int rowsShrinkToZero;
    int trackFocusInHeaders;
    int frameFocusCell;
    int autoSizeScope;
    int rowResize;
    int columnResize;

protected:
    void PreSubclassWindow() override;

    afx_msg void OnPaint();
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSysColorChange();
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg LRESULT OnImeChar(WPARAM wParam, LPARAM lParam);
    afx_msg void InPlaceEditClosed(NMHDR* hdr, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    // A row's cells, one per column.
    typedef std::vector<CGridCellBase*> GridRow;
    typedef std::unordered_map<CCellID, CCellID, CCellIDHash> CellMap;

    CGridCellBase* StoredCell(int row, int col) const;
    template <class T, class Get>
    T ReadCell(int row, int col, T none, Get get) const;
    template <class Set>
    BOOL WriteCell(int row, int col, bool marks, Set set);
    CGridCellBase* VirtualCell(int row, int col) const;
    void FreeRow(GridRow& row, int rowIndex);
    bool MakeRowCells(GridRow& row, int rowIndex);
    void ReportOutOfMemory(CException* e);
    void ChangeFixedCells(bool rows, int from, int to, bool joining);
    void StructureChanged(bool invalidate);
    CWnd* NotifyTarget() const;
    void ScrollLine(int bar, bool forward);
    void ScrollAxis(int bar, UINT code);
    int NextSized(const CGridSizeLine& line, int from) const;
    int PreviousSized(const CGridSizeLine& line, int before, int limit) const;
    void StretchLine(bool columns, BOOL includeFixed);
    bool MeasuredRows(UINT scope, int* first, int* last) const;
    CCellSpan BodySpan(LPRECT rect, bool wholly);
    void DrawPass(CDC* dc, const CRect& clip, int row0, int row1, int y0, int col0, int col1, int x0);
    void DrawGridLines(CDC* dc, const CCellSpan& visible, const CRect& visibleRect);
    // Mouse and keys.
    bool OnCellText(const CCellID& cell, CPoint point);
    bool IsOverBorder(CPoint point, bool columns);
    bool StartBorderDrag(CPoint point);
    void InvertTrackingLine(int at, bool vertical);
    void EndSizing();
    void ShowTitleTipFor(const CCellID& cell);
    CCellID NextFocusFor(UINT key, bool shift, bool ctrl, bool* wrapped, bool* handled);
    void ScrollAfterKey(UINT key, const CCellID& next, bool wrapped, bool shift);
    // The cell's text after an edit: refused texts are put back.
    bool CommitCellText(int row, int col, LPCWSTR text);

    // Fields, in the order the control keeps them.
    COLORREF m_crBackground;
    COLORREF m_crGridLines;
    COLORREF m_crWindowText, m_crWindowColour, m_cr3DFace, m_crShadow;
    COLORREF m_crTTipBackClr, m_crTTipTextClr;
    BOOL m_bVirtualMode = FALSE;
    LPARAM m_lParamCallback = 0;
    GridCallbackFunc m_pfnCallback = nullptr;
    int m_nGridLines;
    BOOL m_bModified = FALSE;
    int m_nBarState = 0;
    int m_nRows = 0, m_nFixedRows = 0, m_nCols = 0, m_nFixedCols = 0;
    CGridSizeLine m_arRowHeights, m_arColWidths;
    int m_nVScrollMax = 0, m_nHScrollMax = 0;
    const CRuntimeClass* m_pRtcDefault;
    CGridDefaultCell m_cellDefault, m_cellFixedColDef, m_cellFixedRowDef, m_cellFixedRowColDef;
    CFont m_PrinterFont;
    CImageList* m_pImageList = nullptr;
    std::vector<GridRow> m_RowData;
    int m_MouseMode = 0;
    BOOL m_bLMouseButtonDown = FALSE;
    CPoint m_LeftClickDownPoint, m_LastMousePoint;
    CCellID m_LeftClickDownCell, m_SelectionStartCell, m_idFocus, m_idTopLeftCell;
    UINT_PTR m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    int m_nWheelLines;
    CellMap m_SelectedCellMap, m_PrevSelectedCellMap;
    CTitleTip m_TitleTip;
    CCellID m_idDropCell;
    CGridDropTarget m_DropTarget;
    int m_nPrintState = 0;
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;
    GridCompareFunc m_pfnCompare = nullptr;
    BOOL m_bPrintColours = TRUE;
    // The last block a paste filled, and whether a drag from this grid was
    // dropped on it (a move then clears only what the drop did not fill).
    CCellSpan m_lastPasted;
    bool m_bDroppedHere = false;
    bool m_bDragging = false;
    // Set while an editor opens on the key that ended the previous one.
    bool m_bEditorKeyStart = false;
    // The page layout of the print job under way (logical units: screen pixels).
    struct PrintLayout {
        CSize charSize{1, 1};
        CSize page;       // the logical page
        CSize paper;      // the printer's page in its own pixels
        int bodyHeight = 0;  // what is left for body rows on a page
        int bodyWidth = 0;   // and for body columns (page-wide columns only)
        std::vector<int> rowStarts;  // first body row of each row of pages
        std::vector<int> colStarts;  // first body column of each column of pages
        int pages = 0;
        // While a page prints: its body columns, and the row being printed at y.
        int firstCol = 0, lastCol = -1, row = 0, y = 0, x = 0;
    } m_print;
    int m_nHeaderHeight, m_nFooterHeight, m_nLeftMargin, m_nRightMargin, m_nTopMargin, m_nBottomMargin, m_nGap;
};
