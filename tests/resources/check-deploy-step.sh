#!/bin/sh
# The install step that copies Qt beside the program on Windows, run as `cmake --install`
# runs it: windeployqt is taken from beside qmake, else from the PATH, and its absence
# stops the install with a message saying what to install.
#
# usage: check-deploy-step.sh CMAKE_COMMAND DEPLOY_SCRIPT WORK_DIR
set -u

cmake=$1
deploy=$2
work=$3
rm -rf "$work"
mkdir -p "$work/no-qt" "$work/qt-bin" "$work/path-bin"
program="$work/prefix/bin/VelmoraHD.exe"

failures=0
fail() {
    printf 'FAIL: %s\n' "$*"
    failures=$((failures + 1))
}

# A stand-in windeployqt that records how it was called.
fake_windeployqt() {
    printf '#!/bin/sh\necho "%s $*" >> "%s"\n' "$1" "$work/calls" > "$1/windeployqt"
    chmod +x "$1/windeployqt"
}

deploy_with() { # QT_BIN PATH
    env PATH="$2" "$cmake" -DVELMORA_QT_BIN="$1" -DVELMORA_PROGRAM="$program" -P "$deploy" \
        > "$work/output" 2>&1
}

if deploy_with "$work/no-qt" "$work/path-bin"; then
    fail "the install went on without windeployqt"
fi
grep -q "windeployqt was found neither beside qmake" "$work/output" ||
    fail "no message naming windeployqt: $(cat "$work/output")"

fake_windeployqt "$work/path-bin"
deploy_with "$work/no-qt" "$work/path-bin" || fail "windeployqt on the PATH was not used"
fake_windeployqt "$work/qt-bin"
deploy_with "$work/qt-bin" "$work/path-bin" || fail "windeployqt beside qmake was not used"

expected="$work/path-bin --no-translations $program
$work/qt-bin --no-translations $program"
[ "$(cat "$work/calls" 2>/dev/null)" = "$expected" ] ||
    fail "windeployqt calls: $(cat "$work/calls" 2>/dev/null)"

[ "$failures" -eq 0 ] && echo "deploy step: windeployqt found beside qmake, then on the PATH, else a clear stop"
[ "$failures" -eq 0 ]
