// The main dialog's style operations and editing settings.
#include <algorithm>

#include <TranslatorBinding.h>

#include "CDlgJunctor.h"
#include "CDlgParCorsie.h"
#include "CDlgSaveStyleAs.h"
#include "CDlgSettings.h"
#include "CDlgStylesViewer.h"
#include "CXmlWriterJunctor.h"

bool CDlgJunctor::VerificaFileStili() {
    const CString path = m_pSettings->GetPathXml();
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return true;
    CString messaggio = TranslateText(L"Impossibile eseguire l'operazione: file inesistente. \nPercorso: ");
    messaggio += path;
    AfxMessageBox(messaggio, MB_OK);
    return false;
}

bool CDlgJunctor::StileCorrenteOMessaggio(CString& nome, CString& descrizione) {
    if (StileCorrente(nome, descrizione)) return true;
    AfxMessageBox(TranslateText(L"Nessuno stile selezionato."), MB_OK);
    return false;
}

void CDlgJunctor::LeggiPerSalvare() {
    UpdateData(TRUE);
    m_otParametri.LeggiValori();
    // Disabled lane boxes (no roads yet) are cleared and show nothing of the
    // style: its lane flags are saved as they were loaded.
    if (!m_chkCorsiaImm.IsWindowEnabled()) return;
    if (CLanePars* corsie = m_pSettings->GetParCorsie())
        corsie->SetCorsie(m_nCorsiaImm != 0, m_nCorsiaUsc != 0, m_nCorsiaSx != 0, m_nUrbano != 0);
}

void CDlgJunctor::OnBnClickedSalva() {
    CString nome, descrizione;
    if (!VerificaFileStili() || !StileCorrenteOMessaggio(nome, descrizione)) return;
    LeggiPerSalvare();
    OperazioneStili(CXmlWriterJunctor::MODO_SOVRASCRIVI, nome, descrizione);
}

void CDlgJunctor::OnBnClickedSalvaCome() {
    if (!VerificaFileStili()) return;
    CDlgSaveStyleAs dlg(this);
    dlg.SetStili(m_pSettings->GetStili());
    if (dlg.DoModal() == IDCANCEL) return;
    LeggiPerSalvare();
    OperazioneStili(dlg.GetSovrascrivi() ? CXmlWriterJunctor::MODO_SOVRASCRIVI : CXmlWriterJunctor::MODO_AGGIUNGI,
                    dlg.GetNome(), dlg.GetDescrizione());
}

void CDlgJunctor::OnBnClickedElimina() {
    CString nome, descrizione;
    if (!VerificaFileStili() || !StileCorrenteOMessaggio(nome, descrizione)) return;
    OperazioneStili(CXmlWriterJunctor::MODO_CANCELLA, nome, descrizione);
}

void CDlgJunctor::OnBnClickedParametri() {
    CDlgParCorsie dlg(this);
    dlg.SetImpostazioni(m_pSettings);
    dlg.SetRisorse(m_hRisorse);
    if (dlg.DoModal() != IDOK) return;
    // The style is overwritten as "Salva" does it: with the rows and the lane
    // check boxes as they stand, not with the values of the last read-back.
    LeggiPerSalvare();
    m_pSettings->CalcolaCorsie();
    CString nome, descrizione;
    if (StileCorrenteOMessaggio(nome, descrizione)) OperazioneStili(CXmlWriterJunctor::MODO_SOVRASCRIVI, nome, descrizione);
}

void CDlgJunctor::OnBnClickedVisualizza() {
    CDlgStylesViewer dlg(this);
    dlg.SetPercorso(m_pSettings->GetPathXml());
    dlg.DoModal();
}

