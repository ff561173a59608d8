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
# Keep the wineserver (the log-on session) a while, so that the next run sees the drives of this
# one; when an earlier run's server is still up, that one goes on.
mkdir -p "$WINEPREFIX"
wineserver -p300 2>/dev/null || true
if [ ! -f "$WINEPREFIX/.morvex-prefix" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # The Chinese dialog's font is SimSun; without a replacement Wine draws its texts as boxes.
    for font in SimSun '宋体'; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
    done
    touch "$WINEPREFIX/.morvex-prefix"
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a wine "$top/build/x64/Morvex.exe" "$@"
fi
exec wine "$top/build/x64/Morvex.exe" "$@"
