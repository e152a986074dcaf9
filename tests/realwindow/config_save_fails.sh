#!/usr/bin/env bash
# A save that fails, seen on a real X server: a folder stands where varis.cfg
# must go. Closing the main window must show a message, end the program with
# an error status, and leave the state files of the last run as they were.
# Usage: config_save_fails.sh PATH_TO_CONFIG
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"
config=$(realpath "$1")

work=$(mktemp -d)
trap 'x_stop; rm -rf "$work"' EXIT
qor="$work/Half-Life/cstrike/qor"
mkdir -p "$qor/varis.cfg"
printf 'c:\\hl\r\n\r\nc:\\hl\\cstrike\\gfx\\shell\\kb_act.lst\r\nc:\\hl\\cstrike\\commandmenu.txt\r\n' >"$qor/pfad.kst"
printf '_pw\r\ngeheim\r\n' >"$qor/varia.kst"
printf 'Reloading\r\n' >"$qor/buy.kst"
printf 'old fun.cfg\r\n' >"$qor/fun.cfg"
cp "$qor/varia.kst" "$qor/buy.kst" "$qor/fun.cfg" "$work/"

x_start
x_run "$qor" "$config"
main=$(x_find '^Korvel Configurator$')
x_close "$main"

# The message has the program's name as its title, like the main window.
box=
waited=0
while [ -z "$box" ]; do
    for id in $(xdotool search --onlyvisible --name '^Korvel Configurator$' 2>/dev/null); do
        [ "$id" = "$main" ] || box=$id
    done
    [ -n "$box" ] && break
    kill -0 "$X_APP" 2>/dev/null || x_fail "the configurator ended without a message"
    sleep 0.1
    waited=$((waited + 1))
    [ $waited -lt $((X_TIMEOUT * 10)) ] || x_fail "no message within ${X_TIMEOUT}s of the close"
done
echo "ok: a message is shown"
x_key_in $box Return
x_wait_exit "$X_APP"
[ "$X_STATUS" -ne 0 ] || x_fail "the configurator ended with status 0 although nothing was saved"
echo "ok: ended with status $X_STATUS"

[ -d "$qor/varis.cfg" ] || x_fail "the folder standing for varis.cfg is gone"
for file in varia.kst buy.kst fun.cfg; do
    ! cmp -s "$work/$file" "$qor/$file" || x_fail "$file was not saved although only varis.cfg failed"
done
grep -q 'Reloading' "$qor/buy.kst" && grep -q 'geheim' "$qor/varia.kst" || x_fail "the saved state files lost values"
echo "ok: the other files are saved"
echo "PASS"
