#!/bin/bash
# The shipped Morvex.exe speaks the user's UI language: its dialog is read back from outside by
# morvex_check.exe under each LANG of the table, and so is an error box; English for every
# language it has no texts for.
#   languages.sh BUILD_DIR WINE_SESSION_DIR
set -u
build=$1
session=$2
. "$(dirname "$0")/../../scripts/wine-loader.sh"
check="$build/tools/checker/morvex_check.exe"
export WINEPREFIX="$session/wineprefix" WINEDEBUG=-all DISPLAY=$(cat "$session/display")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
started=""
# A dialog or box this script started never outlives it.
trap 'for pid in $started; do kill "$pid" 2>/dev/null; done' EXIT

app_dir="$WINEPREFIX/drive_c/morvex languages"
mkdir -p "$app_dir"
cp "$build/Morvex.exe" "$app_dir/Morvex.exe"
rm -f "$app_dir/Morvex.ini"
program='C:\morvex languages\Morvex.exe'

english='autostart=Apply the virtual drives when Windows starts
close=Close
remove=Remove
save=Save
new=New
browse=Browse'
english_box='caption=Morvex Error
text=Invalid path: C:\no such folder'
chinese='autostart=Windows 启动时应用虚拟驱动器
close=关闭
remove=移除
save=保存
new=新建
browse=浏览'
chinese_box='caption=Morvex 错误
text=路径无效：C:\no such folder'

# LANG, then the texts the dialog must show under it.
while IFS='|' read -r lang expected; do
    # Without the locale Wine falls back to English, and an English row would pass unseen.
    locale -a | grep -qix "${lang/UTF-8/utf8}" || { fail "$lang is not installed (scripts/install-deps.sh)"; continue; }
    export LANG=$lang LC_ALL=$lang
    timeout -k 5 60 wine "$program" >/dev/null 2>&1 &
    dialog=$!
    started="$started $dialog"
    if ! wine "$check" wait-dialog 30 >/dev/null 2>&1; then
        fail "$lang: no dialog"
        kill "$dialog" 2>/dev/null
        continue
    fi
    actual=$(wine "$check" texts 2>/dev/null | tr -d '\r')
    wanted=${!expected}
    if [ -n "${MORVEX_X86_UNDER_QEMU:-}" ]; then
        # The toolbar's texts are read through memory lent in the dialog's process, which Wine's
        # server misses under qemu; the in-process commands test reads them on x86.
        actual=$(grep -v -e '^remove=' -e '^save=' -e '^new=' -e '^browse=' <<<"$actual")
        wanted=$(grep -v -e '^remove=' -e '^save=' -e '^new=' -e '^browse=' <<<"$wanted")
        echo "NOTE: $lang: toolbar texts not read under qemu"
    fi
    [ "$actual" = "$wanted" ] || fail "$lang: the dialog shows
$actual
expected
$wanted"
    wine "$check" close >/dev/null 2>&1 || fail "$lang: the close request was not posted"
    wait "$dialog" || fail "$lang: the dialog did not end cleanly within 60 seconds (status $?)"

    # A one-shot error, in the same language.
    timeout -k 5 60 wine "$program" Q: 'C:\no such folder' >/dev/null 2>&1 &
    oneshot=$!
    started="$started $oneshot"
    box=$(wine "$check" box 30 2>/dev/null | tr -d '\r')
    wait "$oneshot" || fail "$lang: the one-shot run did not end cleanly within 60 seconds (status $?)"
    expected_box=${expected}_box
    [ "$box" = "${!expected_box}" ] || fail "$lang: the error box reads '$box'"
done <<'TABLE'
en_US.UTF-8|english
zh_CN.UTF-8|chinese
de_DE.UTF-8|english
TABLE

rm -rf "$app_dir"
[ $failures -eq 0 ] && echo "languages: every dialog and box as expected"
exit $((failures > 0))
