#!/bin/sh
# Compiles the executable's resource script with the MinGW-w64 resource compiler,
# turns the compiled resources back into text and checks what Windows will read:
# the icon group, the version record and the manifest.
#
# usage: check-windows-resources.sh RESOURCE_SCRIPT APPLICATION_ICON WORK_DIR
# Exits 77 (skipped) when the resource compiler is not installed, except in CI
# (CI or VELMORA_REQUIRE_WINDOWS_CHECKS set).
set -u

script=$1
icon=$2
work=$3
windres=${WINDRES:-x86_64-w64-mingw32-windres}

if ! command -v "$windres" >/dev/null 2>&1; then
    # In CI the setup script installs it: missing there is a broken set-up, not a skip.
    if [ -n "${VELMORA_REQUIRE_WINDOWS_CHECKS:-${CI:-}}" ]; then
        echo "FAIL: $windres not found"
        exit 1
    fi
    echo "skipped: $windres not found"
    exit 77
fi

mkdir -p "$work"
compiled="$work/velmora.res"
listing="$work/velmora.res.rc"
"$windres" --input-format=rc --output-format=res -i "$script" -o "$compiled" || exit 1
"$windres" --input-format=res --output-format=rc -i "$compiled" -o "$listing" || exit 1

failures=0
fail() {
    printf 'FAIL: %s\n' "$*"
    failures=$((failures + 1))
}

# Lines of the listing without their indentation, so that rows compare exactly.
trimmed=$(sed -e 's/^[[:space:]]*//' "$listing")

expect_line() { # description line
    printf '%s\n' "$trimmed" | grep -F -x -q -- "$2" || fail "$1: no line '$2'"
}

expect_line "icon group" '"IDI_MYAPP_ICON" 14 /* RT_GROUP_ICON */ MOVEABLE DISCARDABLE'
expect_line "icon group size" '0, 1, 1,	 /* Has 1 elements.  */'
# Width and height 0 mean 256; then planes, bits per pixel, image bytes, icon id.
image_bytes=$(od -An -tu4 -j14 -N4 "$icon" | tr -d ' ')
image_entry=$(printf '"\\000\\000\\000\\000", 1, 32, 0x%xL, 1\t/* Element no 1.  */' "$image_bytes")
expect_line "icon image (256 x 256, 32 bits, the application icon's bytes)" "$image_entry"

expect_line "file version" 'FILEVERSION 1, 4, 4, 0'
expect_line "product version" 'PRODUCTVERSION 1, 4, 4, 0'
expect_line "file type application" 'FILETYPE 0x1'
expect_line "French Unicode text block" 'BLOCK "040c04b0"'
expect_line "translation" 'VALUE "Translation", 0x40c, 1200'

# Every text entry but these six is present and empty.
filled=$(printf '%s\n' "$trimmed" | grep '^VALUE "' | grep -v '^VALUE "Translation"' |
    grep -v ', ""$' | sort)
expected_filled='VALUE "CompanyName", "Dravik"
VALUE "FileDescription", "Logiciel de pilotage nivaro HD"
VALUE "FileVersion", "1.4.4"
VALUE "InternalName", "Velmora"
VALUE "ProductName", "Velmora_HD"
VALUE "ProductVersion", "1.4.4"'
[ "$filled" = "$expected_filled" ] || fail "text entries with a value differ:
$filled"
for empty in Comments LegalCopyright LegalTrademarks OriginalFilename PrivateBuild SpecialBuild; do
    expect_line "empty $empty" "VALUE \"$empty\", \"\""
done

manifest=$(printf '%s\n' "$trimmed" |
    sed -n '/^1 24 \/\* RT_MANIFEST \*\//,/^END$/p')
[ -n "$manifest" ] || fail "no manifest resource 1"
printf '%s\n' "$manifest" |
    grep -F -q 'requestedExecutionLevel level=""asInvoker"" uiAccess=""false""' ||
    fail "manifest does not request asInvoker without uiAccess"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; compiled resources listed in $listing"
    exit 1
fi
echo "Windows resources: icon group, version record and manifest as expected"
