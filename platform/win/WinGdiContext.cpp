// Device contexts: windows, memory bitmaps and the screen, their state,
// coordinates and clipping, painting a window's update area, and snapshots.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "HostText.h"
#include "WinGdiImpl.h"
#include "WinPrint.h"

namespace vplat {
namespace gdi {

Dc* D(HDC h) {
    auto it = T().dcs.find(reinterpret_cast<uintptr_t>(h));
    return it == T().dcs.end() ? nullptr : it->second.get();
}

cairo_surface_t* WindowSurface(HWND top) {
    Table& t = T();
    win::Window* w = win::Find(top);
    int cx = std::max<int>(1, w->rect.right - w->rect.left);
    int cy = std::max<int>(1, w->rect.bottom - w->rect.top);
    cairo_surface_t*& s = t.windowSurfaces[top];
    if (s && (cairo_image_surface_get_width(s) != cx || cairo_image_surface_get_height(s) != cy)) {
        cairo_surface_destroy(s);
        s = nullptr;
    }
    if (!s) {
        s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cx, cy);
        cairo_t* cr = cairo_create(s);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    return s;
}

void Rebind(Dc& d, cairo_surface_t* s) {
    if (d.cr) cairo_destroy(d.cr);
    d.scaled = false;
    d.surface = s;
    d.cr = cairo_create(s);
    cairo_set_antialias(d.cr, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(d.cr, fo);
    cairo_font_options_destroy(fo);
}

HDC NewDc(std::unique_ptr<Dc> d) {
    Table& t = T();
    d->st.pen = t.stock[BLACK_PEN];
    d->st.brush = t.stock[WHITE_BRUSH];
    d->st.font = t.stock[SYSTEM_FONT];
    for (HGDIOBJ h : {d->st.pen, d->st.brush, d->st.font}) Obj(h)->selected++;
    uintptr_t h = (t.next += 4);
    t.dcs[h] = std::move(d);
    return reinterpret_cast<HDC>(h);
}

RECT ClipSurface(const Dc& d) {
    RECT r = d.visible;
    if (d.st.clip) {
        RECT c = d.st.clipRect;
        OffsetRect(&c, d.origin.x, d.origin.y);
        IntersectRect(&r, &r, &c);
    }
    return r;
}

void Prepare(Dc& d) {
    if (d.scaled) cairo_set_matrix(d.cr, &d.unscaled);
    d.scaled = false;
    cairo_reset_clip(d.cr);
    RECT r = ClipSurface(d);
    cairo_rectangle(d.cr, r.left, r.top, std::max<LONG>(0, r.right - r.left), std::max<LONG>(0, r.bottom - r.top));
    cairo_clip(d.cr);
    cairo_set_operator(d.cr, CAIRO_OPERATOR_OVER);
    if (d.st.mapMode == MM_ANISOTROPIC) {
        cairo_get_matrix(d.cr, &d.unscaled);
        d.scaled = true;
        double ox = d.st.vpOrg.x + d.origin.x, oy = d.st.vpOrg.y + d.origin.y;
        cairo_translate(d.cr, ox, oy);
        cairo_scale(d.cr, double(d.st.vpExt.cx) / d.st.winExt.cx, double(d.st.vpExt.cy) / d.st.winExt.cy);
        cairo_translate(d.cr, -ox, -oy);
    }
}

HDC WindowDc(HWND hwnd, bool whole) {
    win::Window* w = win::Find(hwnd);
    if (!w || w == &win::Desktop()) {
        auto d = std::make_unique<Dc>();
        d->kind = Kind::Screen;
        d->target = "screen";
        d->visible = RECT{0, 0, 1, 1};
        Rebind(*d, T().screen);
        return NewDc(std::move(d));
    }
    auto d = std::make_unique<Dc>();
    d->kind = Kind::Window;
    d->hwnd = hwnd;
    d->whole = whole;
    HWND top = win::TopLevelOf(hwnd);
    RECT r = whole ? win::WindowRectInTop(hwnd) : win::ClientRectInTop(hwnd);
    d->origin = POINT{r.left, r.top};
    d->visible = win::VisibleInTop(hwnd, whole);
    d->target = "window " + WideToUtf8(WindowName(hwnd));
    Rebind(*d, WindowSurface(top));
    return NewDc(std::move(d));
}

}  // namespace gdi

using namespace gdi;

namespace win {

// The surface a top-level window is drawn on (snapshots read it).
cairo_surface_t* SurfaceOfTop(HWND top) { return WindowSurface(top); }

void ForgetWindowSurface(HWND hwnd) {
    auto& m = T().windowSurfaces;
    auto it = m.find(hwnd);
    if (it != m.end()) {
        cairo_surface_destroy(it->second);
        m.erase(it);
    }
}

}  // namespace win

}  // namespace vplat

using namespace vplat;
using namespace vplat::gdi;

extern "C" {

HDC GetDC(HWND hwnd) { return WindowDc(hwnd, false); }
HDC GetWindowDC(HWND hwnd) { return WindowDc(hwnd, true); }

int ReleaseDC(HWND, HDC hdc) { return DeleteDC(hdc); }

HDC CreateCompatibleDC(HDC) {
    auto d = std::make_unique<Dc>();
    d->kind = Kind::Memory;
    HGDIOBJ bh = T().defaultBitmap;
    Obj(bh)->selected++;
    d->bitmap = bh;
    d->visible = RECT{0, 0, 1, 1};
    d->target = "bitmap 1x1";
    Rebind(*d, Obj(bh)->surface);
    return NewDc(std::move(d));
}

BOOL DeleteDC(HDC hdc) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    Release(d->st.pen);
    Release(d->st.brush);
    Release(d->st.font);
    if (d->bitmap) Release(d->bitmap);
    if (d->kind == Kind::Printer) EndPrinterContext(*d);
    if (d->cr) cairo_destroy(d->cr);
    T().dcs.erase(reinterpret_cast<uintptr_t>(hdc));
    return TRUE;
}

int SaveDC(HDC hdc) {
    Dc* d = D(hdc);
    if (!d) return 0;
    for (HGDIOBJ h : {d->st.pen, d->st.brush, d->st.font}) Obj(h)->selected++;
    d->saved.push_back(d->st);
    return static_cast<int>(d->saved.size());
}

BOOL RestoreDC(HDC hdc, int saved) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    int n = static_cast<int>(d->saved.size());
    int target = saved < 0 ? n + saved + 1 : saved;
    if (target < 1 || target > n) return FALSE;
    while (static_cast<int>(d->saved.size()) >= target) {
        for (HGDIOBJ h : {d->st.pen, d->st.brush, d->st.font}) Release(h);
        d->st = d->saved.back();
        d->saved.pop_back();
    }
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
    Dc* d = D(hdc);
    if (d && d->kind == Kind::Printer) {
        switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case HORZRES:
        case PHYSICALWIDTH: return PrinterPage().cx;
        case VERTRES:
        case PHYSICALHEIGHT: return PrinterPage().cy;
        case PHYSICALOFFSETX:
        case PHYSICALOFFSETY: return 0;
        case BITSPIXEL: return 24;
        case TECHNOLOGY: return DT_RASPRINTER;
        default: return 0;
        }
    }
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return d && d->surface ? cairo_image_surface_get_width(d->surface) : 1920;
    case VERTRES: return d && d->surface ? cairo_image_surface_get_height(d->surface) : 1080;
    case BITSPIXEL: return 32;
    case TECHNOLOGY: return DT_RASDISPLAY;
    default: return 0;
    }
}

