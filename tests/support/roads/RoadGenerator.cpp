#include "RoadGenerator.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "DatiEstesi.h"
#include "DatiPoli.h"
#include "ICTRACCIATO.h"
#include "TracciatoDatiEstesi.h"

namespace roads {

namespace {

Catena DatiPolilinea(const std::wstring& kind, const std::wstring& proprietario) {
    // One item of another group code stands between the application name
    // and the kind, as the suite writes it.
    return Catena(acutBuildList(1001, kAppPolilinee, 1070, 1, 1000, kind.c_str(), 1000, proprietario.c_str(), RTNONE));
}

Catena DatiAsse(const Strada& s) {
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (const Vertex& v : s.asse) {
        ads_point p = {v.x, v.y, 0};
        AggpuntoDATIPOLI(p, v.bulge, &testa, &coda);
    }
    ICTRACCIATO* t = ICTRACCIATO_Constructor::Alloca(testa, s.progIniziale);
    LiberaDATIPOLI(&testa);
    if (!t) throw std::invalid_argument("axis with fewer than two vertices");
    t->SetDato(CDato(QV_DATO_NOME_TRACCIATO, s.nome.c_str()), 1);
    Catena c(vplat::CodificaTracciato(*t));
    ICTRACCIATO_Costructor::Libera(&t, 1);
    return c;
}

}  // namespace

std::vector<Vertex> Offset(const std::vector<Vertex>& asse, double d) {
    geomcheck::GeometryChecker g(asse);
    std::vector<Vertex> out;
    for (std::size_t i = 0; i < asse.size(); ++i) {
        if (i > 0 && i + 1 < asse.size() && !g.Tangential(i, 1e-9))
            throw std::invalid_argument("axis not tangential at an inner vertex");
        double dir = i + 1 < asse.size() ? g.TangentOut(i) : g.TangentIn(i);
        // The right-hand normal of the direction of travel.
        out.push_back({asse[i].x + d * std::sin(dir), asse[i].y - d * std::cos(dir), asse[i].bulge});
        if (i + 1 < asse.size()) {
            auto s = g.Segment(i);
            // A left-turning arc has its centre on the left: the right offset grows it.
            double r = s.isArc ? s.radius + (s.sweep > 0 ? d : -d) : 1;
            if (r <= 0) throw std::invalid_argument("arc too tight for the offset");
        }
    }
    return out;
}

std::vector<Vertex> IsolaRastremata(const std::vector<Vertex>& asse, double distanza, double da, double a) {
    geomcheck::GeometryChecker g(asse);
    const double lunghezza = g.Length();
    // The axis point and direction at a distance along it.
    auto Punto = [&](double t, double& x, double& y, double& dir) {
        double percorsa = 0;
        for (std::size_t i = 0; i + 1 < asse.size(); ++i) {
            const geomcheck::Arc s = g.Segment(i);
            if (t > percorsa + s.length && i + 2 < asse.size()) {
                percorsa += s.length;
                continue;
            }
            const double f = s.length > 0 ? (t - percorsa) / s.length : 0;
            if (!s.isArc) {
                x = asse[i].x + f * (asse[i + 1].x - asse[i].x);
                y = asse[i].y + f * (asse[i + 1].y - asse[i].y);
                dir = g.TangentOut(i);
            } else {
                const double ang = s.sweep * f, rx = asse[i].x - s.centre.x, ry = asse[i].y - s.centre.y;
                x = s.centre.x + rx * std::cos(ang) - ry * std::sin(ang);
                y = s.centre.y + rx * std::sin(ang) + ry * std::cos(ang);
                dir = g.TangentOut(i) + ang;
            }
            return;
        }
    };
    const double inizio = a < da ? a : 0, fine = a < da ? lunghezza : a;
    std::vector<Vertex> out;
    const int passi = static_cast<int>(std::ceil(fine - inizio));
    for (int k = 0; k <= passi; ++k) {
        const double t = std::min(fine, inizio + k);
        // Full width beyond da, none at a, evenly between.
        const double quota = std::clamp((t - a) / (da - a), 0.0, 1.0);
        double x = 0, y = 0, dir = 0;
        Punto(t, x, y, dir);
        const double d = distanza * quota;
        out.push_back({x + d * std::sin(dir), y - d * std::cos(dir), 0});
    }
    return out;
}

std::vector<Polilinea> PolilineeDi(const Strada& s) {
    std::vector<Polilinea> out;
    out.push_back({kLayerAssi, L"", s.asse, DatiAsse(s)});
    std::wstring proprietario = s.proprietarioVuoto ? L"" : s.nome;
    struct Bordo {
        const wchar_t* kind;
        const wchar_t* layer;
        double offset;
    };
    std::vector<Bordo> bordi = {
        {L"CDX", kLayerCigli, s.semiDx},
        {L"CSX", kLayerCigli, -s.semiSx},
        {L"BDX", kLayerBanchine, s.semiDx + s.banchinaDx},
        {L"BSX", kLayerBanchine, -(s.semiSx + s.banchinaSx)},
    };
    if (s.semiIsola > 0) {
        bordi.push_back({L"CIDX", kLayerCigli, s.semiIsola});
        bordi.push_back({L"CISX", kLayerCigli, -s.semiIsola});
    }
    for (const Bordo& b : bordi) {
        const std::wstring kind = b.kind;
        const std::vector<Vertex>& proprio = kind == L"CIDX" ? s.isolaDx : kind == L"CISX" ? s.isolaSx : s.asse;
        const bool dato = (kind == L"CIDX" || kind == L"CISX") && !proprio.empty();
        out.push_back({b.layer, b.kind, dato ? proprio : Offset(s.asse, b.offset), DatiPolilinea(b.kind, proprietario)});
    }
    return out;
}

Strada Rettilineo(const std::wstring& nome, Vertex da, Vertex a) {
    Strada s;
    s.nome = nome;
    s.asse = {{da.x, da.y, 0}, {a.x, a.y, 0}};
    return s;
}

Strada Curva(const std::wstring& nome, Vertex inizio, double rettifilo, double raggio, double angolo,
             double rettifiloFinale) {
    Strada s;
    s.nome = nome;
    double x1 = inizio.x + rettifilo, y1 = inizio.y;
    // The arc's centre lies on the side it turns to.
    double cy = y1 + (angolo > 0 ? raggio : -raggio);
    double a0 = angolo > 0 ? -std::acos(-1.0) / 2 : std::acos(-1.0) / 2;
    double x2 = x1 + raggio * (std::cos(a0 + angolo) - std::cos(a0));
    double y2 = cy + raggio * std::sin(a0 + angolo);
    s.asse = {{inizio.x, inizio.y, 0},
              {x1, y1, std::tan(angolo / 4)},
              {x2, y2, 0},
              {x2 + rettifiloFinale * std::cos(angolo), y2 + rettifiloFinale * std::sin(angolo), 0}};
    return s;
}

}  // namespace roads

