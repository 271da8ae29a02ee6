#include "GeometryChecker.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace geomcheck {

namespace {
const double kPi = std::acos(-1.0);

double Norm(double a) {
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

// The nearest point of segment s (from a to b) to p, and whether it is an
// inner point of the segment.
Vec2 Nearest(const Arc& s, Vec2 a, Vec2 b, Vec2 p) {
    if (!s.isArc) {
        double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
        double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        return {a.x + t * dx, a.y + t * dy};
    }
    // Angle of p from the start, walked in the arc's own sense.
    double start = std::atan2(a.y - s.centre.y, a.x - s.centre.x);
    double at = std::atan2(p.y - s.centre.y, p.x - s.centre.x);
    double walked = s.sweep > 0 ? Norm(at - start) : Norm(start - at);
    if (walked <= std::fabs(s.sweep)) {
        return {s.centre.x + s.radius * std::cos(at), s.centre.y + s.radius * std::sin(at)};
    }
    double da = std::hypot(p.x - a.x, p.y - a.y), db = std::hypot(p.x - b.x, p.y - b.y);
    return da <= db ? a : b;
}
}  // namespace

GeometryChecker::GeometryChecker(std::vector<Vertex> vertices) : m_v(std::move(vertices)) {}

Arc GeometryChecker::Segment(std::size_t i) const {
    if (i + 1 >= m_v.size()) throw std::out_of_range("segment");
    const Vertex& a = m_v[i];
    const Vertex& b = m_v[i + 1];
    double dx = b.x - a.x, dy = b.y - a.y, chord = std::hypot(dx, dy);
    if (a.bulge == 0 || chord == 0) return {false, {0, 0}, 0, 0, chord};
    double sweep = 4 * std::atan(a.bulge);
    double half = chord / 2;
    double radius = half / std::sin(std::fabs(sweep) / 2);
    // Distance of the centre from the chord's midpoint, towards the left.
    double toLeft = half / std::tan(sweep / 2);
    Vec2 c{(a.x + b.x) / 2 - dy / chord * toLeft, (a.y + b.y) / 2 + dx / chord * toLeft};
    return {true, c, radius, sweep, radius * std::fabs(sweep)};
}

double GeometryChecker::TangentOut(std::size_t i) const {
    Arc s = Segment(i);
    double chord = std::atan2(m_v[i + 1].y - m_v[i].y, m_v[i + 1].x - m_v[i].x);
    return Norm(chord - (s.isArc ? s.sweep / 2 : 0));
}

double GeometryChecker::TangentIn(std::size_t i) const {
    if (i == 0) throw std::out_of_range("tangent in");
    Arc s = Segment(i - 1);
    double chord = std::atan2(m_v[i].y - m_v[i - 1].y, m_v[i].x - m_v[i - 1].x);
    return Norm(chord + (s.isArc ? s.sweep / 2 : 0));
}

bool GeometryChecker::Tangential(std::size_t i, double tol) const {
    return AngleBetween(TangentIn(i), TangentOut(i)) <= tol;
}

double GeometryChecker::Length() const {
    double l = 0;
    for (std::size_t i = 0; i + 1 < m_v.size(); ++i) l += Segment(i).length;
    return l;
}

double GeometryChecker::DistanceTo(Vec2 p) const { return std::fabs(SignedOffset(p)); }

double GeometryChecker::SignedOffset(Vec2 p) const {
    if (m_v.empty()) return std::numeric_limits<double>::infinity();
    if (m_v.size() == 1) return std::hypot(p.x - m_v[0].x, p.y - m_v[0].y);
    double best = std::numeric_limits<double>::infinity();
    double sign = 1;
    for (std::size_t i = 0; i + 1 < m_v.size(); ++i) {
        Arc s = Segment(i);
        Vec2 a{m_v[i].x, m_v[i].y}, b{m_v[i + 1].x, m_v[i + 1].y};
        Vec2 q = Nearest(s, a, b, p);
        double d = std::hypot(p.x - q.x, p.y - q.y);
        if (d < best - 1e-12) {
            best = d;
            // Side from the tangent at q: the chord for a straight, the
            // radius turned by a quarter for an arc.
            double tx, ty;
            if (s.isArc) {
                double rx = q.x - s.centre.x, ry = q.y - s.centre.y;
                tx = s.sweep > 0 ? -ry : ry;
                ty = s.sweep > 0 ? rx : -rx;
            } else {
                tx = b.x - a.x;
                ty = b.y - a.y;
            }
            sign = tx * (p.y - q.y) - ty * (p.x - q.x) > 0 ? -1 : 1;
        }
    }
    return sign * best;
}

bool GeometryChecker::Closed(double tol) const {
    return m_v.size() > 1 && std::hypot(m_v.front().x - m_v.back().x, m_v.front().y - m_v.back().y) <= tol;
}

std::vector<Vec2> GeometryChecker::Samples(int perSegment) const {
    std::vector<Vec2> out;
    if (m_v.empty()) return out;
    out.push_back({m_v[0].x, m_v[0].y});
    for (std::size_t i = 0; i + 1 < m_v.size(); ++i) {
        Arc s = Segment(i);
        const Vertex& a = m_v[i];
        const Vertex& b = m_v[i + 1];
        for (int k = 1; k <= perSegment; ++k) {
            double f = static_cast<double>(k) / perSegment;
            if (!s.isArc) {
                out.push_back({a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)});
            } else {
                double ang = s.sweep * f, rx = a.x - s.centre.x, ry = a.y - s.centre.y;
                out.push_back({s.centre.x + rx * std::cos(ang) - ry * std::sin(ang),
                               s.centre.y + rx * std::sin(ang) + ry * std::cos(ang)});
            }
        }
    }
    return out;
}

