// The triangular islands between the drop island, the outer edges and the main road.
#include "CConstrJunctor.h"

#include "IndicePunti.h"
#include "CostruzioneComune.h"
#include "PolilineeJunctor.h"

namespace {

using costruzione::DaPunto;
using Lista = costruzione::ListaDatiPoli;

constexpr int kLatoOffsetSinistro = 0;
constexpr double kSegmentoMinimo = 0.001;

const wchar_t* const kRigaEntitaCostruzione = L" - Impossibile recuperare l'entità di costruzione.\r\n";
const wchar_t* const kRigaStradaPrincipale = L" - Impossibile recuperare l'entità della strada principale.\r\n";
const wchar_t* const kRigaOffset = costruzione::kRigaOffset;
const wchar_t* const kRigaIntersezioni = costruzione::kRigaIntersezioni;


// A part of a polyline: its vertices and the bulge leaving each one.
struct Tratto {
    AcGePoint3dArray vertici{0, 8};
    AcGeDoubleArray bulge{0, 8};
};

enum class Lettura { kLetta, kNessunaEntita, kIlleggibile };

// The vertex list of a polyline drawn earlier by this builder; one erased
// since counts as not there.
Lettura LeggiPolilinea(AcDbObjectId id, Lista& lista) {
    ads_name nome;
    if (id.isNull() || id.isErased() || acdbGetAdsName(nome, id) != Acad::eOk) return Lettura::kNessunaEntita;
    if (!LeggiDATIPOLI(nome, lista.Uscita(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) ||
        !lista.get())
        return Lettura::kIlleggibile;
    return Lettura::kLetta;
}

// The offset as a vertex list. An offset that comes out with fewer than two
// vertices has no line to cross and counts as failed.
bool Offset(int lato, double distanza, const datipoli* lista, Lista& uscita) {
    if (!OffsetPolilinea(lato, distanza, lista, nullptr, kSegmentoMinimo, uscita.Uscita())) return false;
    return uscita.get() && uscita.get()->next;
}

// The real crossing of two lists nearest to the reference point.
bool Incrocio(const datipoli* a, const datipoli* b, const ads_point riferimento, ads_point punto) {
    return costruzione::IncrocioPiuVicino(a, b, 0, 0, riferimento, punto);
}

bool Estrai(const datipoli* lista, const ads_point a, const ads_point b, Tratto& tratto) {
    if (!EstraiTrattoPolilinea(lista, a, b, tratto.vertici, tratto.bulge, nullptr, nullptr)) return false;
    return tratto.vertici.length() >= 2 && tratto.vertici.length() == tratto.bulge.length();
}


// The offset side (1 right) of the list on which the point lies; -1 on the
// list or without a perpendicular foot.
int LatoDelPunto(const datipoli* lista, const ads_point punto) {
    double distanza = 0, prog = 0;
    ads_point piede;
    if (!DistPPoly(lista, punto, &distanza, piede, &prog, nullptr, nullptr, nullptr, 1) || distanza == 0) return -1;
    return distanza > 0 ? kLatoOffsetDestro : kLatoOffsetSinistro;
}

// The side of the main edge towards the leg: the one the island corner lies
// on, whichever way the edge was drawn; by the leg's side when that cannot
// be told.
int LatoVersoRamo(const datipoli* ciglio, const ads_point angolo, bool sinistra) {
    int lato = LatoDelPunto(ciglio, angolo);
    if (lato < 0) lato = sinistra ? kLatoOffsetSinistro : kLatoOffsetDestro;
    return lato;
}

// Whether the triangle with two corners a, b on the base line and its far
// corner c is an island: c lies beyond the base line on the leg's side, and
// a, c, b turn counter-clockwise, as every island does from the main road
// along its first part, round the far corner and back. Lines that overlap
// before they reach the base close it the wrong way round (or beyond the
// base, in the road), and its outline would cross itself.
bool Triangolo(const datipoli* base, int versoRamo, const ads_point a, const ads_point c, const ads_point b) {
    if (LatoDelPunto(base, c) != versoRamo) return false;
    return (c[0] - a[0]) * (b[1] - a[1]) - (c[1] - a[1]) * (b[0] - a[0]) > 0;
}

// A closed polyline of the vertices; its closing side runs straight from the
// last vertex back to the first.
AcDb2dPolyline* PolilineaChiusa(const AcGePoint3dArray& vertici, const AcGeDoubleArray& bulge) {
    AcDb2dPolyline* polilinea = CreaPolilinea(vertici, bulge);
    if (polilinea) polilinea->makeClosed();
    return polilinea;
}

}  // namespace

bool CConstrJunctor::CostruisciIsoleTriangolari() {
    Lista isola;
    switch (LeggiPolilinea(m_idCiglioIsola, isola)) {
    case Lettura::kNessunaEntita:
        Log(kRigaEntitaCostruzione);
        return false;
    case Lettura::kIlleggibile:
        return false;
    case Lettura::kLetta:
        break;
    }

    bool esito = true;
    for (int lato : {kImmissione, kUscita}) {
        Lista esterno;
        if (LeggiPolilinea(m_idCiglioEsterno[lato], esterno) != Lettura::kLetta) {
            Log(kRigaEntitaCostruzione);
            esito = false;
            continue;
        }
        // The shoulder follows the edge: a side whose edge failed draws none.
        bool fatto = CostruisciCiglioIsolaTriangolare(lato, isola.get(), esterno.get()) &&
                     CostruisciBanchinaIsolaTriangolare(lato, isola.get(), esterno.get());
        esito = esito && fatto;
    }
    return esito;
}

bool CConstrJunctor::CostruisciCiglioIsolaTriangolare(int lato, const datipoli* isola, const datipoli* esterno) {
    if (!isola || !esterno || !m_parametri) return false;
    const bool immissione = lato == kImmissione;
    const double larghezzaEsterna = immissione ? m_parametri->Ledx.GetValore() : m_parametri->Ludx.GetValore();
    const double larghezzaIsola = immissione ? m_parametri->Lesx.GetValore() : m_parametri->Lusx.GetValore();
    const double* angolo = immissione ? m_isola3 : m_isola2;

    const bool sinistra = m_secondaria && m_secondaria->GetLato() == CSecondariaJunctor::kSinistra;
    const CElemJunctor::Slot slot = sinistra ? CElemJunctor::kCiglioSx : CElemJunctor::kCiglioDx;
    const datipoli* ciglio = nullptr;
    if (m_principale && m_principale->GetEntita(slot))
        ciglio = sinistra ? m_principale->GetDatiPoliCiglioSx() : m_principale->GetDatiPoliCiglioDx();
    if (!ciglio) {
        Log(kRigaStradaPrincipale);
        return false;
    }

    // The outer edge moved in by its lane width, the drop island out by its own.
    Lista esternoSpostato, isolaSpostata;
    if (!Offset(kLatoOffsetSinistro, larghezzaEsterna, esterno, esternoSpostato) ||
        !Offset(kLatoOffsetDestro, larghezzaIsola, isola, isolaSpostata)) {
        Log(kRigaOffset);
        return false;
    }

    ads_point p1, p2, p3;
    if (!Incrocio(esternoSpostato.get(), ciglio, angolo, p1) || !Incrocio(isolaSpostata.get(), ciglio, angolo, p2) ||
        !Incrocio(esternoSpostato.get(), isolaSpostata.get(), angolo, p3)) {
        Log(kRigaIntersezioni);
        return false;
    }
    const int versoRamo = LatoVersoRamo(ciglio, angolo, sinistra);
    if (!(immissione ? Triangolo(ciglio, versoRamo, p2, p3, p1) : Triangolo(ciglio, versoRamo, p1, p3, p2))) {
        Log(kRigaIntersezioni);
        return false;
    }

    Tratto primo, secondo;
    const bool estratti = immissione ? Estrai(isolaSpostata.get(), p2, p3, primo) &&
                                           Estrai(esternoSpostato.get(), p3, p1, secondo)
                                     : Estrai(esternoSpostato.get(), p1, p3, primo) &&
                                           Estrai(isolaSpostata.get(), p3, p2, secondo);
    if (!estratti) return false;

    // The joint vertex once: the first part's end is the second part's start.
    AcGePoint3dArray vertici = primo.vertici;
    AcGeDoubleArray bulge = primo.bulge;
    vertici.removeLast();
    bulge.removeLast();
    vertici.append(secondo.vertici);
    bulge.append(secondo.bulge);
    // The closing side runs along the main edge: on a curved road it follows
    // the edge's arc, where a straight chord would cut across the island's
    // thin end and cross its outer side.
    Tratto chiusura;
    if (!(immissione ? Estrai(ciglio, p1, p2, chiusura) : Estrai(ciglio, p2, p1, chiusura))) return false;
    bulge.last() = chiusura.bulge.first();
    for (int k = 1; k + 1 < chiusura.vertici.length(); ++k) {
        vertici.append(chiusura.vertici[k]);
        bulge.append(chiusura.bulge[k]);
    }

    // Where the outer edge's line meets the main edge tangentially (a lane
    // as wide as the island's outer lane), the island ends in a pointed tail
    // at P1, the way the drop island ends on the leg axis.
    const int puntaP1 = immissione ? primo.vertici.length() + secondo.vertici.length() - 2 : 0;
    AcDbObjectId id =
        Disegna(PolilineaChiusa(vertici, bulge), L"QV-CIGLI", immissione ? L"rCIIN" : L"rCIOUT", {puntaP1});
    // An edge the drawing did not take was not built.
    return !id.isNull();
}

bool CConstrJunctor::CostruisciBanchinaIsolaTriangolare(int lato, const datipoli* isola, const datipoli* esterno) {
    if (!isola || !esterno || !m_parametri) return false;
    const CConstrPars& p = *m_parametri;
    const bool immissione = lato == kImmissione;
    const double rit = p.Rit.GetValore();
    const double a = immissione ? rit + p.Lbitr.GetValore() + p.Ledx.GetValore()
                                : rit + p.Lbutr.GetValore() + p.Ludx.GetValore();
    const double b = immissione ? p.Lbitr.GetValore() + p.Lesx.GetValore() : p.Lbutr.GetValore() + p.Lusx.GetValore();
    const double* angolo = immissione ? m_isola3 : m_isola2;

    const bool sinistra = m_secondaria && m_secondaria->GetLato() == CSecondariaJunctor::kSinistra;
    const datipoli* ciglio = nullptr;
    const datipoli* banchina = nullptr;
    double g = 0;
    if (m_principale) {
        ciglio = sinistra ? m_principale->GetDatiPoliCiglioSx() : m_principale->GetDatiPoliCiglioDx();
        banchina = sinistra ? m_principale->GetDatiPoliBanchinaSx() : m_principale->GetDatiPoliBanchinaDx();
        g = sinistra ? m_principale->GetDistanzaBanchinaSx() : m_principale->GetDistanzaBanchinaDx();
    }
    if (!ciglio || !banchina) {
        Log(kRigaStradaPrincipale);
        return false;
    }

    // Lines of the corner centres, Rit inside each side of the shoulder.
    const int versoRamo = LatoVersoRamo(ciglio, angolo, sinistra);
    Lista centriPrincipale, centriEsterno, centriIsola;
    if (!Offset(versoRamo, rit + g, ciglio, centriPrincipale) ||
        !Offset(kLatoOffsetSinistro, a, esterno, centriEsterno) ||
        !Offset(kLatoOffsetDestro, rit + b, isola, centriIsola)) {
        Log(kRigaOffset);
        return false;
    }
    ads_point k1, k2, k3;
    if (!Incrocio(centriEsterno.get(), centriPrincipale.get(), angolo, k1) ||
        !Incrocio(centriIsola.get(), centriPrincipale.get(), angolo, k2) ||
        !Incrocio(centriEsterno.get(), centriIsola.get(), angolo, k3)) {
        Log(kRigaIntersezioni);
        return false;
    }
    // Corner centres the wrong way round: the shoulder does not fit in the island.
    const datipoli* centri = centriPrincipale.get();
    if (!(immissione ? Triangolo(centri, versoRamo, k2, k3, k1) : Triangolo(centri, versoRamo, k1, k3, k2))) {
        Log(kRigaIntersezioni);
        return false;
    }

    // The shoulder's sides along the outer edge and the drop island; the
    // main shoulder is the third.
    Lista latoEsterno, latoIsola;
    if (!Offset(kLatoOffsetSinistro, a - rit, esterno, latoEsterno) ||
        !Offset(kLatoOffsetDestro, b, isola, latoIsola)) {
        Log(kRigaOffset);
        return false;
    }

    ads_point f1, f2;
    double distanza = 0, prog = 0;
    if (!DistPPoly(banchina, k1, &distanza, f1, &prog, nullptr, nullptr, nullptr, 1) ||
        !DistPPoly(banchina, k2, &distanza, f2, &prog, nullptr, nullptr, nullptr, 1))
        return false;
    f1[2] = f2[2] = 0;

    // Round the triangle from the main shoulder: the foot, the corner, the
    // first part, the corner, the second part, the corner, the other foot.
    Tratto primo, secondo;
    const double* inizio = immissione ? f2 : f1;
    const double* fine = immissione ? f1 : f2;
    const double* centroInizio = immissione ? k2 : k1;
    const double* centroFine = immissione ? k1 : k2;
    const bool estratti = immissione ? Estrai(latoIsola.get(), k2, k3, primo) &&
                                           Estrai(latoEsterno.get(), k3, k1, secondo)
                                     : Estrai(latoEsterno.get(), k1, k3, primo) &&
                                           Estrai(latoIsola.get(), k3, k2, secondo);
    if (!estratti) return false;

    ads_point prima, dopo;  // the ends of a corner arc
    AcGePoint3dArray vertici(0, 8);
    AcGeDoubleArray bulge(0, 8);
    DaPunto(dopo, primo.vertici.first());
    vertici.append(AcGePoint3d(inizio[0], inizio[1], inizio[2]));
    bulge.append(CalcolaBulge(true, centroInizio, inizio, dopo));

    DaPunto(prima, primo.vertici.last());
    DaPunto(dopo, secondo.vertici.first());
    primo.bulge.last() = CalcolaBulge(true, k3, prima, dopo);
    vertici.append(primo.vertici);
    bulge.append(primo.bulge);

    DaPunto(prima, secondo.vertici.last());
    secondo.bulge.last() = CalcolaBulge(true, centroFine, prima, fine);
    vertici.append(secondo.vertici);
    bulge.append(secondo.bulge);

    vertici.append(AcGePoint3d(fine[0], fine[1], fine[2]));
    bulge.append(0.0);

    AcDbObjectId id = Disegna(PolilineaChiusa(vertici, bulge), L"QV-BANCHINE", immissione ? L"rBIIN" : L"rBIOUT");
    return !id.isNull();
}