namespace roads {

namespace {

// The suite's layers are there before its polylines go on them.
void CreaLayer(AcDbDatabase* database, const std::wstring& nome) {
    AcDbLayerTable* layer = nullptr;
    if (database->getLayerTable(layer, AcDb::kForWrite) != Acad::eOk) throw std::runtime_error("no layer table");
    if (!layer->has(nome.c_str())) {
        auto* record = new AcDbLayerTableRecord();
        record->setName(nome.c_str());
        if (layer->add(record) != Acad::eOk) {
            delete record;
            layer->close();
            throw std::runtime_error("the drawing refused a layer");
        }
        record->close();
    }
    layer->close();
}

}  // namespace

std::vector<AcDbObjectId> Disegna(const Strada& strada, AcDbDatabase* database) {
    std::vector<AcDbObjectId> ids;
    if (!database) throw std::runtime_error("no drawing");
    for (const wchar_t* nome : {kLayerAssi, kLayerCigli, kLayerBanchine}) CreaLayer(database, nome);
    AcDbBlockTable* tabella = nullptr;
    if (database->getBlockTable(tabella, AcDb::kForRead) != Acad::eOk)
        throw std::runtime_error("no block table");
    AcDbBlockTableRecord* modello = nullptr;
    Acad::ErrorStatus es = tabella->getAt(ACDB_MODEL_SPACE, modello, AcDb::kForWrite);
    tabella->close();
    if (es != Acad::eOk) throw std::runtime_error("model space not open");
    for (const Polilinea& p : PolilineeDi(strada)) {
        for (const resbuf* rb = p.datiEstesi.get(); rb; rb = rb->rbnext)
            if (rb->restype == 1001) RegApplicazione(rb->resval.rstring, database);
        AcGePoint3dArray punti;
        AcGeDoubleArray bulge;
        for (const Vertex& v : p.vertici) {
            punti.append(AcGePoint3d(v.x, v.y, 0));
            bulge.append(v.bulge);
        }
        auto* pl = new AcDb2dPolyline(AcDb::k2dSimplePoly, punti, 0, false, 0, 0, &bulge);
        AcDbObjectId id;
        if (pl->setLayer(p.layer.c_str()) != Acad::eOk || pl->setXData(p.datiEstesi.get()) != Acad::eOk ||
            modello->appendAcDbEntity(id, pl) != Acad::eOk) {
            delete pl;
            modello->close();
            throw std::runtime_error("the drawing refused a road polyline");
        }
        pl->close();
        ids.push_back(id);
    }
    modello->close();
    return ids;
}

}  // namespace roads
