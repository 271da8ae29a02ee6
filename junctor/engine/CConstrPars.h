// The construction parameters of one intersection style: island, curb returns
// with their three-centred curves, lane widths, shoulders, and the crossing
// angle with the two deflections of the curb returns.
#pragma once

#include <afx.h>

#include "CSingleConstrPar.h"
#include "CSingleConstrParAngle.h"
#include "DescrittoreParametro.h"

class CConstrPars {
public:
    static constexpr int NUMERO_PARAMETRI = 35;
    static constexpr int NUMERO_IN_FILE = 32;
    static constexpr int NUMERO_GRUPPI = 8;
    // Code, container and tree row of each parameter, in record order.
    static const DescrittoreParametro DESCRITTORI[NUMERO_PARAMETRI];
    // Record index of each parameter the style file holds, in the file's order.
    static const int ORDINE_FILE[NUMERO_IN_FILE];
    // Group rows of the style parameter tree.
    static const GruppoAlbero GRUPPI_ALBERO[NUMERO_GRUPPI];

    CConstrPars();
    CConstrPars(const CConstrPars&) = default;
    // Copies every value and every parameter whole, but keeps this set's angle unit code.
    CConstrPars& operator=(const CConstrPars& altro);

    CString GetNome() const { return m_nome; }
    void SetNome(CString nome) { m_nome = nome; }

    // Stored radians, or degrees when asked.
    double GetAngoloIncrocio(bool gradi) const;
    double GetDeviazioneImmissione(bool gradi) const;
    double GetDeviazioneUscita(bool gradi) const;
    void SetAngoloIncrocio(double angolo, bool gradi);
    // Stores both deflections and splits them into the three-centred curves' angles.
    void SetDeviazioni(double immissione, double uscita, bool gradi);
    // Display unit of the six curve angles.
    void SetUnitaAngoli(int codice);

    // Parameter by record index (0..NUMERO_PARAMETRI-1); a bad index throws
    // the framework's invalid-argument exception.
    CSingleConstrPar& Parametro(int indice);
    const CSingleConstrPar& Parametro(int indice) const;
    // Parameter by its code (exact, case-sensitive); null when no parameter has it.
    CSingleConstrPar* TrovaParametro(LPCWSTR codice);

    // Coupling rules between dimensions, radii and angles.
    void ImpostaDimensioni(double larghezza, double incrementoUscita, double incrementoImmissione,
                           double semiLarghezzaDx, double semiLarghezzaSx);
    void RicalcolaRaggioInternoImmissione(double semiLarghezzaDx);
    void RicalcolaRaggioInternoUscita(double semiLarghezzaSx);
    void RipartisciDeviazioni();
    // lato 1: entry curve (r1e, r2e, r3e); any other: exit curve. The first flag set names the edited radius.
    void AccoppiaRaggi(int lato, bool r1Modificato, bool r2Modificato, bool r3Modificato);
    void RaggiDaAngoloIncrocio();
    // The edited angle already holds its new value; vecchio is its value before, in radians.
    void RipartisciAngoli(double vecchio, int lato, bool a1Modificato, bool a2Modificato, bool a3Modificato);

    // Island.
    CSingleConstrPar h;
    CSingleConstrPar s;
    CSingleConstrPar b1;
    CSingleConstrPar b2;
    // Radii of the exit and entry lanes.
    CSingleConstrPar riu;
    CSingleConstrPar rie;
    CSingleConstrPar rru;
    CSingleConstrPar rre;
    // Island shoulder and corner radius.
    CSingleConstrPar Lbis;
    CSingleConstrPar Rr1is;
    // Carried with the record and in the extended data; in no file and no tree.
    CSingleConstrPar ParSenzaCodice;
    // Lane widths.
    CSingleConstrPar Lcu;
    CSingleConstrPar Lce;
    // Inner radii, derived from the outer ones and the widths.
    CSingleConstrPar RaggioInternoImm;
    CSingleConstrPar RaggioInternoUsc;
    CSingleConstrPar Ledx;
    CSingleConstrPar Ludx;
    CSingleConstrPar Lesx;
    CSingleConstrPar Lusx;
    // Shoulders of the curb returns and triangular islands.
    CSingleConstrPar Lbitr;
    CSingleConstrPar Lbutr;
    CSingleConstrPar Rit;
    CSingleConstrPar Lbint;
    // Entry three-centred curve.
    CSingleConstrPar r1e;
    CSingleConstrPar r2e;
    CSingleConstrPar r3e;
    CSingleConstrParAngle a1e;
    CSingleConstrParAngle a2e;
    CSingleConstrParAngle a3e;
    // Exit three-centred curve.
    CSingleConstrPar r1u;
    CSingleConstrPar r2u;
    CSingleConstrPar r3u;
    CSingleConstrParAngle a1u;
    CSingleConstrParAngle a2u;
    CSingleConstrParAngle a3u;

private:
    // Display unit last applied to the six angles; -1 until SetUnitaAngoli.
    int m_unitaAngoli = -1;
    int m_intero = 3;
    CString m_nome;
    double m_angoloIncrocio;
    double m_deviazioneImmissione;
    double m_deviazioneUscita;
};
