#!/usr/bin/env bash
# The Windows stage: cross-builds the Windows programs and their tests
# (scripts/windows-build.sh) and runs every test under Wine, in a fresh Wine
# prefix of its own, on a private X server: the Qt Test suites on Wine's own
# windows, and the real-window tests against config.exe and uninstaller.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_TEST_PACKAGES[@]}" \
    "${KORVEL_WINDOWS_BUILD_PACKAGES[@]}" "${KORVEL_WINDOWS_TEST_PACKAGES[@]}"

bash "$root/scripts/windows-build.sh"

source "$root/tests/realwindow/xsession.sh"
export KORVEL_WINEPREFIX
KORVEL_WINEPREFIX=$(mktemp -d)
cleanup() {
    WINEPREFIX=$KORVEL_WINEPREFIX wineserver -k 2>/dev/null || true
    x_stop
    rm -rf "$KORVEL_WINEPREFIX"
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
