// The elevation of an edge hung from its reference edge: the cross slope of
// the rotation points and the elevation by rotation (method 7).
#include <cmath>

#include "CAsseRamo.h"
#include "CCiglio3D.h"
#include "CPuntiCiglio.h"
#include "CRotatoria3D.h"
#include "DistanzaDirezionale.h"
#include "GyroformCodici.h"
#include "GyroformConstructor.h"
#include "GyroformUtil.h"

namespace {

constexpr double kTolChiusura = 1e-6;
constexpr double kDistanzaRicerca = 100.0;
const double kMezzoPi = std::acos(-1.0) / 2.0;

bool IsInterno(int codice) { return codice == CIGLIO_INTERNO_SINISTRO || codice == CIGLIO_INTERNO_DESTRO; }

}  // namespace

std::vector<CPuntoRotazione*> CCiglio3D::puntiRotazione() const {
    return PuntiInOrdine<CPuntoRotazione>(m_rotazione);
}

CPuntoCiglio* CCiglio3D::nuovoPunto(IQvObject_Group*& gruppo, int tipo, const wchar_t* nome, double prog) {
    GyroformConstructor* costruttore = GyroformMain::getConstructor();
    if (!gruppo) {
        preparaGruppo(gruppo, nome);
        impostaGruppo(gruppo, tipo, true);
    }
    auto* punto = costruttore ? static_cast<CPuntoCiglio*>(costruttore->Alloca(tipo)) : nullptr;
    if (!punto || !gruppo) {
        gyroform::Libera(punto);
        return nullptr;
    }
    punto->impostaDaProgressiva(this, prog);
    if (auto* vertice = dynamic_cast<CPuntoVertice*>(punto))
        vertice->setQuota(m_rotatoria ? m_rotatoria->getQuotaRiferimento() : 0.0);
    gruppo->Append(punto);
    return punto;
}

CPuntoRotazione* CCiglio3D::nuovoPuntoRotazione(double prog) {
    return static_cast<CPuntoRotazione*>(nuovoPunto(m_rotazione, TIPO_PUNTOROTAZIONE, L"Punti Rotazione", prog));
}

CPuntoVertice* CCiglio3D::nuovoPuntoVertice(double prog) {
    return static_cast<CPuntoVertice*>(nuovoPunto(m_vertici, TIPO_PUNTOVERTICE, L"Punti Vertice", prog));
}

double CCiglio3D::getPendenzaDaProg(double prog) {
    std::vector<CPuntoRotazione*> punti = puntiRotazione();
    if (punti.empty()) return 0.0;
    for (size_t i = 0; i < punti.size(); ++i) {
        double c = punti[i]->getProgressiva();
        if (c <= prog) continue;
        if (i == 0) return punti[0]->getPendenza();
        // The point before lies at or before prog, so the span is not empty.
        double c0 = punti[i - 1]->getProgressiva(), s0 = punti[i - 1]->getPendenza();
        return s0 + (punti[i]->getPendenza() - s0) * (prog - c0) / (c - c0);
    }
    return punti.back()->getPendenza();
}

int CCiglio3D::quotaRotazione(double& quota, double prog) {
    CCiglio3D* rif = m_ciglioRif;
    if (!rif || !m_polilinea) return 0;
    const double s = getPendenzaDaProg(prog);
    ads_point p;
    double tangente = 0.0;
    if (XYdaProgsuDatiPoli(m_polilinea, prog, p, &tangente) != 0) return 0;
    const double punto[3] = {p[0], p[1], 0.0};

    // The facing point on the reference edge.
    double direzione = tangente, d = 0.0, progRif = 0.0;
    double piede[3];
    int trovato = 0;
    CAsseRamo* asse = getAsseRamo();
    if (IsInterno(m_codiceEnum) && IsInterno(rif->getCodiceEnum()) && rif != this && asse &&
        rif->getAsseRamo() == asse) {
        // The island edges of one branch face each other across the axis.
        direzione = asse->getDirezione();
        if (asse->getPolilinea()) {
            double dirAsse = 0.0;
            if (DistPPoly(asse->getPolilinea(), p, nullptr, nullptr, nullptr, &dirAsse, nullptr, nullptr, 1))
                direzione = dirAsse;
        }
        trovato = rif->getPolilinea() && DistPPolyDir(rif->getPolilinea(), p, direzione + kMezzoPi, kDistanzaRicerca,
                                                      &d, piede, &progRif, nullptr) == 1;
    } else {
        trovato = rif->proiettaSuCiglio(punto, direzione + kMezzoPi, &d, piede, &progRif, nullptr) == 1;
    }
    if (trovato) {
        double zRif = 0.0;
        if (!rif->getQuotaDaProg(zRif, progRif, -1)) return 0;
        quota = zRif + std::fabs(d) * s;
        return 1;
    }

    // No facing point: the outer ring stands in.
    CCiglio3D* anello = m_rotatoria ? m_rotatoria->getAnelloEsterno() : nullptr;
    if (!anello || !anello->getPolilinea()) return 0;
    double progAnello = 0.0;
    if (DistPPolyDir(anello->getPolilinea(), p, direzione + kMezzoPi, kDistanzaRicerca, &d, piede, &progAnello,
                     nullptr) != 1)
        return 0;
    if (std::fabs(progAnello - anello->getLunghezza()) <= kTolChiusura) progAnello = 0.0;
    double zAnello = 0.0;
    if (!anello->getQuotaDaProg(zAnello, progAnello, -1)) return 0;
    quota = zAnello + std::fabs(d) * s;
    return 1;
}
