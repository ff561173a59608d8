#!/bin/bash
# Installs what is missing, builds the x64 Morvex.exe and runs it under Wine with the given arguments.
#   scripts/run.sh                 the dialog
#   scripts/run.sh X: 'C:\dir'     map X: to C:\dir
#   scripts/run.sh /d X:           remove X:
# Uses $WINEPREFIX when set, else a prefix in the build folder. Without a display it runs on Xvfb;
# there the dialog, which nobody could see or close, is shown, saved as build/dialog.png and closed.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" x64 >/dev/null
. "$top/scripts/wine-loader.sh"
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
    # After its first programs ran without a display, this session showed no window on the Xvfb
    # that came later (the dialog never came). The new prefix has no drives yet: a new session.
    wineserver -k || true
    wineserver -p300
fi
# The caption buttons' font, which Debian's Wine does not find by itself (see tests/wine/wine-session.sh).
cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
if [ -n "${DISPLAY:-}" ]; then
    exec wine "$top/build/x64/Morvex.exe" "$@"
fi
if [ $# -gt 0 ]; then
    exec xvfb-run -a wine "$top/build/x64/Morvex.exe" "$@"
fi

# On Xvfb: the dialog, a picture of it with a margin, and the caption's close box (which saves nothing).
show_dialog() {
    local check="$top/build/x64/tools/checker/morvex_check.exe" picture="$top/build/dialog.png"
    # Without a window manager nobody draws a managed window's caption; unmanaged, Wine draws it
    # itself. Wine reads this when the program starts, so a later run on a display is not affected.
    local options='HKCU\Software\Wine\AppDefaults\Morvex.exe\X11 Driver'
    wine reg add "$options" /v Managed /d N /f >/dev/null 2>&1
    wine "$top/build/x64/Morvex.exe" >"$top/build/dialog.log" 2>&1 &
    local dialog=$!
    local shown=0
    wine "$check" wait-dialog 30 >/dev/null 2>&1 && shown=1
    wine reg delete "$options" /v Managed /f >/dev/null 2>&1
    if [ "$shown" = 0 ]; then
        # Something else came first (a message box, say): the whole screen shows what.
        import -window root "$picture"
        kill "$dialog" 2>/dev/null || true
        echo "No display: the dialog did not come within 30 s on Xvfb; the screen: $picture" >&2
        return 1
    fi
    # Through a file: Wine's helper processes may hold a pipe open long after the program ends.
    local left top_edge right bottom
    wine "$check" rect >"$top/build/dialog.rect" 2>/dev/null
    read -r left top_edge right bottom < <(tr -d '\r' <"$top/build/dialog.rect")
    import -window root -crop "$((right - left + 24))x$((bottom - top_edge + 24))+$((left - 12))+$((top_edge - 12))" \
        +repage "$picture"
    wine "$check" close >/dev/null 2>&1
    wait "$dialog" || true
    echo "No display: the dialog was shown on Xvfb and closed. Its picture: $picture"
}
export top
exec xvfb-run -a bash -c "$(declare -f show_dialog); show_dialog"
