#!/bin/bash
# Takes a screenshot of the dialog of the x64 Morvex.exe with three virtual drives, the
# second one selected, on a private Xvfb and Wine session, in the UI language of LANG, at the
# display scaling of DPI, and under a white-on-black High Contrast scheme when asked for.
#   scripts/screenshot.sh OUT.png [LANG [DPI [contrast]]]   (default en_US.UTF-8 and 96;
#                                           zh_CN.UTF-8 for Chinese, 144 for 150 %)
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1")
language=${2:-en_US.UTF-8}
dpi=${3:-96}
contrast=${4:-}
build="$top/build/x64"
session="$top/build/screenshot${contrast:+-$contrast}"
check="$build/tools/checker/morvex_check.exe"
run() { "$top/tests/wine/wine-session.sh" "$session" run "$@"; }

"$top/scripts/build.sh" x64 >/dev/null
. "$top/scripts/wine-loader.sh"
"$top/tests/wine/wine-session.sh" "$session" start
# Wine reads the DPI when its server starts.
"$top/tests/wine/wine-session.sh" "$session" run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null
if [ "$contrast" = contrast ]; then
    # As High Contrast does on Windows: the visual style off, and a white-on-black scheme.
    run reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null
    for colour in Window=0,0,0 WindowText=255,255,255 ButtonFace=0,0,0 ButtonText=255,255,255 \
        ButtonShadow=128,128,128 ButtonHilight=255,255,255 ButtonLight=0,0,0 ButtonDkShadow=255,255,255 \
        Hilight=26,235,255 HilightText=0,0,0 HotTrackingColor=255,255,0 GrayText=63,242,63; do
        run reg add 'HKCU\Control Panel\Colors' /v "${colour%%=*}" /d "$(tr , ' ' <<<"${colour#*=}")" /f >/dev/null
    done
fi
"$top/tests/wine/wine-session.sh" "$session" stop
"$top/tests/wine/wine-session.sh" "$session" start
trap '"$top/tests/wine/wine-session.sh" "$session" stop' EXIT
export WINEPREFIX="$session/wineprefix" WINEDEBUG=-all DISPLAY=$(cat "$session/display")

run "$build/Morvex.exe" /d W: >/dev/null
run "$build/Morvex.exe" /d X: >/dev/null
run "$build/Morvex.exe" /d Y: >/dev/null
run "$build/Morvex.exe" W: 'C:\users\Public\Documents' >/dev/null
run "$build/Morvex.exe" X: 'C:\Program Files\Common Files\System' >/dev/null
run "$build/Morvex.exe" Y: 'C:\windows\system32\drivers\etc' >/dev/null

LANG=$language LC_ALL=$language wine "$build/Morvex.exe" >"$session/dialog.log" 2>&1 &
dialog=$!
run "$check" wait-dialog 30 >/dev/null
run "$check" click-row 1 >/dev/null
sleep 1
read -r left topEdge right bottom < <(run "$check" rect | tr -d '\r')
import -window root -crop "$((right - left + 24))x$((bottom - topEdge + 24))+$((left - 12))+$((topEdge - 12))" \
    +repage "$out"
run "$check" close >/dev/null
wait "$dialog" || true
run "$build/Morvex.exe" /d W: >/dev/null
run "$build/Morvex.exe" /d X: >/dev/null
run "$build/Morvex.exe" /d Y: >/dev/null
echo "wrote $out"
