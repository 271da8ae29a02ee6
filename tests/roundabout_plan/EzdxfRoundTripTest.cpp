// Plan roundabouts written by an independent DXF writer through the sample
// pipeline (ezdxf, audited there) and read back by the drawing's own reader:
// everything the generator made comes back, and the model's reading holds
// on what comes back.
#include <cmath>
#include <cstdlib>
#include <fstream>

#include <unistd.h>

#include "DisegnoJson.h"
#include "DxfFile.h"
#include "HostText.h"
#include "PlanChecks.h"
#include "PlanFixtures.h"
#include "RoundaboutScenarios.h"
#include "WorkingDrawing.h"

using rotatorie::Entita;
using rotatorie::Rotatoria;

namespace {

bool HaveEzdxf() { return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0; }

class EzdxfRoundTripTest : public WorkingDrawingTest {
protected:
    void SetUp() override {
        WorkingDrawingTest::SetUp();
        std::string modello = ::testing::TempDir() + "rotatorie-XXXXXX";
        ASSERT_NE(mkdtemp(modello.data()), nullptr);
        m_cartella = modello;
    }
    void TearDown() override {
        std::system(("rm -rf '" + m_cartella + "'").c_str());
        WorkingDrawingTest::TearDown();
    }
    // Writes the drawing through the sample pipeline; the pipeline fails
    // when ezdxf's audit of the file it wrote reports errors.
    std::string Scrivi(const std::string& nome, const std::vector<Entita>& entita) {
        std::string json = m_cartella + "/" + nome + ".json";
        std::ofstream(json) << nlohmann::json::array({rotatorie::Json(nome, L"", entita)}).dump();
        std::string comando = "/usr/bin/python3 " VORTANA_SOURCE "/samples/roads/make_road_samples.py '" + m_cartella +
                              "' < '" + json + "' > /dev/null";
        EXPECT_EQ(std::system(comando.c_str()), 0) << "written and audited clean";
        return m_cartella + "/" + nome + ".dxf";
    }
    void Apri(const std::string& file) {
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        std::wstring errore;
        ASSERT_TRUE(vplat::ReadDxfFile(file, m_db.get(), &errore)) << vplat::WideToUtf8(errore);
    }

