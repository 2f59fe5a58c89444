#!/usr/bin/env bash
# Tries the calendar as a new user would, on a virtual display with a real X server, with a
# fresh home: the first run's quick-start help and the home button; paging, a date's week, an
# event typed into the editor, a to-do item ticked, a restart that keeps them; the menus, the
# tab and the space bar; about, help and preferences with a change of edition; the countdown
# badge and its editor; printing to a PDF and through a print server's queue; quitting at
# start-up's messages; a second copy refused; a double click on a date, and a renamed event; the
# countdown moved into a shown week; a to-do item typed, not confirmed, when a logout ends the
# calendar; under umask 077, no file it makes open to others; Escape in each window, Space
# twice, the editing keys in Help and a quit while the calendar slides with no window manager;
# the event file moved aside at start-up, replaced by a folder or by a file of 1 TiB, rewritten
# and appended to by another program (tools/try-as-user-disk.sh; TRY_ONLY=disk runs these
# alone); a script, a slow download and an editor writing it while to-do items are confirmed
# (tools/try-as-user-versions.sh; TRY_ONLY=versions); quits while another program appends to the event file, a logout's SIGKILL a second
# after its SIGTERM among them, and the retries after a full disk (tools/try-as-user-quit.sh;
# TRY_ONLY=quit); no usable X display at the start, the X server ended under the calendar, a logout's SIGHUP and a home that
# cannot be written (tools/try-as-user-ends.sh; TRY_ONLY=ends); the clock in the year 9999, a title of two lines pasted
# and long titles in the week's holiday row, a year paged behind a week (try-as-user-years.sh;
# TRY_ONLY=years); the year, a week and an event under German, French,
# Russian, Turkish, Japanese, Arabic and Hebrew locales, as under C (tools/try-as-user-locale.sh;
# TRY_ONLY=locale); the tab, the dialogs, the print dialogs minimised and the desktop's close
# under a window manager; at the end a Wayland desktop, with and without XWayland
# (tools/try-as-user-wayland.sh; TRY_ONLY=wayland). Each step is checked from the outside (window
# places, screenshots, the files written at quit). Screenshots go to build/try-as-user/.
set -uo pipefail
# With --docs, the screenshots that docs/ shows are refreshed from this run.
update_docs=0
[ "${1:-}" = "--docs" ] && update_docs=1
keep_for_docs() { if [ "$update_docs" = 1 ]; then cp "$1" "$2"; fi; }
cd "$(dirname "$0")/.."
bash tools/setup.sh >/dev/null || exit 1
program="$PWD/build/bin/ombrelline-calendar"
shots="$PWD/build/try-as-user"
rm -rf "$shots" && mkdir -p "$shots"

width=1440 height=900
fresh_home() { # -> a new home with its Documents and a private run-time folder
    local made
    made=$(mktemp -d)
    mkdir -p "$made/Documents" "$made/run" && chmod 700 "$made/run"
    echo "$made"
}
stop_calendar() { # ends the calendar as a logout does -> its exit status
    kill -TERM "$calendar" 2>/dev/null
    wait "$calendar"
    local status=$?
    calendar=""
    return $status
}
start_calendar() { # home, log file name: starts the program as that home's user
    HOME="$1" XDG_CONFIG_HOME="$1/.config" XDG_RUNTIME_DIR="$1/run" "$program" >>"$shots/$2" 2>&1 &
    calendar=$!
    sleep 3
}
new_home() { run_home=$(fresh_home); }
# The run's Documents folder on a small disk of its own (a tmpfs, which only root can mount), to
# fill up as a user's disk fills: fill_disk takes all its room, free_disk gives it back, and
# leave_small_disk takes the disk away before the home goes.
small_disk() {
    mount -t tmpfs -o size=64m,mode=0755 tmpfs "$run_home/Documents" 2>/dev/null && return 0
    echo "  skip  a full disk: mounting a small disk of its own needs root"
    return 1
}
fill_disk() { cat /dev/zero >"$run_home/Documents/.filler" 2>/dev/null; true; }
free_disk() { rm -f "$run_home/Documents/.filler"; }
leave_small_disk() { umount "$run_home/Documents" 2>/dev/null; true; }
end_calendar() { # -> the program's exit status
    stop_calendar
    local status=$?
    rm -rf "$run_home"
    return $status
}
calendar_shown() { xdotool search --onlyvisible --name ' Calendar$' >/dev/null 2>&1; }
dismiss_quick_start_help() { # a first run shows it over the year; a click anywhere ends it
    xdotool mousemove 700 50 click 1
    sleep 0.5
}
home=$(fresh_home)
# The program runs from a copy of its folder: choosing another calendar writes caldef.dat there.
cp -r "$(dirname "$program")" "$home/app" && program="$home/app/$(basename "$program")"
# The user's to-do item and event, which a change of calendar must keep.
printf '0\tBuy stamps\nEvents Data:\n2026-11-20 09:00:00|2026-11-20 10:00:00//Dentist\n' \
    >"$home/Documents/Calendar.tpc"
source tools/virtual-display.sh
calendar="" xvfb=""
trap 'kill $calendar $xvfb 2>/dev/null; rm -rf "$home" ${run_home:+"$run_home"}' EXIT
start_virtual_display "${width}x${height}" || exit 1
export DISPLAY="$display"

failures=0
check() { # description, then a command that succeeds when the check holds
    local what=$1
    shift
    if "$@"; then echo "  ok    $what"; else echo "  FAIL  $what"; failures=$((failures + 1)); fi
}
shot() { import -window root "$shots/$1.png"; }
finish() {
    echo "Screenshots: $shots"
    if ((failures)); then echo "$failures check(s) failed"; exit 1; fi
    echo "All checks passed"
    exit 0
}
# Whether a program's log (in the screenshots' folder) holds nothing but the toolkit's notes on
# the run-time folder and on its page set-up over a PDF printer (where no print queue exists).
quiet_console() {
    ! grep -vi 'XDG_RUNTIME_DIR\|QStandardPaths\|QPageSetupDialog: Cannot be used on non-native' \
        "$shots/$1" | grep -q .
}
# The difference between two screenshots, as a share of the pixels (0 to 1).
changed() { compare -metric AE -fuzz 10% "$shots/$1.png" "$shots/$2.png" null: 2>&1 | awk -v n=$((width * height)) '{print $1 / n}'; }
more_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
geometry() { # window id -> "x y width height"
    xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/ {printf "%s ", $2}'
}
visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
running() { kill -0 "$calendar" 2>/dev/null; }
many_events() { # count -> event lines, one half-hour event after another from 2020
    TZ=UTC awk -v count="$1" 'BEGIN {
        start = mktime("2020 01 01 08 00 00")
        for (i = 0; i < count; i++) {
            from = start + i * 1800
            print strftime("%Y-%m-%d %H:%M:%S", from) "|" strftime("%Y-%m-%d %H:%M:%S", from + 1800) "//Event " i
        }
    }'
}
# TRY_ONLY=NAME tries only the part in tools/try-as-user-NAME.sh: disk, versions, quit, ends,
# years, locale or wayland.
case "${TRY_ONLY:-}" in
disk | versions | quit | ends | years | locale | wayland)
    source "tools/try-as-user-$TRY_ONLY.sh"
    finish
    ;;
esac

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
# (The clock may turn a minute between the two shots: a few hundred pixels, far below a call-out.)
check "and goes again at a click" \
    more_than 0.0005 "$(area_changed 0-help-gone 0-help-gone-again 1440x558+0+0)"
rm -f "$shots"/0-home-left.png "$shots"/0-help-gone-again.png
# ---- end of the first run ----

shot 1-start
check "the calendar window is open: \"$title\"" test -n "$main"
check "it covers the screen: $(geometry "$main")" test "$(geometry "$main")" = "0 0 $width $height "
check "the tab is at the top edge: $(geometry "$tab")" test "$(geometry "$tab" | cut -d' ' -f2)" = 0

echo "Hovering over the first week of January (New Year's Day has a holiday)"
# Below the title band, whose clock may turn a minute between two shots.
below_clock="${width}x$((height - 73))+0+73"
# The Four Seasons edition on this screen: grid top 71, top margin 11, rows 20 high, left
# margin 86.4, columns 39 wide; the first week's baseline is row 3.
tips=0
for column in 1 2 3 4 5 6 7; do
    xdotool mousemove $((86 + column * 39 + 4)) $((71 + 11 + 3 * 20 - 4))
    sleep 0.3 && shot hover
    more_than "$(area_changed 1-start hover "$below_clock")" 0 && tips=$((tips + 1)) && cp "$shots/hover.png" "$shots/1-tip.png"
