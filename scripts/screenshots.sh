#!/usr/bin/env bash
# Takes a picture of every window of the two programs for the documentation:
# docs/screenshots/<window>-<language>.png for every window of both programs
# in each shipped language (english, deutsch; the uninstaller takes the
# language the configurator recorded). Builds the Linux programs into
# build-screenshots, installs them into a demo game folder of its own and
# opens every window on a private X server by clicking its button, as a
# player would (scripts/screenshot-steps.sh). The pictures are replaced only
# when all of them were taken.
#
# With --windows: puts the pictures that the Windows stage took under Wine
# at 96 and 144 DPI (scripts/windows-test.sh, build-win/screenshots) into
# docs/screenshots/windows/<window>-<language>-<dpi>.png instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = --windows ]; then
    taken="$root/build-win/screenshots"
    ls "$taken"/*-96.png "$taken"/*-144.png >/dev/null 2>&1 ||
        { echo "No Windows pictures in $taken: run scripts/windows-test.sh first" >&2; exit 1; }
    out="$root/docs/screenshots/windows"
    mkdir -p "$out"
    rm -f "$out"/*.png
    cp "$taken"/*-96.png "$taken"/*-144.png "$out/"
    echo "Pictures in $out"
    exit 0
fi

source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_SCREENSHOT_PACKAGES[@]}"

build="$root/build-screenshots"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target config uninstaller

# The setup dialog and the directory browser show the game folder: always the
# same one, so that the pictures change only where the windows do. One run at
# a time on this machine.
demo=/tmp/korvel-screenshots
exec 8>>"$demo.lock"
flock 8
rm -rf "$demo"
mkdir -p "$demo"
shots=$(mktemp -d)
source "$root/tests/realwindow/xsession.sh"
source "$root/scripts/screenshot-steps.sh"
trap 'x_stop; rm -rf "$demo" "$shots"' EXIT

x_start
shots_take "$build" "$demo" "$demo/Half-Life" "$shots" '' 100

out="$root/docs/screenshots"
mkdir -p "$out"
rm -f "$out"/*.png
mv "$shots"/*.png "$out/"
echo "Pictures in $out"
