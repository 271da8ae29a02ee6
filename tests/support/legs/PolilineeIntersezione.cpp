#include "PolilineeIntersezione.h"

#include <cwchar>

#include "QvEngineering.h"

namespace legs {

namespace {

std::wstring Testo(const resbuf* rb) {
    if (rb->restype == 1040) {
        wchar_t t[64];
        std::swprintf(t, 64, L"%.17g", rb->resval.rreal);
        return t;
    }
    return rb->resval.rstring ? rb->resval.rstring : L"";
}

}  // namespace

std::vector<PolilineaIntersezione> PolilineeIntersezione(const wchar_t* codice) {
    std::vector<PolilineaIntersezione> out;
    resbuf* filtro = acutBuildList(RTDXF0, L"POLYLINE", 1001, L"QV-VORTANA-INTERS-T", RTNONE);
    ads_name gruppo;
    if (acedSSGet(L"_X", nullptr, nullptr, filtro, gruppo) == RTNORM) {
        Adesk::Int32 n = 0;
        acedSSLength(gruppo, &n);
        for (Adesk::Int32 i = 0; i < n; ++i) {
            ads_name nome;
            PolilineaIntersezione p;
            if (acedSSName(gruppo, i, nome) != RTNORM || acdbGetObjectId(p.id, nome) != Acad::eOk) continue;
            resbuf* dati = LeggiDatiEstesi(p.id, L"QV-VORTANA-INTERS-T");
            for (resbuf* rb = dati ? dati->rbnext : nullptr; rb; rb = rb->rbnext) p.dati.push_back(Testo(rb));
            acutRelRb(dati);
            if (codice && p.Codice() != codice) continue;
            AcDbEntity* e = nullptr;
            if (acdbOpenObject(e, p.id, AcDb::kForRead) == Acad::eOk) {
                ACHAR* layer = e->layer();
                p.layer = layer;
                acutDelString(layer);
                AcDb2dPolyline* pl = AcDb2dPolyline::cast(e);
                p.chiusa = pl && pl->isClosed();
                e->close();
            }
            datipoli* lista = nullptr;
            if (LeggiDATIPOLI(nome, &lista))
                for (const datipoli* x = lista; x; x = x->next) p.vertici.push_back({x->x, x->y, x->bulge});
            LiberaDATIPOLI(&lista);
            out.push_back(std::move(p));
        }
        acedSSFree(gruppo);
    }
    acutRelRb(filtro);
    return out;
}

}  // namespace legs
