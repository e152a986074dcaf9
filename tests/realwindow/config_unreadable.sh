#!/usr/bin/env bash
# Files the user can't read, seen on a real X server: the configurator runs as
# an unprivileged user against a language file and a varia.kst of mode 000.
# Each is named in a message at start; at the close varia.kst and varis.cfg
# (its switch lines unchanged) stay as they were, while buy.kst and fun.cfg
# are saved.
# Usage: config_unreadable.sh PATH_TO_CONFIG
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"
config=$(realpath "$1")
[ "$(id -u)" = 0 ] && id nobody >/dev/null 2>&1 || { echo "SKIP: needs root and the user nobody"; exit 77; }
# Wine maps Unix permissions onto no Windows access rights the test could rely on.
[ -z "${KORVEL_RUN:-}" ] || { echo "SKIP: Unix file modes and users, not Windows ones"; exit 77; }

work=$(mktemp -d)
trap 'x_stop; rm -rf "$work"' EXIT
chmod 755 "$work"
hl="$work/Half-Life"
qor="$hl/cstrike/qor"
mkdir -p "$qor"
printf '%s\r\ntest.lang\r\n%s\\cstrike\\gfx\\shell\\kb_act.lst\r\n%s\\cstrike\\commandmenu.txt\r\n' "$hl" "$hl" "$hl" >"$qor/pfad.kst"
printf 'AN\r\n' >"$qor/test.lang"
printf '_pw\r\ngeheim\r\n' >"$qor/varia.kst"
printf 'exec qor/ori.cfg\r\n\r\n\r\nsetinfo "_pw" "geheim"\r\n' >"$qor/varis.cfg"
printf 'Reloading\r\n' >"$qor/buy.kst"
chmod 000 "$qor/test.lang" "$qor/varia.kst"
chown nobody "$qor" "$qor/varis.cfg" "$qor/buy.kst"
cp -p "$qor/varia.kst" "$qor/varis.cfg" "$work/"

x_start
runtime=$(mktemp -d) && chown nobody "$runtime"
(cd "$qor" && exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME="$runtime" XDG_RUNTIME_DIR="$runtime" "$config") &
X_APP=$!
X_PIDS+=("$X_APP")

# Every window titled like the program before the main window (520x298) is a message.
messages=0
while :; do
    id=$(x_find '^Korvel Configurator$')
    xwininfo -id "$id" | grep 'Width: 520' >/dev/null && break
    messages=$((messages + 1))
    x_key_in $id Return
    x_gone "$id"
done
[ "$messages" -eq 2 ] || x_fail "$messages messages at start, not one for each unreadable file"
echo "ok: the language file and varia.kst are named at start"

x_close "$id"
x_wait_exit "$X_APP"
rm -rf "$runtime"
[ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"
cmp -s "$work/varis.cfg" "$qor/varis.cfg" || x_fail "varis.cfg was rewritten from the empty fields"
cmp -s "$work/varia.kst" "$qor/varia.kst" || x_fail "varia.kst was changed"
grep -q 'Reloading' "$qor/buy.kst" && grep -q 'sayreload "say_team -=Reloading=-"' "$qor/fun.cfg" ||
    x_fail "buy.kst and fun.cfg were not saved"
echo "ok: varia.kst and varis.cfg are kept, buy.kst and fun.cfg saved"
echo "PASS"
