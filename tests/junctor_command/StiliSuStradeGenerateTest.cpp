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
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "CConstrJunctor.h"
#include "CConstrStylesMgr.h"
#include "CJunctorSettings.h"
#include "CXmlReaderJunctor.h"
#include "ComandoTest.h"
#include "DxfFile.h"
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

// A leg of the class's widths at an angle on a side, the main road
// straight (curve 0) or on a curve of that radius; the rest as the
// fixture's default.
legs::Incrocio IncrocioDi(const Classe& c, double curva = 0, double angolo = 90,
                          int lato = CSecondariaJunctor::kDestra, int verso = CSecondariaJunctor::kIn) {
    legs::Incrocio i;
    i.curva = curva != 0;
    if (curva != 0) i.raggioCurva = curva;
    i.angoloGradi = angolo;
    i.lato = lato;
    i.verso = verso;
    i.semiPrincipale = c.semiPrincipale;
    i.banchinaPrincipale = c.banchinaPrincipale;
    i.semiRamo = c.semiSecondaria;
    i.banchinaRamo = c.banchinaSecondaria;
    return i;
}

enum Corsie { kNessuna, kImmissione, kUscita, kSvolta, kTutte, kNumeroCorsie };
const char* const kNomiCorsie[] = {"nessuna", "immissione", "uscita", "svolta sx", "tutte"};

// A T whose leg ends at the main road (In) or starts there (Out), on the
// right or on the left; a road that crosses the main road (two legs).
enum Disposizione { kTDestra, kTSinistra, kIncrocio, kNumeroDisposizioni };
const char* const kNomiDisposizioni[] = {"T destra", "T sinistra", "incrocio"};

const double kAngoli[] = {60, 70, 75, 80, 90, 100, 105, 110, 120};
// The main road straight (0) or on a curve of this radius.
const double kCurve[] = {0, 400, 200, 150, 120};

struct Stile {
    const wchar_t* nome;
    std::vector<int> classi;  // the classes it is made for
    // Those of them on which its values build nine legs in ten whole over
    // 60 to 120 degrees (see docs/leg-builder.md).
    std::vector<int> quota;
};
const Stile kStili[] = {
    {L"DEFAULT", {kClasseMedia, kClasseLarga, kClasseStretta}, {kClasseMedia, kClasseLarga, kClasseStretta}},
    {L"Extraurbana", {kClasseMedia, kClasseLarga}, {kClasseMedia, kClasseLarga}},
    {L"Urbana", {kClasseMedia, kClasseStretta}, {kClasseMedia, kClasseStretta}},
};

// Under the address sanitizer (four times slower) each style runs on its own
// classes only, on the straight road and the tightest curve, with no lanes
// and with all lanes: the rows for information go.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kRidotta = true;
#else
constexpr bool kRidotta = false;
#endif
bool NellaTabella(bool propria, double curva, int corsie) {
    if (!kRidotta) return true;
    return propria && (curva == 0 || curva == 120) && (corsie == kNessuna || corsie == kTutte);
}

// What a style must build on its roads, straight or on the radius-400
// curve: at 80 to 100 degrees every leg whole with every lane set; at 70
// and 110, with no lanes and with all lanes, every leg (its drop island may
// lack its shoulder: see docs/leg-builder.md). Over the whole table (60 to
// 120 degrees, every curve, no lanes, the entry lane, all lanes) at least
// nine legs in ten whole.
enum Richiesta { kNulla, kCostruito, kIntero };
Richiesta Richiesto(double angolo, double curva, int corsie) {
    if (curva != 0 && curva != 400) return kNulla;
    if (angolo < 70 || angolo > 110 || angolo == 75 || angolo == 105) return kNulla;
    if (angolo >= 80 && angolo <= 100) return kIntero;
    return corsie == kNessuna || corsie == kTutte ? kCostruito : kNulla;
}
bool NellaQuota(int corsie) { return corsie == kNessuna || corsie == kImmissione || corsie == kTutte; }
constexpr double kQuotaInteri = 0.9;

// Legs of one cell of the table: built whole (every polyline drawn, the
// drop island's shoulder too), built without the drop island's shoulder
// (which the builder accepts), of how many.
struct Conteggio {
    int interi = 0, senzaBanchina = 0, totale = 0;
};

