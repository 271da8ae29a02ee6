// An intersection leg on a generated road drawing: a main road (straight or
// curved) and a secondary road meeting it at a chosen angle on a chosen side,
// ending at the main road (In) or starting there (Out); the road elements
// prepared as the intersection command prepares them.
#pragma once

#include <memory>
#include <string>

#include "CPrincipaleJunctor.h"
#include "CSecondariaJunctor.h"
#include "RoadGenerator.h"

namespace legs {

struct Incrocio {
    bool curva = false;             // main road on a circular curve (turning left)
    double raggioCurva = 400;       // that curve's radius
    double progIniziale = 0;        // start chainage of the main alignment
    double banchinaPrincipale = 1.5;  // main road's edge-to-shoulder distance, both sides
    double semiPrincipale = 3.75;   // main road's half widths
    double semiIsola = 0;           // > 0: divided main road with central island edges
    double fineIsola = 0;           // > 0: the island edge on the leg's side narrows from the crossing to the
                                    // axis this far past the leg (along the main road's traffic on that side)
    int lato = CSecondariaJunctor::kDestra;
    int verso = CSecondariaJunctor::kIn;
    double angoloGradi = 90;        // between the main road and the leg, measured from the main's forward direction
    double lunghezzaRamo = 150;
    double semiRamo = 3.5;          // the leg's half widths
    double banchinaRamo = 1.5;
    bool attraversa = false;        // the secondary road goes on across the main road: an In leg on `lato`
                                    // (whatever `verso` says) and an Out leg on the other side
};

// Switches the lanes on or off and gives every value they use a finite,
// typical figure (lane widths 3.5, lane shoulders 1.75, lengths of tens of
// metres), as a style file would.
void ImpostaCorsie(CLanePars& corsie, bool immissione, bool uscita, bool svoltaSx, bool urbana = false);

// A short text naming the case, for test names and messages.
std::string Descrivi(const Incrocio& i);

class Scenario {
public:
    // Draws both roads into the drawing (the working drawing of the caller).
    Scenario(const Incrocio& incrocio, AcDbDatabase* database);
    // The elements as the command prepares them: edges looked up at the
    // crossing, opened, widths measured, default dimensions, island, radii.
    // False with a reason in Errore() when a step fails.
    bool Prepara();

    CPrincipaleJunctor* Principale() { return m_principale.get(); }
    CSecondariaJunctor* Ramo() { return m_ramo.get(); }
    // The Out leg of a crossing road (null otherwise).
    CSecondariaJunctor* Uscita() { return m_uscita.get(); }
    const roads::Strada& StradaPrincipale() const { return m_stradaPrincipale; }
    const Incrocio& Dati() const { return m_incrocio; }
    // Crossing of the axes, and the main road's direction there.
    const ads_point& PuntoIncrocio() const { return m_punto; }
    double DirezionePrincipale() const { return m_direzione; }
    AcDbObjectId IdAssePrincipale() const { return m_idPrincipale.front(); }
    const std::string& Errore() const { return m_errore; }

private:
    Incrocio m_incrocio;
    roads::Strada m_stradaPrincipale, m_stradaSecondaria;
    std::vector<AcDbObjectId> m_idPrincipale, m_idSecondaria;
    ads_point m_punto = {0, 0, 0};
    double m_direzione = 0;
    std::unique_ptr<CPrincipaleJunctor> m_principale;
    std::unique_ptr<CSecondariaJunctor> m_ramo, m_uscita;
    std::string m_errore;
};

}  // namespace legs
