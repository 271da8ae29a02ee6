#include "GridCell.h"

#include "GridCtrl.h"
#include "GridInPlaceEdit.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

CGridCell::CGridCell() : m_crFgClr(CLR_DEFAULT), m_crBkClr(CLR_DEFAULT) {}

CGridCell::~CGridCell() { delete m_plfFont; }

void CGridCell::Reset() {
    CGridCellBase::Reset();
    m_strText.Empty();
    m_nImage = -1;
    m_nFormat = -1;
    m_lParam = 0;
    m_pGrid = nullptr;
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
    m_crFgClr = m_crBkClr = CLR_DEFAULT;
    m_nMargin = -1;
    delete m_plfFont;
    m_plfFont = nullptr;
}

void CGridCell::SetFont(const LOGFONTW* font) {
    if (!font) {
        delete m_plfFont;
        m_plfFont = nullptr;
        return;
    }
    if (!m_plfFont) m_plfFont = new LOGFONTW;
    *m_plfFont = *font;
}

int CGridCell::GetFormat() const {
    if (m_nFormat != -1) return m_nFormat;
    CGridDefaultCell* def = DefaultsCell();
    return def ? def->GetFormat() : 0;
}

const LOGFONTW* CGridCell::GetFont() const {
    if (m_plfFont) return m_plfFont;
    CGridDefaultCell* def = DefaultsCell();
    return def ? def->GetFont() : nullptr;
}

CFont* CGridCell::FontHandle() const {
    if (!m_plfFont) {
        CGridDefaultCell* def = DefaultsCell();
        return def ? def->FontHandle() : nullptr;
    }
    // One font object serves every cell with a font of its own; it holds the
    // font of the last cell that asked.
    static CFont shared;
    shared.DeleteObject();
    shared.CreateFontIndirect(m_plfFont);
    return &shared;
}

int CGridCell::GetMargin() const {
    if (m_nMargin != -1) return m_nMargin;
    CGridDefaultCell* def = DefaultsCell();
    return def ? def->GetMargin() : 0;
}

BOOL CGridCell::Edit(int row, int col, CRect rect, CPoint, UINT id, UINT ch) {
    return EditWith(row, col, rect, id, ch, false);
}

BOOL CGridCell::EditWith(int row, int col, CRect rect, UINT id, UINT ch, bool isKey) {
    if (m_bEditing) {
        if (m_pEditWnd) m_pEditWnd->SendMessage(WM_CHAR, ch);
        return TRUE;
    }
    int format = GetFormat();
    DWORD style = (format & DT_RIGHT) ? ES_RIGHT : (format & DT_CENTER) ? ES_CENTER : ES_LEFT;
    m_bEditing = TRUE;
    m_pEditWnd = new CInPlaceEdit(m_pGrid, rect, style, id, row, col, GetText(), ch, isKey);
    return TRUE;
}

void CGridCell::EndEdit() {
    if (m_pEditWnd) static_cast<CInPlaceEdit*>(m_pEditWnd)->EndEdit();
}

void CGridCell::EditFinished() {
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}
