#!/usr/bin/env bash
# Builds the Linux programs for players: a release build in build-linux with
# Qt and its X11 plugins bundled in cstrike/qor/lib (KORVEL_BUNDLE_QT), so the
# archive runs where no Qt is installed; then packs the TGZ that a player
# unpacks into the Half-Life folder and prints its path as the last line:
# build-linux/package/korvel-configurator-*-Linux.tar.gz.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_LINUX_PACKAGE_PACKAGES[@]}"

build="$root/build-linux"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKORVEL_BUNDLE_QT=ON >/dev/null
# Only the archive's path goes to the output.
cmake --build "$build" -j"$(nproc)" --target config uninstaller >&2
rm -rf "$build/package"
(cd "$build" && cpack -G TGZ -B "$build/package" >/dev/null)
ls "$build"/package/*.tar.gz
