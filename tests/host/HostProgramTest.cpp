#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "HostRunner.h"

namespace fs = std::filesystem;

namespace {

const std::string kHost = VORTANA_BIN "/vortana-cad";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
}

// An installation of the host laid out like build/bin, with its service
// library replaced (or left out when `service` is empty).
class Installation {
public:
    explicit Installation(const std::string& service) {
        for (const auto& e : fs::directory_iterator(VORTANA_BIN)) {
            std::string name = e.path().filename().string();
            if (name == "QvTranslatorDll.dll" || e.is_directory()) continue;
            if (name == "vortana-cad")  // a copy: the host finds its folder from its own file
                fs::copy_file(e.path(), m_folder.File(name));
            else
                fs::create_symlink(e.path(), m_folder.File(name));
        }
        if (!service.empty()) fs::create_symlink(service, m_folder.File("QvTranslatorDll.dll"));
    }
    std::string Host() const { return m_folder.File("vortana-cad"); }
    std::string Folder() const { return m_folder.Path(); }

private:
    TempFolder m_folder;
};

}  // namespace

// The host's own tracing is shown only when asked for: without --trace the
// transcript holds what a command line shows, and none of it.
TEST(HostProgram, ShowsItsOwnTracingOnlyWhenAskedFor) {
    TempFolder folder;
    folder.Write("script.txt", "entsel <cancel>\n");
    const std::vector<std::string> args = {"--set", "USERS1=QV-PX", "--load", "Junctor.arx", "--load", "Sheetor.arx",
                                           "--load", "Gyroform.dll", "--script", folder.File("script.txt"), "--run",
                                           "JunctorAgg"};
    HostRun plain = RunHost(kHost, args);
    std::vector<std::string> traced = args;
    traced.push_back("--trace");
    HostRun full = RunHost(kHost, traced);
    ASSERT_EQ(plain.exitCode, 0) << plain.errors;
    ASSERT_EQ(full.exitCode, 0) << full.errors;
    for (const char* kind : {"[module]", "[linker]", "[translator]", "[commands]"}) {
        EXPECT_FALSE(Contains(plain.transcript, kind)) << kind << "\n" << plain.transcript;
        EXPECT_TRUE(Contains(full.transcript, kind)) << kind << "\n" << full.transcript;
    }
    // What the user reads is the same either way.
    EXPECT_FALSE(plain.transcript.empty());
    std::string shown;
    std::istringstream lines(full.transcript);
    for (std::string line; std::getline(lines, line);)
        if (!(line.rfind("[module]", 0) == 0 || line.rfind("[linker]", 0) == 0 || line.rfind("[translator]", 0) == 0 ||
              line.rfind("[commands]", 0) == 0))
            shown += line + "\n";
    EXPECT_EQ(shown, plain.transcript);
}