done
rm -f "$shots/hover.png"
check "a tip shows over one day of the week: $tips" test "$tips" = 1
xdotool mousemove 700 20
sleep 0.3 && shot hover-gone
check "and goes when the pointer leaves the grid" test "$(area_changed 1-start hover-gone "$below_clock")" = 0
rm -f "$shots/hover-gone.png"

echo "Paging with the wheel over the grid"
xdotool mousemove 700 400 click 5
sleep 0.5 && shot 2-wheel-down
check "one wheel step down shows another year" more_than "$(area_changed 1-start 2-wheel-down "$below_clock")" 0.001
xdotool click 4
sleep 0.5 && shot 3-wheel-up
check "one step up shows the first year shown again" test "$(area_changed 1-start 3-wheel-up "$below_clock")" = 0

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

# ---- The about, help and preferences windows, from the right-click menu ----
# The menus open at a right click on the title band; About and Preferences are in the Edit menu
# (File, Edit, Help), Help in the Help menu. Keys move through the enabled items.
menu_command() { # keys to the item, after the menu opens
    xdotool mousemove 700 20 click 3
    sleep 0.5
    xdotool key "$@"
    sleep 1
}
window_at() { # title -> "x y width height" of that window, when shown
    local id
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
    [ -n "$id" ] && geometry "$id"
}
crop() { # shot, "x y width height", name
    read -r cx cy cw ch <<<"$2"
    convert "$shots/$1.png" -crop "${cw}x${ch}+${cx}+${cy}" +repage "$shots/$3.png"
}
pixel() { # shot, x, y -> "r,g,b"
    convert "$shots/$1.png" -crop "1x1+$2+$3" -depth 8 txt: | grep -o 'srgb([0-9,]*)' | tr -d 'srgb()'
}

echo "Edit > About Calendar"
shot 8-before-windows
menu_command Down Down Right Return
about=$(window_at " Ombrelline Calendar")
shot 8-about
check "the about window stands 32 pixels above the centre: $about" test "$about" = "521 244 397 347 "
check "it shows something new" more_than "$(area_changed 8-before-windows 8-about 397x347+521+244)" 0.3
[ -n "$about" ] && crop 8-about "$about" about

echo "Help > Help, then the fourth topic"
menu_command Down Down Down Right Return
help=$(window_at "Calendar Help")
shot 9-help
check "the help window is centred: $help" test "$help" = "460 273 520 353 "
xdotool mousemove $((460 + 60)) $((273 + 35 + 3 * 20 + 10)) click 1
sleep 0.5 && shot 9-help-topic
check "the fourth topic shows another page" \
    more_than "$(area_changed 9-help 9-help-topic 316x343+658+277)" 0.02
[ -n "$help" ] && crop 9-help-topic "$help" help

echo "Edit > Preferences: the default calendar becomes Twelve Months"
menu_command Down Down Right Down Return
preferences=$(window_at "Calendar Preferences")
check "the preferences stand in front, centred: $preferences" \
    test "$preferences" = "509 337 421 226 "
xdotool mousemove $((509 + 151 + 100)) $((337 + 49 + 10)) click 1
sleep 0.5
xdotool key Down Return
sleep 0.5 && shot 10-preferences
check "caldef.dat names the new calendar at once: $(cat "$home/app/caldef.dat")" \
    test "$(cat "$home/app/caldef.dat")" = "Twelve Months"
[ -n "$preferences" ] && crop 10-preferences "$preferences" preferences
xdotool mousemove $((509 + 335 + 38)) $((337 + 192 + 10)) click 1
sleep 3 && shot 10-new-calendar
main=$(xdotool search --onlyvisible --name " Calendar$" | head -1)
check "the preferences are gone" bash -c "! xdotool search --onlyvisible --name '^Calendar Preferences$' | grep -q ."
check "a new main window covers the screen: $(geometry "$main")" test "$(geometry "$main")" = "0 0 $width $height "
check "it shows the monthly edition's picture" \
    more_than "$(area_changed 8-before-windows 10-new-calendar 1440x300+0+600)" 0.5
read -r tx ty _ < <(geometry "$tab")
check "the tab keeps its place in the new colour: $tx, $(pixel 10-new-calendar $((tx + 4)) $((ty + 2)))" \
    test "$tx" = "$nx" -a "$(pixel 10-new-calendar $((tx + 4)) $((ty + 2)))" = "22,84,104"
events="$home/Documents/Calendar.tpc"
check "the to-do item and the event were kept" \
    bash -c "grep -q 'Buy stamps' '$events' && grep -q 'Dentist' '$events'"
check "the program goes on" running
# ---- end of the about, help and preferences windows ----

echo "Quitting"
stop_calendar
check "the program ended normally" test $? = 0
prefs="$home/.config/QVCalendar.prefs"
check "the preferences keep the tab's place: $(cat "$prefs" 2>/dev/null)" \
    test "$(cut -d';' -f2 "$prefs" 2>/dev/null)" = "$nx"
check "nothing was reported on the console" quiet_console program.log
calendar=""

# ---- hardening: menus, Close and the space bar, quits during start-up, no lock folder ----
# Each run below starts the program afresh, in a home of its own, on the same display.
launch() { # [NAME=value ...] program
    env HOME="$run_home" XDG_CONFIG_HOME="$run_home/.config" XDG_RUNTIME_DIR="$run_home/run" \
        "$@" >"$shots/program-hardening.log" 2>&1 &
    calendar=$!
    sleep 3
}

echo "Menus from a right click on the title band"
new_home && launch "$program"
main=$(xdotool search --name " Calendar$" | head -1)
shot h1-start
xdotool mousemove 300 30 click 3
sleep 0.7 && shot h2-menu
check "a right click opens the menus" more_than "$(changed h1-start h2-menu)" 0.001
# The first entry is File; moving onto it opens its items.
xdotool mousemove_relative 20 8
sleep 0.7 && shot h3-file-menu
check "File opens onto its items" more_than "$(changed h2-menu h3-file-menu)" 0.0005
xdotool key Escape key Escape
sleep 0.5

echo "Ctrl+W, then the space bar without touching the mouse"
xdotool windowfocus --sync "$main" key ctrl+w
sleep 1.5 && shot h4-closed
check "Close slides the calendar away" test "$(geometry "$main" | cut -d' ' -f2)" = "$((0 - height - 10))"
xdotool key space
sleep 1.5 && shot h5-space-after-close
check "the space bar brings it back: $(geometry "$main")" test "$(geometry "$main")" = "0 0 $width $height "
end_calendar
check "the program ends normally" test $? = 0

echo "A logout while start-up shows its event-file message"
new_home
printf 'Events Data:\ngarbage|x\n' >"$run_home/Documents/Calendar.tpc"
launch "$program"
shot h6-event-file-message
end_calendar
status=$?
check "SIGTERM there ends the program with 0, no crash: $status" test "$status" = 0
check "no calendar opened after the quit" bash -c "! xdotool search --onlyvisible --name ' Calendar$' | grep -q ."

echo "A logout while start-up shows a picture problem"
broken=$(mktemp -d)
cp "$program" "$broken/"
mkdir -p "$broken/Broken"
printf 'cycleImages=True\nimageCycle=Monthly\nbackgroundImageWide=none.png\nbackgroundImageStandard=none.png\n' \
    >"$broken/Broken/calspc.dat"
echo Broken >"$broken/caldef.dat"
new_home && launch "$broken/ombrelline-calendar"
shot h7-picture-message
end_calendar
status=$?
check "SIGTERM there ends the program with 0, no crash: $status" test "$status" = 0
check "the log names the picture: $(grep -m1 none.png "$shots/program-hardening.log")" \
    grep -q "none.png" "$shots/program-hardening.log"
rm -rf "$broken"

echo "No usable configuration folder for the lock"
new_home && touch "$run_home/a-file" && launch XDG_CONFIG_HOME="$run_home/a-file/config" "$program"
shot h8-no-lock-folder
check "the calendar starts anyway" calendar_shown
check "and says why on standard error" grep -q "without the single-instance lock" "$shots/program-hardening.log"
end_calendar
check "and ends normally" test $? = 0
# ---- end of hardening ----

