#!/bin/bash
# The dialog at 100 %, 150 % and 200 % display scaling: the DPI tests of the Windows test
# program, run in a session of each DPI (LogPixels, which Wine reads when its server starts).
#   dpi.sh BUILD_DIR
build=$1
. "$(dirname "$0")/../wine/wine-session.sh" "$build/dpi-session" begin
tests="$build/tests/morvex_win32_tests.exe"
# The DPI tests open dialogs and draw: room for a loaded machine.
run_limit=300

for dpi in 96 144 192; do
    run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
        fail "LogPixels $dpi could not be set"
    restart_server
    if ! MORVEX_EXPECTED_DPI=$dpi run "$tests" --gtest_filter='DpiTest.*' --gtest_brief=1 >"$session/dpi-$dpi.log"; then
        fail "at $dpi DPI:"
        cat "$session/dpi-$dpi.log"
    fi
done
finish "dpi: the dialog is whole at 96, 144 and 192 DPI"
