#include "COptionTree.h"

#include <algorithm>

#include "COptionTreeItemSpinnerDec.h"

CFont COptionTree::s_fontNormal;
CFont COptionTree::s_fontBold;
std::vector<COptionTree*> COptionTree::s_trees;

BEGIN_MESSAGE_MAP(COptionTree, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

int CALLBACK FindFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
    if (CString(font->lfFaceName).CompareNoCase(L"Tahoma") == 0) {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
    }
    return 1;
}

}  // namespace

COptionTree::COptionTree() {
    if (s_trees.empty()) CreateFonts();
    s_trees.push_back(this);
    m_otiRoot.m_otOption = this;
    m_otiRoot.m_bExpanded = 1;
    m_otInfo.SetOptionsOwner(this);
    m_otlList.SetOptionsOwner(this);
}

COptionTree::~COptionTree() {
    // Rows of a tree whose window never existed, or is already gone.
    while (COptionTreeItem* c = m_otiRoot.m_otiChild) DeleteRow(c);
    s_trees.erase(std::find(s_trees.begin(), s_trees.end(), this));
    if (s_trees.empty()) DeleteFonts();
}

// The menu font of the system's non-client metrics, with the screen's
// character set; for the western sets the face is Tahoma when the system has
// it, else MS Sans Serif.
void COptionTree::CreateFonts() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExW(&version) && version.dwMajorVersion < 6) ncm.cbSize -= sizeof ncm.iPaddedBorderWidth;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);

    LOGFONTW lf{};
    lf.lfHeight = ncm.lfMenuFont.lfHeight;
    lf.lfWeight = ncm.lfMenuFont.lfWeight;
    lf.lfItalic = ncm.lfMenuFont.lfItalic;
    std::wcsncpy(lf.lfFaceName, ncm.lfMenuFont.lfFaceName, LF_FACESIZE - 1);
    HDC screen = ::GetDC(nullptr);
    lf.lfCharSet = static_cast<BYTE>(GetTextCharset(screen));
    BYTE menuSet = ncm.lfMenuFont.lfCharSet;
    if (menuSet == ANSI_CHARSET || menuSet == DEFAULT_CHARSET || menuSet == SYMBOL_CHARSET) {
        LOGFONTW any{};
        any.lfCharSet = DEFAULT_CHARSET;
        bool tahoma = false;
        EnumFontFamiliesExW(screen, &any, FindFamily, reinterpret_cast<LPARAM>(&tahoma), 0);
        std::wmemset(lf.lfFaceName, 0, LF_FACESIZE);
        std::wcsncpy(lf.lfFaceName, tahoma ? L"Tahoma" : L"MS Sans Serif", LF_FACESIZE - 1);
    }
    ::ReleaseDC(nullptr, screen);
    s_fontNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    s_fontBold.CreateFontIndirect(&lf);
}

void COptionTree::DeleteFonts() {
    s_fontNormal.DeleteObject();
    s_fontBold.DeleteObject();
}

BOOL COptionTree::Create(DWORD style, const RECT& rect, CWnd* parent, DWORD options, UINT id) {
    m_dwOptions = options;
    LPCWSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW));
    return CWnd::CreateEx(0, cls, L"", style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, parent, id);
}

int COptionTree::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    CRect none(0, 0, 0, 0);
    if (!m_otInfo.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, none, this, OT_INFOPANE_ID)) return -1;
    if (!m_otlList.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, none, this,
                          OT_ROWSVIEW_ID))
        return -1;
    m_otInfo.ShowWindow((m_dwOptions & OTS_INFOPANE) ? SW_SHOW : SW_HIDE);
    Layout();
    return 0;
}

void COptionTree::Layout() {
    if (!m_hWnd || !m_otlList.m_hWnd) return;
    CRect rc;
    GetClientRect(&rc);
    if (rc.Width() <= 0 || rc.Height() <= 0) return;
    if (m_dwOptions & OTS_INFOPANE) {
        m_otInfo.MoveWindow(0, rc.Height() - OT_INFOHEIGHT, rc.Width(), OT_INFOHEIGHT);
        m_otlList.MoveWindow(0, 0, rc.Width(), rc.Height() - OT_INFOHEIGHT);
    } else {
        m_otlList.MoveWindow(0, 0, rc.Width(), rc.Height());
    }
}

void COptionTree::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    Layout();
}

// The tree draws nothing itself: its children do.
void COptionTree::OnPaint() {
    CPaintDC dc(this);
    if (m_otInfo.m_hWnd) m_otInfo.Invalidate();
    if (m_otlList.m_hWnd) m_otlList.Invalidate();
}

