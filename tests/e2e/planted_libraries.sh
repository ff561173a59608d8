#!/bin/bash
# Morvex.exe in a downloads folder that also holds libraries named like system ones
# (msimg32.dll, uxtheme.dll, version.dll, dwmapi.dll), each of which leaves a marker when loaded.
# Wine runs with native-first overrides for them, which makes it search the way Windows does:
# the executable's folder first. The one-shot define and remove, /startup and the dialog must
# load none of them and still work. The control shows that the scene can fail: the same names
# loaded from that folder without the search restricted load the planted libraries.
#   planted_libraries.sh BUILD_DIR
build=$(cd "$1" && pwd)
. "$(dirname "$0")/../wine/wine-session.sh" "$build/planted-session" begin
check="$build/tools/checker/morvex_check.exe"
planted=(msimg32 uxtheme version dwmapi)
# Without the debugger a crash ends the process at once instead of waiting for one.
overrides="mscoree,mshtml=;msimg32,uxtheme,version,dwmapi,comctl32=n,b;winedbg.exe=d"

# A program of the downloads folder, with the overrides.
run_planted() { WINEDLLOVERRIDES="$overrides" run "$@"; }
loaded_markers() { (cd "$folder" && ls -- *.loaded 2>/dev/null | tr '\n' ' '); }
expect_no_marker() {
    local markers
    markers=$(loaded_markers)
    [ -z "$markers" ] || fail "$1 loaded planted libraries: $markers"
    rm -f "$folder"/*.loaded
}

folder="$WINEPREFIX/drive_c/Downloads"
rm -rf "$folder"
mkdir -p "$folder"
cp "$build/Morvex.exe" "$build/tests/dll_search_probe.exe" "$folder/"
for name in "${planted[@]}"; do cp "$build/tests/planted/$name.dll" "$folder/"; done
program='C:\Downloads\Morvex.exe'
probe='C:\Downloads\dll_search_probe.exe'
names=(msimg32.dll uxtheme.dll version.dll dwmapi.dll)
wine_drives=$(run "$check" query C; run "$check" query Z)
free=$(run "$check" free-letter) || { echo "no free letter"; exit 1; }

echo "step: control, the names loaded from the folder without restricting the search"
run_planted "$probe" unrestricted "${names[@]}" >/dev/null || fail "the control could not load every name"
for name in "${planted[@]}"; do
    [ -f "$folder/$name.dll.loaded" ] || fail "the control did not load the planted $name.dll: the scene cannot fail"
done
rm -f "$folder"/*.loaded

echo "step: control, the same after restricting the search as Morvex.exe does"
search=$(run_planted "$probe" restricted "${names[@]}") || fail "the restricted control could not load every name"
expect_equal "$search" system-directory-only "the restriction"
expect_no_marker "the restricted control"

echo "step: one-shot define of $free:"
run_planted "$program" "$free:" 'C:\Downloads' >/dev/null || fail "the one-shot define's run failed"
expect_equal "$(run "$check" query "$free")" '\??\C:\Downloads' "$free: after the one-shot define"
expect_no_marker "the one-shot define"

echo "step: the dialog, its row selected and drawn; Close"
WINEDEBUG=+loaddll WINEDLLOVERRIDES="$overrides" timeout -k 5 60 wine "$program" >"$session/dialog.log" 2>&1 &
dialog=$!
run "$check" wait-dialog 30 >/dev/null || fail "the dialog did not appear"
expect_equal "$(run "$check" rows)" 1 "the dialog's row count"
run "$check" click-row 0 >/dev/null || fail "the click did not select and draw the row"
run "$check" press 1000 >/dev/null || fail "the Close button did not take the click"
wait "$dialog" || fail "the dialog's process did not end cleanly within 60 seconds (status $?)"
# The selected row's gradient came from the system's msimg32, not from none at all.
grep -Eiq 'Loaded L"C:\\\\windows\\\\sys(tem32|wow64)\\\\msimg32\.dll"' "$session/dialog.log" ||
    fail "the dialog did not load msimg32.dll from the system directory"
expect_no_marker "the dialog"

echo "step: one-shot remove of $free:"
run_planted "$program" /d "$free:" >/dev/null || fail "the one-shot remove's run failed"
expect_equal "$(run "$check" query "$free")" "(none)" "$free: after the one-shot remove"
expect_no_marker "the one-shot remove"

echo "step: /startup re-creates $free: from Morvex.ini"
{
    printf '\xff\xfe'
    printf '[Drives]\r\n%s=C:\\Downloads\\\r\n' "$free" | iconv -f UTF-8 -t UTF-16LE
} >"$folder/Morvex.ini"
run_planted "$program" /startup >/dev/null || fail "the /startup run failed"
expect_equal "$(run "$check" query "$free")" '\??\C:\Downloads' "$free: after /startup"
expect_no_marker "/startup"
run "$build/Morvex.exe" /d "$free:" >/dev/null

expect_equal "$(run "$check" query C; run "$check" query Z)" "$wine_drives" "Wine's own C: and Z:"
finish "planted libraries: every check passed"
