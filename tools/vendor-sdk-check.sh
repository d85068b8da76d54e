#!/usr/bin/env bash
# Builds the program against a camera SDK laid out as the maker ships theirs, the way a build with
# VELMORA_VENDOR_SDK_DIR is made for a real camera: the stand-in's headers in include/, its
# library in lib/ (for Windows, the import library there and nivaro.sdk.dll in bin/), taken from
# a build of the stand-in. Only the program is built, as nothing else is part of such a build;
# it is installed, and started from its installed folder, where it must write its four start-up
# lines and build its window: on Qt's offscreen platform on Linux, under Wine on a virtual X
# screen of its own (xvfb-run) for Windows.
#
#   tools/vendor-sdk-check.sh STAND_IN_BUILD_DIR VENDOR_BUILD_DIR [CMAKE_ARGUMENT...]
#
# STAND_IN_BUILD_DIR is a built tree of this project, for Linux (build/) or Windows
# (build-windows/, recognised by its bin/nivaro.sdk.dll); the CMake arguments configure the
# vendor build as that one was (a Windows build needs the toolchain file and the Qt kit).
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 STAND_IN_BUILD_DIR VENDOR_BUILD_DIR [CMAKE_ARGUMENT...]" >&2
    exit 2
fi
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
stand_in=$(cd "$1" && pwd)
build=$2
shift 2
vendor=$build/vendor-sdk
installed=$build/installed

fail() {
    echo "vendor-sdk-check: failed: $*" >&2
    exit 1
}

echo "== the stand-in SDK of $stand_in laid out as the maker's, in $vendor"
rm -rf "$vendor" "$installed"
mkdir -p "$vendor/include" "$vendor/lib"
cp "$source_dir"/sdk/nivaro_*.h "$vendor/include/"
if [ -f "$stand_in/bin/nivaro.sdk.dll" ]; then
    windows=true
    mkdir -p "$vendor/bin"
    cp "$stand_in/bin/nivaro.sdk.dll" "$vendor/bin/"
    cp "$stand_in/sdk/libnivaro.sdk.dll.a" "$vendor/lib/" || fail "no import library of nivaro.sdk.dll"
else
    windows=false
    cp "$stand_in/sdk/libnivaro.sdk.so" "$vendor/lib/" || fail "no libnivaro.sdk.so in $stand_in/sdk"
fi
(cd "$vendor" && find . -type f | sort | sed 's|^\./|   |')

echo "== the program alone, built against it in $build"
cmake -S "$source_dir" -B "$build" -DVELMORA_VENDOR_SDK_DIR="$vendor" "$@" >"$vendor/configure.log" ||
    { cat "$vendor/configure.log"; fail "the build does not configure"; }
grep -F "Camera SDK: the maker's" "$vendor/configure.log" || fail "the build did not take the SDK of $vendor"
cmake --build "$build" --target VelmoraHD --parallel "$(nproc)"
cmake --install "$build" --prefix "$installed" >/dev/null

echo "== the installed program started"
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-vendor.XXXXXX")
program_pid=
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    if [ "$windows" = true ]; then
        velmora_stop_wine
        velmora_stop_display
    fi
    rm -rf "$work"
}
trap cleanup EXIT
unset NIVARO_SDK_CONFIG NIVARO_SDK_LOG NIVARO_SDK_TRACE
if [ "$windows" = true ]; then
    # shellcheck source=SCRIPTDIR/wine-common.sh
    . "$source_dir/tools/wine-common.sh"
    velmora_find_wine || fail "$wine_missing"
    velmora_start_display 1280x1024 || fail "Xvfb did not start"
    velmora_start_wine
    NIVARO_SDK_TRACE=$(winepath -w "$work/trace" 2>/dev/null) \
        "$wine" "$installed/VelmoraHD.exe" -platform windows:fontengine=freetype \
        >"$work/stdout" 2>"$work/stderr" &
else
    NIVARO_SDK_TRACE=$work/trace QT_QPA_PLATFORM=offscreen "$installed/bin/VelmoraHD" \
        >"$work/stdout" 2>"$work/stderr" &
fi
program_pid=$!
# The window's constructor ends by loading the Expert controls from the configuration: once
# that call is in the trace, every start-up line has been written.
window_built() { [ "$(grep -o 'GetConfig()' "$work/trace" 2>/dev/null | wc -l)" -ge 2 ]; }
for _ in $(seq 240); do
    if window_built || ! kill -0 "$program_pid" 2>/dev/null; then
        break
    fi
    sleep 0.25
done
kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$work/stderr")"
window_built || fail "the program built no window within a minute: $(cat "$work/trace" 2>/dev/null)"
tr -d '\r' <"$work/stdout" | sed 's/^/   /'
started=$(tr -d '\r' <"$work/stdout" | sed -E 's/^(QT Version )[0-9.]+$/\1N/; s/^(QT Built in )(RELEASE|DEBUG)$/\1KIND/')
[ "$started" = "$(printf '%s\n' "Start QT nivaro command application" "QT Version N" "QT Built in KIND" \
    "Test log in debug")" ] || fail "standard output is not the four start-up lines"
echo "vendor-sdk-check: passed"
