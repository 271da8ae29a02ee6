#include "CSingleConstrPar.h"

#include "NumeroTesto.h"

double CSingleConstrPar::GetValore() const { return m_valore; }

CString CSingleConstrPar::GetValoreTesto() const { return FormattaValore(m_valore); }

void CSingleConstrPar::SetValoreDaTesto(CString testo) { m_valore = LeggiNumero(testo); }

double CSingleConstrPar::SetValore(double valore) {
    m_valore = valore;
    return m_valore;
}

void CSingleConstrPar::SetUnita(CString unita) { m_unita = unita; }

CString CSingleConstrPar::GetEtichetta() const { return m_nome + L" " + m_unita; }

CString CSingleConstrPar::FormattaValore(double valore) const { return FormattaNumero(valore, m_decimali); }
