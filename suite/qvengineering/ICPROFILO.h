// A vertical profile of an alignment: elevations at chainages.
#pragma once

#include <vector>

#include "AcGe.h"
#include "CString.h"
#include "IQvObject.h"

constexpr int QV_DATO_NOME_PROFILO = 22500;

class ICPROFILO : public CQvOggettoDati {
public:
    // A new road profile (an ICPROFILO_STRADALE), freed with libera.
    static ICPROFILO* Alloca();
    static void libera(ICPROFILO** profilo);
    // A copy of the whole profile (its kind, data, vertices and sheet
    // point), the caller's, freed with libera.
    virtual ICPROFILO* Duplica() const;

    struct Vertice {
        double prog, quota;
    };
    // Adds a vertex in chainage order (a vertex at the same chainage is replaced).
    void aggiungiVertice(double prog, double quota);
    const std::vector<Vertice>& getVertici() const { return m_vertici; }
    // The elevation at a chainage, straight between vertices: 1, or 0 off
    // the profile (before its first or after its last vertex).
    int getQuota(double prog, double* quota) const;

    // Where the profile drawing of the alignment stands: h the chainage at
    // the drawing's origin q, p the drawing's size, V and C the scales it
    // was drawn at (texts, as the drawing labels them). A profile never
    // drawn has h 0, p and q the origin, V and C "0".
    struct Disegno {
        double h = 0;
        AcGePoint3d p, q;
        CString V = L"0", C = L"0";
    };
    const Disegno& getDisegno() const { return m_disegno; }
    void setDisegno(const Disegno& d) {
        m_disegno = d;
        m_conDisegno = true;
    }
    bool hasDisegno() const { return m_conDisegno; }

    // The insertion point of the profile sheet the profile was drawn on:
    // 1 with the point, 0 for a profile without sheet (the default).
    int getPuntoCartiglio(AcGePoint3d& punto) const;
    void setPuntoCartiglio(const AcGePoint3d& punto);

protected:
    ICPROFILO();
    ICPROFILO(const ICPROFILO&) = default;

private:
    std::vector<Vertice> m_vertici;
    Disegno m_disegno;
    bool m_conDisegno = false;
    AcGePoint3d m_cartiglio;
    bool m_conCartiglio = false;
};
