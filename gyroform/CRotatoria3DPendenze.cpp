// Profile vertices and cross-slope records of an exported alignment, read
// from the edges' point rows of the last drawing.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "ICLISTADATI.h"
#include "QvEngineeringConstructor.h"

namespace {

constexpr double kTolRiga = 0.0001;
constexpr double kTol = 1e-6;
// Cross-slope data of the alignment: left and right slope in percent.
constexpr int kPendenzaSinistra = 22004;
constexpr int kPendenzaDestra = 22005;

bool IsAnello(CCiglio3D* c) {
    return c->getCodiceEnum() == CIGLIO_ANELLO_INTERNO || c->getCodiceEnum() == CIGLIO_ANELLO_ESTERNO;
}

bool IsRotazione(int metodo) { return metodo % 1000 == 7; }

// The elevation row of the edge's method: plane, rotation or profile.
CADDatoArray* RigaMetodo(CCiglio3D* c) {
    int metodo = c->getTipoCalcolo();
    if (metodo == GRUPPO_PIANO) return c->getPuntiAltCiglio(TIPO_PUNTOPIANO);
    if (IsRotazione(metodo)) return c->getPuntiAltCiglio(TIPO_PUNTOROTAZIONE);
    return c->getPuntiAltCiglio(TIPO_PUNTOVERTICE);
}

// A row's entry of that station index (its group code); false when none.
bool PuntoRiga(const CADDatoArray* riga, int indice, double p[3]) {
    if (!riga) return false;
    for (int i = 0; i < riga->GetCount(); ++i)
        if ((*riga)[i].GetCodice() == indice) {
            (*riga)[i].GetPunto(p);
            return true;
        }
    return false;
}

// A station index wrapped into a closed row of n stations (1 .. n).
int Avvolgi(int indice, int n) { return ((indice - 1) % n + n) % n + 1; }

// The cross slope in percent from a to b; none when they stand at one place
// in plan.
std::optional<double> Pendenza(const double a[3], const double b[3]) {
    double d = std::hypot(b[0] - a[0], b[1] - a[1]);
    if (!(d > 1e-9)) return std::nullopt;
    return (b[2] - a[2]) / d * 100.0;
}

// The section point's link across the carriageway the records pair with.
CPuntoSezione* Collegamento(CCiglio3D* e, const CPuntoSezione* p) {
    if (!p) return nullptr;
    switch (e->getCodiceEnum()) {
        case CIGLIO_ANELLO_INTERNO: return p->getSuccessivo();
        case CIGLIO_ANELLO_ESTERNO: return p->getPrecedente();
        default: return p->getPrecedente() ? p->getPrecedente() : p->getSuccessivo();
    }
}

class Registro {
public:
    Registro(IQvObject_Group* gruppo, bool anelloInterno) : m_gruppo(gruppo), m_anelloInterno(anelloInterno) {}
    void Aggiungi(double prog, double s) {
        IQvObject* r = QvEngineeringConstructor::Alloca(QV_TIPO_ELEMENTO_PENDENZE, nullptr);
        if (!r) return;
        r->SetDato(CDato(QV_DATO_PROGRESSIVA_ELEMENTO, prog), 1);
        r->SetDato(CDato(m_anelloInterno ? kPendenzaDestra : kPendenzaSinistra, s), 1);
        r->SetDato(CDato(m_anelloInterno ? kPendenzaSinistra : kPendenzaDestra, -s), 1);
        if (!m_gruppo->AddRecord(r)) QvEngineeringConstructor::Libera(&r, 1);
    }

private:
    IQvObject_Group* m_gruppo;
    bool m_anelloInterno;
};

}  // namespace

