#include "WinGeometry.h"

#include <algorithm>
#include <cstdlib>

extern "C" {

BOOL SetRect(LPRECT r, int left, int top, int right, int bottom) {
    if (!r) return FALSE;
    *r = RECT{left, top, right, bottom};
    return TRUE;
}
BOOL SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }
BOOL CopyRect(LPRECT dst, const RECT* src) {
    if (!dst || !src) return FALSE;
    *dst = *src;
    return TRUE;
}
BOOL IsRectEmpty(const RECT* r) { return !r || r->right <= r->left || r->bottom <= r->top; }
BOOL PtInRect(const RECT* r, POINT p) {
    return r && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}
BOOL OffsetRect(LPRECT r, int dx, int dy) {
    if (!r) return FALSE;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}
BOOL InflateRect(LPRECT r, int dx, int dy) {
    if (!r) return FALSE;
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
    return TRUE;
}
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (r.right <= r.left || r.bottom <= r.top) {
        *dst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *dst = r;
    return TRUE;
}
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        *dst = *b;
    } else if (IsRectEmpty(b)) {
        *dst = *a;
    } else {
        *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom)};
    }
    return !IsRectEmpty(dst);
}
BOOL EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

// Rounds half away from zero, as the platform does.
int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    long long p = static_cast<long long>(number) * numerator;
    long long q = denominator;
    bool negative = (p < 0) != (q < 0);
    p = std::llabs(p);
    q = std::llabs(q);
    long long r = (p + q / 2) / q;
    return static_cast<int>(negative ? -r : r);
}

}  // extern "C"
