#include "DrawingRender.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "AcDbAds.h"
#include "BlockNesting.h"
#include "HostText.h"

namespace vplat {

void ShutdownRenderer() {
    cairo_debug_reset_static_data();
    FcFini();
}

unsigned AciColor(int i) {
    static const unsigned base[10] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                      0x0000FF, 0xFF00FF, 0x000000, 0x808080, 0xC0C0C0};
    if (i < 0) i = -i;
    if (i >= 0 && i <= 9) return base[i];
    if (i >= 250 && i <= 255) {
        static const int grey[6] = {51, 91, 132, 173, 214, 255};
        unsigned g = static_cast<unsigned>(grey[i - 250]);
        return (g << 16) | (g << 8) | g;
    }
    if (i > 255) return 0;
    // 10 to 249: 24 hues 15 degrees apart; within a hue five shades, each
    // in full and half saturation.
    double hue = ((i / 10) - 1) * 15.0;
    int shade = (i % 10) / 2;
    static const double value[5] = {1.0, 0.65, 0.5, 0.3, 0.15};
    double sat = (i % 2) ? 0.5 : 1.0;
    double v = value[shade];
    double c = v * sat, h = hue / 60.0, x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1) r = c, g = x;
    else if (h < 2) r = x, g = c;
    else if (h < 3) g = c, b = x;
    else if (h < 4) g = x, b = c;
    else if (h < 5) r = x, b = c;
    else r = c, b = x;
    double m = v - c;
    auto ch = [&](double t) { return static_cast<unsigned>(std::lround((t + m) * 255)); };
    return (ch(r) << 16) | (ch(g) << 8) | ch(b);
}

namespace {

// The unit view direction and the screen axes of a view that is not the plan.
void Basis(const double direction[3], double d[3], double right[3], double up[3]) {
    double n = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] + direction[2] * direction[2]);
    for (int i = 0; i < 3; ++i) d[i] = direction[i] / n;
    // (0, 0, 1) x d; straight down or up the z axis it vanishes: x stays right.
    right[0] = -d[1], right[1] = d[0], right[2] = 0;
    double r = std::hypot(right[0], right[1]);
    if (r < 1e-12) {
        right[0] = 1, right[1] = 0;
    } else {
        right[0] /= r, right[1] /= r;
    }
    up[0] = d[1] * right[2] - d[2] * right[1];
    up[1] = d[2] * right[0] - d[0] * right[2];
    up[2] = d[0] * right[1] - d[1] * right[0];
}

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

bool RenderView::Parse(const std::string& text, std::wstring* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = Utf8ToWide("view \"" + text + "\": " + why);
        return false;
    };
    if (text.empty() || text == "plan") {
        plan = true;
        direction[0] = 0, direction[1] = 0, direction[2] = 1;
        return true;
    }
    double v[3] = {1, -1, 1};
    if (text != "iso") {
        std::string rest = text;
        for (int i = 0; i < 3; ++i) {
            size_t comma = rest.find(',');
            if ((i < 2) != (comma != std::string::npos)) return fail("expected plan, iso or three numbers x,y,z");
            std::string part = i < 2 ? rest.substr(0, comma) : rest;
            rest = i < 2 ? rest.substr(comma + 1) : std::string();
            char* end = nullptr;
            v[i] = std::strtod(part.c_str(), &end);
            if (part.empty() || *end != '\0' || !std::isfinite(v[i])) return fail("\"" + part + "\" is not a number");
        }
        if (v[0] == 0 && v[1] == 0 && v[2] == 0) return fail("the direction is the zero vector");
    }
    plan = false;
    for (int i = 0; i < 3; ++i) direction[i] = v[i];
    return true;
}

void RenderView::Project(const double p[3], double* x, double* y, double* depth) const {
    if (plan) {
        *x = p[0], *y = p[1], *depth = p[2];
        return;
    }
    double d[3], right[3], up[3];
    Basis(direction, d, right, up);
    double q[3] = {p[0], p[1], p[2] * zscale};
    *x = Dot(q, right), *y = Dot(q, up), *depth = Dot(q, d);
}

