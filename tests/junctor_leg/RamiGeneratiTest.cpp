// Every leg on the generated roads, with and without lanes: no polyline a
// leg draws, whether the leg is built or refused, crosses itself or doubles
// back (the drop island's pointed tail apart), and each carries the leg's
// id. The counts of built and refused legs per crossing angle are printed.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "CConstrJunctor.h"
#include "DxfFile.h"
#include "LegTest.h"
#include "PolilineeIntersezione.h"
#include "StatoDisegno.h"

namespace {

using geomcheck::GeometryChecker;

// The urban left turn twice: on the divided road whose island edges run
// beside the axis all along, and on one whose island edge on the leg's side
// narrows onto the axis past the leg.
enum class Corsie { kNessuna, kTutte, kSvoltaUrbana, kSvoltaUrbanaIsolaCheFinisce };

const char* NomeCorsie(Corsie c) {
    switch (c) {
    case Corsie::kNessuna: return "senza_corsie";
    case Corsie::kTutte: return "tutte_le_corsie";
    case Corsie::kSvoltaUrbana: return "svolta_urbana";
    case Corsie::kSvoltaUrbanaIsolaCheFinisce: return "svolta_urbana_isola_che_finisce";
    }
    return "";
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// The leg's axis as drawn: the drop island's tail may turn back on it.
bool SullAsse(const legs::Scenario& s, geomcheck::Vec2 p) {
    const double a = s.Dati().angoloGradi * 3.14159265358979323846 / 180;
    const double phi = s.Dati().lato == CSecondariaJunctor::kDestra ? s.DirezionePrincipale() - a
                                                                    : s.DirezionePrincipale() + a;
    const double dx = p.x - s.PuntoIncrocio()[0], dy = p.y - s.PuntoIncrocio()[1];
    return std::fabs(-std::sin(phi) * dx + std::cos(phi) * dy) < 1e-6;
}

// The main road's edge on the leg's side: a triangular island whose outer
// side meets it tangentially ends there in a pointed tail.
bool SulCiglioPrincipale(const legs::Scenario& s, geomcheck::Vec2 p) {
    const roads::Strada& strada = s.StradaPrincipale();
    const double semi = s.Dati().lato == CSecondariaJunctor::kDestra ? strada.semiDx : -strada.semiSx;
    return GeometryChecker(roads::Offset(strada.asse, semi)).DistanceTo(p) < 1e-6;
}

class RamiGenerati : public LegTest {
protected:
    // Builds one leg as the command does and checks what it left; answers
    // whether it was built.
    bool Verifica(const legs::Incrocio& i, Corsie corsie, const std::string& nome) {
        legs::Scenario& s = Prepara(i);
        legs::ImpostaCorsie(*s.Ramo()->GetParametriCorsie(), corsie == Corsie::kTutte, corsie == Corsie::kTutte,
                            corsie != Corsie::kNessuna,
                            corsie == Corsie::kSvoltaUrbana || corsie == Corsie::kSvoltaUrbanaIsolaCheFinisce);

        MargineProgressiva = 5.0;
        CConstrJunctor b;
        b.Init(s.Principale(), s.Ramo());
        b.SetParCorsie(s.Ramo()->GetParametriCorsie());
        b.SetId(1000);
        b.Costruisci();
        const std::string log = Narrow(std::wstring(b.GetLog()));
        const bool costruito = b.GetEsito() == 1;

        if (!costruito) {
            EXPECT_NE(log.find("Errore!"), std::string::npos) << log;
            if (std::getenv("VORTANA_RAMI_MOTIVI")) std::printf("%s\n%s\n", nome.c_str(), log.c_str());
        }
        // What the leg drew, built or not, is sound and tagged with its id.
        for (const legs::PolilineaIntersezione& p : legs::PolilineeIntersezione()) {
            EXPECT_EQ(p.dati.size(), 104u);
            if (!p.dati.empty()) {
                EXPECT_EQ(p.dati[0], L"1000");
            }
            GeometryChecker g(p.vertici);
            const std::string codice = Narrow(p.Codice());
            for (const geomcheck::Vec2& x : g.SelfCrossings())
                ADD_FAILURE() << codice << " crosses itself at (" << x.x << ", " << x.y << ")";
            for (std::size_t k : g.Reversals()) {
                const geomcheck::Vec2 v{g.At(k).x, g.At(k).y};
                if (codice == "rCIG" && SullAsse(s, v)) continue;
                if ((codice == "rCIIN" || codice == "rCIOUT") && SulCiglioPrincipale(s, v)) continue;
                ADD_FAILURE() << codice << " doubles back at vertex " << k << " (" << v.x << ", " << v.y << ")";
            }
        }
        // On request each case's drawing is saved, to be looked at.
        if (const char* cartella = std::getenv("VORTANA_RAMI_DXF")) {
            s.Principale()->Chiudi();
            s.Ramo()->Chiudi();
            std::wstring errore;
            EXPECT_TRUE(vplat::WriteDxfFile(std::string(cartella) + "/" + nome + ".dxf", m_db.get(), &errore))
                << Narrow(errore);
        }
        return costruito;
    }
};

TEST_F(RamiGenerati, WhatEveryLegDrawsIsSound) {
    std::map<int, std::map<Corsie, std::pair<int, int>>> conteggi;  // angle -> lanes -> built, refused
    for (Corsie corsie :
         {Corsie::kNessuna, Corsie::kTutte, Corsie::kSvoltaUrbana, Corsie::kSvoltaUrbanaIsolaCheFinisce})
        for (bool curva : {false, true})
            for (int lato : {CSecondariaJunctor::kDestra, CSecondariaJunctor::kSinistra})
                for (int verso : {CSecondariaJunctor::kIn, CSecondariaJunctor::kOut})
                    for (double angolo : {70.0, 90.0, 110.0})
                        for (double banchina : {1.0, 2.0}) {
                            legs::Incrocio i;
                            i.curva = curva;
                            i.lato = lato;
                            i.verso = verso;
                            i.angoloGradi = angolo;
                            i.banchinaPrincipale = banchina;
                            if (corsie == Corsie::kSvoltaUrbana || corsie == Corsie::kSvoltaUrbanaIsolaCheFinisce)
                                i.semiIsola = 5;
                            if (corsie == Corsie::kSvoltaUrbanaIsolaCheFinisce) i.fineIsola = 100;
                            const std::string nome = legs::Descrivi(i) + "_" + NomeCorsie(corsie);
                            SCOPED_TRACE(nome);
                            TearDown();
                            SetUp();
                            auto& n = conteggi[static_cast<int>(angolo)][corsie];
                            ++(Verifica(i, corsie, nome) ? n.first : n.second);
                        }
    std::printf("crossing angle | lanes | built | refused\n");
    for (const auto& [angolo, perCorsie] : conteggi)
        for (const auto& [corsie, n] : perCorsie)
            std::printf("%3d | %-31s | %2d | %2d\n", angolo, NomeCorsie(corsie), n.first, n.second);
}

}  // namespace
