// The edit field inside a spinner.
#pragma once

#include "OptionTreeDef.h"

class COptionTreeSpinnerButton;

class COptionTreeSpinnerEdit : public CEdit {
public:
    void SetOwnerSpinner(COptionTreeSpinnerButton* spinner) { m_otSpinner = spinner; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnKillFocus(CWnd* newWnd);
    void OnContextMenu(CWnd* wnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    bool Editable() const;

    COptionTreeSpinnerButton* m_otSpinner = nullptr;
};