    std::string m_cartella;
};

// What the model relies on, checked on the entities read back: the outer
// circle's centre and radius, every plan edge's first vertex on it (or the
// switch's distance off it), the items by position, the alignment's data.
void VerificaLettura(const Rotatoria& r, const std::vector<Entita>& generate, const std::vector<Entita>& lette) {
    double raggio = r.raggioEsterno;
    double cx = r.centro.x, cy = r.centro.y;
    for (std::size_t i = 0; i < generate.size(); ++i)
        if (generate[i].tipo == Entita::Cerchio && generate[i].kind == L"aCExt") {
            raggio = lette[i].raggio;
            cx = lette[i].centro.x;
            cy = lette[i].centro.y;
        }
    for (std::size_t i = 0; i < generate.size(); ++i) {
        const Entita& g = generate[i];
        const Entita& l = lette[i];
        SCOPED_TRACE(testing::Message() << (g.kind.empty() ? L"alignment" : g.kind) << " of branch " << g.ramo);
        if (g.tipo == Entita::Cerchio) {
            const auto& voci = g.kind == L"aCInt" ? r.vociInterno : r.vociEsterno;
            if (voci.quante < 0 && voci.codice.empty()) piano::VerificaPosizioni(r, g, l.datiEstesi.get());
            continue;
        }
        if (g.ramo < 0) continue;
        const auto& ramo = r.rami[g.ramo];
        if (g.kind.empty()) {
            piano::VerificaTracciato(ramo, l);
            continue;
        }
        if (g.layer != rotatorie::kLayerRotatoria) continue;
        bool staccato = ramo.bordoStaccato && rotatorie::Codice(*ramo.bordoStaccato) == g.kind;
        ASSERT_FALSE(l.vertici.empty());
        EXPECT_NEAR(std::hypot(l.vertici[0].x - cx, l.vertici[0].y - cy), raggio + (staccato ? ramo.distacco : 0.0), 1e-9)
            << "first vertex on the outer circle";
        bool alterate = false;
        for (const auto& [b, v] : ramo.voci) alterate = alterate || rotatorie::Codice(b) == g.kind;
        if (!alterate) piano::VerificaPosizioni(r, g, l.datiEstesi.get());
    }
}

TEST_F(EzdxfRoundTripTest, SamplesAndSwitchedPlansComeBackWhole) {
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    struct Caso {
        std::string nome;
        std::vector<Rotatoria> rotatorie;
        bool fileCampione = false;  // read the sample in samples/ instead of writing one
    };
    std::vector<Caso> casi;
    for (const auto& c : rotatorie::Campioni()) {
        casi.push_back({c.file, c.rotatorie, false});
        casi.push_back({c.file, c.rotatorie, true});
    }
    Rotatoria alterata = piano::DueRami();
    alterata.graffe = true;
    alterata.vociInterno = {2, L""};
    alterata.rami[0].voci[rotatorie::Bordo::rCIIn] = {-1, L"aCExt"};
    alterata.rami[1].voci[rotatorie::Bordo::rCEOut] = {4, L""};
    casi.push_back({"voci-alterate", {alterata}});
    Rotatoria spostata = piano::DueRami();
    spostata.senzaAnelloInterno = true;
    spostata.rami[0].bordoStaccato = rotatorie::Bordo::rCEOut;
    spostata.rami[0].distacco = 0.5;
    spostata.rami[0].divisa = 1.5;
    spostata.rami[0].ciglio3D = L"CISX";
    spostata.rami[1].senzaBordo = rotatorie::Bordo::rCIOut;
    spostata.rami[1].bordoStaccato = rotatorie::Bordo::rCIIn;
    spostata.rami[1].distacco = -0.25;
    spostata.rami[1].senzaCigliStrada = true;
    casi.push_back({"bordi-spostati", {spostata}});
    Rotatoria spoglia = piano::DueRami();
    spoglia.senzaAnelloEsterno = true;
    spoglia.rami[0].lista1500.clear();
    spoglia.rami[0].lista1505.clear();
    spoglia.rami[1].profilo.clear();
    casi.push_back({"senza-anello-esterno", {spoglia}});

    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome + (c.fileCampione ? " (sample file)" : " (written)"));
        std::vector<std::vector<Entita>> generate;
        std::vector<Entita> tutte;
        for (const Rotatoria& r : c.rotatorie) {
            generate.push_back(rotatorie::EntitaDi(r));
            for (auto& e : rotatorie::EntitaDi(r)) tutte.push_back(std::move(e));
        }
        Apri(c.fileCampione ? VORTANA_SOURCE "/samples/" + c.nome + ".dxf" : Scrivi(c.nome, tutte));
        auto lette = piano::Rileggi(m_db.get());
        piano::ConfrontaEntita(tutte, lette);
        if (lette.size() != tutte.size()) continue;
        std::size_t inizio = 0;
        for (std::size_t k = 0; k < c.rotatorie.size(); ++k) {
            std::vector<Entita> sue;
            for (std::size_t i = 0; i < generate[k].size(); ++i) sue.push_back(std::move(lette[inizio + i]));
            VerificaLettura(c.rotatorie[k], generate[k], sue);
            inizio += generate[k].size();
        }
    }
}

// The example of docs/drawing-format.md, run as it stands, writes what the
// generator draws for the same roundabout.
TEST_F(EzdxfRoundTripTest, DocumentedExampleWritesWhatTheGeneratorDraws) {
    if (!HaveEzdxf()) GTEST_SKIP() << "ezdxf is not installed";
    std::ifstream doc(VORTANA_SOURCE "/docs/drawing-format.md");
    std::string riga, script;
    bool esempio = false, codice = false;
    while (std::getline(doc, riga)) {
        if (riga.rfind("Example, a one-branch roundabout", 0) == 0) esempio = true;
        if (esempio && riga == "```python") {
            codice = true;
        } else if (codice && riga == "```") {
            break;
        } else if (codice) {
            script += riga + "\n";
        }
    }
    ASSERT_FALSE(script.empty()) << "no example in the document";
    std::string py = m_cartella + "/esempio.py", dxf = m_cartella + "/esempio.dxf";
    std::ofstream(py) << script;
    ASSERT_EQ(std::system(("/usr/bin/python3 '" + py + "' '" + dxf + "'").c_str()), 0);
    Apri(dxf);

    Rotatoria r;
    r.nomePianta = L"PR-UNO";
    r.nome = L"Rotatoria Nord";
    r.centro = {500, 300, 0};
    rotatorie::Ramo ramo;
    ramo.nome = L"SP 1";
    ramo.nomeInterno = L"TR00000001";
    ramo.angolo = piano::Gradi(45);
    ramo.profilo = {{0.0, 50.0}, {90.0, 51.8}};
    ramo.lista1500 = {{0.0, -2.5, -2.5}};
    ramo.lista1505 = {{0.0, 0.0, 0.0}};
    r.rami = {ramo};
    piano::ConfrontaEntita(rotatorie::EntitaDi(r), piano::Rileggi(m_db.get()));
}

}  // namespace
