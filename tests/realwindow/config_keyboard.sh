#!/usr/bin/env bash
# The keyboard where a player puts it: a module switched on and off again by
# Space without touching the next module, each dialog taking what is typed in
# its first box when it opens (again), and Escape closing an open drop-down
# list before the dialog. And a box's warning mark explains itself as its
# dialog opens, though the window system's activation hides tips shown before.
# Usage: config_keyboard.sh PATH_TO_CONFIG
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"
config=$(realpath "$1")

work=$(mktemp -d)
trap 'x_stop; rm -rf "$work"' EXIT
halflife="$work/Half-Life"
qor="$halflife/cstrike/qor"
mkdir -p "$qor"
printf '%s\r\n\r\n%s\r\n%s\r\n' "$halflife" "$halflife\\cstrike\\gfx\\shell\\kb_act.lst" \
    "$halflife\\cstrike\\commandmenu.txt" >"$qor/pfad.kst"
# A server password without its field name: marked, and left out of varis.cfg.
printf '\r\ngeheim\r\n' >"$qor/varia.kst"

# until_true WHAT COMMAND...: waits until COMMAND succeeds, or fails the test with WHAT.
until_true() {
    local what=$1 waited=0
    shift
    until "$@"; do
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -lt $((X_TIMEOUT * 10)) ] || x_fail "$what"
    done
}
visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
# Whatever program draws them (Wine too): the top-level windows on show.
windows() { xdotool search --onlyvisible --maxdepth 1 --name "" 2>/dev/null | wc -l; }

x_start
x_run "$qor" "$config"
main=$(x_find '^Korvel Configurator$')

# Personal Mode "AN" (switch frame at 8,136, the button at 216,40 in it), then Space twice.
x_click "$main" $((8 + 216 + 32)) $((136 + 40 + 6))
until_true "clicking Personal Mode AN made no fun.kst" test -e "$qor/fun.kst"
x_key space
until_true "Space after AN did not switch Personal Mode off" test ! -e "$qor/fun.kst"
x_key space
until_true "a second Space did not switch Personal Mode on again" test -e "$qor/fun.kst"
[ ! -e "$qor/say.kst" ] || x_fail "Space switched the Informationsscript on"

# "Soundmenü" (menu frame at 8,40, the button at 8,56 in it): typed into snd1,
# hidden with Escape, opened again and typed into once more.
x_click "$main" $((8 + 8 + 52)) $((40 + 56 + 12))
sounds=$(x_find '^Soundmen')
x_type 'abc'
x_key Escape
x_gone "$sounds"
# Not the very same point: xdotool waits long for a pointer move that is not needed.
x_click "$main" $((8 + 8 + 62)) $((40 + 56 + 12))
x_find '^Soundmen' >/dev/null
x_type 'def'

# "Restockmenü" (at 8,16 in the menu frame): big1 takes the typing; F4 opens
# its list, Escape closes only that, a second Escape the dialog.
x_click "$main" $((8 + 8 + 52)) $((40 + 16 + 12))
restock=$(x_find '^Restocks$')
x_type 'hegrenade'
before=$(windows)
x_key F4
until_true "F4 opened no list" test "$(windows)" -gt "$before"
x_key Escape
until_true "Escape left the list open" test "$(windows)" -eq "$before"
sleep 0.5
visible '^Restocks$' || x_fail "Escape in the open list closed the restock dialog"
x_key Escape
x_gone "$restock"

# "Admin-Mod Menü" (at 136,16 in the menu frame): the dialog and the tip of its marked box.
before=$(windows)
x_click "$main" $((8 + 136 + 56)) $((40 + 16 + 12))
x_find '^Setinfo' >/dev/null
sleep 1
[ "$(windows)" -eq $((before + 2)) ] || x_fail "the marked password box showed no tip as its dialog opened"

x_close "$main"
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"
[ "$(sed -n 3p "$qor/varia.kst")" = $'hegrenade\r' ] || x_fail "big1 did not take the typing: $(sed -n 3p "$qor/varia.kst")"
[ "$(sed -n 16p "$qor/varia.kst")" = $'abcdef\r' ] || x_fail "snd1 did not take the typing: $(sed -n 16p "$qor/varia.kst")"
echo "PASS"
