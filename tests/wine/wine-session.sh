#!/bin/bash
# A Wine session for the Windows test programs: a private prefix in the build folder,
# a persistent wineserver that plays the log-on session, and a private Xvfb display.
#   wine-session.sh DIR start         create the prefix if needed, start Xvfb and the wineserver
#   wine-session.sh DIR run PROG ...  run a Windows program in that session, exit with its code
#   wine-session.sh DIR stop          stop this session's wineserver and Xvfb (and nothing else)
# An end-to-end script that needs a session of its own sources this file:
#   . wine-session.sh DIR begin       start the session, stop it when the script exits, and give
#                                     the script $session and the functions run, restart_server,
#                                     fail, expect_equal and finish (below)
set -u
session=$1
session_command=$2
shift 2

mkdir -p "$session"
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-loader.sh"
export WINEPREFIX="$session/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
display_file="$session/display"
xvfb_pid_file="$session/xvfb.pid"

xvfb_running() {
    [ -f "$xvfb_pid_file" ] && kill -0 "$(cat "$xvfb_pid_file")" 2>/dev/null
}

start_xvfb() {
    xvfb_running && return 0
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$session/xvfb.log" 2>&1 &
    echo $! >"$xvfb_pid_file"
    echo ":$n" >"$display_file"
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not come up on :$n" >&2
    return 1
}

configure_prefix() {
    # The Chinese dialog's font is SimSun; without a replacement Wine draws its texts as boxes.
    local fonts='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$fonts" /v SimSun /d 'WenQuanYi Micro Hei' /f
    wine reg add "$fonts" /v '宋体' /d 'WenQuanYi Micro Hei' /f
    # Without a window manager every activation waits two seconds for X; Wine's own desktop does not.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f
}

start_session() {
    start_xvfb || return 1
    DISPLAY=$(cat "$display_file")
    export DISPLAY
    wineserver -p </dev/null >>"$session/wineserver.log" 2>&1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >"$session/wineboot.log" 2>&1
        configure_prefix >>"$session/wineboot.log" 2>&1
        # The desktop settings take effect with a new session.
        restart_server
    fi
    # Wine draws the caption buttons as Marlett glyphs. Debian's Wine looks for its own fonts in
    # "<data dir>\../fonts", a path its file system refuses, so the caption shows the letters
    # "0 1 r" unless the font is in the prefix's Fonts folder.
    cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # Starting a trivial program now keeps Wine's helper processes off the test programs' pipes.
    wine cmd /c exit >>"$session/wineboot.log" 2>&1
}

stop_session() {
    wineserver -k 2>/dev/null
    if xvfb_running; then
        kill "$(cat "$xvfb_pid_file")"
    fi
    rm -f "$xvfb_pid_file" "$display_file"
}

# Ends the wineserver, which is the log-off (and the moment Wine forgets the display's DPI), and
# starts the next one.
restart_server() {
    wineserver -k
    wineserver -p </dev/null >>"$session/wineserver.log" 2>&1
}

# Runs a Windows program in the session and returns its status, with its output without CRs.
# Output goes through a file: Wine's helper processes may keep a pipe open long after the
# program ends. With run_limit set, a program still running after that many seconds is ended
# and its status is 124.
run() (
    [ -f "$display_file" ] && export DISPLAY=$(cat "$display_file")
    # The resources follow the UI language, which Wine takes from the locale: the tests run in
    # English unless MORVEX_TEST_LANG names another.
    export LANG=${MORVEX_TEST_LANG:-en_US.UTF-8} LC_ALL=${MORVEX_TEST_LANG:-en_US.UTF-8}
    log=$(mktemp "$session/run.XXXXXX")
    if [ -n "${run_limit:-}" ]; then
        timeout -k 5 "$run_limit" wine "$@" >"$log" 2>&1
    else
        wine "$@" >"$log" 2>&1
    fi
    rc=$?
    tr -d '\r' <"$log"
    rm -f "$log"
    exit $rc
)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect_equal ACTUAL EXPECTED WHAT
expect_equal() { [ "$1" = "$2" ] || fail "$3 is '$1', expected '$2'"; }
# Ends the script with its verdict: the line given when every check passed.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "$1"
    exit 0
}

case "$session_command" in
start)
    start_session
    ;;
run)
    run "$@"
    ;;
stop)
    stop_session
    ;;
begin)
    start_session || { echo "FAIL: the Wine session did not start (its logs: $session)"; exit 1; }
    trap stop_session EXIT
    # A one-shot run that hangs (on a message box, say) fails its check, not the whole test.
    run_limit=120
    ;;
*)
    echo "usage: $0 DIR start|run PROGRAM...|stop, or sourced: . $0 DIR begin" >&2
    exit 2
    ;;
esac
