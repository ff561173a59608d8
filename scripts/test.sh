#!/bin/bash
# Installs what is missing, builds everything and runs every test: host, then both Windows builds under Wine.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
status=0
echo "== tests: host, with AddressSanitizer and UBSan"
ctest --test-dir "$top/build/host" --output-on-failure || status=1
echo "== tests: host, under valgrind"
valgrind --quiet --error-exitcode=1 --leak-check=full --suppressions="$top/tests/valgrind.supp" --errors-for-leak-kinds=definite,indirect \
    "$top/build/valgrind/tests/morvex_pure_tests" --gtest_brief=1 || status=1
echo "== fuzzing"
"$top/scripts/fuzz.sh" 15 || status=1
. "$top/scripts/wine-loader.sh"
for build in x86 x64; do
    runner=()
    if [ "$build" = x86 ] && ! wine_runs_x86; then
        if "$top/scripts/x86-under-qemu.sh" --check; then
            echo "== tests: Windows x86, under Wine through qemu-i386 (this kernel runs no 32-bit programs)"
            runner=("$top/scripts/x86-under-qemu.sh")
        else
            # Only what needs no Wine; say so loudly, since the x86 program then goes untested here.
            echo "== tests: Windows x86 NOT RUN under Wine: this kernel runs no 32-bit programs, and" \
                "neither Debian's wine32 nor qemu-user-static runs them here"
            ctest --test-dir "$top/build/$build" --output-on-failure -R '^shipped_executable$' || status=1
            continue
        fi
    else
        echo "== tests: Windows $build, under Wine"
    fi
    start=$SECONDS
    if [ ${#runner[@]} -gt 0 ]; then
        # The emulator crashes a long test process now and then: one suite per process, and a
        # failed one is run again. It crashes every new 32-bit thread (tests/CMakeLists.txt).
        echo "== NOT RUN under qemu: $(ctest --test-dir "$top/build/$build" -N -L threads | sed -n 's/^ *Test *#[0-9]*: \(win32.*\)/\1/p' | tr '\n' ' ')(they start threads)"
        "${runner[@]}" ctest --test-dir "$top/build/$build" --output-on-failure -LE 'whole|threads' \
            --repeat until-pass:3 || status=1
    else
        ctest --test-dir "$top/build/$build" --output-on-failure -LE suites || status=1
    fi
    echo "Windows $build tests: $((SECONDS - start)) s"
done
echo "== run.sh without a display: the dialog is shown on Xvfb, pictured and closed"
rm -f "$top/build/dialog.png"
run_prefix="$top/build/wine-run-test"
if ! env -u DISPLAY WINEPREFIX="$run_prefix" timeout -k 5 120 "$top/scripts/run.sh" || [ ! -s "$top/build/dialog.png" ]; then
    echo "FAIL: run.sh without a display did not show, picture and close the dialog within 120 s"
    status=1
fi
WINEPREFIX="$run_prefix" wineserver -k 2>/dev/null || true
echo "== package.sh twice: the same release zip and manifests, byte for byte; the manifests checked"
release="$top/build/release" aside="$top/build/release-first-manifests"
first=$("$top/scripts/package.sh" 2>/dev/null | tail -1)
rm -rf "$aside" && mkdir -p "$aside"
cp -r "$release/morvex.json" "$release/winget" "$aside/" || true
sleep 2   # zip keeps times in steps of two seconds: a time taken from the clock would differ
second=$("$top/scripts/package.sh" 2>/dev/null | tail -1)
if [ -z "$first" ] || [ "$first" != "$second" ]; then
    echo "FAIL: two release zips of one tree differ: '$first', '$second'"
    status=1
fi
if ! cmp "$aside/morvex.json" "$release/morvex.json" || ! diff -r "$aside/winget" "$release/winget"; then
    echo "FAIL: the manifests of two packagings of one tree differ (above)"
    status=1
fi
# Debian's Python, which has PyYAML; a python3 earlier in the PATH may not.
/usr/bin/python3 "$top/tests/release/check_manifests.py" "$release" || status=1
echo "== benchmark, quick mode (figures only)"
"$top/bench/run.sh" --quick || status=1
exit $status