namespace {

struct Pt {
    double x, y;
};

struct Prim {
    enum Kind { Line, Text, Face } kind;
    std::vector<Pt> pts;  // a line string; a face's outline
    bool closed = false;
    std::wstring text;
    double height = 0, angle = 0;
    unsigned color = 0;
    int clip = -1;  // index of the viewport clip, or -1
    double depth = 0;  // a face's mean depth towards the eye
};

// A light tint of a colour, darker the more the face turns from the eye
// (cosine 1: facing it).
unsigned Shade(unsigned color, double cosine) {
    double light = 0.55 + 0.45 * std::clamp(cosine, 0.0, 1.0);
    unsigned out = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        double c = (color >> shift) & 255;
        double tint = c + (255 - c) * 0.6;
        out |= static_cast<unsigned>(std::lround(tint * light)) << shift;
    }
    return out;
}

struct Clip {
    double x0, y0, x1, y1;
};

class Collector {
public:
    Collector(const AcDbDatabase* db, const RenderView& view) : m_db(db), m_view(view) {}
    std::vector<Prim> prims;
    std::vector<Clip> clips;

    void Block(const AcDbBlockTableRecord* b, const AcGeMatrix3d& m, int inheritColor, int depth, int clip,
               bool paper) {
        if (depth > kMaxBlockDepth) return;
        for (AcDbObjectId id : b->entityIds()) {
            if (!m_budget.Take()) return;
            auto* e = Peek<AcDbEntity>(id);
            if (!e || e->isErased()) continue;
            Entity(e, m, inheritColor, depth, clip, paper);
        }
    }

private:
    const AcDbLayerTableRecord* Layer(const AcDbEntity* e) {
        auto* lt = Peek<AcDbLayerTable>(m_db->layerTableId());
        return Peek<AcDbLayerTableRecord>(lt->find(e->layerName()));
    }

    int ColorOf(const AcDbEntity* e, int inherit, int depth) {
        int c = e->colorIndex();
        if (c == 0) return inherit;
        if (c == 256) {
            if (depth > 0 && e->layerName() == L"0") return inherit;
            auto* l = Layer(e);
            return l ? l->color().colorIndex() : 7;
        }
        return c;
    }

    Pt P(const AcGePoint3d& p, const AcGeMatrix3d& m) const {
        AcGePoint3d q = p;
        q.transformBy(m);
        if (m_view.plan) return {q.x, q.y};
        double v[3] = {q.x, q.y, q.z}, x, y, depth;
        m_view.Project(v, &x, &y, &depth);
        return {x, y};
    }

    // A 3D face seen from the view: filled, shaded by how it faces the eye.
    void Face(const AcDbFace* f, const AcGeMatrix3d& m, unsigned color, int clip) {
        double d[3], right[3], up[3];
        Basis(m_view.direction, d, right, up);
        double c[4][3];
        Prim pr{Prim::Face, {}, true, L"", 0, 0, 0, clip};
        for (Adesk::UInt16 k = 0; k < 4; ++k) {
            AcGePoint3d p;
            f->getVertexAt(k, p);
            p.transformBy(m);
            c[k][0] = p.x, c[k][1] = p.y, c[k][2] = p.z * m_view.zscale;
            pr.pts.push_back({Dot(c[k], right), Dot(c[k], up)});
            pr.depth += Dot(c[k], d) / 4;
        }
        double n[3] = {0, 0, 0};
        for (int k = 0; k < 4; ++k) {  // Newell's normal: any of the four corners may repeat another
            const double* a = c[k];
            const double* b = c[(k + 1) % 4];
            n[0] += (a[1] - b[1]) * (a[2] + b[2]);
            n[1] += (a[2] - b[2]) * (a[0] + b[0]);
            n[2] += (a[0] - b[0]) * (a[1] + b[1]);
        }
        double len = std::sqrt(Dot(n, n));
        pr.color = Shade(color, len > 0 ? std::fabs(Dot(n, d)) / len : 1.0);
        prims.push_back(std::move(pr));
    }

    void Add(std::vector<Pt> pts, bool closed, unsigned color, int clip) {
        Prim p{Prim::Line, std::move(pts), closed, L"", 0, 0, color, clip};
        prims.push_back(std::move(p));
    }

