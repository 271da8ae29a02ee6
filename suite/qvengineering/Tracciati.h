// Alignment records and the list of the drawing's alignments.
#pragma once

#include "AcDbObjectId.h"
#include "AdsDef.h"
#include "CString.h"

class IQvObject;

// The record of one alignment entity (opaque to the callers).
struct tracciato {
    ads_name entita;
    CString nome;
    CString nomeInterno;
    bool adottato;  // taken over by an alignment object, which frees it
};

// One node per alignment of the drawing; the library owns the list.
struct elencotracciati {
    ads_name entita;
    CString nome;
    CString nomeInterno;
    elencotracciati* next;
};

// The record of an alignment entity: non-zero = a new record, freed with
// LiberaTracciato (or taken over by ICTRACCIATO_Costructor::Alloca).
int GetTracciato(AcDbObjectId entita, tracciato** record);

class CTRACCIATO {
public:
    static CString getNomeInterno(const tracciato* record);
};

// Frees a record and clears the pointer. A record an alignment object has
// taken over stays with the object; a pointer that is not a live record is
// only cleared.
void LiberaTracciato(tracciato** record);

// The type code of an engineering object: 100 for an alignment, 0 for none.
int qv_isA(const IQvObject* oggetto);

namespace vplat {
// A new record, known to LiberaTracciato.
tracciato* NuovoTracciato(const ads_name entita, const CString& nome, const CString& nomeInterno);
// The object that takes over a record marks it; it frees it with this.
void AdottaTracciato(tracciato* record);
void LiberaTracciatoAdottato(tracciato* record);
}  // namespace vplat
