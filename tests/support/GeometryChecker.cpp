#include "GeometryChecker.h"

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

double GeometryChecker::AngleBetween(double a, double b) {
    double d = Norm(a - b);
    return d > kPi ? 2 * kPi - d : d;
}

}  // namespace geomcheck
