#include "childprocess.h"
#include "statistics.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// Prints every figure of the program beside Qt's own floor for it, all measured in this one
// run: start-up as whole processes on the offscreen platform and on a virtual X display,
// then the log pane and the freezes from the in-process benchmarks.
namespace {

using childprocess::Environment;

struct Row
{
    std::string figure;
    std::string unit;
    Summary program;
    Summary floor;
};

struct Settings
{
    int startupRuns = 21;
    int repetitions = 5;
};

Settings readSettings(int argc, char **argv)
{
    Settings settings;
    for (int index = 1; index + 1 < argc; index += 2) {
        const std::string option = argv[index];
        const int value = std::atoi(argv[index + 1]);
        if (option == "--runs" && value > 0)
            settings.startupRuns = value;
        else if (option == "--repetitions" && value > 0)
            settings.repetitions = value;
    }
    return settings;
}

std::vector<std::string> failures;

// Program and floor started in turn, so that both meet the same machine load; one unmeasured
// start of each first brings their files into the page cache.
void measureStartup(const std::string &platform, const Environment &environment, int runs,
                    std::vector<Row> &rows)
{
    const std::string folder = childprocess::ownFolder();
    const std::vector<std::string> program = {folder + "/velmora_startup_program"};
    const std::vector<std::string> floor = {folder + "/velmora_startup_floor"};
    childprocess::run(program, environment);
    childprocess::run(floor, environment);

    std::vector<double> programSeconds, floorSeconds, programPeak, floorPeak;
    for (int round = 0; round < runs; ++round) {
        for (const bool isProgram : {true, false}) {
            const childprocess::Run run
                = childprocess::run(isProgram ? program : floor, environment);
            if (!run.succeeded) {
                failures.push_back("start-up " + platform + ": "
                                   + (isProgram ? program[0] : floor[0]) + " failed");
                continue;
            }
            (isProgram ? programSeconds : floorSeconds).push_back(run.seconds * 1e3);
            (isProgram ? programPeak : floorPeak).push_back(run.peakBytes / 1e6);
        }
    }
    rows.push_back({"start-up to idle, " + platform, "ms", summarize(programSeconds),
                    summarize(floorSeconds)});
    rows.push_back(
        {"peak memory, " + platform, "MB", summarize(programPeak), summarize(floorPeak)});
}

// The in-process benchmarks, their repetitions shuffled among each other, read back from
// Google Benchmark's JSON report: one sample per repetition.
using Samples = std::map<std::string, std::vector<double>>;

Samples runInProcessBenchmarks(int repetitions, const std::filesystem::path &folder)
{
    const std::string report = (folder / "velmora_bench.json").string();
    const std::string log = (folder / "velmora_bench.log").string();
    const childprocess::Run run
        = childprocess::run({childprocess::ownFolder() + "/velmora_bench",
                             "--benchmark_filter=LogLine|LogMemory|Freeze",
                             "--benchmark_repetitions=" + std::to_string(repetitions),
                             "--benchmark_enable_random_interleaving=true",
                             "--benchmark_out=" + report, "--benchmark_out_format=json"},
                            {{"QT_QPA_PLATFORM", "offscreen"}}, log);
    if (!run.succeeded)
        failures.push_back("velmora_bench failed; its output is in " + log);

    Samples samples;
    std::ifstream input(report);
    const nlohmann::json results = nlohmann::json::parse(input, nullptr, false);
    if (results.is_discarded() || !results.contains("benchmarks"))
        return samples;
    for (const nlohmann::json &result : results["benchmarks"]) {
        const std::string name = result.value("run_name", "");
        if (result.value("error_occurred", false)) {
            std::string failure = name + ": ";
            failure += result.value("error_message", "");
            failure += " (see " + log + ")";
            failures.push_back(failure);
            continue;
        }
        if (result.value("run_type", "") != "iteration")
            continue;
        // Times come in the unit each benchmark declares; counters as they are.
        samples[name + "#time"].push_back(result.value("real_time", 0.0));
        if (result.contains("bytes_per_line"))
            samples[name + "#bytes_per_line"].push_back(result["bytes_per_line"].get<double>());
    }
    return samples;
}

// The samples of the one benchmark whose name starts with prefix.
Summary lookup(const Samples &samples, const std::string &prefix, const std::string &field)
{
    for (const auto &entry : samples) {
        if (entry.first.rfind(prefix, 0) == 0 && entry.first.size() > field.size()
            && entry.first.compare(entry.first.size() - field.size(), field.size(), field) == 0)
            return summarize(entry.second);
    }
    failures.push_back("no figure for " + prefix);
    return {};
}

void addInProcessRows(const Samples &samples, std::vector<Row> &rows)
{
    const std::vector<std::pair<std::string, std::string>> lengths
        = {{"1000", "1k"}, {"10000", "10k"}, {"100000", "100k"}, {"1000000", "1M"}};
    for (const char *floor : {"InsertAndScrollPane", "BareInsertPane"}) {
        const std::string floorName = std::string(floor) == "BareInsertPane"
            ? "bare insertPlainText"
            : "insertPlainText + scroll to end";
        for (const auto &length : lengths) {
            rows.push_back(
                {"one log line, " + length.second + " lines in the pane (floor: " + floorName + ")",
                 "us", lookup(samples, "BM_LogLine<WindowPane>/" + length.first + "/", "#time"),
                 lookup(samples, "BM_LogLine<" + std::string(floor) + ">/" + length.first + "/",
                        "#time")});
        }
    }
    rows.push_back({"memory per log line", "B",
                    lookup(samples, "BM_LogMemoryPerLine<WindowPane>/", "#bytes_per_line"),
                    lookup(samples, "BM_LogMemoryPerLine<BareInsertPane>/", "#bytes_per_line")});
    rows.push_back({"freeze on Connect, 20 ms per camera call", "ms",
                    lookup(samples, "BM_FreezeOnConnect_Window/", "#time"),
                    lookup(samples, "BM_FreezeOnConnect_Floor/", "#time")});
    rows.push_back({"freeze on Write, 20 ms per camera call", "ms",
                    lookup(samples, "BM_FreezeOnWrite_Window/", "#time"),
                    lookup(samples, "BM_FreezeOnWrite_Floor/", "#time")});
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, value >= 100 ? "%.0f" : "%.1f", value);
    return text;
}

