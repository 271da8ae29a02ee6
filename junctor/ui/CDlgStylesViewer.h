// The style viewer: the style file shown through its stylesheet in a web
// browser, with a menu bar to print the page, search it and close.
#pragma once

#include <afxwin.h>

#include "CWebBrowser2.h"

class CDlgStylesViewer : public CDialog {
    DECLARE_DYNAMIC(CDlgStylesViewer)

public:
    explicit CDlgStylesViewer(CWnd* parent = nullptr);
    ~CDlgStylesViewer() override;

    // The file to show; set before the modal run.
    void SetPercorso(const CString& percorso) { m_sPercorso = percorso; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnStampa();
    void OnTrova();
    void OnEsci();

    DECLARE_MESSAGE_MAP()

private:
    CWebBrowser2 m_browser;
    CString m_sPercorso;
    int m_cxUltimo = 0;
    int m_cyUltimo = 0;
    CStatic m_staticMinimo;
};
