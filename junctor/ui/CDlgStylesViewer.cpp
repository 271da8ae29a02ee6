#include "CDlgStylesViewer.h"

#include <CControls.h>
#include <TranslatorBinding.h>

#include "Resource.h"

IMPLEMENT_DYNAMIC(CDlgStylesViewer, CDialog)

BEGIN_MESSAGE_MAP(CDlgStylesViewer, CDialog)
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
    ON_COMMAND(ID_FILE_STAMPA, &CDlgStylesViewer::OnStampa)
    ON_COMMAND(ID_FILE_ESCI, &CDlgStylesViewer::OnEsci)
    ON_COMMAND(ID_MODIFICA_TROVA, &CDlgStylesViewer::OnTrova)
END_MESSAGE_MAP()

CDlgStylesViewer::CDlgStylesViewer(CWnd* parent) : CDialog(IDD_STYLESVIEWER, parent) {}

CDlgStylesViewer::~CDlgStylesViewer() = default;

void CDlgStylesViewer::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_EXPLORER, m_browser);
    DDX_Control(dx, IDC_STATIC_MINIMO, m_staticMinimo);
}

BOOL CDlgStylesViewer::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);
    SetIcon(static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_JUNCTOR), IMAGE_ICON, 16, 16, 0)),
            FALSE);
    // The window keeps the menu bar and destroys it with itself.
    CMenu menu;
    if (menu.LoadMenu(IDR_MENU_VIEWER)) {
        SetMenu(&menu);
        menu.Detach();
    }
    CenterWindow();
    m_browser.Navigate(m_sPercorso, nullptr, nullptr, nullptr, nullptr);
    return TRUE;
}

void CDlgStylesViewer::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    // The first size message comes before the browser is bound.
    if (m_cxUltimo != 0 && m_browser.GetSafeHwnd()) {
        CRect r;
        m_browser.GetWindowRect(&r);
        ScreenToClient(&r);
        m_browser.SetWindowPos(nullptr, 0, 0, r.Width() + cx - m_cxUltimo, r.Height() + cy - m_cyUltimo,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    }
    m_cxUltimo = cx;
    m_cyUltimo = cy;
}

void CDlgStylesViewer::OnGetMinMaxInfo(MINMAXINFO* info) {
    CDialog::OnGetMinMaxInfo(info);
    if (m_staticMinimo.GetSafeHwnd()) {
        CRect r;
        m_staticMinimo.GetWindowRect(&r);
        ScreenToClient(&r);
        info->ptMinTrackSize.x = r.right + 2 * GetSystemMetrics(SM_CXFRAME);
        info->ptMinTrackSize.y = r.bottom + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
    }
}

void CDlgStylesViewer::OnStampa() {
    CPrintDialog dlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE, this);
    bool confermata = dlg.DoModal() == IDOK;
    // The dialog hands back its device settings whatever the answer; they
    // are not passed on (the browser asks again) and are freed here.
    if (dlg.m_pd.hDevMode) GlobalFree(dlg.m_pd.hDevMode);
    if (dlg.m_pd.hDevNames) GlobalFree(dlg.m_pd.hDevNames);
    if (confermata) m_browser.ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, nullptr, nullptr);
}

void CDlgStylesViewer::OnTrova() {
    // Nothing is shown (no document) or the document has no command target:
    // there is nothing to search.
    IDispatch* documento = m_browser.GetDocument();
    if (!documento) return;
    IOleCommandTarget* comandi = nullptr;
    HRESULT hr = documento->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&comandi));
    documento->Release();
    if (FAILED(hr) || !comandi) return;
    comandi->Exec(&CGID_IWebBrowser, HTMLID_FIND, 0, nullptr, nullptr);
    comandi->Release();
}

void CDlgStylesViewer::OnEsci() { CDialog::OnOK(); }
