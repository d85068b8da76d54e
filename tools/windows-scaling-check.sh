#!/usr/bin/env bash
# Checks from Linux that the Windows program shows every text of its main window whole at
# the display scales Windows users run: 100, 125, 150 and 200 % (LogPixels 96, 120, 144,
# 192). Runs the main window test's text check (tst_mainwindow.exe everyTextShowsWhole) of an
# existing Windows cross build under Wine, on a virtual 1920 x 1080 screen (Xvfb), in a fresh
# Wine prefix, once per scale; fails if any scale fails.
#
#   tools/windows-scaling-check.sh BUILD_WINDOWS_DIR
#
# BUILD_WINDOWS_DIR is a configured and built cross build against a Windows Qt kit.
# With VELMORA_SCALING_SCREENSHOTS=DIR set, the
# program itself is also shown at each scale and the screen saved as DIR/scale-N.png
# (needs xdotool and ImageMagick's import).
# Exits 77 (skipped) when Wine, Xvfb or Wine's fonts are missing, except in CI (CI or
# VELMORA_REQUIRE_WINDOWS_CHECKS set), where that is a failure.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 BUILD_WINDOWS_DIR" >&2; exit 2; }
build_dir=$(cd "$1" && pwd)
screenshots=${VELMORA_SCALING_SCREENSHOTS:-}
scales=(96 120 144 192)

skip() {
    if [ -n "${VELMORA_REQUIRE_WINDOWS_CHECKS:-${CI:-}}" ]; then
        echo "windows-scaling-check: failed: $1" >&2
        exit 1
    fi
    echo "windows-scaling-check: skipped: $1" >&2
    exit 77
}
fail() {
    echo "windows-scaling-check: $1" >&2
    exit 1
}

. "$(dirname "${BASH_SOURCE[0]}")/wine-common.sh"
velmora_find_wine || skip "$wine_missing"
command -v Xvfb >/dev/null || skip "no Xvfb (Debian: apt-get install xvfb)"
# Windows draws the form in Tahoma; without it Wine falls back to a font of other widths.
[ -f /usr/share/wine/fonts/tahoma.ttf ] || skip "no Tahoma for Wine (Debian: apt-get install fonts-wine)"
if [ -n "$screenshots" ]; then
    command -v xdotool >/dev/null || skip "no xdotool for the screenshots (Debian: apt-get install xdotool)"
    command -v import >/dev/null || skip "no import for the screenshots (Debian: apt-get install imagemagick)"
fi

# A Windows build keeps its programs in bin/, with the Qt and compiler runtime staged beside them.
test_program=$build_dir/bin/tst_mainwindow.exe
program=$build_dir/bin/VelmoraHD.exe
[ -f "$test_program" ] || fail "no $test_program: build the tst_mainwindow target first"
[ -z "$screenshots" ] || [ -f "$program" ] || fail "no $program: build the VelmoraHD target first"

# Wine sees the Unix root as drive Z:.
windows_path() { echo "Z:${1//\//\\}"; }

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-scaling.XXXXXX")
cleanup() {
    velmora_stop_wine
    velmora_stop_display
    rm -rf "$work"
}
trap cleanup EXIT
unset NIVARO_SDK_CONFIG NIVARO_SDK_LOG NIVARO_SDK_TRACE
# Through Wine's GDI fonts the windows platform lays rows out far taller than Windows does.
platform=(-platform windows:fontengine=freetype)

velmora_start_display 1920x1080 || fail "Xvfb did not start"

velmora_start_wine
echo "== Wine prefix $WINEPREFIX on display $DISPLAY (1920x1080)"
# Qt's FreeType engine opens the font files listed in the registry, where Wine lists the Unix
# fonts but not its own Tahoma: the form's "MS Shell Dlg 2" would fall back to some other
# font of other widths. Installed as on Windows, it maps to Tahoma there.
fonts_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
for font in tahoma:Tahoma tahomabd:'Tahoma Bold'; do
    cp "/usr/share/wine/fonts/${font%%:*}.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
    "$wine" reg add "$fonts_key" /v "${font#*:} (TrueType)" /t REG_SZ /d "${font%%:*}.ttf" /f \
        >/dev/null 2>&1
done
[ -z "$screenshots" ] || mkdir -p "$screenshots"

failed=()
for dpi in "${scales[@]}"; do
    echo "== LogPixels $dpi ($((dpi * 100 / 96)) %)"
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1
    "$wineserver" -k # the new DPI, and a display, take effect in a fresh session
    # A Windows program's standard output does not reach Wine's reliably: the log goes to a file.
    result=$work/result-$dpi.txt
    status=0
    "$wine" "$test_program" everyTextShowsWhole "${platform[@]}" \
        -o "$(windows_path "$result"),txt" >/dev/null 2>&1 || status=$?
    grep -E '^(QINFO|QWARN|FAIL|Totals)' "$result" 2>/dev/null || echo "   no test log written"
    [ "$status" -eq 0 ] || failed+=("$dpi")

    if [ -n "$screenshots" ]; then
        "$wine" "$program" "${platform[@]}" >/dev/null 2>&1 &
        shown=$!
        if timeout 60 xdotool search --sync --onlyvisible --name '^Nivaro HD Velmora$' >/dev/null; then
            sleep 2 # the first paint
            import -window root "$screenshots/scale-$dpi.png"
            echo "   screenshot $screenshots/scale-$dpi.png"
        else
            echo "   the program showed no window" >&2
            failed+=("$dpi (program)")
        fi
        kill "$shown" 2>/dev/null || true
        wait "$shown" 2>/dev/null || true
    fi
done

echo "== ${#scales[@]} scales in ${SECONDS} s"
[ ${#failed[@]} -eq 0 ] || fail "texts cut at LogPixels ${failed[*]}"
echo "every text whole at LogPixels ${scales[*]}"
