#!/usr/bin/env bash
# Proves the stand-in SDK's Windows boundary from Linux: cross-builds nivaro.sdk.dll and
# the SDK's tests with MinGW-w64, checks the DLL's export table, and runs every SDK test
# under Wine, each case in a process of its own.
#
#   tools/windows-sdk-check.sh [BUILD_DIR]
#
# BUILD_DIR defaults to build-windows-sdk in the source tree and is reused when present.
# Exits 77 (skipped) when the cross compiler, Wine or the GoogleTest sources are missing,
# except in CI (CI or VELMORA_REQUIRE_WINDOWS_CHECKS set), where that is a failure.
# GOOGLETEST_SOURCE_DIR overrides where the GoogleTest sources are (default /usr/src/googletest).
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-$source_dir/build-windows-sdk}
googletest_dir=${GOOGLETEST_SOURCE_DIR:-/usr/src/googletest}
target=x86_64-w64-mingw32

skip() {
    # In CI the setup script installs the tools: a missing one is a broken set-up, not a skip.
    if [ -n "${VELMORA_REQUIRE_WINDOWS_CHECKS:-${CI:-}}" ]; then
        echo "windows-sdk-check: failed: $1" >&2
        exit 1
    fi
    echo "windows-sdk-check: skipped: $1" >&2
    exit 77
}

cxx=$(command -v "$target-g++-posix" || true)
[ -n "$cxx" ] || skip "no $target-g++-posix (Debian: apt-get install g++-mingw-w64-x86-64-posix)"
objdump=$(command -v "$target-objdump" || true)
[ -n "$objdump" ] || skip "no $target-objdump (Debian: apt-get install binutils-mingw-w64-x86-64)"
# shellcheck source=SCRIPTDIR/wine-common.sh
. "$source_dir/tools/wine-common.sh"
velmora_find_wine || skip "$wine_missing"
[ -f "$googletest_dir/CMakeLists.txt" ] || skip "no GoogleTest sources in $googletest_dir (Debian: apt-get install googletest)"

echo "== configure the Windows cross build in $build_dir"
cmake -S "$source_dir" -B "$build_dir" \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_SDK_ONLY=ON \
    -DVELMORA_GOOGLETEST_SOURCE_DIR="$googletest_dir" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$wine"

echo "== build"
cmake --build "$build_dir" --parallel 2

dll=$build_dir/bin/nivaro.sdk.dll
[ -f "$dll" ] || { echo "windows-sdk-check: no nivaro.sdk.dll was built" >&2; exit 1; }
echo "== built $dll"
"$objdump" -p "$dll" | grep -q "DLL Name: libstdc++-6.dll" &&
    echo "   (it uses the shared MinGW-w64 C++ runtime, as the program must)"

trap velmora_stop_wine EXIT
unset DISPLAY WAYLAND_DISPLAY              # console programs need no display
unset NIVARO_SDK_CONFIG NIVARO_SDK_LOG NIVARO_SDK_TRACE
# The MinGW-w64 runtime DLLs the programs were linked against.
runtime_dirs=()
for runtime in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    runtime_dirs+=("$(dirname "$("$cxx" -print-file-name="$runtime")")")
done
WINEPATH=$(IFS=';'; echo "${runtime_dirs[*]}")
export WINEPATH

echo "== start Wine"
velmora_start_wine

echo "== export table of nivaro.sdk.dll"
ctest --test-dir "$build_dir" --output-on-failure -R '^sdk_export_list$' -V | grep -E '^[0-9]+: (--|  )'
ctest --test-dir "$build_dir" --output-on-failure -R '^sdk_export_list$'

echo "== every SDK test under Wine"
ctest --test-dir "$build_dir" --output-on-failure --parallel 2 -E '^sdk_export_list$'
