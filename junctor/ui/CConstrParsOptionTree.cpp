#include "CConstrParsOptionTree.h"

#include <algorithm>
#include <iterator>

const CParsOptionTree::Schema CConstrParsOptionTree::SCHEMA = {
    CConstrPars::GRUPPI_ALBERO, CConstrPars::NUMERO_GRUPPI, CConstrPars::DESCRITTORI, CConstrPars::NUMERO_PARAMETRI,
    nullptr};

CConstrParsOptionTree::~CConstrParsOptionTree() = default;

CParsOptionTree::Accesso CConstrParsOptionTree::Parametro() {
    return [this](int indice) -> CSingleConstrPar& { return m_pParametri->Parametro(indice); };
}

bool CConstrParsOptionTree::RigaAngolo(int id) {
    return std::find(std::begin(RIGHE_ANGOLI), std::end(RIGHE_ANGOLI), id) != std::end(RIGHE_ANGOLI);
}

void CConstrParsOptionTree::Riempi() {
    if (!m_pParametri) {
        DeleteAllItems();
        return;
    }
    RiempiSchema(SCHEMA, Parametro());
}

void CConstrParsOptionTree::ScriviValori() {
    if (m_pParametri) ScriviSchema(SCHEMA, Parametro());
}

void CConstrParsOptionTree::LeggiValori() {
    if (m_pParametri) LeggiSchema(SCHEMA, Parametro());
}

void CConstrParsOptionTree::ApplicaFormato(int decimali, double incremento) {
    SetDecimali(decimali);
    SetIncremento(incremento);
    if (m_pParametri) FormatoSchema(SCHEMA, Parametro());
}

void CConstrParsOptionTree::AggiornaUnitaAngoli() {
    if (!m_pParametri) return;
    Percorri(SCHEMA, [this](int indice, CMyOptionTreeItemSpinnerDec* riga) {
        auto* item = static_cast<COptionTreeItem*>(riga);
        if (!RigaAngolo(item->GetId())) return;
        const CSingleConstrPar& p = m_pParametri->Parametro(indice);
        item->SetLabel(p.GetEtichetta());
        Mostra(riga, p.GetValore());
    });
    RefreshView();
}

void CConstrParsOptionTree::AbilitaTricentrica(bool tricentrica) {
    if (!m_pParametri) return;
    Percorri(SCHEMA, [tricentrica](int, CMyOptionTreeItemSpinnerDec* riga) {
        if (RigaAngolo(static_cast<COptionTreeItem*>(riga)->GetId()) && riga->m_hWnd)
            riga->EnableWindow(!tricentrica);
    });
}
