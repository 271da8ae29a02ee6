// A list of choices: (code, text) pairs, answered both ways.
#pragma once

#include <utility>
#include <vector>

#include "IQvObject.h"

constexpr int QV_TIPO_LISTA = 2523;

class IQvObject_CodeList : public CQvOggettoDati {
public:
    IQvObject_CodeList() : CQvOggettoDati(QV_TIPO_LISTA) {}
    void Aggiungi(int codice, const CString& testo) { m_voci.emplace_back(codice, testo); }
    int GetNumero() const { return static_cast<int>(m_voci.size()); }
    // The text of a code, empty for an unknown code.
    CString GetTesto(int codice) const;
    // 1 with the code of the first choice of that text (exact), else 0.
    int GetCodice(const wchar_t* testo, int* codice) const;

private:
    std::vector<std::pair<int, CString>> m_voci;
};
