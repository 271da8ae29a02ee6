// The decimal spinner: a step, a number of decimals and trailing zeros trimmed.
#pragma once

#include "COptionTreeSpinnerButton.h"

class COptionTreeSpinnerDecButton : public COptionTreeSpinnerButton {
public:
    COptionTreeSpinnerDecButton();

    void SetRange(double minimum, double maximum, double step);
    void SetStep(double step) { m_dStep = step; }
    // -1 formats freely ("%g"); any other negative counts as 0, above 15 as 15.
    void SetDecimals(int decimals) { m_nDecimals = decimals; }
    void SetTrimZeros(int trim) { m_bTrimZeros = trim; }
    int GetDecimals() const { return m_nDecimals; }
    CString FormatValue(double value) const override;

protected:
    double GetStep() const override { return m_dStep; }

private:
    double m_dStep = 1.0;
    int m_nDecimals = -1;
    int m_bTrimZeros = 1;
    wchar_t m_cDecimalPoint;
};
