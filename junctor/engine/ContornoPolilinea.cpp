#include "ContornoPolilinea.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Two points closer than this are one; a crossing this close to the vertex
// two neighbouring segments share is that vertex.
constexpr double kStessoPunto = 1e-6;
constexpr double kVicinoAlVertice = 1e-3;
// A turn within this of a half turn goes back the way it came.
constexpr double kInversione = 1e-3;
constexpr double kPi = 3.14159265358979323846;

struct P {
    double x, y;
};
P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
P operator*(double k, P a) { return {k * a.x, k * a.y}; }
double Dot(P a, P b) { return a.x * b.x + a.y * b.y; }
double Cross(P a, P b) { return a.x * b.y - a.y * b.x; }
double Len(P a) { return std::hypot(a.x, a.y); }

// A straight from a to b, or an arc from a to b about c, turning by sweep
// (> 0 counter-clockwise); the vertex it starts from.
struct Tratto {
    P a, b;
    bool arco = false;
    P c{0, 0};
    double r = 0, inizio = 0, sweep = 0;
    int vertice = 0;

    // Whether the point of the circle (or line) lies on this segment.
    bool Contiene(P q) const {
        if (!arco) {
            const P d = b - a;
            const double l2 = Dot(d, d);
            const double t = Dot(q - a, d) / l2;
            const double tol = kStessoPunto / std::sqrt(l2);
            return t >= -tol && t <= 1 + tol;
        }
        double ang = std::atan2(q.y - c.y, q.x - c.x) - inizio;
        // Walked from the start in the arc's own sense, within 0 .. 2 pi.
        if (sweep < 0) ang = -ang;
        ang = std::fmod(ang, 2 * kPi);
        if (ang < 0) ang += 2 * kPi;
        const double tol = kStessoPunto / r;
        return ang <= std::fabs(sweep) + tol || ang >= 2 * kPi - tol;
    }
    // Directions leaving a and arriving at b.
    P Partenza() const { return arco ? Tangente(a) : (1 / Len(b - a)) * (b - a); }
    P Arrivo() const { return arco ? Tangente(b) : (1 / Len(b - a)) * (b - a); }
    P Tangente(P q) const {
        const P raggio = (1 / r) * (q - c);
        return sweep > 0 ? P{-raggio.y, raggio.x} : P{raggio.y, -raggio.x};
    }
};

Tratto Segmento(P a, P b, double bulge, int vertice) {
    Tratto t;
    t.a = a;
    t.b = b;
    t.vertice = vertice;
    const double corda = Len(b - a);
    if (bulge == 0 || !std::isfinite(bulge)) return t;
    t.arco = true;
    t.sweep = 4 * std::atan(bulge);
    t.r = corda / (2 * std::sin(std::fabs(t.sweep) / 2));
    // The centre, from the chord's midpoint towards its left for a
    // counter-clockwise arc of less than a half turn.
    const double versoSinistra = corda / 2 / std::tan(t.sweep / 2);
    const P m = 0.5 * (a + b), n{-(b.y - a.y) / corda, (b.x - a.x) / corda};
    t.c = m + versoSinistra * n;
    t.inizio = std::atan2(a.y - t.c.y, a.x - t.c.x);
    return t;
}

// Whether the points span a stretch longer than a vertex.
bool Allungati(const std::vector<P>& punti) {
    for (const P& a : punti)
        for (const P& b : punti)
            if (Len(a - b) > kVicinoAlVertice) return true;
    return false;
}

