// Controls that own an object of their own (the web browser): the window
// keeps the object's IUnknown so that the window framework can hand it out.
#pragma once

#include "WinTypes.h"

namespace vplat {

class ControlSite {
public:
    // The object's IUnknown, as an untyped pointer; the control keeps its own
    // reference and detaches before the window goes.
    static void Attach(HWND control, void* unknown);
    static void Detach(HWND control);
    // Null when the window holds no such object.
    static void* UnknownOf(HWND control);
};

}  // namespace vplat
