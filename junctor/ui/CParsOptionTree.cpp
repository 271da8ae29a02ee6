#include "CParsOptionTree.h"

#include <algorithm>

#include <TranslatorBinding.h>

namespace {

COptionTreeItem* Riga(CMyOptionTreeItemSpinnerDec* riga) { return static_cast<COptionTreeItem*>(riga); }

}  // namespace

BOOL CParsOptionTree::CreaNelGruppo(CWnd* dialog, double incremento, int decimali, int gruppo, UINT id) {
    SetIncremento(incremento);
    SetDecimali(decimali);
    SetLimiti(10000, -10000);
    SetTrimZeros(0);
    SetDividerCursor(nullptr);
    CRect rect;
    if (CWnd* box = dialog->GetDlgItem(gruppo)) {
        box->GetWindowRect(&rect);
        dialog->ScreenToClient(&rect);
    }
    rect.DeflateRect(20, 20);
    if (!Create(WS_CHILD | WS_VISIBLE, rect, dialog, OTS_INFOPANE | OTS_SHADEEXPANDCOLUMN | OTS_SHADEROOTROWS, id))
        return FALSE;
    SetNotify(true, dialog);
    // Null is the top of the z-order: the tree lies over its group box.
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return TRUE;
}

std::vector<std::vector<int>> CParsOptionTree::Righe(const Schema& schema) {
    std::vector<std::vector<int>> righe(static_cast<size_t>(schema.numeroGruppi));
    for (int g = 0; g < schema.numeroGruppi; ++g) {
        for (int i = 0; i < schema.numeroDescrittori; ++i) {
            const DescrittoreParametro& d = schema.descrittori[i];
            if (d.riga == 0 || d.gruppo != schema.gruppi[g].riga) continue;
            if (schema.contenitore && std::wcscmp(d.contenitore, schema.contenitore) != 0) continue;
            righe[static_cast<size_t>(g)].push_back(i);
        }
        std::sort(righe[static_cast<size_t>(g)].begin(), righe[static_cast<size_t>(g)].end(),
                  [&](int a, int b) { return schema.descrittori[a].riga < schema.descrittori[b].riga; });
    }
    return righe;
}

CString CParsOptionTree::TestoDi(CMyOptionTreeItemSpinnerDec* riga) {
    CString testo;
    if (riga->m_hWnd && riga->GetEdit()->m_hWnd) riga->GetEdit()->GetWindowText(testo);
    return testo;
}

void CParsOptionTree::Mostra(CMyOptionTreeItemSpinnerDec* riga, double valore) {
    riga->SetValue(valore);
    m_testiMostrati[Riga(riga)->GetId()] = TestoDi(riga);
}

bool CParsOptionTree::ModificataDallUtente(CMyOptionTreeItemSpinnerDec* riga) const {
    auto it = m_testiMostrati.find(Riga(riga)->GetId());
    // A row the tree never showed a value in has nothing of the user's.
    if (it == m_testiMostrati.end()) return false;
    return TestoDi(riga) != it->second;
}

CMyOptionTreeItemSpinnerDec* CParsOptionTree::NuovaRiga(COptionTreeItem* gruppo, int id, LPCWSTR etichetta,
                                                        LPCWSTR descrizione, LPCWSTR immagine, double valore) {
    auto* riga = new CMyOptionTreeItemSpinnerDec;
    InsertItem(riga, gruppo);
    // The spinner's window takes the row's id, so the id comes first.
    Riga(riga)->SetId(id);
    Riga(riga)->SetLabel(etichetta);
    Riga(riga)->SetDescription(descrizione);
    riga->SetImmagine(immagine);
    riga->CreateSpinner(OTSB_EDITABLE | OTSB_WRAPAROUND, valore, m_dMinimo, m_dMassimo, m_dIncremento, m_nDecimali,
                        m_nTrimZeros);
    m_testiMostrati[id] = TestoDi(riga);
    return riga;
}

void CParsOptionTree::RiempiSchema(const Schema& schema, const Accesso& parametro) {
    DeleteAllItems();
    m_testiMostrati.clear();
    std::vector<COptionTreeItem*> gruppi;
    for (int g = 0; g < schema.numeroGruppi; ++g) {
        COptionTreeItem* gruppo = InsertItem(new COptionTreeItem);
        gruppo->SetLabel(TranslateText(schema.gruppi[g].titolo));
        gruppo->SetId(schema.gruppi[g].riga);
        gruppi.push_back(gruppo);
    }
    const std::vector<std::vector<int>> righe = Righe(schema);
    for (size_t g = 0; g < gruppi.size(); ++g) {
        for (int indice : righe[g]) {
            const CSingleConstrPar& p = parametro(indice);
            NuovaRiga(gruppi[g], schema.descrittori[indice].riga, p.GetEtichetta(), p.GetDescrizione(),
                      p.GetPathImg(), p.GetValore());
        }
    }
    if (!gruppi.empty()) NuovaRiga(gruppi.back(), RIGA_VUOTA, L"", L"", L"", 0.0);
    ExpandAllItems();
}

void CParsOptionTree::Percorri(const Schema& schema, const Visita& visita) {
    const std::vector<std::vector<int>> righe = Righe(schema);
    COptionTreeItem* gruppo = GetRootItem()->GetFirstChild();
    for (const std::vector<int>& indici : righe) {
        if (!gruppo) return;
        COptionTreeItem* riga = gruppo->GetFirstChild();
        for (int indice : indici) {
            auto* spinner = dynamic_cast<CMyOptionTreeItemSpinnerDec*>(COptionTreeItemSpinnerDec::FromItem(riga));
            if (!spinner) return;
            visita(indice, spinner);
            riga = riga->GetNextSibling();
        }
        gruppo = gruppo->GetNextSibling();
    }
}

void CParsOptionTree::LeggiSchema(const Schema& schema, const Accesso& parametro) {
    Percorri(schema, [&](int indice, CMyOptionTreeItemSpinnerDec* riga) {
        // A text that is no finite number goes back to the row's last value
        // (its commit may still be on its way).
        riga->ValidateText();
        if (!ModificataDallUtente(riga)) return;
        parametro(indice).SetValore(riga->GetValue());
        // The row's text and its parameter agree again.
        m_testiMostrati[Riga(riga)->GetId()] = TestoDi(riga);
    });
}

void CParsOptionTree::ScriviSchema(const Schema& schema, const Accesso& parametro) {
    Percorri(schema, [&](int indice, CMyOptionTreeItemSpinnerDec* riga) { Mostra(riga, parametro(indice).GetValore()); });
}

void CParsOptionTree::FormatoSchema(const Schema& schema, const Accesso& parametro) {
    Percorri(schema, [&](int indice, CMyOptionTreeItemSpinnerDec* riga) {
        riga->SetStep(m_dIncremento);
        riga->SetDecimals(m_nDecimali);
        Mostra(riga, parametro(indice).GetValore());
    });
    RefreshItems();
}
