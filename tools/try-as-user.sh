#!/usr/bin/env bash
# Tries the calendar as a new user would, on a virtual display with a real X server: starts it
# with a fresh home, pages with the wheel, clicks a date, presses space twice, clicks and drags
# the tab, then quits. Each step is checked from the outside (window places, screenshots, the
# preferences written at quit). Screenshots go to build/try-as-user/.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh >/dev/null || exit 1
program="$PWD/build/bin/ombrelline-calendar"
shots="$PWD/build/try-as-user"
rm -rf "$shots" && mkdir -p "$shots"

width=1440 height=900
home=$(mktemp -d)
mkdir -p "$home/Documents" "$home/run" && chmod 700 "$home/run"
display=":$((60 + RANDOM % 20))"
Xvfb "$display" -screen 0 "${width}x${height}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
calendar=""
trap 'kill $calendar $xvfb 2>/dev/null; rm -rf "$home"' EXIT
export DISPLAY="$display"
sleep 1

failures=0
check() { # description, then a command that succeeds when the check holds
    local what=$1
    shift
    if "$@"; then echo "  ok    $what"; else echo "  FAIL  $what"; failures=$((failures + 1)); fi
}
shot() { import -window root "$shots/$1.png"; }
# The difference between two screenshots, as a share of the pixels (0 to 1).
changed() { compare -metric AE -fuzz 10% "$shots/$1.png" "$shots/$2.png" null: 2>&1 | awk -v n=$((width * height)) '{print $1 / n}'; }
more_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
geometry() { # window id -> "x y width height"
    xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/ {printf "%s ", $2}'
}
visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
running() { kill -0 "$calendar" 2>/dev/null; }

# A stand-in for the system opener, first on PATH, writes down the link it is given.
mkdir -p "$home/bin"
opened="$home/opened.txt"
printf '#!/bin/sh\nprintf "%%s|%%s\\n" "$#" "$1" >> "%s"\n' "$opened" >"$home/bin/xdg-open"
chmod +x "$home/bin/xdg-open"

echo "Starting the calendar on $display (${width}x${height})"
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/run" PATH="$home/bin:$PATH" \
    "$program" >"$shots/program.log" 2>&1 &
calendar=$!
sleep 3
main=$(xdotool search --name " Calendar$" | head -1)
tab=$(xdotool search --name "^Tab$" | head -1)
title=$(xdotool getwindowname "$main" 2>/dev/null)

# ---- The first run: quick-start help, the home button, and the help coming back ----
# The difference between the same area of two screenshots, as a share of its pixels.
area_changed() { # shot, shot, WxH+X+Y
    local a b n
    a=$(mktemp --suffix=.png) b=$(mktemp --suffix=.png)
    convert "$shots/$1.png" -crop "$3" +repage "$a" && convert "$shots/$2.png" -crop "$3" +repage "$b"
    n=$(identify -format '%w %h' "$a" | awk '{print $1 * $2}')
    compare -metric AE -fuzz 10% "$a" "$b" null: 2>&1 | awk -v n="$n" '{print $1 / n}'
    rm -f "$a" "$b"
}
# The Four Seasons edition on this screen: the title band is Int(900 * 0.082) = 73 high, the
# home button (72 x 22) at left 30, centred in it; the help covers Int(900 * 0.62) = 558 rows.
home_x=66 home_y=36 home_area=72x22+30+25
echo "The first run greets the user with the quick-start help"
xdotool mousemove 700 50
sleep 0.5 && shot 0-first-run
xdotool mousemove 700 50 click 1
sleep 0.5 && shot 0-help-gone
check "the quick-start help shows over the title band and the calendar" \
    more_than "$(area_changed 0-first-run 0-help-gone 1440x558+0+0)" 0.005
check "below it nothing changes when it goes" test "$(area_changed 0-first-run 0-help-gone 1440x300+0+600)" = 0
check "a click on it opened nothing" test ! -s "$opened"

echo "The home button"
xdotool mousemove $home_x $home_y
sleep 0.5 && shot 0-home-hover
check "it changes its picture under the pointer" \
    more_than "$(area_changed 0-help-gone 0-home-hover $home_area)" 0.2
xdotool mousemove 700 50
sleep 0.5 && shot 0-home-left
check "and back when the pointer leaves" test "$(area_changed 0-help-gone 0-home-left $home_area)" = 0
xdotool mousemove $home_x $home_y click 1
sleep 1
check "a click hands its link to the system opener as one argument: $(cat "$opened" 2>/dev/null)" \
    test "$(cat "$opened" 2>/dev/null)" = "1|https://www.ombrelline-calendar.example/four-seasons/"

