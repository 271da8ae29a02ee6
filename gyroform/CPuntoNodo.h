// A node: where an edge meets the ring, another edge or its branch end, with
// the elevation and longitudinal slope handed over there and the node it is
// paired with on another edge.
#pragma once

#include "CPuntoCiglio.h"

class CPuntoNodo : public CPuntoCiglio {
public:
    int GetTipo() const override;
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    int getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const override;

    double getQuota() const { return m_quota; }
    void setQuota(double quota) { m_quota = quota; }
    double getPendenza() const { return m_pendenza; }
    void setPendenza(double pendenza) { m_pendenza = pendenza; }
    // The partner node on another edge (not owned), null when none.
    CPuntoNodo* getCollegato() const { return m_collegato; }
    void setCollegato(CPuntoNodo* collegato) { m_collegato = collegato; }
    int getUlteriore() const { return m_ulteriore; }
    void setUlteriore(int valore) { m_ulteriore = valore; }

protected:
    void vociProprie(std::vector<CDato>& voci, int contesto) const override;

private:
    double m_quota = 0.0;
    double m_pendenza = 0.0;
    CPuntoNodo* m_collegato = nullptr;
    int m_ulteriore = 0;
};
