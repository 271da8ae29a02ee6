// Drawing: fills, lines, shapes, bit blocks, edges, frame controls and icons.
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "HostText.h"
#include "WinGdiImpl.h"

namespace vplat {
namespace gdi {

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

// Fills the current path with the selected brush and outlines it with the
// selected pen (either may be the null one), then drops the path.
void FillAndOutline(Dc& d) {
    Object* br = Obj(d.st.brush);
    if (br && br->brush.lbStyle != BS_NULL) {
        Colour(d.cr, br->brush.lbColor);
        cairo_fill_preserve(d.cr);
    }
    Object* p = Obj(d.st.pen);
    if (p && p->pen.lopnStyle != PS_NULL) {
        Colour(d.cr, p->pen.lopnColor);
        cairo_set_line_width(d.cr, 1);
        cairo_stroke(d.cr);
    }
    cairo_new_path(d.cr);
}

}  // namespace gdi

namespace win {

void FillSys(HDC hdc, const RECT& r, int colour) { FillRect(hdc, &r, GetSysColorBrush(colour)); }

}  // namespace win

}  // namespace vplat

using namespace vplat;
using namespace vplat::gdi;

extern "C" {

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
    FillAndOutline(*d);
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
    FillAndOutline(*d);
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

}  // extern "C"
