// Road drawings as the suite draws them, for tests and sample drawings: an
// alignment's axis and, offset from it, its carriageway edges and shoulders
// (and the central island's edges on a divided road), each polyline with the
// layer and the extended data the suite gives it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AdsDef.h"
#include "arx.h"
#include "GeometryChecker.h"

namespace roads {

using geomcheck::Vertex;

constexpr const wchar_t* kAppPolilinee = L"QV-VORTANA-NPOLI";
constexpr const wchar_t* kLayerAssi = L"QV-TRACCIATI";
constexpr const wchar_t* kLayerCigli = L"QV-TRACCIATO-CIGLI";
constexpr const wchar_t* kLayerBanchine = L"QV-TRACCIATO-BANCHINE";

struct RilasciaCatena {
    void operator()(resbuf* rb) const { acutRelRb(rb); }
};
using Catena = std::unique_ptr<resbuf, RilasciaCatena>;

struct Strada {
    std::wstring nome;          // the alignment's name, also the edges' owner text
    std::vector<Vertex> asse;   // straights and arcs joined tangentially
    double progIniziale = 0.0;
    double semiDx = 3.75, semiSx = 3.75;        // axis to right and left edge
    double banchinaDx = 1.5, banchinaSx = 1.5;  // edge to shoulder
    double semiIsola = 0.0;     // > 0: divided road, island edges this far from the axis
    std::vector<Vertex> isolaDx, isolaSx;  // when given, the island edges drawn instead of those offsets
    bool proprietarioVuoto = false;  // edges whose owner text is empty
};

struct Polilinea {
    std::wstring layer;
    std::wstring kind;          // "CDX" ...; empty for the axis
    std::vector<Vertex> vertici;
    Catena datiEstesi;          // from the application name on
};

// The axis first (extended data of the alignment), then CDX, CSX, BDX, BSX
// and, on a divided road, CIDX and CISX. Throws std::invalid_argument for an
// axis that is not tangential at its inner vertices or whose arcs are too
// tight for the offsets.
std::vector<Polilinea> PolilineeDi(const Strada& strada);

// Draws a road into a drawing's model space as the suite does: old-style 2D
// polylines on their layers, each with its extended data (the applications
// registered first). Answers the ids in the order of PolilineeDi; throws
// std::runtime_error when the drawing refuses an entity.
std::vector<AcDbObjectId> Disegna(const Strada& strada, AcDbDatabase* database);

// The polyline at a signed offset (> 0 to the right) from a tangential axis.
std::vector<Vertex> Offset(const std::vector<Vertex>& asse, double distanza);

// An island edge at a signed offset (> 0 to the right) that narrows evenly to
// the axis between two distances along it: it ends on the axis at `a` when
// a > da, or starts there when a < da. Straight, a vertex every metre.
std::vector<Vertex> IsolaRastremata(const std::vector<Vertex>& asse, double distanza, double da, double a);

// Layouts the tests use.
Strada Rettilineo(const std::wstring& nome, Vertex da, Vertex a);
// A straight, a circular curve of the given radius turning by the given
// angle (> 0 left), and a straight, from a start point heading east.
Strada Curva(const std::wstring& nome, Vertex inizio, double rettifilo, double raggio, double angolo,
             double rettifiloFinale);

}  // namespace roads
