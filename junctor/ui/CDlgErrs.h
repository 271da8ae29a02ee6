// Shows the failure log of the legs whose construction failed.
#pragma once

#include <afxwin.h>

class CDlgErrs : public CDialog {
    DECLARE_DYNAMIC(CDlgErrs)

public:
    explicit CDlgErrs(CWnd* parent = nullptr);
    ~CDlgErrs() override;

    void SetTesto(const CString& testo) { m_sTesto = testo; }
    // The text with every line end as a carriage return and line feed.
    static CString Righe(const CString& testo);

protected:
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()

private:
    CString m_sTesto;
};
