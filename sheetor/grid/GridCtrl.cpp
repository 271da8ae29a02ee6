// The grid's construction, window, structure and cell store.
#include "GridCtrl.h"

#include <new>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
ON_WM_PAINT()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_SIZE()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_LBUTTONDBLCLK()
ON_WM_ERASEBKGND()
ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &CGridCtrl::OnUpdateEditSelectAll)
ON_COMMAND(ID_EDIT_SELECT_ALL, &CGridCtrl::OnEditSelectAll)
ON_WM_SYSKEYDOWN()
ON_WM_SETCURSOR()
ON_WM_RBUTTONUP()
ON_WM_SYSCOLORCHANGE()
ON_WM_CAPTURECHANGED()
ON_COMMAND(ID_EDIT_COPY, &CGridCtrl::OnEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CGridCtrl::OnUpdateEditCopy)
ON_COMMAND(ID_EDIT_CUT, &CGridCtrl::OnEditCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CGridCtrl::OnUpdateEditCut)
ON_COMMAND(ID_EDIT_PASTE, &CGridCtrl::OnEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CGridCtrl::OnUpdateEditPaste)
ON_WM_MOUSEWHEEL()
ON_MESSAGE(WM_SETFONT, &CGridCtrl::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CGridCtrl::OnGetFont)
ON_MESSAGE(WM_IME_CHAR, &CGridCtrl::OnImeChar)
ON_NOTIFY(LVN_ENDLABELEDITW, IDC_INPLACE_CONTROL, &CGridCtrl::InPlaceEditClosed)
END_MESSAGE_MAP()

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols, BOOL useInstance)
    : editable(1),
      dragAndDrop(0),
      listMode(0),
      singleRowSelection(0),
      singleColumnSelection(0),
      allowDraw(1),
      selectionEnabled(1),
      fixedColumnClickSelects(1),
      fixedRowClickSelects(1),
      headerSort(0),
      handleTabKey(1),
      doubleBuffer(1),
      titleTips(1),
      wysiwygPrinting(0),
      hiddenColumnDragUnhide(1),
      hiddenRowDragUnhide(1),
      columnsShrinkToZero(1),
      rowsShrinkToZero(1),
      trackFocusInHeaders(1),
      frameFocusCell(1),
      autoSizeScope(3),
      rowResize(1),
      columnResize(1),
      m_crGridLines(RGB(192, 192, 192)),
      m_nGridLines(3) {
    RegisterGridClass(useInstance);
    if (!AfxOleInit())
        AfxMessageBox(L"OLE initialization failed. Make sure that the OLE libraries are the correct version");
    m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = GetSysColor(COLOR_WINDOW);
    m_cr3DFace = GetSysColor(COLOR_3DFACE);
    m_crShadow = GetSysColor(COLOR_3DSHADOW);
    m_nWheelLines = ReadWheelLines();
    m_pRtcDefault = RUNTIME_CLASS(CGridCell);
    CGridDefaultCell* defaults[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
    for (CGridDefaultCell* def : defaults) {
        def->AttachGrid(this);
        def->SetTextColour(m_crWindowText);
        def->SetBackColour(def == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
    }
    m_crBackground = m_crShadow;
    SetRows(rows);
    SetColumns(cols);
    SetHeaderRows(fixedRows);
    SetHeaderColumns(fixedCols);
    m_crTTipBackClr = m_crTTipTextClr = CLR_DEFAULT;
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
    m_bPrintColours = TRUE;
    m_nHeaderHeight = 2;
    m_nFooterHeight = 2;
    m_nLeftMargin = 4;
    m_nRightMargin = 4;
    m_nTopMargin = 1;
    m_nBottomMargin = 1;
    m_nGap = 1;
}

CGridCtrl::~CGridCtrl() {
    RemoveAll();
    // A tip shown before tips were switched off would outlive its grid.
    if (m_TitleTip.GetSafeHwnd()) m_TitleTip.DestroyWindow();
    DestroyWindow();
    // The copied text stays on the clipboard after the grid is gone.
    if (COleDataSource::OwnsClipboard()) COleDataSource::FlushClipboard();
    // The members go in reverse order: drop target, title tip, maps, rows,
    // printer font, default cells, sizes.
}

BOOL CGridCtrl::RegisterGridClass(BOOL useInstance) {
    HINSTANCE instance = useInstance ? AfxGetInstanceHandle() : AfxGetResourceHandle();
    WNDCLASSW wc{};
    if (::GetClassInfoW(instance, GRIDCTRL_CLASSNAME, &wc)) return TRUE;
    wc.style = CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.cbClsExtra = wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = nullptr;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = GRIDCTRL_CLASSNAME;
    if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
    return TRUE;
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style) {
    if (!CWnd::Create(GRIDCTRL_CLASSNAME, nullptr, style, rect, parent, id)) return FALSE;
    try {
        m_arRowHeights.Resize(m_nRows, 0);
        m_arColWidths.Resize(m_nCols, 0);
        for (int r = 0; r < m_nRows; ++r) m_arRowHeights.Set(r, m_cellDefault.GetHeight());
        for (int c = 0; c < m_nCols; ++c) m_arColWidths.Set(c, m_cellDefault.GetWidth());
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(new CMemoryException());
        return FALSE;
    }
    UpdateScrollBars();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow() {
    CWnd::PreSubclassWindow();
    // One guard for the process: a grid set up from inside another's set-up is skipped.
    static bool settingUp = false;
    if (settingUp) return;
    settingUp = true;
    m_TitleTip.SetParentWnd(this);
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    // Moving the window out by one pixel and back makes it recompute its frame.
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent()) parent->ScreenToClient(&rect);
    rect.InflateRect(1, 1);
    MoveWindow(&rect);
    rect.DeflateRect(1, 1);
    MoveWindow(&rect);
    settingUp = false;
}

void CGridCtrl::ReportOutOfMemory(CException* e) {
    e->ReportError();
    e->Delete();
}

// --- Structure -------------------------------------------------------------

CGridCellBase* CGridCtrl::MakeCell(int row, int col) {
    if (!m_pRtcDefault || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) return nullptr;
    auto* cell = static_cast<CGridCellBase*>(m_pRtcDefault->CreateObject());
    if (!cell) return nullptr;
    cell->AttachGrid(this);
    cell->SetPosition(row, col);
    if (col < m_nFixedCols) cell->SetState(cell->GetState() | CELL_FIXED | CELL_FIXEDCOL);
    if (row < m_nFixedRows) cell->SetState(cell->GetState() | CELL_FIXED | CELL_FIXEDROW);
    if (CGridDefaultCell* def = cell->DefaultsCell()) cell->SetFormat(def->GetFormat());
    return cell;
}

void CGridCtrl::FreeCell(int row, int col) {
    if (m_bVirtualMode || !IsInside(row, col)) return;
    CGridCellBase*& cell = m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)];
    if (!cell) return;
    SetCellState(row, col, 0);
    delete cell;
    cell = nullptr;
}