int CRotatoria3D::aggiungiVerticiProfilo(CCiglio3D* e, const double* da, const double* a, IQvObject_Group* vertici,
                                         double* progressiva) {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    if (!e || !vertici || !progressiva || !costruttore) return 1;
    const double prog0 = *progressiva;
    const double lunghezza = e->getLunghezza();
    const bool destro = e->getCodiceEnum() == CIGLIO_ESTERNO_DESTRO;
    double massimo = prog0;
    auto nuovo = [&](double prog, double quota, double raggio, int raccordo) {
        auto* v = static_cast<CPuntoVertice*>(costruttore->Alloca(TIPO_PUNTOVERTICE));
        if (!v) return;
        v->SetDato(CDato(DATO_PUNTO_POSIZIONE, prog), 1);
        v->setQuota(quota);
        v->setRaggio(raggio);
        v->setTipoRaccordo(raccordo);
        IQvObject* o = v;
        if (!vertici->Append(o)) costruttore->Libera(&o);
        massimo = std::max(massimo, prog);
    };

    if (!IsAnello(e) && !IsRotazione(e->getTipoCalcolo())) {
        for (CPuntoVertice* v : PuntiInOrdine<CPuntoVertice>(e->getPunti(GRUPPO_VERTICE))) {
            double c = v->getProgressiva();
            nuovo(destro ? lunghezza + prog0 - c : c + prog0, v->getQuota(), v->getRaggio(), v->getTipoRaccordo());
        }
        *progressiva = massimo;
        return 1;
    }

    const CADDatoArray* riga = RigaMetodo(e);
    const bool esterno = e->getCodiceEnum() == CIGLIO_ANELLO_ESTERNO;
    if (!riga || (esterno && (!da || !a))) return 1;
    for (int i = 0; i < riga->GetCount(); ++i) {
        double p[3];
        (*riga)[i].GetPunto(p);
        const double c = p[0];
        if (esterno && *a <= *da) {
            // Across the ring's start: the chainages go on past its length.
            // The ring's closing station is its first station again: it is
            // taken once, from the start.
            if (c > *a - kTolRiga && c < *da + kTolRiga) continue;
            if (c >= lunghezza - kTolRiga) continue;
            nuovo(c <= *a - kTolRiga ? lunghezza + c - *da + prog0 : c - *da + prog0, p[1], 0.0, 0);
            continue;
        }
        if (da && c <= *da + kTolRiga) continue;
        if (a && c >= *a - kTolRiga) {
            massimo = std::max(massimo, c - (da ? *da : 0.0) + prog0);
            break;
        }
        if (esterno)
            nuovo(c - *da + prog0, p[1], 0.0, 0);
        else
            nuovo(destro ? lunghezza + prog0 - c : c + prog0, p[1], 0.0, 0);
    }
    // A ring stretch ends at its end chainage even where no station lies
    // on it, so that the next edge's vertices follow at their place.
    if (esterno) massimo = std::max(massimo, prog0 + (*a > *da ? *a - *da : lunghezza + *a - *da));
    *progressiva = massimo;
    return 1;
}

