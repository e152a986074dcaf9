#!/usr/bin/env bash
# The Windows stage: cross-builds the Windows programs and their tests
# (scripts/windows-build.sh) and runs every test under Wine, in a fresh Wine
# prefix of its own, on a private X server: the Qt Test suites on Wine's own
# windows, and the real-window tests against config.exe and uninstaller.exe.
# Then takes a picture of every window at 96 and at 144 DPI, in English and
# German, into build-win/screenshots/<window>-<language>-<dpi>.png
# (scripts/screenshots.sh --windows puts them into the docs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_TEST_PACKAGES[@]}" \
    "${KORVEL_WINDOWS_BUILD_PACKAGES[@]}" "${KORVEL_WINDOWS_TEST_PACKAGES[@]}" "${KORVEL_SCREENSHOT_PACKAGES[@]}"

bash "$root/scripts/windows-build.sh"

source "$root/tests/realwindow/xsession.sh"
source "$root/scripts/screenshot-steps.sh"
export KORVEL_WINEPREFIX
KORVEL_WINEPREFIX=$(mktemp -d)
# The setup dialog shows the game folder: always the same one, one run at a time.
demo=/tmp/korvel-screenshots-wine
exec 8>>"$demo.lock"
flock 8
cleanup() {
    WINEPREFIX=$KORVEL_WINEPREFIX wineserver -k 2>/dev/null || true
    x_stop
    rm -rf "$KORVEL_WINEPREFIX" "$demo"
}
trap cleanup EXIT
x_start
export X_SHARED_DISPLAY=$DISPLAY

# A prefix that asks for no Mono or Gecko download, with Wine's own fonts
# ("MS Sans Serif", Tahoma) where Windows keeps its fonts.
mkdir -p "$KORVEL_WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$KORVEL_WINEPREFIX/drive_c/windows/Fonts/"
WINEPREFIX=$KORVEL_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1

# One test at a time: under Wine every test's windows are real windows of
# the one X server, and a window of one test that takes the activation from
# another's hides that one's tooltips and takes its keys.
cd "$root/build-win"
ctest --output-on-failure -j1 "$@"

# The pictures at 100 % and 150 %: Wine takes the DPI from the user's desktop
# settings when its server starts. A window that does not open, a blank
# picture or one not 1.5 times as large at 144 DPI fails the stage; how the
# pictures look is for a person to judge.
shots="$root/build-win/screenshots"
rm -rf "$shots" "$demo"
mkdir -p "$shots" "$demo"
export KORVEL_RUN="$root/scripts/windows/wine-run.sh"
for dpi in 96 144; do
    WINEPREFIX=$KORVEL_WINEPREFIX wineserver -k 2>/dev/null || true
    WINEPREFIX=$KORVEL_WINEPREFIX WINEDEBUG=-all wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
        /t REG_DWORD /d "$dpi" /f >/dev/null
    WINEPREFIX=$KORVEL_WINEPREFIX wineserver -k 2>/dev/null || true
    shots_take "$root/build-win" "$demo" "Z:${demo//\//\\}\\Half-Life" "$shots" "-$dpi" $((dpi * 100 / 96))
done
while read -r name width height; do
    [[ $name == *-96 ]] || continue
    read -r _ large_width large_height < <(grep "^${name%-96}-144 " "$shots/sizes")
    # Half a pixel either way: an odd size is rounded.
    [ $((2 * large_width - 3 * width)) -ge -1 ] && [ $((2 * large_width - 3 * width)) -le 1 ] &&
        [ $((2 * large_height - 3 * height)) -ge -1 ] && [ $((2 * large_height - 3 * height)) -le 1 ] ||
        x_fail "$name is ${width}x$height at 96 DPI but ${large_width}x$large_height at 144 DPI"
done <"$shots/sizes"
rm "$shots/sizes"
echo "Pictures in $shots"
