// The host allocates with mimalloc (cmake/Vortana.cmake). Opening a large
// drawing fills hundreds of megabytes with small objects at once: on large
// (2 MiB) OS pages that costs a fraction of the page faults of 4 KiB pages,
// for about the same memory. Set before main, ahead of the drawing's
// allocations; MIMALLOC_LARGE_OS_PAGES in the environment still decides
// when it is set.
#include <mimalloc.h>

namespace {

const bool kLargeOsPages = (mi_option_set_enabled_default(mi_option_large_os_pages, true), true);

}  // namespace
