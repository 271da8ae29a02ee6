#include "RoundaboutGenerator.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <stdexcept>

#include "SpazioModello.h"

namespace rotatorie {

namespace {

const Bordo kBordi[] = {Bordo::rCEOut, Bordo::rCIOut, Bordo::rCIIn, Bordo::rCEIn};

// Items of the roundabout's extended data: a circle has three, a plan edge six.
constexpr int kVociCerchio = 3;
constexpr int kVociBordo = 6;

std::string Numero(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

[[noreturn]] void Rifiuta(const std::string& campo, const std::string& motivo) {
    throw std::invalid_argument(campo + ": " + motivo);
}

void Finito(double v, const std::string& campo) {
    if (!std::isfinite(v)) Rifiuta(campo, Numero(v) + " is not finite");
}

bool Esterno(Bordo b) { return b == Bordo::rCEOut || b == Bordo::rCEIn; }

// The signed offset of a plan edge from the branch axis at the ring and at its far end.
double OffsetAnello(const Ramo& r, Bordo b) {
    switch (b) {
        case Bordo::rCEOut: return -r.semiEsterno;
        case Bordo::rCIOut: return -r.semiIsolaAnello;
        case Bordo::rCIIn: return r.semiIsolaAnello;
        case Bordo::rCEIn: return r.semiEsterno;
    }
    return 0;
}
double OffsetFine(const Ramo& r, Bordo b) {
    switch (b) {
        case Bordo::rCIOut: return -r.semiIsolaPunta;
        case Bordo::rCIIn: return r.semiIsolaPunta;
        default: return OffsetAnello(r, b);
    }
}
double UFine(const Rotatoria& rot, const Ramo& r, Bordo b) {
    return rot.raggioEsterno + (Esterno(b) ? r.lunghezzaRamo : r.lunghezzaIsola);
}
// Where the edge starts along the branch: on the circle of the outer ring,
// or of the ring moved by the switch's distance.
double UInizio(const Rotatoria& rot, const Ramo& r, Bordo b) {
    double raggio = rot.raggioEsterno + (r.bordoStaccato == b ? r.distacco : 0.0);
    double v = OffsetAnello(r, b);
    return std::sqrt(raggio * raggio - v * v);
}

// The road edge kinds of a branch with their offsets from the axis (v):
// right and left are those of the alignment's travel.
std::vector<std::pair<std::wstring, double>> CigliStrada(const Ramo& r) {
    double destra = r.versoUscente ? -1.0 : 1.0;
    std::vector<std::pair<std::wstring, double>> out;
    if (r.senzaCigliStrada) return out;
    out = {{L"CDX", destra * r.semiEsterno}, {L"CSX", -destra * r.semiEsterno}};
    if (r.divisa > 0) {
        out.push_back({L"CIDX", destra * r.divisa});
        out.push_back({L"CISX", -destra * r.divisa});
    }
    return out;
}

// The branch end's distance from the centre: 1 beyond its plan edges' ends
// (leaving one edge out leaves its twin on the other side).
double UFineRamo(const Rotatoria& rot, const Ramo& r) {
    return rot.raggioEsterno + std::max(r.lunghezzaRamo, r.lunghezzaIsola) + 1.0;
}

void ControllaVoci(const std::string& campo, const Voci& v, int numero) {
    if (v.quante < -1 || v.quante >= numero)
        Rifiuta(campo + ".quante", Numero(v.quante) + " is not a cut of the " + Numero(numero) + " items");
}

std::vector<std::pair<double, double>> ProfiloDisegnato(const Rotatoria& rot, const Ramo& r, const std::string& campo) {
    std::vector<std::pair<double, double>> p = r.profilo;
    std::sort(p.begin(), p.end());
    if (!r.profiloFinoAFineRamo) return p;
    double fine = ProgFineRamo(rot, r);
    if (p.empty() || p.front().first > fine || p.back().first < fine)
        Rifiuta(campo + ".profiloFinoAFineRamo", "the profile does not reach the branch end at chainage " + Numero(fine));
    // The elevation at the branch end, straight between its neighbours.
    auto dopo = std::lower_bound(p.begin(), p.end(), std::make_pair(fine, -HUGE_VAL));
    double quota = dopo->second;
    if (dopo->first > fine) {
        auto prima = dopo - 1;
        quota = prima->second + (dopo->second - prima->second) * (fine - prima->first) / (dopo->first - prima->first);
    }
    // The profile ends there: the vertices farther from the ring go (above
    // that chainage on an alignment running outwards, below it on one running inwards).
    std::vector<std::pair<double, double>> out;
    for (const auto& v : p)
        if (r.versoUscente ? v.first < fine : v.first > fine) out.push_back(v);
    out.insert(r.versoUscente ? out.end() : out.begin(), {fine, quota});
    return out;
}

void ControllaRamo(const Rotatoria& rot, const Ramo& r, const std::string& campo) {
    const double re = rot.raggioEsterno;
    auto positivo = [&](double v, const char* nome) {
        if (!(v > 0 && std::isfinite(v))) Rifiuta(campo + "." + nome, Numero(v) + " is not a positive number");
    };
    if (r.nomeInterno.empty()) Rifiuta(campo + ".nomeInterno", "empty");
    Finito(r.angolo, campo + ".angolo");
    Finito(r.progIniziale, campo + ".progIniziale");
    Finito(r.distacco, campo + ".distacco");
    positivo(r.semiEsterno, "semiEsterno (W)");
    positivo(r.semiIsolaAnello, "semiIsolaAnello (wi)");
    positivo(r.lunghezzaIsola, "lunghezzaIsola (li)");
    positivo(r.lunghezzaRamo, "lunghezzaRamo (lb)");
    positivo(r.lunghezzaTracciato, "lunghezzaTracciato");
    if (!(r.semiEsterno < re))
        Rifiuta(campo + ".semiEsterno (W)", Numero(r.semiEsterno) + " does not meet the outer ring of radius " + Numero(re));
    if (!(r.semiIsolaAnello < re))
        Rifiuta(campo + ".semiIsolaAnello (wi)",
                Numero(r.semiIsolaAnello) + " does not meet the outer ring of radius " + Numero(re));
    if (!(r.semiIsolaAnello < r.semiEsterno))
        Rifiuta(campo + ".semiIsolaAnello (wi)", Numero(r.semiIsolaAnello) +
                                                     " reaches the outer edges at semiEsterno (W) " + Numero(r.semiEsterno));
    if (!(r.semiIsolaPunta >= 0 && r.semiIsolaPunta <= r.semiIsolaAnello))
        Rifiuta(campo + ".semiIsolaPunta (wt)",
                Numero(r.semiIsolaPunta) + " is not between 0 and semiIsolaAnello (wi) " + Numero(r.semiIsolaAnello));
    double minimo = UFineRamo(rot, r) + 1.0;
    if (!(r.lunghezzaTracciato >= minimo))
        Rifiuta(campo + ".lunghezzaTracciato", Numero(r.lunghezzaTracciato) + " is shorter than " + Numero(minimo) +
                                                   ": the profile is read 1.1 beyond the plan edges' ends");
    if (!(r.divisa >= 0 && r.divisa < r.semiEsterno))
        Rifiuta(campo + ".divisa", Numero(r.divisa) + " is not between 0 and semiEsterno (W) " + Numero(r.semiEsterno));
    if (r.bordoStaccato) {
        Bordo b = *r.bordoStaccato;
        if (r.senzaBordo == b) Rifiuta(campo + ".bordoStaccato", "the edge is left out (senzaBordo)");
        double raggio = re + r.distacco;
        if (!(raggio > std::fabs(OffsetAnello(r, b)) && UInizio(rot, r, b) < UFine(rot, r, b)))
            Rifiuta(campo + ".distacco", Numero(r.distacco) + " leaves no edge to draw");
    }
    for (const auto& [b, v] : r.voci) ControllaVoci(campo + ".voci", v, kVociBordo);
    if (!r.ciglio3D.empty()) {
        bool disegnato = false;
        for (const auto& [kind, v] : CigliStrada(r)) disegnato = disegnato || kind == r.ciglio3D;
        if (!disegnato) Rifiuta(campo + ".ciglio3D", "the branch has no such road edge");
    }
    ProfiloDisegnato(rot, r, campo);
}

void Controlla(const Rotatoria& rot) {
    Finito(rot.centro.x, "centro.x");
    Finito(rot.centro.y, "centro.y");
    Finito(rot.centro.z, "centro.z");
    if (!(rot.raggioInterno > 0)) Rifiuta("raggioInterno", Numero(rot.raggioInterno) + " is not a positive number");
    if (!std::isfinite(rot.raggioEsterno)) Rifiuta("raggioEsterno", Numero(rot.raggioEsterno) + " is not finite");
    if (!(rot.raggioInterno < rot.raggioEsterno))
        Rifiuta("raggioInterno", Numero(rot.raggioInterno) + " is not less than raggioEsterno " + Numero(rot.raggioEsterno));
    ControllaVoci("vociInterno", rot.vociInterno, kVociCerchio);
    ControllaVoci("vociEsterno", rot.vociEsterno, kVociCerchio);
    std::set<std::wstring> nomiInterni;
    for (std::size_t i = 0; i < rot.rami.size(); ++i) {
        std::string campo = "rami[" + std::to_string(i) + "]";
        ControllaRamo(rot, rot.rami[i], campo);
        if (!nomiInterni.insert(rot.rami[i].nomeInterno).second)
            Rifiuta(campo + ".nomeInterno", "another branch's alignment has the same internal name");
    }
}

// A branch's frame: u along the branch from the centre, v to its left.
struct Telaio {
    double cx, cy, c, s;
    Telaio(const Punto& centro, double angolo)
        : cx(centro.x), cy(centro.y), c(std::cos(angolo)), s(std::sin(angolo)) {}
    roads::Vertex At(double u, double v) const { return {cx + u * c - v * s, cy + u * s + v * c, 0}; }
};

// The roundabout's items of one entity, altered as the test asked, wrapped
// in braces on request.
roads::Catena Catena(std::vector<resbuf*> voci, std::size_t posizioneCodice, const Voci& alterate, bool graffe) {
    if (!alterate.codice.empty()) {
        acutRelRb(voci[posizioneCodice]);
        voci[posizioneCodice] = acutBuildList(1000, alterate.codice.c_str(), RTNONE);
    }
    if (alterate.quante >= 0) {
        for (std::size_t i = static_cast<std::size_t>(alterate.quante); i < voci.size(); ++i) acutRelRb(voci[i]);
        voci.resize(static_cast<std::size_t>(alterate.quante));
    }
    if (graffe) {
        voci.insert(voci.begin(), acutBuildList(1002, L"{", RTNONE));
        voci.push_back(acutBuildList(1002, L"}", RTNONE));
    }
    roads::Catena catena(acutBuildList(1001, kAppRotatoria, RTNONE));
    resbuf* coda = catena.get();
    for (resbuf* rb : voci) coda = coda->rbnext = rb;
    return catena;
}

resbuf* Testo(const std::wstring& t) { return acutBuildList(1000, t.c_str(), RTNONE); }

Entita Cerchio(const Rotatoria& rot, bool interno) {
    Entita e;
    e.tipo = Entita::Cerchio;
    e.layer = kLayerRotatoria;
    e.kind = interno ? L"aCInt" : L"aCExt";
    e.centro = rot.centro;
    e.raggio = interno ? rot.raggioInterno : rot.raggioEsterno;
    // The roundabout's name goes on both circles.
    e.datiEstesi = Catena({Testo(rot.nomePianta), Testo(rot.nome), Testo(e.kind)}, 2,
                          interno ? rot.vociInterno : rot.vociEsterno, rot.graffe);
    return e;
}

Entita BordoPiano(const Rotatoria& rot, const Ramo& r, int indice, Bordo b) {
    Telaio t(rot.centro, r.angolo);
    Entita e;
    e.layer = kLayerRotatoria;
    e.kind = Codice(b);
    e.ramo = indice;
    e.vertici = {t.At(UInizio(rot, r, b), OffsetAnello(r, b)), t.At(UFine(rot, r, b), OffsetFine(r, b))};
    auto alterate = r.voci.find(b);
    // Position 5 is never read; the flag is 0 when the alignment runs away from the ring.
    e.datiEstesi = Catena({Testo(rot.nomePianta), Testo(r.nomeInterno), Testo(r.nome), Testo(e.kind), Testo(L""),
                           acutBuildList(1070, r.versoUscente ? 0 : 1, RTNONE)},
                          3, alterate == r.voci.end() ? Voci{} : alterate->second, rot.graffe);
    return e;
}

Entita Tracciato(const Rotatoria& rot, const Ramo& r, int indice, const std::string& campo) {
    Telaio t(rot.centro, r.angolo);
    roads::Strada s;
    s.nome = r.nome;
    s.nomeInterno = r.nomeInterno;
    s.progIniziale = r.progIniziale;
    s.asse = {t.At(0, 0), t.At(r.lunghezzaTracciato, 0)};
    if (!r.versoUscente) std::swap(s.asse[0], s.asse[1]);
    if (!r.profilo.empty()) s.profili.push_back({r.nomeProfilo, ProfiloDisegnato(rot, r, campo)});
    for (const RecordSezione& x : r.lista1500) s.records.push_back({1500, x.prog, {{22004, x.a}, {22005, x.b}}});
    for (const RecordSezione& x : r.lista1505) s.records.push_back({1505, x.prog, {{22022, x.a}, {22023, x.b}}});
    Entita e;
    e.layer = roads::kLayerAssi;
    e.ramo = indice;
    e.vertici = s.asse;
    e.datiEstesi = roads::DatiTracciato(s);
    return e;
}

// A road edge from where it meets the outer ring to the alignment's far end,
// in the alignment's direction.
Entita CiglioStrada(const Rotatoria& rot, const Ramo& r, int indice, const std::wstring& kind, double v) {
    Telaio t(rot.centro, r.angolo);
    Entita e;
    e.layer = roads::kLayerCigli;
    e.kind = kind;
    e.ramo = indice;
    e.tridimensionale = kind == r.ciglio3D;
    double re = rot.raggioEsterno;
    e.vertici = {t.At(std::sqrt(re * re - v * v), v), t.At(r.lunghezzaTracciato, v)};
    if (!r.versoUscente) std::swap(e.vertici[0], e.vertici[1]);
    e.datiEstesi = roads::DatiPolilinea(kind, r.nome);
    return e;
}

}  // namespace

const wchar_t* Codice(Bordo bordo) {
    switch (bordo) {
        case Bordo::rCEOut: return L"rCEOut";
        case Bordo::rCIOut: return L"rCIOut";
        case Bordo::rCIIn: return L"rCIIn";
        case Bordo::rCEIn: return L"rCEIn";
    }
    return L"";
}

std::vector<Entita> EntitaDi(const Rotatoria& rot) {
    Controlla(rot);
    std::vector<Entita> out;
    if (!rot.senzaAnelloInterno) out.push_back(Cerchio(rot, true));
    if (!rot.senzaAnelloEsterno) out.push_back(Cerchio(rot, false));
    for (std::size_t i = 0; i < rot.rami.size(); ++i) {
        const Ramo& r = rot.rami[i];
        int indice = static_cast<int>(i);
        for (Bordo b : kBordi)
            if (r.senzaBordo != b) out.push_back(BordoPiano(rot, r, indice, b));
        out.push_back(Tracciato(rot, r, indice, "rami[" + std::to_string(i) + "]"));
        for (const auto& [kind, v] : CigliStrada(r)) out.push_back(CiglioStrada(rot, r, indice, kind, v));
    }
    return out;
}

std::vector<AcDbObjectId> Disegna(const Rotatoria& rotatoria, AcDbDatabase* database) {
    std::vector<Entita> entita = EntitaDi(rotatoria);
    roads::SpazioModello modello(database, {kLayerRotatoria, roads::kLayerAssi, roads::kLayerCigli});
    std::vector<AcDbObjectId> ids;
    for (const Entita& e : entita) {
        AcDbEntity* nuova = nullptr;
        AcGePoint3dArray punti;
        AcGeDoubleArray bulge;
        for (const roads::Vertex& v : e.vertici) {
            punti.append(AcGePoint3d(v.x, v.y, 0));
            bulge.append(v.bulge);
        }
        if (e.tipo == Entita::Cerchio)
            nuova = new AcDbCircle(AcGePoint3d(e.centro.x, e.centro.y, e.centro.z), AcGeVector3d::kZAxis, e.raggio);
        else if (e.tridimensionale)
            nuova = new AcDb3dPolyline(AcDb::k3dSimplePoly, punti);
        else
            nuova = new AcDb2dPolyline(AcDb::k2dSimplePoly, punti, 0, false, 0, 0, &bulge);
        ids.push_back(modello.Aggiungi(nuova, e.layer, e.datiEstesi.get()));
    }
    return ids;
}

double ProgFineRamo(const Rotatoria& rot, const Ramo& r) {
    double u = UFineRamo(rot, r);
    return r.progIniziale + (r.versoUscente ? u : r.lunghezzaTracciato - u);
}

}  // namespace rotatorie
