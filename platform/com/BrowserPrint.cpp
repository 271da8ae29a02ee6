// Printing the browser's page.
#include "BrowserSite.h"

namespace vplat::browser {

HRESULT PrintWithPrompt(Site&) { return E_NOTIMPL; }

}  // namespace vplat::browser
