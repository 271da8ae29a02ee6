// One leg of the secondary road: it ends at the main road (In) or starts
// there (Out) and lies on the main road's right or left side.
#pragma once

#include <limits>

#include "CConstrPars.h"
#include "CElemJunctor.h"
#include "CLanePars.h"

class CPrincipaleJunctor;

class CSecondariaJunctor final : public CElemJunctor {
public:
    enum Verso { kOut = 0, kIn = 1 };
    // Side of the main road: 0 right, 1 left, 2 not known yet.
    enum Lato { kDestra = 0, kSinistra = 1, kLatoIgnoto = 2 };

    CSecondariaJunctor(const wchar_t* nome, const ads_name asse, int verso, int lato);

    bool Apri() override { return CElemJunctor::Apri(); }
    bool Valida() override { return CElemJunctor::Valida(); }
    void Chiudi() override { CElemJunctor::Chiudi(); }
    // Edge-to-shoulder distances, then the absolute half widths from the axis.
    bool CalcolaLarghezze() override;

    bool CercaElementi(const ads_point riferimento) { return CercaElementiAssociati(riferimento, m_verso); }

    int GetVerso() const { return m_verso; }
    CString GetVersoTesto() const;
    int GetLato() const { return m_lato; }
    void SetLato(int lato) { m_lato = lato; }
    BYTE GetSelezionata() const { return m_selezionata; }
    void SetSelezionata(BYTE s) { m_selezionata = s; }

    void GetPuntoIntersezione(ads_point p) const;
    void SetPuntoIntersezione(const ads_point p);
    void GetPuntoIsola1(ads_point p) const { Copia(p, m_isola1); }
    void GetPuntoIsola2(ads_point p) const { Copia(p, m_isola2); }
    void GetPuntoIsola3(ads_point p) const { Copia(p, m_isola3); }
    void GetPuntoIsola4(ads_point p) const { Copia(p, m_isola4); }
    double GetDirezioneAsse() const { return m_direzioneAsse; }

    double GetLarghezza() const { return m_larghezza; }
    double GetSemiLarghezzaDx() const { return m_semiDx; }
    double GetSemiLarghezzaSx() const { return m_semiSx; }

    CConstrPars* GetParametri() { return &m_parametri; }
    CConstrPars CopiaParametri() const { return m_parametri; }
    void SetParametri(CConstrPars parametri) { m_parametri = parametri; }
    CLanePars* GetParametriCorsie() { return &m_corsie; }

    void ImpostaDimensioni(double incrementoUscita, double incrementoImmissione);
    void ImpostaRaggi() { m_parametri.RaggiDaAngoloIncrocio(); }

    // The island triangle in the mouth of the leg, the crossing angle and the
    // deflections of the curb returns. completa: from the crossing (main
    // direction and base point on the shoulder); daApice: from the stored base
    // point; soloAngoli: only the angles and the shifted points.
    bool CalcolaIsola(CPrincipaleJunctor* principale, bool completa, bool daApice, bool soloAngoli);
    // The crossing angle of the two directions (0 to pi), also stored in the set.
    double CalcolaAngoloIncrocio(double direzionePrincipale, double direzioneSecondaria);
    // Entry and exit deflections from the island triangle; false for a
    // degenerate triangle (the deflections then stay).
    bool CalcolaTriangoloIsola();
    void GetPuntoBaseIsola(ads_point p) const { Copia(p, m_baseIsola); }
    // Whether the island points stand for the set's present h, s, b1 and
    // b2: the apex was found with this h and the points were shifted and
    // spread with these s, b1 and b2. A computation that fails changes no
    // point, so the points keep standing for the values they were made with.
    bool IsolaDaValori() const;
    // Whether the last search for the apex failed: the leg axis does not
    // meet the circle of radius h about the base point.
    bool GetApiceMancante() const { return m_apiceMancante; }

private:
    void AggiungiLog(const wchar_t* riga);
    static void Copia(ads_point d, const ads_point s) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    }

    int m_verso;
    int m_lato;
    ads_point m_intersezione = {0, 0, 0};
    ads_point m_baseIsola = {0, 0, 0};
    ads_point m_isola2 = {0, 0, 0}, m_isola3 = {0, 0, 0}, m_isola4 = {0, 0, 0};
    ads_point m_apiceNonTraslato = {0, 0, 0}, m_baseNonTraslata = {0, 0, 0}, m_isola1 = {0, 0, 0};
    double m_direzioneAsse = 0;
    // The h of the apex and the s, b1, b2 of the points; not numbers until
    // they were first computed.
    double m_hIsola = std::numeric_limits<double>::quiet_NaN();
    double m_sIsola = std::numeric_limits<double>::quiet_NaN();
    double m_b1Isola = std::numeric_limits<double>::quiet_NaN();
    double m_b2Isola = std::numeric_limits<double>::quiet_NaN();
    bool m_apiceMancante = false;
    BYTE m_selezionata = 1;
    double m_larghezza = 0;
    double m_semiDx = 0;
    double m_semiSx = 0;
    CConstrPars m_parametri;
    CLanePars m_corsie;
};