// Points where the supports of two segments meet; a stretch they share
// gives its two ends and sets sovrapposti.
std::vector<P> Incontri(const Tratto& s, const Tratto& t, bool& sovrapposti) {
    std::vector<P> out;
    sovrapposti = false;
    if (!s.arco && !t.arco) {
        const P r = s.b - s.a, q = t.b - t.a;
        const double den = Cross(r, q);
        if (std::fabs(den) <= 1e-12 * Len(r) * Len(q)) {
            if (std::fabs(Cross(t.a - s.a, r)) / Len(r) > kStessoPunto) return out;
            // Collinear: what each has of the other.
            for (P p : {t.a, t.b})
                if (s.Contiene(p)) out.push_back(p);
            for (P p : {s.a, s.b})
                if (t.Contiene(p)) out.push_back(p);
            sovrapposti = Allungati(out);
            return out;
        }
        out.push_back(s.a + (Cross(t.a - s.a, q) / den) * r);
        return out;
    }
    if (s.arco != t.arco) {
        const Tratto& l = s.arco ? t : s;
        const Tratto& c = s.arco ? s : t;
        const P d = (1 / Len(l.b - l.a)) * (l.b - l.a);
        const double proiezione = Dot(c.c - l.a, d);
        const P piede = l.a + proiezione * d;
        const double h = Len(c.c - piede);
        if (h > c.r + kStessoPunto) return out;
        const double mezzo = std::sqrt(std::max(0.0, c.r * c.r - h * h));
        out.push_back(piede + mezzo * d);
        if (mezzo > 0) out.push_back(piede - mezzo * d);
        return out;
    }
    const P d = t.c - s.c;
    const double dist = Len(d);
    if (dist <= kStessoPunto) {
        // One circle: the arcs overlap when either holds a point of the other.
        if (std::fabs(s.r - t.r) > kStessoPunto) return out;
        for (P p : {t.a, t.b})
            if (s.Contiene(p)) out.push_back(p);
        for (P p : {s.a, s.b})
            if (t.Contiene(p)) out.push_back(p);
        P medio = t.c + t.r * P{std::cos(t.inizio + t.sweep / 2), std::sin(t.inizio + t.sweep / 2)};
        sovrapposti = Allungati(out) || (s.Contiene(medio) && Len(medio - s.a) > kVicinoAlVertice &&
                                         Len(medio - s.b) > kVicinoAlVertice);
        return out;
    }
    if (dist > s.r + t.r + kStessoPunto || dist < std::fabs(s.r - t.r) - kStessoPunto) return out;
    const double a = (dist * dist + s.r * s.r - t.r * t.r) / (2 * dist);
    const double h = std::sqrt(std::max(0.0, s.r * s.r - a * a));
    const P u = (1 / dist) * d, base = s.c + a * u, n{-u.y, u.x};
    out.push_back(base + h * n);
    if (h > 0) out.push_back(base - h * n);
    return out;
}

// The segments of some length of an outline, in order; the closing one last.
std::vector<Tratto> Tratti(const AcGePoint3dArray& vertici, const AcGeDoubleArray& bulge, bool chiuso) {
    std::vector<Tratto> tratti;
    const int n = std::min(vertici.length(), bulge.length());
    for (int i = 0; i + 1 < n; ++i) {
        const P a{vertici[i].x, vertici[i].y}, b{vertici[i + 1].x, vertici[i + 1].y};
        if (Len(b - a) > kStessoPunto) tratti.push_back(Segmento(a, b, bulge[i], i));
    }
    if (chiuso && n > 1) {
        const P ultimo{vertici[n - 1].x, vertici[n - 1].y}, primo{vertici[0].x, vertici[0].y};
        if (Len(ultimo - primo) > kStessoPunto) tratti.push_back(Segmento(ultimo, primo, bulge[n - 1], n - 1));
    }
    return tratti;
}

// The distance of a point from a segment.
double DistanzaPunto(const Tratto& t, P q) {
    const double estremi = std::min(Len(q - t.a), Len(q - t.b));
    if (!t.arco) {
        const P d = t.b - t.a;
        const double k = Dot(q - t.a, d) / Dot(d, d);
        if (k <= 0 || k >= 1) return estremi;
        return Len(q - (t.a + k * d));
    }
    const double l = Len(q - t.c);
    if (l <= kStessoPunto) return t.r;
    const P sulCerchio = t.c + (t.r / l) * (q - t.c);
    return t.Contiene(sulCerchio) ? std::fabs(l - t.r) : estremi;
}

// The closest approach of two segments: 0 where they meet, else the least
// of their ends' distances from each other and of the pairs of inner points
// where both are square to the line between them.
double DistanzaTratti(const Tratto& s, const Tratto& t) {
    bool sovrapposti = false;
    for (const P& q : Incontri(s, t, sovrapposti))
        if (s.Contiene(q) && t.Contiene(q)) return 0;
    if (sovrapposti) return 0;
    double d = std::min(std::min(DistanzaPunto(s, t.a), DistanzaPunto(s, t.b)),
                        std::min(DistanzaPunto(t, s.a), DistanzaPunto(t, s.b)));
    if (s.arco != t.arco) {
        // The arc's points square to the straight.
        const Tratto& l = s.arco ? t : s;
        const Tratto& c = s.arco ? s : t;
        const P u = (1 / Len(l.b - l.a)) * (l.b - l.a), n{-u.y, u.x};
        for (double verso : {1.0, -1.0}) {
            const P p = c.c + (verso * c.r) * n;
            if (c.Contiene(p)) d = std::min(d, DistanzaPunto(l, p));
        }
    } else if (s.arco) {
        // The arcs' points on the line of their centres.
        const P tra = t.c - s.c;
        const double l = Len(tra);
        if (l > kStessoPunto) {
            const P u = (1 / l) * tra;
            for (double vs : {1.0, -1.0})
                for (double vt : {1.0, -1.0}) {
                    const P p = s.c + (vs * s.r) * u, q = t.c + (vt * t.r) * u;
                    if (s.Contiene(p) && t.Contiene(q)) d = std::min(d, Len(p - q));
                }
        }
    }
    return d;
}

}  // namespace

