#include "CDlgJunctor.h"


#include <TranslatorBinding.h>

#include "CDlgParCorsie.h"
#include "CImmagineMgr.h"
#include "CXmlWriterJunctor.h"
#include "NumeroTesto.h"
#include "Resource.h"

IMPLEMENT_DYNAMIC(CDlgJunctor, CDialog)

BEGIN_MESSAGE_MAP(CDlgJunctor, CDialog)
    ON_BN_CLICKED(IDCANCEL, &CDlgJunctor::OnCancel)
    ON_BN_CLICKED(IDOK, &CDlgJunctor::OnOK)
    ON_BN_CLICKED(IDC_BUTTON_ANTEPRIMA, &CDlgJunctor::OnBnClickedAnteprima)
    ON_BN_CLICKED(IDC_BUTTON_HELP, &CDlgJunctor::OnBnClickedHelp)
    ON_BN_CLICKED(IDC_BUTTON_SELEZIONE, &CDlgJunctor::OnBnClickedSelezioneTracciati)
    ON_CBN_SELCHANGE(IDC_COMBO_STILI, &CDlgJunctor::OnCbnSelchangeStile)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LIST_STRADE, &CDlgJunctor::OnLvnItemchangedStrade)
    ON_BN_CLICKED(IDC_CHECK_TRICENTRICA, &CDlgJunctor::OnBnClickedTricentrica)
    ON_NOTIFY(OTN_ITEMCOMMITTED, IDC_ALBERO_PARAMETRI, &CDlgJunctor::OnParametroModificato)
    ON_NOTIFY(OTN_SELCHANGED, IDC_ALBERO_PARAMETRI, &CDlgJunctor::OnParametroSelezionato)
    ON_BN_CLICKED(IDC_BUTTON_IMMAGINE, &CDlgJunctor::OnBnClickedImmagine)
    ON_CBN_SELCHANGE(IDC_COMBO_METODO, &CDlgJunctor::OnCbnSelchangeMetodo)
    ON_BN_CLICKED(IDC_CHECK_CORSIA_SX, &CDlgJunctor::OnBnClickedCorsiaSx)
    ON_BN_CLICKED(IDC_BUTTON_SALVA, &CDlgJunctor::OnBnClickedSalva)
    ON_BN_CLICKED(IDC_BUTTON_SALVA_COME, &CDlgJunctor::OnBnClickedSalvaCome)
    ON_BN_CLICKED(IDC_BUTTON_ELIMINA, &CDlgJunctor::OnBnClickedElimina)
    ON_BN_CLICKED(IDC_BUTTON_PARAMETRI, &CDlgJunctor::OnBnClickedParametri)
    ON_BN_CLICKED(IDC_BUTTON_IMPOSTAZIONI, &CDlgJunctor::OnBnClickedImpostazioni)
    ON_BN_CLICKED(IDC_BUTTON_VISUALIZZA, &CDlgJunctor::OnBnClickedVisualizza)
END_MESSAGE_MAP()

CDlgJunctor::CDlgJunctor(CWnd* parent) : CDialog(IDD_JUNCTOR, parent) {}

CDlgJunctor::~CDlgJunctor() {
    if (m_hFreccia) DeleteObject(m_hFreccia);
}

void CDlgJunctor::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_COMBO_STILI, m_cbStili);
    DDX_Control(dx, IDC_CHECK_CORSIA_SX, m_chkCorsiaSx);
    DDX_Control(dx, IDC_CHECK_URBANO, m_chkUrbano);
    DDX_Control(dx, IDC_CHECK_CORSIA_IMM, m_chkCorsiaImm);
    DDX_Control(dx, IDC_CHECK_CORSIA_USC, m_chkCorsiaUsc);
    DDX_Control(dx, IDC_BUTTON_PARAMETRI, m_btnParametri);
    DDX_Control(dx, IDC_LIST_STRADE, m_lcStrade);
    DDX_Control(dx, IDC_IMMAGINE, m_stImmagine);
    DDX_Check(dx, IDC_CHECK_CORSIA_SX, m_nCorsiaSx);
    DDX_Check(dx, IDC_CHECK_URBANO, m_nUrbano);
    DDX_Check(dx, IDC_CHECK_CORSIA_IMM, m_nCorsiaImm);
    DDX_Check(dx, IDC_CHECK_CORSIA_USC, m_nCorsiaUsc);
}

