# The steps that take a picture of every window of the two programs, shared
# by scripts/screenshots.sh (Linux) and scripts/windows-test.sh (Wine).
# Sourced after tests/realwindow/xsession.sh, with the X server started.
#
# shots_take BUILD DEMO HALFLIFE OUT SUFFIX SCALE
#   installs the programs of the build folder BUILD into a fresh demo game
#   folder below DEMO, once in each language, opens every window by clicking
#   its button as a player would, and writes OUT/<window>-<language>SUFFIX.png.
#   HALFLIFE is the game folder as the programs name it (a Windows path under
#   Wine); SCALE the windows' scale in percent, by which the clicks move.
#   The programs start through $KORVEL_RUN, as in the real-window tests.
#   Each picture's client-area size goes to OUT/sizes as "<name> <w> <h>",
#   what the programs write to their error output to OUT/log.

# Windows-1252 with CR LF, as the package's files are: one argument a line.
shots_ansi_lines() {
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP1252
}

# A fresh game with the package installed and the settings of an earlier run.
shots_install_demo() {
    local build=$1 halflife=$2 shown=$3 language=$4
    local cstrike="$halflife/cstrike"
    local qor="$cstrike/qor"
    rm -rf "$halflife"
    mkdir -p "$qor" "$cstrike/gfx/shell" "$cstrike/sound/vox"
    printf '"blank"\t\t"=========================="\r\n"+attack"\t\t"Fire"\r\n' >"$cstrike/gfx/shell/kb_act.lst"
    printf '"1" "Buy" { "buy" }\r\n' >"$cstrike/commandmenu.txt"
    printf 'exec autoexec.cfg\r\n' >"$cstrike/valve.rc"
    cmake --install "$build" --prefix "$halflife" >/dev/null

    printf '%s\r\n%s\r\n%s\r\n%s\r\n' "$shown" "$language.lang" "$shown\\cstrike\\gfx\\shell\\kb_act.lst" \
        "$shown\\cstrike\\commandmenu.txt" >"$qor/pfad.kst"
    # Personal Mode on, and one plug-in of the package.
    printf 'fun aktiviert\r\n' >"$qor/fun.kst"
    printf '// plug-in\r\n' >"$qor/plugin1.cfg"
    local restock=(kevlarandhelm hegrenade flashbang smokegrenade munition kevlar flashbang munition)
    local sounds=(hello buzwarn doop)
    if [ "$language" = deutsch ]; then
        shots_ansi_lines _pw geheim "${restock[@]}" 'Hallo zusammen!' 'gg wp' "Los geht's!" 'Gib mir Deckung!' \
            'Bis später' "${sounds[@]}" _adminpw passwort 'Brauche Unterstützung!' 'Bombe liegt' \
            'Position halten' >"$qor/varia.kst"
        shots_ansi_lines 'Lade nach, gib Deckung!' '' '' '' '' '' '' 'AWP gekauft' '' '' '' '' '' '' '' '' '' '' \
            '' 'HE kommt!' 'Rauch!' 'Blendgranate!' 'Entschärfe die Bombe' 'Bombe gelegt' >"$qor/buy.kst"
    else
        shots_ansi_lines _pw secret "${restock[@]}" 'Hello everyone!' 'gg wp' 'Here we go!' 'Cover me!' \
            'See you later' "${sounds[@]}" _adminpw password 'Need backup!' 'Bomb is down' 'Hold this position' \
            >"$qor/varia.kst"
        shots_ansi_lines 'Reloading, cover me!' '' '' '' '' '' '' 'AWP bought' '' '' '' '' '' '' '' '' '' '' '' \
            'HE out!' 'Smoke out!' 'Flashbang out!' 'Defusing the bomb' 'Bomb planted' >"$qor/buy.kst"
    fi
}

