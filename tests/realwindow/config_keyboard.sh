#!/usr/bin/env bash
# The keyboard where a player puts it: Space and Enter switch one module on
# and off, never the next one; Enter on a focused menu button opens its
# dialog; each dialog takes the typing in its first box whenever it opens;
# Escape closes an open list before the dialog. And a marked box
# shows its notice as its dialog opens, which stays while the activation goes
# elsewhere and the pointer passes, and goes with its dialog.
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
printf '\r\ngeheim\r\n' >"$qor/varia.kst"    # a password without its field name: marked

# wait_for WHY COMMAND...: until COMMAND succeeds, or the test fails with WHY.
wait_for() {
    local why=$1 i
    shift
    for ((i = 0; i < X_TIMEOUT * 10; i++)); do "$@" && return; sleep 0.1; done
    x_fail "$why"
}
# The top-level windows on show, whatever draws them (Wine too); counted
# again where xdotool stops at a window that goes away while it counts.
windows() {
    local shown
    until shown=$(xdotool search --onlyvisible --maxdepth 1 --name "" 2>/dev/null); do sleep 0.1; done
    echo "$shown" | wc -l
}
# windows_are OP N: the windows on show compare so with N, counted anew at each try of wait_for.
windows_are() { [ "$(windows)" "$1" "$2" ]; }
# Keys go to the active window: a dialog on show may not be that yet.
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

x_start
x_run "$qor" "$config"
main=$(x_find '^Korvel Configurator$')

# Switch frame at 8,136: Personal Mode "AN" at 216,40. Menu frame at 8,40:
# "Restockmenü" at 8,16, "Admin-Mod Menü" at 136,16, "Soundmenü" at 8,56.
x_click "$main" $((8 + 216 + 32)) $((136 + 40 + 6))
wait_for "AN made no fun.kst" test -e "$qor/fun.kst"
x_key space
wait_for "Space after AN did not switch Personal Mode off" test ! -e "$qor/fun.kst"
x_key space
wait_for "a second Space did not switch Personal Mode on" test -e "$qor/fun.kst"
x_key Return
wait_for "Enter did not switch Personal Mode off" test ! -e "$qor/fun.kst"
x_key KP_Enter
wait_for "the keypad's Enter did not switch Personal Mode on" test -e "$qor/fun.kst"
[ ! -e "$qor/say.kst" ] || x_fail "Space or Enter switched the Informationsscript on"

x_click "$main" $((8 + 8 + 52)) $((40 + 56 + 12))
sounds=$(x_find '^Soundmen')
wait_for "the sound dialog did not become active" active "$sounds"
x_type 'a bc'
x_key Escape
x_gone "$sounds"
# "Soundmenü" kept the main window's keyboard: Enter opens the dialog again.
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
wait_for "the main window did not become active again" active "$main"
x_key Return
sounds=$(x_find '^Soundmen')
wait_for "the sound dialog did not become active again" active "$sounds"
x_type 'def'

x_click "$main" $((8 + 8 + 52)) $((40 + 16 + 12))
restock=$(x_find '^Restocks$')
wait_for "the restock dialog did not become active" active "$restock"
x_type 'hegrenade'
before=$(windows)
x_key F4
wait_for "F4 opened no list" windows_are -gt "$before"
x_key Escape
wait_for "Escape left the list open" windows_are -le "$before"
# Had that Escape gone on to the dialog, F4 would find no list to open.
x_key F4
wait_for "Escape in the open list closed the restock dialog too" windows_are -gt "$before"
x_key Escape
wait_for "Escape left the list open the second time" windows_are -le "$before"
x_key Escape
x_gone "$restock"

before=$(windows)
x_click "$main" $((8 + 136 + 56)) $((40 + 16 + 12))
setinfo=$(x_find '^Setinfo')
wait_for "the marked password box showed no notice as its dialog opened" windows_are -eq $((before + 2))
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
origin=($(x_origin "$setinfo"))
xdotool mousemove --sync $((origin[0] + 200)) $((origin[1] + 50)) mousemove --sync 5 5
# Once the main window has taken a click after those, it has seen them too.
x_click "$main" $((8 + 216 + 32)) $((136 + 56 + 6))
wait_for "AUS did not switch Personal Mode off" test ! -e "$qor/fun.kst"
[ "$(windows)" -eq $((before + 2)) ] || x_fail "the notice went with the activation or the pointer"
x_close "$setinfo"
x_gone "$setinfo"
wait_for "the notice stayed when its dialog closed" windows_are -eq "$before"

x_close "$main"
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"
[ "$(sed -n 3p "$qor/varia.kst")" = $'hegrenade\r' ] || x_fail "big1 did not take the typing"
[ "$(sed -n 16p "$qor/varia.kst")" = $'abcdef\r' ] || x_fail "snd1 did not take the typing"
echo "PASS"
