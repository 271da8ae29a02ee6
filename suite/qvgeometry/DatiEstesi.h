// Reading extended data and registering applications.
#pragma once

#include "AdsDef.h"

// The first node of a chain (the head included) with that group code, or null.
resbuf* mio_assoc(resbuf* catena, int codice);
