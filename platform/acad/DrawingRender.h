// Draws a drawing into a PNG or PDF with Cairo: model space, or one layout of paper
// space with what its viewports show; the view fitted to the extents.
#pragma once

#include <string>
#include <vector>

class AcDbDatabase;

namespace vplat {
// The direction a model is looked at from, and its vertical scale. The plan
// view looks down the z axis and ignores z; any other view projects every
// point after multiplying its z by the vertical scale: screen right is
// (0, 0, 1) x d normalised, screen up is d x right, d the direction from the
// model towards the eye.
struct RenderView {
    bool plan = true;
    double direction[3] = {0, 0, 1};
    double zscale = 1.0;
    // "plan", "iso" (the direction (1, -1, 1)) or "x,y,z" (any direction but
    // the zero vector); false with a reason otherwise.
    bool Parse(const std::string& text, std::wstring* error);
    // The screen point (right, up) of a model point, and its depth towards
    // the eye (larger is nearer).
    void Project(const double p[3], double* x, double* y, double* depth) const;
};

struct RenderOptions {
    std::wstring layout;  // empty or "Model": model space
    int width = 1200;
    int height = 900;
    // Model space only; paper-space layouts are always drawn in plan.
    RenderView view;
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
