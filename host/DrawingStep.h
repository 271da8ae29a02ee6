// The host's drawing steps: open a drawing before the modules load, and save,
// dump or render it after the commands ran.
#pragma once

#include <string>

struct DrawingOptions {
    std::string drawing;  // DXF to open, or empty for a new drawing
    std::string save;     // DXF to write
    std::string dump;     // JSON to write
    std::string render;   // PNG to write
    std::string layout;   // layout to render, empty for model space
};

namespace DrawingStep {
// Reads the drawing into the working database; false with a reason naming
// the file and line. The working drawing is unchanged on failure.
bool Open(const DrawingOptions& options, std::string* reason);
// Writes what was asked for, in the order save, dump, render.
bool Finish(const DrawingOptions& options, std::string* reason);
}  // namespace DrawingStep
