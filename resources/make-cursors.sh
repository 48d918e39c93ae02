#!/bin/sh
# Regenerates the screen painter's cursors, skin/default/Cursor/{matita,gomma}.cur and the copy of
# the pencil in Resources/Cursor/matita.cur, from the drawing in make-cursors.cpp.
# Needs a C++ compiler and Qt 6 development files (pkg-config Qt6Gui).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

c++ -std=c++20 -fPIC -O1 -I"$repo/src" \
    "$repo/resources/make-cursors.cpp" "$repo/src/painter/cursorfile.cpp" \
    $(pkg-config --cflags --libs Qt6Gui) -o "$work/make-cursors"
"$work/make-cursors" "$work"

mkdir -p "$repo/skin/default/Cursor" "$repo/Resources/Cursor"
cp "$work/matita.cur" "$work/gomma.cur" "$repo/skin/default/Cursor/"
cp "$work/matita.cur" "$repo/Resources/Cursor/"
echo "wrote $repo/skin/default/Cursor/{matita,gomma}.cur and $repo/Resources/Cursor/matita.cur"