# ---- Two copies on one home: the second is refused, whatever its session --------------------
echo "A second copy on the same home, from a session with another run-time folder"
new_home && launch "$program"
first=$calendar
printf '1;250;0;1;' >"$run_home/.config/QVCalendar.prefs"
env HOME="$run_home" XDG_CONFIG_HOME="$run_home/.config" XDG_RUNTIME_DIR="$run_home/other-run" \
    "$program" >"$shots/program-second.log" 2>&1 &
second=$!
sleep 3 && shot t1-second-copy
message=$(xdotool search --onlyvisible --pid "$second" 2>/dev/null | head -1)
read -r mx my mw mh <<<"$(geometry "$message" 2>/dev/null)"
# Its only window is the message box, not a calendar.
check "it shows its message: a window of ${mw:-no} x ${mh:-no}" test "${mw:-9999}" -lt 800
xdotool mousemove $((mx + mw - 50)) $((my + mh - 22)) click 1 # its OK button
sleep 1
answered=1
kill -0 "$second" 2>/dev/null && answered=0 && kill -TERM "$second"
wait "$second"
status=$?
check "its OK ends it normally: $status" test "$answered" = 1 -a "$status" = 0
check "it left the preferences alone" test "$(cat "$run_home/.config/QVCalendar.prefs")" = "1;250;0;1;"
check "the first copy runs on" kill -0 "$first"
end_calendar
check "and ends normally" test $? = 0
# ---- end of two copies -----------------------------------------------------------------------

# ---- The event file changed by another program while the calendar runs ----------------------
# An editor adds an event line to Calendar.tpc (sed replaces the file); then a to-do item typed
# in the calendar and confirmed with Return makes it write: the other program's version is kept
# beside the file under a name of its own, the calendar's goes into Calendar.tpc, and a message
# names the kept file.
echo "The event file changed by another program while the calendar runs"
new_home
outside_file="$run_home/Documents/Calendar.tpc"
printf '0\tBuy stamps\nEvents Data:\n2026-11-20 09:00:00|2026-11-20 10:00:00//Dentist\n' >"$outside_file"
launch "$program"
dismiss_quick_start_help
xdotool mousemove 265 176 click 1 # a date opens its week, with the to-do list
sleep 1
sed -i '$a 2026-11-21 09:00:00|2026-11-21 10:00:00//Added outside' "$outside_file"
xdotool mousemove 1352 460 click 1 # below the to-do rows: a new row
sleep 0.5
xdotool type --delay 20 "Typed in the calendar"
xdotool key Return
outside_message=""
for _ in $(seq 50); do
    outside_message=$(xdotool search --onlyvisible --name '^ $' 2>/dev/null | head -1)
    [ -n "$outside_message" ] && break
    sleep 0.1
done
sleep 0.5 && shot o1-changed-outside-message
check "a message tells of the other program's version" test -n "$outside_message"
outside_copy=$(find "$run_home/Documents" -maxdepth 1 -name 'Calendar (changed outside the calendar *).tpc' | head -1)
check "which is kept beside the file: ${outside_copy##*/}" \
    grep -q "^2026-11-21 09:00:00|2026-11-21 10:00:00//Added outside$" "${outside_copy:-/nonexistent}"
check "and the log names it" grep -q "kept in ${outside_copy:-/nonexistent}" "$shots/program-hardening.log"
check "the calendar's version is in Calendar.tpc" \
    bash -c "grep -qx '0	Typed in the calendar' '$outside_file' && grep -q '//Dentist$' '$outside_file' &&
             ! grep -q 'Added outside' '$outside_file'"
[ -n "$outside_message" ] && xdotool windowfocus --sync "$outside_message" key Return
sleep 0.5
end_calendar
check "and ends normally" test $? = 0
# ---- end of the event file changed by another program ----------------------------------------

# ---- The week face --------------------------------------------------------------------------
# A date opens its week; an event goes into the 10:00 slot and a to-do item is added and
# ticked; the return arrow brings the year back; after SIGTERM and a new start all is there.
# On this screen the week header lies at 71 (60 high), the week grid below it at 131 with rows
# 17 high, a 60-pixel time column and day columns 173 wide; the to-do list at x 1272, y 284.
echo "The week face"
rm -f "$home/Documents/Calendar.tpc"
start_week_run() {
    start_calendar "$home" program-week.log
}
# The difference of two screenshots within a region ("WxH+X+Y"), in pixels; fuzz in percent.
region_changed() {
    convert "$shots/$1.png" -crop "$3" +repage "$shots/region-a.png"
    convert "$shots/$2.png" -crop "$3" +repage "$shots/region-b.png"
    compare -metric AE -fuzz "${4:-10}%" "$shots/region-a.png" "$shots/region-b.png" null: 2>&1
    rm -f "$shots/region-a.png" "$shots/region-b.png"
}
# The header's strip pages a week on (x 1309) and back (x 1284), the week loaded afresh: its
# grid must look as in the shot before, and the other week must differ in the region given.
page_week_and_back() { # name of the new shots, the shot before, region
    xdotool mousemove 1309 118 click 1
    sleep 1 && shot "$1-week-paged"
    xdotool mousemove 1284 118 click 1
    sleep 1 && shot "$1-week-again"
    check "the week paged away and back shows the grid the same" \
        test "$(region_changed "$2" "$1-week-again" "$week_grid" 0)" = 0
    check "paging went another week meanwhile" test "$(region_changed "$2" "$1-week-paged" "$3")" -gt 0
}
year_area="1440x560+0+71" week_grid="1272x476+0+131" todo_row="168x19+1272+284"
start_week_run
shot 8-year
xdotool mousemove 265 176 click 1 # Wednesday 14 January, as above
sleep 1 && shot 9-week
check "a click on a date shows the week face" more_than "$(changed 8-year 9-week)" 0.3
xdotool mousemove $((60 + 3 * 173 + 80)) $((131 + 4 * 17 + 8)) click 1 # 10:00 on Wednesday
sleep 1
editor=$(xdotool search --onlyvisible --name "^Calendar Event$" | head -1)
if [ -n "$editor" ]; then
    xdotool type --delay 20 "Team lunch"
    # The end slider starts at 10:30; two steps on give 11:30.
    read -r ex ey _ < <(geometry "$editor")
    xdotool mousemove $((ex + 70)) $((ey + 105)) click 1 key Right Right
    sleep 0.3 && shot 10-editor
    xdotool key Return
    sleep 1 && shot 11-event
    check "the event shows in the week grid" more_than "$(changed 9-week 11-event)" 0.001
else
    echo "  skip  no event editor opened on the 10:00 slot"
fi
xdotool mousemove 1352 460 click 1 # below the to-do rows
sleep 0.5
xdotool type --delay 20 "Buy stamps"
xdotool key Return
sleep 0.3
xdotool mousemove 1282 293 click 1 # the first row's tick box
sleep 0.5 && shot 12-todo
check "the to-do item is added and ticked" more_than "$(changed 9-week 12-todo)" 0.0005
xdotool mousemove 1430 80 click 1 # the return arrow
sleep 1 && shot 13-year-again
if [ -n "$editor" ]; then
    check "the return arrow brings the year back with the day underlined" \
        test "$(region_changed 8-year 13-year-again "$year_area")" -gt 0 -a \
        "$(changed 8-year 13-year-again | awk '{ print ($1 < 0.02) }')" = 1
else
    check "the return arrow brings the year back" test "$(region_changed 8-year 13-year-again "$year_area")" = 0
fi
stop_calendar
check "the program ended normally" test $? = 0
check "the event file holds the ticked item: $(head -1 "$home/Documents/Calendar.tpc")" \
    grep -qx "1	Buy stamps" "$home/Documents/Calendar.tpc"
[ -n "$editor" ] && check "and the event" grep -q "^2026-01-14 10:00:00|2026-01-14 11:30:00//Team lunch$" \
    "$home/Documents/Calendar.tpc"
start_week_run
shot 14-restart-year
xdotool mousemove 265 176 click 1
sleep 1 && shot 15-restart-week
check "after a restart the year shows the same marks" \
    test "$(region_changed 13-year-again 14-restart-year "$year_area")" = 0
