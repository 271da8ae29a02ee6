// The parameter trees' row: a decimal spinner row with a picture file name.
#pragma once

#include "COptionTreeItemSpinnerDec.h"

class CMyOptionTreeItemSpinnerDec : public COptionTreeItemSpinnerDec {
public:
    CString GetImmagine() const { return m_strImmagine; }
    void SetImmagine(LPCWSTR file) { m_strImmagine = file; }

private:
    CString m_strImmagine;
};