# The window with its frame, once nothing hovers over it: no tooltip, no
# highlighted button. PNG without dates, so an unchanged window gives the
# same file. The caret of the focused box blinks: of pictures taken over
# more than one blink, the one kept is always the same one of the two.
shots_shoot() {
    local out=$1 name=$2 id=$3 i
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    xdotool mousemove --sync 1020 760
    sleep 1
    for i in 1 2 3 4 5; do
        import -window "$id" -frame -strip -define png:exclude-chunks=date,time "$out/$name.$i.png"
        sleep 0.3
    done
    mv "$(md5sum "$out/$name".?.png | sort | head -n 1 | cut -d' ' -f3)" "$out/$name.png"
    rm -f "$out/$name".?.png
    # A picture of one colour shows no window.
    [ "$(identify -format '%k' "$out/$name.png")" -gt 1 ] || x_fail "the picture $name.png is blank"
    xwininfo -id "$id" | awk -v name="$name" '/^ +Width:/ {w = $NF} /^ +Height:/ {h = $NF} END {print name, w, h}' \
        >>"$out/sizes"
    echo "$name.png"
}

# shots_open WINDOW X Y TITLE: clicks at X,Y (design pixels) of WINDOW's
# client area; prints the id of the window titled TITLE (a regex) that it opens.
shots_open() {
    x_click "$1" $(($2 * shots_scale / 100)) $(($3 * shots_scale / 100)) >/dev/null
    x_find "$4"
}

shots_take() {
    local build=$1 demo=$2 halflife=$3 out=$4 suffix=$5 language dialog x y title id main setup browser window
    shots_scale=$6
    # The Windows programs are found by their full names.
    local exe=''
    [ ! -e "$build/config/config.exe" ] || exe=.exe
    for language in english deutsch; do
        shots_install_demo "$build" "$demo/Half-Life" "$halflife" "$language"
        x_run "$demo/Half-Life/cstrike/qor" "./config$exe" 2>>"$out/log"
        main=$(x_find '^Korvel Configurator$')
        shots_shoot "$out" "main-$language$suffix" "$main"

        # The buttons, each clicked near its left end (captions may widen it):
        # "Menu" frame at 8,40, "Switches" frame at 8,136, "Einstellungen" at 440,0.
        # Each title in German and in English.
        local -A dialogs=(
            [restock]="$((8 + 8 + 20)) $((40 + 16 + 12)) ^Restocks$"
            [amcm]="$((8 + 136 + 20)) $((40 + 16 + 12)) ^Setinfo( - Feld| field)$"
            [sound]="$((8 + 8 + 20)) $((40 + 56 + 12)) ^Sound ?[mM]en"
            [text]="$((8 + 136 + 20)) $((40 + 56 + 12)) ^Text ?[mM]en"
            [funmode]="$((8 + 216 + 20)) $((136 + 8 + 6)) ^(Funmode-Config|Personal Mode config)$"
        )
        for dialog in restock amcm sound text funmode; do
            read -r x y title <<<"${dialogs[$dialog]}"
            id=$(shots_open "$main" "$x" "$y" "$title")
            shots_shoot "$out" "$dialog-$language$suffix" "$id"
            x_close "$id"
            x_gone "$id"
        done

        setup=$(shots_open "$main" $((440 + 20)) 8 '^(Erster Start|First run)$')
        shots_shoot "$out" "firstrun-$language$suffix" "$setup"
        # "Search Path" at 208,56.
        browser=$(shots_open "$setup" $((208 + 20)) $((56 + 12)) '^(Verzeichnis Suchen|Find Folder)$')
        shots_shoot "$out" "firstrun2-$language$suffix" "$browser"

        x_close "$main"
        x_wait_exit "$X_APP"
        [ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"

        # Closed again without "Start Uninstall": nothing is removed.
        x_run "$demo/Half-Life/cstrike" "./uninstaller$exe" 2>>"$out/log"
        window=$(x_find '^Uninstaller$')
        shots_shoot "$out" "uninstaller-$language$suffix" "$window"
        x_close "$window"
        x_wait_exit "$X_APP"
    done
}
