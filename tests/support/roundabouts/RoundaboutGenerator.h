// Plan roundabouts as the suite draws them, for tests and sample drawings:
// the ring's two circles and the four plan edges of every branch, tagged with
// the roundabout's extended data, and each branch's alignment with its road
// edge polylines. Switches draw the faulty plans that failure tests need.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "RoadGenerator.h"

namespace rotatorie {

constexpr const wchar_t* kAppRotatoria = L"QV-VORTANA-INTERS-ROTV1";
constexpr const wchar_t* kLayerRotatoria = L"QV-ROTATORIA";

// The plan edges of a branch in drawing order, named by their side seen from
// the branch towards the ring: outer left, inner left, inner right, outer right.
enum class Bordo { rCEOut, rCIOut, rCIIn, rCEIn };
const wchar_t* Codice(Bordo bordo);

// What a failure test changes in one entity's roundabout items.
struct Voci {
    int quante = -1;        // 0 or more: only the first items, this many (braces apart)
    std::wstring codice;    // not empty: this code in place of the entity's own
};

// A record of a cross-section list: chainage and its two values in percent.
struct RecordSezione {
    double prog, a, b;
};

// One road leaving the ring. Lengths and offsets in drawing units; u runs
// from the ring centre along the branch, v to its left (counter-clockwise).
struct Ramo {
    std::wstring nome;              // the alignment's name, also its road edges' owner
    std::wstring nomeInterno;       // the alignment's internal name
    double angolo = 0.0;            // plan direction of the branch from the centre, radians
    bool versoUscente = true;       // the alignment runs away from the ring; false: towards it
    double semiEsterno = 6.0;       // W: outer edges at v = -W and +W
    double semiIsolaAnello = 2.0;   // wi: island edges at the ring
    double semiIsolaPunta = 0.5;    // wt: island edges at the island's tip
    double lunghezzaIsola = 20.0;   // li: the island's tip at u = Re + li
    double lunghezzaRamo = 35.0;    // lb: the outer edges end at u = Re + lb
    double lunghezzaTracciato = 90.0;  // the alignment, from the centre
    double progIniziale = 0.0;      // chainage of the alignment's first vertex
    std::wstring nomeProfilo = L"PROGETTO";
    std::vector<std::pair<double, double>> profilo;  // (chainage, elevation); empty: no profile
    std::vector<RecordSezione> lista1500;            // 22004 left, 22005 right of the travel
    std::vector<RecordSezione> lista1505;            // 22022, 22023
    double divisa = 0.0;            // > 0: divided road, island edges CIDX and CISX this far from the alignment

    // Switches for failure tests, all off by default.
    std::optional<Bordo> senzaBordo;       // this plan edge is not drawn
    std::optional<Bordo> bordoStaccato;    // this plan edge starts off the ring ...
    double distacco = 0.0;                 // ... this far (> 0 outside)
    std::map<Bordo, Voci> voci;            // plan edges with altered items
    std::wstring ciglio3D;                 // this road edge ("CDX" ...) drawn as a 3D polyline
    bool senzaCigliStrada = false;         // no road edge polylines
    bool profiloFinoAFineRamo = false;     // the profile ends exactly at the branch end (ProgFineRamo), on the side away from the ring
};

struct Punto {
    double x, y, z;
};

struct Rotatoria {
    std::wstring nomePianta;        // the plan roundabout's name, first item of every entity
    std::wstring nome;              // the roundabout's name
    Punto centro{0, 0, 0};
    double raggioInterno = 15.0;
    double raggioEsterno = 25.0;
    std::vector<Ramo> rami;

    // Switches for failure tests, all off by default.
    bool senzaAnelloInterno = false;
    bool senzaAnelloEsterno = false;
    Voci vociInterno, vociEsterno;  // circles with altered items
    bool graffe = false;            // every entity's roundabout items wrapped in 1002 braces
};

struct Entita {
    enum Tipo { Cerchio, Polilinea };
    Tipo tipo = Polilinea;
    bool tridimensionale = false;
    std::wstring layer;
    std::wstring kind;              // "aCInt" ..., "rCEOut" ..., "CDX" ...; empty for an alignment
    int ramo = -1;                  // index of its branch; -1 for the circles
    Punto centro{0, 0, 0};          // circles
    double raggio = 0.0;
    std::vector<roads::Vertex> vertici;  // polylines, elevation 0
    roads::Catena datiEstesi;       // from the application name on
};

// Every entity of the roundabout in drawing order: inner circle, outer
// circle, then per branch its plan edges rCEOut, rCIOut, rCIIn, rCEIn, its
// alignment and its road edges CDX, CSX (and CIDX, CISX on a divided road);
// what a switch leaves out is missing. Throws std::invalid_argument, naming
// the field, for input that would not draw the roundabout asked for.
std::vector<Entita> EntitaDi(const Rotatoria& rotatoria);

// Draws them into model space (layers made, applications registered) and
// answers their ids in that order. Input is checked before anything is drawn;
// std::runtime_error when the drawing refuses an entity.
std::vector<AcDbObjectId> Disegna(const Rotatoria& rotatoria, AcDbDatabase* database);

// The chainage of the branch end at which the model reads the alignment's
// profile and lists: 1 beyond the farthest end of the branch's plan edges.
double ProgFineRamo(const Rotatoria& rotatoria, const Ramo& ramo);

}  // namespace rotatorie
