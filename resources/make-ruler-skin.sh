#!/bin/sh
# Regenerates skin/default/{h_back,h_end,v_back,v_end}.gif from the drawing the program also
# uses as its built-in fallback, so the files and the fallback never drift apart.
# Needs a C++ compiler, Qt 6 development files (pkg-config Qt6Gui) and ImageMagick's convert.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

c++ -std=c++20 -fPIC -O1 -I"$repo/src" \
    "$repo/resources/make-ruler-skin.cpp" "$repo/src/rulers/rulerskin.cpp" \
    $(pkg-config --cflags --libs Qt6Gui) -o "$work/make-ruler-skin"
"$work/make-ruler-skin" "$work"

for name in h_back h_end v_back v_end; do
    # Few colours, so the GIF palette holds every pixel exactly: no dithering, no reduction.
    convert "$work/$name.png" +dither "$repo/skin/default/$name.gif"
done
echo "wrote $repo/skin/default/{h_back,h_end,v_back,v_end}.gif"
