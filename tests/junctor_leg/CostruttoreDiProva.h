// The leg builder with its working values open to the tests, and set up for
// a prepared leg as the driver sets it up.
#pragma once

#include "CConstrJunctor.h"
#include "LegScenario.h"

class CostruttoreDiProva : public CConstrJunctor {
public:
    using CConstrJunctor::m_bulgeAllargamento;
    using CConstrJunctor::m_bulgeCorsia;
    using CConstrJunctor::m_bulgeTratto;
    using CConstrJunctor::m_c2;
    using CConstrJunctor::m_c3;
    using CConstrJunctor::m_F2;
    using CConstrJunctor::m_F2y;
    using CConstrJunctor::m_F3;
    using CConstrJunctor::m_idBanchinaEsterna;
    using CConstrJunctor::m_idBanchinaIsola;
    using CConstrJunctor::m_idCiglioEsterno;
    using CConstrJunctor::m_idCiglioIsola;
    using CConstrJunctor::m_inizioAllargamento;
    using CConstrJunctor::m_isola1;
    using CConstrJunctor::m_isola2;
    using CConstrJunctor::m_isola3;
    using CConstrJunctor::m_isola4;
    using CConstrJunctor::m_log;
    using CConstrJunctor::m_offsetApiceImmissione;
    using CConstrJunctor::m_offsetApiceUscita;
    using CConstrJunctor::m_offsetB1;
    using CConstrJunctor::m_offsetB2;
    using CConstrJunctor::m_parametri;
    using CConstrJunctor::Disegna;
    using CConstrJunctor::m_puntoBanchinaCorsia;
    using CConstrJunctor::m_sezioniBanchina;
    using CConstrJunctor::m_sezioniBanchinaCalcolate;
    using CConstrJunctor::m_sezioniCiglio;
    using CConstrJunctor::m_sezioniCiglioCalcolate;
    using CConstrJunctor::m_t;
    using CConstrJunctor::m_verticiAllargamento;
    using CConstrJunctor::m_verticiTratto;
    using CConstrJunctor::m_X;
    using CConstrJunctor::m_Y;
    using CConstrJunctor::m_Z;

    CostruttoreDiProva() = default;
    explicit CostruttoreDiProva(legs::Scenario& s) { Prepara(s); }

    // The scenario's leg, its lane set and id 1234, and the leg's points.
    void Prepara(legs::Scenario& s) {
        Init(s.Principale(), s.Ramo());
        SetParCorsie(s.Ramo()->GetParametriCorsie());
        SetId(1234);
        LeggiPuntiRamo();
    }

    // Binds the main alignment as the driver does, so that records can be written.
    bool LegaTracciato(AcDbObjectId asse) {
        tracciato* record = nullptr;
        if (!GetTracciato(asse, &record)) return false;
        m_tracciato = ICTRACCIATO_Costructor::Alloca(record, asse);
        if (!m_tracciato) LiberaTracciato(&record);
        return m_tracciato != nullptr;
    }
    ICTRACCIATO* Tracciato() const { return m_tracciato; }

    // Section chainages of one side, edges and shoulders alike.
    void Sezioni(int lato, double a, double b, double c) {
        const double v[3] = {a, b, c};
        for (int k = 0; k < 3; ++k) m_sezioniCiglio[lato][k] = m_sezioniBanchina[lato][k] = v[k];
        m_sezioniCiglioCalcolate[lato] = m_sezioniBanchinaCalcolate[lato] = true;
    }
};
