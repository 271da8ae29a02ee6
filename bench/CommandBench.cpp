// The whole new-intersection command as the host runs it (module loaded,
// dialog answered by a script: "Selezione tracciati", the main road, the
// secondary road, "Disegna") on the sample drawing of a junction, alone and
// with 100 000 unrelated entities added far from its roads. Only the
// command is timed; the drawing is opened again before each run.
#include <benchmark/benchmark.h>

#include <arx.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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
        if (name == "Junctor" || name == "DEFAULTSETTINGS.INI")
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

void NuovaIntersezione(benchmark::State& state) {
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
        AddUnrelatedEntities(acdbHostApplicationServices()->workingDatabase(), static_cast<int>(state.range(0)),
                             50000, 50000);
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

}  // namespace

BENCHMARK(NuovaIntersezione)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!g_installation.empty()) fs::remove_all(g_installation);
    return 0;
}
