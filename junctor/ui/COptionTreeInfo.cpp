#include "COptionTreeInfo.h"

#include "COptionTree.h"
#include "COptionTreeBufferDC.h"

BEGIN_MESSAGE_MAP(COptionTreeInfo, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL COptionTreeInfo::OnEraseBkgnd(CDC*) { return TRUE; }

void COptionTreeInfo::OnPaint() {
    CPaintDC paint(this);
    if (!m_otOption) return;
    CRect rc;
    GetClientRect(&rc);
    COptionTreeBufferDC dc(&paint, rc);

    dc.FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
    CRect edge = rc;
    dc.DrawEdge(&edge, BDR_SUNKENINNER, BF_RECT);
    CRect text = rc;
    text.DeflateRect(4, 4);
    dc.SetTextColor(GetSysColor(m_otOption->IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    dc.SetBkMode(TRANSPARENT);

    CString label, description;
    if (COptionTreeItem* f = m_otOption->GetFocusedItem()) {
        label = f->GetLabel();
        description = f->GetDescription();
    } else if (m_otOption->GetTreeOptions() & OTS_DEFAULTINFOTEXT) {
        label = L"No Item Selected";
        description = L"Select an item to see its description.";
    }
    CFont* oldFont = dc.SelectObject(COptionTree::GetBoldFont());
    CRect line = text;
    int h = dc.DrawText(label, &line, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    dc.SelectObject(COptionTree::GetNormalFont());
    CRect below = text;
    below.top += h;
    dc.DrawText(description, &below, DT_WORDBREAK | DT_NOPREFIX);
    dc.SelectObject(oldFont);

}
