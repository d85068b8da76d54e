#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix WINEPREFIX names: the emulator through which
# CTest runs the programs of a cross build (tools/setup.sh windows). Wine hands no QT_*
# variable on to a Windows program but passes WINEQT_* on as QT_*, so the QT_* variables a
# test sets reach the program that way.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-common.sh"
if [ -z "${WINEPREFIX:-}" ]; then
    echo "wine-run: WINEPREFIX is not set: the programs run in a Wine prefix made for them" >&2
    exit 1
fi
velmora_find_wine || { echo "wine-run: $wine_missing" >&2; exit 1; }
while IFS= read -r name; do
    if [[ $name == QT_* ]]; then
        export "WINE$name=${!name}"
    fi
done < <(compgen -e)
# Started by Wine outside any console, a Qt program would send its messages, and QtTest its
# results, to the debugger: they stay on the standard streams, as from a Windows console.
export WINEQT_FORCE_STDERR_LOGGING=1
exec "$wine" "$@"
