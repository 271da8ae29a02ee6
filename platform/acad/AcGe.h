// Geometry values of the host: points, vectors, matrices and their arrays.
#pragma once

#include <cmath>

#include "AcArray.h"

class AcGeMatrix3d;
class AcGeVector3d;

class AcGeTol {
public:
    AcGeTol() = default;
    double equalPoint() const { return m_point; }
    double equalVector() const { return m_vector; }
    void setEqualPoint(double t) { m_point = t; }
    void setEqualVector(double t) { m_vector = t; }

private:
    double m_point = 1e-10;
    double m_vector = 1e-12;
};

struct AcGeContext {
    static AcGeTol gTol;
};

class AcGeVector2d {
public:
    AcGeVector2d() = default;
    AcGeVector2d(double x_, double y_) : x(x_), y(y_) {}
    double length() const { return std::hypot(x, y); }
    // Angle from the x axis, 0 to 2 pi.
    double angle() const;
    // Angle from this vector to the other, 0 to pi.
    double angleTo(const AcGeVector2d& v) const;
    AcGeVector2d& rotateBy(double angle);
    AcGeVector2d& normalize();
    AcGeVector2d normal() const;
    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    AcGeVector2d operator-() const { return {-x, -y}; }
    bool operator==(const AcGeVector2d& v) const { return x == v.x && y == v.y; }

    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;
    double x = 0, y = 0;
};

class AcGePoint2d {
public:
    AcGePoint2d() = default;
    AcGePoint2d(double x_, double y_) : x(x_), y(y_) {}
    double distanceTo(const AcGePoint2d& p) const { return std::hypot(x - p.x, y - p.y); }
    AcGePoint2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGePoint2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator-(const AcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    bool operator==(const AcGePoint2d& p) const { return x == p.x && y == p.y; }
    bool isEqualTo(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }

    static const AcGePoint2d kOrigin;
    double x = 0, y = 0;
};

class AcGeVector3d {
public:
    AcGeVector3d() = default;
    AcGeVector3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
    double length() const { return std::sqrt(x * x + y * y + z * z); }
    AcGeVector3d& normalize();
    AcGeVector3d normal() const;
    double dotProduct(const AcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    AcGeVector3d crossProduct(const AcGeVector3d& v) const {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    // Angle to the other vector, 0 to pi.
    double angleTo(const AcGeVector3d& v) const;
    AcGeVector3d& rotateBy(double angle, const AcGeVector3d& axis);
    AcGeVector3d& transformBy(const AcGeMatrix3d& m);
    AcGeVector3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGeVector3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    AcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    AcGeVector3d operator-() const { return {-x, -y, -z}; }
    AcGeVector3d& operator+=(const AcGeVector3d& v) {
        x += v.x, y += v.y, z += v.z;
        return *this;
    }
    bool operator==(const AcGeVector3d& v) const { return x == v.x && y == v.y && z == v.z; }
    double operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](int i) { return i == 0 ? x : i == 1 ? y : z; }

    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;
    static const AcGeVector3d kIdentity;
    double x = 0, y = 0, z = 0;
};

class AcGePoint3d {
public:
    AcGePoint3d() = default;
    AcGePoint3d(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
    double distanceTo(const AcGePoint3d& p) const {
        return std::sqrt((x - p.x) * (x - p.x) + (y - p.y) * (y - p.y) + (z - p.z) * (z - p.z));
    }
    AcGePoint3d& transformBy(const AcGeMatrix3d& m);
    AcGePoint3d& set(double x_, double y_, double z_) {
        x = x_, y = y_, z = z_;
        return *this;
    }
    AcGePoint2d convert2d() const { return {x, y}; }
    AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    AcGePoint3d& operator+=(const AcGeVector3d& v) {
        x += v.x, y += v.y, z += v.z;
        return *this;
    }
    bool operator==(const AcGePoint3d& p) const { return x == p.x && y == p.y && z == p.z; }
    bool operator!=(const AcGePoint3d& p) const { return !(*this == p); }
    bool isEqualTo(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    double operator[](int i) const { return i == 0 ? x : i == 1 ? y : z; }
    double& operator[](int i) { return i == 0 ? x : i == 1 ? y : z; }

    static const AcGePoint3d kOrigin;
    double x = 0, y = 0, z = 0;
};

// A 4 x 4 matrix acting on column vectors: p' = M p.
class AcGeMatrix3d {
public:
    AcGeMatrix3d();
    static const AcGeMatrix3d kIdentity;

    double operator()(int row, int col) const { return entry[row][col]; }
    double& operator()(int row, int col) { return entry[row][col]; }
    AcGeMatrix3d operator*(const AcGeMatrix3d& m) const;
    AcGeMatrix3d& setToIdentity();
    AcGeMatrix3d& setToTranslation(const AcGeVector3d& v);
    AcGeMatrix3d& setTranslation(const AcGeVector3d& v);
    AcGeVector3d translation() const { return {entry[0][3], entry[1][3], entry[2][3]}; }
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToScaling(double scale, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& left);
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& right);
    AcGeMatrix3d inverse() const;
    bool isEqualTo(const AcGeMatrix3d& m, const AcGeTol& tol = AcGeContext::gTol) const;

    static AcGeMatrix3d translation(const AcGeVector3d& v) { return AcGeMatrix3d().setToTranslation(v); }
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin) {
        return AcGeMatrix3d().setToRotation(angle, axis, center);
    }
    static AcGeMatrix3d scaling(double s, const AcGePoint3d& center = AcGePoint3d::kOrigin) {
        return AcGeMatrix3d().setToScaling(s, center);
    }

    double entry[4][4];
};

typedef AcArray<AcGePoint3d> AcGePoint3dArray;
typedef AcArray<AcGePoint2d> AcGePoint2dArray;
typedef AcArray<AcGeVector3d> AcGeVector3dArray;
typedef AcArray<double> AcGeDoubleArray;

// ads_point conversions.
inline AcGePoint3d asPnt3d(const double* p) { return {p[0], p[1], p[2]}; }
inline double* asDblArray(AcGePoint3d& p) { return &p.x; }
inline const double* asDblArray(const AcGePoint3d& p) { return &p.x; }
