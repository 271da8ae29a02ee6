// A row of the option tree whose value is edited with the decimal spinner it
// is: the window part first, the row part after it.
#pragma once

#include "COptionTreeItem.h"
#include "COptionTreeSpinnerDecButton.h"

class COptionTreeItemSpinnerDec : public COptionTreeSpinnerDecButton, public COptionTreeItem {
public:
    COptionTreeItemSpinnerDec();
    ~COptionTreeItemSpinnerDec() override;

    // The whole object of a row, or null when the row is of another kind.
    static COptionTreeItemSpinnerDec* FromItem(COptionTreeItem* item);

    BOOL CreateSpinner(DWORD options, double value, double minimum, double maximum, double step, int decimals,
                       int trimZeros);
    bool EditorHasFocus() const { return m_bEditorFocus != 0; }

    void DrawValue(CDC* dc, CRect rcValue) override;
    void OnEditStart() override;
    void OnLayoutChanged() override;
    void OnValueRefreshed() override;
    void OnEditCommitted() override;
    void DestroyEditor() override;
    void OnUnselected() override;

protected:
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    LRESULT OnCommit(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Puts the spinner on the value rectangle, shown or hidden.
    void Place(bool show);

    int m_bEditorFocus = 0;
    bool m_bDestroying = false;
};
