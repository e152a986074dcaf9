#!/usr/bin/env bash
# Builds the configurator and the uninstaller and starts the configurator in a
# demo game folder of our own: demo/Half-Life/cstrike/qor below the project.
# --first-run removes the demo's path file first, so the setup dialog opens.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}"

build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target config uninstaller

halflife="$root/demo/Half-Life"
cstrike="$halflife/cstrike"
qor="$cstrike/qor"
mkdir -p "$qor" "$cstrike/gfx/shell"

# The game's own files, as a fresh installation would have them.
[ -e "$cstrike/gfx/shell/kb_act.lst" ] || printf '"blank"\t\t"=========================="\r\n"+attack"\t\t"Fire"\r\n' >"$cstrike/gfx/shell/kb_act.lst"
[ -e "$cstrike/commandmenu.txt" ] || printf '"1" "Buy" { "buy" }\r\n' >"$cstrike/commandmenu.txt"
[ -e "$cstrike/valve.rc" ] || printf 'exec autoexec.cfg\r\n' >"$cstrike/valve.rc"

# The package, installed as a user installs it: the programs and the
# languages with their game files.
cmake --install "$build" --prefix "$halflife" >/dev/null

if [ "${1:-}" = "--first-run" ]; then
    rm -f "$qor/pfad.kst"
elif [ ! -e "$qor/pfad.kst" ]; then
    # A recorded Half-Life folder and no language yet: the main window opens.
    printf '%s\r\n\r\n%s\r\n%s\r\n' "$halflife" "$halflife\\cstrike\\gfx\\shell\\kb_act.lst" \
        "$halflife\\cstrike\\commandmenu.txt" >"$qor/pfad.kst"
fi

echo "Starting the configurator in $qor"
cd "$qor"
exec ./config
