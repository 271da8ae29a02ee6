// A command's state as its handlers set it: asked for before a menu or a
// toolbar shows the command (`ON_UPDATE_COMMAND_UI`).
#pragma once

#include "WinTypes.h"

class CCmdUI {
public:
    explicit CCmdUI(UINT id = 0) : m_nID(id) {}
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL on = TRUE) {
        m_bEnabled = on;
        m_bEnableChanged = TRUE;
    }
    virtual void SetCheck(int check = 1) { m_nCheck = check; }

    UINT m_nID;
    BOOL m_bEnabled = TRUE;
    BOOL m_bEnableChanged = FALSE;
    int m_nCheck = 0;
};
