#include "ICPROFILO.h"

#include "ICPROFILO_STRADALE.h"

#include <cmath>

namespace {
constexpr int kTipoProfilo = 2100;
constexpr double kTolProg = 1e-9;
}  // namespace

ICPROFILO::ICPROFILO() : CQvOggettoDati(kTipoProfilo) {}

ICPROFILO* ICPROFILO::Alloca() { return new ICPROFILO_STRADALE(); }

void ICPROFILO::libera(ICPROFILO** profilo) {
    if (!profilo) return;
    delete *profilo;
    *profilo = nullptr;
}

ICPROFILO* ICPROFILO::Duplica() const { return new ICPROFILO(*this); }

int ICPROFILO::getPuntoCartiglio(AcGePoint3d& punto) const {
    if (!m_conCartiglio) return 0;
    punto = m_cartiglio;
    return 1;
}

void ICPROFILO::setPuntoCartiglio(const AcGePoint3d& punto) {
    m_cartiglio = punto;
    m_conCartiglio = true;
}

void ICPROFILO::aggiungiVertice(double prog, double quota) {
    auto it = m_vertici.begin();
    while (it != m_vertici.end() && it->prog < prog - kTolProg) ++it;
    if (it != m_vertici.end() && std::fabs(it->prog - prog) <= kTolProg)
        it->quota = quota;
    else
        m_vertici.insert(it, {prog, quota});
}

int ICPROFILO::getQuota(double prog, double* quota) const {
    if (m_vertici.empty() || !quota) return 0;
    if (prog < m_vertici.front().prog - kTolProg || prog > m_vertici.back().prog + kTolProg) return 0;
    for (size_t i = 0; i + 1 < m_vertici.size(); ++i) {
        const Vertice& a = m_vertici[i];
        const Vertice& b = m_vertici[i + 1];
        if (prog <= b.prog + kTolProg) {
            double t = b.prog > a.prog ? (prog - a.prog) / (b.prog - a.prog) : 0;
            t = t < 0 ? 0 : (t > 1 ? 1 : t);
            *quota = a.quota + t * (b.quota - a.quota);
            return 1;
        }
    }
    *quota = m_vertici.back().quota;
    return 1;
}
