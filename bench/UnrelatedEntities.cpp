#include "UnrelatedEntities.h"

#include <arx.h>

#include <cwchar>
#include <string>

namespace {

void Add(AcDbBlockTableRecord* ms, AcDbEntity* e, resbuf* data) {
    ms->appendAcDbEntity(e);
    if (data) {
        e->setXData(data);
        acutRelRb(data);
    }
    e->close();
}

AcDbEntity* Polyline(double x, double y) {
    AcGePoint3dArray v;
    AcGeDoubleArray b;
    for (int k = 0; k < 4; ++k) {
        v.append(AcGePoint3d(x + k * 3, y + (k % 2), 0));
        b.append(k == 1 ? 0.2 : 0.0);
    }
    return new AcDb2dPolyline(AcDb::k2dSimplePoly, v, 0, false, 0, 0, &b);
}

}  // namespace

AcDbBlockTableRecord* ModelSpaceForWrite(AcDbDatabase* db) {
    AcDbBlockTable* bt = nullptr;
    db->getBlockTable(bt, AcDb::kForRead);
    AcDbBlockTableRecord* ms = nullptr;
    bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite);
    bt->close();
    return ms;
}

void AddUnrelatedEntities(AcDbDatabase* db, int n, double x0, double y0) {
    acdbRegApp(L"ALTRO-PROGETTO");
    AcDbBlockTableRecord* ms = ModelSpaceForWrite(db);
    for (int i = 0; i < n; ++i) {
        double x = x0 + (i % 200) * 20.0, y = y0 + (i / 200) * 20.0;
        switch (i % 4) {
        case 0: Add(ms, Polyline(x, y), nullptr); break;
        case 1:
            Add(ms, Polyline(x, y),
                acutBuildList(1001, L"ALTRO-PROGETTO", 1000, L"curva di livello", 1040, 125.5, RTNONE));
            break;
        case 2: Add(ms, new AcDbText(AcGePoint3d(x, y, 0), L"quota 125.50"), nullptr); break;
        default: Add(ms, new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d(0, 0, 1), 0.5), nullptr);
        }
    }
    ms->close();
}

void AddRoadNetwork(AcDbDatabase* db, int n, double x0, double y0) {
    acdbRegApp(L"QV-VORTANA-NPOLI");
    acdbRegApp(L"QV-VORTANA-INTERS-T");
    AcDbBlockTableRecord* ms = ModelSpaceForWrite(db);
    static const wchar_t* kinds[] = {L"CDX", L"CSX", L"BDX", L"BSX"};
    static const wchar_t* edges[] = {L"rCIG", L"rCE1", L"rCE2", L"rBE1", L"rBE2", L"rCT1", L"rCT2", L"rCS"};
    auto road = [](int k) { return L"Strada " + std::to_wstring(k); };
    auto internal = [](int k) {
        wchar_t t[16];
        swprintf(t, 16, L"TR%08d", k);
        return std::wstring(t);
    };
    for (int i = 0; i < n; ++i) {
        double x = x0 + (i % 200) * 20.0, y = y0 + (i / 200) * 20.0;
        const int j = i / 4;
        switch (i % 4) {
        case 0:
            Add(ms, Polyline(x, y),
                acutBuildList(1001, L"QV-VORTANA-NPOLI", 1070, 1, 1000, kinds[j % 4], 1000, road(j / 4).c_str(),
                              RTNONE));
            break;
        case 1: {
            const int main = j / 8, leg = main + 1;
            Add(ms, Polyline(x, y),
                acutBuildList(1001, L"QV-VORTANA-INTERS-T", 1000, std::to_wstring(900000 + j / 8).c_str(), 1000,
                              edges[j % 8], 1000, internal(main).c_str(), 1000, road(main).c_str(), 1000,
                              internal(leg).c_str(), 1000, road(leg).c_str(), 1000, L"DEFAULT", 1040, 3.5, RTNONE));
            break;
        }
        case 2: Add(ms, Polyline(x, y), nullptr); break;
        default: Add(ms, new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 10, y, 0)), nullptr);
        }
    }
    ms->close();
}
