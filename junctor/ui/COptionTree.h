// The option tree: a property grid of labelled rows under collapsible groups,
// with a movable divider between labels and values and an optional description
// pane. It tells its notification target about changes through WM_NOTIFY.
#pragma once

#include <vector>

#include "COptionTreeInfo.h"
#include "COptionTreeItem.h"
#include "COptionTreeList.h"

class COptionTree : public CWnd {
public:
    COptionTree();
    ~COptionTree() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, DWORD options, UINT id);

    COptionTreeItem* InsertItem(COptionTreeItem* item, COptionTreeItem* parent = nullptr);
    void DeleteItem(COptionTreeItem* item);
    void DeleteAllItems();
    void ExpandAllItems();
    void RefreshItems(COptionTreeItem* item = nullptr);
    void SetFocusedItem(COptionTreeItem* item);
    void EnsureVisible(COptionTreeItem* item);
    COptionTreeItem* FindItemAtPoint(CPoint point) const;
    int HitTest(CPoint point) const;
    void SetColumn(int x);
    void SetNotify(bool on, CWnd* target);
    LRESULT SendNotify(int code, COptionTreeItem* item = nullptr);
    void RefreshView();
    void SetDividerCursor(HCURSOR cursor) { m_hDividerCursor = cursor; }

    COptionTreeItem* GetRootItem() { return &m_otiRoot; }
    DWORD GetTreeOptions() const { return m_dwOptions; }
    COptionTreeItem* GetFocusedItem() const { return m_otiFocused; }
    int GetColumn() const { return m_lColumn; }
    int GetScrollPosition() const { return m_lScrollPos; }
    COptionTreeItem* GetVisibleList() const { return m_otiVisibleList; }
    COptionTreeList* GetRowsView() { return &m_otlList; }
    COptionTreeInfo* GetInfoPane() { return &m_otInfo; }
    HCURSOR GetDividerCursor() const { return m_hDividerCursor; }

    // The fonts all trees share.
    static CFont* GetNormalFont() { return &s_fontNormal; }
    static CFont* GetBoldFont() { return &s_fontBold; }
    static int GetLivingTrees() { return static_cast<int>(s_trees.size()); }

    // Used by the rows view and the rows.
    void AddToVisibleList(COptionTreeItem* item);
    void ClearVisibleList();
    void SetScrollPosition(int pos) { m_lScrollPos = pos; }
    void DeselectAll();
    // Calls a function on every row (the root excluded), parents first.
    template <typename F>
    void ForEachItem(F f, COptionTreeItem* from = nullptr) {
        for (COptionTreeItem* c = (from ? from : &m_otiRoot)->GetFirstChild(); c; c = c->GetNextSibling()) {
            f(c);
            ForEachItem(f, c);
        }
    }
    // Collapsing a group can hide the focused row: the focus is then dropped.
    void DropHiddenFocus();
    bool IsShownRow(const COptionTreeItem* item) const;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    void OnEnable(BOOL enable);
    void OnSysColorChange();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Layout();
    void DeleteRow(COptionTreeItem* item);
    void RemoveFromVisibleList(COptionTreeItem* item);
    static void CreateFonts();
    static void DeleteFonts();

    DWORD m_dwOptions = 0;
    COptionTreeInfo m_otInfo;
    COptionTreeItem m_otiRoot;
    COptionTreeItem* m_otiVisibleList = nullptr;
    COptionTreeItem* m_otiFocused = nullptr;
    int m_lColumn = 150;
    int m_lScrollPos = 0;
    COptionTreeList m_otlList;
    int m_uLastID = 0;
    HWND m_hNotifyTarget = nullptr;

    COptionTreeItem* m_otiVisibleLast = nullptr;
    HCURSOR m_hDividerCursor = nullptr;

    static CFont s_fontNormal;
    static CFont s_fontBold;
    static std::vector<COptionTree*> s_trees;
};
