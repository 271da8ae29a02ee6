// Layer names the modules build from settings and from the drawing's own
// data: a name no layer may have is refused where the layer would be made,
// the module says so, and the drawing saved afterwards opens again, here and
// in an independent reader.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "EzdxfSupport.h"
#include "HostRunner.h"

namespace {

const std::string kPianta = VORTANA_SOURCE "/samples/rotatoria-tre-rami.dxf";
const std::string kChiamate = VORTANA_SOURCE "/samples/rotatoria.calls";
const std::string kIncrocio = VORTANA_SOURCE "/samples/strade-incrocio-curva.dxf";

std::string Leggi(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string Sostituisci(std::string testo, const std::string& da, const std::string& a) {
    for (size_t p = testo.find(da); p != std::string::npos; p = testo.find(da, p + a.size()))
        testo.replace(p, da.size(), a);
    return testo;
}

struct Fonte {
    const char* nome;
    std::string settings;  // DEFAULTSETTINGS.INI of the installation ("" the build's)
    std::string progetto;  // the project's settings file ("" none)
    bool nomeConBarra;     // the plan roundabout named "Rotatoria/Sud"
    bool junctor;          // a new intersection instead of the roundabout's calls
    std::string messaggio;  // what the transcript shows
};

class LayerNames : public ::testing::TestWithParam<Fonte> {};

TEST_P(LayerNames, AreRefusedReportedAndTheSavedDrawingOpensAgain) {
    const Fonte& f = GetParam();
    TempFolder cartella;
    const std::string host = CopyInstallation(cartella, VORTANA_BIN, {"DEFAULTSETTINGS.INI", "Junctor"});
    if (!f.settings.empty()) cartella.Write("bin/DEFAULTSETTINGS.INI", f.settings);
    std::vector<std::string> argomenti;
    if (f.junctor) {
        cartella.Write("script.txt", "dialog 7001 click 7002\ntracciato SS 9\ntracciato SP 21\ndialog 7001 click 1\n"
                                     "dialog 7003 key ESCAPE\n");
        argomenti = {"--set", "USERS1=QV-PX", "--drawing", kIncrocio, "--load", "Junctor.arx", "--script",
                     cartella.File("script.txt"), "--run", "Junctor"};
    } else {
        std::string pianta = kPianta;
        if (f.nomeConBarra) {
            cartella.Write("pianta.dxf", Sostituisci(Leggi(kPianta), "\nRotatoria Sud\n", "\nRotatoria/Sud\n"));
            pianta = cartella.File("pianta.dxf");
        }
        argomenti = {"--drawing", pianta, "--load", "Gyroform.dll", "--managed", kChiamate};
        if (!f.progetto.empty()) {
            cartella.Write("progetto.ini", f.progetto);
            argomenti.insert(argomenti.end(), {"--project", cartella.File("progetto.ini")});
        }
    }
    argomenti.insert(argomenti.end(), {"--save", cartella.File("salvato.dxf")});
    HostRun r = RunHost(host, argomenti);
    ASSERT_EQ(r.exitCode, 0) << r.errors << r.transcript;
    EXPECT_NE(r.transcript.find(f.messaggio), std::string::npos) << r.transcript;

    HostRun riaperto = RunHost(host, {"--drawing", cartella.File("salvato.dxf"), "--save", cartella.File("di-nuovo.dxf")});
    EXPECT_EQ(riaperto.exitCode, 0) << riaperto.errors;
    if (ezdxf_support::HaveEzdxf()) {
        int rc = 0;
        std::string out = ezdxf_support::AuditErrors(cartella.File("salvato.dxf"), &rc);
        EXPECT_EQ(rc, 0) << out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fonti, LayerNames,
    ::testing::Values(
        Fonte{"SettingsOfTheIntersectionLayers",
              "[LAYER]\r\nQV-CIGLI=QV-INTERS|CIGLI\r\nQV-BANCHINE=QV-INTERS-BANCHINE\r\n", "", false, true,
              "[dialog] 7003 key ESCAPE"},  // the error log (its lines: junctor_command)
        Fonte{"LayerSuffixOfTheProject", "", "[SUFFISSILAYERTOP]\r\nQVRO3D-PLAN=PLAN|X\r\n", false, false,
              "Layer non creati, nomi non validi: Rotatoria Sud-PLAN|X"},
        Fonte{"ProfileLayerOfTheProject", "", "[LAYER]\r\nPROGETTO=PROG/ETTO\r\n", false, false,
              "Layer dei profili non creato, nome non valido: PROG/ETTO"},
        Fonte{"RoundaboutNameOfThePlan", "", "", true, false,
              "Layer non creati, nomi non validi: Rotatoria/Sud-QVRO3D-3DFACE, Rotatoria/Sud-QVRO3D-PLAN"}),
    [](const ::testing::TestParamInfo<Fonte>& i) { return std::string(i.param.nome); });

}  // namespace
