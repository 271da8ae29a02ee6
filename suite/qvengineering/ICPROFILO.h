// A vertical profile of an alignment: elevations at chainages.
#pragma once

#include <vector>

#include "IQvObject.h"

constexpr int QV_DATO_NOME_PROFILO = 22500;

class ICPROFILO : public CQvOggettoDati {
public:
    // A new road profile (an ICPROFILO_STRADALE), freed with libera.
    static ICPROFILO* Alloca();
    static void libera(ICPROFILO** profilo);

    struct Vertice {
        double prog, quota;
    };
    // Adds a vertex in chainage order (a vertex at the same chainage is replaced).
    void aggiungiVertice(double prog, double quota);
    const std::vector<Vertice>& getVertici() const { return m_vertici; }
    // The elevation at a chainage, straight between vertices: 1, or 0 off
    // the profile (before its first or after its last vertex).
    int getQuota(double prog, double* quota) const;

protected:
    ICPROFILO();

private:
    std::vector<Vertice> m_vertici;
};
