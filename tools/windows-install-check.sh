#!/usr/bin/env bash
# The Windows installer checked as a user meets it, under Wine on a virtual X display of its
# own: a silent install into a fresh prefix, the program started as its Start-menu entry
# starts it, its four standard-output lines, its window, Scan and Connect driven with real
# input events, then a silent uninstall that must leave nothing behind.
#
#   tools/windows-install-check.sh INSTALLER QT_VERSION [WORK_DIR]
#
# QT_VERSION is the version of the Qt kit the program was built with. WORK_DIR (default: an
# install-check folder beside the installer) receives the screenshots, the program's standard
# output and the SDK trace.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 INSTALLER QT_VERSION [WORK_DIR]" >&2; exit 2; }
installer=$(realpath "$1")
qt_version=$2
work=${3:-$(dirname "$installer")/install-check}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
product="Velmora HD"
title="Nivaro HD Velmora"

step() { echo "== $*"; }
fail() {
    echo "windows-install-check: failed: $*" >&2
    exit 1
}

. "$source_dir/tools/wine-common.sh"
velmora_find_wine || fail "$wine_missing"
for tool in Xvfb xdotool import identify lnkinfo; do
    command -v "$tool" >/dev/null ||
        fail "no $tool (Debian: apt-get install xvfb xdotool imagemagick liblnk-utils)"
done
[ -f "$installer" ] || fail "no installer $installer"

rm -rf "$work"
mkdir -p "$work"
program_pid=
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    velmora_stop_wine
    velmora_stop_display
}
trap cleanup EXIT

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
    local seconds=$1
    shift
    for ((tick = 0; tick < seconds * 4; ++tick)); do
        "$@" && return 0
        sleep 0.25
    done
    return 1
}

step "virtual display"
velmora_start_display 1280x1024 || fail "Xvfb did not start"
unset NIVARO_SDK_CONFIG NIVARO_SDK_LOG NIVARO_SDK_TRACE
echo "   DISPLAY=$DISPLAY"

step "fresh Wine prefix"
velmora_start_wine # on the display: a prefix first started without one draws no window
drive_c=$WINEPREFIX/drive_c
install_dir="$drive_c/Program Files/$product"
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"

step "silent install of $(basename "$installer")"
"$wine" "$installer" /S
[ -f "$install_dir/VelmoraHD.exe" ] || fail "no VelmoraHD.exe in Program Files\\$product"
for file in nivaro.sdk.dll Qt5Core.dll Qt5Gui.dll Qt5Widgets.dll Qt5SerialPort.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qico.dll \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    [ -f "$install_dir/$file" ] || fail "$file is not installed beside the program"
done
(cd "$install_dir" && find . -type f | sort | sed 's|^\./|   |')

step "the list of installed programs"
"$wine" reg query "$uninstall_key" >"$work/registry" 2>/dev/null ||
    fail "no entry $uninstall_key"
tr -d '\r' <"$work/registry" >"$work/registry.txt"
for entry in "DisplayName REG_SZ $product" "Publisher REG_SZ Dravik" "DisplayVersion REG_SZ 1.4.4"; do
    grep -Eq "^ +${entry// / +}\$" "$work/registry.txt" || fail "the entry lacks '$entry'"
    echo "   $entry"
done

step "the Start-menu entry"
shortcut=$(find "$drive_c" -path "*/Start Menu/Programs/$product/$product.lnk" | head -n 1)
[ -n "$shortcut" ] || fail "no Start-menu entry $product"
lnkinfo "$shortcut" >"$work/shortcut.txt"
field() { sed -n "s/^\t$1\t*: //p" "$work/shortcut.txt"; }
target=$(field "Local path")
folder=$(field "Working directory")
arguments=$(field "Command line arguments")
echo "   target $target, working folder $folder, arguments '$arguments'"
[ "$(winepath -u "$target" 2>/dev/null)" -ef "$install_dir/VelmoraHD.exe" ] ||
    fail "the entry starts $target"

