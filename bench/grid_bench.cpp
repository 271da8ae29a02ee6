// The grid with 100 and with 100 000 rows of five columns in a 600 x 400
// client: a paint at the top and at the bottom, bringing the last row into
// view, sorting every row, and making the rows. A paint costs the same at
// either size, since only the shown rows are visited. And a paint with one
// cell of 10 000 to 100 000 characters.
#include <benchmark/benchmark.h>

#include <GridCtrl.h>

#include <memory>
#include <random>

#include "GridHost.h"

namespace {

// A grid of `rows` body rows with texts to sort, in its window.
struct Scene {
    CGridCtrl grid;
    std::unique_ptr<GridHost<CGridCtrl>> host;

    explicit Scene(int rows) : grid(rows + 1, 5, 1, 1) {
        host = std::make_unique<GridHost<CGridCtrl>>(grid, 600, 400);
        std::mt19937 random(5);
        wchar_t text[16];
        for (int r = 1; r <= rows; ++r) {
            std::swprintf(text, 16, L"%07u", static_cast<unsigned>(random() % 10000000));
            grid.CellAt(r, 1)->SetText(text);
            grid.CellAt(r, 2)->SetText(L"testo");
        }
        GridHost<CGridCtrl>::Pump();
    }
};

void Paint(benchmark::State& state, bool bottom) {
    vplat::GdiLog::Enable(false);
    Scene scene(static_cast<int>(state.range(0)));
    scene.grid.SendMessage(WM_VSCROLL, bottom ? SB_BOTTOM : SB_TOP);
    CClientDC dc(&scene.grid);
    for (auto _ : state) scene.grid.PaintGrid(&dc);
    vplat::GdiLog::Enable(true);
}

void PaintTop(benchmark::State& state) { Paint(state, false); }
void PaintBottom(benchmark::State& state) { Paint(state, true); }

void ScrollToLastRow(benchmark::State& state) {
    vplat::GdiLog::Enable(false);
    Scene scene(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        scene.grid.SendMessage(WM_VSCROLL, SB_TOP);
        state.ResumeTiming();
        scene.grid.ScrollIntoView(scene.grid.GetRowCount() - 1, 1);
    }
    vplat::GdiLog::Enable(true);
}

void SortAllRows(benchmark::State& state) {
    vplat::GdiLog::Enable(false);
    Scene scene(static_cast<int>(state.range(0)));
    bool ascending = true;
    for (auto _ : state) {
        scene.grid.SortByColumn(1, ascending);
        ascending = !ascending;
    }
    vplat::GdiLog::Enable(true);
}

// One body cell holding a long text, cut with an ellipsis where its column
// ends: a paint of the grid, the cell's text measured once.
void PaintLongCell(benchmark::State& state) {
    vplat::GdiLog::Enable(false);
    Scene scene(100);
    scene.grid.CellAt(1, 1)->SetText(std::wstring(static_cast<size_t>(state.range(0)), L'x').c_str());
    CClientDC dc(&scene.grid);
    for (auto _ : state) scene.grid.PaintGrid(&dc);
    vplat::GdiLog::Enable(true);
}

void MakeRows(benchmark::State& state) {
    vplat::GdiLog::Enable(false);
    Scene scene(0);
    for (auto _ : state) {
        state.PauseTiming();
        scene.grid.SetRows(1);
        state.ResumeTiming();
        scene.grid.SetRows(static_cast<int>(state.range(0)) + 1);
    }
    vplat::GdiLog::Enable(true);
}

}  // namespace

BENCHMARK(PaintTop)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintBottom)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ScrollToLastRow)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SortAllRows)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintLongCell)->Arg(10000)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(MakeRows)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
