#include "COptionTreeList.h"

#include <algorithm>

#include "COptionTree.h"
#include "COptionTreeBufferDC.h"

BEGIN_MESSAGE_MAP(COptionTreeList, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

COptionTreeList::~COptionTreeList() = default;

BOOL COptionTreeList::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    m_hArrowCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    LPCWSTR cls = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, m_hArrowCursor);
    // Without a divider cursor of the caller, the system's horizontal-resize cursor.
    m_hDividerCursor = m_otOption->GetDividerCursor();
    if (!m_hDividerCursor) m_hDividerCursor = ::LoadCursorW(nullptr, IDC_SIZEWE);
    m_hHandCursor = ::LoadCursorW(nullptr, IDC_HAND);
    return CWnd::CreateEx(0, cls, L"", style, rect, parent, id);
}

void COptionTreeList::OnDestroy() {
    ::DestroyCursor(m_hDividerCursor);
    ::DestroyCursor(m_hHandCursor);
    m_hDividerCursor = m_hHandCursor = nullptr;
    CWnd::OnDestroy();
}

int COptionTreeList::GetContentHeight() const {
    int total = 0;
    // A row counts with its children while it is expanded, recursively.
    auto height = [](auto& self, const COptionTreeItem* r) -> int {
        int h = r->GetHeight();
        if (r->IsExpanded())
            for (COptionTreeItem* c = r->GetFirstChild(); c; c = c->GetNextSibling()) h += self(self, c);
        return h;
    };
    for (COptionTreeItem* c = m_otOption->GetRootItem()->GetFirstChild(); c; c = c->GetNextSibling())
        total += height(height, c);
    return total;
}

void COptionTreeList::UpdateResize() {
    CRect rc;
    GetClientRect(&rc);
    int content = GetContentHeight();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = content;
    si.nPage = static_cast<UINT>(rc.Height() + 1);
    SetScrollInfo(SB_VERT, &si, TRUE);
    if (content < static_cast<int>(si.nPage)) {
        m_otOption->SetScrollPosition(0);
        SetScrollPos(SB_VERT, 0, TRUE);
    } else {
        ScrollTo(m_otOption->GetScrollPosition());
    }
    m_otOption->SetColumn(m_otOption->GetColumn());
}

void COptionTreeList::ScrollTo(int pos) {
    CRect rc;
    GetClientRect(&rc);
    int limit = std::max(0, GetContentHeight() - (rc.Height() + 1));
    pos = std::clamp(pos, 0, limit);
    if (pos != m_otOption->GetScrollPosition()) {
        // An open editor would stay where it is, over another row, and take
        // what is typed for that row: the edit ends (commits) first.
        HWND focus = ::GetFocus();
        if (focus && focus != m_hWnd && ::IsChild(m_hWnd, focus)) SetFocus();
    }
    m_otOption->SetScrollPosition(pos);
    SetScrollPos(SB_VERT, pos, TRUE);
    Invalidate();
}

void COptionTreeList::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    UpdateResize();
    m_otOption->ForEachItem([](COptionTreeItem* r) { r->OnLayoutChanged(); });
    Invalidate();
}

BOOL COptionTreeList::OnEraseBkgnd(CDC*) { return TRUE; }

