// GDI over Cairo: objects, device contexts, drawing and text, with the log of
// every operation.
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "HostText.h"
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
    bool clip = false;
    RECT clipRect{};  // device coordinates
};

enum class Kind { Window, Memory, Screen };

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

Object* Obj(HGDIOBJ h) {
    Table& t = T();
    uintptr_t v = reinterpret_cast<uintptr_t>(h);
    // A system colour index + 1 stands for that colour's brush.
    if (v > 0 && v <= 31) return Obj(GetSysColorBrush(static_cast<int>(v - 1)));
    auto it = t.objects.find(v);
    return it == t.objects.end() ? nullptr : it->second.get();
}

HGDIOBJ Add(std::unique_ptr<Object> o) {
    Table& t = T();
    uintptr_t h = (t.next += 4);
    t.objects[h] = std::move(o);
    return reinterpret_cast<HGDIOBJ>(h);
}

Dc* D(HDC h) {
    auto it = T().dcs.find(reinterpret_cast<uintptr_t>(h));
    return it == T().dcs.end() ? nullptr : it->second.get();
}

HGDIOBJ Stock(int type, COLORREF c, bool null, const wchar_t* face = nullptr, LONG height = 0, LONG weight = 0) {
    auto o = std::make_unique<Object>();
    o->type = static_cast<DWORD>(type);
    o->stock = true;
    if (type == OBJ_PEN) o->pen = LOGPEN{static_cast<UINT>(null ? PS_NULL : PS_SOLID), {1, 0}, c};
    if (type == OBJ_BRUSH) o->brush = LOGBRUSH{static_cast<UINT>(null ? BS_NULL : BS_SOLID), c, 0};
    if (type == OBJ_FONT) {
        o->font.lfHeight = height;
        o->font.lfWeight = weight;
        std::wcsncpy(o->font.lfFaceName, face, LF_FACESIZE - 1);
    }
    return Add(std::move(o));
}

Table& T() {
    static Table* t = nullptr;
    if (!t) {
        t = new Table();
        t->stock[WHITE_BRUSH] = Stock(OBJ_BRUSH, RGB(255, 255, 255), false);
        t->stock[LTGRAY_BRUSH] = Stock(OBJ_BRUSH, RGB(192, 192, 192), false);
        t->stock[GRAY_BRUSH] = Stock(OBJ_BRUSH, RGB(128, 128, 128), false);
        t->stock[DKGRAY_BRUSH] = Stock(OBJ_BRUSH, RGB(64, 64, 64), false);
        t->stock[BLACK_BRUSH] = Stock(OBJ_BRUSH, 0, false);
        t->stock[NULL_BRUSH] = Stock(OBJ_BRUSH, 0, true);
        t->stock[WHITE_PEN] = Stock(OBJ_PEN, RGB(255, 255, 255), false);
        t->stock[BLACK_PEN] = Stock(OBJ_PEN, 0, false);
        t->stock[NULL_PEN] = Stock(OBJ_PEN, 0, true);
        t->stock[SYSTEM_FONT] = Stock(OBJ_FONT, 0, false, L"System", 16, FW_BOLD);
        t->stock[DEFAULT_GUI_FONT] = Stock(OBJ_FONT, 0, false, L"MS Shell Dlg", -11, FW_NORMAL);
        t->stock[DC_BRUSH] = Stock(OBJ_BRUSH, RGB(255, 255, 255), false);
        t->stock[DC_PEN] = Stock(OBJ_PEN, 0, false);
        t->screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        // The 1 x 1 monochrome bitmap every new memory context holds.
        auto b = std::make_unique<Object>();
        b->type = OBJ_BITMAP;
        b->stock = true;
        b->width = b->height = 1;
        b->bpp = 1;
        b->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        t->defaultBitmap = Add(std::move(b));
    }
    return *t;
}

void Log(const Dc& d, const std::string& op) {
    Table& t = T();
    if (t.logOn && t.quiet == 0) t.log.push_back(d.target + ": " + op);
}