    void Entity(const AcDbEntity* e, const AcGeMatrix3d& m, int inherit, int depth, int clip, bool paper) {
        if (auto* l = Layer(e); l && (l->isFrozen() || l->isOff())) return;
        int ci = ColorOf(e, inherit, depth);
        unsigned color = AciColor(ci);
        std::vector<PolyVertex> vs;
        bool closed = false;
        if (PolylineVertices(e, vs, &closed)) {
            std::vector<Pt> pts;
            size_t n = vs.size();
            for (size_t i = 0; i < n; ++i) {
                pts.push_back(P(vs[i].point, m));
                bool last = i + 1 == n;
                if (last && !closed) break;
                const AcGePoint3d& a = vs[i].point;
                const AcGePoint3d& b = vs[last ? 0 : i + 1].point;
                double bulge = vs[i].bulge;
                if (bulge == 0) continue;
                // An arc of 4 atan(bulge) from a to b, sampled.
                double theta = 4 * std::atan(bulge);
                double dx = b.x - a.x, dy = b.y - a.y, chord = std::hypot(dx, dy);
                if (chord == 0) continue;
                double r = chord / (2 * std::sin(theta / 2));
                double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
                double d = r * std::cos(theta / 2);
                double cx = mx - dy / chord * d, cy = my + dx / chord * d;
                double a0 = std::atan2(a.y - cy, a.x - cx);
                // Fine enough that long flat arcs do not show as polygons.
                int steps = std::min(2000, std::max(8, static_cast<int>(std::fabs(theta) / 0.005)));
                for (int k = 1; k < steps; ++k) {
                    double t = a0 + theta * k / steps;
                    pts.push_back(P(AcGePoint3d(cx + std::fabs(r) * std::cos(t), cy + std::fabs(r) * std::sin(t), a.z), m));
                }
            }
            Add(std::move(pts), closed, color, clip);
            return;
        }
        if (auto* line = AcDbLine::cast(e)) {
            Add({P(line->startPoint(), m), P(line->endPoint(), m)}, false, color, clip);
        } else if (auto* c = AcDbCircle::cast(e)) {
            std::vector<Pt> pts;
            AcGePoint3d o = c->center();
            for (int k = 0; k < 72; ++k) {
                double t = k * 6.283185307179586 / 72;
                pts.push_back(P(AcGePoint3d(o.x + c->radius() * std::cos(t), o.y + c->radius() * std::sin(t), o.z), m));
            }
            Add(std::move(pts), true, color, clip);
        } else if (auto* f = AcDbFace::cast(e)) {
            if (!m_view.plan) {
                Face(f, m, color, clip);
                return;
            }
            std::vector<Pt> pts;
            AcGePoint3d p;
            for (Adesk::UInt16 k = 0; k < 4; ++k) {
                f->getVertexAt(k, p);
                Pt q = P(p, m);
                if (k == 3 && !pts.empty() && q.x == pts.back().x && q.y == pts.back().y) break;
                pts.push_back(q);
            }
            Add(std::move(pts), true, color, clip);
        } else if (auto* t = AcDbText::cast(e)) {
            // Inside a block only a constant definition shows: it is the
            // same text on every reference.
            if (auto* d = AcDbAttributeDefinition::cast(e); d && depth > 0 && !d->isConstant()) return;
            if (auto* a = AcDbAttribute::cast(e); a && a->isInvisible()) return;
            AcGePoint3d p = t->position();
            AcGePoint3d up = p + AcGeVector3d(-std::sin(t->rotation()), std::cos(t->rotation()), 0) * t->height();
            AcGePoint3d along = p + AcGeVector3d(std::cos(t->rotation()), std::sin(t->rotation()), 0);
            Pt a = P(p, m), u = P(up, m), d = P(along, m);
            Prim pr{Prim::Text, {a}, false, t->textStringConst(), std::hypot(u.x - a.x, u.y - a.y),
                    std::atan2(d.y - a.y, d.x - a.x), color, clip};
            prims.push_back(std::move(pr));
        } else if (auto* ref = AcDbBlockReference::cast(e)) {
            if (auto* b = Peek<AcDbBlockTableRecord>(ref->blockTableRecord()))
                Block(b, m * ref->blockTransform(), ci, depth + 1, clip, paper);
            std::vector<AcDbObject*> subs;
            ref->subObjects(subs);
            for (AcDbObject* s : subs)
                if (auto* a = AcDbAttribute::cast(s); a && !a->isErased()) Entity(a, m, ci, depth, clip, paper);
        } else if (auto* vp = AcDbViewport::cast(e)) {
            if (!paper || vp->number() == 1 || depth > 0) return;
            AcGePoint3d c = vp->centerPoint();
            double w = vp->width() / 2, h = vp->height() / 2;
            Add({{c.x - w, c.y - h}, {c.x + w, c.y - h}, {c.x + w, c.y + h}, {c.x - w, c.y + h}}, true, color, clip);
            if (vp->viewHeight() <= 0) return;
            AcGeMatrix3d mm = ViewportModelToPaper(vp);
            clips.push_back({c.x - w, c.y - h, c.x + w, c.y + h});
            auto* bt = Peek<AcDbBlockTable>(m_db->blockTableId());
            if (auto* model = Peek<AcDbBlockTableRecord>(bt->find(ACDB_MODEL_SPACE)))
                Block(model, mm, 7, 0, static_cast<int>(clips.size()) - 1, false);
        }
    }

