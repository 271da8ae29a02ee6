// Asks for the name and description of a style to save, and whether an
// existing style of that name may be overwritten.
#pragma once

#include <afxwin.h>

class CConstrStylesMgr;

class CDlgSaveStyleAs : public CDialog {
    DECLARE_DYNAMIC(CDlgSaveStyleAs)

public:
    explicit CDlgSaveStyleAs(CWnd* parent = nullptr);
    ~CDlgSaveStyleAs() override;

    void SetStili(CConstrStylesMgr* stili) { m_pStili = stili; }
    CString GetNome() const { return m_sNome; }
    CString GetDescrizione() const { return m_sDescrizione; }
    bool GetSovrascrivi() const { return m_bSovrascrivi; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()

private:
    // The stored name of a style whose name differs from this one at most in case.
    bool TrovaSenzaMaiuscole(const CString& nome, CString& esistente) const;

    CConstrStylesMgr* m_pStili = nullptr;
    CString m_sNome;
    CString m_sDescrizione;
    bool m_bSovrascrivi = false;
};
