#include "CSingleConstrParAngle.h"

#include "NumeroTesto.h"

const int CSingleConstrParAngle::CODICI_TESTI[NUMERO_CODICI] = {UNITA_RADIANTI, UNITA_GRADI_DECIMALI,
                                                                UNITA_GRADI_CENTESIMALI, UNITA_GRADI_MINUTI_SECONDI};

CSingleConstrParAngle::CSingleConstrParAngle()
    : m_testiUnita{L"[rad]", L"[deg]", L"[grad]", L"[dms]", L""} {
    m_unita = m_testiUnita[0];
}

double CSingleConstrParAngle::GetValore() const {
    double valore = m_valore;
    ConvertiAngolo(valore, m_unitaMemorizzazione, m_unitaVisualizzazione);
    return valore;
}

CString CSingleConstrParAngle::GetValoreTesto() const { return FormattaValore(GetValore()); }

void CSingleConstrParAngle::SetValoreDaTesto(CString testo) { SetValore(LeggiNumero(testo)); }

double CSingleConstrParAngle::SetValore(double valore) {
    ConvertiAngolo(valore, m_unitaVisualizzazione, m_unitaMemorizzazione);
    m_valore = valore;
    return m_valore;
}

void CSingleConstrParAngle::SetUnita(CString unita) {
    m_unita = unita;
    for (int i = 0; i < NUMERO_CODICI; ++i) {
        if (unita == m_testiUnita[i]) {
            m_unitaVisualizzazione = CODICI_TESTI[i];
            return;
        }
    }
}

void CSingleConstrParAngle::SetUnitaVisualizzazione(int codice) {
    m_unitaVisualizzazione = codice;
    m_unita = m_testiUnita[0];
    for (int i = 0; i < NUMERO_CODICI; ++i)
        if (CODICI_TESTI[i] == codice) m_unita = m_testiUnita[i];
}