# The row is no longer selected after the restart, so its grey may differ a little.
check "and the week the same event and ticked item" \
    test "$(region_changed 12-todo 15-restart-week "$week_grid")" = 0 -a \
    "$(region_changed 12-todo 15-restart-week "$todo_row" 25)" = 0 -a \
    "$(region_changed 9-week 15-restart-week "$todo_row" 25)" -gt 0
stop_calendar
check "nothing was reported on the console" quiet_console program-week.log
# ---- end of the week face --------------------------------------------------------------------

# ---- The event editor -------------------------------------------------------------------------
# Goes on from the week face's run: the editor opens centred on the lunch of 14 January, Delete
# takes it off the week grid and the year's marks, a day note goes in through the day-note row,
# and after SIGTERM and a new start the day note and its mark are there and the lunch is not.
# The editor (227 x 152) stands at the centre of the screen; its Delete button at (42, 125).
echo "The event editor"
day_cell="44x22+262+164" day_note_row="1272x17+0+573"
wednesday_x=$((60 + 3 * 173 + 80))
open_editor() { # y of the row clicked on the week grid -> the editor's window id
    xdotool mousemove "$wednesday_x" "$1" click 1
    sleep 1
    editor=$(xdotool search --onlyvisible --name "^Calendar Event$" | head -1)
}
start_week_run
shot 16-year
xdotool mousemove 265 176 click 1
sleep 1
open_editor $((131 + 4 * 17 + 8))
check "a click on the lunch opens the editor at the centre of the screen: $(geometry "$editor")" \
    test "$(geometry "$editor")" = "606 374 227 152 "
shot 16-editor
keep_for_docs "$shots/16-editor.png" docs/editor.png
xdotool mousemove $((606 + 42 + 34)) $((374 + 125 + 9)) click 1 # Delete
sleep 1 && shot 17-deleted
check "Delete closes the editor" bash -c "! xdotool search --onlyvisible --name '^Calendar Event$' | grep -q ."
check "and the week grid is empty again" test "$(region_changed 9-week 17-deleted "$week_grid")" = 0
open_editor $((131 + 26 * 17 + 8)) # the day-note row
check "the day-note row opens the editor" test -n "$editor"
xdotool type --delay 20 "Pack bags"
xdotool key Return
sleep 1 && shot 18-day-note
check "the day note shows in its row" test "$(region_changed 17-deleted 18-day-note "$day_note_row")" -gt 0
xdotool mousemove 1430 80 click 1 # the return arrow
sleep 1
stop_calendar
check "the program ended normally" test $? = 0
check "the event file holds the day note and not the lunch" \
    bash -c "grep -qx '2026-01-14 00:00:01|2026-01-14 00:00:01//Pack bags' '$home/Documents/Calendar.tpc' &&
             ! grep -q 'Team lunch' '$home/Documents/Calendar.tpc'"
start_week_run
shot 19-restart-year
check "after a restart 14 January is marked for the day note" \
    test "$(region_changed 16-year 19-restart-year "$day_cell")" = 0 -a \
    "$(region_changed 8-year 19-restart-year "$day_cell")" -gt 0
xdotool mousemove 265 176 click 1
sleep 1 && shot 20-restart-week
# The date click selects Tuesday and the editor's click Wednesday: their shades differ by less
# than the fuzz, the day note's text does not.
check "and its week shows the day note alone" \
    test "$(region_changed 18-day-note 20-restart-week "$week_grid")" = 0 -a \
    "$(region_changed 17-deleted 20-restart-week "$day_note_row")" -gt 0
stop_calendar
check "nothing was reported on the console" quiet_console program-week.log
# ---- end of the event editor -------------------------------------------------------------------

# ---- The countdown badge: shown from the menu, dragged, edited, and shown again at start-up ----
start_badge_run() { # screenshots the start as $1
    start_calendar "$home" program-countdown.log
    main=$(xdotool search --name " Calendar$" | head -1)
    shot "$1"
}
# The share of pixels that differ between the text areas of the badge's page in two
# screenshots, the badge's top-left corner given for each.
badge_changed() { # shot1 x1 y1 shot2 x2 y2
    compare -metric AE -fuzz 10% "$shots/$1.png[80x64+$(($2 + 15))+$(($3 + 30))]" \
        "$shots/$4.png[80x64+$(($5 + 15))+$(($6 + 30))]" null: 2>&1 | awk '{print $1 / (80 * 64)}'
}

echo "The countdown badge"
start_badge_run c1-start
echo "  showing it from the Edit menu"
xdotool mousemove 700 30 click 3
sleep 0.5
xdotool key Down Down Right Up Return
sleep 0.5 && shot c2-badge-shown
check "the badge appears at the top left" more_than "$(badge_changed c1-start 135 15 c2-badge-shown 135 15)" 0.3

echo "  dragging it"
xdotool mousemove 195 85 mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove_relative -- 41 43; sleep 0.1; done
xdotool mouseup 1
sleep 0.5 && shot c3-badge-dragged
check "it moved with the pointer" \
    more_than 0.01 "$(badge_changed c2-badge-shown 135 15 c3-badge-dragged 340 230)"
check "and left its old place" \
    more_than 0.01 "$(badge_changed c1-start 135 15 c3-badge-dragged 135 15)"
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
sleep 0.5 && shot c4-editor
xdotool key Escape # as its close button, which no desktop draws here
sleep 1 && shot c5-badge-edited
check "closing the editor closes it" bash -c "! xdotool search --onlyvisible --name '^Calendar Countdown Event$' | grep -q ."
check "the badge shows the new countdown" \
    more_than "$(badge_changed c3-badge-dragged 340 230 c5-badge-edited 340 230)" 0.02
events="$home/Documents/Calendar.tpc"
check "the event file holds it: $(grep -a Countdown "$events" 2>/dev/null)" \
    grep -aq "^$(date +%Y)-12-31 00:00:00|$(date +%Y)-12-31 00:00:00//Ski Trip//Countdown$" "$events"

echo "  quitting, asking for the badge at start-up and starting again"
stop_calendar
check "the program ended normally" test $? = 0
prefs="$home/.config/QVCalendar.prefs"
sed -i 's/^[^;]*;/1;/' "$prefs"
start_badge_run c6-badge-at-start
check "the badge shows the same countdown at start-up" \
    more_than 0.01 "$(badge_changed c5-badge-edited 340 230 c6-badge-at-start 135 15)"
keep_for_docs "$shots/c6-badge-at-start.png" docs/countdown.png
stop_calendar
check "and ends normally" test $? = 0
check "nothing was reported on the console" quiet_console program-countdown.log
# ---- end of the countdown badge --------------------------------------------------------------

# ---- Printing: Ctrl+P, the page set-up and print dialogs, print to file ---------------------
# No printer is set up here, so the print dialog offers only printing to a PDF file, proposed
# in the home folder under the calendar's name. The window must look as before afterwards.
echo "Printing to a PDF file"
print_home=$(fresh_home)
start_calendar "$print_home" program-print.log
main=$(xdotool search --name " Calendar$" | head -1)
dismiss_quick_start_help
xdotool mousemove 700 20
sleep 0.5 && shot p1-before-print
xdotool windowfocus --sync "$main" key ctrl+p
sleep 2 && shot p2-page-setup
check "Ctrl+P shows the page set-up dialog" visible "Page Setup"
xdotool key Return
sleep 2 && shot p3-print-dialog
check "its OK shows the print dialog" visible "Print"
xdotool key Return
sleep 3
edition="$(dirname "$program")/$(cat "$(dirname "$program")/caldef.dat")"
pdf="$print_home/$(sed -n 's/^applicationName=//p' "$edition/calspc.dat").pdf"
check "its OK prints to a file named after the calendar: $(ls "$print_home" | grep pdf)" test -s "$pdf"
check "one page: $(pdfinfo "$pdf" 2>/dev/null | grep Pages)" bash -c "pdfinfo '$pdf' | grep -q '^Pages: *1$'"
pdftoppm -r 100 -png -singlefile "$pdf" "$shots/p4-printed-page"
colours=$(convert "$shots/p4-printed-page.png" -format '%k' info: 2>/dev/null)
check "the page holds the calendar's picture: $colours colours" more_than "${colours:-0}" 1000
keep_for_docs "$shots/p4-printed-page.png" docs/print-page.png
sleep 1 && shot p5-after-print
check "the window is as before: $(changed p1-before-print p5-after-print)" \
    test "$(changed p1-before-print p5-after-print | awk '{ print ($1 < 0.0005) }')" = 1
