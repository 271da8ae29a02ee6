// The shipped styles on generated roads of three width classes: each style
// loaded into each leg as the main dialog loads it (its island and curb
// return values replace the sizing from the road widths), then the leg built
// as the command builds it. The kerbs of every built leg must run without a
// corner; the table of built legs is printed, and what each style is made
// for must build.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CConstrJunctor.h"
#include "CConstrStylesMgr.h"
#include "CJunctorSettings.h"
#include "CXmlReaderJunctor.h"
#include "ComandoTest.h"
#include "LegScenario.h"
#include "PolilineeIntersezione.h"
#include "RoadGenerator.h"

namespace {

using comando::U8;
using geomcheck::GeometryChecker;

constexpr double kPi = 3.14159265358979323846;

// Half widths and edge-to-shoulder distances of the main road and of the
// secondary road.
struct Classe {
    const char* nome;
    double semiPrincipale, banchinaPrincipale, semiSecondaria, banchinaSecondaria;
};
const Classe kClassi[] = {
    {"3.75/1.5 con 3.0/1.0", 3.75, 1.5, 3.0, 1.0},
    {"5.5/2.5 con 3.75/1.5", 5.5, 2.5, 3.75, 1.5},
    {"3.0/1.0 con 2.75/0.75", 3.0, 1.0, 2.75, 0.75},
};
constexpr int kClasseMedia = 0, kClasseLarga = 1, kClasseStretta = 2;

enum Corsie { kNessuna, kImmissione, kUscita, kSvolta, kTutte, kNumeroCorsie };
const char* const kNomiCorsie[] = {"nessuna", "immissione", "uscita", "svolta sx", "tutte"};

// A T whose leg ends at the main road (In) or starts there (Out), on the
// right or on the left; a road that crosses the main road (two legs).
enum Disposizione { kTDestra, kTSinistra, kIncrocio, kNumeroDisposizioni };
const char* const kNomiDisposizioni[] = {"T destra", "T sinistra", "incrocio"};

const double kAngoli[] = {70, 80, 90, 100, 110};

struct Stile {
    const wchar_t* nome;
    std::vector<int> classi;  // the classes it is made for
};
const Stile kStili[] = {
    {L"DEFAULT", {kClasseMedia, kClasseLarga, kClasseStretta}},
    {L"Extraurbana", {kClasseMedia, kClasseLarga}},
    {L"Urbana", {kClasseStretta}},
};

// Whether a style must build every leg of that angle and lane set whole: at
// 80 to 100 degrees every lane set, at 70 and 110 no lanes and all lanes.
bool Richiesto(double angolo, int corsie) {
    return (angolo >= 80 && angolo <= 100) || corsie == kNessuna || corsie == kTutte;
}

// Built legs of one cell of the table, of how many.
struct Conteggio {
    int costruiti = 0, totale = 0;
};

class StiliSuStradeGenerate : public ComandoTest {
protected:
    // The style file as the command reads it: settings, list and legend.
    void CaricaFile() {
        m_stili = std::make_unique<CConstrStylesMgr>();
        m_pars = std::make_unique<CConstrPars>();
        m_pars->SetNome(L"DEFAULT");
        m_corsie = std::make_unique<CLanePars>();
        m_settings = std::make_unique<CJunctorSettings>();
        m_settings->SetStili(m_stili.get());
        m_settings->SetParametri(m_pars.get());
        m_settings->SetParCorsie(m_corsie.get());
        const CString file = CString(VORTANA_BIN) + L"/Junctor/Junctor.xml";
        m_settings->SetPathXml(file);
        m_settings->SetMetodo(L"F");
        m_lettore = std::make_unique<CXmlReaderJunctor>();
        ASSERT_TRUE(m_lettore->Carica(file));
        m_lettore->SetSezioni(true, true, true, true, false);
        m_lettore->SetStile(L"DEFAULT");
        m_lettore->SetDestinazioni(m_settings.get());
        ASSERT_TRUE(m_lettore->Process());
    }