void COptionTree::OnEnable(BOOL) {
    if (m_otInfo.m_hWnd) m_otInfo.Invalidate();
    if (m_otlList.m_hWnd) m_otlList.Invalidate();
}

// New fonts for every living tree, handed to every spinner and edit field so
// that no window keeps a deleted font.
void COptionTree::OnSysColorChange() {
    CWnd::OnSysColorChange();
    DeleteFonts();
    CreateFonts();
    for (COptionTree* tree : s_trees) {
        tree->ForEachItem([](COptionTreeItem* row) {
            if (COptionTreeItemSpinnerDec* s = COptionTreeItemSpinnerDec::FromItem(row)) s->SetSpinnerFont(GetNormalFont());
        });
        if (tree->m_hWnd) tree->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

// The window goes: every row's editor first, then the rows.
void COptionTree::OnDestroy() {
    while (COptionTreeItem* c = m_otiRoot.m_otiChild) DeleteRow(c);
    CWnd::OnDestroy();
}

COptionTreeItem* COptionTree::InsertItem(COptionTreeItem* item, COptionTreeItem* parent) {
    if (!item) return nullptr;
    if (!parent) parent = &m_otiRoot;
    COptionTreeItem** slot = &parent->m_otiChild;
    while (*slot) slot = &(*slot)->m_otiSibling;
    *slot = item;
    item->m_otiSibling = nullptr;
    item->m_uID = ++m_uLastID;
    item->m_otiParent = parent;
    item->m_otOption = this;
    SendNotify(OTN_ITEMINSERTED, item);
    RefreshView();
    if (m_otlList.m_hWnd) m_otlList.UpdateWindow();
    return item;
}

void COptionTree::RemoveFromVisibleList(COptionTreeItem* item) {
    COptionTreeItem** slot = &m_otiVisibleList;
    while (*slot && *slot != item) slot = &(*slot)->m_otiNextVisible;
    if (!*slot) return;
    *slot = item->m_otiNextVisible;
    if (m_otiVisibleLast == item) {
        m_otiVisibleLast = nullptr;
        for (COptionTreeItem* v = m_otiVisibleList; v; v = v->m_otiNextVisible) m_otiVisibleLast = v;
    }
    item->m_otiNextVisible = nullptr;
}

// Deletes a row and its children. The row leaves the visible list before it is
// freed, so that nothing walks into it before the next paint; it is unlinked
// from the tree before its editor goes, so a commit caused by that is not told.
void COptionTree::DeleteRow(COptionTreeItem* item) {
    SendNotify(OTN_ITEMDELETED, item);
    while (COptionTreeItem* c = item->m_otiChild) DeleteRow(c);
    COptionTreeItem** slot = &item->m_otiParent->m_otiChild;
    while (*slot && *slot != item) slot = &(*slot)->m_otiSibling;
    if (*slot) *slot = item->m_otiSibling;
    if (m_otiFocused == item) m_otiFocused = nullptr;
    RemoveFromVisibleList(item);
    item->m_otOption = nullptr;
    item->m_otiParent = nullptr;
    item->DestroyEditor();
    delete item;
}

void COptionTree::DeleteItem(COptionTreeItem* item) {
    if (!item) return;
    if (item == &m_otiRoot) {
        while (COptionTreeItem* c = m_otiRoot.m_otiChild) DeleteRow(c);
    } else {
        if (item->m_otOption != this) return;
        DeleteRow(item);
    }
    RefreshView();
}

void COptionTree::DeleteAllItems() {
    DeleteItem(&m_otiRoot);
    m_uLastID = 1;
}

void COptionTree::ExpandAllItems() {
    ForEachItem([](COptionTreeItem* r) { r->SetExpanded(true); });
    RefreshView();
}

void COptionTree::RefreshItems(COptionTreeItem* item) {
    if (item) {
        item->OnValueRefreshed();
        ForEachItem([](COptionTreeItem* r) { r->OnValueRefreshed(); }, item);
    } else {
        ForEachItem([](COptionTreeItem* r) { r->OnValueRefreshed(); });
    }
    RefreshView();
}

void COptionTree::SetFocusedItem(COptionTreeItem* item) {
    m_otiFocused = item;
    if (item) EnsureVisible(item);
    if (m_otlList.m_hWnd) m_otlList.Invalidate();
    if (m_otInfo.m_hWnd) m_otInfo.Invalidate();
}

bool COptionTree::IsShownRow(const COptionTreeItem* item) const {
    for (COptionTreeItem* v = m_otiVisibleList; v; v = v->m_otiNextVisible)
        if (v == item) return true;
    return false;
}

void COptionTree::EnsureVisible(COptionTreeItem* item) {
    if (!item || item->m_otOption != this || !m_otlList.m_hWnd) return;
    if (!IsShownRow(item)) {
        for (COptionTreeItem* p = item->m_otiParent; p && p != &m_otiRoot; p = p->m_otiParent) p->SetExpanded(true);
        RefreshView();
        m_otlList.UpdateWindow();
    }
    CRect rc;
    m_otlList.GetClientRect(&rc);
    int y = item->m_ptLocation.y, h = item->m_lItemHeight;
    if (y >= m_lScrollPos && y <= m_lScrollPos + rc.Height() - h) return;
    int pos = y < m_lScrollPos ? y : y + 2 * h - rc.Height();
    m_otlList.SetScrollPos(SB_VERT, pos, TRUE);
    m_lScrollPos = m_otlList.GetScrollPos(SB_VERT);
    m_otlList.Invalidate();
}

COptionTreeItem* COptionTree::FindItemAtPoint(CPoint point) const {
    int y = point.y + m_lScrollPos;
    for (COptionTreeItem* v = m_otiVisibleList; v; v = v->m_otiNextVisible)
        if (v->m_ptLocation.y <= y && y < v->m_ptLocation.y + v->m_lItemHeight) return v;
    return nullptr;
}

int COptionTree::HitTest(CPoint point) const {
    COptionTreeItem* item = FindItemAtPoint(point);
    if (!item) return OTHT_NOWHERE;
    if (!item->IsRootLevel() && point.x >= m_lColumn - OT_SPACE && point.x <= m_lColumn + OT_SPACE) return OTHT_COLUMN;
    if (point.x > m_lColumn + OT_SPACE) return OTHT_VALUE;
    if (item->m_rcExpand.PtInRect(CPoint(point.x, point.y + m_lScrollPos))) return OTHT_EXPAND;
    return OTHT_LABEL;
}

void COptionTree::SetColumn(int x) {
    m_lColumn = std::max(x, OT_COLUMNMIN);
    CRect rc;
    if (m_otlList.m_hWnd) m_otlList.GetClientRect(&rc);
    if (!rc.IsRectEmpty()) m_lColumn = std::min<int>(m_lColumn, rc.Width() - OT_COLUMNMIN);
    if (m_otlList.m_hWnd) m_otlList.Invalidate();
}

void COptionTree::SetNotify(bool on, CWnd* target) {
    if (on) {
        m_dwOptions |= OTS_NOTIFY;
    } else {
        m_dwOptions &= ~static_cast<DWORD>(OTS_NOTIFY);
    }
    m_hNotifyTarget = target ? target->GetSafeHwnd() : nullptr;
    Layout();
    if (m_hWnd) Invalidate();
}

LRESULT COptionTree::SendNotify(int code, COptionTreeItem* item) {
    if (!m_hWnd || !::IsWindow(m_hWnd) || !(m_dwOptions & OTS_NOTIFY) || !m_hNotifyTarget || !::IsWindow(m_hNotifyTarget))
        return 0;
    bool sent = (code >= OTN_ITEMACTIVATING && code <= OTN_ITEMCOMMITTED) ||
                (code >= -1103 && code <= OTN_ITEMINSERTED);
    if (!sent) return 0;
    NMOPTIONTREE nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = static_cast<UINT>(code);
    nm.otiItem = item;
    return ::SendMessageW(m_hNotifyTarget, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void COptionTree::RefreshView() {
    if (!m_otlList.m_hWnd) return;
    m_otlList.UpdateResize();
    m_otlList.Invalidate();
    if (m_otInfo.m_hWnd) m_otInfo.Invalidate();
}

void COptionTree::AddToVisibleList(COptionTreeItem* item) {
    item->m_otiNextVisible = nullptr;
    if (m_otiVisibleLast) {
        m_otiVisibleLast->m_otiNextVisible = item;
    } else {
        m_otiVisibleList = item;
    }
    m_otiVisibleLast = item;
}

void COptionTree::ClearVisibleList() {
    m_otiVisibleList = m_otiVisibleLast = nullptr;
    ForEachItem([](COptionTreeItem* r) {
        r->m_otiNextVisible = nullptr;
        r->m_rcLabel.SetRectEmpty();
    });
}

void COptionTree::DeselectAll() {
    ForEachItem([](COptionTreeItem* r) { r->SetSelected(false); });
}

void COptionTree::DropHiddenFocus() {
    if (!m_otiFocused) return;
    for (COptionTreeItem* p = m_otiFocused->m_otiParent; p && p != &m_otiRoot; p = p->m_otiParent)
        if (!p->m_bExpanded) {
            m_otiFocused = nullptr;
            SendNotify(OTN_SELCHANGED, nullptr);
            return;
        }
}
