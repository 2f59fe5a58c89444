#!/usr/bin/env bash
# Four virtual displays of the tests' own, on which the desktop tests run the real program.
#
#   desktop-display.sh start STATE   starts them and describes them in the file STATE
#   desktop-display.sh stop STATE    stops them and removes everything start added
#
# One display has the openbox window manager, one xfwm4 and one none: the calendar must work on
# all three. They are 1440 x 900; a fourth, with openbox, has a 4:3 screen of 1024 x 768
# (STATE names it on a line "small="). A session bus of their own serves them all, as a desktop provides one: xfwm4 does
# not start without it, and the toolkit's accessibility bridge waits for one at the program's
# start (STATE names it on a line "bus="). Xvfb and the bus pick free names themselves, so other
# virtual displays and buses on the machine are left alone. The window managers and the bus get
# a home of their own, so the user's desktop settings are never read. When the displays cannot
# be had (the packages are missing), STATE says why on a line "skip=" and start still succeeds:
# the desktop tests then skip with that reason.
#
# Beside them runs a Wayland session as GNOME runs one: its compositor (Mutter, headless) with its
# X server (XWayland) for programs that need X11. Its sockets go in a runtime folder of its own
# ("runtime="), named "wayland=" and "xwayland=" in STATE, with the X server's cookie file
# ("xauthority="). When it cannot be had, STATE says why on a line "xwayland-skip=", and the X
# displays serve all the same.
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

# Starts Xvfb on a free display, of the given size or the usual one; prints the display's number
# once the server answers.
xvfb() {
    local numbers pid number screen=${1:-$size}
    numbers=$(mktemp "$dir/numbers.XXXXXX")
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$numbers" >>"$dir/xvfb.log" 2>&1 &
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

# Starts the bus; prints its address once it listens.
bus() {
    env "${home[@]}" dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 \
        3>"$dir/bus.address" 4>"$dir/bus.pid" </dev/null >>"$dir/bus.log" 2>&1 || return 1
    echo "pid=$(cat "$dir/bus.pid")" >>"$state"
    head -1 "$dir/bus.address"
}

# Starts a window manager on a display and waits until it has announced itself on the root
# window: manager NUMBER PROGRAM ARGUMENTS...
manager() {
    local number=$1
    shift
    # Through env, so that $! is the window manager's own id.
    env "${home[@]}" DISPLAY=":$number" DBUS_SESSION_BUS_ADDRESS="$address" "$@" </dev/null \
        >>"$dir/$1.log" 2>&1 &
    echo "pid=$!" >>"$state"
    for _ in $(seq 100); do
        announced "$number" && return 0
        sleep 0.1
    done
    announced "$number"
}

announced() { DISPLAY=":$1" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# Starts GNOME's compositor, Mutter, headless with its XWayland, and waits until the X server
# answers; prints the X display's number and the cookie file. Mutter picks free X display numbers
# itself and lets in only the X clients that show the cookie it writes into the runtime folder.
gnome_session() {
    local runtime="$dir/runtime" log="$dir/mutter.log" number cookie
    mkdir -m 700 "$runtime"
    env -u DISPLAY -u WAYLAND_DISPLAY -u XAUTHORITY "${home[@]}" XDG_RUNTIME_DIR="$runtime" \
        DBUS_SESSION_BUS_ADDRESS="$address" mutter --wayland --headless --virtual-monitor "$size" \
        --wayland-display=wayland-calendar </dev/null >>"$log" 2>&1 &
    echo "pid=$!" >>"$state"
    for _ in $(seq 100); do
        number=$(sed -n 's/.*Using public X11 display :\([0-9]*\).*/\1/p' "$log" 2>/dev/null)
        cookie=$(find "$runtime" -maxdepth 1 -name '.mutter-Xwaylandauth.*' 2>/dev/null | head -1)
        if [ -n "$number" ] && [ -n "$cookie" ] &&
            DISPLAY=":$number" XAUTHORITY="$cookie" xdpyinfo >/dev/null 2>&1; then
            echo "$number $cookie"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

wayland() {
    local number cookie
    command -v mutter >/dev/null && command -v Xwayland >/dev/null || {
        echo "xwayland-skip=missing mutter or Xwayland (tools/setup.sh installs mutter and xwayland)"
        return
    }
    read -r number cookie <<<"$(gnome_session)"
    [ -n "$cookie" ] ||
        { echo "xwayland-skip=Mutter with XWayland did not start; see $dir/mutter.log"; return; }
    echo "wayland=wayland-calendar"
    echo "xwayland=:$number"
    echo "xauthority=$cookie"
    echo "runtime=$dir/runtime"
}

start() {
    [ -f "$state" ] && stop # left by a run that was cut short
    local missing=""
    for program in Xvfb openbox xfwm4 dbus-daemon xdotool xdpyinfo xprop; do
        command -v "$program" >/dev/null || missing="$missing $program"
    done
    [ -z "$missing" ] ||
        skip "missing:$missing (tools/setup.sh installs xvfb, openbox, xfwm4, dbus-daemon, xdotool and x11-utils)"
    dir=$(mktemp -d /tmp/calendar-desktop.XXXXXX)
    echo "dir=$dir" >"$state"
    mkdir -p "$dir/home"
    home=(HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_CACHE_HOME="$dir/home/.cache")
    local address managed bare xfwm small
    address=$(bus) || { stop; skip "the session bus did not start; see $dir/bus.log"; }
    managed=$(xvfb) || { stop; skip "Xvfb did not start; see $dir/xvfb.log"; }
    bare=$(xvfb) || { stop; skip "the second Xvfb did not start"; }
    xfwm=$(xvfb) || { stop; skip "the third Xvfb did not start"; }
    small=$(xvfb 1024x768) || { stop; skip "the 1024 x 768 Xvfb did not start"; }
    manager "$managed" openbox --sm-disable || { stop; skip "openbox did not start"; }
    manager "$small" openbox --sm-disable || { stop; skip "openbox did not start on 1024 x 768"; }
    manager "$xfwm" xfwm4 --compositor=off --sm-client-disable ||
        { stop; skip "xfwm4 did not start; see $dir/xfwm4.log"; }
    { echo "managed=:$managed"; echo "bare=:$bare"; echo "xfwm4=:$xfwm"; echo "small=:$small";
      echo "bus=$address"; echo "size=$size"; } >>"$state"
    wayland >>"$state"
    echo "desktop display: openbox on :$managed, xfwm4 on :$xfwm, no window manager on :$bare," \
         "openbox on 1024 x 768 on :$small; Mutter: $(value xwayland-skip)$(value xwayland)"
}

stop() {
    local dir pid
    dir=$(value dir)
    # The window managers first, then the servers under them, the bus last. What the bus started
    # for them ends with it.
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
