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

# What every build needs.
KORVEL_BUILD_PACKAGES=(cmake make g++ qt6-base-dev libgl-dev fonts-liberation fonts-dejavu-core)
