// The "Edita attributi" dialog: the title block's fields in a grid, edited
// once for every sheet.
#pragma once

#include <vector>

#include "CGestoreTavole.h"

// Runs the dialog on the fields and, after OK, takes back every field's
// value and counter mark. The dialog's result (IDOK, IDCANCEL ...).
INT_PTR EditaAttributiCartiglio(std::vector<DatiAttributo>& attributi);
