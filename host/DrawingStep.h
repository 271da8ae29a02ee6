// The host's drawing steps: open a drawing before the modules load, and save,
// dump or render it after the commands ran.
#pragma once

#include <string>
#include <vector>

struct DrawingOptions {
    std::string drawing;  // DXF to open, or empty for a new drawing
    std::string save;     // DXF to write
    std::string dump;     // JSON to write
    // Pictures to write, each paired in order with a layout (none or empty:
    // model space; "*": every paper-space layout in tab order). A name
    // ending in .pdf gives a PDF (one page per layout), any other a PNG
    // (NAME-LAYOUT.png per layout for "*").
    std::vector<std::string> render;
    std::vector<std::string> layout;
    // How model space is looked at in every picture: "plan" (empty), "iso"
    // or a direction "x,y,z"; z multiplied by zscale in any view but plan.
    std::string view;
    double zscale = 1.0;
};

namespace DrawingStep {
// Reads the drawing into the working database; false with a reason naming
// the file and line. The working drawing is unchanged on failure.
bool Open(const DrawingOptions& options, std::string* reason);
// Writes what was asked for, in the order save, dump, render.
bool Finish(const DrawingOptions& options, std::string* reason);
// Checks the view and the vertical scale before anything runs; false with a
// reason.
bool CheckView(const DrawingOptions& options, std::string* reason);
}  // namespace DrawingStep
