#!/bin/bash
# The shipped Morvex.exe where package managers put it, checked from outside. Scoop: apps\morvex\
# <version>, "current" a link to it (a junction on Windows), Morvex.ini a hard link to the persisted
# file, all made again on update. winget: a symbolic link to the file in a Links folder.
#   package_managers.sh BUILD_DIR
build=$1
. "$(dirname "$0")/../wine/wine-session.sh" "$build/package-session" begin
check="$build/tools/checker/morvex_check.exe"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
scoop="$WINEPREFIX/drive_c/Scoop" package="$WINEPREFIX/drive_c/WinGet/Packages/Morvex"
rm -rf "$scoop" "$WINEPREFIX/drive_c/WinGet"
mkdir -p "$scoop/persist/morvex" "$WINEPREFIX/drive_c/package data" "$package" "$WINEPREFIX/drive_c/WinGet/Links"
free=$(run "$check" free-letter) || { echo "no free letter"; exit 1; }
line="$free=C:\\package data\\" drive='\??\C:\package data'
scoop_install() {   # with the manifest's pre_install and persist
    mkdir -p "$scoop/apps/morvex/$1" && cp "$build/Morvex.exe" "$scoop/apps/morvex/$1/"
    ln -sfn "$1" "$scoop/apps/morvex/current"
    [ -e "$scoop/persist/morvex/Morvex.ini" ] || : >"$scoop/persist/morvex/Morvex.ini"
    ln -f "$scoop/persist/morvex/Morvex.ini" "$scoop/apps/morvex/$1/Morvex.ini"
}
# close_dialog PROGRAM SETTINGS BUTTON...: the dialog, the buttons pressed; the saved line checked.
close_dialog() {
    timeout -k 5 60 wine "$1" >"$session/dialog.log" 2>&1 &
    run "$check" wait-dialog 30 >/dev/null || fail "the dialog of $1 did not appear"
    for button in "${@:3}"; do run "$check" press "$button" >/dev/null || fail "button $button did not take the click"; done
    wait $! || fail "the dialog of $1 did not end cleanly within 60 seconds"
    iconv -f UTF-16LE -t UTF-8 "$2" 2>/dev/null | grep -qxF "$line"$'\r' || fail "$2 lacks the line for $free:"
}
run_value() { run reg query "$run_key" /v Morvex 2>/dev/null | sed -n 's/^ *Morvex *REG_SZ *//p'; }

echo "step: Scoop installs 1.0; a drive made, saved with autostart; update to 2.0; log-on"
scoop_install 1.0
program='C:\Scoop\apps\morvex\current\Morvex.exe'
run "$program" "$free:" 'C:\package data' >/dev/null || fail "the command line's run failed"
run reg delete "$run_key" /v Morvex /f >/dev/null 2>&1
close_dialog "$program" "$scoop/persist/morvex/Morvex.ini" 1001 1000
expect_equal "$(run_value)" "\"$program\" /startup" "the Run value"
scoop_install 2.0
restart_server
run "$program" /startup >/dev/null || fail "the log-on run failed"
expect_equal "$(run "$check" query "$free")" "$drive" "$free: after the update's log-on"
run "$program" /d "$free:" >/dev/null || fail "the removal's run failed"

echo "step: started through winget's link, Morvex reads and writes Morvex.ini beside the link's target"
cp "$build/Morvex.exe" "$package/" && ln -s "$package/Morvex.exe" "$WINEPREFIX/drive_c/WinGet/Links/morvex.exe"
cp "$scoop/persist/morvex/Morvex.ini" "$package/"
run 'C:\WinGet\Links\morvex.exe' /startup >/dev/null || fail "the log-on run through the link failed"
expect_equal "$(run "$check" query "$free")" "$drive" "$free: after the run through the link"
# A Run value through the link, as Morvex wrote it before it followed links, is this Morvex's own.
run reg add "$run_key" /v Morvex /d '"C:\WinGet\Links\morvex.exe" /startup' /f >/dev/null
close_dialog 'C:\WinGet\Links\morvex.exe' "$package/Morvex.ini" 1000
[ -e "$WINEPREFIX/drive_c/WinGet/Links/Morvex.ini" ] && fail "Close wrote Morvex.ini into the Links folder"
expect_equal "$(run_value)" '"C:\WinGet\Packages\Morvex\Morvex.exe" /startup' "the Run value through the link"
# The drive ends with the session; the next run deletes the Run value before it ticks the box.
finish "package managers: every check passed"
