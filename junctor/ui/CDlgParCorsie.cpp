#include "CDlgParCorsie.h"

#include <ArxAppContext.h>
#include <ChmHelp.h>
#include <TranslatorBinding.h>

#include "Resource.h"

IMPLEMENT_DYNAMIC(CDlgParCorsie, CDialog)

BEGIN_MESSAGE_MAP(CDlgParCorsie, CDialog)
    ON_BN_CLICKED(IDOK, &CDlgParCorsie::OnOK)
    ON_BN_CLICKED(IDC_BUTTON_HELP, &CDlgParCorsie::OnBnClickedHelp)
END_MESSAGE_MAP()

namespace {

// How far each tree stays inside its group box, in pixels.
constexpr int kBordoAlbero = 20;

}  // namespace

CDlgParCorsie::CDlgParCorsie(CWnd* parent) : CDialog(IDD_PARCORSIE, parent) {}

CDlgParCorsie::~CDlgParCorsie() = default;

void CDlgParCorsie::CreaAlbero(CLaneParsOptionTree& albero, int gruppo, UINT id) {
    if (m_pSettings) {
        albero.SetIncremento(m_pSettings->GetIncremento());
        albero.SetDecimali(m_pSettings->GetDecimali());
    }
    albero.SetLimiti(10000, -10000);
    albero.SetTrimZeros(0);
    albero.SetDividerCursor(nullptr);
    CRect rect;
    if (CWnd* box = GetDlgItem(gruppo)) {
        box->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    rect.DeflateRect(kBordoAlbero, kBordoAlbero);
    albero.Create(WS_CHILD | WS_VISIBLE, rect, this, OTS_INFOPANE | OTS_SHADEEXPANDCOLUMN | OTS_SHADEROOTROWS, id);
    albero.SetNotify(true, this);
    // Null is the top of the z-order: the tree lies over its group box.
    albero.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

BOOL CDlgParCorsie::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);
    CLanePars* corsie = m_pSettings ? m_pSettings->GetParCorsie() : nullptr;
    m_otImmissione.SetParametri(corsie);
    m_otUscita.SetParametri(corsie);
    m_otSvoltaSx.SetParametri(corsie);
    CreaAlbero(m_otImmissione, IDC_GROUP_IMMISSIONE, IDC_ALBERO_IMMISSIONE);
    CreaAlbero(m_otUscita, IDC_GROUP_USCITA, IDC_ALBERO_USCITA);
    CreaAlbero(m_otSvoltaSx, IDC_GROUP_SVOLTA_SX, IDC_ALBERO_SVOLTA_SX);
    m_otImmissione.RiempiImmissione();
    m_otUscita.RiempiUscita();
    m_otSvoltaSx.RiempiSvoltaSx();
    return TRUE;
}

void CDlgParCorsie::OnOK() {
    m_otImmissione.LeggiImmissione();
    m_otUscita.LeggiUscita();
    m_otSvoltaSx.LeggiSvoltaSx();
    EndDialog(IDOK);
}

void CDlgParCorsie::OnBnClickedHelp() { ApriGuida(); }

void CDlgParCorsie::ApriGuida() {
    CArxAppContext* context = GetArxAppContext();
    CString topic = TranslateText(L"Disegna_Intersezione_a_T_junctor_.htm");
    CChmHelp help(context ? context->GetAppDir() : L"", topic);
}