TEST(HostProgram, LoadsBothModulesBoundToTheServiceAndUnloadsThem) {
    HostRun run = RunHost(kHost, {"--trace", "--load", "Junctor.arx", "--load", "Sheetor.arx"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::string& t = run.transcript;
    EXPECT_TRUE(Contains(t, "[translator] SetAppName Junctor .arx")) << t;
    EXPECT_TRUE(Contains(t, "[translator] SetAppName Sheetor .arx")) << t;
    EXPECT_TRUE(Contains(t, "[translator] FiltraDizPerLib ZnAcadLibs")) << t;
    EXPECT_TRUE(Contains(t, "[module] Junctor.arx: kInitAppMsg -> kRetOK")) << t;
    EXPECT_TRUE(Contains(t, "[module] Sheetor.arx: kInitAppMsg -> kRetOK")) << t;
    EXPECT_TRUE(Contains(t, "[linker] acrxBuildClassHierarchy")) << t;
    // The group is removed by the module's own callback and again by the
    // entry; the second removal finds nothing and is shown once.
    EXPECT_EQ(Count(t, "[commands] removeGroup ASDK_CMD (1 command)"), 1u) << t;
    EXPECT_EQ(Count(t, "[commands] removeGroup"), 2u) << t;
    EXPECT_EQ(Count(t, "[commands] removeGroup Sheetor (0 commands)"), 1u) << t;
    // The last loaded goes first; both are released.
    size_t sheetorOut = t.find("[module] Sheetor.arx: kUnloadAppMsg");
    size_t junctorOut = t.find("[module] Junctor.arx: kUnloadAppMsg");
    ASSERT_NE(sheetorOut, std::string::npos);
    ASSERT_NE(junctorOut, std::string::npos);
    EXPECT_LT(sheetorOut, junctorOut);
    for (const char* module : {"\\Sheetor.arx\n", "\\Junctor.arx\n"}) {
        size_t at = t.find(module, t.find("[module] released"));
        EXPECT_NE(at, std::string::npos) << module << t;
    }
}

TEST(HostProgram, ModuleWithoutItsServiceIsNotKept) {
    const struct {
        std::string service;
        std::string message;
    } cases[] = {
        {"", "Error while loading "},
        {VORTANA_BIN "/translator-variants/no-TrTab/QvTranslatorDll.dll",
         "Error while creating imported function 7 from QvTranslatorDll.dll."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Installation inst(c.service);
        HostRun run = RunHost(inst.Host(), {"--trace", "--load", "Junctor.arx"});
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(Contains(run.transcript, "[messagebox] \"vortana-cad\" OK: " + c.message)) << run.transcript;
        if (c.service.empty()) {
            std::string path = inst.Folder() + "/QvTranslatorDll.dll";
            for (auto& ch : path)
                if (ch == '/') ch = '\\';
            EXPECT_TRUE(Contains(run.transcript, "Error while loading " + path)) << run.transcript;
        }
        EXPECT_TRUE(Contains(run.transcript, "[module] Junctor.arx: kInitAppMsg -> kRetError")) << run.transcript;
        EXPECT_TRUE(Contains(run.errors, "Junctor.arx was not kept")) << run.errors;
        // Nothing of the dropped module stays registered or is sent later.
        EXPECT_FALSE(Contains(run.transcript, "kUnloadAppMsg")) << run.transcript;
        EXPECT_TRUE(Contains(run.transcript, "released")) << run.transcript;
    }
}

TEST(HostProgram, FailuresExitWithAOneLineReason) {
    TempFolder folder;
    folder.Write("extra.txt", "string unused answer\n");
    const struct {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"--load", "NoSuchModule.arx"}, "cannot load NoSuchModule.arx"},
        {{"--load", "Junctor.arx", "--run", "NOSUCHCOMMAND"}, "unknown command NOSUCHCOMMAND"},
        {{"--set", "NOSUCHVAR=1"}, "unknown system variable NOSUCHVAR"},
        {{"--set", "AUNITS=grads"}, "bad value \"grads\" for system variable AUNITS"},
        {{"--set", "USERS1"}, "--set takes NAME=VALUE"},
        {{"--script", folder.File("missing.txt")}, "cannot open the script"},
        {{"--script", folder.File("extra.txt")}, "line 1 (string) was never asked for"},
        {{"--project", folder.File("missing.ini")}, "--project: no settings file"},
        {{"--project", folder.File("")}, "--project: no settings file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        HostRun run = RunHost(kHost, c.args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(Contains(run.errors, c.reason)) << run.errors;
        EXPECT_EQ(Count(run.errors, "\n"), 1u) << run.errors;
    }
}

TEST(HostProgram, TakesAProjectSettingsFile) {
    TempFolder folder;
    folder.Write("progetto.ini", "[LAYER]\nPROGETTO=PRG\n");
    HostRun run = RunHost(kHost, {"--project", folder.File("progetto.ini")});
    EXPECT_EQ(run.exitCode, 0) << run.errors;
}

TEST(HostProgram, TranscriptGoesToTheNamedFile) {
    TempFolder folder;
    HostRun run = RunHost(kHost, {"--trace", "--load", "Sheetor.arx", "--transcript", folder.File("t.txt"),
                                  "--set", "USERS1=QV-PX", "--lisp", "qv-cpath=C:\\Suite\\"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.transcript, "");
    std::ifstream in(folder.File("t.txt"));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(Contains(text, "[module] Sheetor.arx: kInitAppMsg -> kRetOK")) << text;
}

TEST(HostProgram, RendersEveryLayoutAsPngFilesAndAsPagesOfOnePdf) {
    TempFolder out;
    // The sample sheet drawing: alignment 30 and its outline 75, laid out as T5.
    out.Write("script.txt",
              "entsel 30\nstring T\nselect 75\nstring <enter>\nopenfile <cancel>\nint 10\nint 65\n");
    HostRun r = RunHost(kHost, {"--set", "USERS1=QV-PX", "--lisp", "qv-cpath=" VORTANA_BIN "/", "--drawing",
                                VORTANA_BIN "/tavole-innesto.dxf", "--load", "Sheetor.arx", "--script",
                                out.File("script.txt"), "--run", "DisTr", "--render", out.File("fogli.pdf"), "--layout",
                                "*", "--render", out.File("fogli.png"), "--layout", "*", "--render",
                                out.File("pianta.png")});
    ASSERT_EQ(r.exitCode, 0) << r.errors << r.transcript;
    for (const char* png : {"fogli-Layout1.png", "fogli-T5.png", "pianta.png"})
        EXPECT_TRUE(fs::exists(out.File(png))) << png;
    std::ifstream pdf(out.File("fogli.pdf"), std::ios::binary);
    std::string testo((std::istreambuf_iterator<char>(pdf)), std::istreambuf_iterator<char>());
    EXPECT_EQ(testo.rfind("%PDF", 0), 0u);
    EXPECT_EQ(Count(testo, "/Type /Page") - Count(testo, "/Type /Pages"), 2u);

    // A layout that does not exist fails the run with its reason.
    HostRun nessuno = RunHost(kHost, {"--render", out.File("x.pdf"), "--layout", "T5"});
    EXPECT_NE(nessuno.exitCode, 0);
    EXPECT_TRUE(Contains(nessuno.errors + nessuno.transcript, "no layout named T5")) << nessuno.errors;
}

// Page pictures take their names from the layouts with the characters a file
// name may not hold replaced: they never leave the folder asked for, however
// the layouts are named, and two names that meet do not overwrite each other.
TEST(HostProgram, PagePicturesStayInTheFolderAskedFor) {
    TempFolder folder;
    auto layout = [](const char* handle, const char* name, int tab, const char* block) {
        return std::string("0\nLAYOUT\n5\n") + handle + "\n100\nAcDbLayout\n1\n" + name + "\n71\n" +
               std::to_string(tab) + "\n330\n" + block + "\n";
    };
    auto record = [](const char* handle, const char* name) {
        return std::string("0\nBLOCK_RECORD\n5\n") + handle + "\n2\n" + name + "\n";
    };
    folder.Write("fogli.dxf",
                 "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1021\n9\n$HANDSEED\n5\n100\n0\nENDSEC\n0\nSECTION\n2\nTABLES\n0\nTABLE\n2\n"
                 "BLOCK_RECORD\n" + record("A0", "*Paper_Space") + record("A1", "*Paper_Space0") +
                 record("A2", "*Paper_Space1") + record("A3", "*Paper_Space2") +
                 "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n67\n1\n10\n0\n20\n0\n11\n5\n21\n5\n"
                 "0\nENDSEC\n0\nSECTION\n2\nOBJECTS\n" + layout("B0", "x/../../escaped", 1, "A0") +
                 layout("B1", "T/../", 2, "A1") + layout("B2", "a:b", 3, "A2") + layout("B3", "A*B", 4, "A3") +
                 "0\nENDSEC\n0\nEOF\n");
    fs::create_directories(folder.File("OUT/out-x"));
    HostRun run = RunHost(kHost, {"--drawing", folder.File("fogli.dxf"), "--render", folder.File("OUT/out.png"),
                                  "--layout", "*"});
    ASSERT_EQ(run.exitCode, 0) << run.errors << run.transcript;
    std::vector<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder.Path()))
        if (e.is_regular_file()) files.push_back(fs::relative(e.path(), folder.Path()).string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"OUT/out-A_B-2.png", "OUT/out-T_.._.png", "OUT/out-a_b.png",
                                               "OUT/out-x_.._.._escaped.png", "fogli.dxf"}));
}

