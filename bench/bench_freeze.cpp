#include "freeze_floor.h"
#include "shownwidget.h"
#include "simulator_control.h"
#include "ui/mainwindow.h"

#include <QStringList>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// How long the window stays frozen on Connect and on Write when every camera call takes
// as long as a real serial exchange, beside the same SDK calls made with no window.
namespace {

constexpr unsigned cameraCallMs = 20;
const char *const port = "COM7";

using Trace = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

void startSlowCamera()
{
    nivaro_sim::reset();
    nivaro_sim::CameraScript script;
    script.latencyMs = cameraCallMs;
    nivaro_sim::scriptPort(port, script);
}

// Shown, with the slow camera's port listed by a scan, ready for Connect.
void showListingSlowCamera(MainWindow &window)
{
    window.setPortSource([] { return QStringList {QString::fromLatin1(port)}; });
    showAndSettle(window);
    window.scanDevice();
}

Trace traceSince(std::size_t from)
{
    return nivaro_sim::traceLines(from);
}

// The floor is only a floor while it makes exactly the window's calls.
void compareTraces(benchmark::State &state, const Trace &window, const Trace &floor)
{
    if (window == floor)
        return;
    std::fprintf(stderr, "\n*** FLOOR IS WRONG: its SDK calls differ from the window's ***\n");
    for (std::size_t line = 0; line < std::max(window.size(), floor.size()); ++line) {
        const std::string mine = line < window.size() ? window[line] : "(none)";
        const std::string its = line < floor.size() ? floor[line] : "(none)";
        if (mine != its)
            std::fprintf(stderr, "  window: %s\n  floor:  %s\n", mine.c_str(), its.c_str());
    }
    state.SkipWithError("the floor's SDK calls differ from the window's");
}

struct Traces
{
    Trace connect;
    Trace write;
};

// What the window calls on Connect and on Write, the reference for the floor.
Traces windowTraces()
{
    startSlowCamera();
    MainWindow window;
    showListingSlowCamera(window);
    std::size_t mark = nivaro_sim::traceLineCount();
    window.connectDevice();
    Traces traces;
    traces.connect = traceSince(mark);
    mark = nivaro_sim::traceLineCount();
    window.ApplyParamsUser();
    traces.write = traceSince(mark);
    window.disconnectDevice();
    return traces;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

static void BM_FreezeOnConnect_Window(benchmark::State &state)
{
    for (auto _ : state) {
        startSlowCamera();
        MainWindow window;
        showListingSlowCamera(window);
        const auto start = Clock::now();
        window.connectDevice();
        state.SetIterationTime(secondsSince(start));
        window.disconnectDevice();
    }
}

static void BM_FreezeOnConnect_Floor(benchmark::State &state)
{
    const Traces expected = windowTraces();
    for (auto _ : state) {
        startSlowCamera();
        const auto start = Clock::now();
        freeze_floor::Link link = freeze_floor::connect(port);
        state.SetIterationTime(secondsSince(start));
        compareTraces(state, expected.connect, traceSince(0));
        freeze_floor::disconnect(link);
    }
}

static void BM_FreezeOnWrite_Window(benchmark::State &state)
{
    for (auto _ : state) {
        startSlowCamera();
        MainWindow window;
        showListingSlowCamera(window);
        window.connectDevice();
        const auto start = Clock::now();
        window.ApplyParamsUser();
        state.SetIterationTime(secondsSince(start));
        window.disconnectDevice();
    }
}

static void BM_FreezeOnWrite_Floor(benchmark::State &state)
{
    const Traces expected = windowTraces();
    for (auto _ : state) {
        startSlowCamera();
        freeze_floor::Link link = freeze_floor::connect(port);
        const std::size_t mark = nivaro_sim::traceLineCount();
        const auto start = Clock::now();
        freeze_floor::writeUser(*link.camera);
        state.SetIterationTime(secondsSince(start));
        compareTraces(state, expected.write, traceSince(mark));
        freeze_floor::disconnect(link);
    }
}

// A connection takes about half a second: a few iterations per run are enough.
BENCHMARK(BM_FreezeOnConnect_Window)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreezeOnConnect_Floor)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreezeOnWrite_Window)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreezeOnWrite_Floor)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
