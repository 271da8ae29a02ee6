// The objects of controls, by window.
#include "WinControlSite.h"

#include <unordered_map>

namespace vplat {

namespace {
std::unordered_map<HWND, void*>& Sites() {
    static std::unordered_map<HWND, void*> sites;
    return sites;
}
}  // namespace

void ControlSite::Attach(HWND control, void* unknown) { Sites()[control] = unknown; }

void ControlSite::Detach(HWND control) { Sites().erase(control); }

void* ControlSite::UnknownOf(HWND control) {
    auto it = Sites().find(control);
    return it == Sites().end() ? nullptr : it->second;
}

}  // namespace vplat
