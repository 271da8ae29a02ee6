// The host's file of managed calls: each call of the roundabout module's
// managed API on its own transcript line, run after the commands and before
// the drawing is saved; any line that cannot be read, made or that answers
// an error code ends the host with exit 1 naming the line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

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
        "[managed] line 16: r.setPassoDiscr(2) -> done\n",
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
        const char* chiamate;
        const char* motivo;
    };
    const Caso casi[] = {
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
        {"r = GyroformFactory.allocaRotatoria()\nx = r.liberaPtr()\n", "line 2: r.liberaPtr() has no result to name"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.chiamate);
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
