// The description pane under the rows: the focused row's label and description.
#pragma once

#include "OptionTreeDef.h"

class COptionTree;

class COptionTreeInfo : public CWnd {
public:
    void SetOptionsOwner(COptionTree* tree) { m_otOption = tree; }

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    COptionTree* m_otOption = nullptr;
};