    const AcDbDatabase* m_db;
    RenderView m_view;
    ExpansionBudget m_budget;
};

}  // namespace

namespace {
// Paints the picture onto a context of o.width x o.height units.
bool Paint(cairo_t* cr, const AcDbDatabase* db, const RenderOptions& o, std::wstring* error) {
    auto* bt = Peek<AcDbBlockTable>(db->blockTableId());
    const AcDbBlockTableRecord* block = nullptr;
    bool paper = false;
    if (o.layout.empty() || EqualNoCase(o.layout, L"Model")) {
        block = Peek<AcDbBlockTableRecord>(bt->find(ACDB_MODEL_SPACE));
    } else {
        auto* l = Peek<AcDbLayout>(FindLayout(db, o.layout));
        if (!l) {
            if (error) *error = L"no layout named " + o.layout;
            return false;
        }
        block = Peek<AcDbBlockTableRecord>(l->getBlockTableRecordId());
        paper = true;
    }
    RenderView view = paper ? RenderView() : o.view;
    Collector col(db, view);
    if (block) col.Block(block, AcGeMatrix3d(), 7, 0, -1, paper);
    // Faces first, back to front; lines and texts on top in drawing order.
    std::stable_sort(col.prims.begin(), col.prims.end(), [](const Prim& a, const Prim& b) {
        if ((a.kind == Prim::Face) != (b.kind == Prim::Face)) return a.kind == Prim::Face;
        return a.kind == Prim::Face && a.depth < b.depth;
    });

    // Extents: what is drawn, clipped contents counted by their viewport.
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    auto grow = [&](double x, double y) {
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    };
    for (const Prim& p : col.prims) {
        if (p.clip >= 0) continue;
        for (const Pt& q : p.pts) grow(q.x, q.y);
        if (p.kind == Prim::Text) {
            double len = 0.6 * p.height * static_cast<double>(p.text.size());
            grow(p.pts[0].x + len * std::cos(p.angle), p.pts[0].y + len * std::sin(p.angle));
            grow(p.pts[0].x - p.height * std::sin(p.angle), p.pts[0].y + p.height * std::cos(p.angle));
        }
    }
    for (const Clip& c : col.clips) grow(c.x0, c.y0), grow(c.x1, c.y1);
    if (x0 > x1) x0 = 0, y0 = 0, x1 = 100, y1 = 100;
    double w = std::max(x1 - x0, 1e-9), h = std::max(y1 - y0, 1e-9);
    double margin = 0.05;
    double scale = std::min(o.width * (1 - 2 * margin) / w, o.height * (1 - 2 * margin) / h);
    double ox = o.width / 2.0 - (x0 + x1) / 2 * scale, oy = o.height / 2.0 + (y0 + y1) / 2 * scale;

    cairo_save(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, fo);
    cairo_font_options_destroy(fo);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_line_width(cr, 1.0);
    auto sx = [&](double x) { return ox + x * scale; };
    auto sy = [&](double y) { return oy - y * scale; };
    for (const Prim& p : col.prims) {
        cairo_save(cr);
        if (p.clip >= 0) {
            const Clip& c = col.clips[static_cast<size_t>(p.clip)];
            cairo_rectangle(cr, sx(c.x0), sy(c.y1), (c.x1 - c.x0) * scale, (c.y1 - c.y0) * scale);
            cairo_clip(cr);
        }
        cairo_set_source_rgb(cr, ((p.color >> 16) & 255) / 255.0, ((p.color >> 8) & 255) / 255.0,
                             (p.color & 255) / 255.0);
        if (p.kind == Prim::Face) {
            cairo_move_to(cr, sx(p.pts[0].x), sy(p.pts[0].y));
            for (size_t i = 1; i < p.pts.size(); ++i) cairo_line_to(cr, sx(p.pts[i].x), sy(p.pts[i].y));
            cairo_close_path(cr);
            // Stroked in its own colour too, so that neighbouring faces show no seam.
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 0.5);
            cairo_stroke(cr);
        } else if (p.kind == Prim::Line) {
            if (!p.pts.empty()) {
                cairo_move_to(cr, sx(p.pts[0].x), sy(p.pts[0].y));
                for (size_t i = 1; i < p.pts.size(); ++i) cairo_line_to(cr, sx(p.pts[i].x), sy(p.pts[i].y));
                if (p.closed) cairo_close_path(cr);
                if (p.pts.size() == 1) cairo_line_to(cr, sx(p.pts[0].x) + 0.5, sy(p.pts[0].y));
                cairo_stroke(cr);
            }
        } else if (p.height * scale >= 0.5) {
            cairo_move_to(cr, sx(p.pts[0].x), sy(p.pts[0].y));
            cairo_rotate(cr, -p.angle);
            cairo_set_font_size(cr, p.height * scale);
            std::string utf8 = WideToUtf8(p.text);
            // Glyphs wider than the text model's box (0.6 of the height a
            // character) are narrowed into it, so no text leaves the extents.
            cairo_text_extents_t te;
            cairo_text_extents(cr, utf8.c_str(), &te);
            double box = 0.6 * p.height * scale * static_cast<double>(p.text.size());
            if (te.x_advance > box && box > 0) cairo_scale(cr, box / te.x_advance, 1);
            cairo_show_text(cr, utf8.c_str());
        }
        cairo_restore(cr);
    }
    cairo_restore(cr);
    return true;
}

