#!/usr/bin/env bash
# The configurator as a user meets it: installed in a game folder with the
# sample English language, started on a real X server, a module switched on,
# a dialog opened and typed into, the main window closed through the window
# manager. The files it leaves must be exactly what the game and the next
# start read.
# Usage: config_window.sh PATH_TO_CONFIG LANGUAGE_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"
config=$(realpath "$1")
languages=$(realpath "$2")

work=$(mktemp -d)
trap 'x_stop; rm -rf "$work"' EXIT
halflife="$work/Half-Life"
cstrike="$halflife/cstrike"
qor="$cstrike/qor"
mkdir -p "$qor" "$cstrike/gfx/shell"
printf 'game kb_act\r\n' >"$cstrike/gfx/shell/kb_act.lst"
printf 'game commandmenu\r\n' >"$cstrike/commandmenu.txt"

cp "$languages"/english.lang "$languages"/english_kb_act.lst "$languages"/english_commandmenu.txt "$qor/"

# Recorded as the setup dialog records it, Windows separators after the folder.
printf '%s\r\nenglish.lang\r\n%s\r\n%s\r\n' "$halflife" "$halflife\\cstrike\\gfx\\shell\\kb_act.lst" \
    "$halflife\\cstrike\\commandmenu.txt" >"$qor/pfad.kst"

# Settings saved by an earlier run: a server password, two restock items and
# a chat message with German letters and the euro sign (Windows-1252 bytes).
printf '_pw\r\ngeheim\r\nkevlar\r\nhegrenade\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nGr\xfc\xdfe \x80\r\n' >"$qor/varia.kst"
printf 'Reloading\r\n' >"$qor/buy.kst"

x_start
x_run "$qor" "$config"
main=$(x_find '^Korvel Configurator$')

# Personal Mode "AN" ("ON" in English): the switch frame is at 8,136, the button at 216,40 within it (65 x 13).
x_click "$main" $((8 + 216 + 32)) $((136 + 40 + 6))
waited=0
until [ -e "$qor/fun.kst" ]; do
    sleep 0.1
    waited=$((waited + 1))
    [ $waited -lt $((X_TIMEOUT * 10)) ] || x_fail "clicking Personal Mode AN made no fun.kst"
done

# "Textmenü" ("Text menu"): the menu frame is at 8,40, the button at 136,56 within it (113 x 25).
# english.lang titles the dialog "Text menu".
x_click "$main" $((8 + 136 + 56)) $((40 + 56 + 12))
dialog=$(x_find '^Text menu$')
# The first message box, Text1 at 16,16 (209 x 19).
x_click "$dialog" $((16 + 100)) $((16 + 9))
x_type 'Hallo Welt'

# The dialog stays open: what it holds is saved all the same.
x_close "$main"
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"

check() {
    local name=$1 expected
    expected=$(mktemp)
    cat >"$expected"
    if ! cmp -s "$expected" "$qor/$name"; then
        echo "FAIL: $name differs from what was expected" >&2
        echo "--- expected" >&2
        od -c "$expected" >&2
        echo "--- written" >&2
        od -c "$qor/$name" >&2 || true
        rm -f "$expected"
        exit 1
    fi
    rm -f "$expected"
    echo "ok: $name"
}

# The language step at start put the English game files in place and kept the game's own.
same() {
    cmp -s "$1" "$2" || x_fail "$2 is not a copy of $1"
    echo "ok: $(basename "$2")"
}
same "$languages/english_kb_act.lst" "$cstrike/gfx/shell/kb_act.lst"
same "$languages/english_commandmenu.txt" "$cstrike/commandmenu.txt"
printf 'game kb_act\r\n' | same - "$cstrike/backup/kb_act.lst"
printf 'game commandmenu\r\n' | same - "$cstrike/backup/commandmenu.txt"

printf 'fun aktiviert\r\n' | check fun.kst

printf '%s\r\n' 'exec qor/fun.cfg' '' '' 'setinfo "_pw" "geheim"' \
    'alias bigre_item1 "kevlar"' 'alias bigre_item2 "hegrenade"' 'alias bigre_item3 ""' \
    'alias bigre_item4 ""' 'alias bigre_item5 ""' 'alias smallre_item1 ""' 'alias smallre_item2 ""' \
    'alias smallre_item3 ""' 'alias txt1 "say -=Hallo Welt=-"' $'alias txt2 "say -=Gr\xc3\xbc\xc3\x9fe \xe2\x82\xac=-"' \
    'alias txt3 ""' 'alias txt4 ""' 'alias txt5 ""' 'alias snd1 ""' 'alias snd2 ""' 'alias snd3 ""' \
    'alias tm1 ""' 'alias tm2 ""' 'alias tm3 ""' |
    check varis.cfg

{
    printf '%s\r\n' _pw geheim kevlar hegrenade '' '' '' '' '' '' 'Hallo Welt' $'Gr\xfc\xdfe \x80'
    for _ in $(seq 13 23); do printf '\r\n'; done
} | check varia.kst

{
    printf 'Reloading\r\n'
    for _ in $(seq 2 24); do printf '\r\n'; done
} | check buy.kst

{
    printf '//Vom Configurator erstellte Datei fuer Benutzerdefiniertes Sayscript\r\n'
    printf 'alias sayreload "say_team -=Reloading=-"\r\n'
    for alias in sayusp sayglock sayp90 saymp5 saypara sayscout sayawp sayg3sg1 saym3 sayp228 saydeagle \
        sayump45 sayteampistol ak47 sayteamrifle1 sayteamsmg sayteamrifle2 sayteamsniper sayhe saysmoke \
        sayflash saydefuse sayplant; do
        printf 'alias %s ""\r\n' "$alias"
    done
} | check fun.cfg

echo "PASS"
