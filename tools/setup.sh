#!/usr/bin/env bash
# Installs what is missing, builds, then either starts the program on the simulated
# camera ("run"), runs every test ("test"), runs everything CI checks ("ci": the tests,
# the Windows stage when VELMORA_WINDOWS_QT is set, then the sanitizer builds with their
# tests, the program built against a camera SDK laid out as the maker's, then static analysis),
# prints the program's figures beside Qt's own floor ("bench", a Release build in
# build-release/), or runs the Windows stage alone ("windows": the Windows program and every
# test cross-built into build-windows/ against the Qt kit that VELMORA_WINDOWS_QT names, the
# tests run under Wine, the window checked whole on the screens and scales of Windows users,
# the installer, the portable zip and the MSI made, then each installed, started, driven and
# removed under Wine, and the program built against a maker-style SDK DLL and started).
# Safe to run again: it installs only what is missing and rebuilds incrementally.
set -euo pipefail

usage() { echo "usage: bash tools/setup.sh run|test|ci|bench|windows" >&2; exit 2; }
[[ $# -eq 1 ]] || usage
mode=$1
[[ $mode == run || $mode == test || $mode == ci || $mode == bench || $mode == windows ]] || usage

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
cd "$root"

windows_stage=false
if [[ $mode == windows || ($mode == ci && -n ${VELMORA_WINDOWS_QT:-}) ]]; then
    windows_stage=true
    kit=${VELMORA_WINDOWS_QT:-}
    if [[ -z $kit ]]; then
        echo "VELMORA_WINDOWS_QT is not set: set it to the folder of a Qt 5.15 built for MinGW-w64" \
            "(x86_64, POSIX threads), e.g. VELMORA_WINDOWS_QT=/opt/qt5-mingw bash tools/setup.sh windows" >&2
        exit 2
    fi
    qt_version_file=$kit/lib/cmake/Qt5Core/Qt5CoreConfigVersion.cmake
    if [[ ! -f $kit/lib/cmake/Qt5/Qt5Config.cmake || ! -f $kit/bin/Qt5Core.dll || ! -f $qt_version_file ]]; then
        echo "VELMORA_WINDOWS_QT=$kit is not a Qt kit for Windows: no lib/cmake/Qt5/Qt5Config.cmake" \
            "or bin/Qt5Core.dll in it" >&2
        exit 2
    fi
    kit=$(cd "$kit" && pwd)
    qt_version=$(sed -n 's/^set(PACKAGE_VERSION "*\([0-9.]*\)"*)$/\1/p' "$qt_version_file")
fi

packages=(build-essential cmake nlohmann-json3-dev libvalijson-dev googletest fonts-dejavu-core)
if [[ $mode != windows ]]; then
    packages+=(
        pkg-config qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev libgtest-dev libbenchmark-dev
        # The end-to-end test drives the program on a virtual X display with real input.
        xvfb xauth xdotool libxcb1-dev
    )
fi
if [[ $mode == test || $mode == ci || $windows_stage == true ]]; then
    # The Windows pieces are proven here: resource script, cross-built SDK DLL, its tests under Wine.
    packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64)
fi
if [[ $windows_stage == true ]]; then
    # The installer, the MSI (wixl; msitools to make a later version of it), and the installed
    # program driven on a virtual X display under Wine (fonts-wine gives Wine its Tahoma).
    packages+=(nsis wixl msitools fonts-wine xvfb xauth xdotool imagemagick liblnk-utils)
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

# The Windows program and every test cross-built into build-windows/, the tests run under
# Wine (the GUI tests on the offscreen platform, with the same fonts as here), the window
# checked on the screens of Windows users, then the three packages made and each checked
# installed, and the program built against a maker-style SDK.
run_windows_stage() {
    local build_windows="$root/build-windows" started=$SECONDS
    local cross=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$kit")
    echo "== windows: cross build in build-windows/ against the Qt $qt_version kit in $kit"
    cmake -S "$root" -B "$build_windows" "${cross[@]}" \
        -DVELMORA_GOOGLETEST_SOURCE_DIR=/usr/src/googletest \
        -DVELMORA_TEST_FONT_DIR=/usr/share/fonts/truetype/dejavu \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tools/wine-run.sh" >/dev/null
    cmake --build "$build_windows" --parallel "$jobs"

    echo "== windows: every test under Wine"
    (
        # shellcheck source=SCRIPTDIR/wine-common.sh
        . "$root/tools/wine-common.sh"
        velmora_find_wine
        trap velmora_stop_wine EXIT
        unset DISPLAY WAYLAND_DISPLAY NIVARO_SDK_CONFIG NIVARO_SDK_LOG NIVARO_SDK_TRACE
        velmora_start_wine
        ctest --test-dir "$build_windows" --output-on-failure --parallel "$jobs"
    )
    echo "== windows: the window whole on the screens and at the scales of Windows users"
    bash "$root/tools/windows-scaling-check.sh" "$build_windows"

    echo "== windows: the installer, the portable zip and the MSI"
    (cd "$build_windows" && cpack)
    local name
    name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build_windows/CPackConfig.cmake")
    echo "== windows: the three packages under Wine"
    bash "$root/tools/windows-install-check.sh" "$qt_version" "$build_windows/$name".{exe,zip,msi}

    echo "== windows: the program against a camera SDK DLL laid out as the maker's"
    bash "$root/tools/vendor-sdk-check.sh" "$build_windows" "$root/build-windows-vendor" "${cross[@]}"
    echo "== windows: stage passed in $((SECONDS - started)) s"
}

if [[ $mode == windows ]]; then
    run_windows_stage
    exit 0
fi

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
    # shellcheck disable=SC2031 # only the Windows stage's test run, in a subshell, unsets it
    if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
        exec "$program"
    fi
    echo "No display found: starting the window on a virtual display (xvfb-run)." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi

# The Windows tools were installed above, so a Windows check that cannot run is a failure.
export VELMORA_REQUIRE_WINDOWS_CHECKS=1
ctest_options=()
if [[ $windows_stage == true ]]; then
    # The Windows stage runs every test under Wine, the SDK's among them: the SDK's own cross
    # build and Wine run would only repeat that part.
    ctest_options+=(--exclude-regex '^sdk_windows_check$')
fi
ctest --preset default --parallel "$jobs" "${ctest_options[@]}"
[[ $mode == ci ]] || exit 0

echo "== the program against a camera SDK laid out as the maker's"
bash tools/vendor-sdk-check.sh "$build" "$root/build-vendor" -DCMAKE_BUILD_TYPE=Release

if [[ $windows_stage == true ]]; then
    run_windows_stage
fi

for preset in sanitize clang-sanitize; do
    echo "== $preset: build and test"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --parallel "$jobs"
    ctest --preset "$preset" --parallel "$jobs"
done

echo "== static analysis"
bash tools/static-analysis.sh "$build"
