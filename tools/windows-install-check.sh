#!/usr/bin/env bash
# The Windows packages checked as their users meet them, each in a fresh Wine prefix on a
# virtual X screen of its own (xvfb-run):
# - the NSIS installer (.exe), installed silently as by one user with administrator rights;
# - the portable zip (.zip), unpacked into a folder of the user's, on a short laptop screen;
# - the MSI (.msi), installed with msiexec /i as by deployment tools, then replaced by a later
#   version of itself.
# Each time the program is started as its user starts it (the Start-menu entry, or VelmoraHD.exe
# in the unpacked folder), must write its four standard-output lines and open its window whole on
# the screen, and is driven with real key presses through Scan Devices and Connect on the demo
# camera COM3; then the package is removed again (its uninstaller, msiexec /x, the folder
# deleted), and nothing may be left: no file, Start-menu entry or entry among the installed
# programs.
#
#   tools/windows-install-check.sh QT_VERSION PACKAGE...
#
# QT_VERSION is the version of the Qt kit the program was built with. The screenshots, the
# program's standard output and the SDK trace of each package stay in install-check/<kind>/
# beside it.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 QT_VERSION PACKAGE..." >&2; exit 2; }
qt_version=$1
shift
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
product="Velmora HD"
title="Nivaro HD Velmora"
uninstall_keys='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

step() { echo "== $*"; }
fail() {
    echo "windows-install-check: failed: $*" >&2
    exit 1
}

# shellcheck source=SCRIPTDIR/wine-common.sh
. "$source_dir/tools/wine-common.sh"
velmora_find_wine || fail "$wine_missing"
for tool in xvfb-run xdotool import identify lnkinfo msibuild; do
    command -v "$tool" >/dev/null ||
        fail "no $tool (Debian: apt-get install xvfb xauth xdotool imagemagick liblnk-utils msitools)"
done
[ -f /usr/share/wine/fonts/tahoma.ttf ] || fail "no Tahoma for Wine (Debian: apt-get install fonts-wine)"

program_pid=
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    velmora_stop_wine
    velmora_stop_display
}
trap cleanup EXIT
unset NIVARO_SDK_CONFIG NIVARO_SDK_LOG NIVARO_SDK_TRACE

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

unix_path() { winepath -u "$1" 2>/dev/null; }
windows_path() { winepath -w "$1" 2>/dev/null; }

# Sets `entry` to the key among the installed programs that names the product, if any.
find_entry() {
    local key
    entry=
    while IFS= read -r key; do
        if "$wine" reg query "$key" /v DisplayName 2>/dev/null | tr -d '\r' | grep -Eq "REG_SZ +$product\$"; then
            entry=$key
            return 0
        fi
    done < <("$wine" reg query "$uninstall_keys" 2>/dev/null | tr -d '\r' | grep -F "\\Uninstall\\")
    return 1
}

