// A managed point: three doubles, a value.
#pragma once

struct Point3DMgd {
    Point3DMgd() = default;
    Point3DMgd(double px, double py, double pz) : x(px), y(py), z(pz) {}

    double x = 0, y = 0, z = 0;
};
