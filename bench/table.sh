#!/usr/bin/env bash
# Prints the program's figures beside Qt's own floors, all measured in this one run:
# start-up as whole processes (hyperfine for the time, GNU time for the peak memory) on the
# offscreen platform and on a virtual X display from xvfb-run, then the log pane and the
# freezes as Google Benchmark repeats them. What is left here is one table from their reports.
#
# usage: bash bench/table.sh BENCH_BUILD_FOLDER [START_UP_RUNS [REPETITIONS]]
set -euo pipefail

startups=(program form floor)

# Runs on the platform the caller chose; each start-up program quits once its window is painted.
measure_startup() { # folder runs report-prefix
    local folder=$1 runs=$2 report=$3 name run commands=()
    for name in "${startups[@]}"; do
        commands+=(-n "$name" "$folder/velmora_startup_$name")
    done
    hyperfine -N --warmup 1 --runs "$runs" --export-json "$report.time.json" "${commands[@]}" >&2
    for name in "${startups[@]}"; do
        for ((run = 0; run < runs; ++run)); do
            /usr/bin/time -f %M -o "$report.kb" "$folder/velmora_startup_$name" >/dev/null 2>&1 \
                || { echo "velmora_startup_$name failed on $QT_QPA_PLATFORM" >&2; exit 1; }
            cat "$report.kb"
        done | jq -s --arg name "$name" '{($name): .}'
    done | jq -s add >"$report.memory.json"
}

if [[ ${1:-} == --startup ]]; then
    shift
    measure_startup "$@"
    exit
fi

