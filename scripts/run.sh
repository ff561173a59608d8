#!/bin/bash
# Installs what is missing, builds the x64 Morvex.exe and runs it under Wine with the given arguments.
#   scripts/run.sh                 the dialog
#   scripts/run.sh X: 'C:\dir'     map X: to C:\dir
#   scripts/run.sh /d X:           remove X:
# Uses $WINEPREFIX when set, else a prefix in the build folder. Without a display it runs on Xvfb.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" x64 >/dev/null
export WINEPREFIX=${WINEPREFIX:-$top/build/wine-run}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# Keep the wineserver (the log-on session) a while, so that the next run sees the drives of this one.
wineserver -p300
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a wine "$top/build/x64/Morvex.exe" "$@"
fi
exec wine "$top/build/x64/Morvex.exe" "$@"