check "the dialogs are gone" bash -c "! xdotool search --onlyvisible --name '^Print$|^Page Setup$' | grep -q ."
echo "Printing the week face"
rm -f "$pdf"
xdotool mousemove 265 176 click 1 # a date opens its week
sleep 1 && shot p6-week-before-print
xdotool windowfocus --sync "$main" key ctrl+p
sleep 2
xdotool key Return
sleep 2
xdotool key Return
sleep 3
pdftoppm -r 100 -png -singlefile "$pdf" "$shots/p7-printed-week"
check "the week prints on one page: $(pdfinfo "$pdf" 2>/dev/null | grep Pages)" \
    bash -c "pdfinfo '$pdf' | grep -q '^Pages: *1$'"
check "a page other than the year's" more_than "$(compare -metric AE -fuzz 10% \
    "$shots/p4-printed-page.png" "$shots/p7-printed-week.png" null: 2>&1)" 100000
sleep 1 && shot p8-week-after-print
check "the week is as before: $(changed p6-week-before-print p8-week-after-print)" \
    test "$(changed p6-week-before-print p8-week-after-print | awk '{ print ($1 < 0.0005) }')" = 1
stop_calendar
check "the program ended normally" test $? = 0
calendar=""
# Without a printer the toolkit notes that its page set-up dialog serves a PDF "printer".
check "nothing else was reported on the console" bash -c "! grep -vi \
    'XDG_RUNTIME_DIR\|QStandardPaths\|QPageSetupDialog: Cannot be used on non-native printers' \
    '$shots/program-print.log' | grep -q ."
rm -rf "$print_home"
# ---- end of printing -------------------------------------------------------------------------

