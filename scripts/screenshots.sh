#!/usr/bin/env bash
# Takes a picture of every window of the two programs for the documentation:
# docs/screenshots/<window>-<language>.png for every window of both programs
# in each shipped language (english, deutsch; the uninstaller takes the
# language the configurator recorded). Builds the Linux programs into
# build-screenshots, installs them into a demo game folder of its own and
# opens every window on a private X server by clicking its button, as a
# player would. The pictures are replaced only when all of them were taken.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
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
trap 'x_stop; rm -rf "$demo" "$shots"' EXIT

# Windows-1252 with CR LF, as the package's files are: one argument a line.
ansi_lines() {
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP1252
}

# A fresh game with the package installed and the settings of an earlier run.
install_demo() {
    local language=$1
    local halflife="$demo/Half-Life"
    local cstrike="$halflife/cstrike"
    local qor="$cstrike/qor"
    rm -rf "$halflife"
    mkdir -p "$qor" "$cstrike/gfx/shell" "$cstrike/sound/vox"
    printf '"blank"\t\t"=========================="\r\n"+attack"\t\t"Fire"\r\n' >"$cstrike/gfx/shell/kb_act.lst"
    printf '"1" "Buy" { "buy" }\r\n' >"$cstrike/commandmenu.txt"
    printf 'exec autoexec.cfg\r\n' >"$cstrike/valve.rc"
    cmake --install "$build" --prefix "$halflife" >/dev/null

    printf '%s\r\n%s\r\n%s\r\n%s\r\n' "$halflife" "$language.lang" "$halflife\\cstrike\\gfx\\shell\\kb_act.lst" \
        "$halflife\\cstrike\\commandmenu.txt" >"$qor/pfad.kst"
    # Personal Mode on, and one plug-in of the package.
    printf 'fun aktiviert\r\n' >"$qor/fun.kst"
    printf '// plug-in\r\n' >"$qor/plugin1.cfg"
    local restock=(kevlarandhelm hegrenade flashbang smokegrenade munition kevlar flashbang munition)
    local sounds=(hello buzwarn doop)
    if [ "$language" = deutsch ]; then
        ansi_lines _pw geheim "${restock[@]}" 'Hallo zusammen!' 'gg wp' "Los geht's!" 'Gib mir Deckung!' \
            'Bis später' "${sounds[@]}" _adminpw passwort 'Brauche Unterstützung!' 'Bombe liegt' \
            'Position halten' >"$qor/varia.kst"
        ansi_lines 'Lade nach, gib Deckung!' '' '' '' '' '' '' 'AWP gekauft' '' '' '' '' '' '' '' '' '' '' '' \
            'HE kommt!' 'Rauch!' 'Blendgranate!' 'Entschärfe die Bombe' 'Bombe gelegt' >"$qor/buy.kst"
    else
        ansi_lines _pw secret "${restock[@]}" 'Hello everyone!' 'gg wp' 'Here we go!' 'Cover me!' 'See you later' \
            "${sounds[@]}" _adminpw password 'Need backup!' 'Bomb is down' 'Hold this position' >"$qor/varia.kst"
        ansi_lines 'Reloading, cover me!' '' '' '' '' '' '' 'AWP bought' '' '' '' '' '' '' '' '' '' '' '' \
            'HE out!' 'Smoke out!' 'Flashbang out!' 'Defusing the bomb' 'Bomb planted' >"$qor/buy.kst"
    fi
}

# The window with its frame, once nothing hovers over it: no tooltip, no
# highlighted button. PNG without dates, so an unchanged window gives the
# same file. The caret of the focused box blinks: of pictures taken over
# more than one blink, the one kept is always the same one of the two.
shoot() {
    local name=$1 id=$2 i
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    xdotool mousemove --sync 1020 760
    sleep 1
    for i in 1 2 3 4 5; do
        import -window "$id" -frame -strip -define png:exclude-chunks=date,time "$shots/$name.$i.png"
        sleep 0.3
    done
    mv "$(md5sum "$shots/$name".?.png | sort | head -n 1 | cut -d' ' -f3)" "$shots/$name.png"
    rm -f "$shots/$name".?.png
    echo "$name.png"
}

# open_with WINDOW X Y TITLE: clicks at X,Y of WINDOW's client area; prints
# the id of the window titled TITLE (a regex) that it opens.
open_with() {
    x_click "$1" "$2" "$3" >/dev/null
    x_find "$4"
}

x_start
for language in english deutsch; do
    install_demo "$language"
    x_run "$demo/Half-Life/cstrike/qor" ./config
    main=$(x_find '^Korvel Configurator$')
    shoot "main-$language" "$main"

    # The buttons, each clicked near its left end (captions may widen it):
    # "Menu" frame at 8,40, "Switches" frame at 8,136, "Einstellungen" at 440,0.
    declare -A dialogs=(
        [restock]="$((8 + 8 + 20)) $((40 + 16 + 12)) ^Restocks$"
        [amcm]="$((8 + 136 + 20)) $((40 + 16 + 12)) ^Setinfo - Feld$"
        [sound]="$((8 + 8 + 20)) $((40 + 56 + 12)) ^Soundmen"
        [text]="$((8 + 136 + 20)) $((40 + 56 + 12)) ^TextMen"
        [funmode]="$((8 + 216 + 20)) $((136 + 8 + 6)) ^Funmode-Config$"
    )
    for dialog in restock amcm sound text funmode; do
        read -r x y title <<<"${dialogs[$dialog]}"
        id=$(open_with "$main" "$x" "$y" "$title")
        shoot "$dialog-$language" "$id"
        x_close "$id"
        x_gone "$id"
    done

    setup=$(open_with "$main" $((440 + 20)) 8 '^firstrun$')
    shoot "firstrun-$language" "$setup"
    # "Search Path" at 208,56.
    browser=$(open_with "$setup" $((208 + 20)) $((56 + 12)) '^Verzeichnis Suchen$')
    shoot "firstrun2-$language" "$browser"

    x_close "$main"
    x_wait_exit "$X_APP"
    [ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"

    # Closed again without "Start Uninstall": nothing is removed.
    x_run "$demo/Half-Life/cstrike" ./uninstaller
    window=$(x_find '^Uninstaller$')
    shoot "uninstaller-$language" "$window"
    x_close "$window"
    x_wait_exit "$X_APP"
done

out="$root/docs/screenshots"
mkdir -p "$out"
rm -f "$out"/*.png
mv "$shots"/*.png "$out/"
echo "Pictures in $out"
