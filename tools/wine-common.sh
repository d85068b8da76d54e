# shellcheck shell=bash
# Sourced by the scripts that run Windows programs under Wine (Debian 12's wine64 8).

# Sets `wine` and `wineserver`; else sets `wine_missing` to what is missing and fails.
velmora_find_wine() {
    wine=$(command -v wine64 || true)
    if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then
        wine=/usr/lib/wine/wine64 # Debian keeps the 64-bit loader off the PATH
    fi
    wineserver=$(command -v wineserver || true)
    if [ -z "$wine" ] || [ -z "$wineserver" ]; then
        # shellcheck disable=SC2034 # for the scripts that source this to report
        wine_missing="no wine64 or wineserver (Debian: apt-get install wine wine64)"
        return 1
    fi
}

# A throw-away prefix, so no earlier state can make a run pass or fail; one server for all
# the programs run in it, kept until velmora_stop_wine. Wine settles the prefix for the
# display it first starts on: a prefix first started without one draws no window after.
velmora_start_wine() {
    velmora_wine_prefix=$(mktemp -d "${TMPDIR:-/tmp}/velmora-wine.XXXXXX")
    export WINEPREFIX=$velmora_wine_prefix
    export WINEDEBUG=-all
    # Wine maps Windows file names to Unix ones through the Unix locale: with none set, as in
    # a bare container, a folder with a non-ASCII name cannot even be created. Debian always
    # has C.UTF-8.
    export LC_ALL=C.UTF-8
    export HOME=${HOME:-$WINEPREFIX}
    export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer prompts
    "$wineserver" -p
    "$wine" wineboot --init >/dev/null 2>&1 || true
}

# Gives the prefix Windows's Tahoma, which the form is drawn in there (Debian: fonts-wine).
# Qt's FreeType engine opens the font files listed in the registry, where Wine lists the Unix
# fonts but not its own Tahoma: the form's "MS Shell Dlg 2" would fall back to some other font
# of other widths. Installed as on Windows, it maps to Tahoma there.
velmora_install_tahoma() {
    local fonts_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' font
    for font in tahoma:Tahoma tahomabd:'Tahoma Bold'; do
        cp "/usr/share/wine/fonts/${font%%:*}.ttf" "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
        "$wine" reg add "$fonts_key" /v "${font#*:} (TrueType)" /t REG_SZ /d "${font%%:*}.ttf" /f \
            >/dev/null 2>&1 || return 1
    done
}

# Ends every program of the prefix velmora_start_wine made, and removes the prefix.
velmora_stop_wine() {
    if [ -n "${velmora_wine_prefix:-}" ]; then
        WINEPREFIX=$velmora_wine_prefix "$wineserver" -k 2>/dev/null || true
        rm -rf "$velmora_wine_prefix"
    fi
}

# A virtual X screen of the given size ("1280x1024") of its own, started by xvfb-run, which
# picks a free display number so that no other display on the machine is touched; exports
# DISPLAY and XAUTHORITY. The screen lives as long as the command xvfb-run holds it with;
# velmora_stop_display ends that command, and xvfb-run then the screen.
velmora_start_display() {
    local ready
    ready=$(mktemp "${TMPDIR:-/tmp}/velmora-display.XXXXXX")
    # shellcheck disable=SC2016 # expanded by the shell xvfb-run starts
    xvfb-run -a -s "-screen 0 $1x24" \
        sh -c 'echo "$$ $DISPLAY $XAUTHORITY" >"$0.new" && mv "$0.new" "$0" && exec sleep infinity' \
        "$ready" >/dev/null 2>&1 &
    velmora_xvfb_run=$!
    for _ in $(seq 300); do
        [ -s "$ready" ] || ! kill -0 "$velmora_xvfb_run" 2>/dev/null && break
        sleep 0.1
    done
    read -r velmora_display_holder DISPLAY XAUTHORITY <"$ready" || true
    rm -f "$ready"
    [ -n "${DISPLAY:-}" ] || return 1
    export DISPLAY XAUTHORITY
    unset WAYLAND_DISPLAY
}

velmora_stop_display() {
    [ -z "${velmora_display_holder:-}" ] || kill "$velmora_display_holder" 2>/dev/null || true
    [ -z "${velmora_xvfb_run:-}" ] || wait "$velmora_xvfb_run" 2>/dev/null || true
    velmora_display_holder=
    velmora_xvfb_run=
}

# Waits up to a minute for a visible window titled $1 on the display; sets `window` to it. A
# window that closes while xdotool looks at it makes it fail: it is simply asked again.
velmora_wait_for_window() {
    local tick
    window=
    for ((tick = 0; tick < 240; ++tick)); do
        window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -z "$window" ] || return 0
        sleep 0.25
    done
    return 1
}

# Whether the X window $1 lies on a screen of the given size ("1280x1024"); sets
# window_geometry to where it is, as "WIDTHxHEIGHT at X,Y".
velmora_window_on_screen() {
    local x y width height
    read -r x y width height < <(xdotool getwindowgeometry --shell "$1" |
        sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=//p' | tr '\n' ' ')
    # shellcheck disable=SC2034 # for the scripts that source this to report
    window_geometry="${width}x$height at $x,$y"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + width)) -le "${2%x*}" ] &&
        [ $((y + height)) -le "${2#*x}" ]
}
