// The host's file of managed calls: each call of the roundabout module's
// managed API on its own transcript line, run after the commands and before
// the drawing is saved; any line that cannot be read, made or that answers
// an error code ends the host with exit 1 naming the line.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include <nlohmann/json.hpp>

#include "HostRunner.h"

namespace {

const std::string kHost = VORTANA_BIN "/vortana-cad";
const std::string kPianta = VORTANA_SOURCE "/samples/rotatoria-tre-rami.dxf";

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
}

std::string Leggi(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// What a call gave: the transcript after " -> " on the line of that call.
std::string Risultato(const std::string& t, const std::string& chiamata) {
    size_t p = t.find(": " + chiamata + " -> ");
    if (p == std::string::npos) return "";
    p += chiamata.size() + 6;
    return t.substr(p, t.find('\n', p) - p);
}

// Every number of a text, in order.
std::vector<double> Numeri(const std::string& testo) {
    std::vector<double> out;
    for (const char* c = testo.c_str(); *c;) {
        char* fine = nullptr;
        if (std::isdigit(static_cast<unsigned char>(*c)) || ((*c == '-' || *c == '.') && std::isdigit(static_cast<unsigned char>(c[1])))) {
            out.push_back(std::strtod(c, &fine));
            c = fine;
        } else {
            ++c;
        }
    }
    return out;
}

// The entries of an entity-data row "(code x,y,z) ...": code, then the three values.
std::vector<std::array<double, 4>> Righe(const std::string& testo) {
    std::vector<double> n = Numeri(testo);
    std::vector<std::array<double, 4>> out;
    for (size_t i = 0; i + 3 < n.size(); i += 4) out.push_back({n[i], n[i + 1], n[i + 2], n[i + 3]});
    return out;
}

HostRun Esegui(const TempFolder& cartella, const std::string& chiamate) {
    cartella.Write("c.calls", chiamate);
    return RunHost(kHost, {"--drawing", kPianta, "--load", "Gyroform.dll", "--managed", cartella.File("c.calls")});
}

// The sample plan's first circle is entity 30.
const char* kChiamate = R"(# a roundabout from its plan
r = GyroformFactory.allocaRotatoria()
r.disegna(@30)

nome = r.getNome()
cigli = r.getCigli()
anello = cigli[1]
anello.getPuntoDaProg(10.0, p)
prog = 0.0
anello.getProgDaPunto(prog, p)
ramo = cigli[2]
nodi = ramo.getPunti(9)
nodo = nodi[0]
nodo.SetDato(Dato(4, 0.5))
r.ricalcola(cigli[2], 1, 9, nodo, Dato(4, 0.5))
r.setPassoDiscr(2)
r.disegna3D(null)
r.esporta(Point(0.0, -100.0, 0.0))
)";

TEST(ManagedCalls, OgniChiamataSullaSuaRigaPrimaDiSalvare) {
    TempFolder cartella;
    cartella.Write("rotatoria.calls", kChiamate);
    cartella.Write("fine.calls", "r = GyroformFactory.allocaRotatoria()\nr.liberaPtr()\n");
    HostRun run = RunHost(kHost, {"--drawing", kPianta, "--load", "Gyroform.dll", "--managed",
                                  cartella.File("rotatoria.calls"), "--managed", cartella.File("fine.calls"),
                                  "--save", cartella.File("modello.dxf")});
    ASSERT_EQ(run.exitCode, 0) << run.errors << run.transcript;
    const std::string& t = run.transcript;
    EXPECT_EQ(Count(t, "[managed] line "), 16u + 2u) << t;
    const char* righe[] = {
        "[managed] line 2: r = GyroformFactory.allocaRotatoria() -> Rotatoria3D\n",
        "[managed] line 3: r.disegna(@30) -> 1\n",
        "[managed] line 5: nome = r.getNome() -> \"Rotatoria Sud\"\n",
        "[managed] line 7: anello = cigli[1] -> Ciglio3D\n",
        "[managed] line 8: anello.getPuntoDaProg(10.0, p) -> 1; p = Point(",
        "[managed] line 10: anello.getProgDaPunto(prog, p) -> 1; prog = ",
        "[managed] line 13: nodo = nodi[0] -> PuntoCiglio\n",
        "[managed] line 14: nodo.SetDato(Dato(4, 0.5)) -> 1\n",
        "[managed] line 15: r.ricalcola(cigli[2], 1, 9, nodo, Dato(4, 0.5)) -> 1\n",
        "[managed] line 16: r.setPassoDiscr(2) -> 1\n",
        "[managed] line 17: r.disegna3D(null) -> 1\n",
        "[managed] line 18: r.esporta(Point(0.0, -100.0, 0.0)) -> 1\n",
        "[managed] line 2: r.liberaPtr() -> done\n",
    };
    size_t dove = 0;
    for (const char* riga : righe) {
        size_t p = t.find(riga, dove);
        EXPECT_NE(p, std::string::npos) << riga << "\n" << t;
        if (p != std::string::npos) dove = p;
    }
    // The host frees the roundabout the first file left, not the one the second freed.
    EXPECT_EQ(Count(t, "[managed] end: "), 1u) << t;
    EXPECT_LT(t.find("[managed] line 18"), t.find("[managed] end: r.liberaPtr() -> done\n"));
    EXPECT_LT(t.find("[managed] end: r.liberaPtr()"), t.find("[managed] line 1: r = GyroformFactory"));
    // The calls ran while the module was loaded, and before the save: the
    // drawing holds the model that disegna made.
    EXPECT_LT(t.find("[managed] line 18"), t.find("Gyroform.dll: released by the managed host"));
    std::string salvato = Leggi(cartella.File("modello.dxf"));
    EXPECT_NE(salvato.find("QV-VORTANA-INTERS-ROT_3D"), std::string::npos);
    EXPECT_NE(salvato.find("QV-VORTANA-INTERS-ROT_3D_EXP"), std::string::npos);
}