CSecondariaJunctor* CDlgJunctor::RamoCorrente() const {
    if (!m_pSettings) return nullptr;
    const int ramo = m_pSettings->GetRamo();
    return ramo == 1 ? m_pIn : ramo == 0 ? m_pOut : nullptr;
}

bool CDlgJunctor::StileCorrente(CString& nome, CString& descrizione) const {
    if (!m_pSettings) return false;
    try {
        m_pSettings->GetStileCorrente(nome, descrizione);
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

void CDlgJunctor::Abilita(bool abilita) {
    if (m_otParametri.m_hWnd) m_otParametri.EnableWindow(abilita);
    m_chkCorsiaSx.EnableWindow(abilita);
    m_chkCorsiaImm.EnableWindow(abilita);
    m_chkCorsiaUsc.EnableWindow(abilita);
    m_btnParametri.EnableWindow(abilita);
    m_chkUrbano.ShowWindow(abilita ? SW_SHOW : SW_HIDE);
}

// The entry of exactly that name when there is one (a file may hold names
// that differ only in case), else the first that differs only in case.
void CDlgJunctor::SelezionaStileCombo(const CString& nome) {
    int scelta = m_cbStili.FindStringExact(-1, nome);
    for (int i = 0; i < m_cbStili.GetCount(); ++i) {
        CString voce;
        m_cbStili.GetLBText(i, voce);
        if (voce == nome) {
            scelta = i;
            break;
        }
    }
    m_cbStili.SetCurSel(scelta);
}

void CDlgJunctor::ChecksDaCorsie() {
    CLanePars* corsie = m_pSettings->GetParCorsie();
    if (!corsie) return;
    // Without roads the lane boxes are disabled and stay as the dialog
    // starts them: cleared. The style's lanes show once there is a leg.
    if (!HaElementi()) {
        m_nCorsiaImm = m_nCorsiaUsc = m_nCorsiaSx = m_nUrbano = 0;
        return;
    }
    m_nCorsiaImm = corsie->GetCorsiaImm() == L"Y";
    m_nCorsiaUsc = corsie->GetCorsiaUsc() == L"Y";
    m_nCorsiaSx = corsie->GetCorsiaSx() == L"Y";
    m_nUrbano = corsie->GetCorsiaSxUrbano() == L"Y";
}

BOOL CDlgJunctor::OnInitDialog() {
    CDialog::OnInitDialog();
    TranslateDialog(m_hWnd);
    SetIcon(static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_JUNCTOR), IMAGE_ICON, 16, 16, 0)),
            FALSE);
    // The picture button shows its arrow only: out of the dialog while the panel is closed.
    if (CWnd* bottone = GetDlgItem(IDC_BUTTON_IMMAGINE)) {
        m_hFreccia = LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_IMMAGINE_CHIUSA));
        ::SendMessageW(bottone->m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_hFreccia));
    }
    if (!m_pSettings) return TRUE;
    InitListaStrade();
    CreaAlbero();
    Abilita(HaElementi());
    InitControlli();
    UpdateData(FALSE);
    OnCbnSelchangeStile();
    // The panel flag outlives the dialog; a dialog opened with it set shows
    // the panel, so that the button and the layout agree.
    if (m_pSettings->GetPannelloImmagine()) {
        m_pSettings->SetPannelloImmagine(false);
        AlternaImmagine();
    }
    return TRUE;
}

void CDlgJunctor::InitListaStrade() {
    m_lcStrade.InsertColumn(0, TranslateText(L"Tracciato"), LVCFMT_LEFT, 120);
    m_lcStrade.InsertColumn(1, TranslateText(L"Verso"), LVCFMT_CENTER, 60);
    m_lcStrade.SetExtendedStyle(m_lcStrade.GetExtendedStyle() | LVS_EX_CHECKBOXES);
}

void CDlgJunctor::CreaAlbero() {
    m_otParametri.CreaNelGruppo(this, m_pSettings->GetIncremento(), m_pSettings->GetDecimali(), IDC_GROUP_PARAMETRI,
                                IDC_ALBERO_PARAMETRI);
}

void CDlgJunctor::InitControlli() {
    RiempiStili();
    RiempiStrade();
    RiempiParametri();
    RiempiMetodi();
}

// Without a current style (a file without DEFAULT, an emptied list) the combo
// shows no selection.
void CDlgJunctor::RiempiStili() {
    m_cbStili.ResetContent();
    CArray<ConstrStyle> stili;
    m_pSettings->CopiaStili(stili);
    for (INT_PTR i = 0; i < stili.GetSize(); ++i) m_cbStili.AddString(stili[i].nome);
    CString nome, descrizione;
    if (StileCorrente(nome, descrizione)) SelezionaStileCombo(nome);
    else m_cbStili.SetCurSel(-1);
}

