// Geometry of one segment of a vertex list, shared by the suite's libraries.
#pragma once

#include "DatiPoli.h"

namespace vplat {

constexpr double kTolLunghezza = 1e-9;

struct Punto2 {
    double x, y;
};

// A straight or an arc from A to B.
struct Segmento {
    Punto2 a, b;
    double za = 0, zb = 0;
    double bulge = 0;
    bool arco = false;
    Punto2 c{0, 0};       // arc centre
    double r = 0;         // arc radius
    double ang0 = 0;      // angle of A seen from the centre
    double sweep = 0;     // signed sweep, > 0 counter-clockwise
    double lunghezza = 0;

    static Segmento Da(double ax, double ay, double az, double bx, double by, double bz, double bulge);
    static Segmento DaNodo(const datipoli* n);  // n to n->next
    // The point at a distance along the segment, and the tangent direction there.
    Punto2 PuntoA(double s) const;
    double ZA(double s) const;
    double DirezioneA(double s) const;
    // Nearest point of the segment: distance along it; interno = true when the
    // point's perpendicular foot lies on the segment.
    double Proietta(Punto2 p, bool* interno) const;
    // Every crossing of the line p + t * u with the segment: the t values.
    int IntersecaRetta(Punto2 p, Punto2 u, double t[2], double s[2]) const;
    // Whether a point lies on the segment (within the tolerance), and where.
    bool Contiene(Punto2 p, double* s) const;
    // The crossings with another segment: points and distances along each.
    int Interseca(const Segmento& o, Punto2 p[2], double sQuesto[2], double sAltro[2]) const;
};

double Distanza(Punto2 a, Punto2 b);
// The angle normalised to [0, 2 pi).
double Normalizza(double a);

}  // namespace vplat
