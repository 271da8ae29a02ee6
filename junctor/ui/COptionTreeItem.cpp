#include "COptionTreeItem.h"

#include "COptionTree.h"

namespace {

// The text that fits a width: cut from its end and followed by "..." when it
// does not fit whole.
// A label too wide for its space loses its middle: labels that differ only
// at their end ("... della corsia di uscita: ", "... di immissione: ") stay
// apart.
CString FittingText(CDC* dc, const CString& text, int width) {
    if (dc->GetTextExtent(text).cx <= width) return text;
    int head = text.GetLength() / 2, tail = text.GetLength() - head;
    CString shown = text.Left(head) + L"..." + text.Right(tail);
    while ((head > 0 || tail > 0) && dc->GetTextExtent(shown).cx > width) {
        if (head >= tail) --head;
        else --tail;
        shown = text.Left(head) + L"..." + text.Right(tail);
    }
    return shown;
}

void HLine(CDC* dc, int x0, int x1, int y) {
    dc->MoveTo(x0, y);
    dc->LineTo(x1, y);
}

}  // namespace

COptionTreeItem::COptionTreeItem()
    : m_crBackground(GetSysColor(COLOR_WINDOW)),
      m_crText(GetSysColor(COLOR_BTNTEXT)),
      m_crRootBackground(GetSysColor(COLOR_BTNFACE)),
      m_crLabelText(GetSysColor(COLOR_BTNTEXT)),
      m_crLabelBackground(GetSysColor(COLOR_WINDOW)) {}

COptionTreeItem::~COptionTreeItem() = default;

void COptionTreeItem::DrawValue(CDC*, CRect) {}
void COptionTreeItem::OnEditStart() {}
void COptionTreeItem::OnLayoutChanged() {}
void COptionTreeItem::OnValueRefreshed() {}
void COptionTreeItem::OnEditCommitted() {}
void COptionTreeItem::DestroyEditor() {}
void COptionTreeItem::OnUnselected() {}
void COptionTreeItem::OnSelected() {}
void COptionTreeItem::OnExpandChanged(bool) {}

bool COptionTreeItem::IsRootLevel() const {
    return m_otOption && m_otiParent == m_otOption->GetRootItem();
}

void COptionTreeItem::StartEdit() {
    m_bActivated = 1;
    m_bCommitted = 0;
    OnEditStart();
}

void COptionTreeItem::Commit() {
    m_bActivated = 0;
    if (m_bCommitted) return;
    m_bCommitted = 1;
    if (!m_otOption) return;
    OnEditCommitted();
    m_otOption->SendNotify(OTN_ITEMCOMMITTED, this);
    m_otOption->RefreshItems(this);
}

void COptionTreeItem::SetSelected(bool selected) {
    m_bSelected = selected;
    if (!selected) {
        OnUnselected();
        return;
    }
    OnSelected();
    if (!m_bReadOnly) StartEdit();
}

void COptionTreeItem::SetExpanded(bool expanded) {
    if (!m_otOption) return;
    m_bExpanded = expanded;
    OnExpandChanged(expanded);
    m_otOption->ForEachItem([expanded](COptionTreeItem* r) { r->OnExpandChanged(expanded); }, this);
}

int COptionTreeItem::Paint(CDC* dc, const CRect& rcClient, int x, int y) {
    COptionTree* tree = m_otOption;
    tree->AddToVisibleList(this);
    m_ptLocation = CPoint(x, y);

    const int divider = tree->GetColumn();
    const int sy = y - tree->GetScrollPosition();
    const int h = m_lItemHeight;
    const bool top = IsRootLevel();
    const bool enabled = tree->IsWindowEnabled() != FALSE;
    const DWORD options = tree->GetTreeOptions();

    m_rcValue = CRect(divider + OT_SPACE, sy, rcClient.right, sy + h - 1);
    CRect label(x + OT_EXPANDCOLUMN, sy, top ? rcClient.right : divider, sy + h);

    if (top) {
        bool shade = (options & OTS_SHADEROOTROWS) || !enabled;
        dc->FillSolidRect(CRect(OT_EXPANDCOLUMN, sy, rcClient.right, sy + h),
                          shade ? m_crRootBackground : GetSysColor(COLOR_WINDOW));
    } else {
        dc->FillSolidRect(CRect(divider, sy, rcClient.right - 2, sy + h - 1), m_crBackground);
    }

    CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen* oldPen = dc->SelectObject(&shadow);
    if (m_otiChild) {
        m_rcExpand = CRect(4, y + 5, 12, y + 13);
        CRect box(4, sy + 5, 13, sy + 14);  // the 9 x 9 square
        if (!top) dc->FillSolidRect(box, GetSysColor(COLOR_WINDOW));
        CBrush frame(GetSysColor(COLOR_BTNSHADOW));
        dc->FrameRect(box, &frame);
        HLine(dc, box.left + 2, box.left + 7, box.top + 4);
        if (!m_bExpanded) {
            dc->MoveTo(box.left + 4, box.top + 2);
            dc->LineTo(box.left + 4, box.top + 7);
        }
    } else {
        m_rcExpand.SetRectEmpty();
    }

    // The label, drawn only when it holds more than blanks.
    CString trimmed = m_strLabel;
    trimmed.Trim(L' ');
    if (!trimmed.IsEmpty()) {
        int saved = dc->SaveDC();
        if (!top) {
            dc->IntersectClipRect(label);
            dc->FillSolidRect(label, m_crLabelBackground);
        }
        dc->SelectObject(top ? COptionTree::GetBoldFont() : COptionTree::GetNormalFont());
        CRect text(label.left + OT_SPACE, sy, label.right, sy + h);
        CString shown = FittingText(dc, m_strLabel, text.Width());
        text.right = text.left + dc->GetTextExtent(shown).cx;
        COLORREF colour = m_crLabelText;
        if (m_bSelected) {
            dc->FillSolidRect(CRect(OT_EXPANDCOLUMN, sy, text.right + OT_SPACE, sy + h), GetSysColor(COLOR_HIGHLIGHT));
            colour = GetSysColor(COLOR_BTNHIGHLIGHT);
        }
        if (!enabled) colour = GetSysColor(COLOR_GRAYTEXT);
        dc->SetTextColor(colour);
        dc->SetBkMode(TRANSPARENT);
        dc->DrawText(shown, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
        dc->RestoreDC(saved);
        m_rcLabel = text;
    }

    HLine(dc, OT_EXPANDCOLUMN, rcClient.right, sy + h - 1);
    if (top) HLine(dc, OT_EXPANDCOLUMN, rcClient.right, sy);
    if (!top) {
        dc->MoveTo(divider, sy);
        dc->LineTo(divider, sy + h);
    }
    dc->SelectObject(oldPen);

    if (!top) {
        int saved = dc->SaveDC();
        dc->IntersectClipRect(m_rcValue);
        DrawValue(dc, m_rcValue);
        dc->RestoreDC(saved);
    }

    int height = h;
    if (m_bExpanded && m_otiChild) {
        int childX = top ? x : x + OT_EXPANDCOLUMN;
        for (COptionTreeItem* c = m_otiChild; c; c = c->m_otiSibling)
            height += c->Paint(dc, rcClient, childX, y + height);
    }
    return height;
}