std::string figure(const Summary &summary, const std::string &unit)
{
    return summary.valid ? number(summary.median) + " " + unit : "n/a";
}

std::string spread(const Summary &summary)
{
    return summary.valid ? number(summary.lowerQuartile) + "-" + number(summary.upperQuartile)
                         : "n/a";
}

void printTable(const std::vector<Row> &rows)
{
    std::printf("| Figure | Program | Floor | Ratio | Spread, program / floor |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const Row &row : rows) {
        char ratio[16] = "n/a";
        if (row.program.valid && row.floor.valid && row.floor.median > 0)
            std::snprintf(ratio, sizeof ratio, "%.2f", row.program.median / row.floor.median);
        std::printf("| %s | %s | %s | %s | %s / %s |\n", row.figure.c_str(),
                    figure(row.program, row.unit).c_str(), figure(row.floor, row.unit).c_str(),
                    ratio, spread(row.program).c_str(), spread(row.floor).c_str());
    }
}

} // namespace

int main(int argc, char **argv)
{
    const Settings settings = readSettings(argc, argv);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "velmora-bench";
    std::filesystem::create_directories(folder);
    std::vector<Row> rows;

    std::fprintf(stderr, "Start-up, offscreen platform: %d runs each...\n", settings.startupRuns);
    measureStartup("offscreen", {{"QT_QPA_PLATFORM", "offscreen"}}, settings.startupRuns, rows);
    {
        childprocess::VirtualDisplay display;
        if (display.name().empty()) {
            failures.emplace_back("no virtual X display (is Xvfb installed?): X figures left out");
        } else {
            std::fprintf(stderr, "Start-up, X display %s: %d runs each...\n",
                         display.name().c_str(), settings.startupRuns);
            measureStartup("X display (Xvfb)",
                           {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display.name()}},
                           settings.startupRuns, rows);
        }
    }
    std::fprintf(stderr, "Log pane and freezes: %d repetitions each...\n", settings.repetitions);
    addInProcessRows(runInProcessBenchmarks(settings.repetitions, folder), rows);

    std::printf("\nMedians of %d start-up runs and of %d repetitions of the in-process figures; "
                "spread: interquartile range.\n\n",
                settings.startupRuns, settings.repetitions);
    printTable(rows);
    for (const std::string &failure : failures)
        std::printf("\n*** %s", failure.c_str());
    std::printf(failures.empty() ? "\n" : "\n\n");
    return failures.empty() ? 0 : 1;
}