    // What the main dialog does when the style is chosen for the leg and the
    // lane boxes are ticked.
    bool CaricaStile(CPrincipaleJunctor* principale, CSecondariaJunctor* ramo, const wchar_t* stile, int corsie) {
        m_settings->SelezionaStile(stile);
        m_settings->SetParametri(ramo->GetParametri());
        m_settings->SetParCorsie(ramo->GetParametriCorsie());
        m_lettore->SetSezioni(true, false, false, false, false);
        m_lettore->SetStile(stile);
        m_lettore->SetDestinazioni(m_settings.get());
        if (!m_lettore->Process()) return false;
        ramo->CalcolaIsola(principale, false, true, true);
        CConstrPars* p = ramo->GetParametri();
        if (m_settings->GetTricentrica()) {
            p->RicalcolaRaggioInternoUscita(ramo->GetSemiLarghezzaSx());
            p->RicalcolaRaggioInternoImmissione(ramo->GetSemiLarghezzaDx());
            p->AccoppiaRaggi(0, true, true, true);
            p->AccoppiaRaggi(1, true, true, true);
            p->RipartisciDeviazioni();
        }
        m_settings->CalcolaCorsie();
        ramo->GetParametriCorsie()->SetCorsie(corsie == kImmissione || corsie == kTutte,
                                              corsie == kUscita || corsie == kTutte,
                                              corsie == kSvolta || corsie == kTutte, false);
        m_settings->SetParametri(m_pars.get());
        m_settings->SetParCorsie(m_corsie.get());
        return true;
    }

    // The largest change of direction at an inner vertex of the leg's kerbs
    // (outer edges and shoulders), in degrees. The shoulder of a side with
    // its lane may close across the lane's shoulder: that corner is meant.
    static double GiuntoPeggiore(const std::vector<legs::PolilineaIntersezione>& polilinee, const std::wstring& id,
                                 std::string& dove) {
        double peggiore = 0;
        for (const legs::PolilineaIntersezione& p : polilinee) {
            if (p.dati.empty() || p.dati[0] != id) continue;
            const std::wstring codice = p.Codice();
            if (codice != L"rCEIN" && codice != L"rCEOUT" && codice != L"rBEIN" && codice != L"rBEOUT") continue;
            const GeometryChecker g(p.vertici);
            const bool uscita = codice == L"rCEOUT" || codice == L"rBEOUT";
            const bool banchina = codice[1] == L'B';
            for (std::size_t k = 1; k + 1 < g.Size(); ++k) {
                // The segment from (exit) or to (entry) the lane shoulder
                // point runs across the lane's shoulder, at an angle.
                const std::size_t accanto = uscita ? 1 : g.Size() - 2;
                if (banchina && k == accanto && Traversale(g, uscita)) continue;
                const double angolo =
                    GeometryChecker::AngleBetween(g.TangentIn(k), g.TangentOut(k)) * 180 / kPi;
                if (angolo > peggiore) {
                    peggiore = angolo;
                    dove = U8(codice) + " vertex " + std::to_string(k);
                }
            }
        }
        return peggiore;
    }

    // Whether the shoulder's first (exit) or last (entry) segment is a
    // straight that meets the next one at more than 10 degrees: the side
    // across the lane's shoulder, not a joint of the kerb.
    static bool Traversale(const GeometryChecker& g, bool uscita) {
        const std::size_t s = uscita ? 0 : g.Size() - 2;
        if (g.Segment(s).isArc) return false;
        const std::size_t k = uscita ? 1 : g.Size() - 2;
        return GeometryChecker::AngleBetween(g.TangentIn(k), g.TangentOut(k)) > 10 * kPi / 180;
    }

