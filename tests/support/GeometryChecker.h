// An independent check of polyline geometry for tests: a polyline is given
// as points with the bulge of the segment that leaves each one, and the
// checker answers what tests state as invariants (tangency, radius, offset,
// closure) without using the library under test.
#pragma once

#include <cstddef>
#include <vector>

namespace geomcheck {

struct Vertex {
    double x, y, bulge;
};

struct Vec2 {
    double x, y;
};

struct Arc {
    bool isArc;     // false for a straight
    Vec2 centre;
    double radius;
    double sweep;   // signed, > 0 counter-clockwise
    double length;
};

class GeometryChecker {
public:
    explicit GeometryChecker(std::vector<Vertex> vertices);

    std::size_t Size() const { return m_v.size(); }
    const Vertex& At(std::size_t i) const { return m_v[i]; }
    // Segment i runs from vertex i to vertex i + 1.
    Arc Segment(std::size_t i) const;
    // Plan directions (radians, 0 to 2 pi) arriving at and leaving vertex i.
    double TangentIn(std::size_t i) const;
    double TangentOut(std::size_t i) const;
    // Whether the direction does not turn at an inner vertex.
    bool Tangential(std::size_t i, double tol = 1e-9) const;
    double Length() const;
    // Shortest distance from a point to the polyline.
    double DistanceTo(Vec2 p) const;
    // Distance to the polyline, positive on the right of the direction of travel.
    double SignedOffset(Vec2 p) const;
    bool Closed(double tol = 1e-9) const;
    // Points along every segment, its ends included.
    std::vector<Vec2> Samples(int perSegment) const;
    // Where the polyline crosses or touches itself, away from the vertices
    // two consecutive segments share (a polyline that ends on its first
    // vertex counts as closed there). Arcs are followed in steps of at most
    // a quarter degree.
    std::vector<Vec2> SelfCrossings(double tol = 1e-6) const;
    // Inner vertices (and the closing vertex of a closed polyline, as 0)
    // where the direction turns back by more than pi - tol: the outline
    // doubles back on itself. Segments of no length are passed over.
    std::vector<std::size_t> Reversals(double tol = 1e-3) const;

    // The smallest difference between two directions.
    static double AngleBetween(double a, double b);

private:
    std::vector<Vertex> m_v;
};

}  // namespace geomcheck
