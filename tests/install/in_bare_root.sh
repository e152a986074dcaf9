#!/usr/bin/env bash
# Starts a program of the unpacked archive inside the bare root, the way
# x_run starts it through KORVEL_RUN: in the current folder, which lies inside
# the root. Only the X display and a runtime folder are passed on, so nothing
# of this machine's environment (no library or plugin path) reaches it. What
# it prints goes to $BARE_ROOT_LOG, with the folders Qt looks for plugins in.
# Usage: in_bare_root.sh PROGRAM, with BARE_ROOT, BARE_ROOT_LOG and BARE_ROOT_RUNTIME set.
set -euo pipefail
folder=${PWD#"$BARE_ROOT"}
program=${1#"$BARE_ROOT"}
exec chroot "$BARE_ROOT" /usr/bin/env -i DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$BARE_ROOT_RUNTIME" HOME=/root \
    LANG=C.UTF-8 PATH=/usr/bin:/bin QT_LOGGING_RULES=qt.core.plugin.factoryloader.debug=true \
    /bin/sh -c 'cd "$1" && exec "$2"' sh "$folder" "$program" >>"$BARE_ROOT_LOG" 2>&1
