// A working drawing for the suite's CAD services, with small builders.
#pragma once

#include <vector>

#include "HostTranscript.h"
#include "ModelSpace.h"
#include "Ombrix.h"
#include "WorkingDrawing.h"

class CadTest : public WorkingDrawingTest {
protected:
    void SetUp() override {
        WorkingDrawingTest::SetUp();
        vplat::Transcript::Get().Clear();
    }

    // A new anonymous block.
    ZylBlockID Anonimo() {
        ZylTableRecordID r;
        EXPECT_EQ(Ombrix::GetTableUtils()->CreaRecord(ZYL_TABELLA_BLOCCHI, L"*X", CADDatoArray(), r), 1);
        return ZylBlockID(r.GetObjectId());
    }

    // The properties of a polyline: vertices (x, y, z) with bulges, layer and
    // extended data when given.
    static CADDatoArray Polilinea(const std::vector<std::vector<double>>& vertici, const wchar_t* layer = nullptr,
                                  const CADDatoArray* estesi = nullptr) {
        CADDatoArray punti, bulge, p;
        for (size_t i = 0; i < vertici.size(); ++i) {
            punti.Add(static_cast<int>(i), vertici[i][0], vertici[i][1], vertici[i][2]);
            bulge.Add(static_cast<int>(i), vertici[i].size() > 3 ? vertici[i][3] : 0.0);
        }
        if (layer) p.Add(8, layer);
        p.Add(10, punti);
        p.Add(42, bulge);
        if (estesi) p.Add(-3, *estesi);
        return p;
    }

    static ZylPolylineID NuovaPolilinea(int tipo, const CADDatoArray& p, const ZylBlockID& blocco = ZylBlockID()) {
        ZylPolylineID id;
        EXPECT_NE(Ombrix::GetEntityUtils()->CreaPolilinea(tipo, p, id, blocco), 0);
        return id;
    }

    // The handles the selection answered, in order.
    static std::vector<std::wstring> Handles(const CADDatoArray& sel) {
        std::vector<std::wstring> out;
        for (int i = 0; i < sel.GetCount(); ++i) out.push_back(sel[i].GetEntityID().GetHandle());
        return out;
    }

    static std::vector<double> Xyz(const CADDatoArray::CADDato& d) {
        double p[3];
        d.GetPunto(p);
        return {p[0], p[1], p[2]};
    }

    AcDbDatabase* db() { return m_db.get(); }
};
