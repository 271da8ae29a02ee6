// Draws a drawing into a PNG or PDF with Cairo: model space, or one layout of paper
// space with what its viewports show; the view fitted to the extents.
#pragma once

#include <string>
#include <vector>

class AcDbDatabase;

namespace vplat {
struct RenderOptions {
    std::wstring layout;  // empty or "Model": model space
    int width = 1200;
    int height = 900;
};
bool RenderDrawingPng(const std::string& path, const AcDbDatabase* db, const RenderOptions& options,
                      std::wstring* error);
// One page per options in a PDF, each of width x height points.
bool RenderDrawingPdf(const std::string& path, const AcDbDatabase* db, const std::vector<RenderOptions>& pages,
                      std::wstring* error);
// The names of the paper-space layouts, in tab order.
std::vector<std::wstring> PaperLayoutNames(const AcDbDatabase* db);
// The same picture as 0xRRGGBB pixels, row by row from the top (tests).
bool RenderDrawingPixels(const AcDbDatabase* db, const RenderOptions& options, std::vector<unsigned>& pixels,
                         std::wstring* error);
// Frees the font caches of the renderer; the process draws nothing after it.
void ShutdownRenderer();
// The colour of a palette index as 0xRRGGBB; 7 is drawn black on the white page.
unsigned AciColor(int index);
}  // namespace vplat
