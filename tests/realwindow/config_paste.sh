#!/usr/bin/env bash
# Two lines with a tab and a character Windows-1252 lacks, pasted through the
# real clipboard into a message box, a restock box and a Personal Mode box:
# the character is left out, the rest taken; each value stays on its own line
# of the state files, with spaces for the breaks, and the scripts say it so.
# Usage: config_paste.sh PATH_TO_CONFIG
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"
config=$(realpath "$1")

work=$(mktemp -d)
trap 'x_stop; rm -rf "$work"' EXIT
halflife="$work/Half-Life"
qor="$halflife/cstrike/qor"
mkdir -p "$qor"
# No language: the German captions stay.
printf '%s\r\n\r\n%s\r\n%s\r\n' "$halflife" "$halflife\\cstrike\\gfx\\shell\\kb_act.lst" \
    "$halflife\\cstrike\\commandmenu.txt" >"$qor/pfad.kst"

x_start
command -v xclip >/dev/null || x_fail "xclip is missing; scripts/deps.sh installs it"
# xclip stays in the background to serve the paste; its output must not keep
# the test's own output open after the test has ended.
printf 'Eins zwei\r\ndrei\t\xe2\x9c\x93vier' | xclip -selection clipboard >/dev/null 2>&1
x_run "$qor" "$config"
main=$(x_find '^Korvel Configurator$')

# paste_into DIALOG_TITLE BUTTON_X BUTTON_Y BOX_X BOX_Y: opens the dialog from the main window, pastes into the box.
paste_into() {
    x_click "$main" "$2" "$3"
    local dialog
    dialog=$(x_find "$1")
    x_click "$dialog" "$4" "$5"
    x_key ctrl+v
}
# Menu frame at 8,40: "Textmenü" at 136,56, "Restockmenü" at 8,16. Switch frame at 8,136: "Config" at 216,8.
paste_into '^TextMen' $((8 + 136 + 56)) $((40 + 56 + 12)) $((16 + 100)) $((16 + 9))        # Text1
paste_into '^Restocks$' $((8 + 8 + 52)) $((40 + 16 + 12)) $((48 + 8 + 30)) $((8 + 24 + 10)) # big1 in its frame
paste_into '^Funmode-Config$' $((8 + 216 + 32)) $((136 + 8 + 6)) $((96 + 80)) $((40 + 9))  # reload

x_close "$main"
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"

text='Eins zwei drei vier'
# lines FILE COUNT N=VALUE...: FILE must be COUNT CR LF lines, empty but for those given.
lines() {
    local file=$1 count=$2 i
    shift 2
    declare -A value=()
    for set in "$@"; do value[${set%%=*}]=${set#*=}; done
    for ((i = 1; i <= count; i++)); do printf '%s\r\n' "${value[$i]:-}"; done | cmp -s - "$qor/$file" ||
        { od -c "$qor/$file" >&2; x_fail "$file differs from what was expected"; }
    echo "ok: $file"
}
lines varia.kst 23 "3=$text" "11=$text"
lines buy.kst 24 "1=$text"
grep -qF $'alias bigre_item1 "Eins zwei drei vier"\r' "$qor/varis.cfg" || x_fail "varis.cfg lacks the restock item"
grep -qF $'alias txt1 "say -=Eins zwei drei vier=-"\r' "$qor/varis.cfg" || x_fail "varis.cfg lacks the message"
grep -qF $'alias sayreload "say_team -=Eins zwei drei vier=-"\r' "$qor/fun.cfg" || x_fail "fun.cfg lacks the line"
echo "PASS"
