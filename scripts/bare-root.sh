#!/usr/bin/env bash
# Makes, once, a bare Debian 12 root in which the Linux archive must run: no
# Qt, only the X client libraries, GL and fonts that every desktop has. Cached
# outside the checkout; prints the root's folder as the last line.
# A cache folder counts only when complete: debootstrap fills a folder beside
# it, which is renamed into place at the end.
# Cache: $KORVEL_CACHE_DIR, or ~/.cache/korvel. One run at a time per cache.
# Needs root; exits 77 (skip) without it.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: debootstrap needs root to make the bare root"
    exit 77
fi
here=$(cd "$(dirname "$0")" && pwd)
source "$here/deps.sh"

korvel_cache_lock bare-root "Waiting for another run that makes the bare root"

suite=bookworm
packages=(libx11-6 libx11-xcb1 libxcb1 libxext6 libxrender1 libfontconfig1 libfreetype6 fonts-dejavu-core
    libgl1 libegl1 libopengl0)
key=$( { echo "$suite"; printf '%s\n' "${packages[@]}"; } | sha256sum | cut -c1-12)
root="$cache/bare-root-$suite-$key"
if [ -d "$root" ]; then
    echo "$root"
    exit 0
fi

korvel_install_missing "${KORVEL_BARE_ROOT_PACKAGES[@]}"

# The machine's own Debian mirror, the one its apt reads for the suite.
mirror=
for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] || continue
    mirror=$(awk -v suite="$suite" '
        /^$/ { uris = ""; suites = "" }
        /^URIs:/ { uris = $2 }
        /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) suites = 1 }
        uris != "" && suites { print uris; exit }' "$sources")
    [ -z "$mirror" ] || break
done
if [ -z "$mirror" ] && [ -f /etc/apt/sources.list ]; then
    mirror=$(awk -v suite="$suite" '$1 == "deb" && $3 == suite { print $2; exit }' /etc/apt/sources.list)
fi
mirror=${mirror:-http://deb.debian.org/debian}

echo "Making a bare Debian $suite root in $root from $mirror" >&2
rm -rf "$root.partial"
debootstrap --variant=minbase --include="$(IFS=,; echo "${packages[*]}")" "$suite" "$root.partial" "$mirror" \
    >"$cache/bare-root.log" 2>&1 || { tail -n 40 "$cache/bare-root.log" >&2; exit 1; }
# The downloaded packages are not needed again.
rm -f "$root.partial"/var/cache/apt/archives/*.deb
mv "$root.partial" "$root"
rm -f "$cache/bare-root.log"
echo "$root"