void CGridCtrl::FreeRow(GridRow& row, int rowIndex) {
    for (int c = 0; c < static_cast<int>(row.size()); ++c) FreeCell(rowIndex, c);
}

bool CGridCtrl::MakeRowCells(GridRow& row, int rowIndex) {
    row.assign(static_cast<size_t>(m_nCols), nullptr);
    try {
        for (int c = 0; c < m_nCols; ++c) row[static_cast<size_t>(c)] = MakeCell(rowIndex, c);
    } catch (...) {
        // A row whose cells were not all made is freed again.
        for (CGridCellBase* cell : row) delete cell;
        row.clear();
        throw;
    }
    return true;
}

BOOL CGridCtrl::SetRows(int rows) {
    if (rows < 0) return FALSE;
    if (rows == m_nRows) return TRUE;
    m_idTopLeftCell = CCellID();
    if (m_nFixedRows > rows) m_nFixedRows = rows;
    if (m_idFocus.row >= rows) MoveFocus(-1, -1);
    BOOL ok = TRUE;
    if (rows < m_nRows) {
        if (!m_bVirtualMode)
            for (int r = m_nRows - 1; r >= rows; --r) FreeRow(m_RowData[static_cast<size_t>(r)], r);
        if (!m_bVirtualMode) m_RowData.resize(static_cast<size_t>(rows));
        m_arRowHeights.Resize(rows, 0);
        m_nRows = rows;
    } else {
        try {
            if (!m_bVirtualMode) m_RowData.reserve(static_cast<size_t>(rows));
            m_arRowHeights.Resize(rows, m_cellDefault.GetHeight());
            for (int r = m_nRows; r < rows; ++r) {
                if (!m_bVirtualMode) {
                    GridRow row;
                    MakeRowCells(row, r);
                    m_RowData.push_back(std::move(row));
                }
                m_nRows = r + 1;
            }
        } catch (CMemoryException* e) {
            ReportOutOfMemory(e);
            ok = FALSE;
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory(new CMemoryException());
            ok = FALSE;
        }
        // What was built stays; the counts describe it.
        if (!ok) m_arRowHeights.Resize(m_nRows, 0);
    }
    StructureChanged(true);
    return ok;
}

