#!/bin/bash
# The dialog at 100 %, 150 % and 200 % display scaling: the DPI tests of the Windows test
# program, run in a session of each DPI (LogPixels, which Wine reads when its server starts).
#   dpi.sh BUILD_DIR
set -u
build=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
session="$build/dpi-session"
session_script="$top/tests/wine/wine-session.sh"
tests="$build/tests/morvex_win32_tests.exe"
failures=0

for dpi in 96 144 192; do
    "$session_script" "$session" start || exit 1
    "$session_script" "$session" run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null
    "$session_script" "$session" stop
    "$session_script" "$session" start || exit 1
    if ! MORVEX_EXPECTED_DPI=$dpi "$session_script" "$session" run "$tests" --gtest_filter='DpiTest.*' \
        --gtest_brief=1 >"$session/dpi-$dpi.log" 2>&1; then
        echo "FAIL at $dpi DPI:"
        cat "$session/dpi-$dpi.log"
        failures=$((failures + 1))
    fi
    "$session_script" "$session" stop
done
[ $failures -eq 0 ] && echo "dpi: the dialog is whole at 96, 144 and 192 DPI"
exit $((failures > 0))
