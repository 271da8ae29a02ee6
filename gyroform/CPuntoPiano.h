// A point of the ring's plane fit: an elevation at its place.
#pragma once

#include "CPuntoCiglio.h"

class CPuntoPiano : public CPuntoCiglio {
public:
    int GetTipo() const override;
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    int inizializza(ICCiglio3D* proprietario, bool setDefault) override;
    int getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const override;

    double getQuota() const { return m_quota; }
    void setQuota(double quota) { m_quota = quota; }

protected:
    void vociProprie(std::vector<CDato>& voci, int contesto) const override;

private:
    double m_quota = 0.0;
};
