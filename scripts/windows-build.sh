#!/usr/bin/env bash
# Cross-builds config.exe and uninstaller.exe for 64-bit Windows on Debian,
# each one self-contained file (static Qt, static MinGW runtime), with their
# tests, into build-win; then packs the ZIP that a player unpacks into the
# Half-Life folder: build-win/korvel-configurator-*-win64.zip.
# The static Qt is built once and cached (scripts/windows-qt.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_WINDOWS_BUILD_PACKAGES[@]}"

qt=$(bash "$root/scripts/windows-qt.sh" | tail -n 1)
build="$root/build-win"
# Qt's own toolchain file adds its prefix to the search roots and loads ours.
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/scripts/windows/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/windows/wine-run.sh" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
x86_64-w64-mingw32-strip "$build/config/config.exe" "$build/uninstaller/uninstaller.exe"
(cd "$build" && cpack -G ZIP -B "$build/package" >/dev/null)
ls "$build"/package/*.zip