void CDlgJunctor::RiempiStrade() {
    if (m_pPrincipale) SetDlgItemText(IDC_EDIT_PRINCIPALE, m_pPrincipale->GetNome());
    struct Voce {
        CSecondariaJunctor* ramo;
        int codice;
    } voci[] = {{m_pIn, 1}, {m_pOut, 0}};
    for (const Voce& v : voci) {
        if (!v.ramo) continue;
        const int i = m_lcStrade.InsertItem(0, v.ramo->GetNome());
        m_lcStrade.SetCheck(i, v.ramo->GetSelezionata() != 0);
        m_lcStrade.SetItemText(i, 1, v.ramo->GetVersoTesto());
        m_lcStrade.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_pSettings->SetRamo(v.codice);
    }
}

void CDlgJunctor::RiempiParametri() {
    CConstrPars* parametri = m_pSettings->GetParametri();
    if (parametri) parametri->SetUnitaAngoli(m_pSettings->GetUnitaAngoli());
    m_otParametri.SetParametri(parametri);
    m_otParametri.Riempi();
    // The six curb-return angles take no input while the option ties them.
    m_otParametri.AbilitaTricentrica(m_pSettings->GetTricentrica());
}

void CDlgJunctor::RiempiMetodi() {
    HWND combo = ::GetDlgItem(m_hWnd, IDC_COMBO_METODO);
    if (combo) {
        CStringArray nomi;
        m_pSettings->GetNomiMetodi(nomi);
        ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (INT_PTR i = 0; i < nomi.GetSize(); ++i)
            ::SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(nomi[i])));
        const CString corrente = m_pSettings->GetNomeMetodo();
        const LRESULT indice = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(corrente)));
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(indice), 0);
    }
    CheckDlgButton(IDC_CHECK_TRICENTRICA, m_pSettings->GetTricentrica() ? BST_CHECKED : BST_UNCHECKED);
}

// A chosen style is loaded whenever there is a reader, with or without roads:
// otherwise the set would keep the previous style's values under the new name.
void CDlgJunctor::OnCbnSelchangeStile() {
    if (!m_pSettings) return;
    const int sel = m_cbStili.GetCurSel();
    if (sel < 0) return;
    CString nome;
    m_cbStili.GetLBText(sel, nome);
    m_pSettings->SelezionaStile(nome);
    if (HaElementi() && m_pSettings->GetRamo() == 2) {
        Abilita(false);
        UpdateData(FALSE);
        return;
    }
    if (!m_pLettore) {
        UpdateData(FALSE);
        return;
    }
    m_pLettore->SetSezioni(true, false, false, false, false);
    m_pLettore->SetStile(nome);
    m_pLettore->SetDestinazioni(m_pSettings);
    if (!m_pLettore->Process()) return;
    CSecondariaJunctor* ramo = RamoCorrente();
    CConstrPars* parametri = m_pSettings->GetParametri();
    if (ramo && m_pPrincipale) {
        parametri = ramo->GetParametri();
        ramo->CalcolaIsola(m_pPrincipale, false, true, true);
        if (m_pSettings->GetTricentrica()) {
            parametri->RicalcolaRaggioInternoUscita(ramo->GetSemiLarghezzaSx());
            parametri->RicalcolaRaggioInternoImmissione(ramo->GetSemiLarghezzaDx());
            parametri->AccoppiaRaggi(0, true, true, true);
            parametri->AccoppiaRaggi(1, true, true, true);
            parametri->RipartisciDeviazioni();
        }
    }
    m_pSettings->SetParametri(parametri);
    // The reader leaves the angles in the unit the file holds them in.
    MostraParametri(parametri);
    m_pSettings->CalcolaCorsie();
    ChecksDaCorsie();
    UpdateData(FALSE);
}

void CDlgJunctor::OnLvnItemchangedStrade(NMHDR* nm, LRESULT* result) {
    if (result) *result = 0;
    const auto* lv = reinterpret_cast<const NMLISTVIEW*>(nm);
    if (!lv || !m_pSettings || lv->iItem == m_nUltimoVisto) return;
    m_nUltimoVisto = lv->iItem;
    if (m_lcStrade.GetItemCount() < 2) return;
    const int ramo = m_lcStrade.GetItemText(lv->iItem, 1) == L"In" ? 1 : 0;
    m_pSettings->SetRamo(ramo);
    CSecondariaJunctor* nuovo = RamoCorrente();
    m_otParametri.LeggiValori();
    if (!nuovo) return;
    CConstrPars* parametri = nuovo->GetParametri();
    m_pSettings->SetParametri(parametri);
    SelezionaStileCombo(parametri->GetNome());
    MostraParametri(parametri);
}

