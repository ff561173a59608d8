#!/bin/bash
# Benchmark of Morvex under a warm Wine: one-shot command, start-up mode and dialog start
# against floors of the benchmark's own, in-process figures, the DLLs each mode loads, and the
# executables' sizes.
# Prints figures and ratios; never fails on a time.
#   bench/run.sh [--quick]
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
runs=21
quick=""
if [ "${1:-}" = "--quick" ]; then runs=5; quick=--quick; fi
"$top/scripts/build.sh" x86 x64 >/dev/null
. "$top/scripts/wine-loader.sh"
build="$top/build/x64"
session="$top/build/bench-session"
session_script="$top/tests/wine/wine-session.sh"
"$session_script" "$session" start
trap '"$session_script" "$session" stop' EXIT
export WINEPREFIX="$session/wineprefix" WINEDEBUG=-all DISPLAY=$(cat "$session/display")
floor="$build/bench/floor_define.exe"
arguments_floor="$build/bench/floor_arguments.exe"
app="$WINEPREFIX/drive_c/bench app"
mkdir -p "$app"
cp "$build/Morvex.exe" "$app/Morvex.exe"
program='C:\bench app\Morvex.exe'
# Programs run through plain wine, output to /dev/null: the wrapper's own cost stays out.
quiet() { wine "$@" >/dev/null 2>&1; }
now_ms() { date +%s%N | awk '{printf "%.3f", $1 / 1000000}'; }
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# Each measurement: the wall time of the commands given, in milliseconds.
measure() {
    local start end
    start=$(now_ms)
    "$@"
    end=$(now_ms)
    awk -v s="$start" -v e="$end" 'BEGIN {printf "%.1f\n", e - s}'
}
morvex_oneshot() { quiet "$program" X: 'C:\windows'; quiet "$program" /d X:; }
floor_oneshot() { quiet "$floor" define X: '\??\C:\windows'; quiet "$floor" remove X:; }
arguments_floor_oneshot() { quiet "$arguments_floor" X: '\??\C:\windows'; quiet "$arguments_floor" /d X:; }
morvex_startup() { quiet "$program" /startup; }
# The log-on run's floor splits its command line too: shell32 is part of what Morvex must load.
floor_startup() { quiet "$arguments_floor" /many 24 '\??\C:\windows'; }

quiet "$floor" remove-all
morvex_oneshot; floor_oneshot; arguments_floor_oneshot   # warm up
# Interleaved, so that a change in the machine's load hits Morvex and its floors alike.
rm -f "$session"/oneshot.*
for _ in $(seq "$runs"); do
    measure morvex_oneshot >>"$session/oneshot.morvex"
    measure floor_oneshot >>"$session/oneshot.floor"
    measure arguments_floor_oneshot >>"$session/oneshot.arguments"
done
median <"$session/oneshot.morvex" >"$session/m1"
median <"$session/oneshot.floor" >"$session/f1"
median <"$session/oneshot.arguments" >"$session/f0"

