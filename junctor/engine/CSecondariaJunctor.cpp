#include "CSecondariaJunctor.h"

#include <cmath>

CSecondariaJunctor::CSecondariaJunctor(const wchar_t* nome, const ads_name asse, int verso, int lato)
    : CElemJunctor(nome, asse), m_verso(verso), m_lato(lato) {}

CString CSecondariaJunctor::GetVersoTesto() const {
    if (m_verso == kIn) return L"In";
    if (m_verso == kOut) return L"Out";
    return L"";
}

void CSecondariaJunctor::GetPuntoIntersezione(ads_point p) const { Copia(p, m_intersezione); }
void CSecondariaJunctor::SetPuntoIntersezione(const ads_point p) { Copia(m_intersezione, p); }

bool CSecondariaJunctor::CalcolaLarghezze() {
    if (!CalcolaDistanzeBanchine()) return false;
    double dx = 0, sx = 0;
    if (!DistanzaDueVie(m_slot[kCiglioDx].lista, m_asse.lista, dx)) return false;
    if (!DistanzaDueVie(m_slot[kCiglioSx].lista, m_asse.lista, sx)) return false;
    m_semiDx = std::fabs(dx);
    m_semiSx = std::fabs(sx);
    m_larghezza = m_semiDx + m_semiSx;
    return true;
}

void CSecondariaJunctor::ImpostaDimensioni(double incrementoUscita, double incrementoImmissione) {
    m_parametri.ImpostaDimensioni(m_larghezza, incrementoUscita, incrementoImmissione, m_semiDx, m_semiSx);
}
