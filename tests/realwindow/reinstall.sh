#!/usr/bin/env bash
# Both programs as a player meets them, one after the other on a real X
# server: the package unpacked into a game, the configurator started twice,
# the uninstaller run; then the player's own command menu and valve.rc, the
# package unpacked again, started twice and uninstalled again. Every file of
# the game folder is checked after each uninstall: the game's files as the
# player had them when the package last replaced them, and no older backup lost.
# Usage: reinstall.sh PATH_TO_CONFIG PATH_TO_UNINSTALLER LANGUAGE_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xsession.sh"
config=$(realpath "$1")
uninstaller=$(realpath "$2")
languages=$(realpath "$3")

work=$(mktemp -d)
trap 'x_stop; rm -rf "$work"' EXIT
halflife="$work/Half-Life"
cstrike="$halflife/cstrike"
qor="$cstrike/qor"
mkdir -p "$cstrike/gfx/shell"
printf 'game kb_act\r\n' >"$cstrike/gfx/shell/kb_act.lst"
printf 'game commandmenu\r\n' >"$cstrike/commandmenu.txt"
printf 'exec autoexec.cfg\r\n' >"$cstrike/valve.rc"

# What the archive holds, and the path file as the setup dialog records it.
unpack() {
    mkdir -p "$qor"
    cp "$config" "$qor/"
    cp "$uninstaller" "$cstrike/"
    cp "$languages"/*.lang "$languages"/*_kb_act.lst "$languages"/*_commandmenu.txt "$qor/"
    printf '%s\r\nenglish.lang\r\n%s\r\n%s\r\n' "$halflife" "$halflife\\cstrike\\gfx\\shell\\kb_act.lst" \
        "$halflife\\cstrike\\commandmenu.txt" >"$qor/pfad.kst"
}

start_and_close() {
    x_run "$qor" "$qor/$(basename "$config")"
    local main
    main=$(x_find '^Korvel Configurator$')
    x_close "$main"
    x_wait_exit "$X_APP"
    [ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"
}

uninstall() {
    x_run "$cstrike" "$cstrike/$(basename "$uninstaller")"
    local window box
    window=$(x_find '^Uninstaller$')
    # "Start Uninstall" at 320,240 (73 x 25).
    x_click "$window" $((320 + 36)) $((240 + 12))
    box=$(x_find '^Completed$')
    x_key_in $box Return
    x_wait_exit "$X_APP"
    [ "$X_STATUS" -eq 0 ] || x_fail "the uninstaller ended with status $X_STATUS"
}

# A record of a copy placed, without its line end.
sha() {
    echo "sha256 $(sha256sum <"$1" | cut -d' ' -f1)"
}

# Every entry of the game folder, a file with its bytes, the time a backup
# was put aside written as STAMP.
listing() {
    (cd "$cstrike" && find . -mindepth 1 | sort | while IFS= read -r entry; do
        if [ -d "$entry" ]; then
            echo "$entry/"
        elif [ "${entry#./}" = "$(basename "$uninstaller")" ]; then
            echo "$entry (the uninstaller)"
        else
            echo "$entry: $(od -An -c "$entry" | tr -s ' \n' ' ')"
        fi
    done) | sed -E 's/\.older-[0-9]{8}-[0-9]{6}(-[0-9]+)?/.older-STAMP/'
}

check_listing() {
    local expected=$1 got
    got=$(listing)
    if [ "$got" != "$expected" ]; then
        echo "FAIL: the game folder after $2 is not as expected" >&2
        diff <(echo "$expected") <(echo "$got") >&2 || true
        exit 1
    fi
    echo "ok: every file of the game folder after $2"
}

# A file's line as listing() gives it.
entry() {
    local name=$1
    shift
    local file
    file=$(mktemp)
    printf "$@" >"$file"
    echo "./$name: $(od -An -c "$file" | tr -s ' \n' ' ')"
    rm -f "$file"
}

x_start
unpack
start_and_close
start_and_close
keys_record=$(sha "$languages/english_kb_act.lst")
menu_record=$(sha "$languages/english_commandmenu.txt")
uninstall
check_listing "$(
    echo ./backup/
    entry backup/commandmenu.txt 'game commandmenu\r\n'
    entry backup/commandmenu.txt.placed '%s\r\n' "$menu_record"
    entry backup/kb_act.lst 'game kb_act\r\n'
    entry backup/kb_act.lst.placed '%s\r\n' "$keys_record"
    entry backup/valve.rc 'exec autoexec.cfg\r\n'
    entry commandmenu.txt 'game commandmenu\r\n'
    echo ./gfx/
    echo ./gfx/shell/
    entry gfx/shell/kb_act.lst 'game kb_act\r\n'
    echo ./qor/
    echo "./$(basename "$uninstaller") (the uninstaller)"
    entry valve.rc 'exec autoexec.cfg\r\n'
)" "the first uninstall"

# The player's own files, then the package once more.
printf 'my own menu\r\n' >"$cstrike/commandmenu.txt"
printf 'exec my.cfg\r\n' >"$cstrike/valve.rc"
unpack
start_and_close
start_and_close
uninstall
check_listing "$(
    echo ./backup/
    entry backup/commandmenu.txt 'my own menu\r\n'
    entry backup/commandmenu.txt.older-STAMP 'game commandmenu\r\n'
    entry backup/commandmenu.txt.placed '%s\r\n' "$menu_record"
    entry backup/kb_act.lst 'game kb_act\r\n'
    entry backup/kb_act.lst.placed '%s\r\n' "$keys_record"
    entry backup/valve.rc 'exec my.cfg\r\n'
    entry backup/valve.rc.older-STAMP 'exec autoexec.cfg\r\n'
    entry commandmenu.txt 'my own menu\r\n'
    echo ./gfx/
    echo ./gfx/shell/
    entry gfx/shell/kb_act.lst 'game kb_act\r\n'
    echo ./qor/
    echo "./$(basename "$uninstaller") (the uninstaller)"
    entry valve.rc 'exec my.cfg\r\n'
)" "the second uninstall"
echo "PASS"