BOOL CGridCtrl::SetColumns(int cols) {
    if (cols < 0) return FALSE;
    if (cols == m_nCols) return TRUE;
    m_idTopLeftCell = CCellID();
    if (m_nFixedCols > cols) m_nFixedCols = cols;
    if (m_idFocus.col >= cols) MoveFocus(-1, -1);
    BOOL ok = TRUE;
    if (cols < m_nCols) {
        if (!m_bVirtualMode)
            for (int r = 0; r < m_nRows; ++r) {
                for (int c = m_nCols - 1; c >= cols; --c) FreeCell(r, c);
                m_RowData[static_cast<size_t>(r)].resize(static_cast<size_t>(cols));
            }
        m_arColWidths.Resize(cols, 0);
        m_nCols = cols;
    } else {
        // Column by column, so that a failure leaves whole columns.
        int width = m_cellFixedColDef.GetWidth();
        int made = 0;
        try {
            m_arColWidths.Resize(cols, width);
            for (int c = m_nCols; c < cols; ++c) {
                made = 0;
                if (!m_bVirtualMode)
                    for (int r = 0; r < m_nRows; ++r) {
                        GridRow& row = m_RowData[static_cast<size_t>(r)];
                        row.reserve(static_cast<size_t>(cols));
                        row.push_back(MakeCell(r, c));
                        ++made;
                    }
                m_nCols = c + 1;
            }
        } catch (CMemoryException* e) {
            ReportOutOfMemory(e);
            ok = FALSE;
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory(new CMemoryException());
            ok = FALSE;
        }
        if (!ok) {
            for (int r = 0; r < made; ++r) {
                delete m_RowData[static_cast<size_t>(r)].back();
                m_RowData[static_cast<size_t>(r)].pop_back();
            }
            m_arColWidths.Resize(m_nCols, 0);
        }
    }
    StructureChanged(true);
    return ok;
}

// Rows (or columns) [from, to) join the fixed ones or leave them; cells that
// join or become body cells fall back on their default cell's colours.
void CGridCtrl::ChangeFixedCells(bool rows, int from, int to, bool joining) {
    if (m_bVirtualMode) return;
    int bit = rows ? CELL_FIXEDROW : CELL_FIXEDCOL;
    int across = rows ? m_nCols : m_nRows;
    for (int i = from; i < to; ++i)
        for (int k = 0; k < across; ++k) {
            int row = rows ? i : k, col = rows ? k : i;
            CGridCellBase* cell = StoredCell(row, col);
            if (!cell) continue;
            bool fixedOtherWay = rows ? col < m_nFixedCols : row < m_nFixedRows;
            int state = cell->GetState();
            if (joining)
                cell->SetState(state | CELL_FIXED | bit);
            else
                cell->SetState(fixedOtherWay ? state & ~bit : state & ~(CELL_FIXED | bit));
            if (joining || !fixedOtherWay) {
                cell->SetTextColour(CLR_DEFAULT);
                cell->SetBackColour(CLR_DEFAULT);
            }
        }
}

// What every structural change ends with.
void CGridCtrl::StructureChanged(bool invalidate) {
    m_idTopLeftCell = CCellID();
    MarkModified(TRUE, -1, -1);
    UpdateScrollBars();
    if (invalidate) InvalidateAll();
}

