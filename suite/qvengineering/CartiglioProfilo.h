// The profile sheet of an alignment's profile drawing.
#pragma once

#include "AcDbAds.h"

// Draws a profile sheet into the working drawing's current space as one
// entity: a reference, at the base point, of a new anonymous block that holds
// the frame (length by height, its lower left corner at the base point), the
// datum line along the frame's foot labelled with the datum elevation, and
// the name above the frame. The handle text of the reference goes into
// handle (at most dimensione characters, terminator included). text is a
// second line under the name when not empty; modo is not used. 1 drawn; 0
// without drawing or handle buffer, or for a datum, length or height that is
// not finite or a length or height below 0 (a flat profile gives a frame of
// height 0).
int DisegnaCartProf(const ads_point base, double quotaRif, double altezza, double lunghezza, const wchar_t* nome,
                    const wchar_t* testo, wchar_t* handle, int dimensione, int modo);
