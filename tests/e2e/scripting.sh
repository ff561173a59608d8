#!/bin/bash
# Morvex.exe as scripts run it, checked from outside: with /q no box or dialog holds the run (one
# would until the time limit), the exit status tells how it went and each failure is a line on
# standard error; /l and /? write UTF-8 lines ending in CR LF to a redirected standard output.
#   scripting.sh BUILD_DIR
build=$1
. "$(dirname "$0")/../wine/wine-session.sh" "$build/scripting-session" begin
export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
app_dir="$WINEPREFIX/drive_c/Morvex Scripts"
mkdir -p "$app_dir" "$WINEPREFIX/drive_c/资料 2026" && cp "$build/Morvex.exe" "$app_dir/"
free=$(run "$build/tools/checker/morvex_check.exe" free-letter) || { echo "no free letter"; exit 1; }

# expect_run STATUS STANDARD_ERROR ARGUMENT...: standard output is left in $session/out.
expect_run() {
    local status=$1 error=$2
    shift 2
    timeout -k 5 30 wine 'C:\Morvex Scripts\Morvex.exe' "$@" >"$session/out" 2>"$session/err"
    expect_equal "$?" "$status" "the status of '$*'"
    expect_equal "$(cat "$session/err")" "$error${error:+$'\r'}" "standard error of '$*'"
}

expect_run 1 'Invalid path: C:\no such folder' /q "$free:" 'C:\no such folder'
expect_run 1 'Drive C: is held by another device, or the system refused.' -Q /d C:
expect_run 2 'Nothing to do: see Morvex.exe /?' "$free:" /q
printf '[Drives]\r\n%s=C:\\no such folder\r\n' "$free" >"$app_dir/Morvex.ini"
expect_run 1 'Invalid path: C:\no such folder' /startup /q
expect_run 0 '' "$free:" 'C:\资料 2026' /q
# The checker's own output cannot carry the Chinese name: /l shows the quiet run's drive.
expect_run 0 '' /l
printf '%s\r\n' "$free:\\: => C:\\资料 2026" | cmp -s - "$session/out" || fail "/l wrote '$(cat -A "$session/out")'"
expect_run 0 '' /?
for form in 'Z: C:\dir' '/d Z:' '/startup' '/q' '/l' '/?' 'Exit status'; do
    grep -qF -- "$form" "$session/out" || fail "/? does not name '$form'"
done
[ "$(grep -c $'\r$' "$session/out")" = "$(wc -l <"$session/out")" ] || fail "/? has lines without CR LF"
expect_run 0 '' /q /d "$free:"
expect_run 1 "Drive $free: is not a virtual drive." /q /d "$free:"
finish "scripting: every check passed"
