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

CDlgParCorsie::CDlgParCorsie(CWnd* parent) : CDialog(IDD_PARCORSIE, parent) {}

CDlgParCorsie::~CDlgParCorsie() = default;

BOOL CDlgParCorsie::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);
    CLanePars* corsie = m_pSettings ? m_pSettings->GetParCorsie() : nullptr;
    m_otImmissione.SetParametri(corsie);
    m_otUscita.SetParametri(corsie);
    m_otSvoltaSx.SetParametri(corsie);
    const double incremento = m_pSettings ? m_pSettings->GetIncremento() : 1.0;
    const int decimali = m_pSettings ? m_pSettings->GetDecimali() : 0;
    m_otImmissione.CreaNelGruppo(this, incremento, decimali, IDC_GROUP_IMMISSIONE, IDC_ALBERO_IMMISSIONE);
    m_otUscita.CreaNelGruppo(this, incremento, decimali, IDC_GROUP_USCITA, IDC_ALBERO_USCITA);
    m_otSvoltaSx.CreaNelGruppo(this, incremento, decimali, IDC_GROUP_SVOLTA_SX, IDC_ALBERO_SVOLTA_SX);
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
