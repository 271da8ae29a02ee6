#include "CListCtrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int column, LPCWSTR heading, int format, int width, int subItem) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_FMT | (width >= 0 ? LVCF_WIDTH : 0) | (subItem >= 0 ? LVCF_SUBITEM : 0);
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<LPWSTR>(heading);
    col.iSubItem = subItem;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int item, LPCWSTR text) {
    LVITEMW lv{};
    lv.mask = LVIF_TEXT;
    lv.iItem = item;
    lv.pszText = const_cast<LPWSTR>(text);
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCWSTR text) {
    LVITEMW lv{};
    lv.iSubItem = subItem;
    lv.pszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    wchar_t buf[1024] = L"";
    LVITEMW lv{};
    lv.iSubItem = subItem;
    lv.pszText = buf;
    lv.cchTextMax = 1024;
    SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
    return CString(buf);
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMW lv{};
    lv.mask = LVIF_STATE;
    lv.state = state;
    lv.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv)));
}
