// A working drawing for the element tests: roads drawn by the generator and
// single tagged polylines with extended data of the test's choosing.
#pragma once

#include <gtest/gtest.h>

#include <arx.h>

#include <memory>

#include "ModelSpace.h"
#include "QvGeometry.h"
#include "RoadGenerator.h"
#include "WorkingDrawing.h"

class RoadDrawingTest : public WorkingDrawingTest {
protected:

    std::vector<AcDbObjectId> Disegna(const roads::Strada& s) { return roads::Disegna(s, m_db.get()); }

    // A 2D polyline through the points, with the extended data given (taken over).
    AcDbObjectId Polilinea(std::initializer_list<roads::Vertex> v, resbuf* dati, bool tridimensionale = false) {
        AcGePoint3dArray punti;
        AcGeDoubleArray bulge;
        for (const auto& p : v) {
            punti.append(AcGePoint3d(p.x, p.y, 0));
            bulge.append(p.bulge);
        }
        AcDbEntity* e = tridimensionale
                            ? static_cast<AcDbEntity*>(new AcDb3dPolyline(AcDb::k3dSimplePoly, punti))
                            : new AcDb2dPolyline(AcDb::k2dSimplePoly, punti, 0, false, 0, 0, &bulge);
        if (dati) {
            for (resbuf* rb = dati; rb; rb = rb->rbnext)
                if (rb->restype == 1001) RegApplicazione(rb->resval.rstring, m_db.get());
            e->setXData(dati);
            acutRelRb(dati);
        }
        return AppendToBlock(m_db.get(), e);
    }
    // Tagged as the suite tags its road polylines.
    static resbuf* Etichetta(const wchar_t* kind, const wchar_t* proprietario) {
        return acutBuildList(1001, roads::kAppPolilinee, 1070, 1, 1000, kind, 1000, proprietario, RTNONE);
    }
    static AcDbObjectId IdDi(const ads_name n) {
        AcDbObjectId id;
        acdbGetObjectId(id, n);
        return id;
    }

};
