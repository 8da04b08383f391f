#!/usr/bin/env bash
# A private Wine prefix and virtual X server for the Windows test suites.
#   wine_env.sh start STATE      make STATE/prefix with D: at STATE/drive_d, start Xvfb on
#                                a free display
#   wine_env.sh run STATE EXE…   run a Windows program there; its exit code is ours
#   wine_env.sh stop STATE       stop only what `start` started
set -u
if [ $# -lt 2 ]; then
    echo "usage: $0 start|run|stop STATE [EXE ARGS...]"
    exit 2
fi
cmd=$1 state=$(realpath -m "$2")
shift 2
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" WINEARCH=win64
# Wine stores non-ASCII file names only under a UTF-8 locale, and takes its code page from
# the locale: the same one on every machine, whatever LANG says (C.UTF-8 is always there).
export LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine

case "$cmd" in
start)
    mkdir -p "$state"
    display=
    for n in $(seq 91 140); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
    done
    [ -n "$display" ] || { echo "no free X display"; exit 1; }
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo "$!" >"$state/xvfb.pid"
    echo "$display" >"$state/display"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    export DISPLAY=":$display"
    "$(dirname "$0")/wine_prefix.sh"
    # A second drive, D:, for the batch files that must change drive to reach the editor.
    mkdir -p "$state/drive_d"
    ln -sfn "$state/drive_d" "$WINEPREFIX/dosdevices/d:"
    echo "Wine prefix $WINEPREFIX on display :$display"
    ;;
run)
    export DISPLAY=":$(cat "$state/display")"
    exe=$(realpath "$1")
    shift
    set -- "$exe" "$@"
    cd "$(dirname "$exe")" || exit 1
    # Wine's helpers (conhost, a lingering grandchild of a test) may outlive the program
    # and would hold ctest's pipe open: give them a file, and show it afterwards.
    log="$state/$(basename "$1").log"
    "$wine" "$@" >"$log" 2>&1 </dev/null
    status=$?
    cat "$log"
    exit $status
    ;;
stop)
    [ -f "$state/display" ] && DISPLAY=":$(cat "$state/display")" wineserver -k 2>/dev/null
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null
        rm -f "$state/xvfb.pid"
    fi
    exit 0
    ;;
*)
    echo "usage: $0 start|run|stop STATE [EXE ARGS...]"
    exit 2
    ;;
esac
