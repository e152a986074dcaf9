#!/usr/bin/env bash
# A start outside the package folder, as a shortcut without its start folder
# makes it: the configurator installed with its languages in
# Half-Life/cstrike/qor and started in Half-Life. It shows one message, no
# window of its own, ends with an error status at OK, and not one file or
# folder of the game tree is new, changed or gone.
# Usage: config_elsewhere.sh PATH_TO_CONFIG LANGUAGE_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"
config=$(realpath "$1")
languages=$(realpath "$2")

work=$(mktemp -d)
trap 'x_stop; rm -rf "$work"' EXIT
halflife="$work/Half-Life"
qor="$halflife/cstrike/qor"
mkdir -p "$qor" "$halflife/cstrike/gfx/shell"
printf 'game commandmenu\r\n' >"$halflife/cstrike/commandmenu.txt"
cp "$config" "$languages"/*.lang "$languages"/*_kb_act.lst "$languages"/*_commandmenu.txt "$qor/"
program="$qor/$(basename "$config")"

# Names, kinds, sizes, times and contents of everything below the work folder.
snapshot() {
    cd "$work" && find . -printf '%p %y %s %T@\n' | sort && find . -type f -exec md5sum {} + | sort
}
before=$(snapshot)

x_start
x_run "$halflife" "$program"
box=$(x_find '^Korvel Configurator$')
boxes=$(xdotool search --onlyvisible --name '^Korvel Configurator$' 2>/dev/null | wc -l)
[ "$boxes" -eq 1 ] || x_fail "$boxes windows titled Korvel Configurator instead of the one message"
[ -z "$(xdotool search --onlyvisible --name '^firstrun$' 2>/dev/null)" ] || x_fail "the setup dialog opened"
[ "$(snapshot)" = "$before" ] || x_fail "the start changed the game tree before its message was answered"
echo "ok: one message, and nothing written"

x_key_in $box Return
x_wait_exit "$X_APP"
[ "$X_STATUS" -ne 0 ] || x_fail "the configurator ended with status 0 although it did not start"
echo "ok: ended with status $X_STATUS"
after=$(snapshot)
[ "$after" = "$before" ] || x_fail "the game tree changed:
$(diff <(echo "$before") <(echo "$after"))"
echo "ok: the game tree is as it was"
echo "PASS"