echo "Help > Quick Start Help shows the help again"
xdotool mousemove 700 20 click 3
sleep 0.5 && shot 0-menus
xdotool key Down Down Down Right
sleep 0.3
xdotool key Down Return
sleep 0.7
xdotool mousemove 700 50
sleep 0.5 && shot 0-help-again
check "the quick-start help is back" \
    more_than "$(area_changed 0-help-gone 0-help-again 1440x558+0+0)" 0.005
xdotool click 1
sleep 0.5 && shot 0-help-gone-again
check "and goes again at a click" test "$(area_changed 0-help-gone 0-help-gone-again 1440x558+0+0)" = 0
rm -f "$shots"/0-home-left.png "$shots"/0-help-gone-again.png
# ---- end of the first run ----

shot 1-start
check "the calendar window is open: \"$title\"" test -n "$main"
check "it covers the screen: $(geometry "$main")" test "$(geometry "$main")" = "0 0 $width $height "
check "the tab is at the top edge: $(geometry "$tab")" test "$(geometry "$tab" | cut -d' ' -f2)" = 0

echo "Hovering over the first week of January (New Year's Day has a holiday)"
# The Four Seasons edition on this screen: grid top 71, top margin 11, rows 20 high, left
# margin 86.4, columns 39 wide; the first week's baseline is row 3.
tips=0
for column in 1 2 3 4 5 6 7; do
    xdotool mousemove $((86 + column * 39 + 4)) $((71 + 11 + 3 * 20 - 4))
    sleep 0.3 && shot hover
    more_than "$(changed 1-start hover)" 0 && tips=$((tips + 1)) && cp "$shots/hover.png" "$shots/1-tip.png"
done
rm -f "$shots/hover.png"
check "a tip shows over one day of the week: $tips" test "$tips" = 1
xdotool mousemove 700 20
sleep 0.3 && shot hover-gone
check "and goes when the pointer leaves the grid" test "$(changed 1-start hover-gone)" = 0
rm -f "$shots/hover-gone.png"

echo "Paging with the wheel over the grid"
xdotool mousemove 700 400 click 5
sleep 0.5 && shot 2-wheel-down
check "one wheel step down shows another year" more_than "$(changed 1-start 2-wheel-down)" 0.001
xdotool click 4
sleep 0.5 && shot 3-wheel-up
check "one step up shows the first year shown again" test "$(changed 1-start 3-wheel-up)" = 0

echo "Clicking a date (a Wednesday in the third week of January)"
xdotool mousemove 265 176 click 1
sleep 0.5 && shot 4-date-clicked
check "the click is taken and the calendar goes on" running
xdotool click 5
sleep 0.3
check "a wheel step over the window still works" running

echo "Pressing space twice"
xdotool windowfocus --sync "$main" key space
sleep 1 && shot 5-space-once
check "the calendar is parked above the screen: $(geometry "$main")" \
    test "$(geometry "$main" | cut -d' ' -f2)" = "$((0 - height - 10))"
check "and hidden" bash -c "! xdotool search --onlyvisible --name ' Calendar$' | grep -q ."
check "the tab is still shown" visible Tab
xdotool windowfocus --sync "$tab" key space
sleep 1 && shot 6-space-twice
check "space on the tab brings the calendar back: $(geometry "$main")" \
    test "$(geometry "$main")" = "0 0 $width $height "

echo "Clicking and dragging the tab"
read -r tx ty tw th < <(geometry "$tab")
xdotool mousemove $((tx + tw / 2)) $((ty + 4)) click 1
sleep 1
check "a click slides the calendar away" test "$(geometry "$main" | cut -d' ' -f2)" = "$((0 - height - 10))"
xdotool mousemove $((tx + tw / 2)) $((ty + 4)) click 1
sleep 1
check "a second click slides it back" test "$(geometry "$main" | cut -d' ' -f2)" = 0
xdotool mousemove $((tx + tw / 2)) $((ty + 4)) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove_relative -- 20 3; sleep 0.1; done
xdotool mouseup 1
sleep 0.5 && shot 7-tab-dragged
read -r nx ny _ < <(geometry "$tab")
check "the tab moved 100 pixels along the top edge: $tx -> $nx, top $ny" \
    test "$nx" = "$((tx + 100))" -a "$ny" = 0
check "the calendar did not slide" test "$(geometry "$main")" = "0 0 $width $height "

