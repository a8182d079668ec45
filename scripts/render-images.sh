#!/usr/bin/env bash
# Renders the SVG sources to the PNGs the program and its run tree use. The PNGs are committed,
# so building never needs this; run it after changing a picture. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."

render() { # source.svg target.png width height
    mkdir -p "$(dirname "$2")"
    rsvg-convert -w "$3" -h "$4" -o "$2" "$1"
    echo "$2"
}

while read -r source target width height; do
    [[ -z "$source" || "$source" == \#* ]] && continue
    render "resources/svg/$source" "$target" "$width" "$height"
done < resources/svg/images.list
