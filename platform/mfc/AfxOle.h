// OLE start-up of the framework, once per thread.
#pragma once

#include "WinTypes.h"

// Initialises OLE on the calling thread; true at once when it already is.
BOOL AfxOleInit();

namespace vplat {

class Ole {
public:
    // Makes every following AfxOleInit fail (true) or work again (false);
    // failing also forgets an earlier initialisation of the thread.
    static void FailInit(bool fail);
    static bool IsInitialized();
};

}  // namespace vplat
