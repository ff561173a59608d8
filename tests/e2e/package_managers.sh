#!/bin/bash
# The shipped Morvex.exe where the package managers of portable tools put it, checked from
# outside. Scoop: the version's folder under apps, "current" a link to it (a junction on Windows)
# and Morvex.ini a hard link to the persisted file; an update adds a folder, re-points "current"
# and links the file again. winget: a symbolic link to the file, in a Links folder on the PATH.
#   package_managers.sh BUILD_DIR
build=$1
. "$(dirname "$0")/../wine/wine-session.sh" "$build/package-session" begin
check="$build/tools/checker/morvex_check.exe"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
scoop="$WINEPREFIX/drive_c/Scoop"
winget="$WINEPREFIX/drive_c/WinGet"
rm -rf "$scoop" "$winget"
mkdir -p "$scoop/persist/morvex" "$WINEPREFIX/drive_c/package data"
run reg delete "$run_key" /v Morvex /f >/dev/null 2>&1
free=$(run "$check" free-letter) || { echo "no free letter"; exit 1; }
line="$free=C:\\package data\\"

# What scoop install and scoop update do, with the manifest's pre_install and persist.
scoop_install() {
    mkdir -p "$scoop/apps/morvex/$1"
    cp "$build/Morvex.exe" "$scoop/apps/morvex/$1/"
    ln -sfn "$1" "$scoop/apps/morvex/current"
    [ -e "$scoop/persist/morvex/Morvex.ini" ] || : >"$scoop/persist/morvex/Morvex.ini"
    ln -f "$scoop/persist/morvex/Morvex.ini" "$scoop/apps/morvex/$1/Morvex.ini"
}
settings_have_line() { iconv -f UTF-16LE -t UTF-8 "$1" 2>/dev/null | grep -qxF "$line"$'\r'; }
run_value() { run reg query "$run_key" /v Morvex 2>/dev/null | sed -n 's/^ *Morvex *REG_SZ *//p'; }
# dialog PROGRAM: opens the dialog, ticks autostart and presses Close.
dialog() {
    timeout -k 5 60 wine "$1" >"$session/dialog.log" 2>&1 &
    local process=$!
    run "$check" wait-dialog 30 >/dev/null || fail "the dialog of $1 did not appear"
    run "$check" press 1001 >/dev/null || fail "the autostart check box did not take the click"
    run "$check" press 1000 >/dev/null || fail "the Close button did not take the click"
    wait "$process" || fail "the dialog of $1 did not end cleanly within 60 seconds"
}

echo "step: Scoop installs 1.0, a drive is made and saved with autostart"
scoop_install 1.0
program='C:\Scoop\apps\morvex\current\Morvex.exe'
run "$program" "$free:" 'C:\package data' >/dev/null || fail "the command line's run failed"
dialog "$program"
settings_have_line "$scoop/persist/morvex/Morvex.ini" || fail "the persisted Morvex.ini lacks the line for $free:"
expect_equal "$(run_value)" "\"$program\" /startup" "the Run value"

echo "step: Scoop updates to 2.0; the log-on run of the new version makes the saved drive again"
scoop_install 2.0
restart_server
run "$program" /startup >/dev/null || fail "the log-on run failed"
expect_equal "$(run "$check" query "$free")" '\??\C:\package data' "$free: after the update's log-on"
run "$program" /d "$free:" >/dev/null || fail "the removal's run failed"
run reg delete "$run_key" /v Morvex /f >/dev/null 2>&1

echo "step: winget's link to the file reads and writes Morvex.ini beside its target"
package="$winget/Packages/Morvex/64-bit (x64)"
mkdir -p "$package" "$winget/Links"
cp "$build/Morvex.exe" "$package/"
ln -s "$package/Morvex.exe" "$winget/Links/morvex.exe"
printf '\xff\xfe' >"$package/Morvex.ini"
printf '[Drives]\r\n%s\r\n' "$line" | iconv -f UTF-8 -t UTF-16LE >>"$package/Morvex.ini"
run 'C:\WinGet\Links\morvex.exe' /startup >/dev/null || fail "the log-on run through the link failed"
expect_equal "$(run "$check" query "$free")" '\??\C:\package data' "$free: after the run through the link"
dialog 'C:\WinGet\Links\morvex.exe'
[ -e "$winget/Links/Morvex.ini" ] && fail "Close wrote Morvex.ini into the Links folder"
settings_have_line "$package/Morvex.ini" || fail "Morvex.ini beside the target lacks the line for $free:"
expect_equal "$(run_value)" '"C:\WinGet\Packages\Morvex\64-bit (x64)\Morvex.exe" /startup' "the Run value through the link"

run "$program" /d "$free:" >/dev/null || fail "the removal's run failed"
run reg delete "$run_key" /v Morvex /f >/dev/null 2>&1
finish "package managers: every check passed"