void COptionTreeList::OnPaint() {
    CPaintDC paint(this);
    CRect rc;
    GetClientRect(&rc);
    COptionTreeBufferDC dc(&paint, rc);

    m_otOption->ClearVisibleList();
    const bool enabled = m_otOption->IsWindowEnabled() != FALSE;
    const DWORD options = m_otOption->GetTreeOptions();
    dc.FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
    CRect inner = rc;
    inner.DeflateRect(2, 2);
    dc.FillSolidRect(inner, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    bool shadeColumn = (options & OTS_SHADEEXPANDCOLUMN) || !enabled;
    dc.FillSolidRect(CRect(0, 0, OT_EXPANDCOLUMN, rc.Height()), GetSysColor(shadeColumn ? COLOR_BTNFACE : COLOR_WINDOW));

    int saved = dc.SaveDC();
    dc.IntersectClipRect(rc);
    int y = 0;
    for (COptionTreeItem* c = m_otOption->GetRootItem()->GetFirstChild(); c; c = c->GetNextSibling())
        y += c->Paint(&dc, rc, 0, y);
    dc.RestoreDC(saved);

    CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen* oldPen = dc.SelectObject(&shadow);
    dc.MoveTo(OT_EXPANDCOLUMN, 0);
    dc.LineTo(OT_EXPANDCOLUMN, rc.Height());
    dc.SelectObject(oldPen);
    CRect edge = rc;
    dc.DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
    if (m_bDragging) {
        // The divider being dragged: a 4-pixel bar inverted through a checkerboard.
        static const WORD checker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        CBitmap pattern;
        pattern.CreateBitmap(8, 8, 1, 1, checker);
        CBrush brush;
        brush.CreatePatternBrush(&pattern);
        CBrush* oldBrush = dc.SelectObject(&brush);
        dc.PatBlt(m_lDragX - 2, 0, 4, rc.Height(), PATINVERT);
        dc.SelectObject(oldBrush);
    }

}

void COptionTreeList::OnVScroll(UINT code, UINT, CScrollBar*) {
    CRect rc;
    GetClientRect(&rc);
    int pos = m_otOption->GetScrollPosition();
    int page = rc.Height() + 1;
    switch (code) {
    case SB_LINEUP: pos -= OT_DEFHEIGHT; break;
    case SB_LINEDOWN: pos += OT_DEFHEIGHT; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(SB_VERT, &si);
        pos = si.nTrackPos;
        break;
    }
    default: return;
    }
    ScrollTo(pos);
}

