#!/usr/bin/env bash
# Start-up benchmark: the configurator against an empty Qt Widgets window of
# the same build (and, for scale, that window with one label), on a private X
# server, first the Linux build, then the Windows build under Wine. Prints,
# for each, the medians of RUNS starts of every program (default 15), their
# ratios and which targets they meet. Not a test: nothing here fails on a
# slow figure.
# Usage: scripts/benchmark.sh [--linux] [RUNS]
#   --linux  the Linux build only; the Windows build needs the static Qt for
#            Windows, which scripts/windows-build.sh builds once (about half
#            an hour) when it is not in the cache yet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux_only=0
if [ "${1:-}" = --linux ]; then
    linux_only=1
    shift
fi
runs=${1:-15}
source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_TEST_PACKAGES[@]}" "${KORVEL_BENCHMARK_PACKAGES[@]}"
[ "$linux_only" = 1 ] ||
    korvel_install_missing "${KORVEL_WINDOWS_BUILD_PACKAGES[@]}" "${KORVEL_WINDOWS_TEST_PACKAGES[@]}"
languages="$root/config/setup/languages"

# Built as users get it: optimized, no checks.
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target config emptywindow labelwindow
[ "$linux_only" = 1 ] || bash "$root/scripts/windows-build.sh"

source "$root/tests/realwindow/xsession.sh"
cleanup() {
    if [ -n "${KORVEL_WINEPREFIX:-}" ]; then
        WINEPREFIX=$KORVEL_WINEPREFIX wineserver -k 2>/dev/null || true
        rm -rf "$KORVEL_WINEPREFIX"
    fi
    x_stop
}
trap cleanup EXIT
x_start

echo
echo "== Linux build"
/usr/bin/python3 "$root/tests/benchmark/measure.py" "$build/config/config" "$build/tests/benchmark/emptywindow" \
    "$build/tests/benchmark/labelwindow" "$languages" "$runs"
[ "$linux_only" = 0 ] || exit 0

# A fresh Wine prefix, made as the Windows test stage makes it: no Mono or
# Gecko download, Wine's own fonts where Windows keeps its fonts. One
# wineserver, started once the first-run set-up is done, serves every run, so
# that no start waits for a server of its own.
export KORVEL_WINEPREFIX
KORVEL_WINEPREFIX=$(mktemp -d)
mkdir -p "$KORVEL_WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$KORVEL_WINEPREFIX/drive_c/windows/Fonts/"
WINEPREFIX=$KORVEL_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
WINEPREFIX=$KORVEL_WINEPREFIX wineserver -w
WINEPREFIX=$KORVEL_WINEPREFIX wineserver -p

# Stripped as the configurator is, so that all load alike.
for yardstick in emptywindow labelwindow; do
    x86_64-w64-mingw32-strip -o "$KORVEL_WINEPREFIX/$yardstick.exe" "$root/build-win/tests/benchmark/$yardstick.exe"
done

echo
echo "== Windows build under Wine"
/usr/bin/python3 "$root/tests/benchmark/measure.py" --run "$root/scripts/windows/wine-run.sh" \
    "$root/build-win/config/config.exe" "$KORVEL_WINEPREFIX/emptywindow.exe" "$KORVEL_WINEPREFIX/labelwindow.exe" \
    "$languages" "$runs"
