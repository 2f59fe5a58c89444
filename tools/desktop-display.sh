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
# the desktop tests then skip with that reason. When a program that is there does not come up
# within a minute, start fails and shows the end of its log.
#
# Beside them runs a Wayland session as GNOME runs one: its compositor (Mutter, headless) with its
# X server (XWayland) for programs that need X11. Its sockets go in a runtime folder of its own
# ("runtime="), named "wayland=" and "xwayland=" in STATE, with the X server's cookie file
# ("xauthority="). Without Mutter or XWayland, STATE says why on a line "xwayland-skip=", and the
# X displays serve all the same.
set -uo pipefail
command=${1:-}
state=${2:-}
[ -n "$command" ] && [ -n "$state" ] || { echo "usage: $0 start|stop STATE" >&2; exit 2; }
# One start or stop at a time: a stop issued while a start is under way waits for it, and so finds
# all that it started. The lock is flock's, which closes it for the script and its programs.
[ -n "${DESKTOP_DISPLAY_LOCKED:-}" ] || exec env DESKTOP_DISPLAY_LOCKED=1 flock -o "$0" bash "$0" "$@"
size=1440x900
# Seconds of real time a program may take to come up: on a machine's first start the window
# managers wait for the new session bus to start its services.
patience=60

value() { sed -n "s/^$1=//p" "$state" 2>/dev/null | tail -1; }

# alive, ended, within
source "$(dirname "$0")/fixture-waits.sh"

# Succeeds once the command does or the process has ended: or_ended PID COMMAND...
or_ended() { "${@:2}" || ended "$1"; }

skip() {
    echo "skip=$1" >"$state"
    echo "desktop display: $1" >&2
    exit 0
}

# Ends start with the end of the log of what did not come up, before stop removes it: fail
# MESSAGE LOG.
fail() {
    { echo "desktop display: $1"; echo "--- the end of $2:"; tail -n 20 "$2"; } >&2
    stop
    exit 1
}

# Starts Xvfb on a free display, of the given size or the usual one; prints the display's number
# once the server answers. Without -noreset the server starts afresh each time its last client
# leaves, and a client that connects just then is refused: on a busy machine the window manager
# started after the check of the display was.
xvfb() {
    local numbers pid number screen=${1:-$size}
    numbers=$(mktemp "$dir/numbers.XXXXXX")
    env "${home[@]}" Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset \
        3>"$numbers" >>"$dir/xvfb.log" 2>&1 &
    pid=$!
    echo "pid=$pid" >>"$state"
    within "$patience" or_ended "$pid" test -s "$numbers"
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
    within "$patience" or_ended $! announced "$number"
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
    within "$patience" or_ended $! xwayland_answers && xwayland_answers && echo "$number $cookie"
}

# Sets number and cookie once Mutter's X server answers.
xwayland_answers() {
    number=$(sed -n 's/.*Using public X11 display :\([0-9]*\).*/\1/p' "$log" 2>/dev/null)
    cookie=$(find "$runtime" -maxdepth 1 -name '.mutter-Xwaylandauth.*' 2>/dev/null | head -1)
    [ -n "$number" ] && [ -n "$cookie" ] && DISPLAY=":$number" XAUTHORITY="$cookie" xdpyinfo >/dev/null 2>&1
}

wayland() {
    local number cookie
    command -v mutter >/dev/null && command -v Xwayland >/dev/null || {
        echo "xwayland-skip=missing mutter or Xwayland (tools/setup.sh installs mutter and xwayland)"
        return
    }
    read -r number cookie <<<"$(gnome_session)"
    [ -n "$cookie" ] || fail "Mutter with XWayland did not start" "$dir/mutter.log"
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
    address=$(bus) || fail "the session bus did not start" "$dir/bus.log"
    managed=$(xvfb) || fail "Xvfb did not start" "$dir/xvfb.log"
    bare=$(xvfb) || fail "the second Xvfb did not start" "$dir/xvfb.log"
    xfwm=$(xvfb) || fail "the third Xvfb did not start" "$dir/xvfb.log"
    small=$(xvfb 1024x768) || fail "the 1024 x 768 Xvfb did not start" "$dir/xvfb.log"
    manager "$managed" openbox --sm-disable || fail "openbox did not start" "$dir/openbox.log"
    manager "$small" openbox --sm-disable || fail "openbox did not start on 1024 x 768" "$dir/openbox.log"
    manager "$xfwm" xfwm4 --compositor=off --sm-client-disable || fail "xfwm4 did not start" "$dir/xfwm4.log"
    { echo "managed=:$managed"; echo "bare=:$bare"; echo "xfwm4=:$xfwm"; echo "small=:$small";
      echo "bus=$address"; echo "size=$size"; } >>"$state"
    wayland >>"$state"
    echo "desktop display: openbox on :$managed, xfwm4 on :$xfwm, no window manager on :$bare," \
         "openbox on 1024 x 768 on :$small; Mutter: $(value xwayland-skip)$(value xwayland)"
}

stop() {
    local dir pid
    dir=$(value dir)
    if [ -n "$dir" ] && [ "${dir#/tmp/calendar-desktop.}" != "$dir" ]; then
        # The window managers first, then the servers under them, the bus last; then what the bus
        # and Mutter started for them, which may still be closing down and writing into the folder.
        for pid in $(sed -n 's/^pid=//p' "$state" | tac); do finish "$pid" "$dir"; done
        for pid in $(grep -lzxF "HOME=$dir/home" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
            finish "$pid" "$dir"
        done
        rm -rf "$dir"
    fi
    rm -f "$state"
}

# Ends a process of the displays, known by the home they all have, killing it if it lingers:
# finish PID DIR.
finish() {
    grep -qzxF "HOME=$2/home" "/proc/$1/environ" 2>/dev/null && kill "$1" 2>/dev/null || return 0
    within 5 ended "$1" || { kill -KILL "$1" 2>/dev/null; within 5 ended "$1"; }
}

case "$command" in
start) start ;;
stop) stop ;;
*) echo "usage: $0 start|stop STATE" >&2; exit 2 ;;
esac
