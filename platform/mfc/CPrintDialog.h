// The framework's print dialog over PrintDlgW. The DEVMODE and DEVNAMES the
// dialog hands back in m_pd are global memory the caller frees.
#pragma once

#include <WinPrint.h>

#include "CDialog.h"

class CPrintDialog : public CDialog {
public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                          CWnd* parent = nullptr);

    // IDOK when the person confirmed, else IDCANCEL.
    INT_PTR DoModal() override;

    PRINTDLGW m_pd{};
};
