#!/usr/bin/env bash
# Two virtual displays of the tests' own, on which the desktop tests run the real program.
#
#   desktop-display.sh start STATE   starts them and describes them in the file STATE
#   desktop-display.sh stop STATE    stops them and removes everything start added
#
# One display has the openbox window manager, the other none: the calendar must work on both.
# Xvfb picks free display numbers itself, so other virtual displays on the machine are left
# alone. openbox gets a home of its own, so the user's desktop settings are never read. When
# the displays cannot be had (the packages are missing), STATE says why on a line "skip=" and
# start still succeeds: the desktop tests then skip with that reason.
set -uo pipefail
command=${1:-}
state=${2:-}
[ -n "$command" ] && [ -n "$state" ] || { echo "usage: $0 start|stop STATE" >&2; exit 2; }
size=1440x900

value() { sed -n "s/^$1=//p" "$state" 2>/dev/null | tail -1; }

# Running, and not merely waiting to be reaped.
alive() { [ -e "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }

skip() {
    echo "skip=$1" >"$state"
    echo "desktop display: $1" >&2
    exit 0
}

# Starts Xvfb on a free display; prints the display's number once the server answers.
xvfb() {
    local numbers pid number
    numbers=$(mktemp "$dir/numbers.XXXXXX")
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numbers" >>"$dir/xvfb.log" 2>&1 &
    pid=$!
    echo "pid=$pid" >>"$state"
    for _ in $(seq 100); do
        [ -s "$numbers" ] || ! alive "$pid" && break
        sleep 0.1
    done
    number=$(head -1 "$numbers")
    rm -f "$numbers"
    [ -n "$number" ] && DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && echo "$number"
}

start() {
    [ -f "$state" ] && stop # left by a run that was cut short
    local missing=""
    for program in Xvfb openbox xdotool xdpyinfo xprop; do
        command -v "$program" >/dev/null || missing="$missing $program"
    done
    [ -z "$missing" ] || skip "missing:$missing (tools/setup.sh installs xvfb, openbox, xdotool and x11-utils)"
    dir=$(mktemp -d /tmp/calendar-desktop.XXXXXX)
    echo "dir=$dir" >"$state"
    local managed bare
    managed=$(xvfb) || { stop; skip "Xvfb did not start; see $dir/xvfb.log"; }
    bare=$(xvfb) || { stop; skip "the second Xvfb did not start"; }
    mkdir -p "$dir/home"
    HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_CACHE_HOME="$dir/home/.cache" \
        DISPLAY=":$managed" openbox --sm-disable </dev/null >>"$dir/openbox.log" 2>&1 &
    echo "pid=$!" >>"$state"
    # Ready once it has announced itself on the root window.
    for _ in $(seq 100); do
        DISPLAY=":$managed" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    DISPLAY=":$managed" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" ||
        { stop; skip "openbox did not start"; }
    { echo "managed=:$managed"; echo "bare=:$bare"; echo "size=$size"; } >>"$state"
    echo "desktop display: openbox on :$managed, no window manager on :$bare"
}

stop() {
    local dir pid
    dir=$(value dir)
    # The window manager first, then the servers under it.
    for pid in $(sed -n 's/^pid=//p' "$state" 2>/dev/null | tac); do
        kill "$pid" 2>/dev/null || continue
        for _ in $(seq 50); do alive "$pid" || break; sleep 0.1; done
    done
    [ -n "$dir" ] && [ "${dir#/tmp/calendar-desktop.}" != "$dir" ] && rm -rf "$dir"
    rm -f "$state"
}

case "$command" in
start) start ;;
stop) stop ;;
*) echo "usage: $0 start|stop STATE" >&2; exit 2 ;;
esac
