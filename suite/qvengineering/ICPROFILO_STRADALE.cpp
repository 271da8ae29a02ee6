#include "ICPROFILO_STRADALE.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "DisegnoPolilinea.h"

namespace {

constexpr double kTolProg = 1e-9;

using It = std::list<ICVERTICE_PROFILO>::const_iterator;

double Pendenza(const ICVERTICE_PROFILO& a, const ICVERTICE_PROFILO& b) { return (b.quota - a.quota) / (b.prog - a.prog); }

// Where the curve at vertex v begins and ends (chainages); empty without curve.
bool Estensione(It primo, It ultimo, It v, double& da, double& a) {
    if (v == primo || v == ultimo || v->raccordo == 0 || v->usato <= 0.0) return false;
    const ICVERTICE_PROFILO& p = *std::prev(v);
    const ICVERTICE_PROFILO& n = *std::next(v);
    double g1 = Pendenza(p, *v), g2 = Pendenza(*v, n);
    if (g1 == g2) return false;
    if (v->raccordo == QV_RACCORDO_PARABOLICO) {
        double mezza = v->usato * std::fabs(g2 - g1) / 2.0;
        da = v->prog - mezza;
        a = v->prog + mezza;
    } else {
        double t1 = std::atan(g1), t2 = std::atan(g2);
        double t = v->usato * std::tan(std::fabs(t2 - t1) / 2.0);
        da = v->prog - t * std::cos(t1);
        a = v->prog + t * std::cos(t2);
    }
    return true;
}

}  // namespace

ICVERTICE_PROFILO* ICPROFILO_STRADALE::primoVertice() { return m_vertici.empty() ? nullptr : &m_vertici.front(); }

ICPROFILO_STRADALE::ICPROFILO_STRADALE(const ICPROFILO_STRADALE& altro)
    : ICPROFILO(altro), m_vertici(altro.m_vertici), m_calcolato(altro.m_calcolato) {
    for (auto it = m_vertici.begin(); it != m_vertici.end(); ++it) m_posti[&*it] = it;
}

const ICVERTICE_PROFILO* ICPROFILO_STRADALE::verticeDi(const ICVERTICE_PROFILO* v, It& it) const {
    auto posto = m_posti.find(v);
    if (posto == m_posti.end()) return nullptr;
    it = posto->second;
    return v;
}

ICVERTICE_PROFILO* ICPROFILO_STRADALE::successivo(const ICVERTICE_PROFILO* v) {
    It it;
    if (!verticeDi(v, it) || std::next(it) == m_vertici.end()) return nullptr;
    return const_cast<ICVERTICE_PROFILO*>(&*std::next(it));
}

ICVERTICE_PROFILO* ICPROFILO_STRADALE::precedente(const ICVERTICE_PROFILO* v) {
    It it;
    if (!verticeDi(v, it) || it == m_vertici.begin()) return nullptr;
    return const_cast<ICVERTICE_PROFILO*>(&*std::prev(it));
}

int ICPROFILO_STRADALE::inserisciVertice(double prog, double quota, const ICVERTICE_PROFILO* prima,
                                         ICVERTICE_PROFILO** nuovo) {
    It posto = m_vertici.end();
    if (prima && !verticeDi(prima, posto)) return 0;
    auto it = m_vertici.insert(posto, ICVERTICE_PROFILO{prog, quota, 0, 0.0, 0.0});
    m_posti[&*it] = it;
    if (nuovo) *nuovo = &*it;
    m_calcolato = false;
    return 1;
}

int ICPROFILO_STRADALE::impostaRaccordo(ICVERTICE_PROFILO* v, int raccordo, double raggio) {
    It it;
    if (!v || !verticeDi(v, it)) return 0;
    v->raccordo = raccordo;
    v->raggio = raggio;
    m_calcolato = false;
    return 1;
}

int ICPROFILO_STRADALE::leggiDatoVertice(const ICVERTICE_PROFILO* v, int id, CDato& dato) const {
    if (!v) return 0;
    switch (id) {
        case QV_DATO_PROG_VERTICE: dato = CDato(id, v->prog); return 1;
        case QV_DATO_RAGGIO_CIRCOLARE: dato = CDato(id, v->raccordo == QV_RACCORDO_CIRCOLARE ? v->usato : 0.0); return 1;
        case QV_DATO_RAGGIO_PARABOLICO: dato = CDato(id, v->raccordo == QV_RACCORDO_PARABOLICO ? v->usato : 0.0); return 1;
        default: return 0;
    }
}

int ICPROFILO_STRADALE::valida() const {
    if (m_vertici.size() < 2) return 1;
    for (It it = m_vertici.begin(); it != m_vertici.end(); ++it) {
        if (!std::isfinite(it->prog) || !std::isfinite(it->quota) || !std::isfinite(it->raggio)) return 1;
        if (std::next(it) != m_vertici.end() && std::next(it)->prog - it->prog <= kTolProg) return 1;
    }
    return 0;
}

