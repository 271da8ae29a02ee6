#include "CDlgSettings.h"

#include <cwchar>

#include <NumeroTesto.h>
#include <TranslatorBinding.h>

#include "Resource.h"

IMPLEMENT_DYNAMIC(CDlgSettings, CDialog)

BEGIN_MESSAGE_MAP(CDlgSettings, CDialog)
    ON_BN_CLICKED(IDOK, &CDlgSettings::OnOK)
    ON_BN_CLICKED(IDCANCEL, &CDlgSettings::OnCancel)
    ON_EN_CHANGE(IDC_EDIT_DECIMALI, &CDlgSettings::OnEnChangeDecimali)
    ON_EN_CHANGE(IDC_EDIT_INCREMENTO, &CDlgSettings::OnEnChangeIncremento)
    ON_BN_CLICKED(IDC_RADIO_UNITA_AUTOCAD, &CDlgSettings::OnBnClickedUnitaAutoCAD)
    ON_BN_CLICKED(IDC_RADIO_PERSONALIZZATA, &CDlgSettings::OnBnClickedPersonalizzata)
    ON_CBN_SELCHANGE(IDC_COMBO_UNITA, &CDlgSettings::OnCbnSelchangeUnita)
END_MESSAGE_MAP()

CDlgSettings::CDlgSettings(CWnd* parent) : CDialog(IDD_SETTINGS, parent) {}

CDlgSettings::~CDlgSettings() = default;

BOOL CDlgSettings::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);
    SetIcon(static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_JUNCTOR), IMAGE_ICON, 16, 16, 0)),
            FALSE);

    CString testo;
    testo.Format(L"%d", m_nDecimali);
    SetDlgItemText(IDC_EDIT_DECIMALI, testo);
    FormattaIncremento();
    CheckRadioButton(IDC_RADIO_UNITA_AUTOCAD, IDC_RADIO_PERSONALIZZATA,
                     m_nUseAutoCAD ? IDC_RADIO_UNITA_AUTOCAD : IDC_RADIO_PERSONALIZZATA);
    SetDlgItemText(IDC_EDIT_UNITA_AUTOCAD, m_sNomeUnitaAutoCAD);
    if (auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO_UNITA))) {
        for (INT_PTR i = 0; i < m_aNomiUnita.GetSize(); ++i) combo->InsertString(static_cast<int>(i), m_aNomiUnita[i]);
        combo->SelectString(-1, m_sNomeUnitaPersonalizzata);
    }
    AbilitaUnita();
    return TRUE;
}

void CDlgSettings::FormattaIncremento() {
    // The "%g" probe decides between the fixed and the exponent form; the
    // decimals are taken within 0..15 by the formatting.
    m_bFormattando = true;
    SetDlgItemText(IDC_EDIT_INCREMENTO, FormattaNumero(m_dIncremento, m_nDecimali));
    m_bFormattando = false;
    m_bIncrementoDigitato = false;
}

bool CDlgSettings::LeggiCampi() {
    CString testo;
    GetDlgItemText(IDC_EDIT_DECIMALI, testo);
    long decimali = std::wcstol(testo, nullptr, 10);
    m_nDecimali = static_cast<int>(decimali < -1000 ? -1000 : decimali > 1000 ? 1000 : decimali);
    if (!m_bIncrementoDigitato) return true;
    // Typed as the parameter rows are: a comma is the decimal mark. A step
    // that is no finite number above 0 would stop the spinners.
    GetDlgItemText(IDC_EDIT_INCREMENTO, testo);
    double incremento = 0;
    if (!LeggiNumeroDigitato(testo, incremento) || !(incremento > 0)) return false;
    m_dIncremento = incremento;
    return true;
}

void CDlgSettings::AbilitaUnita() {
    if (CWnd* combo = GetDlgItem(IDC_COMBO_UNITA)) combo->EnableWindow(!m_nUseAutoCAD);
}

// The increment is shown again with the new decimals. One the user typed is
// taken first, so that it is not lost; one that is no valid step stays as
// typed, for OK to refuse.
void CDlgSettings::OnEnChangeDecimali() {
    if (LeggiCampi()) FormattaIncremento();
}

void CDlgSettings::OnEnChangeIncremento() {
    if (!m_bFormattando) m_bIncrementoDigitato = true;
}

void CDlgSettings::OnBnClickedUnitaAutoCAD() {
    m_nUseAutoCAD = IsDlgButtonChecked(IDC_RADIO_UNITA_AUTOCAD) ? 1 : 0;
    AbilitaUnita();
}

void CDlgSettings::OnBnClickedPersonalizzata() {
    m_nUseAutoCAD = IsDlgButtonChecked(IDC_RADIO_PERSONALIZZATA) ? 0 : 1;
    AbilitaUnita();
}

void CDlgSettings::OnCbnSelchangeUnita() {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_COMBO_UNITA));
    int scelta = combo ? combo->GetCurSel() : CB_ERR;
    if (scelta != CB_ERR) combo->GetLBText(scelta, m_sNomeUnitaPersonalizzata);
}

void CDlgSettings::OnOK() {
    // Only a press of the button itself confirms; Enter in a field does not.
    CWnd* ok = GetDlgItem(IDOK);
    if (!ok || CWnd::GetFocus() != ok) return;
    const bool incrementoValido = LeggiCampi();
    if (m_nDecimali < 0 || m_nDecimali > kDecimaliMax) {
        AfxMessageBox(TranslateText(L"Il numero di cifre decimali deve essere compreso tra 0 e 15."), MB_OK);
        if (CWnd* campo = GetDlgItem(IDC_EDIT_DECIMALI)) GotoDlgCtrl(campo);
        return;
    }
    if (!incrementoValido) {
        AfxMessageBox(TranslateText(L"L'incremento deve essere un numero maggiore di 0."), MB_OK);
        if (CWnd* campo = GetDlgItem(IDC_EDIT_INCREMENTO)) GotoDlgCtrl(campo);
        return;
    }
    if (!m_nUseAutoCAD && !UnitaUtilizzabile(m_sNomeUnitaPersonalizzata)) {
        AfxMessageBox(TranslateText(L"Gli angoli non si possono mostrare in questa unit\u00e0 di misura: scegliere "
                                    L"radianti, gradi decimali o gradi centesimali."),
                      MB_OK);
        if (CWnd* campo = GetDlgItem(IDC_COMBO_UNITA)) GotoDlgCtrl(campo);
        return;
    }
    FormattaIncremento();
    EndDialog(IDOK);
}

void CDlgSettings::OnCancel() { EndDialog(IDCANCEL); }

bool CDlgSettings::UnitaUtilizzabile(const CString& nome) const {
    if (m_aNomiUtilizzabili.GetSize() == 0) return true;
    for (INT_PTR i = 0; i < m_aNomiUtilizzabili.GetSize(); ++i)
        if (m_aNomiUtilizzabili[i] == nome) return true;
    return false;
}
