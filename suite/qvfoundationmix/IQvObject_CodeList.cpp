#include "IQvObject_CodeList.h"

#include <cwchar>

CString IQvObject_CodeList::GetTesto(int codice) const {
    for (const auto& [c, t] : m_voci)
        if (c == codice) return t;
    return CString();
}

int IQvObject_CodeList::GetCodice(const wchar_t* testo, int* codice) const {
    if (!testo) return 0;
    for (const auto& [c, t] : m_voci)
        if (std::wcscmp(t, testo) == 0) {
            if (codice) *codice = c;
            return 1;
        }
    return 0;
}
