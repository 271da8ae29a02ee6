// The main road of an intersection.
#pragma once

#include "CElemJunctor.h"

class CPrincipaleJunctor final : public CElemJunctor {
public:
    CPrincipaleJunctor(const wchar_t* nome, const ads_name asse) : CElemJunctor(nome, asse) {}

    bool Apri() override { return CElemJunctor::Apri(); }
    bool Valida() override { return CElemJunctor::Valida(); }
    void Chiudi() override { CElemJunctor::Chiudi(); }
    bool CalcolaLarghezze() override { return CalcolaDistanzeBanchine(); }

    bool CercaElementi(const ads_point riferimento) { return CercaElementiAssociati(riferimento, 2); }
    void GetAdsNameCigli(ads_name destro, ads_name sinistro) const;
    // The foot chainage of a point on the axis; 0 without an axis list or foot.
    double GetProgressiva(const ads_point punto) const;
    double GetIncrRaggioUscita() const { return m_incrRaggioUscita; }
    double GetIncrRaggioImmissione() const { return m_incrRaggioImmissione; }
    double GetDirezione() const { return m_direzione; }
    void SetDirezione(double d) { m_direzione = d; }

private:
    double m_incrRaggioUscita = 0;
    double m_incrRaggioImmissione = 0;
    double m_direzione = 0;
};
