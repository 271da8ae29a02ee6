// Finding the drawing's alignments.
#pragma once

#include "AcDbObjectId.h"
#include "Tracciati.h"

class AcDbDatabase;
class ICTRACCIATO;

// Every alignment of the working drawing in creation order, into a list the
// library owns (valid until the next call). The result is their number.
int CercaTracciatiEx2(elencotracciati** lista, int modo = 1);
// The alignment object with that internal name (case counts) in the working
// drawing (a null database means it too); the caller frees it with
// ICTRACCIATO_Costructor::Libera. Non-zero = found.
int GetTracciatoByNomeInterno(ICTRACCIATO** tracciato, const wchar_t* nomeInterno, AcDbDatabase* database);