std::string Hex(COLORREF c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

std::string R(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
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

// Logical to surface coordinates.
double SX(const Dc& d, double x) { return x - d.st.winOrg.x + d.st.vpOrg.x + d.origin.x; }
double SY(const Dc& d, double y) { return y - d.st.winOrg.y + d.st.vpOrg.y + d.origin.y; }

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
    cairo_reset_clip(d.cr);
    RECT r = ClipSurface(d);
    cairo_rectangle(d.cr, r.left, r.top, std::max<LONG>(0, r.right - r.left), std::max<LONG>(0, r.bottom - r.top));
    cairo_clip(d.cr);
    cairo_set_operator(d.cr, CAIRO_OPERATOR_OVER);
}

void Colour(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// Fills a logical rectangle with a brush; false for a null brush.
bool FillWith(Dc& d, const RECT& r, Object* b) {
    if (!b || b->type != OBJ_BRUSH || b->brush.lbStyle == BS_NULL) return false;
    Prepare(d);
    if (b->brush.lbStyle == BS_PATTERN && b->pattern) {
        cairo_pattern_t* p = cairo_pattern_create_for_surface(b->pattern);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
        cairo_set_source(d.cr, p);
        cairo_pattern_destroy(p);
    } else {
        COLORREF c = b->brush.lbColor;
        if (b == Obj(T().stock[DC_BRUSH])) c = d.st.dcBrush;
        Colour(d.cr, c);
    }
    cairo_rectangle(d.cr, SX(d, r.left), SY(d, r.top), r.right - r.left, r.bottom - r.top);
    cairo_fill(d.cr);
    return true;
}

// Runs a per-pixel operation over a logical rectangle, inside the clip.
template <typename F>
void Pixels(Dc& d, const RECT& logical, F f) {
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

uint32_t Argb(COLORREF c) {
    return 0xFF000000u | (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

void Line(Dc& d, int x0, int y0, int x1, int y1) {
    Object* p = Obj(d.st.pen);
    if (!p || p->pen.lopnStyle == PS_NULL) return;
    Prepare(d);
    Colour(d.cr, p == Obj(T().stock[DC_PEN]) ? 0 : p->pen.lopnColor);
    int width = std::max<int>(1, p->pen.lopnWidth.x);
    if (p->pen.lopnStyle == PS_DOT || p->pen.lopnStyle == PS_DASH) {
        double dash[2] = {p->pen.lopnStyle == PS_DOT ? 1.0 : 4.0, p->pen.lopnStyle == PS_DOT ? 1.0 : 2.0};
        cairo_set_dash(d.cr, dash, 2, 0);
    } else {
        cairo_set_dash(d.cr, nullptr, 0, 0);
    }
    if ((x0 == x1 || y0 == y1) && width == 1 && p->pen.lopnStyle != PS_DOT && p->pen.lopnStyle != PS_DASH) {
        // Axis lines cover exactly the pixels from the start up to, not
        // including, the end point.
        int l = std::min(x0, x1), r = std::max(x0, x1), t = std::min(y0, y1), b = std::max(y0, y1);
        if (x0 == x1) {
            if (y1 < y0) {
                t = y1 + 1;
                b = y0 + 1;
            }
            cairo_rectangle(d.cr, SX(d, x0), SY(d, t), 1, b - t);
        } else {
            if (x1 < x0) {
                l = x1 + 1;
                r = x0 + 1;
            }
            cairo_rectangle(d.cr, SX(d, l), SY(d, y0), r - l, 1);
        }
        cairo_fill(d.cr);
        return;
    }
    cairo_set_line_width(d.cr, width);
    cairo_move_to(d.cr, SX(d, x0) + 0.5, SY(d, y0) + 0.5);
    cairo_line_to(d.cr, SX(d, x1) + 0.5, SY(d, y1) + 0.5);
    cairo_stroke(d.cr);
}

const LOGFONTW& FontOf(const Dc& d) {
    Object* f = Obj(d.st.font);
    return f ? f->font : Obj(T().stock[SYSTEM_FONT])->font;
}

// Draws a text's glyphs at their model positions: each character's glyph is
// centred in the box the metric model gives it.
void Glyphs(Dc& d, int x, int y, const std::wstring& text, int underline = -1) {
    const LOGFONTW& lf = FontOf(d);
    TEXTMETRICW tm = TextMetrics::Metrics(lf);
    int em = TextMetrics::EmOf(lf.lfHeight);
    bool bold = lf.lfWeight >= FW_SEMIBOLD;
    SIZE ext = TextMetrics::Extent(text, lf);
    Prepare(d);
    if (d.st.bkMode == OPAQUE) {
        Colour(d.cr, d.st.bk);
        cairo_rectangle(d.cr, SX(d, x), SY(d, y), ext.cx, ext.cy);
        cairo_fill(d.cr);
    }
    Colour(d.cr, d.st.text);
    cairo_select_font_face(d.cr, "DejaVu Sans", lf.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(d.cr, em * 0.85);
    cairo_set_antialias(d.cr, CAIRO_ANTIALIAS_GRAY);
    int cx = x;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        int w = TextMetrics::CharWidth(c, em, bold);
        if (c != L' ' && c != L'\r' && c != L'\n' && c != L'\t') {
            std::string u = WideToUtf8(std::wstring(1, c));
            cairo_text_extents_t te;
            cairo_text_extents(d.cr, u.c_str(), &te);
            double gx = SX(d, cx) + (w - te.x_advance) / 2.0;
            cairo_move_to(d.cr, gx, SY(d, y + tm.tmAscent));
            cairo_show_text(d.cr, u.c_str());
        }
        if (static_cast<int>(i) == underline || lf.lfUnderline) {
            cairo_rectangle(d.cr, SX(d, cx), SY(d, y + tm.tmAscent + 1), w, 1);
            cairo_fill(d.cr);
        }
        cx += w;
    }
    cairo_set_antialias(d.cr, CAIRO_ANTIALIAS_NONE);
}

}  // namespace gdi

using namespace gdi;

void GdiLog::Enable(bool on) { T().logOn = on; }
void GdiLog::Clear() { T().log.clear(); }
const std::vector<std::string>& GdiLog::Entries() { return T().log; }
std::vector<std::string> GdiLog::Matching(const std::string& fragment) {
    std::vector<std::string> out;
    for (const std::string& e : T().log)
        if (e.find(fragment) != std::string::npos) out.push_back(e);
    return out;
}

namespace win {

HFONT DefaultGuiFont() { return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void FillSys(HDC hdc, const RECT& r, int colour) { FillRect(hdc, &r, GetSysColorBrush(colour)); }

void DrawTextIn(HDC hdc, const std::wstring& text, RECT r, UINT format, COLORREF colour) {
    SetTextColor(hdc, colour);
    SetBkMode(hdc, TRANSPARENT);
    DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

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

namespace {

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

void Release(HGDIOBJ h) {
    Object* o = Obj(h);
    if (!o) return;
    if (--o->selected <= 0 && o->deleted) T().objects.erase(reinterpret_cast<uintptr_t>(h));
}

}  // namespace

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

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    Dc* d = D(hdc);
    Object* o = Obj(object);
    if (!d || !o) return nullptr;
    if (reinterpret_cast<uintptr_t>(object) <= 31) object = GetSysColorBrush(static_cast<int>(reinterpret_cast<uintptr_t>(object) - 1));
    HGDIOBJ* slot = nullptr;
    switch (o->type) {
    case OBJ_PEN: slot = &d->st.pen; break;
    case OBJ_BRUSH: slot = &d->st.brush; break;
    case OBJ_FONT: slot = &d->st.font; break;
    case OBJ_BITMAP: {
        if (d->kind != Kind::Memory || o->icon) return nullptr;
        HGDIOBJ old = d->bitmap;
        o->selected++;
        d->bitmap = object;
        d->visible = RECT{0, 0, o->width, o->height};
        d->target = "bitmap " + std::to_string(o->width) + "x" + std::to_string(o->height);
        Rebind(*d, o->surface);
        Release(old);
        return Obj(old) ? old : nullptr;
    }
    default: return nullptr;
    }
    HGDIOBJ old = *slot;
    o->selected++;
    *slot = object;
    Release(old);
    return old;
}

BOOL DeleteObject(HGDIOBJ object) {
    Object* o = Obj(object);
    if (!o || o->stock || reinterpret_cast<uintptr_t>(object) <= 31) return o != nullptr;
    if (o->selected > 0) {
        // Still selected: it goes when the context lets it go.
        o->deleted = true;
        return TRUE;
    }
    T().objects.erase(reinterpret_cast<uintptr_t>(object));
    return TRUE;
}

HGDIOBJ GetStockObject(int index) {
    if (index < 0 || index >= 20) return nullptr;
    return T().stock[index];
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    Dc* d = D(hdc);
    if (!d) return nullptr;
    switch (type) {
    case OBJ_PEN: return d->st.pen;
    case OBJ_BRUSH: return d->st.brush;
    case OBJ_FONT: return d->st.font;
    case OBJ_BITMAP: return d->bitmap;
    default: return nullptr;
    }
}

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer) {
    Object* o = Obj(object);
    if (!o) return 0;
    switch (o->type) {
    case OBJ_FONT:
        if (buffer && size >= static_cast<int>(sizeof(LOGFONTW))) std::memcpy(buffer, &o->font, sizeof(LOGFONTW));
        return sizeof(LOGFONTW);
    case OBJ_PEN:
        if (buffer && size >= static_cast<int>(sizeof(LOGPEN))) std::memcpy(buffer, &o->pen, sizeof(LOGPEN));
        return sizeof(LOGPEN);
    case OBJ_BRUSH:
        if (buffer && size >= static_cast<int>(sizeof(LOGBRUSH))) std::memcpy(buffer, &o->brush, sizeof(LOGBRUSH));
        return sizeof(LOGBRUSH);
    case OBJ_BITMAP: {
        BITMAP bm{0, o->width, o->height, o->width * 4, 1, static_cast<WORD>(o->bpp), nullptr};
        if (buffer && size >= static_cast<int>(sizeof(BITMAP))) std::memcpy(buffer, &bm, sizeof(BITMAP));
        return sizeof(BITMAP);
    }
    default: return 0;
    }
}

DWORD GetObjectType(HGDIOBJ object) {
    if (D(reinterpret_cast<HDC>(object))) return D(reinterpret_cast<HDC>(object))->kind == Kind::Memory ? OBJ_MEMDC : OBJ_DC;
    Object* o = Obj(object);
    return o ? o->type : 0;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    LOGPEN p{static_cast<UINT>(style), {width, 0}, colour};
    return CreatePenIndirect(&p);
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen) return nullptr;
    auto o = std::make_unique<Object>();
    o->type = OBJ_PEN;
    o->pen = *pen;
    return reinterpret_cast<HPEN>(Add(std::move(o)));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    LOGBRUSH b{BS_SOLID, colour, 0};
    return CreateBrushIndirect(&b);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    auto o = std::make_unique<Object>();
    o->type = OBJ_BRUSH;
    o->brush = *brush;
    return reinterpret_cast<HBRUSH>(Add(std::move(o)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    Object* b = Obj(bitmap);
    if (!b || b->type != OBJ_BITMAP) return nullptr;
    auto o = std::make_unique<Object>();
    o->type = OBJ_BRUSH;
    o->brush = LOGBRUSH{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap)};
    o->pattern = cairo_surface_reference(b->surface);
    return reinterpret_cast<HBRUSH>(Add(std::move(o)));
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (!font) return nullptr;
    auto o = std::make_unique<Object>();
    o->type = OBJ_FONT;
    o->font = *font;
    return reinterpret_cast<HFONT>(Add(std::move(o)));
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCWSTR face) {
    LOGFONTW lf{height, width, escapement, orientation, weight, static_cast<BYTE>(italic), static_cast<BYTE>(underline),
                static_cast<BYTE>(strikeOut), static_cast<BYTE>(charSet), static_cast<BYTE>(outPrecision),
                static_cast<BYTE>(clipPrecision), static_cast<BYTE>(quality), static_cast<BYTE>(pitchAndFamily), {}};
    if (face) std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    return CreateBitmap(width, height, 1, 32, nullptr);
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0) return nullptr;
    auto o = std::make_unique<Object>();
    o->type = OBJ_BITMAP;
    o->width = std::max(width, 1);
    o->height = std::max(height, 1);
    o->bpp = static_cast<int>(bitsPerPixel);
    o->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, o->width, o->height);
    unsigned char* data = cairo_image_surface_get_data(o->surface);
    int stride = cairo_image_surface_get_stride(o->surface);
    for (int y = 0; y < o->height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < o->width; ++x) {
            uint32_t v = 0xFF000000u;
            if (bits && bitsPerPixel == 1) {
                // Rows of bits padded to 16-bit words; a set bit is white.
                int rowBytes = ((o->width + 15) / 16) * 2;
                const auto* b = static_cast<const unsigned char*>(bits) + y * rowBytes;
                if (b[x / 8] & (0x80 >> (x % 8))) v = 0xFFFFFFFFu;
            } else if (bits && bitsPerPixel == 32) {
                v = static_cast<const uint32_t*>(bits)[y * o->width + x] | 0xFF000000u;
            }
            row[x] = v;
        }
    }
    cairo_surface_mark_dirty(o->surface);
    return reinterpret_cast<HBITMAP>(Add(std::move(o)));
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
BOOL LPtoDP(HDC hdc, LPPOINT p, int count) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    for (int i = 0; i < count; ++i) {
        p[i].x += d->st.vpOrg.x - d->st.winOrg.x;
        p[i].y += d->st.vpOrg.y - d->st.winOrg.y;
    }
    return TRUE;
}
BOOL DPtoLP(HDC hdc, LPPOINT p, int count) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    for (int i = 0; i < count; ++i) {
        p[i].x -= d->st.vpOrg.x - d->st.winOrg.x;
        p[i].y -= d->st.vpOrg.y - d->st.winOrg.y;
    }
    return TRUE;
}

// The clip box: the drawable area in logical coordinates.
int GetClipBox(HDC hdc, LPRECT rect) {
    Dc* d = D(hdc);
    if (!d || !rect) return ERROR;
    RECT r = ClipSurface(*d);
    OffsetRect(&r, -d->origin.x - d->st.vpOrg.x + d->st.winOrg.x, -d->origin.y - d->st.vpOrg.y + d->st.winOrg.y);
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
    RECT r{left - d->st.winOrg.x + d->st.vpOrg.x, top - d->st.winOrg.y + d->st.vpOrg.y,
           right - d->st.winOrg.x + d->st.vpOrg.x, bottom - d->st.winOrg.y + d->st.vpOrg.y};
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

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    Dc* d = D(hdc);
    if (!d || !rect) return 0;
    Object* b = Obj(brush);
    if (!b) return 0;
    FillWith(*d, *rect, b);
    Log(*d, "FillRect " + R(*rect) + " " + (b->brush.lbStyle == BS_SOLID ? Hex(b->brush.lbColor) : "pattern"));
    return 1;
}

int FrameRect(HDC hdc, const RECT* r, HBRUSH brush) {
    Dc* d = D(hdc);
    Object* b = Obj(brush);
    if (!d || !r || !b) return 0;
    RECT e[4] = {{r->left, r->top, r->right, r->top + 1}, {r->left, r->bottom - 1, r->right, r->bottom},
                 {r->left, r->top, r->left + 1, r->bottom}, {r->right - 1, r->top, r->right, r->bottom}};
    for (RECT& x : e) FillWith(*d, x, b);
    Log(*d, "FrameRect " + R(*r));
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* r) {
    Dc* d = D(hdc);
    if (!d || !r) return FALSE;
    Pixels(*d, *r, [](uint32_t p, LONG, LONG) { return ~p; });
    Log(*d, "InvertRect " + R(*r));
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT old) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    if (old) *old = d->st.pos;
    d->st.pos = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    Line(*d, d->st.pos.x, d->st.pos.y, x, y);
    Log(*d, "LineTo (" + std::to_string(d->st.pos.x) + "," + std::to_string(d->st.pos.y) + ")-(" + std::to_string(x) +
                "," + std::to_string(y) + ")");
    d->st.pos = POINT{x, y};
    return TRUE;
}