BOOL COptionTreeList::OnMouseWheel(UINT, short delta, CPoint) {
    CRect rc;
    GetClientRect(&rc);
    if (GetContentHeight() < rc.Height()) return TRUE;
    SetFocus();
    OnVScroll(delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
    return TRUE;
}

void COptionTreeList::LayoutChanged() {
    m_otOption->ForEachItem([](COptionTreeItem* r) { r->OnLayoutChanged(); });
    Invalidate();
}

bool COptionTreeList::ToggleExpanded(COptionTreeItem* item) {
    if (m_otOption->SendNotify(OTN_ITEMEXPANDING, item)) return false;
    item->SetExpanded(!item->IsExpanded());
    UpdateResize();
    Invalidate();
    m_otOption->DropHiddenFocus();
    return true;
}

void COptionTreeList::OnLButtonDown(UINT, CPoint point) {
    if (!m_otOption->IsWindowEnabled()) return;
    SetFocus();
    COptionTree* tree = m_otOption;
    int hit = tree->HitTest(point);
    COptionTreeItem* item = tree->FindItemAtPoint(point);
    if (hit == OTHT_COLUMN) {
        if (tree->SendNotify(OTN_COLUMNDRAG, item)) return;
        SetCapture();
        m_bDragging = true;
        m_lDragX = tree->GetColumn();
        Invalidate();
        return;
    }
    if (hit == OTHT_EXPAND) {
        if (item->GetFirstChild()) ToggleExpanded(item);
        return;
    }
    if (!item) {
        tree->DeselectAll();
        tree->SetFocusedItem(nullptr);
        tree->SendNotify(OTN_SELCHANGED, nullptr);
        return;
    }
    tree->DeselectAll();
    item->SetSelected(true);
    if (tree->GetFocusedItem() != item) {
        tree->SetFocusedItem(item);
        tree->SendNotify(OTN_SELCHANGED, item);
    }
    if (hit == OTHT_VALUE && !item->IsRootLevel() && !item->IsReadOnly()) {
        if (!tree->SendNotify(OTN_ITEMACTIVATING, item)) item->StartEdit();
    }
}

void COptionTreeList::OnMouseMove(UINT, CPoint point) {
    if (!m_bDragging) return;
    m_lDragX = point.x;
    Invalidate();
}

void COptionTreeList::OnLButtonUp(UINT, CPoint point) {
    if (!m_bDragging) return;
    m_bDragging = false;
    ReleaseCapture();
    CRect rc;
    GetClientRect(&rc);
    int x = point.x <= OT_DRAGMIN ? OT_DRAGMIN + 1 : std::min<int>(point.x, rc.right - OT_DRAGMARGIN);
    m_otOption->SetColumn(x);
    LayoutChanged();
}

void COptionTreeList::OnLButtonDblClk(UINT, CPoint point) {
    if (!m_otOption->IsWindowEnabled()) return;
    COptionTree* tree = m_otOption;
    int hit = tree->HitTest(point);
    COptionTreeItem* item = tree->FindItemAtPoint(point);
    if (hit == OTHT_COLUMN) {
        // The divider fits the labels shown under expanded groups.
        CRect rc;
        GetClientRect(&rc);
        int widest = 0;
        tree->ForEachItem([&](COptionTreeItem* r) {
            if (!r->IsRootLevel() && r->GetParent()->IsExpanded()) widest = std::max<int>(widest, r->GetLabelRect().right);
        });
        tree->SetColumn(std::min<int>(rc.right - OT_DRAGMARGIN, widest + OT_SPACE));
        LayoutChanged();
        return;
    }
    if (!item || !item->GetFirstChild()) return;
    if (hit == OTHT_VALUE && !item->IsRootLevel()) return;
    if (hit != OTHT_EXPAND) {
        tree->DeselectAll();
        bool changed = tree->GetFocusedItem() != item;
        tree->SetFocusedItem(item);
        item->SetSelected(true);
        if (changed) tree->SendNotify(OTN_SELCHANGED, item);
    }
    ToggleExpanded(item);
}

BOOL COptionTreeList::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (hitTest == HTCLIENT) {
        CPoint p;
        ::GetCursorPos(&p);
        ScreenToClient(&p);
        int hit = m_otOption->HitTest(p);
        if (hit == OTHT_COLUMN) {
            ::SetCursor(m_hDividerCursor);
            return TRUE;
        }
        if (hit == OTHT_EXPAND) {
            ::SetCursor(m_hHandCursor);
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

UINT COptionTreeList::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; }

COptionTreeItem* COptionTreeList::LastVisible() const {
    COptionTreeItem* last = nullptr;
    for (COptionTreeItem* v = m_otOption->GetVisibleList(); v; v = v->GetNextVisible()) last = v;
    return last;
}

COptionTreeItem* COptionTreeList::PreviousVisible(COptionTreeItem* item) const {
    COptionTreeItem* prev = nullptr;
    for (COptionTreeItem* v = m_otOption->GetVisibleList(); v && v != item; v = v->GetNextVisible()) prev = v;
    return prev;
}

void COptionTreeList::MoveTo(COptionTreeItem* item) {
    if (!item) return;
    COptionTree* tree = m_otOption;
    bool changed = tree->GetFocusedItem() != item;
    tree->SetFocusedItem(item);
    tree->DeselectAll();
    item->SetSelected(true);
    if (changed) tree->SendNotify(OTN_SELCHANGED, item);
}

void COptionTreeList::StartEditingFocused() {
    COptionTreeItem* f = m_otOption->GetFocusedItem();
    if (f && !f->IsRootLevel() && !f->IsReadOnly()) f->StartEdit();
}

void COptionTreeList::OnKeyDown(UINT key, UINT, UINT) {
    if (!m_otOption->IsWindowEnabled()) return;
    COptionTree* tree = m_otOption;
    COptionTreeItem* focused = tree->GetFocusedItem();
    // Rows not yet painted are unknown to the walks below: none when empty.
    COptionTreeItem* first = tree->GetVisibleList();
    switch (key) {
    case VK_TAB:
        if (focused && !focused->IsRootLevel()) {
            MoveTo(::GetKeyState(VK_SHIFT) < 0 ? PreviousVisible(focused) : focused->GetNextVisible());
        }
        StartEditingFocused();
        break;
    case VK_RETURN: StartEditingFocused(); break;
    case VK_HOME: MoveTo(first); break;
    case VK_END: MoveTo(LastVisible()); break;
    case VK_UP: MoveTo(focused ? PreviousVisible(focused) : LastVisible()); break;
    case VK_DOWN: MoveTo(focused ? focused->GetNextVisible() : first); break;
    case VK_LEFT:
        if (focused && focused->GetFirstChild() && focused->IsExpanded()) {
            if (ToggleExpanded(focused)) break;
        }
        MoveTo(focused ? PreviousVisible(focused) : LastVisible());
        break;
    case VK_RIGHT:
        if (focused && focused->GetFirstChild() && !focused->IsExpanded()) {
            if (ToggleExpanded(focused)) break;
        }
        MoveTo(focused ? focused->GetNextVisible() : first);
        break;
    default: break;
    }
}