void CDlgJunctor::MostraParametri(CConstrPars* parametri) {
    if (parametri) parametri->SetUnitaAngoli(m_pSettings->GetUnitaAngoli());
    m_otParametri.SetParametri(parametri);
    m_otParametri.ScriviValori();
    m_otParametri.AggiornaUnitaAngoli();
    m_otParametri.RefreshItems();
}

void CDlgJunctor::OnBnClickedTricentrica() {
    m_pSettings->SetTricentrica(IsDlgButtonChecked(IDC_CHECK_TRICENTRICA) == BST_CHECKED);
    m_otParametri.AbilitaTricentrica(m_pSettings->GetTricentrica());
}

void CDlgJunctor::OnBnClickedCorsiaSx() {
    UpdateData(TRUE);
    if (CLanePars* corsie = m_pSettings->GetParCorsie()) corsie->SetCorsiaSx(m_nCorsiaSx != 0);
    CSecondariaJunctor* ramo = RamoCorrente();
    if (ramo && m_pPrincipale) ramo->CalcolaIsola(m_pPrincipale, false, true, true);
}

void CDlgJunctor::OnCbnSelchangeMetodo() {
    HWND combo = ::GetDlgItem(m_hWnd, IDC_COMBO_METODO);
    const LRESULT sel = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (sel < 0) return;
    CString nome;
    GetDlgItemText(IDC_COMBO_METODO, nome);
    m_pSettings->SetMetodoDaNome(nome);
}

void CDlgJunctor::LeggiControlli() {
    for (int i = 0; i < m_lcStrade.GetItemCount(); ++i) {
        CSecondariaJunctor* ramo = m_lcStrade.GetItemText(i, 1) == L"In" ? m_pIn : m_pOut;
        if (ramo) ramo->SetSelezionata(m_lcStrade.GetCheck(i) ? 1 : 0);
    }
    m_otParametri.LeggiValori();
    m_pSettings->SetTricentrica(IsDlgButtonChecked(IDC_CHECK_TRICENTRICA) == BST_CHECKED);
}

bool CDlgJunctor::VerificaSelezione() {
    const wchar_t* messaggio = nullptr;
    const int voci = m_lcStrade.GetItemCount();
    if (!m_pPrincipale) messaggio = L"Selezionare una strada principale dal disegno.";
    else if (!m_pIn && !m_pOut) messaggio = L"Selezionare almeno una strada secondaria dal disegno.";
    else if (voci == 1 && !m_lcStrade.GetCheck(0)) messaggio = L"Selezionare la strada secondaria dalla lista.";
    else if (voci == 2 && !m_lcStrade.GetCheck(0) && !m_lcStrade.GetCheck(1))
        messaggio = L"Selezionare almeno una strada secondaria dalla lista.";
    if (!messaggio) return true;
    AfxMessageBox(TranslateText(messaggio), MB_OK);
    return false;
}

// Only a press of "Disegna" itself closes: Enter elsewhere does nothing.
void CDlgJunctor::OnOK() {
    if (::GetFocus() != ::GetDlgItem(m_hWnd, IDOK)) return;
    UpdateData(TRUE);
    if (!VerificaSelezione()) return;
    if (CLanePars* corsie = m_pSettings->GetParCorsie())
        corsie->SetCorsie(m_nCorsiaImm != 0, m_nCorsiaUsc != 0, m_nCorsiaSx != 0, m_nUrbano != 0);
    OperazioneStili(CXmlWriterJunctor::MODO_IMPOSTAZIONI, L"", L"");
    LeggiControlli();
    m_nCodice = DISEGNA;
    EndDialog(IDOK);
}

void CDlgJunctor::OnBnClickedSelezioneTracciati() {
    LeggiControlli();
    m_nCodice = SELEZIONE_TRACCIATI;
    EndDialog(IDCANCEL);
}

void CDlgJunctor::OnBnClickedAnteprima() {
    if (!VerificaSelezione()) return;
    LeggiControlli();
    m_nCodice = ANTEPRIMA;
    EndDialog(IDCANCEL);
}

void CDlgJunctor::OnCancel() {
    m_nCodice = ANNULLA;
    EndDialog(IDCANCEL);
}