BOOL Rectangle(HDC hdc, int l, int t, int r, int b) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    FillWith(*d, RECT{l, t, r, b}, Obj(d->st.brush));
    Line(*d, l, t, r, t);
    Line(*d, l, b - 1, r, b - 1);
    Line(*d, l, t, l, b);
    Line(*d, r - 1, t, r - 1, b);
    Log(*d, "Rectangle " + R(RECT{l, t, r, b}));
    return TRUE;
}

BOOL Ellipse(HDC hdc, int l, int t, int r, int b) {
    Dc* d = D(hdc);
    if (!d || r <= l || b <= t) return FALSE;
    Prepare(*d);
    cairo_set_antialias(d->cr, CAIRO_ANTIALIAS_GRAY);
    cairo_save(d->cr);
    cairo_translate(d->cr, SX(*d, (l + r) / 2.0), SY(*d, (t + b) / 2.0));
    cairo_scale(d->cr, (r - l) / 2.0, (b - t) / 2.0);
    cairo_arc(d->cr, 0, 0, 1, 0, 6.283185307179586);
    cairo_restore(d->cr);
    Object* br = Obj(d->st.brush);
    if (br && br->brush.lbStyle != BS_NULL) {
        Colour(d->cr, br->brush.lbColor);
        cairo_fill_preserve(d->cr);
    }
    Object* p = Obj(d->st.pen);
    if (p && p->pen.lopnStyle != PS_NULL) {
        Colour(d->cr, p->pen.lopnColor);
        cairo_set_line_width(d->cr, 1);
        cairo_stroke(d->cr);
    }
    cairo_new_path(d->cr);
    cairo_set_antialias(d->cr, CAIRO_ANTIALIAS_NONE);
    Log(*d, "Ellipse " + R(RECT{l, t, r, b}));
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* pts, int count) {
    Dc* d = D(hdc);
    if (!d || !pts || count < 2) return FALSE;
    for (int i = 1; i < count; ++i) Line(*d, pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y);
    Log(*d, "Polyline " + std::to_string(count));
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* pts, int count) {
    Dc* d = D(hdc);
    if (!d || !pts || count < 2) return FALSE;
    Prepare(*d);
    cairo_move_to(d->cr, SX(*d, pts[0].x), SY(*d, pts[0].y));
    for (int i = 1; i < count; ++i) cairo_line_to(d->cr, SX(*d, pts[i].x), SY(*d, pts[i].y));
    cairo_close_path(d->cr);
    Object* br = Obj(d->st.brush);
    if (br && br->brush.lbStyle != BS_NULL) {
        Colour(d->cr, br->brush.lbColor);
        cairo_fill_preserve(d->cr);
    }
    Object* p = Obj(d->st.pen);
    if (p && p->pen.lopnStyle != PS_NULL) {
        Colour(d->cr, p->pen.lopnColor);
        cairo_set_line_width(d->cr, 1);
        cairo_stroke(d->cr);
    }
    cairo_new_path(d->cr);
    Log(*d, "Polygon " + std::to_string(count));
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF c) {
    Dc* d = D(hdc);
    if (!d) return CLR_INVALID;
    uint32_t v = Argb(c);
    Pixels(*d, RECT{x, y, x + 1, y + 1}, [v](uint32_t, LONG, LONG) { return v; });
    return c;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    Dc* d = D(hdc);
    if (!d) return CLR_INVALID;
    COLORREF out = CLR_INVALID;
    Pixels(*d, RECT{x, y, x + 1, y + 1}, [&out](uint32_t p, LONG, LONG) {
        out = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        return p;
    });
    return out;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    RECT r{x, y, x + w, y + h};
    Object* b = Obj(d->st.brush);
    switch (rop) {
    case PATCOPY: FillWith(*d, r, b); break;
    case BLACKNESS: Pixels(*d, r, [](uint32_t, LONG, LONG) { return 0u; }); break;
    case WHITENESS: Pixels(*d, r, [](uint32_t, LONG, LONG) { return 0xFFFFFFu; }); break;
    case DSTINVERT: Pixels(*d, r, [](uint32_t p, LONG, LONG) { return ~p; }); break;
    case PATINVERT: {
        cairo_surface_t* pat = b && b->pattern ? b->pattern : nullptr;
        uint32_t solid = b ? Argb(b->brush.lbColor) : 0;
        int pw = pat ? cairo_image_surface_get_width(pat) : 1;
        int ph = pat ? cairo_image_surface_get_height(pat) : 1;
        unsigned char* pd = pat ? cairo_image_surface_get_data(pat) : nullptr;
        int ps = pat ? cairo_image_surface_get_stride(pat) : 0;
        Pixels(*d, r, [&](uint32_t p, LONG px, LONG py) {
            uint32_t q = pd ? reinterpret_cast<uint32_t*>(pd + (py % ph) * ps)[px % pw] : solid;
            return p ^ (q & 0xFFFFFFu);
        });
        break;
    }
    default: return FALSE;
    }
    Log(*d, "PatBlt " + R(r));
    return TRUE;
}