# The entry among the installed programs: name, publisher, version and an icon.
check_entry() {
    local version=$1 icon
    find_entry || fail "$product is not among the installed programs"
    "$wine" reg query "$entry" | tr -d '\r' >"$work/registry.txt"
    for value in "DisplayName REG_SZ $product" "Publisher REG_SZ Dravik" "DisplayVersion REG_SZ $version"; do
        grep -Eq "^ +${value// / +}\$" "$work/registry.txt" || fail "the entry lacks '$value'"
        echo "   $value"
    done
    # Windows Installer keeps the icon of the products it installs with their record.
    icon=$(sed -n 's/^ *DisplayIcon *REG_SZ *//p' "$work/registry.txt")
    [ -n "$icon" ] || icon=$("$wine" reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null |
        tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p' | head -n 1)
    if [ -z "$icon" ] || [ ! -f "$(unix_path "$icon")" ]; then
        fail "the entry shows no icon ('$icon')"
    fi
    echo "   icon $icon"
}

# The Start-menu entry: sets `target` and `folder` to the program and the folder it starts in.
check_start_menu_entry() {
    local shortcut icon
    shortcut=$(find "$drive_c" -path "*/Start Menu/Programs/*" -name "$product.lnk" | head -n 1)
    [ -n "$shortcut" ] || fail "no Start-menu entry $product"
    lnkinfo "$shortcut" >"$work/shortcut.txt"
    target=$(sed -n 's/^\tLocal path\t*: //p' "$work/shortcut.txt")
    folder=$(sed -n 's/^\tWorking directory\t*: //p' "$work/shortcut.txt")
    icon=$(sed -n 's/^\tIcon location\t*: //p' "$work/shortcut.txt")
    echo "   ${shortcut#"$drive_c"/}: $target in $folder${icon:+, icon $icon}"
    [ "$(unix_path "$target")" -ef "$program_dir/VelmoraHD.exe" ] || fail "the entry starts $target"
    [ -z "$icon" ] || [ -f "$(unix_path "$icon")" ] || fail "the entry's icon $icon is missing"
}

# What every package puts in the program's folder.
check_program_folder() {
    [ -f "$program_dir/VelmoraHD.exe" ] || fail "no VelmoraHD.exe in $program_dir"
    for file in nivaro.sdk.dll nivaro-sdk-config.json Qt5Core.dll Qt5Gui.dll Qt5Widgets.dll \
        Qt5SerialPort.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
        imageformats/qico.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        [ -f "$program_dir/$file" ] || fail "$file is not beside the program"
    done
    (cd "$program_dir" && find . -type f | sort | sed 's|^\./|   |')
}

# Starts the program in its folder, checks its standard output and its window, drives Scan
# and Connect with the keyboard, and closes it.
run_program() {
    local screen=$1 expected=$2 trace=$work/sdk.trace
    # No QT_* variable reaches a program under Wine: the font engine is given on the command
    # line, so that the window is laid out as on Windows rather than through Wine's GDI fonts.
    (
        cd "$(unix_path "$folder")"
        exec env NIVARO_SDK_TRACE="$(windows_path "$trace")" \
            "$wine" "$target" -platform windows:fontengine=freetype >"$work/stdout" 2>"$work/stderr"
    ) &
    program_pid=$!
    velmora_wait_for_window "$title" || fail "no window \"$title\" appeared"
    velmora_window_on_screen "$window" "$screen" || fail "the window reaches past the screen: $window_geometry"
    echo "   window $window_geometry on a $screen screen"
    [ "$expected" = whole ] || [[ $window_geometry == "$expected at "* ]] ||
        fail "the window is not $expected"

    expected_output=$(printf '%s\r\n' "Start QT nivaro command application" "QT Version $qt_version" \
        "QT Built in RELEASE" "Test log in debug" | od -c)
    [ "$(od -c <"$work/stdout")" = "$expected_output" ] ||
        fail "standard output is not the four lines: $(cat -A "$work/stdout")"
    echo "   standard output: the four lines, each ended by CR LF"

    # Drawn: the window holds its pictures and texts, not a flat rectangle.
    sleep 2
    import -window root "$work/started.png"
    colours=$(import -window "$window" png:- | identify -format '%k' -)
    [ "$colours" -gt 64 ] || fail "the window looks empty ($colours colours)"
    echo "   drawn: $colours colours; screenshot $work/started.png"

    # The keys follow the focus chain the form gives, wherever the window lays its buttons out:
    # Scan Devices has the focus first, the port list is next, where a user types the port's
    # name, then Connect. Keys go to the window under the pointer (no window manager gives the
    # focus).
    step "Scan Devices, then Connect on the demo camera COM3"
    xdotool mousemove --window "$window" 1 1
    xdotool key space # Scan Devices
    sleep 1
    xdotool key Tab
    xdotool type --delay 50 COM3
    xdotool key alt+Down # the list opened, to show what the scan found
    sleep 0.5
    import -window root "$work/scanned.png"
    xdotool key Escape Tab space # Connect
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
    ended() { ! kill -0 "$program_pid" 2>/dev/null; }
    wait_for 30 ended || fail "the program did not end"
    wait "$program_pid" || fail "the program ended with exit code $?"
    program_pid=
}

# The MSI replaced by a later version of itself: the same package with a higher version wherever
# its version stands (the product's, and the range of versions it replaces), and a product and a
# package code of its own. Found by its upgrade code, the earlier one must go.
check_upgrade() {
    local version=${1//./\\.} later=$work/later.msi
    cp "$package" "$later"
    new_code() { echo "{$(tr '[:lower:]' '[:upper:]' </proc/sys/kernel/random/uuid)}"; }
    (
        cd "$work" &&
            msiinfo export "$later" Upgrade | sed "s/\t$version\t/\t99.0.0\t/" >Upgrade.idt &&
            msiinfo export "$later" Property | sed -e 's/^ProductVersion\t.*/ProductVersion\t99.0.0/' \
                -e "s/^ProductCode\t.*/ProductCode\t$(new_code)/" >Property.idt &&
            msibuild "$later" -i Upgrade.idt -i Property.idt &&
            msibuild "$later" -s "$product 99.0.0" Dravik "x64;1033" "$(new_code)"
    ) || fail "no later version could be made of $package"
    "$wine" msiexec /i "$(windows_path "$later")" /qn || fail "msiexec /i of a later version failed"
    find_entry || fail "the later version is not among the installed programs"
    local products
    products=$("$wine" reg query "$uninstall_keys" | tr -d '\r' | grep -c '\\{') || true
    [ "$products" -eq 1 ] || fail "$products products are installed after the upgrade, not one"
    "$wine" reg query "$entry" | tr -d '\r' | grep -Eq 'DisplayVersion +REG_SZ +99\.0\.0$' ||
        fail "the installed version is not the later one"
    [ -f "$program_dir/VelmoraHD.exe" ] || fail "the upgrade left no program"
    echo "   version 99.0.0 replaced $1: one entry among the installed programs"
    package=$later
}

# Installs, checks, runs and removes one package in a prefix of its own.
check_package() {
    package=$(realpath "$1")
    local kind=${package##*.} screen expected profile version
    version=$(basename "$package" | sed -n 's/^VelmoraHD-\([0-9.]*\)-win64\..*$/\1/p')
    [ -n "$version" ] || fail "$package is not named VelmoraHD-<version>-win64"
    work=$(dirname "$package")/install-check/$kind
    rm -rf "$work"
    mkdir -p "$work"
    case $kind in
    exe | msi) screen=1280x1024 expected=960x872 ;;
    zip) screen=1366x728 expected=whole ;; # a company laptop, less its task bar
    *) fail "$package is no .exe, .zip or .msi" ;;
    esac

    step "$(basename "$package"): fresh Wine prefix on a $screen screen"
    velmora_start_display "$screen" || fail "Xvfb did not start"
    velmora_start_wine # on the display: a prefix first started without one draws no window
    velmora_install_tahoma || fail "Tahoma could not be installed"
    drive_c=$WINEPREFIX/drive_c
    program_dir="$drive_c/Program Files/$product"

    case $kind in
    exe)
        step "silent install"
        "$wine" "$package" /S
        ;;
    msi)
        step "msiexec /i"
        "$wine" msiexec /i "$(windows_path "$package")" /qn || fail "msiexec /i failed"
        ;;
    zip)
        # A folder of the user's, with a space and an accent in its name.
        profile=$(realpath "$(unix_path "$("$wine" cmd /c echo %USERPROFILE% | tr -d '\r')")")
        mkdir -p "$profile/Documents/Outils caméra"
        step "unpacked into ${profile#"$drive_c"/}/Documents/Outils caméra"
        (cd "$profile/Documents/Outils caméra" && cmake -E tar xf "$package")
        program_dir="$profile/Documents/Outils caméra/$(basename "$package" .zip)"
        ;;
    esac
    check_program_folder

    if [ "$kind" = zip ]; then
        target=$(windows_path "$program_dir/VelmoraHD.exe")
        folder=$(windows_path "$profile") # started from elsewhere, it still finds its files
    else
        step "the list of installed programs and the Start menu"
        check_entry "$version"
        check_start_menu_entry
    fi

    step "start the program"
    run_program "$screen" "$expected"

    step "remove it"
    case $kind in
    exe)
        uninstaller=$(sed -n 's/^ *UninstallString *REG_SZ *"\(.*\)"$/\1/p' "$work/registry.txt")
        [ -n "$uninstaller" ] || fail "no UninstallString"
        "$wine" "$uninstaller" /S
        ;;
    msi)
        check_upgrade "$version"
        "$wine" msiexec /x "$(windows_path "$package")" /qn || fail "msiexec /x failed"
        ;;
    zip) rm -rf "$program_dir" ;;
    esac
    # The NSIS uninstaller runs from a copy of itself, which goes on after the first one ended.
    gone() { [ ! -e "$program_dir" ]; }
    wait_for 60 gone || fail "left in $program_dir: $(cd "$program_dir" && find . | tr '\n' ' ')"
    left=$(find "$drive_c" \( -iname '*velmora*' -o -iname "$product*" \) -print)
    [ -z "$left" ] || fail "left behind: $left"
    ! find_entry || fail "still among the installed programs"
    for key in 'HKLM\Software\Dravik' 'HKCU\Software\Dravik'; do
        ! "$wine" reg query "$key" >/dev/null 2>&1 || fail "$key is left in the registry"
    done
    echo "   no file, Start-menu entry or entry among the installed programs is left"
    velmora_stop_wine
    velmora_stop_display
}

for package in "$@"; do
    [ -f "$package" ] || fail "no package $package"
done
for package in "$@"; do
    check_package "$package"
done
echo "windows-install-check: passed ($# packages)"