int ICPROFILO_STRADALE::calcola() {
    m_calcolato = false;
    if (valida() != 0) return 0;
    It primo = m_vertici.begin(), ultimo = std::prev(m_vertici.end());
    for (auto it = m_vertici.begin(); it != m_vertici.end(); ++it) {
        ICVERTICE_PROFILO& v = *it;
        v.usato = 0.0;
        if (it == primo || it == ultimo || v.raccordo == 0 || v.raggio <= 0.0) continue;
        const ICVERTICE_PROFILO& p = *std::prev(it);
        const ICVERTICE_PROFILO& n = *std::next(it);
        // A curve may reach the middle of a grade it shares with another
        // curve, or the whole grade up to the first or last vertex.
        double indietro = (v.prog - p.prog) / (std::prev(it) == primo ? 1.0 : 2.0);
        double avanti = (n.prog - v.prog) / (std::next(it) == ultimo ? 1.0 : 2.0);
        double g1 = Pendenza(p, v), g2 = Pendenza(v, n);
        double massimo = v.raggio;
        if (v.raccordo == QV_RACCORDO_PARABOLICO && g1 != g2) {
            massimo = 2.0 * std::min(indietro, avanti) / std::fabs(g2 - g1);
        } else if (g1 != g2) {
            double t1 = std::atan(g1), t2 = std::atan(g2), tg = std::tan(std::fabs(t2 - t1) / 2.0);
            massimo = std::min(indietro / (tg * std::cos(t1)), avanti / (tg * std::cos(t2)));
        }
        v.usato = std::min(v.raggio, massimo);
    }
    m_calcolato = true;
    return 1;
}

double ICPROFILO_STRADALE::quotaRaccordo(It v, double prog) const {
    const ICVERTICE_PROFILO& p = *std::prev(v);
    const ICVERTICE_PROFILO& n = *std::next(v);
    double g1 = Pendenza(p, *v), g2 = Pendenza(*v, n);
    if (v->raccordo == QV_RACCORDO_PARABOLICO) {
        double mezza = v->usato * std::fabs(g2 - g1) / 2.0;
        double x0 = v->prog - mezza, z0 = v->quota - g1 * mezza;
        double dx = prog - x0;
        return z0 + g1 * dx + (g2 - g1) / (4.0 * mezza) * dx * dx;
    }
    double t1 = std::atan(g1), t2 = std::atan(g2);
    double r = v->usato, t = r * std::tan(std::fabs(t2 - t1) / 2.0);
    double x1 = v->prog - t * std::cos(t1), z1 = v->quota - t * std::sin(t1);
    bool dosso = g2 < g1;  // a crest: the centre lies below
    double cx = x1 + (dosso ? 1.0 : -1.0) * r * std::sin(t1);
    double cz = z1 + (dosso ? -1.0 : 1.0) * r * std::cos(t1);
    double h = std::sqrt(std::max(0.0, r * r - (prog - cx) * (prog - cx)));
    return dosso ? cz + h : cz - h;
}

int ICPROFILO_STRADALE::getValore(int id, double prog, double* valore) const {
    if (id != QV_DATO_QUOTA_PROFILO || !valore || !m_calcolato) return 0;
    It primo = m_vertici.begin(), ultimo = std::prev(m_vertici.end());
    if (prog < primo->prog - kTolProg || prog > ultimo->prog + kTolProg) return 0;
    for (It it = primo; it != m_vertici.end(); ++it) {
        double da = 0.0, a = 0.0;
        if (Estensione(primo, ultimo, it, da, a) && prog >= da && prog <= a) {
            *valore = quotaRaccordo(it, prog);
            return 1;
        }
    }
    for (It it = primo; it != ultimo; ++it) {
        It n = std::next(it);
        if (prog <= n->prog + kTolProg) {
            *valore = it->quota + Pendenza(*it, *n) * (prog - it->prog);
            return 1;
        }
    }
    *valore = ultimo->quota;
    return 1;
}

ICPROFILO* ICPROFILO_STRADALE::Duplica() const { return new ICPROFILO_STRADALE(*this); }

int ICPROFILO_STRADALE::disegna(const wchar_t* layer, AcDbObjectId& entita) {
    entita = AcDbObjectId();
    if (!calcola()) return 0;
    constexpr double kPassoCurva = 1.0;
    It primo = m_vertici.begin(), ultimo = std::prev(m_vertici.end());
    std::vector<AcGePoint3d> punti;
    for (It it = primo; it != m_vertici.end(); ++it) {
        double da = 0.0, a = 0.0;
        if (!Estensione(primo, ultimo, it, da, a)) {
            punti.emplace_back(it->prog, it->quota, 0.0);
            continue;
        }
        int tratti = std::max(1, static_cast<int>(std::ceil((a - da) / kPassoCurva - 1e-9)));
        for (int i = 0; i <= tratti; ++i) {
            double prog = da + (a - da) * i / tratti;
            punti.emplace_back(prog, quotaRaccordo(it, prog), 0.0);
        }
    }
    return vplat::DisegnaPolilinea2D(layer, punti, {}, nullptr, entita) ? 1 : 0;
}
