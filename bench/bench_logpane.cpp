#include "residentmemory.h"
#include "simulator_control.h"
#include "ui/mainwindow.h"

#include <benchmark/benchmark.h>

// The log pane keeps every line for the life of the window: what one more line costs
// once the pane is long, and how much memory the lines take.
static void BM_AddLogToLongPane(benchmark::State &state)
{
    nivaro_sim::reset();
    const auto linesBefore = static_cast<int>(state.range(0));
    const uint64_t memoryBefore = residentMemoryBytes();
    MainWindow window;
    for (int line = 0; line < linesBefore; ++line)
        window.AddLog("Set SHARPENING value OK");
    const uint64_t memoryFilled = residentMemoryBytes();

    for (auto _ : state)
        window.AddLog("Gamma value = 1.17188");

    state.SetItemsProcessed(state.iterations());
    if (linesBefore > 0 && memoryFilled > memoryBefore)
        state.counters["bytes_per_line"] = double(memoryFilled - memoryBefore) / linesBefore;
    nivaro_sim::reset();
}
BENCHMARK(BM_AddLogToLongPane)->Arg(0)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