BOOL CGridCtrl::SetHeaderRows(int rows) {
    if (rows < 0) return FALSE;
    if (rows == m_nFixedRows) return TRUE;
    ClearSelection();
    if (m_nRows < rows && !SetRows(rows)) return FALSE;
    if (m_idFocus.row >= 0 && m_idFocus.row < rows) MoveFocus(-1, -1);
    ChangeFixedCells(true, std::min(rows, m_nFixedRows), std::max(rows, m_nFixedRows), rows > m_nFixedRows);
    m_nFixedRows = rows;
    StructureChanged(true);
    return TRUE;
}

// The mirror of SetHeaderRows, but the count is raised and the focus tested
// before the selection is cleared.
BOOL CGridCtrl::SetHeaderColumns(int cols) {
    if (cols < 0) return FALSE;
    if (cols == m_nFixedCols) return TRUE;
    if (m_nCols < cols && !SetColumns(cols)) return FALSE;
    if (m_idFocus.col >= 0 && m_idFocus.col < cols) MoveFocus(-1, -1);
    ClearSelection();
    ChangeFixedCells(false, std::min(cols, m_nFixedCols), std::max(cols, m_nFixedCols), cols > m_nFixedCols);
    m_nFixedCols = cols;
    StructureChanged(true);
    return TRUE;
}

int CGridCtrl::InsertColumnAt(LPCWSTR heading, UINT format, int col) {
    if (col >= 0 && (col < m_nFixedCols || col > m_nCols)) return -1;
    ClearSelection();
    if (m_nRows < 1) SetRows(1);
    if (col < 0 || col == m_nCols) col = m_nCols;
    int made = 0;
    CException* exception = nullptr;
    try {
        if (!m_bVirtualMode)
            for (int r = 0; r < m_nRows; ++r) {
                GridRow& row = m_RowData[static_cast<size_t>(r)];
                row.insert(row.begin() + col, nullptr);
                ++made;
                row[static_cast<size_t>(col)] = MakeCell(r, col);
            }
        m_arColWidths.Insert(col, 0);
    } catch (CMemoryException* e) {
        exception = e;
    } catch (const std::bad_alloc&) {
        exception = new CMemoryException();
    }
    if (exception) {
        for (int r = 0; r < made; ++r) {
            GridRow& row = m_RowData[static_cast<size_t>(r)];
            delete row[static_cast<size_t>(col)];
            row.erase(row.begin() + col);
        }
        ReportOutOfMemory(exception);
        return -1;
    }
    ++m_nCols;
    if (CGridCellBase* cell = CellAt(0, col)) cell->SetText(heading);
    for (int r = 0; r < m_nRows; ++r)
        if (CGridCellBase* cell = m_bVirtualMode ? nullptr : StoredCell(r, col)) cell->SetFormat(static_cast<int>(format));
    m_arColWidths.Set(col, static_cast<int>(CellTextSize(0, col, heading).cx));
    if (m_idFocus.col >= 0 && m_idFocus.col >= col) ++m_idFocus.col;
    StructureChanged(false);
    return col;
}

int CGridCtrl::InsertRowAt(LPCWSTR heading, int row) {
    // Unlike columns, a row is appended only with -1.
    if (row >= 0 && (row < m_nFixedRows || row >= m_nRows)) return -1;
    if (m_nCols < 1) SetColumns(1);
    if (row < 0) row = m_nRows;
    GridRow cells;
    bool stored = false;
    CException* exception = nullptr;
    try {
        if (!m_bVirtualMode) {
            MakeRowCells(cells, row);
            m_RowData.insert(m_RowData.begin() + row, std::move(cells));
            stored = true;
        }
        m_arRowHeights.Insert(row, 0);
    } catch (CMemoryException* e) {
        exception = e;
    } catch (const std::bad_alloc&) {
        exception = new CMemoryException();
    }
    if (exception) {
        // Whichever step ran out of memory, the new row's cells go again.
        GridRow& made = stored ? m_RowData[static_cast<size_t>(row)] : cells;
        for (CGridCellBase* cell : made) delete cell;
        if (stored) m_RowData.erase(m_RowData.begin() + row);
        ReportOutOfMemory(exception);
        return -1;
    }
    ++m_nRows;
    CGridCellBase* cell = CellAt(row, 0);
    if (cell) cell->SetText(heading);
    int height = m_cellFixedRowDef.GetHeight();
    if (heading && *heading) height = static_cast<int>(CellTextSize(row, 0, heading).cy);
    m_arRowHeights.Set(row, height);
    if (m_idFocus.row >= 0 && m_idFocus.row >= row) ++m_idFocus.row;
    StructureChanged(false);
    return row;
}