TEST(ManagedCalls, UnaRigaSbagliataFermaIlHostNominandola) {
    struct Caso {
        std::string chiamate;
        const char* motivo;
    };
    std::string profondo;
    for (int i = 0; i < 10000; ++i) profondo += "Dato(1, ";
    profondo += "1" + std::string(10000, ')');
    const Caso casi[] = {
        // Nesting is refused at a fixed depth, long before the stack would go.
        {"r = GyroformFactory.allocaRotatoria()\nx = " + profondo + "\n", "line 2: values nested deeper than 8"},
        {"r = GyroformFactory.allocaRotatoria()\nx = Dato(1, Dato(2, 3))\n",
         "line 2: a Dato holds an integer, a real, true, false, a text or a Point"},
        {"r = GyroformFactory.allocaRotatoria()\nr.disegna(@30)\nr.nonEsiste()\nr.getNome()\n",
         "line 3: unknown method Rotatoria3D.nonEsiste"},
        {"r = GyroformFactory.allocaRotatoria()\n# a comment\n\nr.setPassoDiscr(\"due\")\n",
         "line 4: argument 1 of Rotatoria3D.setPassoDiscr must be a real"},
        {"r = GyroformFactory.allocaRotatoria()\nr.getPassoDiscr(1)\n", "line 2: Rotatoria3D.getPassoDiscr takes 0"},
        {"r = GyroformFactory.allocaRotatoria()\nr.disegna3D(x)\n", "line 2: unknown name \"x\""},
        {"r = GyroformFactory.allocaRotatoria()\nr.disegna(@30\n", "line 2: expected ')'"},
        {"r = GyroformFactory.allocaRotatoria()\nr.disegna(@30)\nc = r.getCigli()\nx = c[99]\n",
         "line 4: c has no member at position 99"},
        {"r = GyroformFactory.allocaRotatoria()\nr.disegna(@30)\nc = r.getCigli()\nr.liberaPtr()\nc.Count()\n",
         "line 5: \"c\": stale handle"},
        {"r = GyroformFactory.allocaRotatoria()\nr.disegna(@30)\nc = r.getCigli()\nr.ricalcola(c, 1, 9, null, Dato())\n",
         "line 4: Rotatoria3D.ricalcola answered -4 (object of another class)"},
        {"Rotatoria3D.getNome()\n", "line 1: Rotatoria3D.getNome needs an object"},
        {"x = r.liberaPtr()\n", "line 1: unknown method r.liberaPtr"},
        // Numbers a managed int or a real cannot hold are refused, not cast.
        {"r = GyroformFactory.allocaRotatoria()\nr.disegna(@30)\nc = r.getCigli()\nx = c[99999999999999999999]\n",
         "line 4: number out of range: 99999999999999999999"},
        {"r = GyroformFactory.allocaRotatoria()\nr.disegna(@30)\nc = r.getCigli()\nx = c[4294967296]\n",
         "line 4: a position out of range: 4294967296"},
        {"r = GyroformFactory.allocaRotatoria()\nr.setRicalcolaPendenzeRami(4294967297)\n",
         "line 2: argument 1 of Rotatoria3D.setRicalcolaPendenzeRami is out of range: 4294967297"},
        {"r = GyroformFactory.allocaRotatoria()\nr.setRicalcolaPendenzeRami(-inf)\n", "line 2: expected a number at \"-inf)\""},
        {"r = GyroformFactory.allocaRotatoria()\nr.setPassoDiscr(1e999)\n", "line 2: number out of range: 1e999"},
        {"r = GyroformFactory.allocaRotatoria()\nx = Dato(3, -2147483649)\n",
         "line 2: a Dato's integer out of range: -2147483649"},
        {"r = GyroformFactory.allocaRotatoria()\nx = r.liberaPtr()\n", "line 2: r.liberaPtr() has no result to name"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.chiamate.substr(0, 120));
        TempFolder cartella;
        cartella.Write("c.calls", c.chiamate);
        HostRun run = RunHost(kHost, {"--drawing", kPianta, "--load", "Gyroform.dll", "--managed",
                                      cartella.File("c.calls"), "--save", cartella.File("d.dxf")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.errors.find(c.motivo), std::string::npos) << run.errors;
        EXPECT_EQ(Count(run.errors, "\n"), 1u) << run.errors;
        // Nothing is saved after a failed call.
        EXPECT_FALSE(std::ifstream(cartella.File("d.dxf")).good());
    }
}

// A parabolic vertex added to the outer ring's profile, computed by the
// profile: every station follows the two grades and, around the vertex, the
// parabola of the radius the profile used.
TEST(ManagedCalls, UnVerticeParabolicoAggiuntoAlProfiloDellAnello) {
    TempFolder cartella;
    HostRun run = Esegui(cartella, R"(r = GyroformFactory.allocaRotatoria()
r.disegna(@30)
cigli = r.getCigli()
est = cigli[1]
L = est.getLunghezza()
est.setTipoCalcolo(8)
vertici = est.getPunti(8)
v0 = vertici[0]
z0 = v0.GetDato(5)
q = GyroformFactory.AllocaIQvObject(29004)
q.inizializza(est, true)
q.SetDato(Dato(4, 78.5))
q.SetDato(Dato(5, 52.5))
q.SetDato(Dato(6, 1500.0))
q.SetDato(Dato(10, "Parabolico"))
m = vertici.Append(q)
n = vertici.Count()
r.ricalcola(est, 1, 29004, m, Dato())
raggio = q.GetDato(6)
r.disegna3D(null)
righe = est.getPuntiAltCiglio(29004)
)");
    ASSERT_EQ(run.exitCode, 0) << run.errors << run.transcript;
    const std::string& t = run.transcript;
    EXPECT_EQ(Risultato(t, "m = vertici.Append(q)"), "PuntoCiglio");
    EXPECT_EQ(Risultato(t, "n = vertici.Count()"), "2");
    EXPECT_EQ(Risultato(t, "r.ricalcola(est, 1, 29004, m, Dato())"), "1");
    const double l = Numeri(Risultato(t, "L = est.getLunghezza()")).at(0);
    const double z0 = Numeri(Risultato(t, "z0 = v0.GetDato(5)")).at(1);
    const double r = Numeri(Risultato(t, "raggio = q.GetDato(6)")).at(1);
    const double cV = 78.5, zV = 52.5;
    ASSERT_GT(r, 0.0);
    const double g1 = (zV - z0) / cV, g2 = (z0 - zV) / (l - cV);
    const double mezza = r * std::fabs(g2 - g1) / 2.0;
    std::vector<std::array<double, 4>> righe = Righe(Risultato(t, "righe = est.getPuntiAltCiglio(29004)"));
    ASSERT_GT(righe.size(), 100u);
    int nellaCurva = 0;
    for (const auto& riga : righe) {
        const double c = riga[1], z = riga[2];
        double atteso = c <= cV ? z0 + g1 * c : zV + g2 * (c - cV);
        if (std::fabs(c - cV) <= mezza) {
            const double dx = c - (cV - mezza);
            atteso = zV - g1 * mezza + g1 * dx + (g2 - g1) / (4.0 * mezza) * dx * dx;
            ++nellaCurva;
        }
        if (c >= l - 1e-6) atteso = z0;  // the ring closes on its first vertex
        EXPECT_NEAR(z, atteso, 1e-6) << "station " << riga[0] << " at " << c;
    }
    EXPECT_GT(nellaCurva, 10);
}

// A fourth plane point raised above the other three: the ring's plane is
// their least-squares plane, and a verification point reads its delta on it.
TEST(ManagedCalls, UnQuartoPuntoDelPianoEUnPuntoDiVerifica) {
    TempFolder cartella;
    HostRun run = Esegui(cartella, R"(r = GyroformFactory.allocaRotatoria()
r.disegna(@30)
cigli = r.getCigli()
est = cigli[1]
piano = est.getPunti(5)
p0 = piano[0]
p1 = piano[1]
p2 = piano[2]
p3 = GyroformFactory.AllocaIQvObject(29005)
p3.inizializza(est, true)
p3.SetDato(Dato(4, 20.0))
p3.SetDato(Dato(5, 53.0))
m = piano.Append(p3)
r.ricalcola(est, 1, 29005, m, Dato())
c0 = p0.GetDato(3)
q0 = p0.GetDato(5)
c1 = p1.GetDato(3)
q1 = p1.GetDato(5)
c2 = p2.GetDato(3)
q2 = p2.GetDato(5)
c3 = p3.GetDato(3)
q3 = p3.GetDato(5)
verifica = est.getPunti(6)
v = GyroformFactory.AllocaIQvObject(29007)
v.inizializza(est, true)
v.SetDato(Dato(4, 40.0))
v.SetDato(Dato(5, 52.0))
mv = verifica.Append(v)
cv = v.GetDato(3)
delta = v.GetDato(12)
testo = v.GetDatoStringa(12, 5, 999999999)
r.disegna3D(null)
punti = est.getPunti3DCiglio()
)");
    ASSERT_EQ(run.exitCode, 0) << run.errors << run.transcript;
    const std::string& t = run.transcript;
    // The least-squares plane z = a x + b y + c through the four points.
    double n[3][3] = {}, v[3] = {};
    for (int i = 0; i < 4; ++i) {
        std::vector<double> c = Numeri(Risultato(t, "c" + std::to_string(i) + " = p" + std::to_string(i) + ".GetDato(3)"));
        std::vector<double> q = Numeri(Risultato(t, "q" + std::to_string(i) + " = p" + std::to_string(i) + ".GetDato(5)"));
        ASSERT_EQ(c.size(), 4u);
        ASSERT_EQ(q.size(), 2u);
        const double riga[3] = {c[1], c[2], 1.0};
        for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 3; ++k) n[j][k] += riga[j] * riga[k];
            v[j] += riga[j] * q[1];
        }
    }
    auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    double piano[3];
    for (int k = 0; k < 3; ++k) {
        double m[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m[i][j] = j == k ? v[i] : n[i][j];
        piano[k] = det(m) / det(n);
    }
    auto z = [&](double x, double y) { return piano[0] * x + piano[1] * y + piano[2]; };
    // Four points not on one plane: the fit is no plane through all of them.
    EXPECT_GT(std::fabs(z(Numeri(Risultato(t, "c3 = p3.GetDato(3)"))[1], Numeri(Risultato(t, "c3 = p3.GetDato(3)"))[2]) - 53.0),
              0.01);
    std::vector<std::array<double, 4>> punti = Righe(Risultato(t, "punti = est.getPunti3DCiglio()"));
    ASSERT_GT(punti.size(), 100u);
    for (const auto& p : punti) EXPECT_NEAR(p[3], z(p[1], p[2]), 1e-6) << "station " << p[0];

    EXPECT_EQ(Risultato(t, "mv = verifica.Append(v)"), "PuntoCiglio");
    std::vector<double> cv = Numeri(Risultato(t, "cv = v.GetDato(3)"));
    ASSERT_EQ(cv.size(), 4u);
    const double delta = Numeri(Risultato(t, "delta = v.GetDato(12)")).at(1);
    EXPECT_NEAR(delta, 52.0 - z(cv[1], cv[2]), 1e-6);
    char testo[32];
    std::snprintf(testo, sizeof testo, "\"%.3f\"", delta);
    EXPECT_EQ(Risultato(t, "testo = v.GetDatoStringa(12, 5, 999999999)"), testo);
}