// The roundabout module is loaded as the suite's managed host loads it: its
// library start-up binds the translation service, no application message is
// sent, and it is released at the end. A library without acrxEntryPoint that
// is no such module is still refused.
TEST(HostProgram, LoadsTheRoundaboutModuleAsTheManagedHostDoes) {
    HostRun run = RunHost(kHost, {"--trace", "--load", "Gyroform.dll"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::string& t = run.transcript;
    EXPECT_TRUE(Contains(t, "[translator] SetAppName Gyroform .arx")) << t;
    EXPECT_TRUE(Contains(t, "[module] Gyroform.dll: loaded by the managed host")) << t;
    EXPECT_FALSE(Contains(t, "Gyroform.dll: kInitAppMsg")) << t;
    EXPECT_FALSE(Contains(t, "Gyroform.dll: kUnloadAppMsg")) << t;
    size_t out = t.find("[module] Gyroform.dll: released by the managed host");
    size_t freed = t.find("Gyroform.dll", t.find("[module] released"));
    EXPECT_NE(out, std::string::npos) << t;
    EXPECT_NE(freed, std::string::npos) << t;

    HostRun refused = RunHost(kHost, {"--load", "QvTranslatorDll.dll"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Contains(refused.errors + refused.transcript, "has no acrxEntryPoint")) << refused.errors;
}
