// The main intersection dialog: the construction style, the picked roads and
// their legs, which legs to build with which lanes, the current leg's style
// parameters in the parameter tree, and the picture panel. It owns nothing of
// the model and ends with a code telling the command what to do next.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <CJunctorSettings.h>
#include <CPrincipaleJunctor.h>
#include <CSecondariaJunctor.h>

#include "CConstrParsOptionTree.h"
#include "CXmlReaderJunctor.h"

class CDlgJunctor : public CDialog {
    DECLARE_DYNAMIC(CDlgJunctor)

public:
    // What the command does after the dialog.
    enum Codice { ANNULLA = 0, DISEGNA = 1, SELEZIONE_TRACCIATI = 2, ANTEPRIMA = 3 };

    explicit CDlgJunctor(CWnd* parent = nullptr);
    ~CDlgJunctor() override;

    void SetElementi(CPrincipaleJunctor* principale, CSecondariaJunctor* in, CSecondariaJunctor* out) {
        m_pPrincipale = principale;
        m_pIn = in;
        m_pOut = out;
    }
    void SetImpostazioni(CJunctorSettings* settings) { m_pSettings = settings; }
    void SetRisorse(HINSTANCE risorse) { m_hRisorse = risorse; }
    void SetLettore(CXmlReaderJunctor* lettore) { m_pLettore = lettore; }
    int GetCodice() const { return m_nCodice; }

    CConstrParsOptionTree& GetAlbero() { return m_otParametri; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnCbnSelchangeStile();
    void OnLvnItemchangedStrade(NMHDR* nm, LRESULT* result);
    void OnBnClickedTricentrica();
    void OnBnClickedCorsiaSx();
    void OnCbnSelchangeMetodo();
    void OnBnClickedSelezioneTracciati();
    void OnBnClickedAnteprima();
    void OnBnClickedImmagine();
    void OnParametroSelezionato(NMHDR* nm, LRESULT* result);
    void OnParametroModificato(NMHDR* nm, LRESULT* result);
    // Puts an island value the leg cannot hold back to the old one and says why.
    void RifiutaValoreIsola(CSingleConstrPar& parametro, double vecchio, const CString& motivi);
    void OnBnClickedHelp();
    void OnBnClickedSalva();
    void OnBnClickedSalvaCome();
    void OnBnClickedElimina();
    void OnBnClickedParametri();
    void OnBnClickedImpostazioni();
    void OnBnClickedVisualizza();
    bool VerificaFileStili();

    void InitListaStrade();
    void CreaAlbero();
    void InitControlli();
    void RiempiStili();
    void RiempiStrade();
    void RiempiParametri();
    void RiempiMetodi();
    void LeggiControlli();
    bool VerificaSelezione();
    void AlternaImmagine();
    void MostraImmagine();
    // Style-file operation: 0 settings, 1 add, 2 overwrite, 3 delete; then the print copy.
    void OperazioneStili(int modo, const CString& nome, const CString& descrizione);

    DECLARE_MESSAGE_MAP()

private:
    // The leg the settings name as current, when it exists.
    CSecondariaJunctor* RamoCorrente() const;
    bool HaElementi() const { return m_pPrincipale || m_pIn || m_pOut; }
    // The tree, the lane check boxes and "Parametri" enabled, "Ambito urbano" shown.
    void Abilita(bool abilita);
    // The combo's entry of that name selected, or none.
    void SelezionaStileCombo(const CString& nome);
    // The current style of the list; false when there is none.
    bool StileCorrente(CString& nome, CString& descrizione) const;
    // The tree shows a set, its angles in the settings' unit (labels and values).
    void MostraParametri(CConstrPars* parametri);
    // The four check states from the lane set's switches.
    void ChecksDaCorsie();
    void SpostaControlli(int d);
    // The picture of the focused parameter row, else of the first one.
    CString ImmaginePrimaRiga();
    // The current style, or the message that there is none.
    bool StileCorrenteOMessaggio(CString& nome, CString& descrizione);
    // The check states and the tree's rows into the lane and style sets.
    void LeggiPerSalvare();

    CComboBox m_cbStili;
    CButton m_chkCorsiaSx;
    CButton m_chkUrbano;
    CButton m_chkCorsiaImm;
    CButton m_chkCorsiaUsc;
    CButton m_btnParametri;
    CListCtrl m_lcStrade;
    CStatic m_stImmagine;
    int m_nCorsiaSx = 0;
    int m_nUrbano = 0;
    int m_nCorsiaImm = 0;
    int m_nCorsiaUsc = 0;
    HINSTANCE m_hRisorse = nullptr;
    CConstrParsOptionTree m_otParametri;
    int m_nCodice = ANNULLA;
    CJunctorSettings* m_pSettings = nullptr;
    CXmlReaderJunctor* m_pLettore = nullptr;
    CPrincipaleJunctor* m_pPrincipale = nullptr;
    CSecondariaJunctor* m_pIn = nullptr;
    CSecondariaJunctor* m_pOut = nullptr;
    int m_nUltimoVisto = -1;
    // The arrow shown on the picture button, the dialog's to delete.
    HBITMAP m_hFreccia = nullptr;
};