BOOL BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
    Dc* d = D(dst);
    if (!d) return FALSE;
    Dc* s = D(src);
    if (rop == SRCCOPY && s) {
        Prepare(*d);
        cairo_surface_flush(s->surface);
        cairo_set_operator(d->cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(d->cr, s->surface, SX(*d, x) - SX(*s, sx), SY(*d, y) - SY(*s, sy));
        cairo_rectangle(d->cr, SX(*d, x), SY(*d, y), w, h);
        cairo_fill(d->cr);
        cairo_set_operator(d->cr, CAIRO_OPERATOR_OVER);
    } else if (s && (rop == SRCINVERT || rop == SRCAND || rop == SRCPAINT)) {
        cairo_surface_flush(s->surface);
        unsigned char* sd = cairo_image_surface_get_data(s->surface);
        int ss = cairo_image_surface_get_stride(s->surface);
        int swid = cairo_image_surface_get_width(s->surface), shei = cairo_image_surface_get_height(s->surface);
        Dc& sref = *s;
        Pixels(*d, RECT{x, y, x + w, y + h}, [&](uint32_t p, LONG px, LONG py) {
            int qx = static_cast<int>(px - SX(*d, x) + SX(sref, sx));
            int qy = static_cast<int>(py - SY(*d, y) + SY(sref, sy));
            if (qx < 0 || qy < 0 || qx >= swid || qy >= shei) return p;
            uint32_t q = reinterpret_cast<uint32_t*>(sd + qy * ss)[qx];
            return rop == SRCINVERT ? p ^ q : rop == SRCAND ? p & q : p | q;
        });
    } else if (!PatBlt(dst, x, y, w, h, rop)) {
        return FALSE;
    }
    Log(*d, "BitBlt " + R(RECT{x, y, x + w, y + h}) + " from " + (s ? s->target : std::string("none")));
    return TRUE;
}