// The rows are read back before they are reformatted or relabelled: a value
// typed into a row without a rule would otherwise be lost.
void CDlgJunctor::OnBnClickedImpostazioni() {
    CDlgSettings dlg(this);
    dlg.SetDecimali(m_pSettings->GetDecimali());
    dlg.SetIncremento(m_pSettings->GetIncremento());
    dlg.SetUseAutoCAD(m_pSettings->GetUseAutoCAD());
    dlg.SetNomeUnitaAutoCAD(m_pSettings->GetNomeUnitaAutoCAD());
    dlg.SetNomeUnitaPersonalizzata(m_pSettings->GetNomeUnitaAngoli());
    CStringArray nomi;
    m_pSettings->GetNomiUnitaAngoli(nomi);
    dlg.AggiungiNomiUnita(nomi);
    // The angles can be shown in the units that have a conversion.
    CStringArray utilizzabili;
    CJunctorSettings prova = *m_pSettings;
    for (int unita : {0, 1, 2}) {
        prova.SetUnitaAngoli(unita);
        utilizzabili.Add(prova.GetNomeUnitaAngoli());
    }
    dlg.SetNomiUnitaUtilizzabili(utilizzabili);
    if (dlg.DoModal() != IDOK) return;
    m_otParametri.LeggiValori();
    if (dlg.GetDecimali() != m_pSettings->GetDecimali() || dlg.GetIncremento() != m_pSettings->GetIncremento()) {
        m_pSettings->SetDecimali(dlg.GetDecimali());
        m_pSettings->SetIncremento(dlg.GetIncremento());
        m_otParametri.ApplicaFormato(dlg.GetDecimali(), dlg.GetIncremento());
    }
    if (dlg.GetNomeUnita() != m_pSettings->GetNomeUnitaAngoli() || dlg.GetUseAutoCAD() != m_pSettings->GetUseAutoCAD()) {
        m_pSettings->SetUseAutoCAD(dlg.GetUseAutoCAD());
        m_pSettings->SetUnitaAngoliDaNome(dlg.GetNomeUnita());
        const int unita = m_pSettings->GetUnitaAngoli();
        CConstrPars* corrente = m_pSettings->GetParametri();
        if (corrente) corrente->SetUnitaAngoli(unita);
        for (CSecondariaJunctor* ramo : {m_pIn, m_pOut})
            if (ramo && ramo->GetParametri() != corrente) ramo->GetParametri()->SetUnitaAngoli(unita);
        m_otParametri.AggiornaUnitaAngoli();
    }
}

void CDlgJunctor::OperazioneStili(int modo, const CString& nome, const CString& descrizione) {
    const CString path = m_pSettings->GetPathXml();
    CXmlWriterJunctor writer;
    writer.SetModo(modo);
    writer.SetUscita(true, path);
    if (!writer.Carica(path)) return;
    writer.SetDestinazioni(m_pSettings);
    writer.SetStile(nome);
    if (modo == CXmlWriterJunctor::MODO_AGGIUNGI || modo == CXmlWriterJunctor::MODO_SOVRASCRIVI)
        writer.SetDescrizione(descrizione);
    const bool fatto = writer.Process();
    CConstrStylesMgr* stili = m_pSettings->GetStili();
    if (fatto && stili) {
        if (modo == CXmlWriterJunctor::MODO_AGGIUNGI) {
            stili->Aggiungi(nome, descrizione);
            m_pSettings->SelezionaStile(nome);
            RiempiStili();
        } else if (modo == CXmlWriterJunctor::MODO_SOVRASCRIVI) {
            stili->SetDescrizione(nome, descrizione);
            RiempiStili();
        } else if (modo == CXmlWriterJunctor::MODO_CANCELLA) {
            // The entry that moves into the deleted one's place becomes current
            // (the new last one when the last went, none when the list is
            // empty) and is loaded, so combo, tree and set agree.
            const int indice = stili->GetIndiceCorrente();
            stili->Rimuovi(nome);
            const int n = static_cast<int>(stili->GetSize());
            stili->SetIndiceCorrente(n == 0 ? -1 : std::min(std::max(indice, 0), n - 1));
            // A set keeps its values but no longer names a style the file
            // lacks: a later build would record that name in its legs.
            if (!stili->Esiste(nome))
                for (CConstrPars* p : {m_pSettings->GetParametri(), m_pIn ? m_pIn->GetParametri() : nullptr,
                                       m_pOut ? m_pOut->GetParametri() : nullptr})
                    if (p && p->GetNome() == nome) p->SetNome(L"");
            RiempiStili();
            OnCbnSelchangeStile();
        }
    }
    // The print copy, renewed after every operation whose file loaded.
    writer.SetModo(CXmlWriterJunctor::MODO_STAMPA);
    writer.SetFoglioStile(L"StylesView/JunctorPrintVersion.xsl");
    writer.SetUscita(false, m_pSettings->GetCartella() + L"JunctorPV.xml");
    if (writer.Ricarica()) writer.Process();
}
