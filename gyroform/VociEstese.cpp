#include "VociEstese.h"

#include <cwchar>

namespace gyroform {

int TrovaApplicazione(const CADDatoArray& dati, const wchar_t* applicazione, int da) {
    for (int i = da; i < dati.GetCount(); ++i)
        if (dati[i].GetCodice() == 1001 && dati[i].GetTipo() == CADDatoArray::Testo &&
            std::wcscmp(dati[i].GetStringa(), applicazione) == 0)
            return i;
    return -1;
}

static int FineApplicazione(const CADDatoArray& dati, int inizio) {
    int i = inizio + 1;
    while (i < dati.GetCount() && dati[i].GetCodice() != 1001) ++i;
    return i;
}

const CADDatoArray::CADDato* Voce(const CADDatoArray& dati, int inizio, int k, CADDatoArray::Tipo tipo) {
    if (inizio < 0 || k < 1) return nullptr;
    int fine = FineApplicazione(dati, inizio);
    int primo = inizio + 1;
    if (primo < fine && dati[primo].GetCodice() == 1002) ++primo;
    int i = primo + k - 1;
    if (i >= fine || dati[i].GetTipo() != tipo) return nullptr;
    return &dati[i];
}

CADDatoArray ItemsApplicazione(const CADDatoArray& dati, int inizio) {
    CADDatoArray out;
    if (inizio < 0) return out;
    int fine = FineApplicazione(dati, inizio);
    for (int i = inizio; i < fine; ++i) out.Add(dati[i]);
    return out;
}

}  // namespace gyroform
