// The vertices of a suite vertex list, for the geometry checker.
#pragma once

#include <vector>

#include "DatiPoli.h"
#include "GeometryChecker.h"

inline geomcheck::GeometryChecker CheckerOf(const datipoli* lista) {
    std::vector<geomcheck::Vertex> v;
    for (const datipoli* n = lista; n; n = n->next) v.push_back({n->x, n->y, n->bulge});
    return geomcheck::GeometryChecker(std::move(v));
}