double DistanzaContorni(const AcGePoint3dArray& verticiA, const AcGeDoubleArray& bulgeA, bool chiusoA,
                        const AcGePoint3dArray& verticiB, const AcGeDoubleArray& bulgeB, bool chiusoB) {
    const std::vector<Tratto> a = Tratti(verticiA, bulgeA, chiusoA), b = Tratti(verticiB, bulgeB, chiusoB);
    double d = std::numeric_limits<double>::infinity();
    for (const Tratto& s : a)
        for (const Tratto& t : b) d = std::min(d, DistanzaTratti(s, t));
    return d;
}

void VerticiPolilinea(const AcDb2dPolyline* polilinea, AcGePoint3dArray& vertici, AcGeDoubleArray& bulge) {
    vertici.setLogicalLength(0);
    bulge.setLogicalLength(0);
    if (!polilinea) return;
    AcDbObjectIterator* it = polilinea->vertexIterator();
    for (it->start(); !it->done(); it->step()) {
        if (const AcDb2dVertex* v = AcDb2dVertex::cast(it->entity())) {
            vertici.append(v->position());
            bulge.append(v->bulge());
        }
    }
    delete it;
}

DifettoContorno VerificaContorno(const AcGePoint3dArray& vertici, const AcGeDoubleArray& bulge, bool chiuso,
                                 const std::vector<int>& punte) {
    const int n = std::min(vertici.length(), bulge.length());
    if (n < 2) return DifettoContorno::kNessuno;
    const P primo{vertici[0].x, vertici[0].y}, ultimo{vertici[n - 1].x, vertici[n - 1].y};
    const bool chiusoSulPrimo = Len(ultimo - primo) <= kStessoPunto;
    const std::vector<Tratto> tratti = Tratti(vertici, bulge, chiuso);
    const bool anello = (chiuso || chiusoSulPrimo) && tratti.size() > 2;
    const int m = static_cast<int>(tratti.size());

    // The vertex where segment j starts after segment i ends, when they follow each other.
    auto Giunto = [&](int i, int j) {
        if (j == i + 1) return true;
        return anello && i == m - 1 && j == 0;
    };
    auto Ammessa = [&](int vertice) {
        // The closing joint is vertex 0 and, for a polyline that ends on its
        // first vertex, also its last.
        for (int p : punte)
            if (p == vertice ||
                (anello && chiusoSulPrimo && ((p == 0 && vertice == n - 1) || (p == n - 1 && vertice == 0))))
                return true;
        return false;
    };

    // Turning back at a joint.
    for (int i = 0; i < m; ++i) {
        const int j = i + 1 < m ? i + 1 : 0;
        if (!Giunto(i, j)) continue;
        const int vertice = j == 0 ? (chiuso && !chiusoSulPrimo ? 0 : n - 1) : tratti[j].vertice;
        if (Dot(tratti[i].Arrivo(), tratti[j].Partenza()) < -std::cos(kInversione) && !Ammessa(vertice))
            return DifettoContorno::kInversione;
    }

    // Crossings: any meeting of two segments, except the vertex two
    // neighbours share.
    for (int i = 0; i < m; ++i) {
        for (int j = i + 1; j < m; ++j) {
            bool sovrapposti = false;
            const std::vector<P> punti = Incontri(tratti[i], tratti[j], sovrapposti);
            if (sovrapposti) return DifettoContorno::kIncrocio;
            const bool vicini = Giunto(i, j) || Giunto(j, i);
            const P comune = Giunto(i, j) ? tratti[j].a : tratti[i].a;
            for (const P& q : punti) {
                if (!tratti[i].Contiene(q) || !tratti[j].Contiene(q)) continue;
                if (vicini && Len(q - comune) <= kVicinoAlVertice) continue;
                return DifettoContorno::kIncrocio;
            }
        }
    }
    return DifettoContorno::kNessuno;
}