step "start the installed program as the entry does"
trace=$work/sdk.trace
# No QT_* variable reaches a program under Wine: the font engine is given on the command
# line, so that the window is laid out as on Windows rather than through Wine's GDI fonts.
(
    cd "$(winepath -u "$folder" 2>/dev/null)"
    exec env NIVARO_SDK_TRACE="$(winepath -w "$trace" 2>/dev/null)" \
        "$wine" "$target" $arguments -platform windows:fontengine=freetype \
        >"$work/stdout" 2>"$work/stderr"
) &
program_pid=$!
find_window() { window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1); }
wait_for 60 find_window || fail "no window \"$title\" appeared"
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')
echo "   window $window, $geometry"

expected=$(printf '%s\r\n' "Start QT nivaro command application" "QT Version $qt_version" \
    "QT Built in RELEASE" "Test log in debug" | od -c)
[ "$(od -c <"$work/stdout")" = "$expected" ] ||
    fail "standard output is not the four lines: $(cat -A "$work/stdout")"
echo "   standard output: the four lines, each ended by CR LF"

# Drawn: the window holds its pictures and texts, not a flat rectangle.
sleep 2
import -window root "$work/started.png"
colours=$(import -window "$window" png:- | identify -format '%k' -)
[ "$colours" -gt 64 ] || fail "the window looks empty ($colours colours)"
echo "   drawn: $colours colours; screenshot $work/started.png"

step "Scan Devices, then Connect on the demo camera COM3"
# Where the form puts the two buttons in its window, at its size of 960 x 872.
[ "$geometry" = "960x872" ] || fail "the window is $geometry, not 960x872: the buttons are elsewhere"
xdotool mousemove --window "$window" 298 36 click 1 # Scan Devices
sleep 1
# The port list is next in the focus chain: a user types the port's name there.
# Keys go where the pointer is, on the window (no window manager gives the focus).
xdotool key Tab
xdotool type --delay 50 COM3
# The list opened, to show what the scan found.
xdotool key alt+Down
sleep 0.5
import -window root "$work/scanned.png"
xdotool key Escape
xdotool mousemove --window "$window" 298 85 click 1 # Connect
connected() { grep -q '\.GetIaConfig(' "$trace" 2>/dev/null; }
wait_for 60 connected || fail "Connect read no camera: $(cat "$trace" 2>/dev/null)"
grep -q 'OpenCamera("COM3")' "$trace" ||
    fail "the scan did not list the demo camera COM3 (see $work/scanned.png): Connect opened $(grep -o 'OpenCamera([^)]*)' "$trace")"
sleep 1
import -window root "$work/connected.png"
for line in 'connection#1.OpenCamera("COM3") -> camera[COM3]' \
    'camera[COM3].GetCameraType(out 12) -> true' 'camera[COM3].GetGamma() -> 98304'; do
    grep -qxF "$line" "$trace" || fail "the trace lacks $line"
    echo "   $line"
done
echo "   screenshots $work/scanned.png, $work/connected.png"

step "close the window"
xdotool key alt+F4
wait_for 30 eval '! kill -0 "$program_pid" 2>/dev/null' || fail "the program did not end"
wait "$program_pid" || fail "the program ended with exit code $?"
program_pid=

step "silent uninstall"
uninstaller=$(sed -n 's/^ *UninstallString *REG_SZ *"\(.*\)"$/\1/p' "$work/registry.txt")
[ -n "$uninstaller" ] || fail "no UninstallString"
"$wine" "$uninstaller" /S
# The uninstaller runs from a copy of itself, which goes on after the first one has ended.
gone() { [ ! -e "$install_dir" ]; }
wait_for 60 gone || fail "left in Program Files\\$product: $(cd "$install_dir" && find . | tr '\n' ' ')"
[ -z "$(find "$drive_c" -path "*/Start Menu/Programs/$product*")" ] ||
    fail "the Start-menu entry is still there"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "still in the list of installed programs"
echo "   no file in Program Files\\$product, no Start-menu entry, no entry among the installed programs"

echo "windows-install-check: passed"
