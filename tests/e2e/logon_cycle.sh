#!/bin/bash
# A user's whole cycle with the shipped Morvex.exe, checked from outside by morvex_check.exe:
# map from the command line, open the dialog and see the row, switch autostart on and Close,
# log off (the wineserver ends), log on (the Run value's command line), and find the drive
# back. Wine's own C: and Z: must stay as they are at every step.
#   logon_cycle.sh BUILD_DIR
build=$1
. "$(dirname "$0")/../wine/wine-session.sh" "$build/e2e-session" begin
check="$build/tools/checker/morvex_check.exe"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# The program lives where users put it, in a folder with blanks.
app_dir="$WINEPREFIX/drive_c/Program Files/Morvex Cycle"
mkdir -p "$app_dir" "$WINEPREFIX/drive_c/cycle data"
cp "$build/Morvex.exe" "$app_dir/Morvex.exe"
rm -f "$app_dir/Morvex.ini"
program='C:\Program Files\Morvex Cycle\Morvex.exe'
run reg delete "$run_key" /v Morvex /f >/dev/null 2>&1

wine_drives=$(run "$check" query C; run "$check" query Z)
free=$(run "$check" free-letter) || { echo "no free letter"; exit 1; }

echo "step: map $free: from the command line"
run "$program" "$free:" 'C:\cycle data' >/dev/null || fail "the command line's run failed"
expect_equal "$(run "$check" query "$free")" '\??\C:\cycle data' "$free: after the command line"

echo "step: the dialog lists it; autostart on; Close"
timeout -k 5 60 wine "$program" >"$session/dialog.log" 2>&1 &
dialog=$!
run "$check" wait-dialog 30 >/dev/null || fail "the dialog did not appear"
expect_equal "$(run "$check" rows)" 1 "the dialog's row count"
run "$check" click-row 0 >/dev/null || fail "the click did not select the row"
run "$check" press 1001 >/dev/null || fail "the autostart check box did not take the click"
run "$check" press 1000 >/dev/null || fail "the Close button did not take the click"
wait "$dialog" || fail "the dialog's process did not end cleanly within 60 seconds (status $?)"
grep -q . "$app_dir/Morvex.ini" 2>/dev/null || fail "Close wrote no Morvex.ini"
iconv -f UTF-16LE -t UTF-8 "$app_dir/Morvex.ini" 2>/dev/null | grep -q "^$free=C:\\\\cycle data\\\\" ||
    fail "Morvex.ini lacks the line for $free:"
command=$(run reg query "$run_key" /v Morvex 2>/dev/null | sed -n 's/^ *Morvex *REG_SZ *//p')
expect_equal "$command" "\"$program\" /startup" "the Run value"

echo "step: log off"
restart_server
expect_equal "$(run "$check" query "$free")" "(none)" "$free: after log-off"

echo "step: log on, running the Run value's command line"
logon_program=${command#\"}
logon_program=${logon_program%%\" *}
logon_argument=${command##*\" }
run "$logon_program" "$logon_argument" >/dev/null || fail "the Run value's command line failed"
expect_equal "$(run "$check" query "$free")" '\??\C:\cycle data' "$free: after log-on"

expect_equal "$(run "$check" query C; run "$check" query Z)" "$wine_drives" "Wine's own C: and Z:"

run "$program" /d "$free:" >/dev/null || fail "the removal's run failed"
run reg delete "$run_key" /v Morvex /f >/dev/null 2>&1
finish "log-on cycle: every check passed"
