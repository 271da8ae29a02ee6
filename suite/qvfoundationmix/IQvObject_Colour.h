// A display colour: alpha, red, green and blue channels (0 to 255), and a
// flag kept as the bool property 0.
#pragma once

#include "IQvObject.h"

constexpr int QV_TIPO_COLORE = 2525;

class IQvObject_Colour : public CQvOggettoDati {
public:
    IQvObject_Colour() : CQvOggettoDati(QV_TIPO_COLORE) { CQvOggettoDati::SetDato(CDato(0, false)); }
    // Property 0 only, as a bool.
    int LeggiDato(int id, CDato& dato) const override { return id == 0 ? CQvOggettoDati::LeggiDato(id, dato) : 0; }
    int SetDato(const CDato& dato, int modo = 1) override {
        return dato.GetId() == 0 ? CQvOggettoDati::SetDato(CDato(0, dato.GetBool()), modo) : 0;
    }

    void SetColore(int a, int r, int g, int b) {
        m_a = a, m_r = r, m_g = g, m_b = b;
    }
    void GetColore(int& a, int& r, int& g, int& b) const {
        a = m_a, r = m_r, g = m_g, b = m_b;
    }

private:
    int m_a = 255, m_r = 0, m_g = 0, m_b = 0;
};
