// A vertex of an edge's vertical profile: elevation, radius and curve type.
#pragma once

#include "CPuntoCiglio.h"
#include "ICPROFILO_STRADALE.h"
#include "IQvObject_CodeList.h"

constexpr int RACCORDO_CIRCOLARE = 3113;
constexpr int RACCORDO_PARABOLICO = 3114;

class CPuntoVertice : public CPuntoCiglio {
public:
    CPuntoVertice();
    ~CPuntoVertice() override;

    int GetTipo() const override;
    int LeggiDato(int id, CDato& dato) const override;
    int SetDato(const CDato& dato, int modo = 1) override;
    int inizializza(ICCiglio3D* proprietario, bool setDefault) override;
    int getDescrittoreDato(int id, CString& lungo, CString& corto, CString& unita, int* decimali) const override;

    double getQuota() const { return m_quota; }
    void setQuota(double quota) { m_quota = quota; }
    double getRaggio() const { return m_raggio; }
    void setRaggio(double raggio) { m_raggio = raggio; }
    int getTipoRaccordo() const { return m_tipoRaccordo; }
    bool isQuotaGrigia() const { return m_quotaGrigia; }
    void setQuotaGrigia(bool grigia) { m_quotaGrigia = grigia; }
    // The slope of the grade before the vertex, a fraction.
    double getPendenza() const { return m_pendenza; }
    void setPendenza(double pendenza) { m_pendenza = pendenza; }
    void setTipoRaccordo(int tipo) { m_tipoRaccordo = tipo; }
    // The point's vertex in the edge's current profile (not owned; valid
    // until the profile is replaced).
    ICVERTICE_PROFILO* getVerticeProfilo() const { return m_verticeProfilo; }
    void setVerticeProfilo(ICVERTICE_PROFILO* v) { m_verticeProfilo = v; }

protected:
    void vociProprie(std::vector<CDato>& voci, int contesto) const override;

private:
    double m_quota = 0.0;
    double m_raggio = 0.0;
    int m_tipoRaccordo = RACCORDO_PARABOLICO;
    double m_ulteriore = 0.0;
    bool m_quotaGrigia = false;
    double m_pendenza = 0.0;
    IQvObject_Colour* m_coloreQuota = nullptr;
    IQvObject_CodeList* m_raccordi = nullptr;
    IQvObject_Colour* m_colorePendenza = nullptr;
    ICVERTICE_PROFILO* m_verticeProfilo = nullptr;
};
