// The whole new-intersection command as the host runs it (module loaded,
// dialog answered by a script: "Selezione tracciati", the main road, the
// secondary road, "Disegna") on the sample drawing of a junction, alone and
// with 100 000 unrelated entities added far from its roads. Only the
// command is timed; the drawing is opened again before each run.
#include <benchmark/benchmark.h>

#include <arx.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "AcApps.h"
#include "AcSysVars.h"
#include "DrawingStep.h"
#include "HostScript.h"
#include "HostText.h"
#include "HostTranscript.h"
#include "UnrelatedEntities.h"

namespace fs = std::filesystem;

namespace {

// "Disegna" saves its style file in the module's folder: the command runs
// from an installation of its own, the module's data copied, the rest linked.
std::string g_installation;

const std::string& Installation() {
    std::string& folder = g_installation;
    if (!folder.empty()) return folder;
    const char* t = std::getenv("TMPDIR");
    folder = std::string(t && *t ? t : "/tmp") + "/vortana_command_bench_" + std::to_string(getpid());
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(VORTANA_BIN)) {
        const std::string name = entry.path().filename().string();
        // The host finds its folder from its own file.
        if (name == "Junctor" || name == "DEFAULTSETTINGS.INI" || name == "vortana-cad")
            fs::copy(entry.path(), folder + "/" + name, fs::copy_options::recursive);
        else
            fs::create_symlink(entry.path(), folder + "/" + name);
    }
    std::ofstream(folder + "/nuova.script") << "dialog 7001 click 7002\ntracciato SS 16\ntracciato SP 5\n"
                                               "dialog 7001 click 1\n";
    return folder;
}

int Entities() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    int n = 0;
    for (const auto& s : db->store().Stubs())
        if (auto* e = AcDbEntity::cast(s->object); e && !e->isErased()) ++n;
    return n;
}

void Nuova(benchmark::State& state, void (*altre)(AcDbDatabase*, int, double, double)) {
    const std::string& folder = Installation();
    std::wstring error;
    vplat::SysVars::SetFromText(L"USERS1", L"QV-PX", &error);
    vplat::Transcript::Get().SetSink(nullptr);
    DrawingOptions drawing;
    drawing.drawing = std::string(VORTANA_SOURCE) + "/samples/strade-innesto.dxf";
    std::string reason;
    const std::wstring module = vplat::Utf8ToWide(folder + "/Junctor.arx");
    if (!DrawingStep::Open(drawing, &reason) || !vplat::ArxApps::Load(module, &error)) {
        state.SkipWithError("the drawing or the module did not load");
        return;
    }
    int made = 0;
    for (auto _ : state) {
        state.PauseTiming();
        DrawingStep::Open(drawing, &reason);
        altre(acdbHostApplicationServices()->workingDatabase(), static_cast<int>(state.range(0)), 50000, 50000);
        const int before = Entities();
        vplat::Transcript::Get().Clear();
        vplat::Script::Get().LoadFile(folder + "/nuova.script", &error);
        state.ResumeTiming();
        const bool ran = vplat::ArxApps::Run(L"Junctor", &error);
        state.PauseTiming();
        if (!ran || !vplat::Script::Get().Remaining().empty()) state.SkipWithError("the command did not run through");
        made = Entities() - before;
        state.ResumeTiming();
    }
    vplat::ArxApps::UnloadAll();
    // The same intersection whatever else the drawing holds.
    state.counters["new_entities"] = made;
    state.counters["other_entities"] = static_cast<double>(state.range(0));
}

// The sample with a road network of that many entities, saved once.
const std::string& DisegnoTraStrade(int n) {
    static std::string path;
    if (!path.empty()) return path;
    path = Installation() + "/strade-" + std::to_string(n) + ".dxf";
    std::string reason;
    DrawingOptions drawing;
    drawing.drawing = std::string(VORTANA_SOURCE) + "/samples/strade-innesto.dxf";
    if (!DrawingStep::Open(drawing, &reason)) return path;
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AddRoadNetwork(db, n, 50000, 50000);
    db->dxfOut(vplat::Utf8ToWide(path).c_str());
    return path;
}

// The whole host process on the road network: open, load Junctor and, for
// range 1, the scripted command; wall time and peak memory of the process.
void ProcessoIntero(benchmark::State& state) {
    const std::string& folder = Installation();
    const std::string& path = DisegnoTraStrade(100000);
    const bool comando = state.range(0) == 1;
    long peakKb = 0;
    const std::string peakFile = folder + "/peak.txt";
    // The peak is the host's own, told by time(1) where it is installed: a
    // child forked from this process would count this process's pages too.
    const bool misura = access("/usr/bin/time", X_OK) == 0;
    for (auto _ : state) {
        std::vector<std::string> args = {folder + "/vortana-cad", "--set", "USERS1=QV-PX", "--drawing", path,
                                         "--load", "Junctor.arx", "--transcript", "/dev/null"};
        if (misura) args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", peakFile});
        if (comando) args.insert(args.end(), {"--script", folder + "/nuova.script", "--run", "Junctor"});
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execv(argv[0], argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the host failed");
        state.SetIterationTime(s);
        long kb = 0;
        std::ifstream(peakFile) >> kb;
        peakKb = std::max(peakKb, kb);
    }
    if (misura) state.counters["peak_MiB"] = peakKb / 1024.0;
}

void NuovaIntersezione(benchmark::State& state) { Nuova(state, AddUnrelatedEntities); }
void NuovaIntersezioneTraStrade(benchmark::State& state) { Nuova(state, AddRoadNetwork); }

}  // namespace

BENCHMARK(NuovaIntersezione)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(NuovaIntersezioneTraStrade)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);
// 0: open and load alone; 1: with the command.
BENCHMARK(ProcessoIntero)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(8)->UseManualTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!g_installation.empty()) fs::remove_all(g_installation);
    return 0;
}
