// An angle parameter: held in radians, shown and entered in a display unit.
#pragma once

#include "Angoli.h"
#include "CSingleConstrPar.h"

class CSingleConstrParAngle : public CSingleConstrPar {
public:
    CSingleConstrParAngle();
    CSingleConstrParAngle(const CSingleConstrParAngle&) = default;
    CSingleConstrParAngle& operator=(const CSingleConstrParAngle&) = default;

    // The stored value converted to the display unit.
    double GetValore() const override;
    CString GetValoreTesto() const override;
    // A text in the display unit, stored in radians.
    void SetValoreDaTesto(CString testo) override;
    // A value in the display unit, stored in radians; returns the stored number.
    double SetValore(double valore) override;
    // Unit text as given; the display unit follows when the text is exactly one
    // of "[rad]", "[deg]", "[grad]", "[dms]", else it stays.
    void SetUnita(CString unita) override;

    // Display unit by code, with its text; codes without a text of their own show "[rad]".
    void SetUnitaVisualizzazione(int codice);

private:
    static constexpr int NUMERO_TESTI = 5;
    // Code of each of the first four unit texts; the fifth belongs to no code.
    static constexpr int NUMERO_CODICI = 4;
    static const int CODICI_TESTI[NUMERO_CODICI];

    int m_unitaMemorizzazione = UNITA_RADIANTI;
    int m_unitaVisualizzazione = UNITA_RADIANTI;
    CString m_testiUnita[NUMERO_TESTI];
};
