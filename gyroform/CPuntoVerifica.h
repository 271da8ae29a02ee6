// A verification point: a wanted elevation compared with the edge's.
#pragma once

#include "CPuntoCiglio.h"

class CPuntoVerifica : public CPuntoCiglio {
public:
    CPuntoVerifica();
    ~CPuntoVerifica() override;

    int GetTipo() const override;
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    int inizializza(ICCiglio3D* proprietario, bool setDefault) override;
    int getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const override;

    double getQuotaRif() const { return m_quotaRif; }
    double getDeltaMax() const { return m_deltaMax; }

protected:
    void vociProprie(std::vector<CDato>& voci, int contesto) const override;

private:
    double m_quotaRif = 0.0;
    double m_deltaMax = 0.001;
    IQvObject_Colour* m_coloreDelta = nullptr;
};