HWND WindowFromDC(HDC hdc) {
    Dc* d = D(hdc);
    return d ? d->hwnd : nullptr;
}

COLORREF SetTextColor(HDC hdc, COLORREF c) {
    Dc* d = D(hdc);
    if (!d) return CLR_INVALID;
    std::swap(d->st.text, c);
    return c;
}
COLORREF GetTextColor(HDC hdc) { return D(hdc) ? D(hdc)->st.text : CLR_INVALID; }
COLORREF SetBkColor(HDC hdc, COLORREF c) {
    Dc* d = D(hdc);
    if (!d) return CLR_INVALID;
    std::swap(d->st.bk, c);
    return c;
}
COLORREF GetBkColor(HDC hdc) { return D(hdc) ? D(hdc)->st.bk : CLR_INVALID; }
int SetBkMode(HDC hdc, int mode) {
    Dc* d = D(hdc);
    if (!d) return 0;
    std::swap(d->st.bkMode, mode);
    return mode;
}
int GetBkMode(HDC hdc) { return D(hdc) ? D(hdc)->st.bkMode : 0; }
COLORREF SetDCBrushColor(HDC hdc, COLORREF c) {
    Dc* d = D(hdc);
    if (!d) return CLR_INVALID;
    std::swap(d->st.dcBrush, c);
    return c;
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    if (old) *old = d->st.winOrg;
    d->st.winOrg = POINT{x, y};
    return TRUE;
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT org) {
    Dc* d = D(hdc);
    if (!d || !org) return FALSE;
    *org = d->st.winOrg;
    return TRUE;
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    if (old) *old = d->st.vpOrg;
    d->st.vpOrg = POINT{x, y};
    return TRUE;
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT org) {
    Dc* d = D(hdc);
    if (!d || !org) return FALSE;
    *org = d->st.vpOrg;
    return TRUE;
}
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    if (old) *old = d->st.vpOrg;
    d->st.vpOrg.x += dx;
    d->st.vpOrg.y += dy;
    return TRUE;
}
namespace {

// One coordinate through the map mode, rounded to the nearest unit.
LONG Scale(LONG v, LONG num, LONG den) {
    return static_cast<LONG>(std::lround(static_cast<double>(v) * num / den));
}

}  // namespace

