#!/usr/bin/env bash
# The Linux archive where no Qt is installed: unpacked into a fresh game
# folder inside a bare Debian root (scripts/bare-root.sh: X client libraries,
# GL and fonts, no Qt), every library of the programs and plugins must be
# found there, the configurator must open its main window on a real X server
# and write its files when closed, and the uninstaller must start, uninstall
# and start again, as the bundled Qt in qor/lib outlives it. The glibc and
# libstdc++ versions README names must be those the archive's files need.
# Needs root (chroot, /proc in the root); skips (77) where chroot fails.
# Usage: bare_root.sh ARCHIVE BARE_ROOT
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../realwindow/xsession.sh"
readme="$here/../../README.md"
archive=$(realpath "$1")
root=$(realpath "$2")

if [ "$(id -u)" -ne 0 ] || ! chroot "$root" /bin/true 2>/dev/null; then
    echo "SKIP: cannot chroot into $root here (needs root)"
    exit 77
fi

# One run at a time in a root: each mounts /proc into it.
exec 8>>"$root.lock"
flock 8

qt=$(chroot "$root" dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" && $2 ~ /^libqt/ {print $2}')
[ -z "$qt" ] || x_fail "the bare root holds Qt: $qt"
echo "ok: no Qt package in the root"

work=$(mktemp -d "$root/tmp/korvel.XXXXXX")
proc_mounted=
cleanup() {
    x_stop
    [ -z "$proc_mounted" ] || umount "$root/proc" || umount -l "$root/proc"
    rm -rf "$work"
}
trap cleanup EXIT
inside() {
    echo "${1#"$root"}"
}

halflife="$work/Half-Life"
cstrike="$halflife/cstrike"
qor="$cstrike/qor"
mkdir -p "$halflife"
tar -xzf "$archive" -C "$halflife"

# The newest glibc and libstdc++ symbol versions any file of the archive asks for.
newest() {
    find "$halflife" -type f -exec sh -c 'head -c 4 "$1" | grep -q ELF' sh {} \; -print0 |
        xargs -0 objdump -T | grep -o -E "$1" | sort -u -V | tail -n 1
}
glibc=$(newest 'GLIBC_2\.[0-9]+' | sed 's/GLIBC_/glibc /')
glibcxx=$(newest 'GLIBCXX_3\.4\.[0-9]+')
grep -q -F "$glibc or newer" "$readme" || x_fail "README does not say '$glibc or newer' (the archive needs it)"
grep -q -F "$glibcxx" "$readme" || x_fail "README does not name $glibcxx (the archive needs it)"
[ "$(grep -c -o -E 'glibc 2\.[0-9]+ or newer' "$readme")" -eq 1 ] || x_fail "README names more than one glibc version"
echo "ok: README names $glibc and $glibcxx"

# The loader finds the bundle through the programs' folder, which it reads in /proc.
if mountpoint -q "$root/proc"; then
    umount "$root/proc"
fi
mount -t proc proc "$root/proc"
proc_mounted=1

for file in "$qor/config" "$cstrike/uninstaller" "$qor"/lib/plugins/*/*.so; do
    libraries=$(chroot "$root" ldd "$(inside "$file")") || x_fail "ldd failed on ${file#"$halflife/"}"
    ! grep 'not found' <<<"$libraries" >&2 || x_fail "libraries of ${file#"$halflife/"} are missing in the root"
    ! grep -i 'qt6' <<<"$libraries" | grep -v "=> $(inside "$qor")/lib/" >&2 ||
        x_fail "${file#"$halflife/"} takes Qt from elsewhere than the bundle"
done
echo "ok: every library of the programs and plugins found"

x_start
# Clients in the root reach the server only through its abstract socket,
# which the root shares with this machine; the socket file is not there.
display=${DISPLAY#:}
grep -q "@/tmp/.X11-unix/X$display\$" /proc/net/unix || x_fail "the X server has no abstract socket"
[ ! -e "$root/tmp/.X11-unix/X$display" ] || x_fail "the root holds the X server's socket file"
export BARE_ROOT="$root" BARE_ROOT_LOG="$work/output.log" BARE_ROOT_RUNTIME
BARE_ROOT_RUNTIME=$(inside "$work/runtime")
mkdir -m 700 "$work/runtime"
: >"$BARE_ROOT_LOG"
export KORVEL_RUN="$here/in_bare_root.sh"

# A package folder as after the setup dialog, with the archive's English language.
mkdir -p "$cstrike/gfx/shell"
printf 'game kb_act\r\n' >"$cstrike/gfx/shell/kb_act.lst"
printf 'game commandmenu\r\n' >"$cstrike/commandmenu.txt"
game=$(inside "$halflife")
printf '%s\r\nenglish.lang\r\n%s\r\n%s\r\n' "$game" "$game\\cstrike\\gfx\\shell\\kb_act.lst" \
    "$game\\cstrike\\commandmenu.txt" >"$qor/pfad.kst"

# Qt looked for plugins only in the bundle and the program's own folder,
# never in a system Qt's folder, and printed nothing about a library or
# plugin that could not be loaded.
plugins_checked() {
    local name=$1 folder=$2 searched
    searched=$(sed -n 's/^qt.core.plugin.factoryloader: checking directory path "\(.*\)".*/\1/p' "$BARE_ROOT_LOG")
    [ -n "$searched" ] || x_fail "$name logged no plugin folder"
    ! grep -v -E "^$(inside "$qor")/lib/plugins/|^$(inside "$folder")/[a-z]+\$" <<<"$searched" >&2 ||
        x_fail "$name looked for plugins in the folders above"
    grep -q -F "looking at \"$(inside "$qor")/lib/plugins/platforms/libqxcb.so\"" "$BARE_ROOT_LOG" ||
        x_fail "$name did not find the bundled X11 plugin"
    ! grep -v '^qt.core.plugin.factoryloader: ' "$BARE_ROOT_LOG" |
        grep -i -E 'plugin|librar|shared object|cannot load|not found' >&2 || x_fail "$name printed the lines above"
    : >"$BARE_ROOT_LOG"
}

x_run "$qor" "$qor/config"
main=$(x_find '^Korvel Configurator$')
x_close "$main"
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the configurator ended with status $X_STATUS"
plugins_checked "the configurator" "$qor"
for file in varis.cfg fun.cfg varia.kst buy.kst; do
    [ -s "$qor/$file" ] || x_fail "the configurator wrote no $file"
done
echo "ok: the configurator opened, closed and wrote its files"

x_run "$cstrike" "$cstrike/uninstaller"
window=$(x_find '^Uninstaller$')
x_key_in $window Return
box=$(x_find '^Completed$')
x_key_in $box Return
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the uninstaller ended with status $X_STATUS"
[ ! -e "$qor/config" ] || x_fail "the uninstaller left the configurator"
[ -f "$qor/lib/libQt6Core.so.6" ] || x_fail "the uninstaller removed the bundled Qt"
echo "ok: the uninstaller uninstalled and kept qor/lib"

x_run "$cstrike" "$cstrike/uninstaller"
window=$(x_find '^Uninstaller$')
x_close "$window"
x_wait_exit "$X_APP"
[ "$X_STATUS" -eq 0 ] || x_fail "the second uninstaller run ended with status $X_STATUS"
plugins_checked "the uninstaller" "$cstrike"
echo "ok: the uninstaller starts again after the uninstall"
echo "PASS"
