// Road drawings as the suite draws them, for tests and sample drawings: an
// alignment's axis and, offset from it, its carriageway edges and shoulders
// (and the central island's edges on a divided road), each polyline with the
// layer and the extended data the suite gives it.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AdsDef.h"
#include "DatiPoli.h"
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

// A vertical profile of an alignment: (chainage, elevation) vertices.
struct Profilo {
    std::wstring nome = L"PROGETTO";
    std::vector<std::pair<double, double>> vertici;
};

// A record of one of the alignment's data lists (1500, 1505 ...): its
// chainage and real values by data code, flags 0.
struct Record {
    int lista;
    double prog;
    std::vector<std::pair<int, double>> valori;
};

struct Strada {
    std::wstring nome;          // the alignment's name, also the edges' owner text
    std::wstring nomeInterno;   // empty: a new one, unused in the working drawing
    std::vector<Vertex> asse;   // straights and arcs joined tangentially
    double progIniziale = 0.0;
    double semiDx = 3.75, semiSx = 3.75;        // axis to right and left edge
    double banchinaDx = 1.5, banchinaSx = 1.5;  // edge to shoulder
    double semiIsola = 0.0;     // > 0: divided road, island edges this far from the axis
    std::vector<Vertex> isolaDx, isolaSx;  // when given, the island edges drawn instead of those offsets
    bool proprietarioVuoto = false;  // edges whose owner text is empty
    std::vector<Profilo> profili;
    std::vector<Record> records;
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

// The alignment's extended data ("QV-TRACCIATO", from the application name
// on): internal name, start chainage, name, list records and profiles.
// Throws std::invalid_argument for an axis of fewer than two vertices or a
// record of a list the alignment does not keep.
Catena DatiTracciato(const Strada& strada);
// The extended data of a road edge polyline of that kind and owner.
Catena DatiPolilinea(const std::wstring& kind, const std::wstring& proprietario);

// A new vertex list of the polyline (chainages from 0), freed with LiberaDATIPOLI.
datipoli* ListaDi(const std::vector<Vertex>& vertici);

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
