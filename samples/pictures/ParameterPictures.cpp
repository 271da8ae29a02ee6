// Writes the picture of every parameter the style file's legend names: a
// 320 x 240 JPEG with a schematic of the element the parameter belongs to
// (island, curb return, entry, exit or left-turn lane), the parameter's code
// and unit on its dimension, and the description under it. Usage:
// parameter-pictures <style file> <output folder>
#include <FreeImage.h>
#include <cairo.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

struct Voce {
    std::string elemento;
    std::string codice;
    std::string descrizione;
    std::string immagine;
};

std::string Testo(xmlNode* node) {
    xmlChar* t = xmlNodeGetContent(node);
    std::string s = t ? reinterpret_cast<const char*>(t) : "";
    xmlFree(t);
    return s;
}

std::string Attributo(xmlNode* node, const char* name) {
    xmlChar* t = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string s = t ? reinterpret_cast<const char*>(t) : "";
    xmlFree(t);
    return s;
}

bool Nome(xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

// Legend entries in order (each picture once), and the unit of every
// parameter code as the styles give it.
void Leggi(xmlNode* node, std::vector<Voce>& voci, std::map<std::string, std::string>& unita, const std::string& elemento) {
    for (xmlNode* c = node; c; c = c->next) {
        if (Nome(c, "VOCE")) {
            Voce v{elemento, "", "", ""};
            for (xmlNode* f = c->children; f; f = f->next) {
                if (Nome(f, "NOMEPAR")) v.codice = Testo(f);
                if (Nome(f, "DESC")) v.descrizione = Testo(f);
                if (Nome(f, "PATHIMG")) v.immagine = Testo(f);
            }
            bool nuova = !v.immagine.empty();
            for (const Voce& w : voci) nuova = nuova && w.immagine != v.immagine;
            if (nuova) voci.push_back(v);
            continue;
        }
        if (Nome(c, "PARAMETRO")) unita.emplace(Attributo(c, "name"), Attributo(c, "measUnit"));
        Leggi(c->children, voci, unita, Nome(c, "ELEMENTO") ? Attributo(c, "name") : elemento);
    }
}

void Freccia(cairo_t* cr, double x1, double y1, double x2, double y2) {
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_stroke(cr);
    const double a = std::atan2(y2 - y1, x2 - x1);
    for (auto [x, y, d] : {std::tuple{x1, y1, a}, std::tuple{x2, y2, a + M_PI}}) {
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + 8 * std::cos(d + 0.35), y + 8 * std::sin(d + 0.35));
        cairo_line_to(cr, x + 8 * std::cos(d - 0.35), y + 8 * std::sin(d - 0.35));
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

void Strada(cairo_t* cr, double y, double larghezza) {
    cairo_set_source_rgb(cr, 0.82, 0.82, 0.82);
    cairo_rectangle(cr, 0, y, kWidth, larghezza);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    const double tratteggio[] = {12, 8};
    cairo_set_dash(cr, tratteggio, 2, 0);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, 0, y + larghezza / 2);
    cairo_line_to(cr, kWidth, y + larghezza / 2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// Where the parameter's dimension lies on a schematic, and where its label starts.
struct Quota {
    double x1, y1, x2, y2;
    double xTesto, yTesto;
};

// The element's schematic, and where the parameter's dimension lies on it.
Quota Schema(cairo_t* cr, const std::string& elemento) {
    Strada(cr, 40, 56);
    if (elemento == "Isola" || elemento == "Raccordo") {
        // The secondary road meeting the main road from below.
        cairo_set_source_rgb(cr, 0.82, 0.82, 0.82);
        cairo_rectangle(cr, 130, 96, 60, 80);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_set_line_width(cr, 2);
        if (elemento == "Isola") {
            cairo_set_source_rgb(cr, 0.45, 0.7, 0.45);
            cairo_move_to(cr, 160, 170);
            cairo_curve_to(cr, 176, 140, 182, 112, 160, 100);
            cairo_curve_to(cr, 138, 112, 144, 140, 160, 170);
            cairo_fill(cr);
            return {200, 100, 200, 170, 210, 140};
        }
        cairo_arc_negative(cr, 100, 176, 30, 0, -M_PI / 2);
        cairo_stroke(cr);
        cairo_arc(cr, 220, 176, 30, M_PI, 3 * M_PI / 2);
        cairo_stroke(cr);
        return {100, 176, 121, 155, 200, 135};
    }
    // An auxiliary lane along the main road: a widening, the lane, a taper.
    // The left-turn storage lane opens between the two directions.
    const bool sinistra = elemento == "CorsiaSx";
    const double y = sinistra ? 56 : 96;
    const double alto = sinistra ? 12 : 0;
    cairo_set_source_rgb(cr, 0.95, 0.85, 0.55);
    cairo_move_to(cr, 30, y + alto);
    cairo_line_to(cr, 90, y);
    cairo_line_to(cr, 230, y);
    cairo_line_to(cr, 290, y + alto);
    cairo_line_to(cr, 230, y + 24);
    cairo_line_to(cr, 90, y + 24);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_set_line_width(cr, 1.5);
    const double freccia = elemento == "CorsiaImm" ? 1 : -1;
    cairo_move_to(cr, 160 - 25 * freccia, y + 12);
    cairo_line_to(cr, 160 + 25 * freccia, y + 12);
    cairo_stroke(cr);
    return {90, 140, 230, 140, -1, 166};
}

// Text wrapped into lines of at most the width, centred.
void Paragrafo(cairo_t* cr, const std::string& testo, double y, double larghezza) {
    std::vector<std::string> righe(1);
    size_t i = 0;
    while (i < testo.size()) {
        size_t j = testo.find(' ', i);
        if (j == std::string::npos) j = testo.size();
        const std::string parola = testo.substr(i, j - i);
        std::string prova = righe.back().empty() ? parola : righe.back() + " " + parola;
        cairo_text_extents_t e;
        cairo_text_extents(cr, prova.c_str(), &e);
        if (e.x_advance > larghezza && !righe.back().empty()) righe.push_back(parola);
        else righe.back() = prova;
        i = j + 1;
    }
    for (const std::string& r : righe) {
        cairo_text_extents_t e;
        cairo_text_extents(cr, r.c_str(), &e);
        cairo_move_to(cr, (kWidth - e.x_advance) / 2, y);
        cairo_show_text(cr, r.c_str());
        y += 14;
    }
}

bool Disegna(const Voce& v, const std::string& unita, const std::string& file) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 13);
    cairo_set_source_rgb(cr, 0.15, 0.25, 0.5);
    cairo_move_to(cr, 8, 20);
    cairo_show_text(cr, v.elemento.c_str());

    const Quota q = Schema(cr, v.elemento);
    cairo_set_source_rgb(cr, 0.75, 0.1, 0.1);
    cairo_set_line_width(cr, 1.5);
    Freccia(cr, q.x1, q.y1, q.x2, q.y2);
    const std::string etichetta = unita.empty() ? v.codice : v.codice + " " + unita;
    cairo_set_font_size(cr, 16);
    cairo_text_extents_t e;
    cairo_text_extents(cr, etichetta.c_str(), &e);
    // A label without a place of its own is centred; none goes past the edge.
    double x = q.xTesto < 0 ? (kWidth - e.x_advance) / 2 : q.xTesto;
    if (x + e.x_advance > kWidth - 6) x = kWidth - 6 - e.x_advance;
    cairo_move_to(cr, x, q.yTesto);
    cairo_show_text(cr, etichetta.c_str());

    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    Paragrafo(cr, v.descrizione, 200, kWidth - 20);
    cairo_destroy(cr);
    cairo_surface_flush(s);

    // The surface's rows are top-down, FreeImage's bottom-up.
    FIBITMAP* dib = FreeImage_Allocate(kWidth, kHeight, 24);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int r = 0; r < kHeight; ++r) {
        const auto* src = reinterpret_cast<const uint32_t*>(data + r * stride);
        BYTE* dst = FreeImage_GetScanLine(dib, kHeight - 1 - r);
        for (int c = 0; c < kWidth; ++c) {
            dst[c * 3 + FI_RGBA_RED] = static_cast<BYTE>(src[c] >> 16);
            dst[c * 3 + FI_RGBA_GREEN] = static_cast<BYTE>(src[c] >> 8);
            dst[c * 3 + FI_RGBA_BLUE] = static_cast<BYTE>(src[c]);
        }
    }
    const bool ok = FreeImage_Save(FIF_JPEG, dib, file.c_str(), JPEG_QUALITYGOOD | JPEG_BASELINE) != FALSE;
    FreeImage_Unload(dib);
    cairo_surface_destroy(s);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: parameter-pictures <style file> <output folder>\n");
        return 2;
    }
    xmlDoc* doc = xmlReadFile(argv[1], nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS);
    if (!doc) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<Voce> voci;
    std::map<std::string, std::string> unita;
    Leggi(xmlDocGetRootElement(doc), voci, unita, "");
    xmlFreeDoc(doc);
    int fallite = 0;
    for (const Voce& v : voci) {
        // Legend keys that differ from the codes take the unit of the code the picture is named after.
        auto u = unita.find(v.codice);
        if (u == unita.end()) u = unita.find(v.immagine.substr(0, v.immagine.rfind('.')));
        const std::string file = std::string(argv[2]) + "/" + v.immagine;
        if (!Disegna(v, u == unita.end() ? "" : u->second, file)) {
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
            ++fallite;
        }
    }
    std::printf("%zu pictures\n", voci.size() - static_cast<size_t>(fallite));
    return fallite ? 1 : 0;
}
