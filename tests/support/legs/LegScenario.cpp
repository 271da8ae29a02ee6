#include "LegScenario.h"

#include <cmath>
#include <sstream>

namespace legs {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

void ImpostaCorsie(CLanePars& c, bool immissione, bool uscita, bool svoltaSx, bool urbana) {
    c.SetCorsie(immissione, uscita, svoltaSx, urbana);
    c.ILCImm.SetValore(3.5);
    c.ILBCImm.SetValore(1.75);
    c.IAccLae.SetValore(90);
    c.IImmLie.SetValore(30);
    c.IManLve.SetValore(30);
    c.ULCUsc.SetValore(3.5);
    c.ULBCUsc.SetValore(1.75);
    c.UDecLdu.SetValore(70);
    c.UManLmu.SetValore(20);
    c.SLCLm.SetValore(3.0);
    c.SRacd1.SetValore(1.5);
    c.SRacd2.SetValore(1.5);
    c.SRacLva.SetValore(30);
    c.SAcuLaa.SetValore(24);
    c.SDecLda.SetValore(40);
    c.SManLma.SetValore(20);
}

std::string Descrivi(const Incrocio& i) {
    std::ostringstream s;
    s << (i.curva ? "curva" : "rettilineo");
    if (i.curva && i.raggioCurva != 400) s << static_cast<int>(i.raggioCurva);
    s << "_" << (i.lato == 0 ? "destra" : "sinistra") << "_"
      << (i.verso == 1 ? "In" : "Out") << "_" << static_cast<int>(i.angoloGradi) << "gradi_banchina"
      << static_cast<int>(i.banchinaPrincipale * 10);
    if (i.progIniziale != 0) s << "_da" << static_cast<int>(i.progIniziale);
    if (i.semiIsola > 0) s << (i.fineIsola > 0 ? "_isola_che_finisce" : "_divisa");
    return s.str();
}

Scenario::Scenario(const Incrocio& incrocio, AcDbDatabase* database) : m_incrocio(incrocio) {
    if (incrocio.curva) {
        // A straight to (0, 0), then a left-hand curve about (0, R); the leg
        // meets it half way round.
        const double raggio = incrocio.raggioCurva, angolo = kPi / 6;
        m_stradaPrincipale = roads::Curva(L"SS 1", {-300, 0, 0}, 300, raggio, angolo, 300);
        const double t = angolo / 2;
        m_punto[0] = raggio * std::sin(t);
        m_punto[1] = raggio - raggio * std::cos(t);
        m_direzione = t;
    } else {
        m_stradaPrincipale = roads::Rettilineo(L"SS 1", {-400, 0, 0}, {400, 0, 0});
        m_direzione = 0;
    }
    m_stradaPrincipale.progIniziale = incrocio.progIniziale;
    m_stradaPrincipale.semiDx = m_stradaPrincipale.semiSx = incrocio.semiPrincipale;
    m_stradaPrincipale.banchinaDx = m_stradaPrincipale.banchinaSx = incrocio.banchinaPrincipale;
    m_stradaPrincipale.semiIsola = incrocio.semiIsola;
    if (incrocio.semiIsola > 0 && incrocio.fineIsola > 0) {
        // The crossing's distance along the axis.
        const double s0 = incrocio.curva ? 300 + incrocio.raggioCurva * m_direzione : 400;
        if (incrocio.lato == CSecondariaJunctor::kDestra)
            m_stradaPrincipale.isolaDx =
                roads::IsolaRastremata(m_stradaPrincipale.asse, incrocio.semiIsola, s0, s0 + incrocio.fineIsola);
        else
            m_stradaPrincipale.isolaSx =
                roads::IsolaRastremata(m_stradaPrincipale.asse, -incrocio.semiIsola, s0, s0 - incrocio.fineIsola);
    }

    // The leg's far end: on the right the angle is taken clockwise from the
    // main direction, on the left counter-clockwise.
    const double a = incrocio.angoloGradi * kPi / 180;
    const double phi = incrocio.lato == CSecondariaJunctor::kDestra ? m_direzione - a : m_direzione + a;
    roads::Vertex vicino{m_punto[0], m_punto[1], 0};
    roads::Vertex lontano{m_punto[0] + incrocio.lunghezzaRamo * std::cos(phi),
                          m_punto[1] + incrocio.lunghezzaRamo * std::sin(phi), 0};
    if (incrocio.attraversa) {
        const roads::Vertex oltre{2 * m_punto[0] - lontano.x, 2 * m_punto[1] - lontano.y, 0};
        m_stradaSecondaria = roads::Rettilineo(L"SP 2", lontano, oltre);
    } else {
        m_stradaSecondaria = incrocio.verso == CSecondariaJunctor::kIn ? roads::Rettilineo(L"SP 2", lontano, vicino)
                                                                       : roads::Rettilineo(L"SP 2", vicino, lontano);
    }
    m_stradaSecondaria.semiDx = m_stradaSecondaria.semiSx = incrocio.semiRamo;
    m_stradaSecondaria.banchinaDx = m_stradaSecondaria.banchinaSx = incrocio.banchinaRamo;

    m_idPrincipale = roads::Disegna(m_stradaPrincipale, database);
    m_idSecondaria = roads::Disegna(m_stradaSecondaria, database);
}

bool Scenario::Prepara() {
    ads_name asse, asseRamo;
    acdbGetAdsName(asse, m_idPrincipale.front());
    acdbGetAdsName(asseRamo, m_idSecondaria.front());
    m_principale = std::make_unique<CPrincipaleJunctor>(L"SS 1", asse);
    m_principale->SetTipo(1);
    if (!m_principale->CercaElementi(m_punto)) return m_errore = "main road's edges not found", false;
    const int verso = m_incrocio.attraversa ? CSecondariaJunctor::kIn : m_incrocio.verso;
    m_ramo = std::make_unique<CSecondariaJunctor>(L"SP 2", asseRamo, verso, m_incrocio.lato);
    if (m_incrocio.attraversa)
        m_uscita = std::make_unique<CSecondariaJunctor>(L"SP 2", asseRamo, CSecondariaJunctor::kOut, 1 - m_incrocio.lato);
    if (!m_principale->Apri() || !m_principale->CalcolaLarghezze()) return m_errore = "main road not opened", false;
    for (CSecondariaJunctor* ramo : {m_ramo.get(), m_uscita.get()}) {
        if (!ramo) continue;
        ramo->SetTipo(1);
        ramo->SetPuntoIntersezione(m_punto);
        if (!ramo->CercaElementi(m_punto)) return m_errore = "leg's edges not found", false;
        if (!ramo->Apri() || !ramo->CalcolaLarghezze()) return m_errore = "leg not opened", false;
        // A new leg starts from the style "DEFAULT" of the shipped style file,
        // whose curb-return radii are 25, 10 and 55 on both sides; within the
        // crossing angles the coupling rule covers, the rule replaces them.
        CConstrPars* p = ramo->GetParametri();
        p->SetNome(L"DEFAULT");
        for (CSingleConstrPar* r : {&p->r1e, &p->r1u}) r->SetValore(25);
        for (CSingleConstrPar* r : {&p->r2e, &p->r2u}) r->SetValore(10);
        for (CSingleConstrPar* r : {&p->r3e, &p->r3u}) r->SetValore(55);
        ramo->ImpostaDimensioni(m_principale->GetIncrRaggioUscita(), m_principale->GetIncrRaggioImmissione());
        if (!ramo->CalcolaIsola(m_principale.get(), true, false, false)) return m_errore = "island not computed", false;
        ramo->ImpostaRaggi();
    }
    return true;
}

}  // namespace legs