BOOL StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWORD rop) {
    Dc* d = D(dst);
    Dc* s = D(src);
    if (!d || !s || sw == 0 || sh == 0) return FALSE;
    if (rop != SRCCOPY) return BitBlt(dst, x, y, w, h, src, sx, sy, rop);
    Prepare(*d);
    cairo_save(d->cr);
    cairo_translate(d->cr, SX(*d, x), SY(*d, y));
    cairo_scale(d->cr, static_cast<double>(w) / sw, static_cast<double>(h) / sh);
    cairo_set_source_surface(d->cr, s->surface, -SX(*s, sx), -SY(*s, sy));
    cairo_rectangle(d->cr, 0, 0, sw, sh);
    cairo_fill(d->cr);
    cairo_restore(d->cr);
    Log(*d, "StretchBlt " + R(RECT{x, y, x + w, y + h}));
    return TRUE;
}

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
    Dc* d = D(hdc);
    if (!d || !rect) return FALSE;
    RECT r = *rect;
    struct Pass {
        UINT bit;
        int tl;
        int br;
    };
    const Pass outer[2] = {{BDR_RAISEDOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW},
                           {BDR_SUNKENOUTER, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}};
    const Pass inner[2] = {{BDR_RAISEDINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
                           {BDR_SUNKENINNER, COLOR_3DDKSHADOW, COLOR_3DLIGHT}};
    for (const Pass* set : {outer, inner}) {
        for (int i = 0; i < 2; ++i) {
            if (!(edge & set[i].bit)) continue;
            int tl = set[i].tl, br = set[i].br;
            if (flags & BF_MONO) tl = br = COLOR_WINDOWFRAME;
            if (flags & BF_FLAT) tl = br = COLOR_BTNSHADOW;
            Object* a = Obj(GetSysColorBrush(tl));
            Object* b = Obj(GetSysColorBrush(br));
            if (flags & BF_TOP) FillWith(*d, RECT{r.left, r.top, r.right, r.top + 1}, a);
            if (flags & BF_LEFT) FillWith(*d, RECT{r.left, r.top, r.left + 1, r.bottom}, a);
            if (flags & BF_BOTTOM) FillWith(*d, RECT{r.left, r.bottom - 1, r.right, r.bottom}, b);
            if (flags & BF_RIGHT) FillWith(*d, RECT{r.right - 1, r.top, r.right, r.bottom}, b);
            if (flags & BF_LEFT) r.left++;
            if (flags & BF_TOP) r.top++;
            if (flags & BF_RIGHT) r.right--;
            if (flags & BF_BOTTOM) r.bottom--;
            break;
        }
    }
    if (flags & BF_MIDDLE) FillWith(*d, r, Obj(GetSysColorBrush(COLOR_BTNFACE)));
    if (flags & BF_ADJUST) *rect = r;
    Log(*d, "DrawEdge " + R(*rect) + " " + std::to_string(edge));
    return TRUE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state) {
    Dc* d = D(hdc);
    if (!d || !rect) return FALSE;
    RECT r = *rect;
    bool pushed = (state & DFCS_PUSHED) != 0;
    bool inactive = (state & DFCS_INACTIVE) != 0;
    T().quiet++;
    if (type == DFC_BUTTON && (state & 0x0F) == DFCS_BUTTONRADIO) {
        HGDIOBJ oldPen = SelectObject(hdc, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        HGDIOBJ oldBrush = SelectObject(hdc, GetSysColorBrush(inactive ? COLOR_BTNFACE : COLOR_WINDOW));
        Ellipse(hdc, r.left, r.top, r.right, r.bottom);
        if (state & DFCS_CHECKED) {
            SelectObject(hdc, GetSysColorBrush(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
            HGDIOBJ pen = SelectObject(hdc, GetStockObject(NULL_PEN));
            Ellipse(hdc, r.left + 4, r.top + 4, r.right - 4, r.bottom - 4);
            SelectObject(hdc, pen);
        }
        DeleteObject(SelectObject(hdc, oldPen));
        SelectObject(hdc, oldBrush);
    } else if (type == DFC_BUTTON && (state & 0x1F) == DFCS_BUTTONCHECK) {
        RECT box = r;
        DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillRect(hdc, &box, GetSysColorBrush(inactive ? COLOR_BTNFACE : COLOR_WINDOW));
        if (state & DFCS_CHECKED) {
            HGDIOBJ old = SelectObject(hdc, CreatePen(PS_SOLID, 1, GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT)));
            int x = box.left + 2, y = box.top + 4;
            for (int k = 0; k < 3; ++k) {
                MoveToEx(hdc, x, y + k, nullptr);
                LineTo(hdc, x + 2, y + 2 + k);
                LineTo(hdc, x + 7, y - 3 + k);
            }
            DeleteObject(SelectObject(hdc, old));
        }
    } else {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        RECT e = r;
        DrawEdge(hdc, &e, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        if (type == DFC_SCROLL || type == DFC_CAPTION) {
            int cx = (r.left + r.right) / 2 + (pushed ? 1 : 0), cy = (r.top + r.bottom) / 2 + (pushed ? 1 : 0);
            HBRUSH glyph = GetSysColorBrush(inactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
            HGDIOBJ ob = SelectObject(hdc, glyph);
            HGDIOBJ op = SelectObject(hdc, GetStockObject(NULL_PEN));
            UINT kind = state & 0x0F;
            if (type == DFC_CAPTION) {
                HGDIOBJ pen = SelectObject(hdc, CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
                MoveToEx(hdc, cx - 3, cy - 3, nullptr);
                LineTo(hdc, cx + 4, cy + 4);
                MoveToEx(hdc, cx + 3, cy - 3, nullptr);
                LineTo(hdc, cx - 4, cy + 4);
                DeleteObject(SelectObject(hdc, pen));
            } else {
                POINT p[3];
                if (kind == DFCS_SCROLLUP) {
                    p[0] = {cx - 4, cy + 2}; p[1] = {cx + 4, cy + 2}; p[2] = {cx, cy - 2};
                } else if (kind == DFCS_SCROLLLEFT) {
                    p[0] = {cx + 2, cy - 4}; p[1] = {cx + 2, cy + 4}; p[2] = {cx - 2, cy};
                } else if (kind == DFCS_SCROLLRIGHT) {
                    p[0] = {cx - 2, cy - 4}; p[1] = {cx - 2, cy + 4}; p[2] = {cx + 2, cy};
                } else {
                    p[0] = {cx - 4, cy - 2}; p[1] = {cx + 4, cy - 2}; p[2] = {cx, cy + 2};
                }
                Polygon(hdc, p, 3);
            }
            SelectObject(hdc, op);
            SelectObject(hdc, ob);
        }
    }
    T().quiet--;
    Log(*d, "DrawFrameControl " + R(*rect) + " " + std::to_string(type) + " " + std::to_string(state));
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* r) {
    Dc* d = D(hdc);
    if (!d || !r) return FALSE;
    // A dotted frame drawn by inverting every other pixel.
    auto dots = [](uint32_t p, LONG x, LONG y) { return ((x + y) & 1) ? p : ~p; };
    Pixels(*d, RECT{r->left, r->top, r->right, r->top + 1}, dots);
    Pixels(*d, RECT{r->left, r->bottom - 1, r->right, r->bottom}, dots);
    Pixels(*d, RECT{r->left, r->top + 1, r->left + 1, r->bottom - 1}, dots);
    Pixels(*d, RECT{r->right - 1, r->top + 1, r->right, r->bottom - 1}, dots);
    Log(*d, "DrawFocusRect " + R(*r));
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT) {
    Dc* d = D(hdc);
    Object* o = Obj(icon);
    if (!d || !o || !o->surface) return FALSE;
    if (cx == 0) cx = o->width;
    if (cy == 0) cy = o->height;
    Prepare(*d);
    cairo_save(d->cr);
    cairo_translate(d->cr, SX(*d, x), SY(*d, y));
    cairo_scale(d->cr, static_cast<double>(cx) / o->width, static_cast<double>(cy) / o->height);
    cairo_set_source_surface(d->cr, o->surface, 0, 0);
    cairo_paint(d->cr);
    cairo_restore(d->cr);
    Log(*d, "DrawIcon " + R(RECT{x, y, x + cx, y + cy}));
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) { return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL); }

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count) {
    Dc* d = D(hdc);
    if (!d || !text) return FALSE;
    std::wstring s = count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count));
    Glyphs(*d, x, y, s);
    Log(*d, "TextOut (" + std::to_string(x) + "," + std::to_string(y) + ") \"" + WideToUtf8(s) + "\"");
    return TRUE;
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const INT*) {
    Dc* d = D(hdc);
    if (!d) return FALSE;
    if ((options & ETO_OPAQUE) && rect) {
        HBRUSH b = CreateSolidBrush(d->st.bk);
        FillWith(*d, *rect, Obj(b));
        DeleteObject(b);
        Log(*d, "ExtTextOut " + R(*rect) + " opaque " + Hex(d->st.bk));
    }
    if (!text || count == 0) return TRUE;
    int saved = SaveDC(hdc);
    if ((options & ETO_CLIPPED) && rect) IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
    int mode = d->st.bkMode;
    if (options & ETO_OPAQUE) d->st.bkMode = TRANSPARENT;
    BOOL ok = TextOutW(hdc, x, y, text, static_cast<int>(count));
    d->st.bkMode = mode;
    RestoreDC(hdc, saved);
    return ok;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
    Dc* d = D(hdc);
    if (!d || !size) return FALSE;
    std::wstring s = text ? (count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count))) : L"";
    *size = TextMetrics::Extent(s, FontOf(*d));
    return TRUE;
}

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* tm) {
    Dc* d = D(hdc);
    if (!d || !tm) return FALSE;
    *tm = TextMetrics::Metrics(FontOf(*d));
    return TRUE;
}

