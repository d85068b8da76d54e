# Sourced by the scripts that run Windows programs under Wine (Debian 12's wine64 8).

# Sets `wine` and `wineserver`; else sets `wine_missing` to what is missing and fails.
velmora_find_wine() {
    wine=$(command -v wine64 || true)
    if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then
        wine=/usr/lib/wine/wine64 # Debian keeps the 64-bit loader off the PATH
    fi
    wineserver=$(command -v wineserver || true)
    if [ -z "$wine" ] || [ -z "$wineserver" ]; then
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

# Ends every program of the prefix velmora_start_wine made, and removes the prefix.
velmora_stop_wine() {
    if [ -n "${velmora_wine_prefix:-}" ]; then
        WINEPREFIX=$velmora_wine_prefix "$wineserver" -k 2>/dev/null || true
        rm -rf "$velmora_wine_prefix"
    fi
}

# A virtual X screen of the given size ("1280x1024") on a display number Xvfb picks itself,
# so that no other display on the machine is touched; exports DISPLAY. velmora_stop_display
# ends it.
velmora_start_display() {
    local number_file
    number_file=$(mktemp "${TMPDIR:-/tmp}/velmora-display.XXXXXX")
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    velmora_xvfb=$!
    for _ in $(seq 300); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    DISPLAY=:$(head -n 1 "$number_file")
    rm -f "$number_file"
    [ "$DISPLAY" != : ] || return 1
    export DISPLAY
    unset WAYLAND_DISPLAY
}

velmora_stop_display() {
    [ -z "${velmora_xvfb:-}" ] || kill "$velmora_xvfb" 2>/dev/null || true
}
