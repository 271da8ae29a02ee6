#include "ZylGe.h"

#include <algorithm>
#include <cmath>

double Zyl_GePoint3d::distanceTo(const Zyl_GePoint3d& p) const { return std::hypot(p.x - x, p.y - y, p.z - z); }

double Zyl_GeVector2d::angleTo(const Zyl_GeVector2d& v) const {
    return std::fabs(std::atan2(x * v.y - y * v.x, x * v.x + y * v.y));
}

Zyl_GeVector2d& Zyl_GeVector2d::rotateBy(double angolo) {
    double c = std::cos(angolo), s = std::sin(angolo);
    double nx = c * x - s * y, ny = s * x + c * y;
    x = nx, y = ny;
    return *this;
}

Zyl_GeMatrix3d::Zyl_GeMatrix3d() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m[r][c] = r == c ? 1.0 : 0.0;
}

Zyl_GeMatrix3d& Zyl_GeMatrix3d::setTranslation(const Zyl_GeVector3d& v) {
    m[0][3] = v.x, m[1][3] = v.y, m[2][3] = v.z;
    return *this;
}

void Zyl_GeMatrix3d::getMatrix(ads_matrix out) const {
    for (int r = 0; r < 4; ++r) std::copy(m[r], m[r] + 4, out[r]);
}