// Removing a row or column clears the selection but keeps the focus with its
// cell; a removed focus is dropped without being repainted.
BOOL CGridCtrl::RemoveColumn(int col) {
    if (col < 0 || col >= m_nCols) return FALSE;
    CCellID focus = m_idFocus;
    m_idFocus = CCellID();
    ClearSelection();
    if (!m_bVirtualMode)
        for (int r = 0; r < m_nRows; ++r) {
            FreeCell(r, col);
            GridRow& row = m_RowData[static_cast<size_t>(r)];
            row.erase(row.begin() + col);
        }
    m_arColWidths.Erase(col);
    --m_nCols;
    if (col < m_nFixedCols) --m_nFixedCols;
    if (focus.col == col)
        focus = CCellID();
    else if (focus.col > col)
        --focus.col;
    m_idFocus = focus;
    StructureChanged(false);
    return TRUE;
}

BOOL CGridCtrl::RemoveRow(int row) {
    if (row < 0 || row >= m_nRows) return FALSE;
    CCellID focus = m_idFocus;
    m_idFocus = CCellID();
    ClearSelection();
    if (!m_bVirtualMode) {
        FreeRow(m_RowData[static_cast<size_t>(row)], row);
        m_RowData.erase(m_RowData.begin() + row);
    }
    m_arRowHeights.Erase(row);
    --m_nRows;
    if (row < m_nFixedRows) --m_nFixedRows;
    if (focus.row == row)
        focus = CCellID();
    else if (focus.row > row)
        --focus.row;
    m_idFocus = focus;
    StructureChanged(false);
    return TRUE;
}

BOOL CGridCtrl::RemoveBodyRows() {
    ClearSelection();
    for (int r = m_nRows; r >= m_nFixedRows; --r) RemoveRow(r);
    return TRUE;
}

BOOL CGridCtrl::RemoveAll() {
    ClearSelection();
    m_arRowHeights.Clear();
    m_arColWidths.Clear();
    if (!m_bVirtualMode) {
        for (int r = m_nRows - 1; r >= 0; --r) FreeRow(m_RowData[static_cast<size_t>(r)], r);
        m_RowData.clear();
    }
    m_idFocus = CCellID();
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    StructureChanged(false);
    return TRUE;
}

BOOL CGridCtrl::PutCell(int row, int col, CGridCellBase* cell) {
    if (m_bVirtualMode || !IsInside(row, col)) return FALSE;
    if (cell) cell->SetPosition(row, col);
    m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)] = cell;
    return TRUE;
}

BOOL CGridCtrl::SetCellKind(int row, int col, const CRuntimeClass* cls) {
    if (m_bVirtualMode || !IsInside(row, col) || !cls || !cls->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    CGridCellBase* cell = nullptr;
    try {
        cell = static_cast<CGridCellBase*>(cls->CreateObject());
    } catch (CMemoryException* e) {
        ReportOutOfMemory(e);
        return FALSE;
    }
    if (!cell) return FALSE;
    CGridCellBase* old = StoredCell(row, col);
    if (old)
        *cell = *old;
    else
        cell->AttachGrid(this);
    PutCell(row, col, cell);
    delete old;
    return TRUE;
}

BOOL CGridCtrl::SetCellClass(const CRuntimeClass* cls) {
    if (!cls || !cls->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) return FALSE;
    m_pRtcDefault = cls;
    return TRUE;
}

void CGridCtrl::SetCallbackMode(BOOL on) {
    RemoveAll();
    m_bVirtualMode = on;
    if (on) {
        autoSizeScope = 1;
        editable = 0;
        fixedRowClickSelects = 0;
        fixedColumnClickSelects = 0;
    }
}

void CGridCtrl::SetRowSelectMode(BOOL on) {
    ClearSelection();
    m_nSortColumn = -1;
    listMode = on;
    fixedColumnClickSelects = 0;
    InvalidateAll();
}

// --- Slots of the editing, clipboard, drag-and-drop and printing parts -----
// They do nothing until those parts fill them.

