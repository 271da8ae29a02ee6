#include "COptionTreeSpinnerDecButton.h"

#include "NumeroTesto.h"

// Value texts follow the C numeric rules whatever the process locale, as the
// style file does: the decimal point is always '.'.
COptionTreeSpinnerDecButton::COptionTreeSpinnerDecButton() : m_cDecimalPoint(L'.') {}

void COptionTreeSpinnerDecButton::SetRange(double minimum, double maximum, double step) {
    COptionTreeSpinnerButton::SetRange(minimum, maximum);
    m_dStep = step;
}

CString COptionTreeSpinnerDecButton::FormatValue(double value) const {
    if (m_nDecimals == -1) return FormattaNumeroCon(L"%g", value);
    CString text = FormattaNumero(value, m_nDecimals);
    if (!m_bTrimZeros || text.Find(m_cDecimalPoint) < 0) return text;
    int e = text.Find(L'e');
    CString mantissa = e < 0 ? text : text.Left(e);
    CString exponent = e < 0 ? CString() : text.Mid(e);
    mantissa.TrimRight(L'0');
    mantissa.TrimRight(m_cDecimalPoint);
    return mantissa + exponent;
}
