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
    // its lane closes its outline on the lane shoulder point, across or along
    // the lane's shoulder: that vertex is no joint of the kerb.
    static double GiuntoPeggiore(const std::vector<legs::PolilineaIntersezione>& polilinee, const std::wstring& id,
                                 const GeometryChecker& asse, const CLanePars& corsie, std::string& dove) {
        double peggiore = 0;
        for (const legs::PolilineaIntersezione& p : polilinee) {
            if (p.dati.empty() || p.dati[0] != id) continue;
            const std::wstring codice = p.Codice();
            if (codice != L"rCEIN" && codice != L"rCEOUT" && codice != L"rBEIN" && codice != L"rBEOUT") continue;
            const GeometryChecker g(p.vertici);
            const bool uscita = codice == L"rCEOUT" || codice == L"rBEOUT";
            std::size_t saltato = g.Size();
            if (codice[1] == L'B' && (uscita ? corsie.GetCorsiaUsc() : corsie.GetCorsiaImm()) == L"Y") {
                const double larghezza = (uscita ? corsie.ULBCUsc : corsie.ILBCImm).GetValore();
                for (const legs::PolilineaIntersezione& q : polilinee) {
                    if (q.dati.empty() || q.dati[0] != id || q.Codice() != (uscita ? L"rCEOUT" : L"rCEIN")) continue;
                    const geomcheck::Vertex& e = uscita ? q.vertici.front() : q.vertici.back();
                    const geomcheck::Vertex& v = uscita ? g.At(0) : g.At(g.Size() - 1);
                    if (std::fabs(asse.DistanceTo({v.x, v.y}) - asse.DistanceTo({e.x, e.y}) - larghezza) < 1e-6)
                        saltato = uscita ? 1 : g.Size() - 2;
                }
            }
            for (std::size_t k = 1; k + 1 < g.Size(); ++k) {
                if (k == saltato) continue;
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

    // Draws the roads of one case, loads the style into each leg and builds
    // it; counts the legs built, and keeps the worst kerb joint of those.
    void Costruisci(const wchar_t* stile, const legs::Incrocio& i, int corsie, const std::string& nome, Conteggio& n) {
        WorkingDrawingTest::TearDown();
        WorkingDrawingTest::SetUp();
        legs::Scenario s(i, m_db.get());
        ASSERT_TRUE(s.Prepara()) << s.Errore();
        DWORD id = 1000;
        for (CSecondariaJunctor* ramo : {s.Ramo(), s.Uscita()}) {
            if (!ramo) continue;
            ASSERT_TRUE(CaricaStile(s.Principale(), ramo, stile, corsie));
            MargineProgressiva = 5.0;
            CConstrJunctor b;
            b.Init(s.Principale(), ramo);
            b.SetParCorsie(ramo->GetParametriCorsie());
            b.SetId(id);
            b.Costruisci();
            id += 1000;
            ++n.totale;
            const std::wstring idRamo(b.GetId());
            const auto polilinee = legs::PolilineeIntersezione();
            // What a leg draws, built or not, is clean.
            for (const legs::PolilineaIntersezione& p : polilinee) {
                if (p.dati.empty() || p.dati[0] != idRamo) continue;
                for (const geomcheck::Vec2& x : GeometryChecker(p.vertici).SelfCrossings())
                    ADD_FAILURE() << nome << ": " << U8(p.Codice()) << " crosses itself at (" << x.x << ", " << x.y
                                  << ")";
            }
            if (b.GetEsito() != 1) {
                if (std::getenv("VORTANA_RAMI_MOTIVI"))
                    std::printf("%s\n%s\n", nome.c_str(), U8(std::wstring(b.GetLog())).c_str());
                continue;
            }
            ++n.costruiti;
            std::string dove;
            const double giunto = GiuntoPeggiore(polilinee, idRamo, GeometryChecker(s.StradaPrincipale().asse),
                                                 *ramo->GetParametriCorsie(), dove);
            if (giunto > m_giuntoPeggiore) {
                m_giuntoPeggiore = giunto;
                m_giuntoDove = nome + " " + dove;
            }
        }
        s.Principale()->Chiudi();
        for (CSecondariaJunctor* ramo : {s.Ramo(), s.Uscita()})
            if (ramo) ramo->Chiudi();
    }

    std::unique_ptr<CConstrStylesMgr> m_stili;
    std::unique_ptr<CConstrPars> m_pars;
    std::unique_ptr<CLanePars> m_corsie;
    std::unique_ptr<CJunctorSettings> m_settings;
    std::unique_ptr<CXmlReaderJunctor> m_lettore;
    double m_giuntoPeggiore = 0;
    std::string m_giuntoDove;
};

TEST_F(StiliSuStradeGenerate, ShippedStylesBuildOnTheirRoads) {
    CaricaFile();
    // style, class, angle, lanes, arrangement -> built legs
    std::map<std::wstring, std::map<int, std::map<int, std::map<int, std::map<int, Conteggio>>>>> tabella;
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
                                                         " " + kNomiCorsie[corsie] + (i.attraversa ? " incrocio" : "");
                                Costruisci(stile.nome, i, corsie, nome,
                                           tabella[stile.nome][classe][static_cast<int>(angolo)][corsie][disposizione]);
                            }

    // The table: per style and class, a row per angle and lane set with the
    // legs built of those tried for each arrangement (straight and curved
    // main road together).
    int costruiti = 0, legs = 0;
    std::string mancanti;
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
                        legs += n.totale;
                        if (perQuesta && Richiesto(angolo, corsie) && n.costruiti != n.totale)
                            mancanti += U8(stile.nome) + ", " + kClassi[classe].nome + ", " +
                                        std::to_string(static_cast<int>(angolo)) + " degrees, " + kNomiCorsie[corsie] +
                                        ", " + kNomiDisposizioni[d] + "\n";
                    }
                    std::printf("\n");
                }
        }
    std::printf("\n%d of %d legs built; worst kerb joint %.6f degrees (%s)\n", costruiti, legs, m_giuntoPeggiore,
                m_giuntoDove.c_str());
    EXPECT_TRUE(mancanti.empty()) << "not every leg built whole:\n" << mancanti;
    EXPECT_LT(m_giuntoPeggiore, 0.01) << m_giuntoDove;
}

}  // namespace
