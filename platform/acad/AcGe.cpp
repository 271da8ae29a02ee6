#include "AcGe.h"

#include <utility>

AcGeTol AcGeContext::gTol;

const AcGeVector2d AcGeVector2d::kXAxis(1, 0);
const AcGeVector2d AcGeVector2d::kYAxis(0, 1);
const AcGePoint2d AcGePoint2d::kOrigin(0, 0);
const AcGeVector3d AcGeVector3d::kXAxis(1, 0, 0);
const AcGeVector3d AcGeVector3d::kYAxis(0, 1, 0);
const AcGeVector3d AcGeVector3d::kZAxis(0, 0, 1);
const AcGeVector3d AcGeVector3d::kIdentity(1, 1, 1);
const AcGePoint3d AcGePoint3d::kOrigin(0, 0, 0);
const AcGeMatrix3d AcGeMatrix3d::kIdentity;

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

double AcGeVector2d::angle() const {
    double a = std::atan2(y, x);
    return a < 0 ? a + kTwoPi : a;
}

double AcGeVector2d::angleTo(const AcGeVector2d& v) const {
    double l = length() * v.length();
    if (l == 0) return 0;
    double c = dotProduct(v) / l;
    return std::acos(c > 1 ? 1 : c < -1 ? -1 : c);
}

AcGeVector2d& AcGeVector2d::rotateBy(double a) {
    double c = std::cos(a), s = std::sin(a);
    double nx = x * c - y * s, ny = x * s + y * c;
    x = nx, y = ny;
    return *this;
}

AcGeVector2d& AcGeVector2d::normalize() {
    double l = length();
    if (l > 0) x /= l, y /= l;
    return *this;
}

AcGeVector2d AcGeVector2d::normal() const {
    AcGeVector2d v = *this;
    return v.normalize();
}

AcGeVector3d& AcGeVector3d::normalize() {
    double l = length();
    if (l > 0) x /= l, y /= l, z /= l;
    return *this;
}

AcGeVector3d AcGeVector3d::normal() const {
    AcGeVector3d v = *this;
    return v.normalize();
}

double AcGeVector3d::angleTo(const AcGeVector3d& v) const {
    double l = length() * v.length();
    if (l == 0) return 0;
    double c = dotProduct(v) / l;
    return std::acos(c > 1 ? 1 : c < -1 ? -1 : c);
}

AcGeVector3d& AcGeVector3d::rotateBy(double a, const AcGeVector3d& axis) {
    return transformBy(AcGeMatrix3d::rotation(a, axis));
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
    double v[3] = {x, y, z};
    double r[3];
    for (int i = 0; i < 3; ++i) r[i] = m.entry[i][0] * v[0] + m.entry[i][1] * v[1] + m.entry[i][2] * v[2];
    x = r[0], y = r[1], z = r[2];
    return *this;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
    double v[3] = {x, y, z};
    double r[3];
    for (int i = 0; i < 3; ++i)
        r[i] = m.entry[i][0] * v[0] + m.entry[i][1] * v[1] + m.entry[i][2] * v[2] + m.entry[i][3];
    double w = m.entry[3][0] * v[0] + m.entry[3][1] * v[1] + m.entry[3][2] * v[2] + m.entry[3][3];
    if (w != 0 && w != 1) r[0] /= w, r[1] /= w, r[2] /= w;
    x = r[0], y = r[1], z = r[2];
    return *this;
}

AcGeMatrix3d::AcGeMatrix3d() { setToIdentity(); }

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) entry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const {
    AcGeMatrix3d out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += entry[r][k] * m.entry[k][c];
            out.entry[r][c] = s;
        }
    return out;
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v) {
    setToIdentity();
    return setTranslation(v);
}

AcGeMatrix3d& AcGeMatrix3d::setTranslation(const AcGeVector3d& v) {
    entry[0][3] = v.x, entry[1][3] = v.y, entry[2][3] = v.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double a, const AcGeVector3d& axis, const AcGePoint3d& center) {
    AcGeVector3d u = axis.normal();
    double c = std::cos(a), s = std::sin(a), t = 1 - c;
    setToIdentity();
    entry[0][0] = t * u.x * u.x + c;
    entry[0][1] = t * u.x * u.y - s * u.z;
    entry[0][2] = t * u.x * u.z + s * u.y;
    entry[1][0] = t * u.x * u.y + s * u.z;
    entry[1][1] = t * u.y * u.y + c;
    entry[1][2] = t * u.y * u.z - s * u.x;
    entry[2][0] = t * u.x * u.z - s * u.y;
    entry[2][1] = t * u.y * u.z + s * u.x;
    entry[2][2] = t * u.z * u.z + c;
    // Keep the centre fixed: p' = R (p - c) + c.
    AcGePoint3d rc = center;
    rc.transformBy(*this);
    setTranslation(center - rc);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double sc, const AcGePoint3d& center) {
    setToIdentity();
    entry[0][0] = entry[1][1] = entry[2][2] = sc;
    setTranslation(AcGeVector3d(center.x, center.y, center.z) * (1 - sc));
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& left) {
    *this = left * *this;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& right) {
    *this = *this * right;
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::inverse() const {
    // Gauss-Jordan on [M | I].
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 8; ++c) a[r][c] = c < 4 ? entry[r][c] : (c - 4 == r ? 1.0 : 0.0);
    for (int col = 0; col < 4; ++col) {
        int piv = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[piv][col])) piv = r;
        if (a[piv][col] == 0) return AcGeMatrix3d();
        if (piv != col)
            for (int c = 0; c < 8; ++c) std::swap(a[piv][c], a[col][c]);
        double d = a[col][col];
        for (int c = 0; c < 8; ++c) a[col][c] /= d;
        for (int r = 0; r < 4; ++r)
            if (r != col) {
                double f = a[r][col];
                for (int c = 0; c < 8; ++c) a[r][c] -= f * a[col][c];
            }
    }
    AcGeMatrix3d out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out.entry[r][c] = a[r][c + 4];
    return out;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(entry[r][c] - m.entry[r][c]) > tol.equalVector()) return false;
    return true;
}