void CDlgJunctor::OnBnClickedHelp() { CDlgParCorsie::ApriGuida(); }

void CDlgJunctor::OnBnClickedImmagine() { AlternaImmagine(); }

// Moves what lies right of the panel by d pixels and widens the dialog and its
// two top group boxes by as much.
void CDlgJunctor::SpostaControlli(int d) {
    CRect r;
    GetWindowRect(&r);
    SetWindowPos(nullptr, 0, 0, r.Width() + d, r.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : {IDC_BUTTON_IMMAGINE, IDCANCEL, IDOK, IDC_BUTTON_ANTEPRIMA, IDC_BUTTON_HELP, IDC_BUTTON_IMPOSTAZIONI}) {
        CWnd* c = GetDlgItem(id);
        c->GetWindowRect(&r);
        ScreenToClient(&r);
        c->SetWindowPos(nullptr, r.left + d, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (int id : {IDC_GROUP_STILI, IDC_GROUP_PARAMETRI}) {
        CWnd* c = GetDlgItem(id);
        c->GetWindowRect(&r);
        c->SetWindowPos(nullptr, 0, 0, r.Width() + d, r.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CDlgJunctor::AlternaImmagine() {
    for (int id : {IDC_BUTTON_IMMAGINE, IDCANCEL, IDOK, IDC_BUTTON_IMPOSTAZIONI, IDC_BUTTON_ANTEPRIMA, IDC_BUTTON_HELP,
                   IDC_GROUP_STILI, IDC_GROUP_PARAMETRI, IDC_CORNICE, IDC_IMMAGINE})
        if (!::GetDlgItem(m_hWnd, id)) return;
    if (!m_otParametri.m_hWnd) return;
    CRect albero;
    m_otParametri.GetWindowRect(&albero);
    ScreenToClient(&albero);
    const int h = albero.Height(), d = h + 20;
    const bool apri = !m_pSettings->GetPannelloImmagine();
    CWnd* cornice = GetDlgItem(IDC_CORNICE);
    CWnd* bottone = GetDlgItem(IDC_BUTTON_IMMAGINE);
    HBITMAP freccia = LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(apri ? IDB_IMMAGINE_APERTA : IDB_IMMAGINE_CHIUSA));
    m_pSettings->SetPannelloImmagine(apri);
    if (apri) {
        SpostaControlli(d);
        for (CWnd* c : {cornice, static_cast<CWnd*>(&m_stImmagine)}) {
            c->SetWindowPos(nullptr, albero.right + 20, albero.top, h, h, SWP_NOZORDER | SWP_NOACTIVATE);
            c->ShowWindow(SW_SHOW);
        }
        // Before any row was focused the panel shows the first parameter's
        // picture rather than nothing.
        if (m_pSettings->GetImmagine().IsEmpty()) m_pSettings->SetImmagine(ImmaginePrimaRiga());
        MostraImmagine();
        bottone->SetWindowText(L"<<");
    } else {
        SpostaControlli(-d);
        cornice->ShowWindow(SW_HIDE);
        m_stImmagine.ShowWindow(SW_HIDE);
        if (HBITMAP vecchia = m_stImmagine.SetBitmap(nullptr)) DeleteObject(vecchia);
        bottone->SetWindowText(L">>");
    }
    ::SendMessageW(bottone->m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(freccia));
    if (m_hFreccia) DeleteObject(m_hFreccia);
    m_hFreccia = freccia;
    CenterWindow();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

CString CDlgJunctor::ImmaginePrimaRiga() {
    COptionTreeItem* riga = m_otParametri.GetFocusedItem();
    if (!riga || riga->GetFirstChild()) {
        COptionTreeItem* gruppo = m_otParametri.GetRootItem()->GetFirstChild();
        riga = gruppo ? gruppo->GetFirstChild() : nullptr;
    }
    auto* spinner = dynamic_cast<CMyOptionTreeItemSpinnerDec*>(COptionTreeItemSpinnerDec::FromItem(riga));
    return spinner ? spinner->GetImmagine() : CString();
}

void CDlgJunctor::OnParametroSelezionato(NMHDR* nm, LRESULT* result) {
    if (result) *result = 0;
    COptionTreeItem* riga = nm ? reinterpret_cast<NMOPTIONTREE*>(nm)->otiItem : nullptr;
    if (!riga || riga->GetFirstChild() || !m_pSettings) return;
    // Only a parameter row has a picture; any other row leaves the name.
    auto* spinner = dynamic_cast<CMyOptionTreeItemSpinnerDec*>(COptionTreeItemSpinnerDec::FromItem(riga));
    if (!spinner) return;
    m_pSettings->SetImmagine(spinner->GetImmagine());
    if (m_pSettings->GetPannelloImmagine()) MostraImmagine();
}

void CDlgJunctor::MostraImmagine() {
    const CString nome = m_pSettings->GetImmagine();
    CWnd* cornice = GetDlgItem(IDC_CORNICE);
    if (nome.IsEmpty() || !cornice || !m_stImmagine.m_hWnd) return;
    CRect r;
    cornice->GetWindowRect(&r);
    ScreenToClient(&r);
    CImmagineMgr immagine;
    immagine.SetMargine(5);
    immagine.SetCornice(r.Width(), r.Height());
    immagine.MostraDaCartella(m_pSettings->GetCartella(), nome, &m_stImmagine, &r);
}

// The committed row's coupling rules. Rows 2-5, 10 and 13 use the current
// leg; without one the rows are only read back and rewritten.
void CDlgJunctor::OnParametroModificato(NMHDR* nm, LRESULT* result) {
    if (result) *result = 0;
    COptionTreeItem* riga = nm ? reinterpret_cast<NMOPTIONTREE*>(nm)->otiItem : nullptr;
    CConstrPars* p = m_otParametri.GetParametri();
    if (!riga || !p || !m_pSettings) return;
    CSecondariaJunctor* ramo = RamoCorrente();
    const bool tricentrica = m_pSettings->GetTricentrica();
    const int id = riga->GetId();
    if (id == 2 || (id >= 3 && id <= 5)) {
        // s, b1 and b2 always give points; an h may leave the apex off the leg.
        const double hPrima = p->h.GetValore();
        m_otParametri.LeggiValori();
        if (ramo && m_pPrincipale) {
            const int inizio = ramo->GetLog().GetLength();
            const bool calcolata = ramo->CalcolaIsola(m_pPrincipale, false, id == 2, id != 2);
            if (!calcolata && id == 2 && ramo->GetApiceMancante())
                RifiutaValoreIsola(p->h, hPrima, ramo->GetLog().Mid(inizio));
        }
        m_otParametri.ScriviValori();
    } else if (id == 10) {
        m_otParametri.LeggiValori();
        if (ramo) p->RicalcolaRaggioInternoUscita(ramo->GetSemiLarghezzaSx());
    } else if (id == 13) {
        m_otParametri.LeggiValori();
        if (ramo) p->RicalcolaRaggioInternoImmissione(ramo->GetSemiLarghezzaDx());
    } else if (tricentrica && ((id >= 23 && id <= 25) || (id >= 30 && id <= 32))) {
        const int primo = id <= 25 ? 23 : 30;
        m_otParametri.LeggiValori();
        p->AccoppiaRaggi(id <= 25 ? 0 : 1, id == primo, id == primo + 1, id == primo + 2);
        m_otParametri.ScriviValori();
    } else if (!tricentrica && ((id >= 26 && id <= 28) || (id >= 33 && id <= 35))) {
        const bool uscita = id <= 28;
        const int primo = uscita ? 26 : 33;
        CSingleConstrPar* angoli[] = {uscita ? &p->a1u : &p->a1e, uscita ? &p->a2u : &p->a2e, uscita ? &p->a3u : &p->a3e};
        // The old value in radians, the unit the rule works in.
        const double vecchio = angoli[id - primo]->CSingleConstrPar::GetValore();
        m_otParametri.LeggiValori();
        p->RipartisciAngoli(vecchio, uscita ? 0 : 1, id == primo, id == primo + 1, id == primo + 2);
        m_otParametri.ScriviValori();
    }
}

// A value of the island that the leg cannot hold: the leg axis does not
// reach the apex. The island keeps its points (a failed computation moves
// none), the row its last value, and the person is told why.
void CDlgJunctor::RifiutaValoreIsola(CSingleConstrPar& parametro, double vecchio, const CString& motivi) {
    CString testo = TranslateText(L"Valore non accettato: ");
    testo += parametro.GetNome() + L" = " + FormattaNumeroCon(L"%g", parametro.GetValore()) + L"\r\n";
    testo += motivi;
    testo += TranslateText(L"Si mantiene il valore precedente: ");
    testo += parametro.GetNome() + L" = " + FormattaNumeroCon(L"%g", vecchio) + L".";
    parametro.SetValore(vecchio);
    AfxMessageBox(testo, MB_OK);
}
