#!/usr/bin/env bash
# Builds the static Qt for 64-bit Windows that the Windows programs link, from
# Debian's own qt6-base source package with Debian's Qt host tools, once, into
# a cache folder outside the checkout. Prints the Qt prefix as the last line.
# A cache folder counts only when complete: the build goes to a folder beside
# it and is renamed into place at the end.
# Cache: $KORVEL_CACHE_DIR, or ~/.cache/korvel.
# One run at a time per cache folder: a second run (a test run beside a
# packaging run) waits for the first, then finds its Qt and uses it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/deps.sh"

# Held until the script ends, installs included: two builds in one work folder
# break each other, and two apt-get runs cannot share dpkg.
korvel_cache_lock windows-qt "Waiting for another build of Qt for Windows to finish"

korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_WINDOWS_BUILD_PACKAGES[@]}"

# The same Qt as Debian's host tools that build it: moc and rcc must match.
qt_source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
qt_version=${qt_source_version%%+*}
toolchain="$here/windows/mingw-w64.cmake"
patch="$here/windows/qt-direct2d-off.patch"

# Core, Gui, Widgets and Test with the Windows platform plugin and styles;
# everything the programs do not use stays out. Direct2D and tablet events
# need the Wintab header (3rdparty/wintab), which Debian's source lacks.
qt_options=(
    -DBUILD_SHARED_LIBS=OFF
    -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DFEATURE_icu=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_opengl=OFF
    -DINPUT_opengl=no
    -DFEATURE_opengl_dynamic=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_direct2d=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_freetype=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_doubleconversion=OFF
)

# The key changes with the version, the options, the patch and the toolchain.
key=$( { echo "$qt_source_version"; printf '%s\n' "${qt_options[@]}"; cat "$patch" "$toolchain"; } | sha256sum | cut -c1-12)
prefix="$cache/qt-$qt_version-win64-static-$key"
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix"
    exit 0
fi

echo "Building a static Qt $qt_version for Windows into $prefix (about half an hour on 2 cores)" >&2
work="$cache/qt-$qt_version-work-$key"
rm -rf "$prefix.partial"
# Debian's source package through apt, with a private source list and private
# package lists, so that the machine's apt setup stays as it is.
fetch_source() {
    mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" "$work/download"
    local sources
    for sources in /etc/apt/sources.list.d/*.sources; do
        grep -q -E '^URIs:.*debian' "$sources" || continue
        sed 's/^Types:.*/Types: deb-src/' "$sources" >"$work/apt/sources.list.d/$(basename "$sources")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list >"$work/apt/sources.list.d/debian-src.list"
    fi
    local apt_private=(-o Dir::Etc::SourceParts="$work/apt/sources.list.d" -o Dir::Etc::SourceList=/dev/null
        -o Dir::State::Lists="$work/apt/lists")
    apt-get "${apt_private[@]}" update -qq >&2
    (cd "$work/download" && apt-get "${apt_private[@]}" source --download-only "qt6-base=$qt_source_version" >&2)
    dpkg-source --no-check -x "$work"/download/qt6-base_*.dsc "$work/source" >&2
    patch -d "$work/source" -p1 <"$patch" >&2
    touch "$work/source/.korvel-patched"
}

# An interrupted build goes on where it stopped; a source that did not unpack
# and patch whole is fetched again.
if [ ! -f "$work/source/.korvel-patched" ]; then
    rm -rf "$work"
    fetch_source
fi

cmake -G Ninja -S "$work/source" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix.partial" \
    "${qt_options[@]}" >"$work/configure.log" 2>&1 || { tail -n 60 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1 || { tail -n 60 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >"$work/install.log" 2>&1 || { tail -n 60 "$work/install.log" >&2; exit 1; }

# The prefix written into Qt's own files is the final one: nothing in the
# install refers to the .partial folder once CMake's relocatable configs are used.
mv "$prefix.partial" "$prefix"
rm -rf "$work"
echo "$prefix"