# ---- Printing through a print server: the queue's page set-up, its print dialog, its PDF ------
# A print server of the try's own (tools/print-server.sh) with one virtual printer that writes
# each job as a PDF: the desktop's native road, the queue listed and its page set-up shown.
print_through_queue() {
    local state queue_server queue output queue_home page
    state=$(mktemp)
    if ! bash tools/print-server.sh start "$state" >/dev/null 2>"$shots/print-server.log"; then
        cat "$shots/print-server.log"
        check "the print server comes up (its log is above)" false
        return
    fi
    if grep -q '^skip=' "$state"; then
        echo "Printing through a print server: skipped, $(sed -n 's/^skip=//p' "$state")"
        rm -f "$state"
        return
    fi
    echo "Printing through a print server"
    queue_server=$(sed -n 's/^server=//p' "$state")
    output=$(sed -n 's/^output=//p' "$state")
    queue_home=$(fresh_home)
    CUPS_SERVER="$queue_server" HOME="$queue_home" XDG_CONFIG_HOME="$queue_home/.config" \
        XDG_RUNTIME_DIR="$queue_home/run" "$program" >"$shots/program-queue.log" 2>&1 &
    calendar=$!
    sleep 3
    main=$(xdotool search --name " Calendar$" | head -1)
    dismiss_quick_start_help
    xdotool mousemove 700 20
    # One print of a face: both dialogs confirmed, the job waited for, its page drawn.
    print_face() { # name of the shots
        local before completed
        before=$(ls "$output" | wc -l)
        completed=$(CUPS_SERVER="$queue_server" lpstat -W completed -o | wc -l)
        sleep 0.5 && shot "$1-before"
        xdotool windowfocus --sync "$main" key ctrl+p
        sleep 2 && shot "$1-page-setup"
        check "Ctrl+P shows the page set-up dialog" visible "Page Setup"
        xdotool key Return
        sleep 2 && shot "$1-print-dialog"
        check "its OK shows the print dialog" visible "Print"
        xdotool key Return
        for _ in $(seq 60); do
            [ "$(ls "$output" | wc -l)" -gt "$before" ] &&
                [ -z "$(CUPS_SERVER="$queue_server" lpstat -o 2>/dev/null)" ] && break
            sleep 0.5
        done
        page=$(ls -t "$output"/*.pdf 2>/dev/null | head -1)
        check "the queue took the job and wrote it: $(basename "${page:-none}")" test -s "$page"
        check "the job completed" \
            test "$(CUPS_SERVER="$queue_server" lpstat -W completed -o | wc -l)" = $((completed + 1))
        check "one page: $(pdfinfo "$page" 2>/dev/null | grep Pages)" bash -c "pdfinfo '$page' | grep -q '^Pages: *1$'"
        pdftoppm -r 60 -png -singlefile "$page" "$shots/$1-page"
        sleep 1 && shot "$1-after"
        check "the window is as before: $(changed "$1-before" "$1-after")" \
            test "$(changed "$1-before" "$1-after" | awk '{ print ($1 < 0.0005) }')" = 1
    }
    print_face q1-year
    keep_for_docs "$shots/q1-year-page.png" docs/print-queue-year.png
    xdotool mousemove 265 176 click 1 # a date opens its week
    sleep 1
    print_face q2-week
    keep_for_docs "$shots/q2-week-page.png" docs/print-queue-week.png
    check "the week's page is another page" more_than "$(compare -metric AE -fuzz 10% \
        "$shots/q1-year-page.png" "$shots/q2-week-page.png" null: 2>&1)" 10000
    stop_calendar
    check "the program ended normally" test $? = 0
    calendar=""
    # On a real queue the toolkit's page set-up has nothing to note.
    check "nothing was reported on the console" quiet_console program-queue.log
    bash tools/print-server.sh stop "$state"
    rm -rf "$queue_home"
}
print_through_queue
# ---- end of printing through a print server ---------------------------------------------------

# ---- A large calendar: 300,000 events load, and only a change writes them again --------------
# One half-hour event after another from 2020 (to 2037), so every day of the shown years has marks. A quit after
# only looking leaves the file as it was (same file, same text); a to-do item added on the week
# face writes it again with every event.
echo "A large calendar of 300,000 events"
large_home=$(fresh_home)
large_file="$large_home/Documents/Calendar.tpc"
{ printf '0\tA to-do item\nEvents Data:\n' && many_events 300000; } >"$large_file"
cp "$large_file" "$large_home/as-written.tpc"
start_large() {
    start_calendar "$large_home" program-large.log
}
start_large
dismiss_quick_start_help
xdotool mousemove 700 20
sleep 0.5 && shot L1-large-year
check "the year shows the events' marks: $(region_changed 8-year L1-large-year "$year_area") pixels differ" \
    test "$(region_changed 8-year L1-large-year "$year_area")" -gt 2000
inode=$(stat -c %i "$large_file")
stop_calendar
check "the program ended normally" test $? = 0
check "a quit after only looking leaves the file as it was" \
    bash -c "test $(stat -c %i "$large_file") = $inode && cmp -s '$large_file' '$large_home/as-written.tpc'"
start_large
xdotool mousemove 265 176 click 1 # Wednesday 14 January 2026
sleep 1
xdotool mousemove 1352 460 click 1 # below the to-do rows
sleep 0.5
xdotool type --delay 20 "Water the plants"
xdotool key Return
sleep 0.5 && shot L2-large-week
check "the week shows its events" test "$(region_changed 9-week L2-large-week "$week_grid")" -gt 10000
xdotool mousemove 1430 80 click 1 # the return arrow saves
sleep 2
# (Two writes in a row may hand the new file the old one's inode number: compare the text.)
check "the change has reached the file" \
    bash -c "! cmp -s '$large_file' '$large_home/as-written.tpc'"
check "with the new item and every event: $(grep -c '|' "$large_file") event lines" \
    bash -c "grep -qx '0	Water the plants' '$large_file' && test \$(grep -c '|' '$large_file') -ge 300000"
stop_calendar
check "nothing was reported on the console" quiet_console program-large.log
rm -rf "$large_home"
# ---- end of a large calendar -----------------------------------------------------------------

# ---- A double click on a date, and a renamed event -------------------------------------------
# A double click on 13 January shows its week and no editor (its second click lands on the week
# grid that the first showed). Then a two-hour event on the 14th, renamed from its second row,
# shows its new title at once: the week grid looks as it does when the week is loaded afresh.
echo "A double click on a date, and a renamed event"
double_home=$(fresh_home)
printf 'Events Data:\n2026-01-14 10:00:00|2026-01-14 12:00:00//Planning\n' \
    >"$double_home/Documents/Calendar.tpc"
start_calendar "$double_home" program-double.log
dismiss_quick_start_help
xdotool mousemove 700 20
sleep 0.5 && shot d1-year
xdotool mousemove 265 176 click --repeat 2 --delay 80 1
sleep 1 && shot d2-double-clicked
check "a double click on a date shows its week" more_than "$(changed d1-year d2-double-clicked)" 0.3
check "and opens no editor" bash -c "! xdotool search --onlyvisible --name '^Calendar Event$' | grep -q ."
# Wednesday's column starts at 60 + 3 * 173; the event's rows at 131 + 4 * 17, 17 high.
title_cell="173x17+579+199"
xdotool mousemove $((579 + 80)) $((131 + 5 * 17 + 8)) click 1 # the event's second row
sleep 1
check "a click on the event's second row opens the editor" visible "Calendar Event"
xdotool type --delay 20 "Budget review"
xdotool key Return
sleep 1 && shot d3-renamed
check "Return closes the editor" bash -c "! xdotool search --onlyvisible --name '^Calendar Event$' | grep -q ."
check "the event's first row shows the new title at once" \
    test "$(region_changed d2-double-clicked d3-renamed "$title_cell")" -gt 0
page_week_and_back d4 d3-renamed "$week_grid"
stop_calendar
check "the program ended normally" test $? = 0
calendar=""
check "the event file holds the new title" \
    grep -qx "2026-01-14 10:00:00|2026-01-14 12:00:00//Budget review" "$double_home/Documents/Calendar.tpc"
check "nothing was reported on the console" quiet_console program-double.log
rm -rf "$double_home"
# ---- end of a double click and a renamed event -----------------------------------------------

# ---- The countdown moved into a shown week ----------------------------------------------------
# With the week of 14 January up, the badge's editor moves the countdown from the 31st to the
# 14th: closing it shows the countdown in Wednesday's holiday row at once, as the week paged
# away and back shows it; the year face shows its mark moved, as after a restart.
echo "The countdown moved into the shown week"
countdown_home=$(fresh_home)
printf 'Events Data:\n2026-01-31 00:00:00|2026-01-31 00:00:00//Ski Trip//Countdown\n' \
    >"$countdown_home/Documents/Calendar.tpc"
start_calendar "$countdown_home" program-countdown-week.log
dismiss_quick_start_help
xdotool mousemove 700 30 click 3 # Edit > Show Countdown Event
sleep 0.5
xdotool key Down Down Right Up Return
sleep 0.5
xdotool mousemove 700 20
sleep 0.5 && shot w1-year
xdotool mousemove 265 176 click 1 # Wednesday 14 January
sleep 1 && shot w2-week
xdotool mousemove 185 85 click 1 # the badge
sleep 1
editor=$(xdotool search --onlyvisible --name "^Calendar Countdown Event$" | head -1)
check "a click on the badge over the week opens the countdown editor" test -n "$editor"
if [ -n "$editor" ]; then
    read -r ex ey _ < <(geometry "$editor")
    xdotool mousemove $((ex + 197)) $((ey + 84)) click 1 # the day: from the 31st to the 14th
    sleep 0.5
    xdotool key Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Return
    sleep 0.5 && shot w3-editor
    xdotool key Escape
fi
sleep 1 && shot w4-closed
# Wednesday's column starts at 60 + 3 * 173; the holiday row is the grid's last, at 131 + 27 * 17.
holiday_cell="173x17+579+590"
check "closing it shows the countdown in Wednesday's holiday row at once" \
    test "$(region_changed w2-week w4-closed "$holiday_cell")" -gt 0
page_week_and_back w5 w4-closed "$holiday_cell"
xdotool mousemove 1430 80 click 1 # the return arrow
sleep 1 && shot w6-year-again
# The year grid below the badge (whose place the edition's layout does not move): only marks
# change there.
below_badge="1440x480+0+150"
check "the year face shows the marks moved" \
    test "$(region_changed w1-year w6-year-again "$below_badge")" -gt 0
stop_calendar
check "the program ended normally" test $? = 0
check "the event file holds the countdown on the 14th" \
    grep -qx "2026-01-14 00:00:00|2026-01-14 00:00:00//Ski Trip//Countdown" \
    "$countdown_home/Documents/Calendar.tpc"
start_calendar "$countdown_home" program-countdown-week.log
xdotool mousemove 700 20
sleep 0.5 && shot w7-restart-year
check "after a restart the year shows the same marks" \
    test "$(region_changed w6-year-again w7-restart-year "$below_badge")" = 0
stop_calendar
check "nothing was reported on the console" quiet_console program-countdown-week.log
rm -rf "$countdown_home"
# ---- end of the countdown moved into a shown week ---------------------------------------------

# ---- A to-do item typed, not confirmed, when a logout ends the calendar ----------------------
# On the week face a new to-do item is typed into the open (yellow) cell without Return, and
# SIGTERM (as at a logout) ends the calendar: the item is in the file, and in the list after a
# new start.
echo "A to-do item typed when the calendar is ended"
typing_home=$(fresh_home)
start_typing_run() {
    start_calendar "$typing_home" program-typing.log
}
start_typing_run
dismiss_quick_start_help
xdotool mousemove 265 176 click 1 # Wednesday 14 January
sleep 1 && shot t1-week
xdotool mousemove 1352 460 click 1 # below the to-do rows: a new row, open for typing
sleep 0.5
xdotool type --delay 20 "Call the plumber"
sleep 0.3 && shot t2-typing
check "the typed text shows in the open cell" test "$(region_changed t1-week t2-typing "$todo_row")" -gt 0
stop_calendar
check "the program ended normally" test $? = 0
check "the event file holds the typed item: $(head -1 "$typing_home/Documents/Calendar.tpc")" \
    grep -qx "0	Call the plumber" "$typing_home/Documents/Calendar.tpc"
start_typing_run
xdotool mousemove 265 176 click 1
sleep 1 && shot t3-restart-week
check "after a new start the to-do list shows it" \
    test "$(region_changed t1-week t3-restart-week "$todo_row" 25)" -gt 0
stop_calendar
check "nothing was reported on the console" quiet_console program-typing.log
rm -rf "$typing_home"
# ---- end of a to-do item typed when the calendar is ended ------------------------------------

# ---- A private user: under umask 077 nothing the calendar makes is readable by others ---------
echo "Under umask 077"
private_home=$(fresh_home)
find "$private_home" | sort >"$shots/private-before.txt"
umask_before=$(umask)
umask 077
start_calendar "$private_home" program-private.log
umask "$umask_before"
dismiss_quick_start_help
stop_calendar
made=$(comm -13 "$shots/private-before.txt" <(find "$private_home" | sort))
readable=$(while IFS= read -r file; do find "$file" -maxdepth 0 -perm /o=rwx; done <<<"$made")
if [ -n "$made" ] && [ -z "$readable" ]; then
    echo "  PASS  none of the $(echo "$made" | wc -l) files and folders it made is open to others"
else
    echo "  FAIL  open to others: ${readable:-(it made nothing)}"
    failures=$((failures + 1))
fi
rm -rf "$private_home"
# ---- end of under umask 077 --------------------------------------------------------------------

# ---- No window manager: every window closes as a user can close it, the keyboard follows ------
# Nothing draws title bars here: Escape closes About, Help and both editors as their close
# buttons would, Preferences leaves by OK; behind an editor Ctrl+W does nothing. When a window
# closes, the calendar has the keyboard again; slid away by Space, the tab has it, so a second
# Space brings the calendar back.
echo "No window manager: Escape in each window, the keyboard after it, Space twice"
new_home && launch "$program"
main=$(xdotool search --name " Calendar$" | head -1)
tab=$(xdotool search --name "^Tab$" | head -1)
dismiss_quick_start_help
focused() { test "$(xdotool getwindowfocus 2>/dev/null)" = "$1"; }
calendar_in_place() { test "$(geometry "$main")" = "0 0 $width $height "; }
xdotool key space
sleep 1.5 && shot n1-space-away
check "Space slides the calendar away" test "$(geometry "$main" | cut -d' ' -f2)" = "$((0 - height - 10))"
check "and the tab has the keyboard" focused "$tab"
xdotool key space
sleep 1.5 && shot n2-space-back
check "a second Space brings it back" calendar_in_place
check "with the keyboard" focused "$main"
escape_closes() { # title, shot name, keys to its menu command
    local title=$1 name=$2
    shift 2
    menu_command "$@"
    check "$title opens" visible "$title"
    xdotool key Escape
    sleep 1 && shot "$name"
    check "Escape closes $title" gone "$title"
    check "and the calendar has the keyboard again" focused "$main"
}
gone() { ! visible "$1"; }
escape_closes " Ombrelline Calendar" n3-about-escaped Down Down Right Return
escape_closes "Calendar Help" n4-help-escaped Down Down Down Right Return
echo "  The event editor: Ctrl+W, then Escape"
xdotool mousemove 265 176 click 1 # Wednesday 14 January opens its week
sleep 1
xdotool mousemove $((60 + 3 * 173 + 80)) $((131 + 4 * 17 + 8)) click 1 # 10:00
sleep 1.5
check "a click on a slot opens the event editor" visible "Calendar Event"
xdotool type --delay 20 "Not kept"
xdotool key ctrl+w
sleep 1.5 && shot n5-editor-ctrl-w
check "Ctrl+W leaves the calendar in place behind the editor" calendar_in_place
check "and the editor open" visible "Calendar Event"
xdotool key Escape
sleep 1 && shot n6-editor-escaped
check "Escape closes the editor" gone "Calendar Event"
check "and the calendar has the keyboard again" focused "$main"
xdotool mousemove 1430 80 click 1 # the return arrow writes the week's changes
sleep 1.5
check "nothing typed in it was kept" bash -c "! grep -q 'Not kept' '$run_home/Documents/Calendar.tpc' 2>/dev/null"
echo "  The countdown editor: Ctrl+W, then Escape"
menu_command Down Down Right Up Return # Show Countdown Event
xdotool mousemove 195 85 click 1
sleep 1.5
check "a click on the badge opens the countdown editor" visible "Calendar Countdown Event"
xdotool key ctrl+a
xdotool type --delay 20 "Lake"
xdotool key ctrl+w
sleep 1.5
check "Ctrl+W leaves the calendar in place behind it" calendar_in_place
xdotool key Escape
sleep 1.5 && shot n7-countdown-escaped
check "Escape closes it" gone "Calendar Countdown Event"
check "storing what it showed" grep -aq "//Lake//Countdown$" "$run_home/Documents/Calendar.tpc"
check "and the calendar has the keyboard again" focused "$main"
echo "  Preferences: Escape leaves them open, OK closes them"
menu_command Down Down Right Down Return
check "Preferences open" visible "Calendar Preferences"
xdotool key Escape
sleep 0.5
check "Escape leaves them open" visible "Calendar Preferences"
xdotool key Return
sleep 1 && shot n8-preferences-ok
check "OK closes them" gone "Calendar Preferences"
check "and the calendar has the keyboard again" focused "$main"
echo "  Help: the editing keys in its pages"
menu_command Down Down Down Right Return # Help
check "Help opens" visible "Calendar Help"
read -r hx hy hw hh < <(window_at "Calendar Help")
help_page="$((hw / 2))x$((hh / 2))+$((hx + hw / 2 - 20))+$((hy + hh / 4))"
xdotool mousemove $((hx + hw * 3 / 4)) $((hy + hh / 2)) click 1 # into the page
sleep 0.5 && shot n9-help
xdotool key ctrl+a ctrl+x
sleep 0.5 && shot n9-help-cut
check "Ctrl+A, Ctrl+X cut the first page's text" \
    more_than "$(area_changed n9-help n9-help-cut "$help_page")" 0.01
xdotool key ctrl+v
sleep 0.5 && shot n9-help-pasted
check "Ctrl+V puts it back" more_than "$(area_changed n9-help-cut n9-help-pasted "$help_page")" 0.01
xdotool key Escape
sleep 0.5
end_calendar
check "the program ends normally" test $? = 0

# A quit the moment the calendar starts sliding back, by Ctrl+Q and by a logout's SIGTERM.
for quit in ctrl+q SIGTERM; do
    new_home && launch "$program"
    dismiss_quick_start_help
    xdotool key space
    sleep 1.5
    xdotool key space
    if [ "$quit" = SIGTERM ]; then kill -TERM "$calendar"; else xdotool key ctrl+q; fi
    for _ in $(seq 50); do running || break; sleep 0.1; done
    check "$quit while the calendar slides back ends it within 5 s" bash -c "! kill -0 $calendar 2>/dev/null"
    end_calendar
    check "normally, not by a crash" test $? = 0
done
# ---- end of no window manager ------------------------------------------------------------------

source tools/try-as-user-disk.sh
source tools/try-as-user-quit.sh
source tools/try-as-user-years.sh
source tools/try-as-user-locale.sh
source tools/try-as-user-ends.sh
source tools/try-as-user-versions.sh

# ---- Under a window manager: the tab above the calendar, modal windows in front, fixed sizes --
# The same road on a desktop with a stacking window manager, openbox, started here on the same
# display: the tab in front of the full-screen calendar at start-up and after each slide back,
# the desktop's close (Alt+F4) as Close, Help minimised alone and brought back by its command,
# the countdown editor in front of Help and closable, Preferences with a title bar whose close
# acts as OK, the editors not maximisable and back at once when minimised, Ctrl+Q at the end.
echo "Under the openbox window manager"
wm_home=$(fresh_home)
openbox --sm-disable >"$shots/openbox.log" 2>&1 &
wm=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
for _ in $(seq 50); do wm_running && break; sleep 0.1; done
check "openbox manages the display" wm_running
start_calendar "$wm_home" program-wm.log
main=$(xdotool search --name " Calendar$" | head -1)
tab=$(xdotool search --name "^Tab$" | head -1)
# Where a window stands on the screen, "x y width height" (xdotool's position counts the
# window manager's frame in).
# xwininfo without a window waits for a click on one: a window that never came names none.
window_info() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null; }
placed() {
    window_info "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /Width:/ {w = $NF} /Height:/ {h = $NF} END {printf "%s %s %s %s ", x, y, w, h}'
}
read -r tx ty tw th < <(placed "$tab")
# The tab's colour is the edition's (the one chosen in the preferences above).
wm_edition="$(dirname "$program")/$(cat "$(dirname "$program")/caldef.dat")"
tab_colour=$(sed -n 's/^tabColor=//p' "$wm_edition/calspc.dat" | tr -d ' \r')
tab_shown() { test "$(pixel "$1" $((tx + tw / 2)) $((ty + th / 2)))" = "$tab_colour"; }
on_top() { # window id -> whether the desktop stacks it above every other window
    test "$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')" = "$(printf '0x%x' "$1")"
}
has_keys() { test "$(xdotool getactivewindow 2>/dev/null)" = "$1"; }
in_front() { on_top "$1" && has_keys "$1"; }
# Activates a window, then sends it keys; a window that never opened fails the checks after it
# instead of leaving xdotool waiting for it for good.
activate() { # window id, keys
    [ -n "$1" ] && timeout 5 xdotool windowactivate --sync "$1" key "${@:2}"
}
calendar_up() { xdotool search --onlyvisible --name " Calendar$" >/dev/null 2>&1; }
calendar_away() { ! calendar_up; }
gone() { ! visible "$1"; }
click_tab() { xdotool mousemove $((tx + tw / 2)) $((ty + 4)) click 1; sleep 1.5; }
shot w1-start
check "the tab shows its colour ($tab_colour) at its place over the calendar: $tx, $ty" tab_shown w1-start
check "and the desktop keeps it on top" on_top "$tab"
xdotool mousemove 700 50 click 1 # the first run's help goes
sleep 0.5 && shot w2-help-gone
check "the quick-start help's call-out points at the tab" \
    more_than "$(area_changed w1-start w2-help-gone 240x140+$((tx - 100))+10)" 0.05
for turn in 1 2; do
    click_tab
    check "a click on the tab slides the calendar away ($turn)" calendar_away
    click_tab && shot "w3-back-$turn"
    check "and one more brings it back" calendar_up
    check "with the tab's colour at its place" tab_shown "w3-back-$turn"
done
activate "$main" alt+F4
sleep 1.5
check "the desktop's close (Alt+F4) slides the calendar away" calendar_away
click_tab && shot w4-after-close
check "one click on the tab brings it back" calendar_up
check "with the tab in front" tab_shown w4-after-close

echo "  Help open, then a click on the countdown badge"
menu_command Down Down Right Up Return # Show Countdown Event
menu_command Down Down Down Right Return # Help
check "Help is open over the calendar" visible "Calendar Help"
mapped() { window_info "$1" | grep -q "Map State: IsViewable"; }
minimised() { [ -n "$1" ] && ! mapped "$1"; }
help_window=$(xdotool search --onlyvisible --name "^Calendar Help$" | head -1)
[ -n "$help_window" ] && xdotool windowminimize "$help_window"
sleep 1 && shot w5-help-minimised
check "minimising Help leaves the calendar on the screen" mapped "$main"
check "and the tab" mapped "$tab"
check "and Help is minimised" minimised "$help_window"
menu_command Down Down Down Right Return # Help
check "the Help command brings it back" mapped "$help_window"
xdotool mousemove 195 85 click 1
sleep 1.5 && shot w5-editor-over-help
editor=$(xdotool search --onlyvisible --name "^Calendar Countdown Event$" | head -1)
check "the countdown editor opens" test -n "$editor"
check "in front of Help and the calendar, with the keyboard" in_front "$editor"
[ -n "$editor" ] && crop w5-editor-over-help "$(placed "$editor")" wm-countdown-editor
not_maximised() { # window id: a double click on its title bar leaves its size alone
    local before after
    [ -n "$1" ] || return 1
    before=$(placed "$1")
    read -r x y w _ <<<"$before"
    xdotool mousemove $((x + w / 2)) $((y - 8)) click --repeat 2 --delay 80 1
    sleep 1
    after=$(placed "$1")
    echo "    $before -> $after"
    test "$before" = "$after"
}
check "a double click on its title bar does not maximise it" not_maximised "$editor"
activate "$editor" alt+F4
sleep 1
check "the desktop's close closes it" gone "Calendar Countdown Event"
activate "$help_window" alt+F4
sleep 1
check "and Help closes too" gone "Calendar Help"

echo "  Preferences"
menu_command Down Down Right Down Return
preferences=$(xdotool search --onlyvisible --name "^Calendar Preferences$" | head -1)
shot w6-preferences
check "Preferences open in front, with the keyboard" in_front "$preferences"
frame_top() { xprop -id "$1" _NET_FRAME_EXTENTS | cut -d= -f2 | cut -d, -f3 | tr -d ' '; }
check "with their title bar: frame $(xprop -id "$preferences" _NET_FRAME_EXTENTS | cut -d= -f2)" \
    test "$(frame_top "$preferences")" -gt 0
[ -n "$preferences" ] && crop w6-preferences "$(placed "$preferences")" wm-preferences
activate "$preferences" alt+F4 # the close button that openbox draws anyway
sleep 1
check "the desktop's close acts as OK and closes them" gone "Calendar Preferences"

echo "  The event editor"
xdotool mousemove 265 176 click 1 # Wednesday 14 January opens its week
sleep 1
xdotool mousemove $((60 + 3 * 173 + 80)) $((131 + 4 * 17 + 8)) click 1 # 10:00
sleep 1.5 && shot w7-event-editor
editor=$(xdotool search --onlyvisible --name "^Calendar Event$" | head -1)
check "a click on a slot opens the event editor in front, with the keyboard" in_front "$editor"
check "a double click on its title bar does not maximise it" not_maximised "$editor"
[ -n "$editor" ] && xdotool windowminimize "$editor"
sleep 1.5 && shot w8-event-editor-minimised
check "minimised by the desktop, the editor comes back at once" mapped "$editor"
check "with the calendar under it" mapped "$main"
check "in front, with the keyboard" in_front "$editor"
activate "$editor" ctrl+w
sleep 1.5
check "Ctrl+W in the editor leaves the calendar in place" mapped "$main"
activate "$editor" alt+F4
sleep 1
check "the desktop's close closes it" gone "Calendar Event"
check "and the calendar has the keyboard again" has_keys "$main"
xdotool mousemove 1430 80 click 1 # the return arrow
sleep 1

echo "  The print dialogs, minimised"
activate "$main" ctrl+p
sleep 2
for dialog in "Page Setup" Print; do
    window=$(xdotool search --onlyvisible --name "^$dialog\$" | head -1)
    check "the $dialog dialog opens" test -n "$window"
    [ -n "$window" ] && xdotool windowminimize "$window"
    sleep 1.5 && shot "w9-$(echo "$dialog" | tr ' A-Z' '-a-z')-minimised"
    check "minimised by the desktop, the $dialog dialog comes back at once" mapped "$window"
    check "in front, with the keyboard" in_front "$window"
    # On to the print dialog, which is then cancelled.
    if [ "$dialog" = Print ]; then keys=Escape; else keys=Return; fi
    [ -n "$window" ] && activate "$window" $keys
    sleep 2
done
check "the calendar is back with its tab after printing" mapped "$tab"

echo "  Ctrl+Q"
# Ctrl+Q ends the calendar, normally; then the window manager goes.
quit_then_end_wm() {
    activate "$main" ctrl+q
    for _ in $(seq 50); do running || break; sleep 0.1; done
    check "Ctrl+Q quits the calendar" bash -c "! kill -0 $calendar 2>/dev/null"
    wait "$calendar"
    check "normally" test $? = 0
    calendar=""
    kill "$wm" 2>/dev/null
    wait "$wm" 2>/dev/null
}
quit_then_end_wm
check "nothing was reported on the console" quiet_console program-wm.log
rm -rf "$wm_home"
# ---- end of under a window manager -------------------------------------------------------------

# ---- Under xfwm4: the keyboard with the tab, Space both ways, the dialogs minimised -----------
# xfwm4 wants a session bus, which a desktop provides: the window manager and the calendar share
# one of their own here.
echo "Under the xfwm4 window manager"
xfwm_home=$(fresh_home)
bus_file=$(mktemp)
dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 3>"$bus_file" 4>"$bus_file.pid"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$bus_file")
xfwm4 --compositor=off --sm-client-disable >"$shots/xfwm4.log" 2>&1 &
wm=$!
for _ in $(seq 50); do wm_running && break; sleep 0.1; done
check "xfwm4 manages the display" wm_running
start_calendar "$xfwm_home" program-xfwm4.log
main=$(xdotool search --name " Calendar$" | head -1)
tab=$(xdotool search --name "^Tab$" | head -1)
read -r tx ty tw th < <(placed "$tab")
xdotool mousemove 700 50 click 1 # the first run's help goes
sleep 0.5 && shot x1-start
check "the tab is on top" on_top "$tab"
for turn in 1 2 3; do
    activate "$main" space
    sleep 1.5
    check "Space slides the calendar away ($turn)" calendar_away
    check "and the tab has the keyboard" has_keys "$tab"
    xdotool key space
    sleep 1.5
    check "a second Space brings it back" calendar_up
done
click_tab
check "a click on the tab slides it away" calendar_away
xdotool key space
sleep 1.5
check "and Space brings it back" calendar_up
activate "$main" alt+F4
sleep 1.5 && shot x2-closed
check "the desktop's close slides it away" calendar_away
xdotool key space
sleep 1.5 && shot x3-space-back
check "and Space brings it back" calendar_up
check "with the tab in front" tab_shown x3-space-back
menu_command Down Down Down Right Return # Help
help_window=$(xdotool search --onlyvisible --name "^Calendar Help$" | head -1)
[ -n "$help_window" ] && xdotool windowminimize "$help_window"
sleep 1 && shot x4-help-minimised
check "minimising Help leaves the calendar" mapped "$main"
check "and the tab" mapped "$tab"
activate "$main" ctrl+p
sleep 2
window=$(xdotool search --onlyvisible --name "^Page Setup\$" | head -1)
check "the page set-up opens" test -n "$window"
[ -n "$window" ] && xdotool windowminimize "$window"
sleep 1.5 && shot x5-page-setup-minimised
check "minimised, it comes back at once" mapped "$window"
[ -n "$window" ] && activate "$window" Escape
sleep 1.5
check "cancelled, the calendar has its tab back" mapped "$tab"
quit_then_end_wm
kill "$(cat "$bus_file.pid")" 2>/dev/null
rm -f "$bus_file" "$bus_file.pid"
unset DBUS_SESSION_BUS_ADDRESS
check "nothing was reported on the console" quiet_console program-xfwm4.log
rm -rf "$xfwm_home"
# ---- end of under xfwm4 ------------------------------------------------------------------------

source tools/try-as-user-wayland.sh

finish
