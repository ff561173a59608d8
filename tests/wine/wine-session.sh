#!/bin/bash
# A Wine session for the Windows test programs: a private prefix in the build folder,
# a persistent wineserver that plays the log-on session, and a private Xvfb display.
#   wine-session.sh DIR start         create the prefix if needed, start Xvfb and the wineserver
#   wine-session.sh DIR run PROG ...  run a Windows program in that session, exit with its code
#   wine-session.sh DIR stop          stop this session's wineserver and Xvfb (and nothing else)
set -u
state=$1
command=$2
shift 2

mkdir -p "$state"
export WINEPREFIX="$state/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
display_file="$state/display"
xvfb_pid_file="$state/xvfb.pid"

xvfb_running() {
    [ -f "$xvfb_pid_file" ] && kill -0 "$(cat "$xvfb_pid_file")" 2>/dev/null
}

start_xvfb() {
    xvfb_running && return 0
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
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

case "$command" in
start)
    start_xvfb || exit 1
    export DISPLAY=$(cat "$display_file")
    wineserver -p </dev/null >>"$state/wineserver.log" 2>&1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >"$state/wineboot.log" 2>&1
        configure_prefix >>"$state/wineboot.log" 2>&1
        # The desktop settings take effect with a new session.
        wineserver -k
        wineserver -p </dev/null >>"$state/wineserver.log" 2>&1
    fi
    # Starting a trivial program now keeps Wine's helper processes off the test programs' pipes.
    wine cmd /c exit >>"$state/wineboot.log" 2>&1
    ;;
run)
    [ -f "$display_file" ] && export DISPLAY=$(cat "$display_file")
    # The resources follow the UI language, which Wine takes from the locale: the tests run in
    # English unless MORVEX_TEST_LANG names another.
    export LANG=${MORVEX_TEST_LANG:-en_US.UTF-8} LC_ALL=${MORVEX_TEST_LANG:-en_US.UTF-8}
    log=$(mktemp "$state/run.XXXXXX")
    # Output goes to a file: Wine's helper processes may keep a pipe open long after the program ends.
    wine "$@" >"$log" 2>&1
    rc=$?
    cat "$log"
    rm -f "$log"
    exit $rc
    ;;
stop)
    wineserver -k 2>/dev/null
    if xvfb_running; then
        kill "$(cat "$xvfb_pid_file")"
    fi
    rm -f "$xvfb_pid_file" "$display_file"
    ;;
*)
    echo "usage: $0 DIR start|run PROGRAM...|stop" >&2
    exit 2
    ;;
esac
