#!/usr/bin/env bash
# Makes the Windows programs' icons from the windows' own pictures and writes
# them beside those pictures, to be committed: the configurator's from its
# window icon (32x32, and 16x16 for lists and the title bar), the
# uninstaller's from the crosshair at the top of its window's picture.
# Needs ImageMagick (scripts/deps.sh: the screenshot packages).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
korvel_install_missing imagemagick

config=$root/config/widgets/pictures/icon.png
uninstaller=$root/uninstaller/pictures/uninstaller.png

convert "$config" \( -clone 0 -resize 16x16 \) \
    "$root/config/widgets/pictures/config.ico"
convert "$uninstaller" -crop 108x108+15+9 +repage \
    \( -clone 0 -resize 48x48 \) \( -clone 0 -resize 32x32 \) \( -clone 0 -resize 16x16 \) -delete 0 \
    "$root/uninstaller/pictures/uninstaller.ico"
