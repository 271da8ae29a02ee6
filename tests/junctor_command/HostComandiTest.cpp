// The command functions as the host reaches them: exported by name, each
// behind the start guard.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "HostRunner.h"

namespace {

const std::string kHost = VORTANA_BIN "/vortana-cad";
const std::string kRifiuto = "Funzione non abilitata per l'oggetto attivo";
const std::string kBox = "[messagebox] \"vortana-cad\" OK: Vortana non inizializzato. -> OK";

size_t Conta(const std::string& testo, const std::string& parte) {
    size_t n = 0;
    for (size_t p = testo.find(parte); p != std::string::npos; p = testo.find(parte, p + 1)) ++n;
    return n;
}

TEST(HostComandi, EachExportedCommandRunsBehindTheGuard) {
    for (const char* users1 : {"QV-PX", "qv-px", "QV-PX ", "QV-RR", ""}) {
        SCOPED_TRACE(users1);
        const bool passa = std::string(users1) == "QV-PX";
        // The main dialog is cancelled; the update and the delete ask for a
        // polyline: the person presses Esc.
        TempFolder cartella;
        cartella.Write("script.txt", passa ? "dialog 7001 click 2\nentsel <cancel>\nentsel <cancel>\n" : "");
        HostRun r = RunHost(kHost, {"--trace", "--set", std::string("USERS1=") + users1, "--load", "Junctor.arx", "--script",
                                    cartella.File("script.txt"), "--run", "Junctor", "--run", "JunctorAgg", "--run",
                                    "JunctorCanc"});
        EXPECT_EQ(r.exitCode, 0) << r.errors;
        for (const char* comando : {"Junctor", "JunctorAgg", "JunctorCanc"})
            EXPECT_EQ(Conta(r.transcript, std::string("[command] ") + comando + " (Junctor.arx)"), 1u) << comando;
        EXPECT_EQ(Conta(r.transcript, kRifiuto), passa ? 0u : 3u) << r.transcript;
        EXPECT_EQ(Conta(r.transcript, kBox), passa ? 0u : 3u);
        // Only a new intersection loads the resource library.
        EXPECT_EQ(Conta(r.transcript, "QvInterfaceResources.dll"), passa ? 1u : 0u);
    }
}

}  // namespace

namespace {

std::string Leggi(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// An installation of its own, since "Disegna" saves the module folder's
// style file.
std::string Installazione(const TempFolder& cartella) {
    return CopyInstallation(cartella, VORTANA_BIN, {"DEFAULTSETTINGS.INI", "Junctor"});
}

// The person's four answers build both legs of the crossing; cancelling
// leaves the drawing as a plain open and save does.
TEST(HostComandi, NewIntersectionThroughTheDialog) {
    TempFolder cartella;
    const std::string kHost = Installazione(cartella);
    const std::string campione = VORTANA_SOURCE "/samples/strade-incrocio-curva.dxf";
    cartella.Write("costruisci.txt",
                   "dialog 7001 click 7002\ntracciato SS 9\ntracciato SP 21\ndialog 7001 click 1\n");
    HostRun r = RunHost(kHost, {"--set", "USERS1=QV-PX", "--drawing", campione, "--load", "Junctor.arx", "--script",
                                cartella.File("costruisci.txt"), "--run", "Junctor", "--dump",
                                cartella.File("costruito.json")});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    const std::string dump = Leggi(cartella.File("costruito.json"));
    EXPECT_EQ(Conta(dump, "\"rCIG\""), 2u);
    EXPECT_GT(Conta(dump, "\"1000000\""), 0u);
    EXPECT_GT(Conta(dump, "\"1000001\""), 0u);

    HostRun semplice = RunHost(kHost, {"--drawing", campione, "--save", cartella.File("semplice.dxf")});
    ASSERT_EQ(semplice.exitCode, 0);
    int n = 0;
    for (const char* script : {"dialog 7001 click 2\n",
                               "dialog 7001 click 7002\ntracciato SS 9\ntracciato SP 21\ndialog 7001 click 2\n",
                               "dialog 7001 click 7002\ntracciato <cancel>\ndialog 7001 click 2\n"}) {
        SCOPED_TRACE(script);
        const std::string nome = "annulla" + std::to_string(++n);
        cartella.Write(nome + ".txt", script);
        HostRun a = RunHost(kHost, {"--set", "USERS1=QV-PX", "--drawing", campione, "--load", "Junctor.arx",
                                    "--script", cartella.File(nome + ".txt"), "--run", "Junctor", "--save",
                                    cartella.File(nome + ".dxf")});
        EXPECT_EQ(a.exitCode, 0) << a.errors;
        EXPECT_EQ(Leggi(cartella.File(nome + ".dxf")), Leggi(cartella.File("semplice.dxf")));
    }
}

}  // namespace
