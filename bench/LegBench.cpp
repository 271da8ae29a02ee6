// Building one intersection leg (id, drop island, curb returns, triangular
// islands, lanes with their records) on a drawing that holds 10 000 or
// 100 000 other entities.
// - CostruisciRamo: what a plan drawing holds besides the roads: a quarter
//   plain polylines, a quarter polylines with the data of another
//   application, a quarter texts, a quarter circles. The whole-drawing
//   selections are answered from the drawing's indexes, so the build costs
//   what it costs on an empty drawing.
// - CostruisciRamoTraStrade: a quarter plain polylines, a quarter road edges
//   of other roads, a quarter polylines of other intersections, a quarter
//   lines. The id check asks the drawing for its id alone; the edge lookup
//   reads every edge polyline, so this cost grows with the roads drawn.
#include <benchmark/benchmark.h>

#include <arx.h>

#include <memory>
#include <vector>

#include "CConstrJunctor.h"
#include "LegScenario.h"
#include "PolilineeJunctor.h"
#include "UnrelatedEntities.h"

namespace {

void EntitaNonCorrelate(AcDbDatabase* db, int n) { AddUnrelatedEntities(db, n, 5000, 5000); }

void AltreStrade(AcDbDatabase* db, int n) {
    acdbRegApp(L"QV-VORTANA-NPOLI");
    acdbRegApp(kAppIntersezione);
    AcDbBlockTableRecord* ms = ModelSpaceForWrite(db);
    static const wchar_t* tipi[] = {L"CDX", L"CSX", L"BDX", L"BSX"};
    for (int i = 0; i < n; ++i) {
        // Far away from the roads of the leg.
        double x = 5000 + (i % 200) * 20.0, y = 5000 + (i / 200) * 20.0;
        AcDbEntity* e = nullptr;
        if (i % 4 == 3) {
            e = new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 10, y, 0));
        } else {
            AcGePoint3dArray v;
            AcGeDoubleArray b;
            for (int k = 0; k < 4; ++k) {
                v.append(AcGePoint3d(x + k * 3, y + (k % 2), 0));
                b.append(k == 1 ? 0.2 : 0.0);
            }
            e = CreaPolilinea(v, b);
        }
        ms->appendAcDbEntity(e);
        resbuf* dati = nullptr;
        if (i % 4 == 1)
            dati = acutBuildList(1001, L"QV-VORTANA-NPOLI", 1070, 1, 1000, tipi[i % 4], 1000, L"Altra strada", RTNONE);
        else if (i % 4 == 2)
            dati = acutBuildList(1001, kAppIntersezione, 1000, std::to_wstring(100000 + i).c_str(), 1000, L"rCIG",
                                 RTNONE);
        if (dati) {
            e->setXData(dati);
            acutRelRb(dati);
        }
        e->close();
    }
    ms->close();
}

void Costruisci(benchmark::State& state, void (*altre)(AcDbDatabase*, int)) {
    auto db = std::make_unique<AcDbDatabase>();
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    legs::Incrocio incrocio;
    legs::Scenario scenario(incrocio, db.get());
    altre(db.get(), static_cast<int>(state.range(0)));
    if (!scenario.Prepara()) state.SkipWithError(scenario.Errore().c_str());
    legs::ImpostaCorsie(*scenario.Ramo()->GetParametriCorsie(), true, true, true);
    MargineProgressiva = 5.0;
    DWORD id = 1;
    int riusciti = 0;
    for (auto _ : state) {
        CConstrJunctor b;
        b.Init(scenario.Principale(), scenario.Ramo());
        b.SetParCorsie(scenario.Ramo()->GetParametriCorsie());
        b.SetId(id++);
        b.Costruisci();
        riusciti += b.GetEsito();
    }
    state.counters["altre_entita"] = static_cast<double>(state.range(0));
    state.counters["rami_riusciti"] = riusciti;
    scenario.Principale()->Chiudi();
    scenario.Ramo()->Chiudi();
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

void CostruisciRamo(benchmark::State& state) { Costruisci(state, EntitaNonCorrelate); }
void CostruisciRamoTraStrade(benchmark::State& state) { Costruisci(state, AltreStrade); }

}  // namespace

BENCHMARK(CostruisciRamo)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(CostruisciRamoTraStrade)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