echo "Quitting"
kill -TERM "$calendar"
wait "$calendar"
check "the program ended normally" test $? = 0
prefs="$home/.config/QVCalendar.prefs"
check "the preferences keep the tab's place: $(cat "$prefs" 2>/dev/null)" \
    test "$(cut -d';' -f2 "$prefs" 2>/dev/null)" = "$nx"
check "nothing was reported on the console" bash -c "! grep -vi 'XDG_RUNTIME_DIR\|QStandardPaths' '$shots/program.log' | grep -q ."
calendar=""

# ---- The countdown badge: shown from the menu, dragged, edited, and shown again at start-up ----
start_calendar() { # screenshots the start as $1
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/run" \
        "$program" >>"$shots/program.log" 2>&1 &
    calendar=$!
    sleep 3
    main=$(xdotool search --name " Calendar$" | head -1)
    shot "$1"
}
quit_calendar() {
    kill -TERM "$calendar"
    wait "$calendar"
    local status=$?
    calendar=""
    return $status
}
# Asks a window to close as its close box would (there is no window manager to draw one).
close_window() {
    python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
display = x.XOpenDisplay(None)
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = int(sys.argv[1])
event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XSendEvent(display, int(sys.argv[1]), 0, 0, ctypes.byref(event))
x.XFlush(display)
PY
}
# The share of pixels that differ between the text areas of the badge's page in two
# screenshots, the badge's top-left corner given for each.
badge_changed() { # shot1 x1 y1 shot2 x2 y2
    compare -metric AE -fuzz 10% "$shots/$1.png[80x64+$(($2 + 15))+$(($3 + 30))]" \
        "$shots/$4.png[80x64+$(($5 + 15))+$(($6 + 30))]" null: 2>&1 | awk '{print $1 / (80 * 64)}'
}

echo "The countdown badge"
start_calendar 8-again
echo "  showing it from the Edit menu"
xdotool mousemove 700 30 click 3
sleep 0.5
xdotool key Down Down Right Up Return
sleep 0.5 && shot 9-badge-shown
check "the badge appears at the top left" more_than "$(badge_changed 8-again 135 15 9-badge-shown 135 15)" 0.3

echo "  dragging it"
xdotool mousemove 195 85 mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove_relative -- 41 43; sleep 0.1; done
xdotool mouseup 1
sleep 0.5 && shot 10-badge-dragged
check "it moved with the pointer" \
    more_than 0.01 "$(badge_changed 9-badge-shown 135 15 10-badge-dragged 340 230)"
check "and left its old place" \
    more_than 0.01 "$(badge_changed 8-again 135 15 10-badge-dragged 135 15)"
check "no editor opened" bash -c "! xdotool search --onlyvisible --name '^Calendar Countdown Event$' | grep -q ."

echo "  clicking it, typing a title and picking the 31st"
xdotool mousemove 400 300 click 1
sleep 1
editor=$(xdotool search --onlyvisible --name "^Calendar Countdown Event$" | head -1)
check "the countdown editor opens" test -n "$editor"
read -r ex ey _ < <(geometry "$editor")
xdotool mousemove $((ex + 180)) $((ey + 42)) click 1 key ctrl+a
xdotool type --delay 60 "Ski Trip"
xdotool mousemove $((ex + 197)) $((ey + 84)) click 1
sleep 0.5
xdotool key Down Down Down Down Down Down Return
sleep 0.5 && shot 11-editor
close_window "$editor"
sleep 1 && shot 12-badge-edited
check "closing the editor closes it" bash -c "! xdotool search --onlyvisible --name '^Calendar Countdown Event$' | grep -q ."
check "the badge shows the new countdown" \
    more_than "$(badge_changed 10-badge-dragged 340 230 12-badge-edited 340 230)" 0.02
events="$home/Documents/Calendar.tpc"
check "the event file holds it: $(grep -a Countdown "$events" 2>/dev/null)" \
    grep -aq "^$(date +%Y)-12-31 00:00:00|$(date +%Y)-12-31 00:00:00//Ski Trip//Countdown$" "$events"

echo "  quitting, asking for the badge at start-up and starting again"
quit_calendar
check "the program ended normally" test $? = 0
prefs="$home/.config/QVCalendar.prefs"
sed -i 's/^[^;]*;/1;/' "$prefs"
start_calendar 13-badge-at-start
check "the badge shows the same countdown at start-up" \
    more_than 0.01 "$(badge_changed 12-badge-edited 340 230 13-badge-at-start 135 15)"
cp "$shots/13-badge-at-start.png" docs/countdown.png
quit_calendar
check "and ends normally" test $? = 0

echo "Screenshots: $shots"
if ((failures)); then echo "$failures check(s) failed"; exit 1; fi
echo "All checks passed"