namespace {

// The plan crossing of the segments p1 p2 and q1 q2 (touching included);
// false for parallel segments that do not overlap at a point.
bool ChordsMeet(Vec2 p1, Vec2 p2, Vec2 q1, Vec2 q2, double tol, Vec2& at) {
    const double rx = p2.x - p1.x, ry = p2.y - p1.y, sx = q2.x - q1.x, sy = q2.y - q1.y;
    const double den = rx * sy - ry * sx;
    const double qpx = q1.x - p1.x, qpy = q1.y - p1.y;
    const double lr = std::hypot(rx, ry), ls = std::hypot(sx, sy);
    if (lr == 0 || ls == 0) return false;
    if (std::fabs(den) <= 1e-15 * lr * ls) {
        // Parallel: overlapping collinear chords meet along a stretch.
        if (std::fabs(qpx * ry - qpy * rx) / lr > tol) return false;
        const double t0 = (qpx * rx + qpy * ry) / (lr * lr);
        const double t1 = t0 + (sx * rx + sy * ry) / (lr * lr);
        const double lo = std::max(0.0, std::min(t0, t1)), hi = std::min(1.0, std::max(t0, t1));
        if (lo > hi + tol / lr) return false;
        const double t = (lo + hi) / 2;
        at = {p1.x + t * rx, p1.y + t * ry};
        return true;
    }
    const double t = (qpx * sy - qpy * sx) / den, u = (qpx * ry - qpy * rx) / den;
    if (t < -tol / lr || t > 1 + tol / lr || u < -tol / ls || u > 1 + tol / ls) return false;
    at = {p1.x + t * rx, p1.y + t * ry};
    return true;
}

}  // namespace

