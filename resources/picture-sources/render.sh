#!/bin/sh
# Redraws every picture of the bundle from the SVG sources beside this script.
# Needs rsvg-convert (librsvg2-bin), ImageMagick's convert, the DejaVu Sans font and python3.
set -eu

sources=$(cd "$(dirname "$0")" && pwd)
pictures="$sources/../picture"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

png() { # svg-name png-name
    rsvg-convert --format=png --output="$pictures/$2" "$sources/$1"
}

ico() { # svg-name ico-name
    rsvg-convert --format=png --output="$work/icon.png" "$sources/$1"
    convert "$work/icon.png" -define icon:format=png "$pictures/$2"
}

png search.svg search.png
png connect.svg connect.png
png disconnect.svg disconnect.png
png reset.svg reset.png
png write.svg write.png
png read.svg read.png
png tool.svg tool.png
png nivaro-logo.svg "Nivaro HD.png"
png dravik-logo.svg "Dravik Tech.png"
ico camera.svg camera.ico
ico nivaro-icon.svg "Nivaro HD.ico"
ico dravik-icon.svg "Dravik Tech.ico"

# Same pixels, stored without row filters: the program decodes them about twice as fast.
python3 "$sources/unfiltered-png.py" "$pictures"/*.png "$pictures"/*.ico
