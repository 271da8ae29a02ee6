#include "RoadGenerator.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "DatiEstesi.h"
#include "DatiPoli.h"
#include "ICTRACCIATO.h"
#include "SpazioModello.h"
#include "TracciatoDatiEstesi.h"

namespace roads {

Catena DatiPolilinea(const std::wstring& kind, const std::wstring& proprietario) {
    // One item of another group code stands between the application name
    // and the kind, as the suite writes it.
    return Catena(acutBuildList(1001, kAppPolilinee, 1070, 1, 1000, kind.c_str(), 1000, proprietario.c_str(), RTNONE));
}

datipoli* ListaDi(const std::vector<Vertex>& vertici) {
    datipoli* testa = nullptr;
    datipoli* coda = nullptr;
    for (const Vertex& v : vertici) {
        ads_point p = {v.x, v.y, 0};
        AggpuntoDATIPOLI(p, v.bulge, &testa, &coda);
    }
    return testa;
}

Catena DatiTracciato(const Strada& s) {
    datipoli* testa = ListaDi(s.asse);
    ICTRACCIATO* t = nullptr;
    if (testa && testa->next)
        t = s.nomeInterno.empty() ? ICTRACCIATO_Constructor::Alloca(testa, s.progIniziale)
                                  : new ICTRACCIATO(testa, s.progIniziale, CString(s.nomeInterno.c_str()));
    LiberaDATIPOLI(&testa);
    if (!t) throw std::invalid_argument("axis with fewer than two vertices");
    t->SetDato(CDato(QV_DATO_NOME_TRACCIATO, s.nome.c_str()), 1);
    for (const Record& r : s.records) {
        ICLISTADATI* lista = t->getListaDati(r.lista);
        if (!lista) {
            ICTRACCIATO_Costructor::Libera(&t, 1);
            throw std::invalid_argument("record of a list the alignment does not keep");
        }
        ICELEMENTODATI* e = lista->aggiungi(r.prog);
        for (const auto& [codice, valore] : r.valori) e->SetDato(CDato(codice, valore), 1);
    }
    for (const Profilo& p : s.profili) {
        ICPROFILO* profilo = ICPROFILO::Alloca();
        profilo->SetDato(CDato(QV_DATO_NOME_PROFILO, p.nome.c_str()));
        for (const auto& [prog, quota] : p.vertici) profilo->aggiungiVertice(prog, quota);
        t->aggiungiProfilo(profilo);
    }
    Catena c(vplat::CodificaTracciato(*t));
    ICTRACCIATO_Costructor::Libera(&t, 1);
    return c;
}

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
    out.push_back({kLayerAssi, L"", s.asse, DatiTracciato(s)});
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
        out.push_back(
            {b.layer, b.kind, dato ? proprio : Offset(s.asse, b.offset), DatiPolilinea(b.kind, proprietario)});
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

std::vector<AcDbObjectId> Disegna(const Strada& strada, AcDbDatabase* database) {
    std::vector<Polilinea> polilinee = PolilineeDi(strada);
    SpazioModello modello(database, {kLayerAssi, kLayerCigli, kLayerBanchine});
    std::vector<AcDbObjectId> ids;
    for (const Polilinea& p : polilinee) {
        AcGePoint3dArray punti;
        AcGeDoubleArray bulge;
        for (const Vertex& v : p.vertici) {
            punti.append(AcGePoint3d(v.x, v.y, 0));
            bulge.append(v.bulge);
        }
        ids.push_back(modello.Aggiungi(new AcDb2dPolyline(AcDb::k2dSimplePoly, punti, 0, false, 0, 0, &bulge),
                                       p.layer, p.datiEstesi.get()));
    }
    return ids;
}

}  // namespace roads
