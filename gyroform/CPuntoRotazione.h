// A rotation point: the cross slope about the reference edge at its place.
#pragma once

#include "CPuntoCiglio.h"

class CPuntoRotazione : public CPuntoCiglio {
public:
    CPuntoRotazione();
    ~CPuntoRotazione() override;

    int GetTipo() const override;
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    int getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const override;

    // A fraction.
    double getPendenza() const { return m_pendenza; }
    void setPendenza(double pendenza) { m_pendenza = pendenza; }
    bool isPendenzaGrigia() const { return m_grigioPendenza; }
    void setPendenzaGrigia(bool grigia) { m_grigioPendenza = grigia; }

protected:
    void vociProprie(std::vector<CDato>& voci, int contesto) const override;

private:
    double m_pendenza = 0.0;
    bool m_grigioPendenza = false;
    IQvObject_Colour* m_colorePendenza = nullptr;
};
