// The GDI stand-in's own state: objects, device contexts and the helpers its
// source files share (objects, contexts, drawing, text).
#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "WinMessageLog.h"
#include "WinWindowImpl.h"

namespace vplat {
namespace gdi {

struct Object {
    DWORD type = 0;
    bool stock = false;
    bool deleted = false;
    int selected = 0;
    LOGPEN pen{};
    LOGBRUSH brush{};
    cairo_surface_t* pattern = nullptr;  // pattern brushes
    LOGFONTW font{};
    cairo_surface_t* surface = nullptr;  // bitmaps and icons
    int width = 0;
    int height = 0;
    int bpp = 32;
    bool icon = false;
    ~Object() {
        if (pattern) cairo_surface_destroy(pattern);
        if (surface) cairo_surface_destroy(surface);
    }
};

struct State {
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    COLORREF text = 0;
    COLORREF bk = RGB(255, 255, 255);
    COLORREF dcBrush = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    POINT pos{};
    POINT winOrg{};
    POINT vpOrg{};
    int mapMode = MM_TEXT;
    SIZE winExt{1, 1};
    SIZE vpExt{1, 1};
    bool clip = false;
    RECT clipRect{};  // device coordinates
};

enum class Kind { Window, Memory, Screen, Printer };

// The document a printer context is printing (WinGdiPrinter.cpp).
struct PrintJob;

struct Dc {
    Kind kind = Kind::Screen;
    HWND hwnd = nullptr;
    bool whole = false;
    HGDIOBJ bitmap = nullptr;  // memory contexts
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    POINT origin{};
    RECT visible{};
    State st;
    std::vector<State> saved;
    std::string target;
    std::shared_ptr<PrintJob> job;  // printer contexts
    bool scaled = false;            // the drawing matrix holds the map mode's scale
    cairo_matrix_t unscaled{};      // the matrix without it
};

struct Table {
    std::unordered_map<uintptr_t, std::unique_ptr<Object>> objects;
    std::unordered_map<uintptr_t, std::unique_ptr<Dc>> dcs;
    std::unordered_map<HWND, cairo_surface_t*> windowSurfaces;
    uintptr_t next = 0x200000;
    HGDIOBJ stock[20] = {};
    HBRUSH sysBrush[31] = {};
    cairo_surface_t* screen = nullptr;
    HGDIOBJ defaultBitmap = nullptr;
    bool logOn = true;
    int quiet = 0;
    std::vector<std::string> log;
};

Table& T();
Object* Obj(HGDIOBJ h);
HGDIOBJ Add(std::unique_ptr<Object> o);
Dc* D(HDC h);
// Drops one selection of an object; a deleted object goes with its last one.
void Release(HGDIOBJ h);

void Log(const Dc& d, const std::string& op);
std::string Hex(COLORREF c);
std::string R(const RECT& r);

cairo_surface_t* WindowSurface(HWND top);
// A printer context's page size in pixels, and what DeleteDC does to its document.
SIZE PrinterPage();
void EndPrinterContext(Dc& d);
void Rebind(Dc& d, cairo_surface_t* s);
HDC NewDc(std::unique_ptr<Dc> d);
HDC WindowDc(HWND hwnd, bool whole);

// Logical to surface coordinates before the map mode's scale, which Prepare
// puts in the drawing matrix about the viewport origin: sizes stay logical.
inline double SX(const Dc& d, double x) { return x - d.st.winOrg.x + d.st.vpOrg.x + d.origin.x; }
inline double SY(const Dc& d, double y) { return y - d.st.winOrg.y + d.st.vpOrg.y + d.origin.y; }

RECT ClipSurface(const Dc& d);
void Prepare(Dc& d);
void Colour(cairo_t* cr, COLORREF c);
// Fills a logical rectangle with a brush; false for a null brush.
bool FillWith(Dc& d, const RECT& r, Object* b);
uint32_t Argb(COLORREF c);
void Line(Dc& d, int x0, int y0, int x1, int y1);

const LOGFONTW& FontOf(const Dc& d);
// Draws a text's glyphs at their model positions: each character's glyph is
// centred in the box the metric model gives it.
void Glyphs(Dc& d, int x, int y, const std::wstring& text, int underline = -1);

// Runs a per-pixel operation over a logical rectangle, inside the clip.
template <typename F>
void Pixels(Dc& d, const RECT& logical, F f) {
    // Only pictures in memory have pixels to work on (not a printer's page).
    if (cairo_surface_get_type(d.surface) != CAIRO_SURFACE_TYPE_IMAGE) return;
    RECT r{static_cast<LONG>(SX(d, logical.left)), static_cast<LONG>(SY(d, logical.top)),
           static_cast<LONG>(SX(d, logical.right)), static_cast<LONG>(SY(d, logical.bottom))};
    RECT clip = ClipSurface(d);
    RECT bounds{0, 0, cairo_image_surface_get_width(d.surface), cairo_image_surface_get_height(d.surface)};
    IntersectRect(&clip, &clip, &bounds);
    if (!IntersectRect(&r, &r, &clip)) return;
    cairo_surface_flush(d.surface);
    unsigned char* data = cairo_image_surface_get_data(d.surface);
    int stride = cairo_image_surface_get_stride(d.surface);
    for (LONG y = r.top; y < r.bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (LONG x = r.left; x < r.right; ++x) row[x] = f(row[x], x, y) | 0xFF000000u;
    }
    cairo_surface_mark_dirty(d.surface);
}

}  // namespace gdi
}  // namespace vplat
