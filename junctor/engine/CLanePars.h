// The lane parameters of one intersection style: which auxiliary lanes a leg
// gets, and the inputs and results of the lane-length formulas of the entry,
// exit and left-turn lanes.
#pragma once

#include <afx.h>

#include "CSingleConstrPar.h"
#include "DescrittoreParametro.h"

class CLanePars {
public:
    static constexpr int NUMERO_PARAMETRI = 58;
    // Code, container and tree row of each parameter, in record order, which is
    // also the style file's order; derived parameters have no row.
    static const DescrittoreParametro DESCRITTORI[NUMERO_PARAMETRI];
    // Group rows of the entry-lane, exit-lane and left-turn trees.
    static const GruppoAlbero GRUPPI_IMMISSIONE[4];
    static const GruppoAlbero GRUPPI_USCITA[3];
    static const GruppoAlbero GRUPPI_SVOLTA_SX[5];

    CLanePars();
    CLanePars(const CLanePars&) = default;
    CLanePars& operator=(const CLanePars&) = default;

    // The switches as "Y" or "N".
    CString GetCorsiaImm() const;
    CString GetCorsiaUsc() const;
    CString GetCorsiaSx() const;
    CString GetCorsiaSxUrbano() const;
    void SetCorsiaImm(bool corsia) { m_corsiaImm = corsia; }
    void SetCorsiaUsc(bool corsia) { m_corsiaUsc = corsia; }
    void SetCorsiaSx(bool corsia) { m_corsiaSx = corsia; }
    void SetCorsie(bool immissione, bool uscita, bool svoltaSx, bool svoltaSxUrbano);
    // Each switch is on exactly when its text is "Y".
    void SetCorsieDaTesto(CString immissione, CString uscita, CString svoltaSx, CString svoltaSxUrbano);

    // Parameter by record index (0..NUMERO_PARAMETRI-1); a bad index throws
    // the framework's invalid-argument exception.
    CSingleConstrPar& Parametro(int indice);
    const CSingleConstrPar& Parametro(int indice) const;
    // Parameter by its code (exact, case-sensitive); null when no parameter has it.
    CSingleConstrPar* TrovaParametro(LPCWSTR codice);

    // Entry lane: general parameters, acceleration, merging and manoeuvre stretches.
    CSingleConstrPar ILCImm;
    CSingleConstrPar ILBCImm;
    CSingleConstrPar IAccVf;
    CSingleConstrPar IAccVi;
    CSingleConstrPar IAcca;
    CSingleConstrPar IAccLae;  // derived
    CSingleConstrPar IImmVi;
    CSingleConstrPar IImmV;
    CSingleConstrPar IImma;
    CSingleConstrPar IImmd;
    CSingleConstrPar IImmT;  // derived
    CSingleConstrPar IImmQ1;
    CSingleConstrPar IImmK;  // derived
    CSingleConstrPar IImmEs;  // derived
    CSingleConstrPar IImmVars;  // derived
    CSingleConstrPar IImmQ2;
    CSingleConstrPar IImmEw;  // derived
    CSingleConstrPar IImmEq;  // derived
    CSingleConstrPar IImmLie;  // derived
    CSingleConstrPar IManVp;
    CSingleConstrPar IManLve;  // derived
    CSingleConstrPar IManb;
    CSingleConstrPar IManR;  // derived
    // Exit lane: general parameters, manoeuvre and deceleration stretches.
    CSingleConstrPar ULCUsc;
    CSingleConstrPar ULBCUsc;
    CSingleConstrPar UManLmu;
    CSingleConstrPar UManb;
    CSingleConstrPar UManR;  // derived
    CSingleConstrPar UDecVi;
    CSingleConstrPar UDecVf;
    CSingleConstrPar UDeca;
    CSingleConstrPar UDecLdu;  // derived
    // Left-turn lane: general parameters, storage, deceleration, manoeuvre and transition stretches.
    CSingleConstrPar SLCLa;
    CSingleConstrPar SLCLm;
    CSingleConstrPar SAcuT;
    CSingleConstrPar SAcuQ1;
    CSingleConstrPar SAcuK;  // derived
    CSingleConstrPar SAcuEs;  // derived
    CSingleConstrPar SAcuVars;  // derived
    CSingleConstrPar SAcuQ2;
    CSingleConstrPar SAcuEw;  // derived
    CSingleConstrPar SAcuEq;  // derived
    CSingleConstrPar SAcuLv;
    CSingleConstrPar SAcuLaa;  // derived
    CSingleConstrPar SDecVi;
    CSingleConstrPar SDecVf;
    CSingleConstrPar SDeca;
    CSingleConstrPar SDecLda;  // derived
    CSingleConstrPar SManVp;
    CSingleConstrPar SManLma;  // derived
    CSingleConstrPar SManb;
    CSingleConstrPar SManR;  // derived
    CSingleConstrPar SRacVp;
    CSingleConstrPar SRacd1;
    CSingleConstrPar SRacLva;  // derived
    CSingleConstrPar SRacRI1;  // derived
    CSingleConstrPar SRacd2;
    CSingleConstrPar SRacRI2;  // derived

private:
    int m_intero = 3;
    CString m_nome;
    bool m_corsiaImm = false;
    bool m_corsiaUsc = false;
    bool m_corsiaSx = false;
    bool m_corsiaSxUrbano = false;
};
