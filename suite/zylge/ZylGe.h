// The suite's geometry value types: points, vectors and 4 x 4 matrices.
#pragma once

#include "AdsDef.h"

class Zyl_GePoint3d {
public:
    Zyl_GePoint3d() = default;
    Zyl_GePoint3d(double px, double py, double pz) : x(px), y(py), z(pz) {}
    double distanceTo(const Zyl_GePoint3d& p) const;

    double x = 0, y = 0, z = 0;
};

class Zyl_GeVector2d {
public:
    Zyl_GeVector2d() = default;
    Zyl_GeVector2d(double px, double py) : x(px), y(py) {}
    // The angle from this vector to the other, 0 to pi, whichever way it turns.
    double angleTo(const Zyl_GeVector2d& v) const;
    // Turns the vector counter-clockwise by the angle (radians).
    Zyl_GeVector2d& rotateBy(double angolo);

    double x = 0, y = 0;
};

class Zyl_GeVector3d {
public:
    Zyl_GeVector3d() = default;
    Zyl_GeVector3d(double px, double py, double pz) : x(px), y(py), z(pz) {}

    double x = 0, y = 0, z = 0;
};

// A transform of points as a 4 x 4 matrix by row and column; the
// translation is the last column.
class Zyl_GeMatrix3d {
public:
    // The identity.
    Zyl_GeMatrix3d();
    double operator()(int riga, int colonna) const { return m[riga][colonna]; }
    double& operator()(int riga, int colonna) { return m[riga][colonna]; }
    // Sets the translation column, the rest unchanged.
    Zyl_GeMatrix3d& setTranslation(const Zyl_GeVector3d& v);
    // The matrix as the polyline library takes it.
    void getMatrix(ads_matrix out) const;

    double m[4][4];
};