// Every polyline of a leg without lanes; a left-turn lane adds its two edges.
const wchar_t* const kCodiciRamo[] = {L"rCIG", L"rBIG", L"rCEIN", L"rBEIN", L"rCEOUT",
                                      L"rBEOUT", L"rCIIN", L"rBIIN", L"rCIOUT", L"rBIOUT"};

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
    // lane boxes are ticked: the reader loads the style into the leg's sets,
    // the island and the coupled radii follow. The reader runs once per
    // style, into a set of its own whose file values each leg then takes
    // (the first leg of each style is loaded both ways, and must agree).
    bool CaricaStile(CPrincipaleJunctor* principale, CSecondariaJunctor* ramo, const wchar_t* stile, int corsie) {
        Modello& m = m_modelli[stile];
        if (!m.letto) {
            if (!Leggi(stile, &m.pars, &m.corsie)) return false;
            m.letto = true;
            CConstrPars pars = *ramo->GetParametri();
            CLanePars lanes = *ramo->GetParametriCorsie();
            if (!Leggi(stile, &pars, &lanes)) return false;
            Prendi(m, ramo);
            for (int k = 0; k < CConstrPars::NUMERO_PARAMETRI; ++k)
                EXPECT_EQ(ramo->GetParametri()->Parametro(k).CSingleConstrPar::GetValore(),
                          pars.Parametro(k).CSingleConstrPar::GetValore())
                    << k;
            for (int k = 0; k < CLanePars::NUMERO_PARAMETRI; ++k)
                EXPECT_EQ(ramo->GetParametriCorsie()->Parametro(k).GetValore(), lanes.Parametro(k).GetValore()) << k;
            EXPECT_EQ(ramo->GetParametri()->GetNome(), pars.GetNome());
        } else {
            Prendi(m, ramo);
        }
        ramo->CalcolaIsola(principale, false, true, true);
        CConstrPars* p = ramo->GetParametri();
        if (m_settings->GetTricentrica()) {
            p->RicalcolaRaggioInternoUscita(ramo->GetSemiLarghezzaSx());
            p->RicalcolaRaggioInternoImmissione(ramo->GetSemiLarghezzaDx());
            p->AccoppiaRaggi(0, true, true, true);
            p->AccoppiaRaggi(1, true, true, true);
            p->RipartisciDeviazioni();
        }
        m_settings->SetParametri(p);
        m_settings->SetParCorsie(ramo->GetParametriCorsie());
        m_settings->CalcolaCorsie();
        ramo->GetParametriCorsie()->SetCorsie(corsie == kImmissione || corsie == kTutte,
                                              corsie == kUscita || corsie == kTutte,
                                              corsie == kSvolta || corsie == kTutte, false);
        m_settings->SetParametri(m_pars.get());
        m_settings->SetParCorsie(m_corsie.get());
        return true;
    }

    // A style as the file gives it.
    struct Modello {
        bool letto = false;
        CConstrPars pars;
        CLanePars corsie;
    };

    // The reader's load of a style into two sets, as the dialog runs it.
    bool Leggi(const wchar_t* stile, CConstrPars* pars, CLanePars* corsie) {
        m_settings->SetParametri(pars);
        m_settings->SetParCorsie(corsie);
        m_settings->SelezionaStile(stile);
        m_lettore->SetSezioni(true, false, false, false, false);
        m_lettore->SetStile(stile);
        m_lettore->SetDestinazioni(m_settings.get());
        const bool letto = m_lettore->Process();
        m_settings->SetParametri(m_pars.get());
        m_settings->SetParCorsie(m_corsie.get());
        return letto;
    }

    // The leg takes the style's file values (the stored values, angles in
    // radians), its name and its lane set.
    static void Prendi(const Modello& m, CSecondariaJunctor* ramo) {
        CConstrPars* p = ramo->GetParametri();
        for (int k = 0; k < CConstrPars::NUMERO_IN_FILE; ++k) {
            const int i = CConstrPars::ORDINE_FILE[k];
            p->Parametro(i).CSingleConstrPar::SetValore(m.pars.Parametro(i).CSingleConstrPar::GetValore());
        }
        p->SetNome(m.pars.GetNome());
        *ramo->GetParametriCorsie() = m.corsie;
    }

    // The largest change of direction at an inner vertex of the leg's kerbs
    // (outer edges and shoulders), in degrees.
    static double GiuntoPeggiore(const std::vector<legs::PolilineaIntersezione>& polilinee, const std::wstring& id,
                                 std::string& dove) {
        double peggiore = 0;
        for (const legs::PolilineaIntersezione& p : polilinee) {
            if (p.dati.empty() || p.dati[0] != id) continue;
            const std::wstring codice = p.Codice();
            if (codice != L"rCEIN" && codice != L"rCEOUT" && codice != L"rBEIN" && codice != L"rBEOUT") continue;
            const GeometryChecker g(p.vertici);
            for (std::size_t k = 1; k + 1 < g.Size(); ++k) {
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

    // The closest approach of each drawn shoulder of the leg to its kerb (0
    // where it crosses it), with the shoulder's code.
    static std::vector<std::pair<std::wstring, double>> DistanzeBanchine(
        const std::vector<legs::PolilineaIntersezione>& polilinee, const std::wstring& id) {
        std::vector<std::pair<std::wstring, double>> distanze;
        for (const auto& [c, b] : {std::pair{L"rCEIN", L"rBEIN"}, std::pair{L"rCEOUT", L"rBEOUT"},
                                   std::pair{L"rCIG", L"rBIG"}, std::pair{L"rCIIN", L"rBIIN"},
                                   std::pair{L"rCIOUT", L"rBIOUT"}}) {
            const legs::PolilineaIntersezione *ciglio = nullptr, *banchina = nullptr;
            for (const legs::PolilineaIntersezione& p : polilinee) {
                if (p.dati.empty() || p.dati[0] != id) continue;
                // A left-turn lane adds two more rCIOUT, open: the island is the closed one.
                if (p.Codice() == c && (p.chiusa || std::wstring(c) != L"rCIOUT")) ciglio = &p;
                if (p.Codice() == b) banchina = &p;
            }
            if (!ciglio || !banchina) continue;
            const GeometryChecker g(ciglio->vertici);
            double minima = 1e9;
            int segno = 0;
            bool incrocia = false;
            for (const geomcheck::Vec2& q : GeometryChecker(banchina->vertici).Samples(40)) {
                const double o = g.SignedOffset(q);
                minima = std::min(minima, std::fabs(o));
                const int s = o > 0 ? 1 : -1;
                if (segno && s != segno && std::fabs(o) < 1) incrocia = true;
                segno = s;
            }
            distanze.emplace_back(b, incrocia ? 0.0 : minima);
        }
        return distanze;
    }

    // Draws the roads of one case, loads the style into each leg and builds
    // it; counts the legs built, keeps the worst kerb joint of every leg
    // (what a refused leg drew stays) and the closest shoulder to its kerb,
    // and counts the reasons of the refused legs.
    void Costruisci(const wchar_t* stile, const legs::Incrocio& i, int corsie, const std::string& nome, Conteggio& n,
                    bool conta) {
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
            std::string dove;
            const double giunto = GiuntoPeggiore(polilinee, idRamo, dove);
            if (giunto > m_giuntoPeggiore) {
                m_giuntoPeggiore = giunto;
                m_giuntoDove = nome + " " + dove;
            }
            // The left-turn lane's first edge, an arc, turns through less than a half turn.
            for (const legs::PolilineaIntersezione& p : polilinee)
                if (!p.dati.empty() && p.dati[0] == idRamo && p.Codice() == L"rCIOUT" && !p.chiusa &&
                    p.vertici.size() == 2) {
                    EXPECT_LT(std::fabs(p.vertici[0].bulge), 1.0) << nome;
                }
            for (const auto& [codice, d] : DistanzeBanchine(polilinee, idRamo))
                if (d < m_banchinaVicina) {
                    m_banchinaVicina = d;
                    m_banchinaDove = nome + " " + U8(codice);
                }
            if (b.GetEsito() != 1) {
                // Where the curb return cannot reach the inner arc, the log says which radius to change.
                const std::wstring log(b.GetLog());
                if (log.find(L"tornerebbe indietro") != std::wstring::npos) {
                    EXPECT_NE(log.find(L": ridurre il raggio r1"), std::wstring::npos) << nome;
                }
                // So does the drop island whose halves cross before its base.
                if (log.find(L"si incrociano prima della base") != std::wstring::npos) {
                    EXPECT_NE(log.find(L"oltre il punto di base: modificare ri"), std::wstring::npos) << nome;
                }
                if (std::getenv("VORTANA_RAMI_MOTIVI"))
                    std::printf("%s\n%s\n", nome.c_str(), U8(std::wstring(b.GetLog())).c_str());
                if (conta) ContaMotivi(std::wstring(b.GetLog()));
                continue;
            }
            std::multiset<std::wstring> codici;
            for (const legs::PolilineaIntersezione& p : polilinee)
                if (!p.dati.empty() && p.dati[0] == idRamo) codici.insert(p.Codice());
            std::multiset<std::wstring> attesi(std::begin(kCodiciRamo), std::end(kCodiciRamo));
            if (corsie == kSvolta || corsie == kTutte) attesi.insert({L"rCIOUT", L"rCIOUT"});
            if (codici == attesi) {
                ++n.interi;
            } else {
                EXPECT_EQ(codici.count(L"rBIG"), 0u) << nome << ": a built leg lacks more than its island's shoulder";
                ++n.senzaBanchina;
                if (conta) ContaMotivi(std::wstring(b.GetLog()));
                if (std::getenv("VORTANA_RAMI_MOTIVI"))
                    std::printf("%s (no island shoulder)\n%s\n", nome.c_str(), U8(std::wstring(b.GetLog())).c_str());
            }
        }
        s.Principale()->Chiudi();
        for (CSecondariaJunctor* ramo : {s.Ramo(), s.Uscita()})
            if (ramo) ramo->Chiudi();
        // On request each case's drawing is saved, to be looked at.
        if (const char* cartella = std::getenv("VORTANA_RAMI_DXF")) {
            std::string file = nome;
            for (char& ch : file)
                if (ch == ' ' || ch == '/') ch = '_';
            std::wstring errore;
            EXPECT_TRUE(vplat::WriteDxfFile(std::string(cartella) + "/" + file + ".dxf", m_db.get(), &errore))
                << U8(errore);
        }
    }

    // The roads of a case drawn afresh and the style loaded into its leg,
    // with the side radii given (0: the style's) whatever the file holds;
    // null, with a failure, where they cannot be prepared.
    std::unique_ptr<legs::Scenario> NuovoCaso(const legs::Incrocio& i, const wchar_t* stile, int corsie,
                                              double riu = 0, double rie = 0) {
        WorkingDrawingTest::TearDown();
        WorkingDrawingTest::SetUp();
        auto s = std::make_unique<legs::Scenario>(i, m_db.get());
        if (!s->Prepara()) {
            ADD_FAILURE() << s->Errore();
            return nullptr;
        }
        if (!CaricaStile(s->Principale(), s->Ramo(), stile, corsie)) {
            ADD_FAILURE() << U8(stile) << " not loaded";
            return nullptr;
        }
        if (riu > 0) s->Ramo()->GetParametri()->riu.SetValore(riu);
        if (rie > 0) s->Ramo()->GetParametri()->rie.SetValore(rie);
        return s;
    }

    // The drop island's shoulder of a built leg: drawn, reaching the main
    // shoulder on the leg's side (within 0.01) and staying on the island's
    // side of it (but for `fuori`), clear of the island's edge.
    static void BanchinaSullaPrincipale(legs::Scenario& s, CConstrJunctor& b, int lato, double fuori) {
        const auto polilinee = legs::PolilineeIntersezione();
        const legs::PolilineaIntersezione* banchina = nullptr;
        for (const legs::PolilineaIntersezione& p : polilinee)
            if (p.Codice() == L"rBIG") banchina = &p;
        ASSERT_NE(banchina, nullptr) << U8(std::wstring(b.GetLog()));
        std::vector<geomcheck::Vertex> linea;
        const datipoli* j = lato == CSecondariaJunctor::kDestra ? s.Principale()->GetDatiPoliBanchinaDx()
                                                                : s.Principale()->GetDatiPoliBanchinaSx();
        for (; j; j = j->next) linea.push_back({j->x, j->y, j->next ? j->bulge : 0});
        const GeometryChecker principale(linea);
        const std::vector<geomcheck::Vec2> punti = GeometryChecker(banchina->vertici).Samples(200);
        geomcheck::Vec2 medio{0, 0};
        for (const geomcheck::Vec2& q : punti) {
            medio.x += q.x / punti.size();
            medio.y += q.y / punti.size();
        }
        const double latoIsola = principale.SignedOffset(medio) > 0 ? 1 : -1;
        double vicina = 1e9;
        for (const geomcheck::Vec2& q : punti) {
            const double oltre = latoIsola * principale.SignedOffset(q);
            EXPECT_GE(oltre, -fuori);
            vicina = std::min(vicina, oltre);
        }
        EXPECT_LT(vicina, 0.01);
        for (const auto& [codice, d] : DistanzeBanchine(polilinee, std::wstring(b.GetId())))
            if (codice == std::wstring(L"rBIG")) {
                EXPECT_GE(d, 0.01);
            }
    }

    // The scenario's leg built as the command builds it, under the id 100.
    static void CostruisciRamo(legs::Scenario& s, CConstrJunctor& b) {
        MargineProgressiva = 5.0;
        b.Init(s.Principale(), s.Ramo());
        b.SetParCorsie(s.Ramo()->GetParametriCorsie());
        b.SetId(100);
        b.Costruisci();
    }

    // The reasons a leg gives (its log's lines that start with " - "), each
    // counted once per leg.
    void ContaMotivi(const std::wstring& log) {
        std::set<std::wstring> motivi;
        std::size_t inizio = 0;
        while (inizio < log.size()) {
            std::size_t fine = log.find(L"\r\n", inizio);
            if (fine == std::wstring::npos) fine = log.size();
            const std::wstring riga = log.substr(inizio, fine - inizio);
            if (riga.rfind(L" - ", 0) == 0 || riga.rfind(L"\n", 0) == 0 || riga.rfind(L" Nessuna", 0) == 0)
                motivi.insert(riga);
            inizio = fine + 2;
        }
        for (const std::wstring& m : motivi) ++m_motivi[m];
    }

    std::unique_ptr<CConstrStylesMgr> m_stili;
    std::unique_ptr<CConstrPars> m_pars;
    std::unique_ptr<CLanePars> m_corsie;
    std::unique_ptr<CJunctorSettings> m_settings;
    std::unique_ptr<CXmlReaderJunctor> m_lettore;
    std::map<std::wstring, Modello> m_modelli;
    double m_giuntoPeggiore = 0;
    std::string m_giuntoDove;
    double m_banchinaVicina = 1e9;
    std::string m_banchinaDove;
    std::map<std::wstring, int> m_motivi;
};

// One style per test, so that the three run side by side.
class StiliSuStradeGenerateTabella : public StiliSuStradeGenerate, public ::testing::WithParamInterface<int> {};

TEST_P(StiliSuStradeGenerateTabella, ShippedStylesBuildOnTheirRoads) {
    const Stile stili[] = {kStili[GetParam()]};
    CaricaFile();
    // style, class, curve, angle, lanes, arrangement -> built legs
    std::map<std::wstring, std::map<int, std::map<int, std::map<int, std::map<int, std::map<int, Conteggio>>>>>>
        tabella;
    for (const Stile& stile : stili)
        for (int classe = 0; classe < 3; ++classe) {
            const bool propria = std::find(stile.classi.begin(), stile.classi.end(), classe) != stile.classi.end();
            const Classe& c = kClassi[classe];
            for (double curva : kCurve)
                for (double angolo : kAngoli)
                    for (int corsie = 0; corsie < kNumeroCorsie; ++corsie) {
                        if (!NellaTabella(propria, curva, corsie)) continue;
                        for (int disposizione = 0; disposizione < kNumeroDisposizioni; ++disposizione)
                            for (int verso : {CSecondariaJunctor::kIn, CSecondariaJunctor::kOut}) {
                                if (disposizione == kIncrocio && verso == CSecondariaJunctor::kOut) continue;
                                legs::Incrocio i = IncrocioDi(c, curva, angolo,
                                                              disposizione == kTSinistra ? CSecondariaJunctor::kSinistra
                                                                                         : CSecondariaJunctor::kDestra,
                                                              verso);
                                i.attraversa = disposizione == kIncrocio;
                                const std::string nome = U8(stile.nome) + " " + c.nome + " " + legs::Descrivi(i) +
                                                         " " + kNomiCorsie[corsie] + (i.attraversa ? " incrocio" : "");
                                Costruisci(stile.nome, i, corsie, nome,
                                           tabella[stile.nome][classe][static_cast<int>(curva)]
                                                  [static_cast<int>(angolo)][corsie][disposizione],
                                           propria && NellaQuota(corsie));
                            }
                    }
        }

    // The table in full on request: per style, class, curve, angle and lane
    // set the legs built whole (+ those built without the drop island's
    // shoulder) of those tried, for each arrangement (In and Out legs
    // together). Always: per style on its classes, a row per curve with the
    // legs whole of those tried at each angle (no lanes, entry lane, all
    // lanes).
    const bool dettaglio = std::getenv("VORTANA_RAMI_TABELLA") != nullptr;
    int interi = 0, senzaBanchina = 0, legs = 0;
    std::string mancanti;
    for (const Stile& stile : stili)
        for (int classe = 0; classe < 3; ++classe) {
            if (!tabella[stile.nome].count(classe)) continue;
            const bool perQuesta = std::find(stile.classi.begin(), stile.classi.end(), classe) != stile.classi.end();
            if (dettaglio) {
                std::printf("\n%s, %s%s\n", U8(stile.nome).c_str(), kClassi[classe].nome,
                            perQuesta ? "" : " (not its class)");
                std::printf("curve | angle | lanes      | T right | T left | crossing\n");
            }
            std::map<int, std::map<int, Conteggio>> quota;  // curve, angle
            for (double curva : kCurve)
                for (double angolo : kAngoli)
                    for (int corsie = 0; corsie < kNumeroCorsie; ++corsie) {
                        const auto& c = tabella[stile.nome][classe][static_cast<int>(curva)];
                        if (!c.count(static_cast<int>(angolo)) || !c.at(static_cast<int>(angolo)).count(corsie))
                            continue;
                        const auto& riga = c.at(static_cast<int>(angolo)).at(corsie);
                        if (dettaglio)
                            std::printf("%5d | %5d | %-10s", static_cast<int>(curva), static_cast<int>(angolo),
                                        kNomiCorsie[corsie]);
                        for (int d = 0; d < kNumeroDisposizioni; ++d) {
                            const Conteggio& n = riga.at(d);
                            if (dettaglio) {
                                if (n.senzaBanchina)
                                    std::printf(" | %d+%d/%d", n.interi, n.senzaBanchina, n.totale);
                                else
                                    std::printf(" | %d/%d", n.interi, n.totale);
                            }
                            interi += n.interi;
                            senzaBanchina += n.senzaBanchina;
                            legs += n.totale;
                            if (perQuesta && NellaQuota(corsie)) {
                                Conteggio& q = quota[static_cast<int>(curva)][static_cast<int>(angolo)];
                                q.interi += n.interi;
                                q.senzaBanchina += n.senzaBanchina;
                                q.totale += n.totale;
                            }
                            const Richiesta r = perQuesta ? Richiesto(angolo, curva, corsie) : kNulla;
                            if ((r == kIntero && n.interi != n.totale) ||
                                (r == kCostruito && n.interi + n.senzaBanchina != n.totale))
                                mancanti += U8(stile.nome) + ", " + kClassi[classe].nome + ", curve " +
                                            std::to_string(static_cast<int>(curva)) + ", " +
                                            std::to_string(static_cast<int>(angolo)) + " degrees, " +
                                            kNomiCorsie[corsie] + ", " + kNomiDisposizioni[d] + "\n";
                        }
                        if (dettaglio) std::printf("\n");
                    }
            if (!perQuesta) continue;
            std::printf("\n%s, %s: legs whole (no lanes, entry lane, all lanes)\ncurve ", U8(stile.nome).c_str(),
                        kClassi[classe].nome);
            for (double angolo : kAngoli) std::printf("| %5d ", static_cast<int>(angolo));
            std::printf("| all\n");
            Conteggio tutti;
            for (double curva : kCurve) {
                if (!quota.count(static_cast<int>(curva))) continue;
                Conteggio riga;
                std::printf("%5d ", static_cast<int>(curva));
                for (double angolo : kAngoli) {
                    const Conteggio& q = quota[static_cast<int>(curva)][static_cast<int>(angolo)];
                    std::printf("| %2d/%2d ", q.interi, q.totale);
                    riga.interi += q.interi;
                    riga.totale += q.totale;
                }
                std::printf("| %d/%d\n", riga.interi, riga.totale);
                tutti.interi += riga.interi;
                tutti.totale += riga.totale;
            }
            std::printf("whole: %d of %d (%.1f %%)\n", tutti.interi, tutti.totale,
                        100.0 * tutti.interi / std::max(1, tutti.totale));
            if (std::find(stile.quota.begin(), stile.quota.end(), classe) != stile.quota.end()) {
                EXPECT_GE(tutti.interi, kQuotaInteri * tutti.totale) << U8(stile.nome) << ", " << kClassi[classe].nome;
            }
        }
    std::printf("\nWhy legs on their styles' classes were not whole (no lanes, entry lane, all lanes):\n");
    for (const auto& [motivo, quanti] : m_motivi) {
        std::string riga = U8(motivo);
        if (!riga.empty() && riga[0] == '\n') riga.erase(0, 1);
        std::printf("%5d %s\n", quanti, riga.c_str());
    }
    std::printf("\n%d of %d legs built whole, %d more without the drop island's shoulder; worst kerb joint %.6f "
                "degrees (%s); shoulder closest to its kerb %.3f (%s)\n",
                interi, legs, senzaBanchina, m_giuntoPeggiore, m_giuntoDove.c_str(), m_banchinaVicina,
                m_banchinaDove.c_str());
    EXPECT_TRUE(mancanti.empty()) << "not every leg built as its style should:\n" << mancanti;
    // On a straight road a T on the left at 180 - a degrees is the T on the
    // right at a degrees turned half round (the traffic with it): each cell
    // builds the same, so no side or skew is favoured by a sign of the build.
    for (const auto& [nome, classi] : tabella)
        for (const auto& [classe, curve] : classi) {
            if (!curve.count(0)) continue;
            const auto& dritta = curve.at(0);
            for (const auto& [angolo, celle] : dritta)
                for (const auto& [corsie, riga] : celle) {
                    const Conteggio& destra = riga.at(kTDestra);
                    const Conteggio& sinistra = dritta.at(180 - angolo).at(corsie).at(kTSinistra);
                    EXPECT_TRUE(destra.interi == sinistra.interi && destra.senzaBanchina == sinistra.senzaBanchina)
                        << U8(nome) << ", " << kClassi[classe].nome << ", " << kNomiCorsie[corsie] << ": T right at "
                        << angolo << " degrees " << destra.interi << "+" << destra.senzaBanchina << ", T left at "
                        << 180 - angolo << " degrees " << sinistra.interi << "+" << sinistra.senzaBanchina;
                }
        }
    // Every kerb and shoulder outline drawn, of a leg built or refused, runs
    // without a corner; no shoulder touches or crosses its kerb.
    EXPECT_LT(m_giuntoPeggiore, 0.01) << m_giuntoDove;
    EXPECT_GE(m_banchinaVicina, 0.01) << m_banchinaDove;
}

INSTANTIATE_TEST_SUITE_P(Stili, StiliSuStradeGenerateTabella, ::testing::Range(0, 3),
                         [](const ::testing::TestParamInfo<int>& info) { return U8(kStili[info.param].nome); });

// A shoulder that comes onto its edge is refused before it is drawn: with
// Extraurbana's former curb-return radius (r1 62.5), on the inside of a
// radius of 200 at 80 degrees, the exit shoulder's outer arcs ran into the
// exit edge; with an r1 of 45 the same leg is built whole.
TEST_F(StiliSuStradeGenerate, ShoulderOnItsEdgeIsRefused) {
    CaricaFile();
    const legs::Incrocio i = IncrocioDi(kClassi[kClasseLarga], 200, 80, CSecondariaJunctor::kSinistra,
                                        CSecondariaJunctor::kOut);
    for (double r1 : {62.5, 45.0}) {
        SCOPED_TRACE(r1);
        const auto caso = NuovoCaso(i, L"Extraurbana", kNessuna);
        ASSERT_TRUE(caso);
        legs::Scenario& s = *caso;
        CConstrPars* p = s.Ramo()->GetParametri();
        p->r1u.SetValore(r1);
        p->r1e.SetValore(r1);
        p->AccoppiaRaggi(0, true, true, true);
        p->AccoppiaRaggi(1, true, true, true);
        CConstrJunctor b;
        CostruisciRamo(s, b);
        const std::wstring log(b.GetLog());
        std::multiset<std::wstring> codici;
        for (const legs::PolilineaIntersezione& q : legs::PolilineeIntersezione()) codici.insert(q.Codice());
        const std::wstring rifiuto = L" - Banchina che tocca o incrocia il proprio ciglio, non disegnata: rBEOUT.\r\n";
        if (r1 > 50) {
            EXPECT_EQ(b.GetEsito(), 0);
            EXPECT_NE(log.find(rifiuto + L"Errore!\r\n"), std::wstring::npos) << U8(log);
            EXPECT_EQ(codici.count(L"rBEOUT"), 0u);
            EXPECT_EQ(codici.count(L"rCEOUT"), 1u);
        } else {
            EXPECT_EQ(b.GetEsito(), 1) << U8(log);
            EXPECT_EQ(codici.count(L"rBEOUT"), 1u);
        }
        s.Principale()->Chiudi();
        s.Ramo()->Chiudi();
    }
}

// On the wide class (the main shoulder 8 from the axis) the drop island's
// first arcs, which touch the main axis, end a short way past the main
// shoulder line: side radii of 14 and 15 (DEFAULT's, before they came down
// for the narrow class) put the point where the
// shoulder's base circle touches an arc's whole circle past the arc's end.
// The base circle then touches that half's side, the straight after the
// arc; the shoulder is drawn, resting on the main shoulder line, inside the
// edge, whose nose follows it.
TEST_F(StiliSuStradeGenerate, IslandShoulderRestsOnTheSideWhereItsFirstArcIsShort) {
    CaricaFile();
    const Classe& c = kClassi[kClasseLarga];
    struct Caso {
        double angolo;
        int lato;
    };
    for (const Caso& k : {Caso{90, CSecondariaJunctor::kDestra}, Caso{90, CSecondariaJunctor::kSinistra},
                          Caso{60, CSecondariaJunctor::kDestra}, Caso{120, CSecondariaJunctor::kSinistra}}) {
        SCOPED_TRACE(std::to_string(k.angolo) + (k.lato == CSecondariaJunctor::kDestra ? " right" : " left"));
        const auto caso = NuovoCaso(IncrocioDi(c, 0, k.angolo, k.lato), L"DEFAULT", kNessuna, 14, 15);
        ASSERT_TRUE(caso);
        legs::Scenario& s = *caso;
        CConstrJunctor b;
        CostruisciRamo(s, b);
        const std::wstring log(b.GetLog());
        EXPECT_EQ(b.GetEsito(), 1) << U8(log);
        EXPECT_EQ(log.find(L"fase di costruzione."), std::wstring::npos) << U8(log);
        BanchinaSullaPrincipale(s, b, k.lato, 1e-3);
        s.Principale()->Chiudi();
        s.Ramo()->Chiudi();
    }
}

// The drop island's shoulder where its halves meet the main shoulder on a
// curve, as the styles build it on their own classes:
// - DEFAULT, 3.75/1.5, outside of a radius of 400 at 120 degrees: the halves
//   reach the main shoulder 3 cm apart and the base circle is that small;
//   its arc must run through the point where it touches the main
//   shoulder's chord. Judged from the island base (the tangent at the base
//   point, which on the curve parts from the chord by more than the
//   circle's radius) it ran the long way round and turned back on itself;
// - Extraurbana, 5.5/2.5, inside of a radius of 120 at 60 degrees: the
//   entry half's first arc, moved in by Lbis, ends on the road's side of
//   the main shoulder, which crosses that half's side instead; the arc
//   from the crossing of its circle round to the side turned almost a
//   whole turn and the outline crossed itself.
// Each leg is built whole; the shoulder reaches the main shoulder and stays
// on the leg's side of it (but for the chord's sagitta), clear of the
// island's edge.
TEST_F(StiliSuStradeGenerate, IslandShoulderMeetsTheCurvedMainShoulder) {
    CaricaFile();
    struct Caso {
        const wchar_t* stile;
        int classe;
        double curva, angolo;
        int lato;
    };
    const Caso casi[] = {
        {L"DEFAULT", kClasseMedia, 400, 120, CSecondariaJunctor::kDestra},
        {L"Extraurbana", kClasseLarga, 120, 60, CSecondariaJunctor::kSinistra},
    };
    for (const Caso& k : casi)
        for (int verso : {CSecondariaJunctor::kIn, CSecondariaJunctor::kOut}) {
            SCOPED_TRACE(U8(k.stile) + " " + std::to_string(k.angolo) +
                         (verso == CSecondariaJunctor::kIn ? " In" : " Out"));
            const legs::Incrocio i = IncrocioDi(kClassi[k.classe], k.curva, k.angolo, k.lato, verso);
            // The side radii the styles shipped with when these were found,
            // whatever the file holds now.
            const auto caso = NuovoCaso(i, k.stile, kNessuna, 14, 15);
            ASSERT_TRUE(caso);
            legs::Scenario& s = *caso;
            CConstrJunctor b;
            CostruisciRamo(s, b);
            const std::wstring log(b.GetLog());
            EXPECT_EQ(b.GetEsito(), 1) << U8(log);
            // The base circle touches the chord of the curved main
            // shoulder: a few millimetres off its arc.
            BanchinaSullaPrincipale(s, b, k.lato, 5e-3);
            s.Principale()->Chiudi();
            s.Ramo()->Chiudi();
        }
}

// On the wide class at 60 degrees on a curve, with side radii of 13 and 14,
// the exit half's first arc is short: the circle of its shoulder's first
// arc crosses the main shoulder line only past the arc's end, where the
// half's side has already reached it. Started there, the shoulder's first
// arc ran nearly all round its circle and the shoulder crossed itself (and
// the edge, whose nose follows it). The shoulder meets the main shoulder
// along that side instead, and its base circle rests on the side.
TEST_F(StiliSuStradeGenerate, IslandShoulderMeetsTheMainShoulderAlongASideItsArcDoesNotReach) {
    CaricaFile();
    struct Caso {
        double curva;
        int verso;
    };
    for (const Caso& k : {Caso{200, CSecondariaJunctor::kIn}, Caso{200, CSecondariaJunctor::kOut}}) {
        SCOPED_TRACE(std::to_string(k.curva) + (k.verso == CSecondariaJunctor::kIn ? " In" : " Out"));
        const legs::Incrocio i = IncrocioDi(kClassi[kClasseLarga], k.curva, 60, CSecondariaJunctor::kSinistra, k.verso);
        const auto caso = NuovoCaso(i, L"DEFAULT", kNessuna, 13, 14);
        ASSERT_TRUE(caso);
        legs::Scenario& s = *caso;
        CConstrJunctor b;
        CostruisciRamo(s, b);
        const std::wstring log(b.GetLog());
        EXPECT_EQ(b.GetEsito(), 1) << U8(log);
        EXPECT_EQ(log.find(L"non disegnata"), std::wstring::npos) << U8(log);
        EXPECT_EQ(log.find(L"fase di costruzione"), std::wstring::npos) << U8(log);
        const auto polilinee = legs::PolilineeIntersezione();
        std::multiset<std::wstring> codici;
        for (const legs::PolilineaIntersezione& p : polilinee) codici.insert(p.Codice());
        EXPECT_EQ(codici, std::multiset<std::wstring>(std::begin(kCodiciRamo), std::end(kCodiciRamo)));
        // The shoulder stays inside the edge.
        bool banchina = false;
        for (const auto& [codice, d] : DistanzeBanchine(polilinee, std::wstring(b.GetId())))
            if (codice == std::wstring(L"rBIG")) {
                banchina = true;
                EXPECT_GE(d, 0.01);
            }
        EXPECT_TRUE(banchina);
        s.Principale()->Chiudi();
        s.Ramo()->Chiudi();
    }
}

// On the wide class at 60 degrees on the radius 120, a riu of 13 makes the
// exit half's first arc touch the island's side just beyond the island's
// base: the arc meets the base only on its way back round its circle, and
// the island's edge, drawn from there, crossed itself. The half is refused
// with the value to change; with a riu of 13.5 the leg is built whole.
TEST_F(StiliSuStradeGenerate, IslandArcTouchingTheSideBeyondTheBaseNamesItsRadius) {
    CaricaFile();
    const legs::Incrocio i = IncrocioDi(kClassi[kClasseLarga], 120, 60, CSecondariaJunctor::kSinistra);
    for (double riu : {13.0, 13.5}) {
        SCOPED_TRACE(riu);
        const auto caso = NuovoCaso(i, L"DEFAULT", kNessuna, riu, 14);
        ASSERT_TRUE(caso);
        legs::Scenario& s = *caso;
        CConstrJunctor b;
        CostruisciRamo(s, b);
        const std::wstring log(b.GetLog());
        std::multiset<std::wstring> codici;
        for (const legs::PolilineaIntersezione& p : legs::PolilineeIntersezione()) codici.insert(p.Codice());
        EXPECT_EQ(log.find(L"incrocia se stessa"), std::wstring::npos) << U8(log);
        if (riu < 13.5) {
            EXPECT_EQ(b.GetEsito(), 0);
            EXPECT_NE(log.find(L" - Numero di intersezioni insufficienti in fase di costruzione 2.\r\n"
                               L" - L'arco di raggio riu non raggiunge la base dell'isola: modificare riu o b1.\r\n"),
                      std::wstring::npos)
                << U8(log);
            EXPECT_EQ(codici.count(L"rCIG"), 0u);
        } else {
            EXPECT_EQ(b.GetEsito(), 1) << U8(log);
            EXPECT_EQ(codici, std::multiset<std::wstring>(std::begin(kCodiciRamo), std::end(kCodiciRamo)));
        }
        s.Principale()->Chiudi();
        s.Ramo()->Chiudi();
    }
}

// The left-turn lane's first edge is the arc about Y (radius rie) from where
// it touches O2, across the axis, to O5. Where rie is small against the
// lane's offsets (DEFAULT's 13 with SLCLm + SRacd1 + SRacd2) the circle's top
// comes close to O5 and both its crossings lie near the island: the one
// nearer the island's base point is the second one, and the edge ran nearly
// all round the circle to it. The arc ends where it first meets O5.
TEST_F(StiliSuStradeGenerate, LeftTurnLaneArcEndsWhereItFirstMeetsItsLine) {
    CaricaFile();
    struct Caso {
        double angolo;
        int lato;
    };
    for (const Caso& k : {Caso{60, CSecondariaJunctor::kDestra}, Caso{120, CSecondariaJunctor::kSinistra}}) {
        SCOPED_TRACE(std::to_string(k.angolo) + (k.lato == CSecondariaJunctor::kDestra ? " right" : " left"));
        const auto caso =
            NuovoCaso(IncrocioDi(kClassi[kClasseMedia], 0, k.angolo, k.lato), L"DEFAULT", kSvolta, 13.5, 13);
        ASSERT_TRUE(caso);
        legs::Scenario& s = *caso;
        CConstrJunctor b;
        CostruisciRamo(s, b);
        const std::wstring log(b.GetLog());
        EXPECT_EQ(b.GetEsito(), 1) << U8(log);
        const CLanePars& c = *s.Ramo()->GetParametriCorsie();
        const double d1 = c.SRacd1.GetValore(), d2 = c.SRacd2.GetValore(), o5 = c.SLCLm.GetValore() + d1;
        const auto cigli = legs::PolilineeIntersezione(L"rCIOUT");
        const legs::PolilineaIntersezione* arco = nullptr;
        for (const legs::PolilineaIntersezione& p : cigli)
            if (!p.chiusa && p.vertici.size() == 2) arco = &p;
        ASSERT_NE(arco, nullptr) << U8(log);
        // Less than a half turn, between O2 and O5 (the main axis is y = 0).
        EXPECT_LT(std::fabs(arco->vertici[0].bulge), 1.0);
        double minimo = 1e9, massimo = -1e9;
        for (const geomcheck::Vec2& q : GeometryChecker(arco->vertici).Samples(200)) {
            const double verso = k.lato == CSecondariaJunctor::kDestra ? -q.y : q.y;
            minimo = std::min(minimo, verso);
            massimo = std::max(massimo, verso);
        }
        EXPECT_GE(minimo, -d2 - 1e-3);
        EXPECT_LE(massimo, o5 + 1e-3);
        s.Principale()->Chiudi();
        s.Ramo()->Chiudi();
    }
}

// A road crossing the main road with a left-turn lane on both legs: each
// leg's lane is the one it gets built alone, and the two lanes' edges cross
// near the crossing, as their construction makes them. Each lane is drawn
// from its own leg's island: its first edge, the arc about Y from its O2 to
// O5, runs across the axis through the stretch where the other leg's second
// edge closes across the lanes from its F2 to its F3.
TEST_F(StiliSuStradeGenerate, OppositeLeftTurnLanesCrossAsEachIsBuiltAlone) {
    CaricaFile();
    legs::Incrocio i = IncrocioDi(kClassi[kClasseLarga], 0, 100);
    i.attraversa = true;
    // The open lane edges of each id, as drawn.
    auto Corsie = [] {
        std::map<std::wstring, std::vector<std::vector<geomcheck::Vertex>>> corsie;
        for (const legs::PolilineaIntersezione& p : legs::PolilineeIntersezione(L"rCIOUT"))
            if (!p.chiusa) corsie[p.dati[0]].push_back(p.vertici);
        return corsie;
    };
    // Both legs (ids 100 and 200), or only one of them.
    auto Costruisci = [&](int soloIl) {
        WorkingDrawingTest::TearDown();
        WorkingDrawingTest::SetUp();
        legs::Scenario s(i, m_db.get());
        EXPECT_TRUE(s.Prepara()) << s.Errore();
        int n = 0;
        for (CSecondariaJunctor* ramo : {s.Ramo(), s.Uscita()}) {
            ++n;
            if (!ramo || (soloIl && soloIl != n)) continue;
            EXPECT_TRUE(CaricaStile(s.Principale(), ramo, L"DEFAULT", kSvolta));
            MargineProgressiva = 5.0;
            CConstrJunctor b;
            b.Init(s.Principale(), ramo);
            b.SetParCorsie(ramo->GetParametriCorsie());
            b.SetId(100 * n);
            b.Costruisci();
            EXPECT_EQ(b.GetEsito(), 1) << U8(std::wstring(b.GetLog()));
        }
        s.Principale()->Chiudi();
        for (CSecondariaJunctor* ramo : {s.Ramo(), s.Uscita()})
            if (ramo) ramo->Chiudi();
        return Corsie();
    };
    auto insieme = Costruisci(0);
    ASSERT_EQ(insieme[L"100"].size(), 2u);
    ASSERT_EQ(insieme[L"200"].size(), 2u);
    auto Uguali = [](const std::vector<std::vector<geomcheck::Vertex>>& a,
                     const std::vector<std::vector<geomcheck::Vertex>>& b) {
        auto Tuple = [](const std::vector<std::vector<geomcheck::Vertex>>& v) {
            std::vector<std::vector<std::tuple<double, double, double>>> t;
            for (const auto& p : v) {
                t.emplace_back();
                for (const geomcheck::Vertex& x : p) t.back().emplace_back(x.x, x.y, x.bulge);
            }
            return t;
        };
        return Tuple(a) == Tuple(b);
    };
    EXPECT_TRUE(Uguali(Costruisci(1)[L"100"], insieme[L"100"]));
    EXPECT_TRUE(Uguali(Costruisci(2)[L"200"], insieme[L"200"]));
    // One leg's arc against the other's second edge, whose first segment
    // runs across the lanes.
    for (const auto& [uno, altro] : {std::pair{L"100", L"200"}, std::pair{L"200", L"100"}}) {
        const std::vector<geomcheck::Vertex>& secondo = insieme[altro][1];
        const GeometryChecker arco(insieme[uno][0]);
        const GeometryChecker chiusura({secondo[0], {secondo[1].x, secondo[1].y, 0}});
        double minima = 1e9;
        for (const geomcheck::Vec2& p : arco.Samples(20000)) minima = std::min(minima, chiusura.DistanceTo(p));
        EXPECT_LT(minima, 1e-3) << U8(uno);
        // The arc's ends lie on either side of that segment's line.
        const geomcheck::Vec2 a{secondo[0].x, secondo[0].y}, b{secondo[1].x, secondo[1].y};
        auto lato = [&](const geomcheck::Vertex& v) {
            return (b.x - a.x) * (v.y - a.y) - (b.y - a.y) * (v.x - a.x);
        };
        EXPECT_LT(lato(arco.At(0)) * lato(arco.At(1)), 0) << U8(uno);
    }
}

}  // namespace
