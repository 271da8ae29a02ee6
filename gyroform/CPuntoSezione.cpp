#include "CPuntoSezione.h"

#include <cmath>

#include "CCiglio3D.h"
#include "GyroformCodici.h"

namespace {

constexpr double kPasso = 0.01;
const double kMezzoPi = std::acos(-1.0) / 2.0;

double Quota(CCiglio3D* ciglio, double prog) {
    double z = 0.0;
    ciglio->getQuotaDaProg(z, prog, 0);
    return z;
}

}  // namespace

int CPuntoSezione::GetTipo() const { return TIPO_PUNTOSEZIONE; }

int CPuntoSezione::imposta(CCiglio3D* proprietario, CPuntoSezione* precedente, CPuntoSezione* successivo) {
    if (proprietario) m_proprietario = proprietario;
    m_precedente = precedente;
    m_successivo = successivo;
    return 1;
}

int CPuntoSezione::calcolaPendenza(const CPuntoCiglio* p, double& pendenza, const CPuntoSezione* s) {
    if (!s || !s->m_precedente || !s->m_proprietario) return 0;
    CCiglio3D* e = s->m_proprietario;
    double c = s->getProgressiva();
    int codice = p && p->getProprietario() ? p->getProprietario()->getCodiceEnum() : 0;
    double c2 = 0.0;
    if (codice == CIGLIO_ESTERNO_SINISTRO || codice == CIGLIO_INTERNO_SINISTRO) c2 = c - kPasso;
    else if (codice == CIGLIO_INTERNO_DESTRO || codice == CIGLIO_ESTERNO_DESTRO) c2 = c + kPasso;
    double lunghezza = e->getLunghezza();
    if (c2 < 0.0) c2 += lunghezza;
    else if (c2 > lunghezza) c2 -= lunghezza;
    double zc = Quota(e, c);
    double g = (zc - Quota(e, c2)) / kPasso;

    const CPuntoSezione* a = s->m_precedente;
    const CPuntoSezione* b = s->m_successivo;
    if (!b || !a->m_proprietario) {
        pendenza = g;
        return 1;
    }
    double za = Quota(a->m_proprietario, a->getProgressiva());
    double ax = a->m_x - s->m_x, ay = a->m_y - s->m_y;
    double bx = b->m_x - s->m_x, by = b->m_y - s->m_y;
    double d = std::hypot(ax, ay);
    double angolo = std::atan2(ax * by - ay * bx, ax * bx + ay * by);
    double trasversale = d > 0.0 ? (zc - za) / d : 0.0;
    pendenza = std::cos(std::fabs(angolo) - kMezzoPi) * trasversale + std::sin(std::fabs(angolo) - kMezzoPi) * g;
    return 1;
}

std::vector<CPuntoSezione*> SezioniInOrdine(IQvObject_Group* gruppo) {
    std::vector<CPuntoSezione*> out;
    for (CPuntoCiglio* p : PuntiInOrdine<CPuntoCiglio>(gruppo))
        if (p->GetTipo() == TIPO_PUNTOSEZIONE) out.push_back(static_cast<CPuntoSezione*>(p));
    return out;
}
