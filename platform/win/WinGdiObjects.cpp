// GDI objects: the handle table, stock objects, pens, brushes, fonts,
// bitmaps and images, and the operation log.
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "HostText.h"
#include "WinGdiImpl.h"

namespace vplat {
namespace gdi {

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

}  // namespace gdi

int LiveBitmaps() {
    int n = 0;
    for (const auto& [handle, o] : gdi::T().objects) n += o->type == OBJ_BITMAP && !o->stock && !o->deleted;
    return n;
}

namespace gdi {

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

void Release(HGDIOBJ h) {
    Object* o = Obj(h);
    if (!o) return;
    if (--o->selected <= 0 && o->deleted) T().objects.erase(reinterpret_cast<uintptr_t>(h));
}

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

}  // namespace win

}  // namespace vplat

using namespace vplat;
using namespace vplat::gdi;

extern "C" {

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

BOOL DestroyIcon(HICON) { return TRUE; }

}  // extern "C"
