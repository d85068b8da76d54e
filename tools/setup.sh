#!/usr/bin/env bash
# Installs what is missing, builds, then either starts the program on the simulated
# camera ("run"), runs every test ("test"), runs everything CI checks ("ci": the tests,
# then the sanitizer builds with their tests, then static analysis), or prints the
# program's figures beside Qt's own floor ("bench", a Release build in build-release/).
# Safe to run again: it installs only what is missing and rebuilds incrementally.
set -euo pipefail

usage() { echo "usage: bash tools/setup.sh run|test|ci|bench" >&2; exit 2; }
[[ $# -eq 1 ]] || usage
mode=$1
[[ $mode == run || $mode == test || $mode == ci || $mode == bench ]] || usage

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
cd "$root"

packages=(
    build-essential cmake pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev
    nlohmann-json3-dev libgtest-dev googletest libbenchmark-dev
    # The end-to-end test drives the program on a virtual X display with real input.
    xvfb xauth xdotool libxcb1-dev
    # The offscreen platform draws text too; a bare system has no font at all.
    fonts-dejavu-core
)
if [[ $mode == test || $mode == ci ]]; then
    # The Windows pieces are proven here: resource script, cross-built SDK DLL, its tests under Wine.
    packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64)
fi
if [[ $mode == bench ]]; then
    # Whole processes timed, their peak memory, and the table assembled from the reports.
    packages+=(hyperfine time jq)
fi
if [[ $mode == ci ]]; then
    packages+=(clang libclang-rt-14-dev clang-tidy cppcheck)
fi

as_root() {
    if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

jobs=$(nproc)

if [[ $mode == bench ]]; then
    # The figures of a Release build; the X display figures run under xvfb-run.
    cmake --preset release >/dev/null
    cmake --build --preset release --parallel "$jobs" --target velmora_benchmarks
    exec bash "$root/bench/table.sh" "$root/build-release/bench"
fi

cmake --preset default >/dev/null
cmake --build "$build" --parallel "$jobs"

if [[ $mode == run ]]; then
    program="$build/app/VelmoraHD"
    # Without a configuration the scan finds only real serial ports, which many machines lack.
    if [[ -z ${NIVARO_SDK_CONFIG:-} ]]; then
        export NIVARO_SDK_CONFIG="$root/docs/examples/demo-config.json"
        echo "Simulated cameras from docs/examples/demo-config.json (set NIVARO_SDK_CONFIG for another file)." >&2
    fi
    if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
        exec "$program"
    fi
    echo "No display found: starting the window on a virtual display (xvfb-run)." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi

# The Windows tools were installed above, so a Windows check that cannot run is a failure.
export VELMORA_REQUIRE_WINDOWS_CHECKS=1
ctest --preset default --parallel "$jobs"
[[ $mode == ci ]] || exit 0

for preset in sanitize clang-sanitize; do
    echo "== $preset: build and test"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --parallel "$jobs"
    ctest --preset "$preset" --parallel "$jobs"
done

echo "== static analysis"
bash tools/static-analysis.sh "$build"