std::vector<Vec2> GeometryChecker::SelfCrossings(double tol) const {
    // Segments of some length, each as a chain of chords.
    struct Piece {
        std::vector<Vec2> chords;
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // bounding box
    };
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i + 1 < m_v.size(); ++i) {
        Arc s = Segment(i);
        if (s.length <= tol) continue;
        Piece p;
        const Vertex& a = m_v[i];
        const Vertex& b = m_v[i + 1];
        const int steps = s.isArc ? std::max(2, static_cast<int>(std::ceil(std::fabs(s.sweep) / (kPi / 720)))) : 1;
        p.chords.push_back({a.x, a.y});
        for (int k = 1; k < steps; ++k) {
            double ang = s.sweep * k / steps, rx = a.x - s.centre.x, ry = a.y - s.centre.y;
            p.chords.push_back({s.centre.x + rx * std::cos(ang) - ry * std::sin(ang),
                                s.centre.y + rx * std::sin(ang) + ry * std::cos(ang)});
        }
        p.chords.push_back({b.x, b.y});
        p.x0 = p.x1 = a.x;
        p.y0 = p.y1 = a.y;
        for (const Vec2& c : p.chords) {
            p.x0 = std::min(p.x0, c.x), p.x1 = std::max(p.x1, c.x);
            p.y0 = std::min(p.y0, c.y), p.y1 = std::max(p.y1, c.y);
        }
        pieces.push_back(std::move(p));
    }
    const bool closed = Closed(tol) && pieces.size() > 2;
    std::vector<Vec2> out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        for (std::size_t j = i + 1; j < pieces.size(); ++j) {
            // The vertex two neighbours share is no crossing.
            const bool next = j == i + 1, wrap = closed && i == 0 && j + 1 == pieces.size();
            const Vec2 shared = next ? pieces[j].chords.front() : pieces[i].chords.front();
            // Chords meet only within the tolerance of both: boxes that keep
            // farther apart cannot.
            const double margin = 2 * tol;
            auto apart = [margin](double a0, double a1, double b0, double b1) {
                return a1 + margin < b0 || b1 + margin < a0;
            };
            if (apart(pieces[i].x0, pieces[i].x1, pieces[j].x0, pieces[j].x1) ||
                apart(pieces[i].y0, pieces[i].y1, pieces[j].y0, pieces[j].y1))
                continue;
            const std::vector<Vec2>& a = pieces[i].chords;
            const std::vector<Vec2>& b = pieces[j].chords;
            for (std::size_t m = 0; m + 1 < a.size(); ++m) {
                const double ax0 = std::min(a[m].x, a[m + 1].x), ax1 = std::max(a[m].x, a[m + 1].x);
                const double ay0 = std::min(a[m].y, a[m + 1].y), ay1 = std::max(a[m].y, a[m + 1].y);
                for (std::size_t n = 0; n + 1 < b.size(); ++n) {
                    if (apart(ax0, ax1, std::min(b[n].x, b[n + 1].x), std::max(b[n].x, b[n + 1].x)) ||
                        apart(ay0, ay1, std::min(b[n].y, b[n + 1].y), std::max(b[n].y, b[n + 1].y)))
                        continue;
                    Vec2 at;
                    if (!ChordsMeet(a[m], a[m + 1], b[n], b[n + 1], tol, at)) continue;
                    if ((next || wrap) && std::hypot(at.x - shared.x, at.y - shared.y) <= 1e3 * tol) continue;
                    out.push_back(at);
                }
            }
        }
    }
    return out;
}

std::vector<std::size_t> GeometryChecker::Reversals(double tol) const {
    // Directions leaving and arriving at each vertex, over segments of some length.
    std::vector<std::size_t> kept;  // first vertex of each segment of some length
    for (std::size_t i = 0; i + 1 < m_v.size(); ++i)
        if (Segment(i).length > 1e-9) kept.push_back(i);
    std::vector<std::size_t> out;
    auto turnsBack = [&](std::size_t in, std::size_t outSeg) {
        return AngleBetween(TangentIn(in + 1), TangentOut(outSeg)) > kPi - tol;
    };
    for (std::size_t k = 0; k + 1 < kept.size(); ++k)
        if (turnsBack(kept[k], kept[k + 1])) out.push_back(kept[k + 1]);
    if (Closed() && kept.size() > 2 && turnsBack(kept.back(), kept.front())) out.push_back(0);
    return out;
}

double GeometryChecker::AngleBetween(double a, double b) {
    double d = Norm(a - b);
    return d > kPi ? 2 * kPi - d : d;
}

}  // namespace geomcheck
