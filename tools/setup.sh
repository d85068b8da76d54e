#!/usr/bin/env bash
# Installs what is missing, builds, then either starts the program on the simulated
# camera ("run"), runs every test ("test") or prints the program's figures beside Qt's
# own floor ("bench", a Release build in build-release/). Safe to run again: it installs
# only what is missing and rebuilds incrementally.
set -euo pipefail

usage() { echo "usage: bash tools/setup.sh run|test|bench" >&2; exit 2; }
[[ $# -eq 1 ]] || usage
mode=$1
[[ $mode == run || $mode == test || $mode == bench ]] || usage

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
cd "$root"

packages=(
    build-essential cmake pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev
    nlohmann-json3-dev libgtest-dev googletest libbenchmark-dev
    xvfb xauth
)
if [[ $mode == test ]]; then
    # The Windows pieces are proven here: resource script, cross-built SDK DLL, its tests under Wine.
    packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64)
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

if [[ $mode == bench ]]; then
    # The figures of a Release build; the driver starts its own virtual X display.
    cmake --preset release >/dev/null
    cmake --build --preset release --parallel "$(nproc)" --target velmora_bench_table
    exec "$root/build-release/bench/velmora_bench_table"
fi

cmake --preset default >/dev/null
cmake --build "$build" --parallel "$(nproc)"

if [[ $mode == run ]]; then
    program="$build/app/VelmoraHD"
    if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
        exec "$program"
    fi
    echo "No display found: starting the window on a virtual display (xvfb-run)." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi

# The Windows tools were installed above, so a Windows check that cannot run is a failure.
VELMORA_REQUIRE_WINDOWS_CHECKS=1 ctest --preset default --parallel "$(nproc)"
