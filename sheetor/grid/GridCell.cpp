#include "GridCell.h"

#include "GridCtrl.h"

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

// The in-place editor comes with the grid's editing; until then a cell opens none.
BOOL CGridCell::Edit(int, int, CRect, CPoint, UINT, UINT) { return FALSE; }

void CGridCell::EndEdit() {}

void CGridCell::EditFinished() {
    m_bEditing = FALSE;
    m_pEditWnd = nullptr;
}
