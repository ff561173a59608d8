#!/bin/bash
# A user's whole cycle with the shipped Morvex.exe, checked from outside by morvex_check.exe:
# map from the command line, open the dialog and see the row, switch autostart on and Close,
# log off (the wineserver ends), log on (the Run value's command line), and find the drive
# back. Wine's own C: and Z: must stay as they are at every step.
#   logon_cycle.sh BUILD_DIR
set -u
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
session="$build/e2e-session"
session_script="$top/tests/wine/wine-session.sh"
check="$build/tools/checker/morvex_check.exe"
failures=0

run() { "$session_script" "$session" run "$@" | tr -d '\r'; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_target() {
    local letter=$1 expected=$2 actual
    actual=$(run "$check" query "$letter")
    [ "$actual" = "$expected" ] || fail "$letter: is '$actual', expected '$expected' ($3)"
}

"$session_script" "$session" start || exit 1
trap '"$session_script" "$session" stop' EXIT
export WINEPREFIX="$session/wineprefix" WINEDEBUG=-all DISPLAY=$(cat "$session/display")

# The program lives where users put it, in a folder with blanks.
app_dir="$WINEPREFIX/drive_c/Program Files/Morvex Cycle"
mkdir -p "$app_dir" "$WINEPREFIX/drive_c/cycle data"
cp "$build/Morvex.exe" "$app_dir/Morvex.exe"
rm -f "$app_dir/Morvex.ini"
program='C:\Program Files\Morvex Cycle\Morvex.exe'
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Morvex /f >/dev/null 2>&1

c_before=$(run "$check" query C)
z_before=$(run "$check" query Z)
free=$(run "$check" free-letter)
[ -n "$free" ] || { echo "no free letter"; exit 1; }

echo "step: map $free: from the command line"
run "$program" "$free:" 'C:\cycle data' >/dev/null
expect_target "$free" '\??\C:\cycle data' "after the command line"

echo "step: the dialog lists it; autostart on; Close"
wine "$program" >"$session/dialog.log" 2>&1 &
dialog=$!
run "$check" wait-dialog 30 >/dev/null || fail "the dialog did not appear"
rows=$(run "$check" rows)
[ "$rows" = "1" ] || fail "the dialog shows $rows rows, expected the one drive"
run "$check" click-row 0 >/dev/null
run "$check" press 1001 >/dev/null
sleep 1
run "$check" press 1000 >/dev/null
wait "$dialog" || fail "the dialog's process did not end cleanly"
grep -q . "$app_dir/Morvex.ini" 2>/dev/null || fail "Close wrote no Morvex.ini"
iconv -f UTF-16LE -t UTF-8 "$app_dir/Morvex.ini" 2>/dev/null | grep -q "^$free=C:\\\\cycle data\\\\" ||
    fail "Morvex.ini lacks the line for $free:"
command=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Morvex 2>/dev/null |
          tr -d '\r' | sed -n 's/^ *Morvex *REG_SZ *//p')
[ "$command" = "\"$program\" /startup" ] || fail "Run value is '$command'"

echo "step: log off"
WINEPREFIX="$WINEPREFIX" wineserver -k
WINEPREFIX="$WINEPREFIX" wineserver -p </dev/null >>"$session/wineserver.log" 2>&1
expect_target "$free" "(none)" "after log-off"

echo "step: log on, running the Run value's command line"
logon_program=${command#\"}
logon_program=${logon_program%%\" *}
logon_argument=${command##*\" }
run "$logon_program" "$logon_argument" >/dev/null
expect_target "$free" '\??\C:\cycle data' "after log-on"

expect_target C "$c_before" "Wine's own C:"
expect_target Z "$z_before" "Wine's own Z:"

run "$program" /d "$free:" >/dev/null
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Morvex /f >/dev/null 2>&1
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "log-on cycle: every check passed"
