#include "CMatrice.h"

#include <cmath>

CMatrice::CMatrice(int righe, int colonne, double valore) {
    if (righe < 1 || colonne < 1) return;
    m_righe = righe;
    m_colonne = colonne;
    m_dati.assign(static_cast<size_t>(righe) * static_cast<size_t>(colonne), valore);
}

CMatrice& CMatrice::operator=(const CMatrice& altra) {
    if (this == &altra) return *this;
    m_righe = altra.m_righe;
    m_colonne = altra.m_colonne;
    m_dati = altra.m_dati;
    return *this;
}

void CMatrice::copiaDa(const double* valori) { m_dati.assign(valori, valori + m_dati.size()); }

void CMatrice::rilascia() {
    m_dati.clear();
    m_righe = m_colonne = 0;
}

CMatrice CMatrice::trasposta() const {
    CMatrice t(m_colonne, m_righe);
    for (int i = 1; i <= m_righe; ++i)
        for (int j = 1; j <= m_colonne; ++j) t(j, i) = (*this)(i, j);
    return t;
}

CMatrice CMatrice::operator*(const CMatrice& b) const {
    CMatrice c(m_righe, b.m_colonne);
    for (int i = 1; i <= m_righe; ++i)
        for (int j = 1; j <= b.m_colonne; ++j) {
            double s = 0.0;
            for (int k = 1; k <= m_colonne && k <= b.m_righe; ++k) s += (*this)(i, k) * b(k, j);
            c(i, j) = s;
        }
    return c;
}

CVettore::CVettore(int dimensione, double valore) {
    if (dimensione >= 1) m_dati.assign(static_cast<size_t>(dimensione), valore);
}

void CVettore::copiaDa(const double* valori) { m_dati.assign(valori, valori + m_dati.size()); }

CVettore operator*(const CMatrice& a, const CVettore& v) {
    CVettore r(a.righe());
    for (int i = 1; i <= a.righe(); ++i) {
        double s = 0.0;
        for (int k = 1; k <= a.colonne() && k <= v.dimensione(); ++k) s += a(i, k) * v(k);
        r(i) = s;
    }
    return r;
}

int fattorizzaCholesky(const CMatrice& a, CMatrice& l, double tolleranza) {
    int n = a.colonne();
    if (n < 1) return 0;
    if (l.righe() != a.righe() || l.colonne() != a.colonne()) l = CMatrice(n, n);
    for (int j = 1; j <= n; ++j) {
        double d = a(j, j);
        for (int k = 1; k < j; ++k) d -= l(j, k) * l(j, k);
        for (int i = j + 1; i <= n; ++i) {
            double s = a(j, i);
            for (int k = 1; k < j; ++k) s -= l(i, k) * l(j, k);
            l(i, j) = s;
        }
        // d is the square of the pivot.
        if (d <= 0.0 || d <= tolleranza * a(j, j)) {
            l(j, j) = d;
            return 1;
        }
        l(j, j) = std::sqrt(d);
        for (int i = j + 1; i <= n; ++i) l(i, j) /= l(j, j);
    }
    return 0;
}
