#include "LeggiDatiPoli.h"

#include <cmath>
#include <vector>

#include "AcDbAds.h"
#include "AcDbObject.h"
#include "AcDbPolylines.h"
#include "IntersezioniDatiPoli.h"
#include "TracciatoDatiEstesi.h"

namespace {

// The list of an entity by its id; null when it is not a polyline.
datipoli* ListaDiEntita(AcDbObjectId id) {
    AcDbEntity* e = nullptr;
    if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) return nullptr;
    std::vector<vplat::PolyVertex> v;
    bool chiusa = false;
    double progIniziale = 0;
    bool ok = vplat::PolylineVertices(e, v, &chiusa) && !v.empty();
    if (ok) {
        // An alignment keeps its start chainage after its internal name.
        resbuf* rb = e->xData(vplat::kAppTracciato);
        if (rb && rb->rbnext && rb->rbnext->rbnext && rb->rbnext->rbnext->restype == 1040)
            progIniziale = rb->rbnext->rbnext->resval.rreal;
        acutRelRb(rb);
    }
    e->close();
    if (!ok) return nullptr;
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (const auto& p : v) {
        ads_point q = {p.point.x, p.point.y, p.point.z};
        if (!AggpuntoDATIPOLI(q, p.bulge, &testa, &coda)) {
            LiberaDATIPOLI(&testa);
            return nullptr;
        }
    }
    if (chiusa && v.size() > 1) {
        // The closing segment: its bulge is the last vertex's.
        ads_point q = {v.front().point.x, v.front().point.y, v.front().point.z};
        AggpuntoDATIPOLI(q, 0.0, &testa, &coda);
    }
    ProgDATIPOLI(testa, progIniziale, nullptr);
    return testa;
}

}  // namespace

int LeggiDATIPOLI(const ads_name entita, datipoli** lista, void*, void*, void*, void*, void*, void*, void*, void*) {
    if (!lista) return 0;
    AcDbObjectId id;
    if (acdbGetObjectId(id, entita) != Acad::eOk) return 0;
    *lista = ListaDiEntita(id);
    return *lista ? 1 : 0;
}

int Inters_2_DATIPOLI_2D(const datipoli* a, const datipoli* b, AcGePoint3dArray& punti, double estensioneA,
                         double estensioneB, int /*flag*/) {
    punti.setLogicalLength(0);
    for (const auto& c : vplat::IntersezioniDatiPoli(a, b, estensioneA, estensioneB))
        punti.append(AcGePoint3d(c.x, c.y, c.z));
    return punti.length();
}

int Inters_2_DATIPOLI_2D(const datipoli* a, const datipoli* b, CADDatoArray& punti, double estensioneA,
                         double estensioneB, int /*flag*/) {
    punti.Clear();
    for (const auto& c : vplat::IntersezioniDatiPoli(a, b, estensioneA, estensioneB)) punti.Add(10, c.x, c.y, c.z);
    return punti.GetCount();
}

int Inters_2AcDbEntity2D(AcDbObjectId a, AcDbObjectId b, AcGePoint3dArray& punti, double estensioneA,
                         double estensioneB, int flag) {
    punti.setLogicalLength(0);
    datipoli* la = ListaDiEntita(a);
    datipoli* lb = ListaDiEntita(b);
    int n = la && lb ? Inters_2_DATIPOLI_2D(la, lb, punti, estensioneA, estensioneB, flag) : -1;
    LiberaDATIPOLI(&la);
    LiberaDATIPOLI(&lb);
    return n;
}
