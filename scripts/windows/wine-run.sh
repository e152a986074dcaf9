#!/usr/bin/env bash
# Runs a Windows program under Wine in the prefix of the Windows test stage.
# Wine passes no QT_* variable from here; WINEQT_X arrives as QT_X. Without a
# console, Qt Test would write to OutputDebugString; this sends it to stderr.
set -euo pipefail
export WINEPREFIX=${KORVEL_WINEPREFIX:?set by scripts/windows-test.sh}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEQT_FORCE_STDERR_LOGGING=1
exec wine "$@"