    std::unique_ptr<CConstrStylesMgr> m_stili;
    std::unique_ptr<CConstrPars> m_pars;
    std::unique_ptr<CLanePars> m_corsie;
    std::unique_ptr<CJunctorSettings> m_settings;
    std::unique_ptr<CXmlReaderJunctor> m_lettore;
};

TEST_F(StiliSuStradeGenerate, ShippedStylesBuildOnTheirRoads) {
    CaricaFile();
    // style, class, angle, lanes, arrangement -> built legs
    std::map<std::wstring, std::map<int, std::map<int, std::map<int, std::map<int, Conteggio>>>>> tabella;
    double giuntoPeggiore = 0;
    std::string giuntoDove;
    int legs = 0;
    const bool motivi = std::getenv("VORTANA_RAMI_MOTIVI") != nullptr;
    for (const Stile& stile : kStili)
        for (int classe = 0; classe < 3; ++classe)
            for (bool curva : {false, true})
                for (double angolo : kAngoli)
                    for (int corsie = 0; corsie < kNumeroCorsie; ++corsie)
                        for (int disposizione = 0; disposizione < kNumeroDisposizioni; ++disposizione)
                            for (int verso : {CSecondariaJunctor::kIn, CSecondariaJunctor::kOut}) {
                                if (disposizione == kIncrocio && verso == CSecondariaJunctor::kOut) continue;
                                legs::Incrocio i;
                                const Classe& c = kClassi[classe];
                                i.curva = curva;
                                i.angoloGradi = angolo;
                                i.semiPrincipale = c.semiPrincipale;
                                i.banchinaPrincipale = c.banchinaPrincipale;
                                i.semiRamo = c.semiSecondaria;
                                i.banchinaRamo = c.banchinaSecondaria;
                                i.lato = disposizione == kTSinistra ? CSecondariaJunctor::kSinistra
                                                                    : CSecondariaJunctor::kDestra;
                                i.verso = verso;
                                i.attraversa = disposizione == kIncrocio;
                                const std::string nome = U8(stile.nome) + " " + c.nome + " " + legs::Descrivi(i) +
                                                         " " + kNomiCorsie[corsie] +
                                                         (i.attraversa ? " incrocio" : "");
                                SCOPED_TRACE(nome);
                                WorkingDrawingTest::TearDown();
                                WorkingDrawingTest::SetUp();
                                legs::Scenario s(i, m_db.get());
                                ASSERT_TRUE(s.Prepara()) << s.Errore();
                                Conteggio& n = tabella[stile.nome][classe][static_cast<int>(angolo)][corsie][disposizione];
                                DWORD id = 1000;
                                for (CSecondariaJunctor* ramo : {s.Ramo(), s.Uscita()}) {
                                    if (!ramo) continue;
                                    ASSERT_TRUE(CaricaStile(s.Principale(), ramo, stile.nome, corsie));
                                    MargineProgressiva = 5.0;
                                    CConstrJunctor b;
                                    b.Init(s.Principale(), ramo);
                                    b.SetParCorsie(ramo->GetParametriCorsie());
                                    b.SetId(id);
                                    b.Costruisci();
                                    id += 1000;
                                    ++n.totale;
                                    ++legs;
                                    if (b.GetEsito() != 1) {
                                        if (motivi) std::printf("%s\n%s\n", nome.c_str(), U8(std::wstring(b.GetLog())).c_str());
                                        continue;
                                    }
                                    ++n.costruiti;
                                    const auto polilinee = legs::PolilineeIntersezione();
                                    std::string dove;
                                    const double giunto = GiuntoPeggiore(polilinee, std::wstring(b.GetId()), dove);
                                    if (giunto > giuntoPeggiore) {
                                        giuntoPeggiore = giunto;
                                        giuntoDove = nome + " " + dove;
                                    }
                                }
                                s.Principale()->Chiudi();
                                for (CSecondariaJunctor* ramo : {s.Ramo(), s.Uscita()})
                                    if (ramo) ramo->Chiudi();
                            }

    // The table: per style and class, a row per angle and lane set with the
    // legs built of those tried for each arrangement (straight and curved
    // main road together).
    int costruiti = 0;
    for (const Stile& stile : kStili)
        for (int classe = 0; classe < 3; ++classe) {
            const bool perQuesta = std::find(stile.classi.begin(), stile.classi.end(), classe) != stile.classi.end();
            std::printf("\n%s, %s%s\n", U8(stile.nome).c_str(), kClassi[classe].nome, perQuesta ? "" : " (not its class)");
            std::printf("angle | lanes      | T right | T left | crossing\n");
            for (double angolo : kAngoli)
                for (int corsie = 0; corsie < kNumeroCorsie; ++corsie) {
                    const auto& riga = tabella[stile.nome][classe][static_cast<int>(angolo)][corsie];
                    std::printf("%5d | %-10s", static_cast<int>(angolo), kNomiCorsie[corsie]);
                    for (int d = 0; d < kNumeroDisposizioni; ++d) {
                        const Conteggio& n = riga.at(d);
                        std::printf(" | %d/%d", n.costruiti, n.totale);
                        costruiti += n.costruiti;
                        if (perQuesta && Richiesto(angolo, corsie)) {
                            EXPECT_EQ(n.costruiti, n.totale)
                                << U8(stile.nome) << ", " << kClassi[classe].nome << ", " << angolo << " degrees, "
                                << kNomiCorsie[corsie] << ", " << kNomiDisposizioni[d];
                        }
                    }
                    std::printf("\n");
                }
        }
    std::printf("\n%d of %d legs built; worst kerb joint %.6f degrees (%s)\n", costruiti, legs, giuntoPeggiore,
                giuntoDove.c_str());
    EXPECT_LT(giuntoPeggiore, 0.01) << giuntoDove;
}

}  // namespace