int SetMapMode(HDC hdc, int mode) {
    Dc* d = D(hdc);
    if (!d || (mode != MM_TEXT && mode != MM_ANISOTROPIC)) return 0;
    int old = d->st.mapMode;
    d->st.mapMode = mode;
    if (mode == MM_TEXT) d->st.winExt = d->st.vpExt = SIZE{1, 1};
    return old;
}
int GetMapMode(HDC hdc) {
    Dc* d = D(hdc);
    return d ? d->st.mapMode : 0;
}
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE old) {
    Dc* d = D(hdc);
    if (!d || x == 0 || y == 0) return FALSE;
    if (old) *old = d->st.winExt;
    if (d->st.mapMode == MM_ANISOTROPIC) d->st.winExt = SIZE{x, y};
    return TRUE;
}
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE old) {
    Dc* d = D(hdc);
    if (!d || x == 0 || y == 0) return FALSE;
    if (old) *old = d->st.vpExt;
    if (d->st.mapMode == MM_ANISOTROPIC) d->st.vpExt = SIZE{x, y};
    return TRUE;
}
BOOL LPtoDP(HDC hdc, LPPOINT p, int count) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    const State& s = d->st;
    for (int i = 0; i < count; ++i) {
        p[i].x = Scale(p[i].x - s.winOrg.x, s.vpExt.cx, s.winExt.cx) + s.vpOrg.x;
        p[i].y = Scale(p[i].y - s.winOrg.y, s.vpExt.cy, s.winExt.cy) + s.vpOrg.y;
    }
    return TRUE;
}
BOOL DPtoLP(HDC hdc, LPPOINT p, int count) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    const State& s = d->st;
    for (int i = 0; i < count; ++i) {
        p[i].x = Scale(p[i].x - s.vpOrg.x, s.winExt.cx, s.vpExt.cx) + s.winOrg.x;
        p[i].y = Scale(p[i].y - s.vpOrg.y, s.winExt.cy, s.vpExt.cy) + s.winOrg.y;
    }
    return TRUE;
}

// The clip box: the drawable area in logical coordinates.
int GetClipBox(HDC hdc, LPRECT rect) {
    Dc* d = D(hdc);
    if (!d || !rect) return ERROR;
    RECT r = ClipSurface(*d);
    OffsetRect(&r, -d->origin.x, -d->origin.y);
    DPtoLP(hdc, reinterpret_cast<LPPOINT>(&r), 2);
    if (IsRectEmpty(&r)) {
        *rect = RECT{};
        return NULLREGION;
    }
    *rect = r;
    return SIMPLEREGION;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    Dc* d = D(hdc);
    if (!d) return ERROR;
    RECT r{left, top, right, bottom};
    LPtoDP(hdc, reinterpret_cast<LPPOINT>(&r), 2);
    if (d->st.clip) {
        IntersectRect(&d->st.clipRect, &d->st.clipRect, &r);
    } else {
        d->st.clip = true;
        d->st.clipRect = r;
    }
    Log(*d, "IntersectClipRect " + R(RECT{left, top, right, bottom}));
    return IsRectEmpty(&d->st.clipRect) ? NULLREGION : SIMPLEREGION;
}