// The demo's calls run again on the drawing they made: the plan read again
// finds the roundabout's model and replaces it. One model block (with the
// faces of one model), one block reference with the model's data, and each
// exported alignment once, under its name.
TEST(ManagedCalls, LaPiantaLettaDiNuovoSostituisceIlModello) {
    TempFolder cartella;
    const std::string chiamate = VORTANA_SOURCE "/samples/rotatoria.calls";
    const std::string progetto = VORTANA_SOURCE "/samples/rotatoria.ini";
    std::string disegno = kPianta;
    std::vector<nlohmann::json> dump;
    for (int volta = 1; volta <= 2; ++volta) {
        std::string salvato = cartella.File("volta" + std::to_string(volta) + ".dxf");
        std::string json = cartella.File("volta" + std::to_string(volta) + ".json");
        HostRun run = RunHost(kHost, {"--drawing", disegno, "--project", progetto, "--load", "Gyroform.dll",
                                      "--managed", chiamate, "--save", salvato, "--dump", json});
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        dump.push_back(nlohmann::json::parse(Leggi(json)));
        disegno = salvato;
    }
    struct Conti {
        int riferimenti = 0;               // block references with the model's data
        std::map<std::string, int> facce;  // 3D faces by block
        std::map<std::string, int> tracciati;
    };
    auto conta = [](const nlohmann::json& d) {
        Conti c;
        for (const auto& e : d["entities"]) {
            if (e["kind"] == "3DFACE") ++c.facce[e["block"].get<std::string>()];
            for (const auto& x : e.value("xdata", nlohmann::json::array())) {
                if (e["kind"] == "INSERT" && x["app"] == "QV-VORTANA-INTERS-ROT_3D") ++c.riferimenti;
                if (x["app"] != "QV-TRACCIATO") continue;
                const auto& voci = x["items"];
                for (size_t i = 0; i + 1 < voci.size(); ++i)
                    if (voci[i] == nlohmann::json::array({1071, 22400})) ++c.tracciati[voci[i + 1][1].get<std::string>()];
            }
        }
        return c;
    };
    Conti prima = conta(dump[0]), dopo = conta(dump[1]);
    EXPECT_EQ(prima.riferimenti, 1);
    EXPECT_EQ(dopo.riferimenti, 1);
    ASSERT_EQ(prima.facce.size(), 1u);
    EXPECT_EQ(dopo.facce, prima.facce);
    EXPECT_EQ(prima.tracciati.size(), 7u);
    EXPECT_EQ(dopo.tracciati, prima.tracciati);
    for (const auto& [nome, quanti] : dopo.tracciati) EXPECT_EQ(quanti, 1) << nome;
}