[[ $# -ge 1 ]] || { echo "usage: bash bench/table.sh BENCH_BUILD_FOLDER [RUNS [REPETITIONS]]" >&2; exit 2; }
folder=$(cd "$1" && pwd)
runs=${2:-21}
repetitions=${3:-5}
reports=$(mktemp -d "${TMPDIR:-/tmp}/velmora-bench.XXXXXX")

echo "Start-up, offscreen platform: $runs runs each" >&2
QT_QPA_PLATFORM=offscreen measure_startup "$folder" "$runs" "$reports/offscreen"
echo "Start-up, X display (xvfb-run): $runs runs each" >&2
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    bash "${BASH_SOURCE[0]}" --startup "$folder" "$runs" "$reports/xvfb"
# The heaviest start-up a configuration file can give: as large as the SDK reads (4 MiB), and all
# of it ports, each a camera to script.
configuration="$reports/worst-case-configuration.json"
ports=$(awk -v limit=$((4 << 20)) 'BEGIN {
    printf "{\"ports\": {"; size = 13
    for (n = 0; size + length(entry = (n ? ", " : "") "\"COM" n "\": {}") <= limit; ++n) {
        printf "%s", entry; size += length(entry)
    }
    printf "}}"; print n >"/dev/stderr" }' 2>&1 >"$configuration")
echo "Start-up with a 4 MiB configuration of $ports ports, offscreen: $runs runs each" >&2
QT_QPA_PLATFORM=offscreen hyperfine -N --warmup 1 --runs "$runs" --export-json "$reports/configured.json" \
    -n configured "env NIVARO_SDK_CONFIG=$configuration $folder/velmora_startup_program" \
    -n unconfigured "env NIVARO_SDK_CONFIG= $folder/velmora_startup_program" >&2
echo "Log pane and freezes: $repetitions repetitions each" >&2
QT_QPA_PLATFORM=offscreen "$folder/velmora_bench" --benchmark_filter='LogLine|LogMemory|Freeze' \
    --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
    --benchmark_display_aggregates_only=true \
    --benchmark_out="$reports/inprocess.json" --benchmark_out_format=json >&2

jq -n -r --arg runs "$runs" --arg repetitions "$repetitions" --arg ports "$ports" \
    --slurpfile configured "$reports/configured.json" \
    --slurpfile offTime "$reports/offscreen.time.json" \
    --slurpfile offMemory "$reports/offscreen.memory.json" \
    --slurpfile xTime "$reports/xvfb.time.json" --slurpfile xMemory "$reports/xvfb.memory.json" \
    --slurpfile bench "$reports/inprocess.json" '
def median: sort | if length % 2 == 1 then .[length / 2 | floor]
                   else (.[length / 2 - 1] + .[length / 2]) / 2 end;
def deviation: (add / length) as $mean
    | if length < 2 then 0 else map((. - $mean) * (. - $mean)) | add / (length - 1) | sqrt end;
def number: if . >= 100 then round | tostring
            else (. * 10 | round) as $tenths | "\($tenths / 10 | floor).\($tenths % 10)" end;
def shown($unit): if . == null then "n/a" elif .deviation == null then "\(.median | number) \($unit)"
    else "\(.median | number) ± \(.deviation | number) \($unit)" end;
def ratio($over; $under): if $over == null or $under == null then "n/a"
    else ($over.median / $under.median * 100 | round) as $hundredths
        | "\($hundredths / 100 | floor).\($hundredths % 100 | if . < 10 then "0\(.)" else tostring end)" end;

def times($report; $name): $report[0].results[] | select(.command == $name)
    | {median: (.median * 1e3), deviation: (.stddev * 1e3)};
# hyperfine reports only the mean of the processor time, which waits for no other process.
def processor($report; $name): $report[0].results[] | select(.command == $name)
    | {median: ((.user + .system) * 1e3), deviation: null};
def peaks($report; $name): $report[0][$name] | map(. * 1024 / 1e6) | {median: median, deviation: deviation};
def startupRow($figure; $unit; f): [("program", "form", "floor") | f] as [$program, $form, $floor]
    | "| \($figure) | \($program | shown($unit)) | \($form | shown($unit)) | \($floor | shown($unit)) | \(ratio($program; $form)) | \(ratio($form; $floor)) |";

# Google Benchmark aggregates of the one benchmark whose name starts with the prefix.
def aggregate($prefix; $field): [$bench[0].benchmarks[]
        | select(.run_type == "aggregate" and (.run_name | startswith($prefix)))]
    | if length == 0 then null else
        {median: (.[] | select(.aggregate_name == "median") | .[$field]),
         deviation: (.[] | select(.aggregate_name == "stddev") | .[$field]),
         unit: (if $field == "real_time" then .[0].time_unit else "B" end)} end;
def benchRow($figure; $program; $floor; $field): [aggregate($program; $field), aggregate($floor; $field)]
    as [$mine, $its]
    | "| \($figure) | \($mine | shown($mine.unit)) | \($its | shown($its.unit)) | \(ratio($mine; $its)) |";

"Medians of \($runs) start-up runs (hyperfine, GNU time) and of \($repetitions) repetitions of the in-process figures (Google Benchmark); ± one standard deviation.",
"",
"| Figure | Program | Its form alone | Empty window | Program / form | Form / empty window |",
"|---|---|---|---|---|---|",
startupRow("start-up to idle, offscreen"; "ms"; times($offTime; .)),
startupRow("processor time (user + system, mean), offscreen"; "ms"; processor($offTime; .)),
startupRow("peak memory, offscreen"; "MB"; peaks($offMemory; .)),
startupRow("start-up to idle, X display (Xvfb)"; "ms"; times($xTime; .)),
startupRow("processor time (user + system, mean), X display (Xvfb)"; "ms"; processor($xTime; .)),
startupRow("peak memory, X display (Xvfb)"; "MB"; peaks($xMemory; .)),
"",
"| Figure | Program | Floor | Ratio |",
"|---|---|---|---|",
((["InsertAndScrollPane", "insertPlainText + scroll to end"], ["BareInsertPane", "bare insertPlainText"])
    as [$floor, $floorName]
    | (["1000", "1k"], ["10000", "10k"], ["100000", "100k"], ["1000000", "1M"]) as [$length, $shown]
    | benchRow("one log line, \($shown) lines in the pane (floor: \($floorName))";
               "BM_LogLine<WindowPane>/\($length)/"; "BM_LogLine<\($floor)>/\($length)/"; "real_time")),
benchRow("memory per log line"; "BM_LogMemoryPerLine<WindowPane>/";
         "BM_LogMemoryPerLine<BareInsertPane>/"; "bytes_per_line"),
([times($configured; "configured"), times($configured; "unconfigured")] as [$mine, $its]
    | "| start-up to idle with a 4 MiB configuration of \($ports) ports, offscreen (floor: with none) | \($mine | shown("ms")) | \($its | shown("ms")) | \(ratio($mine; $its)) |"),
benchRow("freeze on Connect, 20 ms per camera call"; "BM_FreezeOnConnect_Window/";
         "BM_FreezeOnConnect_Floor/"; "real_time"),
benchRow("freeze on Write, 20 ms per camera call"; "BM_FreezeOnWrite_Window/";
         "BM_FreezeOnWrite_Floor/"; "real_time"),
([$bench[0].benchmarks[] | select(.error_occurred == true)
    | "\n*** \(.run_name): \(.error_message)"] | unique[])'

# A benchmark that failed (a floor whose SDK calls drifted from the window's) fails the table.
! jq -e '[.benchmarks[] | select(.error_occurred == true)] | length > 0' \
    "$reports/inprocess.json" >/dev/null