// Clipping keeps one rectangle: excluding a band at one edge narrows it,
// anything else leaves it.
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    Dc* d = D(hdc);
    if (!d) return ERROR;
    RECT box;
    GetClipBox(hdc, &box);
    RECT c = box;
    if (top <= box.top && bottom >= box.bottom) {
        if (left <= box.left && right > box.left) c.left = right;
        if (right >= box.right && left < box.right) c.right = left;
    }
    if (left <= box.left && right >= box.right) {
        if (top <= box.top && bottom > box.top) c.top = bottom;
        if (bottom >= box.bottom && top < box.bottom) c.bottom = top;
    }
    d->st.clip = false;
    return IntersectClipRect(hdc, c.left, c.top, c.right, c.bottom);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto o = std::make_unique<Object>();
    o->type = 8;  // region
    o->pen.lopnWidth = POINT{0, 0};
    o->brush.lbColor = 0;
    o->width = right - left;
    o->height = bottom - top;
    o->font.lfHeight = left;
    o->font.lfWidth = top;
    return reinterpret_cast<HRGN>(Add(std::move(o)));
}
HRGN CreateRectRgnIndirect(const RECT* r) { return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr; }

int SelectClipRgn(HDC hdc, HRGN region) {
    Dc* d = D(hdc);
    if (!d) return ERROR;
    Object* o = Obj(region);
    if (!o) {
        d->st.clip = false;
        return SIMPLEREGION;
    }
    // Region coordinates are device coordinates.
    d->st.clip = true;
    d->st.clipRect = RECT{o->font.lfHeight, o->font.lfWidth, o->font.lfHeight + o->width, o->font.lfWidth + o->height};
    return SIMPLEREGION;
}

BOOL PtVisible(HDC hdc, int x, int y) {
    RECT box;
    return GetClipBox(hdc, &box) != ERROR && PtInRect(&box, POINT{x, y});
}
BOOL RectVisible(HDC hdc, const RECT* r) {
    RECT box, hit;
    return r && GetClipBox(hdc, &box) != ERROR && IntersectRect(&hit, &box, r);
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    win::Window* w = win::Find(hwnd);
    if (!w || !ps) return nullptr;
    RECT update = w->hasUpdate ? w->update : RECT{};
    bool erase = w->erase;
    w->hasUpdate = false;
    w->erase = false;
    w->painting = true;
    HDC hdc = GetDC(hwnd);
    Dc* d = D(hdc);
    d->st.clip = true;
    d->st.clipRect = update;
    *ps = PAINTSTRUCT{};
    ps->hdc = hdc;
    ps->rcPaint = update;
    ps->fErase = erase ? !SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) : FALSE;
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (win::Window* w = win::Find(hwnd)) w->painting = false;
    if (ps) ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}

}  // extern "C"

namespace vplat {

namespace {
cairo_surface_t* Render(HWND hwnd, RECT* area) {
    HWND top = win::TopLevelOf(hwnd);
    win::Window* t = win::Find(top);
    if (!t) return nullptr;
    bool hidden = !(t->style & WS_VISIBLE);
    t->style |= WS_VISIBLE;
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if ((t = win::Find(top)) && hidden) t->style &= ~WS_VISIBLE;
    *area = win::WindowRectInTop(hwnd);
    return WindowSurface(top);
}
}  // namespace

bool SnapshotWindow(HWND hwnd, const std::string& pngPath) {
    RECT r;
    cairo_surface_t* s = Render(hwnd, &r);
    if (!s || IsRectEmpty(&r)) return false;
    cairo_surface_flush(s);
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, r.right - r.left, r.bottom - r.top);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_surface(cr, s, -r.left, -r.top);
    cairo_paint(cr);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(out, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok;
}

COLORREF SnapshotPixel(HWND hwnd, int x, int y) {
    RECT r;
    cairo_surface_t* s = Render(hwnd, &r);
    if (!s) return CLR_INVALID;
    x += r.left;
    y += r.top;
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s))
        return CLR_INVALID;
    cairo_surface_flush(s);
    uint32_t p = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s))[x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace vplat

#if defined(__SANITIZE_ADDRESS__)
// The font configuration library under Cairo keeps its caches for the life of
// the process; the leak checker is told so.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
#endif
