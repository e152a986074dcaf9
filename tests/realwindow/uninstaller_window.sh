#!/usr/bin/env bash
# The uninstaller as a user meets it: started in the game's cstrike folder on
# a real X server, "Start Uninstall" clicked, the closing message confirmed.
# The game files must be the backups again, the package's files gone, qor
# and the emptied qor/sub kept, and the program ended. In a copy of the game
# folder, Enter presses "Start Uninstall" as well.
# Usage: uninstaller_window.sh PATH_TO_UNINSTALLER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"
uninstaller=$(realpath "$1")

work=$(mktemp -d)
trap 'x_stop; rm -rf "$work"' EXIT
cstrike="$work/Half-Life/cstrike"
mkdir -p "$cstrike/backup" "$cstrike/gfx/shell" "$cstrike/qor/sub" "$cstrike/qor/maps"

printf 'game commandmenu\r\n' >"$cstrike/backup/commandmenu.txt"
printf 'game kb_act\r\n' >"$cstrike/backup/kb_act.lst"
printf 'exec autoexec.cfg\r\n' >"$cstrike/backup/valve.rc"
printf 'package commandmenu\r\n' >"$cstrike/commandmenu.txt"
printf 'package kb_act\r\n' >"$cstrike/gfx/shell/kb_act.lst"
printf 'exec qor/autoexec.cfg\r\n' >"$cstrike/valve.rc"
for file in config varis.cfg fun.cfg varia.kst buy.kst pfad.kst fun.kst english.lang .hidden; do
    printf 'x\r\n' >"$cstrike/qor/$file"
done
printf 'x\r\n' >"$cstrike/qor/sub/sayscript.cfg"
printf 'keep\r\n' >"$cstrike/qor/maps/keep.cfg"

cp -a "$work/Half-Life" "$work/copy"

x_start
# The window's only control has the keyboard as the window opens.
x_run "$work/copy/cstrike" "$uninstaller"
window=$(x_find '^Uninstaller$')
x_key_in $window Return
box=$(x_find '^Completed$')
x_key_in $box Return
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the uninstaller started with Enter ended with status $X_STATUS"
cmp -s "$work/copy/cstrike/backup/valve.rc" "$work/copy/cstrike/valve.rc" || x_fail "Enter did not uninstall"
echo "ok: Enter presses Start Uninstall"

x_run "$cstrike" "$uninstaller"
window=$(x_find '^Uninstaller$')

# "Start Uninstall" at 320,240 (73 x 25).
x_click "$window" $((320 + 36)) $((240 + 12))
box=$(x_find '^Completed$')
kill -0 "$X_APP" 2>/dev/null || x_fail "the uninstaller ended before its closing message was confirmed"
x_key_in $box Return
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the uninstaller ended with status $X_STATUS"

same() {
    cmp -s "$cstrike/$1" "$cstrike/$2" || x_fail "$2 is not the backup $1"
    echo "ok: $2 restored"
}
same backup/commandmenu.txt commandmenu.txt
same backup/kb_act.lst gfx/shell/kb_act.lst
same backup/valve.rc valve.rc

left=$(find "$cstrike/qor" -type f ! -path "$cstrike/qor/maps/*")
[ -z "$left" ] || x_fail "files of the package are left: $left"
echo "ok: qor and qor/sub emptied"
[ -d "$cstrike/qor/sub" ] || x_fail "the emptied folder qor/sub was removed"
cmp -s <(printf 'keep\r\n') "$cstrike/qor/maps/keep.cfg" || x_fail "qor/maps/keep.cfg was touched"
echo "ok: emptied qor/sub kept, qor with another subfolder kept"
[ "$(ls "$cstrike/backup" | wc -l)" -eq 3 ] || x_fail "the backups were not left in place"
echo "ok: backups kept"

echo "PASS"
