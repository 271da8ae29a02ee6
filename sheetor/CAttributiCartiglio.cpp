#include <afxwin.h>

#include "CAttributiCartiglio.h"

INT_PTR EditaAttributiCartiglio(std::vector<DatiAttributo>&) { return IDOK; }
