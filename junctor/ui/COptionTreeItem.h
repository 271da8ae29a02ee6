// One row of the option tree: a label left of the divider, a value right of it,
// children under it. The tree owns every row inserted into it.
#pragma once

#include "OptionTreeDef.h"

class COptionTree;

class COptionTreeItem {
public:
    COptionTreeItem();
    virtual void DrawValue(CDC* dc, CRect rcValue);
    virtual void OnEditStart();
    virtual void OnLayoutChanged();
    virtual void OnValueRefreshed();
    virtual void OnEditCommitted();
    virtual void DestroyEditor();
    virtual void OnUnselected();
    virtual void OnSelected();
    virtual void OnExpandChanged(bool expanded);
    virtual ~COptionTreeItem();

    void StartEdit();
    void Commit();
    void SetSelected(bool selected);
    void SetExpanded(bool expanded);
    // Paints the row at indent x and content y, then its expanded children;
    // the painted height.
    int Paint(CDC* dc, const CRect& rcClient, int x, int y);

    CString GetLabel() const { return m_strLabel; }
    void SetLabel(LPCWSTR label) { m_strLabel = label; }
    CString GetDescription() const { return m_strDescription; }
    void SetDescription(LPCWSTR description) { m_strDescription = description; }
    int GetKind() const { return m_nKind; }
    void SetKind(int kind) { m_nKind = kind; }
    int GetId() const { return m_uID; }
    void SetId(int id) { m_uID = id; }
    bool IsReadOnly() const { return m_bReadOnly != 0; }
    void SetReadOnly(bool readOnly) { m_bReadOnly = readOnly; }
    COptionTreeItem* GetParent() const { return m_otiParent; }
    COptionTreeItem* GetFirstChild() const { return m_otiChild; }
    COptionTreeItem* GetNextSibling() const { return m_otiSibling; }
    COptionTreeItem* GetNextVisible() const { return m_otiNextVisible; }
    COptionTree* GetOptionsOwner() const { return m_otOption; }
    bool IsExpanded() const { return m_bExpanded != 0; }
    bool IsSelected() const { return m_bSelected != 0; }
    bool IsActivated() const { return m_bActivated != 0; }
    bool IsCommitted() const { return m_bCommitted != 0; }
    bool IsRootLevel() const;
    int GetHeight() const { return m_lItemHeight; }
    CPoint GetLocation() const { return m_ptLocation; }
    CRect GetValueRect() const { return m_rcValue; }
    CRect GetLabelRect() const { return m_rcLabel; }
    CRect GetExpandRect() const { return m_rcExpand; }
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetRootBackgroundColor() const { return m_crRootBackground; }
    COLORREF GetLabelTextColor() const { return m_crLabelText; }
    COLORREF GetLabelBackgroundColor() const { return m_crLabelBackground; }

private:
    friend class COptionTree;

    CString m_strLabel;
    CString m_strDescription;
    int m_uID = 0;
    COptionTreeItem* m_otiParent = nullptr;
    COptionTreeItem* m_otiSibling = nullptr;
    COptionTreeItem* m_otiChild = nullptr;
    COptionTreeItem* m_otiNextVisible = nullptr;
    CRect m_rcExpand;
    COptionTree* m_otOption = nullptr;
    CPoint m_ptLocation;
    CRect m_rcValue;
    int m_bCommitted = 0;
    int m_lItemHeight = OT_DEFHEIGHT;
    CRect m_rcLabel;
    int m_bSelected = 0;
    int m_bExpanded = 0;
    int m_bActivated = 0;
    int m_bReadOnly = 0;
    int m_nKind = OT_KIND_ITEM;
    COLORREF m_crBackground;
    COLORREF m_crText;
    COLORREF m_crRootBackground;
    COLORREF m_crLabelText;
    COLORREF m_crLabelBackground;
};
