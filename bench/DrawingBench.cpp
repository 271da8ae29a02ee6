// Open, dump and save of a drawing of 100 000 road polylines with extended
// data, against ezdxf's read and write of the same file in the same run.
#include <benchmark/benchmark.h>

#include <arx.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <sys/resource.h>
#include <unistd.h>
#include <sys/stat.h>

#include "DrawingDump.h"
#include "DxfFile.h"
#include "HostText.h"

namespace {

const int kPolylines = 100000;

std::string Dir() {
    const char* t = std::getenv("TMPDIR");
    return std::string(t && *t ? t : "/tmp") + "/vortana_bench_";
}

const std::string& SourceFile() {
    static std::string path;
    if (!path.empty()) return path;
    path = Dir() + "polylines.dxf";
    AcDbDatabase db;
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    acdbRegApp(L"QV-VORTANA-NPOLI");
    AcDbBlockTable* bt = nullptr;
    db.getBlockTable(bt, AcDb::kForRead);
    AcDbBlockTableRecord* model = nullptr;
    bt->getAt(ACDB_MODEL_SPACE, model, AcDb::kForWrite);
    bt->close();
    static const wchar_t* kinds[] = {L"CDX", L"CSX", L"BDX", L"BSX"};
    for (int i = 0; i < kPolylines; ++i) {
        AcGePoint3dArray pts;
        AcGeDoubleArray bulges;
        for (int k = 0; k < 4; ++k) {
            pts.append(AcGePoint3d(i * 10.0 + k, k * 2.5, 0));
            bulges.append(k == 1 ? 0.25 : 0.0);
        }
        auto* p = new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 0, false, 0, 0, &bulges);
        model->appendAcDbEntity(p);
        resbuf* x = acutBuildList(1001, L"QV-VORTANA-NPOLI", 1000, kinds[i % 4], 1000, L"Asse principale", 1040,
                                  i * 0.5, 1071, i, RTNONE);
        p->setXData(x);
        acutRelRb(x);
        p->close();
    }
    model->close();
    std::wstring error;
    vplat::WriteDxfFile(path, &db, &error);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return path;
}

int64_t FileSize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

// Reading the file and dropping the drawing again.
void Open(benchmark::State& state) {
    const std::string& path = SourceFile();
    for (auto _ : state) {
        AcDbDatabase db(false);
        std::wstring error;
        if (!vplat::ReadDxfFile(path, &db, &error)) state.SkipWithError("read failed");
    }
    state.counters["polylines"] = kPolylines;
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

// Reading alone: the drawing is dropped outside the timing.
void Read(benchmark::State& state) {
    const std::string& path = SourceFile();
    for (auto _ : state) {
        auto db = std::make_unique<AcDbDatabase>(false);
        std::wstring error;
        if (!vplat::ReadDxfFile(path, db.get(), &error)) state.SkipWithError("read failed");
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}

// The first open in a fresh process (the time is the child's own, from the
// start of the read to the drawing read), and the peak memory of a process
// that only opens the file, against its size.
void OpenPeakMemory(benchmark::State& state) {
    const std::string& path = SourceFile();
    double peakMb = -1;
    for (auto _ : state) {
        std::string cmd = "VORTANA_OPEN_ONLY='" + path + "' /proc/" + std::to_string(getpid()) + "/exe";
        FILE* p = popen(cmd.c_str(), "r");
        long kb = -1;
        double ms = -1;
        if (!p || std::fscanf(p, "%ld %lf", &kb, &ms) != 2) kb = -1;
        if (p) pclose(p);
        if (kb < 0) state.SkipWithError("the opening process failed");
        peakMb = std::max(peakMb, kb / 1024.0);
        state.SetIterationTime(ms > 0 ? ms / 1000 : 0);
    }
    double fileMb = FileSize(path) / 1048576.0;
    state.counters["peak_MiB"] = peakMb;
    state.counters["file_MiB"] = fileMb;
    state.counters["peak_per_file"] = fileMb > 0 ? peakMb / fileMb : 0;
}

void Dump(benchmark::State& state) {
    AcDbDatabase db(false);
    vplat::ReadDxfFile(SourceFile(), &db, nullptr);
    for (auto _ : state) benchmark::DoNotOptimize(vplat::DumpDrawingJson(&db));
}

void Save(benchmark::State& state) {
    AcDbDatabase db(false);
    vplat::ReadDxfFile(SourceFile(), &db, nullptr);
    std::string out = Dir() + "saved.dxf";
    for (auto _ : state) vplat::WriteDxfFile(out, &db, nullptr);
    state.SetBytesProcessed(state.iterations() * FileSize(out));
}

// ezdxf timed inside Python: one readfile, or one saveas of what it read.
double EzdxfSeconds(const char* what) {
    std::string cmd = std::string("/usr/bin/python3 -c \"import ezdxf,sys,time\n"
                                  "t=time.perf_counter(); d=ezdxf.readfile(sys.argv[1]); r=time.perf_counter()-t\n"
                                  "t=time.perf_counter(); d.saveas(sys.argv[2]); w=time.perf_counter()-t\n"
                                  "print(r if sys.argv[3]=='read' else w)\" ") +
                      SourceFile() + " " + Dir() + "ezdxf.dxf " + what;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return -1;
    double s = -1;
    if (std::fscanf(p, "%lf", &s) != 1) s = -1;
    return pclose(p) == 0 ? s : -1;
}

void EzdxfRead(benchmark::State& state) {
    for (auto _ : state) {
        double s = EzdxfSeconds("read");
        if (s < 0) state.SkipWithError("ezdxf is not available");
        state.SetIterationTime(s > 0 ? s : 0);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(SourceFile()));
}

void EzdxfWrite(benchmark::State& state) {
    for (auto _ : state) {
        double s = EzdxfSeconds("write");
        if (s < 0) state.SkipWithError("ezdxf is not available");
        state.SetIterationTime(s > 0 ? s : 0);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(Dir() + "ezdxf.dxf"));
}

}  // namespace

BENCHMARK(Open)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Read)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(Dump)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Save)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(EzdxfRead)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(EzdxfWrite)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

int main(int argc, char** argv) {
    // The child of OpenPeakMemory: open the file, tell the peak and go.
    if (const char* only = std::getenv("VORTANA_OPEN_ONLY")) {
        auto start = std::chrono::steady_clock::now();
        AcDbDatabase db(false);
        if (!vplat::ReadDxfFile(only, &db, nullptr)) return 1;
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld %.1f\n", usage.ru_maxrss, ms);
        std::fflush(stdout);
        std::_Exit(0);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
