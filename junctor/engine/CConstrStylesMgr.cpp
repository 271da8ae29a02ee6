#include "CConstrStylesMgr.h"

int CConstrStylesMgr::Trova(const CString& nome) const {
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i).nome == nome) return static_cast<int>(i);
    return -1;
}

int CConstrStylesMgr::Aggiungi(CString nome, CString descrizione) {
    return static_cast<int>(Add(ConstrStyle{nome, descrizione}));
}

void CConstrStylesMgr::Rimuovi(CString nome) {
    int i = Trova(nome);
    if (i >= 0) RemoveAt(i);
}

void CConstrStylesMgr::GetCorrente(CString& nome, CString& descrizione) const {
    if (m_corrente < 0 || m_corrente >= GetSize()) AfxThrowInvalidArgException();
    const ConstrStyle& stile = GetAt(m_corrente);
    nome = stile.nome;
    descrizione = stile.descrizione;
}

void CConstrStylesMgr::SetDescrizione(CString nome, CString descrizione) {
    int i = Trova(nome);
    if (i >= 0) ElementAt(i).descrizione = descrizione;
}

void CConstrStylesMgr::Seleziona(CString nome) {
    int i = Trova(nome);
    if (i >= 0) m_corrente = i;
}

bool CConstrStylesMgr::Esiste(CString nome) const { return Trova(nome) >= 0; }

INT_PTR CConstrStylesMgr::Append(const CArray<ConstrStyle>& altra) {
    if (&altra == this) AfxThrowInvalidArgException();
    return CArray<ConstrStyle>::Append(altra);
}