// LF, CR LF and a lone CR (old Mac text) all end a line: the same calls on
// the same line numbers, whichever a file uses, mixed ones too.
TEST(ManagedCalls, OgniFineRigaChiudeLaRiga) {
    const std::vector<std::string> righe = {"# the sample's roundabout", "r = GyroformFactory.allocaRotatoria()",
                                            "r.disegna(@30)", "", "nome = r.getNome()", "r.liberaPtr()"};
    for (const std::string fine : {"\n", "\r\n", "\r", "mista"}) {
        SCOPED_TRACE(fine == "\r" ? "CR" : fine == "\n" ? "LF" : fine == "\r\n" ? "CR LF" : fine);
        std::string testo;
        for (size_t i = 0; i < righe.size(); ++i)
            testo += righe[i] + (fine != "mista" ? fine : i % 3 == 0 ? "\r" : i % 3 == 1 ? "\r\n" : "\n");
        TempFolder cartella;
        HostRun run = Esegui(cartella, testo);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_EQ(Count(run.transcript, "[managed] line "), 4u) << run.transcript;
        EXPECT_NE(run.transcript.find("[managed] line 3: r.disegna(@30) -> 1\n"), std::string::npos) << run.transcript;
        EXPECT_NE(run.transcript.find("[managed] line 5: nome = r.getNome() -> \"Rotatoria Sud\"\n"), std::string::npos);
        EXPECT_NE(run.transcript.find("[managed] line 6: r.liberaPtr() -> done\n"), std::string::npos);
    }
}

TEST(ManagedCalls, SenzaIlModuloOSenzaIlFile) {
    TempFolder cartella;
    cartella.Write("c.calls", "r = GyroformFactory.allocaRotatoria()\n");
    HostRun senzaModulo = RunHost(kHost, {"--managed", cartella.File("c.calls")});
    EXPECT_EQ(senzaModulo.exitCode, 1);
    EXPECT_NE(senzaModulo.errors.find("need Gyroform.dll"), std::string::npos) << senzaModulo.errors;
    HostRun senzaFile = RunHost(kHost, {"--load", "Gyroform.dll", "--managed", cartella.File("manca.calls")});
    EXPECT_EQ(senzaFile.exitCode, 1);
    EXPECT_NE(senzaFile.errors.find("--managed: no file"), std::string::npos) << senzaFile.errors;
}

}  // namespace
