#!/usr/bin/env bash
# Installs the Debian packages that are missing from the list given as arguments.
# Sourced by the other scripts; uses sudo when not run as root.
korvel_install_missing() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The cache outside the checkout ($KORVEL_CACHE_DIR, or ~/.cache/korvel) into
# $cache, made when missing, and its lock NAME.lock held on descriptor 9 until
# the script ends: one run at a time per cache folder. WAITING is said while
# another run holds it.
korvel_cache_lock() {
    local home=${HOME:-$(getent passwd "$(id -un)" | cut -d: -f6)}
    cache=${KORVEL_CACHE_DIR:-${XDG_CACHE_HOME:-$home/.cache}/korvel}
    mkdir -p "$cache"
    exec 9>>"$cache/$1.lock"
    if ! flock -n 9; then
        echo "$2" >&2
        flock 9
    fi
}

# What every build needs.
KORVEL_BUILD_PACKAGES=(cmake make g++ qt6-base-dev libgl-dev fonts-liberation fonts-dejavu-core)

# What scripts/test.sh needs besides: a real X server with a window manager
# and the tools that click, type and paste in it, and clang with libFuzzer.
KORVEL_TEST_PACKAGES=(xvfb openbox xdotool wmctrl x11-utils xclip clang libclang-rt-14-dev)

# What scripts/benchmark.sh needs besides the test packages.
KORVEL_BENCHMARK_PACKAGES=(python3 python3-xlib)

# What scripts/screenshots.sh needs besides: the X server and tools above,
# and ImageMagick's import, which takes the pictures.
KORVEL_SCREENSHOT_PACKAGES=(xvfb openbox xdotool wmctrl x11-utils imagemagick)

# What scripts/linux-build.sh needs besides the build packages: patchelf sets
# the run paths of the Qt libraries and plugins it bundles.
KORVEL_LINUX_PACKAGE_PACKAGES=(ninja-build patchelf)

# What the bare Debian root of scripts/bare-root.sh is made with.
KORVEL_BARE_ROOT_PACKAGES=(debootstrap)

# What the Windows cross-build needs: MinGW-w64 with POSIX threads, Ninja, and
# the tools that fetch and unpack Debian's qt6-base source package.
KORVEL_WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix ninja-build dpkg-dev patch)

# What the Windows tests need besides: Wine, its fonts, the X tools above, and
# Nimbus Sans, which the programs draw under Wine for Microsoft Sans Serif.
KORVEL_WINDOWS_TEST_PACKAGES=(wine wine64 fonts-wine fonts-urw-base35 unzip)
