// The list of the styles of the style file, in file order, with the current one.
#pragma once

#include <afx.h>

struct ConstrStyle {
    CString nome;
    CString descrizione;
};

class CConstrStylesMgr : public CArray<ConstrStyle> {
public:
    CConstrStylesMgr() = default;

    // Appends an entry, also under a name already in the list; returns its index.
    int Aggiungi(CString nome, CString descrizione);
    // Removes the first entry with the name; the current index stays as it is.
    void Rimuovi(CString nome);
    // The current entry's texts; with no valid current entry throws the
    // framework's invalid-argument exception.
    void GetCorrente(CString& nome, CString& descrizione) const;
    // The first entry with the name gets the description.
    void SetDescrizione(CString nome, CString descrizione);
    // The first entry with the name becomes current; without one nothing changes.
    void Seleziona(CString nome);
    bool Esiste(CString nome) const;

    // -1 while there is no current entry.
    int GetIndiceCorrente() const { return m_corrente; }
    void SetIndiceCorrente(int indice) { m_corrente = indice; }

    // Appends copies of every entry of another list; a list appended to itself
    // throws the framework's invalid-argument exception.
    INT_PTR Append(const CArray<ConstrStyle>& altra);

private:
    int Trova(const CString& nome) const;

    int m_corrente = -1;
};