cairo_surface_t* Render(const AcDbDatabase* db, const RenderOptions& o, std::wstring* error) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, o.width, o.height);
    cairo_t* cr = cairo_create(surface);
    bool ok = Paint(cr, db, o, error);
    cairo_destroy(cr);
    if (!ok) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    return surface;
}
}  // namespace

bool RenderDrawingPdf(const std::string& path, const AcDbDatabase* db, const std::vector<RenderOptions>& pages,
                      std::wstring* error) {
    if (pages.empty()) {
        if (error) *error = L"no page to draw into " + Utf8ToWide(path);
        return false;
    }
    cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), pages[0].width, pages[0].height);
    cairo_t* cr = cairo_create(surface);
    bool ok = true;
    for (const RenderOptions& o : pages) {
        cairo_pdf_surface_set_size(surface, o.width, o.height);
        if (!(ok = Paint(cr, db, o, error))) break;
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (ok && cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        if (error) *error = L"cannot write " + Utf8ToWide(path);
        ok = false;
    }
    cairo_surface_destroy(surface);
    return ok;
}

std::vector<std::wstring> PaperLayoutNames(const AcDbDatabase* db) {
    std::vector<std::pair<int, std::wstring>> tabs;
    for (AcDbObjectId id : db->store().layouts) {
        auto* l = Peek<AcDbLayout>(id);
        if (l && !l->isErased() && !l->modelType()) tabs.emplace_back(l->getTabOrder(), l->name());
    }
    std::stable_sort(tabs.begin(), tabs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::wstring> out;
    for (auto& t : tabs) out.push_back(t.second);
    return out;
}

bool RenderDrawingPixels(const AcDbDatabase* db, const RenderOptions& o, std::vector<unsigned>& pixels,
                         std::wstring* error) {
    cairo_surface_t* surface = Render(db, o, error);
    if (!surface) return false;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    pixels.assign(static_cast<size_t>(o.width) * static_cast<size_t>(o.height), 0);
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < o.width; ++x) {
            uint32_t v;
            std::memcpy(&v, data + static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x) * 4, 4);
            pixels[static_cast<size_t>(y) * static_cast<size_t>(o.width) + static_cast<size_t>(x)] = v & 0xFFFFFF;
        }
    cairo_surface_destroy(surface);
    return true;
}

bool RenderDrawingPng(const std::string& path, const AcDbDatabase* db, const RenderOptions& o, std::wstring* error) {
    cairo_surface_t* surface = Render(db, o, error);
    if (!surface) return false;
    cairo_status_t st = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (st != CAIRO_STATUS_SUCCESS) {
        if (error) *error = L"cannot write " + Utf8ToWide(path);
        return false;
    }
    return true;
}

}  // namespace vplat