int CRotatoria3D::aggiungiPendenzeTrasversali(CCiglio3D* e, const double* pda, const double* pa,
                                              IQvObject_Group* pendenze, double* progressiva) {
    if (!e || !pendenze || !progressiva) return 1;
    const double lunghezza = e->getLunghezza();
    const double da = pda ? *pda : 0.0;
    const double a = pa ? *pa : lunghezza;
    const double prog = *progressiva;
    const int codice = e->getCodiceEnum();
    const bool anello = IsAnello(e);
    const bool destro = codice == CIGLIO_ESTERNO_DESTRO;
    CCiglio3D* esterno = getAnelloEsterno();
    CCiglio3D* r = nullptr;
    switch (codice) {
        case CIGLIO_ANELLO_INTERNO: r = esterno; break;
        case CIGLIO_ANELLO_ESTERNO: r = trovaCiglio(CIGLIO_ANELLO_INTERNO, nullptr); break;
        case CIGLIO_ESTERNO_DESTRO: r = trovaCiglio(CIGLIO_INTERNO_DESTRO, e->getAsseRamo()); break;
        case CIGLIO_ESTERNO_SINISTRO: r = trovaCiglio(CIGLIO_INTERNO_SINISTRO, e->getAsseRamo()); break;
        default: break;
    }
    Registro registro(pendenze, codice == CIGLIO_ANELLO_INTERNO);
    // The stretch asked for: from da to a, across the ring's start when
    // a <= da, where the ring's closing station is its first again. A
    // point outside it would land past the alignment's end. margine widens
    // the stretch (narrows it when negative).
    const bool attraverso = pda && pa && a <= da;
    auto nelTratto = [&](double c, double margine) {
        if (attraverso) return (c >= da - margine && c < lunghezza - kTol) || c <= a + margine;
        return c >= da - margine && c <= a + margine;
    };
    const CADDatoArray* riga3D = e->getPunti3DCiglio();
    const CADDatoArray* rigaR = r ? r->getPunti3DCiglio() : nullptr;
    const CADDatoArray* rigaEsterno = esterno ? esterno->getPunti3DCiglio() : nullptr;

    // Rotation points: the edge's own, or those of the paired edge that
    // turns about this one.
    std::vector<CPuntoRotazione*> rotazione;
    double fattore = 0.0;
    if (IsRotazione(e->getTipoCalcolo())) {
        rotazione = PuntiInOrdine<CPuntoRotazione>(e->getPunti(GRUPPO_ROTAZIONE));
        fattore = -100.0;
    } else if (r && IsRotazione(r->getTipoCalcolo()) && r->getCiglioRif() == e) {
        rotazione = PuntiInOrdine<CPuntoRotazione>(r->getPunti(GRUPPO_ROTAZIONE));
        fattore = 100.0;
    }
    if (destro) std::reverse(rotazione.begin(), rotazione.end());
    std::optional<double> lo, hi;
    for (CPuntoRotazione* p : rotazione) {
        double c = 0.0;
        if (p->getProprietario() == e) {
            c = p->getProgressiva();
        } else {
            ads_point punto = {p->x(), p->y(), 0.0};
            if (!DistPPoly(e->getPolilinea(), punto, nullptr, nullptr, &c, nullptr, nullptr, nullptr, 1)) {
                if (anello) continue;
                c = lunghezza;
            }
        }
        lo = lo ? std::min(*lo, c) : c;
        hi = hi ? std::max(*hi, c) : c;
        if (!anello || nelTratto(c, -kTol)) {
            double d = destro ? a - c : c - da;
            if (std::fabs(d) < kTol) d = 0.0;
            if (d < 0.0 && anello) d += lunghezza;
            registro.Aggiungi(d + prog, fattore * p->getPendenza());
        }
    }
    if (!rotazione.empty() && codice == CIGLIO_ANELLO_INTERNO) {
        // The ring is closed: the same slope at its start and its end.
        double p0[3], q0[3];
        if (riga3D && rigaR && riga3D->GetCount() && rigaR->GetCount()) {
            (*riga3D)[0].GetPunto(p0);
            (*rigaR)[0].GetPunto(q0);
            if (auto s = Pendenza(p0, q0)) {
                registro.Aggiungi(prog, *s);
                registro.Aggiungi(lunghezza + prog, *s);
            }
        }
    }

    if (!(lo && (*lo <= kTol || anello))) {
        // Section stretches: the surface stations between two section points.
        std::vector<CPuntoSezione*> sezioni = SezioniInOrdine(e->getPunti(GRUPPO_CIGLIO));
        sezioni.push_back(nullptr);  // the stretch up to the edge's end
        auto coperto = [&](double c) { return lo && c >= *lo - kTol && c <= *hi + kTol; };
        const int ultimoIndice = riga3D && riga3D->GetCount() ? (*riga3D)[riga3D->GetCount() - 1].GetCodice() : 0;
        CPuntoSezione* q = nullptr;
        for (size_t k = 0; k < sezioni.size(); q = sezioni[k], ++k) {
            CPuntoSezione* p = sezioni[k];
            CPuntoSezione* linkQ = Collegamento(e, q);
            CPuntoSezione* link = p ? Collegamento(e, p) : nullptr;
            if (!link) link = linkQ;
            const double progQ = q ? q->getProgressiva() : 0.0;
            const double progP = p ? p->getProgressiva() : lunghezza;
            if (lo && progQ >= *lo - kTol && progP <= *hi + kTol) continue;
            // A section stretch that lies wholly outside the stretch asked for
            // gives nothing.
            if (attraverso ? progQ >= a - kTol && progP - kTol <= da
                           : (pda && progP - kTol <= da) || (pa && progQ >= a - kTol))
                continue;

            if (k == 0 && p && link && esterno && link->getProprietario() == esterno &&
                (codice == CIGLIO_ANELLO_INTERNO || codice == CIGLIO_ESTERNO_DESTRO ||
                 codice == CIGLIO_ESTERNO_SINISTRO) &&
                rigaEsterno && rigaEsterno->GetCount()) {
                // The start record, against the outer ring's row.
                int indice = destro ? p->getIndice() + link->getIndice() : link->getIndice() - p->getIndice();
                double p0[3], o[3];
                if (riga3D && riga3D->GetCount() &&
                    PuntoRiga(rigaEsterno, Avvolgi(indice, rigaEsterno->GetCount()), o)) {
                    (*riga3D)[0].GetPunto(p0);
                    if (auto s = Pendenza(p0, o)) registro.Aggiungi(destro ? lunghezza - prog : prog, *s);
                }
            }

            const int primo = (q ? q->getIndice() : 0) + 1;
            const int fine = p ? p->getIndice() : ultimoIndice;
            if (fine < primo) continue;
            // The opposite row and the station it starts from.
            const CADDatoArray* opposta = rigaR;
            int passo = 1, indiceOpposto = 0;
            bool chiusa = false;
            if (!link || link->getProprietario() == r) {
                indiceOpposto = linkQ && linkQ->getProprietario() == r ? linkQ->getIndice() : 0;
            } else {
                // At a branch mouth the section runs to the outer ring.
                opposta = rigaEsterno;
                chiusa = true;
                passo = destro ? -1 : 1;
                indiceOpposto = linkQ ? linkQ->getIndice() : link->getIndice() - passo * (fine - primo + 1);
            }
            if (!opposta || !opposta->GetCount()) continue;
            for (int i = primo; i <= fine; ++i) {
                indiceOpposto += passo;
                double c[3], punto[3], o[3];
                if (!PuntoRiga(e->getPuntiAltCiglio(TIPO_PUNTOVERTICE), i, c)) continue;
                if (coperto(c[0])) break;
                if (!nelTratto(c[0], kTol)) continue;
                if (!PuntoRiga(riga3D, i, punto)) continue;
                int io = chiusa ? Avvolgi(indiceOpposto, opposta->GetCount()) : indiceOpposto;
                if (!PuntoRiga(opposta, io, o)) continue;
                auto s = Pendenza(punto, o);
                if (!s) continue;
                double d = c[0] - da;
                if (d < 0.0) d += lunghezza;
                registro.Aggiungi(destro ? lunghezza - (d + prog) : d + prog, *s);
            }
        }
    }

    double tratto = a - da;
    if (tratto < 0.0) tratto += lunghezza;
    *progressiva = prog + tratto;
    return 1;
}
