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
    SetDlgItemText(IDC_EDIT_INCREMENTO, FormattaNumero(m_dIncremento, m_nDecimali));
}

void CDlgSettings::LeggiCampi(bool soloDecimali) {
    CString testo;
    GetDlgItemText(IDC_EDIT_DECIMALI, testo);
    long decimali = std::wcstol(testo, nullptr, 10);
    m_nDecimali = static_cast<int>(decimali < -1000 ? -1000 : decimali > 1000 ? 1000 : decimali);
    if (soloDecimali) return;
    GetDlgItemText(IDC_EDIT_INCREMENTO, testo);
    m_dIncremento = LeggiNumero(testo);
}

void CDlgSettings::AbilitaUnita() {
    if (CWnd* combo = GetDlgItem(IDC_COMBO_UNITA)) combo->EnableWindow(!m_nUseAutoCAD);
}

void CDlgSettings::OnEnChangeDecimali() {
    LeggiCampi(true);
    FormattaIncremento();
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
    LeggiCampi(false);
    if (m_nDecimali < 0 || m_nDecimali > kDecimaliMax) {
        AfxMessageBox(TranslateText(L"Il numero di cifre decimali deve essere compreso tra 0 e 15."), MB_OK);
        if (CWnd* campo = GetDlgItem(IDC_EDIT_DECIMALI)) GotoDlgCtrl(campo);
        return;
    }
    FormattaIncremento();
    EndDialog(IDOK);
}

void CDlgSettings::OnCancel() { EndDialog(IDCANCEL); }
