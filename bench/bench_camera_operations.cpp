#include "simulator_control.h"
#include "ui/mainwindow.h"

#include <QComboBox>
#include <QMessageBox>

#include <benchmark/benchmark.h>

// The window's own share of a User read and write: the simulated camera answers at
// once, so what is measured is the form, the conversions, the log pane and the SDK log.
namespace {

void connectSimulatedCamera(MainWindow &window)
{
    auto *ports = window.findChild<QComboBox *>(QStringLiteral("selectDeviceComboBox"));
    ports->addItem(QStringLiteral("COM7"));
    window.connectDevice();
}

} // namespace

static void BM_ReadParamsUser(benchmark::State &state)
{
    nivaro_sim::reset();
    MainWindow window;
    connectSimulatedCamera(window);
    for (auto _ : state)
        benchmark::DoNotOptimize(window.ReadParamsUser());
    nivaro_sim::reset();
}
BENCHMARK(BM_ReadParamsUser)->Unit(benchmark::kMicrosecond);

static void BM_ApplyParamsUser(benchmark::State &state)
{
    nivaro_sim::reset();
    MainWindow window;
    connectSimulatedCamera(window);
    for (auto _ : state)
        window.ApplyParamsUser();
    nivaro_sim::reset();
}
BENCHMARK(BM_ApplyParamsUser)->Unit(benchmark::kMicrosecond);
