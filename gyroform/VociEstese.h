// Items of one application in an entity's extended data, read by position.
#pragma once

#include "CADDatoArray.h"

namespace gyroform {

// The index of the first 1001 item at or after `da` whose text is the
// application's, or -1.
int TrovaApplicazione(const CADDatoArray& dati, const wchar_t* applicazione, int da = 0);
// The k-th item after the application's 1001 item at `inizio`, one further
// when the item right after the name is a 1002; null ("absent") for a
// position beyond the application's items or an item of another value kind.
const CADDatoArray::CADDato* Voce(const CADDatoArray& dati, int inizio, int k, CADDatoArray::Tipo tipo);
// The application's items, from its 1001 item up to the next 1001 item.
CADDatoArray ItemsApplicazione(const CADDatoArray& dati, int inizio);

}  // namespace gyroform