int GetTextFaceW(HDC hdc, int size, LPWSTR face) {
    Dc* d = D(hdc);
    if (!d) return 0;
    std::wstring f = FontOf(*d).lfFaceName;
    if (face && size > 0) {
        size_t n = std::min(f.size(), static_cast<size_t>(size - 1));
        std::wmemcpy(face, f.c_str(), n);
        face[n] = 0;
    }
    return static_cast<int>(f.size() + 1);
}

UINT SetTextAlign(HDC, UINT) { return 0; }

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index > 30) return nullptr;
    Table& t = T();
    if (!t.sysBrush[index]) {
        HBRUSH b = CreateSolidBrush(GetSysColor(index));
        Obj(b)->stock = true;
        t.sysBrush[index] = b;
    }
    return t.sysBrush[index];
}

}  // extern "C"

// DrawText: the layout of lines, ellipsis and alignment by the metric model.
namespace {

struct TextLine {
    std::wstring text;
    int underline = -1;
};

std::wstring Prefixed(const std::wstring& in, bool noPrefix, int* underline) {
    *underline = -1;
    if (noPrefix) return in;
    std::wstring out;
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == L'&') {
            if (i + 1 < in.size() && in[i + 1] == L'&') {
                out.push_back(L'&');
                ++i;
            } else if (i + 1 < in.size()) {
                *underline = static_cast<int>(out.size());
            }
            continue;
        }
        out.push_back(in[i]);
    }
    return out;
}

