// The editing settings: decimals and increment of the parameter spinners, and
// the unit the curb-return angles are shown in.
#pragma once

#include <afxwin.h>

class CDlgSettings : public CDialog {
    DECLARE_DYNAMIC(CDlgSettings)

public:
    explicit CDlgSettings(CWnd* parent = nullptr);
    ~CDlgSettings() override;

    void SetDecimali(int decimali) { m_nDecimali = decimali; }
    void SetIncremento(double incremento) { m_dIncremento = incremento; }
    void SetUseAutoCAD(bool use) { m_nUseAutoCAD = use ? 1 : 0; }
    void SetNomeUnitaAutoCAD(const CString& nome) { m_sNomeUnitaAutoCAD = nome; }
    void SetNomeUnitaPersonalizzata(const CString& nome) { m_sNomeUnitaPersonalizzata = nome; }
    void AggiungiNomiUnita(const CStringArray& nomi) { m_aNomiUnita.Append(nomi); }
    // The names of the units the angles can be shown in; a custom unit outside
    // them is refused by OK. None given: every name is taken.
    void SetNomiUnitaUtilizzabili(const CStringArray& nomi) {
        m_aNomiUtilizzabili.RemoveAll();
        m_aNomiUtilizzabili.Append(nomi);
    }

    int GetDecimali() const { return m_nDecimali; }
    double GetIncremento() const { return m_dIncremento; }
    bool GetUseAutoCAD() const { return m_nUseAutoCAD != 0; }
    // The AutoCAD unit name when that unit is used, else the custom one.
    CString GetNomeUnita() const { return m_nUseAutoCAD ? m_sNomeUnitaAutoCAD : m_sNomeUnitaPersonalizzata; }

    // The decimals a number format takes.
    static constexpr int kDecimaliMax = 15;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnEnChangeDecimali();
    void OnEnChangeIncremento();
    void OnBnClickedUnitaAutoCAD();
    void OnBnClickedPersonalizzata();
    void OnCbnSelchangeUnita();

    void FormattaIncremento();
    // Reads the decimals and, when the user typed it, the increment; false
    // when that increment is no number above 0.
    bool LeggiCampi();
    void AbilitaUnita();
    bool UnitaUtilizzabile(const CString& nome) const;

    DECLARE_MESSAGE_MAP()

private:
    double m_dIncremento = 1.0;
    int m_nDecimali = 0;
    int m_nUseAutoCAD = 0;
    CString m_sNomeUnitaAutoCAD;
    CString m_sNomeUnitaPersonalizzata;
    CStringArray m_aNomiUnita;
    CStringArray m_aNomiUtilizzabili;
    // The field shows the increment rounded to the decimals: it is read back
    // only when the user changed it.
    bool m_bIncrementoDigitato = false;
    bool m_bFormattando = false;
};