# The DLLs that the process of the program named first loads, in order, from Wine's loaddll
# trace (the exe itself left out); the command's own output is dropped.
loaded_dlls() {
    local name=$1
    shift
    WINEDEBUG=+pid,+loaddll wine "$@" >/dev/null 2>"$session/loaddll.log" || true
    tr -d '\r' <"$session/loaddll.log" | awk -v name="$name" '
        /:trace:loaddll:.*Loaded L"/ {
            process = substr($0, 1, index($0, ":") - 1)
            path = $0
            sub(/.*Loaded L"/, "", path)
            sub(/".*/, "", path)
            base = tolower(path)
            sub(/.*\\/, "", base)
            if (owner == "" && base == tolower(name)) { owner = process; next }
            if (process == owner) list = list " " base
        }
        END { print substr(list, 2) }'
}
quiet "$floor" remove-all
loaded_dlls Morvex.exe "$program" X: 'C:\windows' >"$session/d1"
loaded_dlls Morvex.exe "$program" /d X: >"$session/d2"
loaded_dlls floor_arguments.exe "$arguments_floor" X: '\??\C:\windows' >"$session/d0"
quiet "$arguments_floor" /d X:

# 24 saved drives: every free letter but C: and Z:.
{
    printf '\xff\xfe'
    { printf '[Drives]\r\n'; for l in A B D E F G H I J K L M N O P Q R S T U V W X Y; do printf '%s=C:\\windows\\\r\n' "$l"; done; } |
        iconv -f UTF-8 -t UTF-16LE
} >"$app/Morvex.ini"
for _ in $(seq "$runs"); do quiet "$floor" remove-all; measure morvex_startup; done | median >"$session/m2"
for _ in $(seq "$runs"); do quiet "$floor" remove-all; measure floor_startup; done | median >"$session/f2"
quiet "$floor" remove-all
loaded_dlls Morvex.exe "$program" /startup >"$session/d3"

# Dialog start with the 24 saved drives, 20 of them defined and 4 not connected, until the dialog
# is shown and idle, interleaved with two floors: Morvex's own template and manifest with an empty
# procedure, and an empty dialog.
quiet "$floor" remove-all
quiet "$floor" define-many 20 '\??\C:\windows'
timer="$build/bench/start_timer.exe"
cp "$build/bench/floor_template.exe" "$app/floor_template.exe"
template_floor='C:\bench app\floor_template.exe'
start_time() { wine "$timer" "$@" 2>/dev/null | tr -d '\r'; }
start_time Morvex "$program" >/dev/null; start_time Morvex "$template_floor" >/dev/null   # warm up
rm -f "$session"/dialog.*
for _ in $(seq "$runs"); do
    start_time Morvex "$program" >>"$session/dialog.morvex"
    start_time Morvex "$template_floor" >>"$session/dialog.template"
    start_time Floor "$build/bench/floor_dialog.exe" >>"$session/dialog.empty"
done
median <"$session/dialog.morvex" >"$session/m3"
median <"$session/dialog.template" >"$session/f4"
median <"$session/dialog.empty" >"$session/f3"
loaded_dlls Morvex.exe "$timer" Morvex "$program" >"$session/d4"
quiet "$floor" remove-all
rm -f "$app/Morvex.ini"

ratio() { awk -v a="$(cat "$1")" -v b="$(cat "$2")" 'BEGIN {printf "%.2f", a / b}'; }
echo "## Morvex benchmark ($runs runs each, medians; $(nproc) cores, $(uname -m), $(wine --version))"
echo
echo "| Measurement | Morvex (ms) | Floor (ms) | Ratio | Target |"
echo "|---|---|---|---|---|"
echo "| One-shot: X: C:\\dir, then /d X: | $(cat "$session/m1") | $(cat "$session/f1") | $(ratio "$session/m1" "$session/f1") | <= 1.10 |"
echo "| The same, against a floor that also splits its command line | $(cat "$session/m1") | $(cat "$session/f0") | $(ratio "$session/m1" "$session/f0") | <= 1.05 |"
echo "| /startup with 24 saved drives, against a floor that splits its command line | $(cat "$session/m2") | $(cat "$session/f2") | $(ratio "$session/m2" "$session/f2") | <= 1.10 |"
echo "| Dialog start, 24 drives (4 not connected), until shown and idle | $(cat "$session/m3") | $(cat "$session/f4") | $(ratio "$session/m3" "$session/f4") | <= 1.25 |"
echo "| The same, against an empty dialog | $(cat "$session/m3") | $(cat "$session/f3") | $(ratio "$session/m3" "$session/f3") | - |"
echo
echo "DLLs loaded (x64, Wine's loaddll trace, in load order):"
echo
echo "    one-shot define:    $(cat "$session/d1")"
echo "    one-shot remove:    $(cat "$session/d2")"
echo "    /startup:           $(cat "$session/d3")"
echo "    dialog:             $(cat "$session/d4")"
echo "    floor (arguments):  $(cat "$session/d0")"
echo
echo "In-process (x64, under Wine):"
echo
"$session_script" "$session" run "$build/bench/inprocess_bench.exe" $quick | tr -d '\r' | sed 's/^/    /'
echo
echo "| Executable | Bytes | Imports | Target |"
echo "|---|---|---|---|"
for arch in x86 x64; do
    exe="$top/build/$arch/Morvex.exe"
    case $arch in x86) objdump=i686-w64-mingw32-objdump ;; x64) objdump=x86_64-w64-mingw32-objdump ;; esac
    imports=$($objdump -p "$exe" | sed -n 's/.*DLL Name: //p' | tr '\n' ' ')
    echo "| $arch Morvex.exe | $(stat -c %s "$exe") | $imports| <= 102400, system DLLs only |"
done
