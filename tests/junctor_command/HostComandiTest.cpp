// The command functions as the host reaches them: exported by name, each
// behind the start guard.
#include <gtest/gtest.h>

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
        // The update and the delete ask for a polyline: the person presses Esc.
        TempFolder cartella;
        cartella.Write("script.txt", passa ? "entsel <cancel>\nentsel <cancel>\n" : "");
        HostRun r = RunHost(kHost, {"--set", std::string("USERS1=") + users1, "--load", "Junctor.arx", "--script",
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