int Width(const std::wstring& s, const LOGFONTW& lf) { return TextMetrics::Extent(s, lf).cx; }

}  // namespace

extern "C" int DrawTextW(HDC hdc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    Dc* d = D(hdc);
    if (!d || !text || !rect) return 0;
    std::wstring raw = count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count));
    const LOGFONTW& lf = FontOf(*d);
    TEXTMETRICW tm = TextMetrics::Metrics(lf);
    int underline = -1;
    std::wstring s = Prefixed(raw, (format & DT_NOPREFIX) != 0, &underline);
    int width = rect->right - rect->left;
    std::vector<TextLine> lines;
    if (format & DT_SINGLELINE) {
        std::wstring one;
        for (wchar_t c : s)
            if (c != L'\r' && c != L'\n') one.push_back(c);
        lines.push_back({one, underline});
    } else {
        std::vector<std::wstring> paragraphs(1);
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == L'\r' || s[i] == L'\n') {
                if (s[i] == L'\r' && i + 1 < s.size() && s[i + 1] == L'\n') ++i;
                paragraphs.emplace_back();
            } else {
                paragraphs.back().push_back(s[i]);
            }
        }
        for (const std::wstring& p : paragraphs) {
            if (!(format & DT_WORDBREAK) || Width(p, lf) <= width) {
                lines.push_back({p, -1});
                continue;
            }
            // Breaks at blanks; a word wider than the line stays whole.
            std::wstring line;
            size_t i = 0;
            while (i < p.size()) {
                size_t j = p.find(L' ', i);
                std::wstring word = p.substr(i, j == std::wstring::npos ? std::wstring::npos : j - i);
                std::wstring tryLine = line.empty() ? word : line + L" " + word;
                if (!line.empty() && Width(tryLine, lf) > width) {
                    lines.push_back({line, -1});
                    line = word;
                } else {
                    line = tryLine;
                }
                if (j == std::wstring::npos) break;
                i = j + 1;
            }
            lines.push_back({line, -1});
        }
        if (lines.size() == 1) lines[0].underline = underline;
    }
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (TextLine& l : lines) {
            if (Width(l.text, lf) <= width) continue;
            std::wstring t = l.text;
            while (!t.empty() && Width(t + L"...", lf) > width) t.pop_back();
            l.text = t + L"...";
        }
    }
    int lineH = tm.tmHeight;
    int total = lineH * static_cast<int>(lines.size());
    int maxW = 0;
    for (const TextLine& l : lines) maxW = std::max(maxW, Width(l.text, lf));
    if (format & DT_CALCRECT) {
        rect->right = rect->left + maxW;
        rect->bottom = rect->top + total;
        return total;
    }
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = rect->top + (rect->bottom - rect->top - lineH) / 2;
        if (format & DT_BOTTOM) y = rect->bottom - lineH;
    }
    T().quiet++;
    int saved = SaveDC(hdc);
    if (!(format & DT_NOCLIP)) IntersectClipRect(hdc, rect->left, rect->top, rect->right, rect->bottom);
    for (const TextLine& l : lines) {
        int w = Width(l.text, lf);
        int x = rect->left;
        if (format & DT_CENTER) x = rect->left + (width - w) / 2;
        if (format & DT_RIGHT) x = rect->right - w;
        Glyphs(*d, x, y, l.text, l.underline);
        y += lineH;
    }
    RestoreDC(hdc, saved);
    T().quiet--;
    std::string joined;
    for (const TextLine& l : lines) joined += (joined.empty() ? "" : "|") + WideToUtf8(l.text);
    Log(*d, "DrawText " + R(*rect) + " \"" + joined + "\"");
    int top = (format & DT_SINGLELINE) ? y - lineH : rect->top;
    return (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) ? top + lineH - rect->top : total;
}

// Painting a window's update area, images from resources, snapshots.
namespace vplat::gdi {

HGDIOBJ MakeImage(const PixelArt& art, bool icon) {
    auto o = std::make_unique<Object>();
    o->type = OBJ_BITMAP;
    o->icon = icon;
    o->width = art.width;
    o->height = art.height;
    o->surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, art.width, art.height);
    unsigned char* data = cairo_image_surface_get_data(o->surface);
    int stride = cairo_image_surface_get_stride(o->surface);
    size_t keys = std::strlen(art.keys);
    for (int y = 0; y < art.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        const char* src = art.rows[y];
        for (int x = 0; x < art.width; ++x) {
            char k = src[x];
            uint32_t v = icon ? 0u : 0xFF000000u;
            for (size_t i = 0; i < keys; ++i)
                if (art.keys[i] == k) v = Argb(art.colours[i]);
            row[x] = v;
        }
    }
    cairo_surface_mark_dirty(o->surface);
    return Add(std::move(o));
}

}  // namespace vplat::gdi

extern "C" {

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

BOOL DestroyIcon(HICON) { return TRUE; }

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
