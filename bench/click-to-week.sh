#!/usr/bin/env bash
# What a click on a date costs the calendar until its week is painted, with 100,000 events in
# the store: the built program on a virtual X display with a fresh home, the processor time of
# all its threads (from /proc, so a loaded machine does not add its waiting) for the first click
# of the run and for later ones, each after the return arrow has brought the year back.
# Usage: bench/click-to-week.sh [runs, default 5] [clicks a run, default 3]
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
clicks=${2:-3}
program="${CALENDAR_PROGRAM:-$PWD/build/bin/ombrelline-calendar}" # another build with CALENDAR_PROGRAM
[ -x "$program" ] || { echo "build the calendar first: $program" >&2; exit 1; }

work=$(mktemp -d)
xvfb="" calendar=""
trap 'kill $calendar $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1440x900x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"

# 100,000 events of an hour, one every two and a half hours from 1 January 2020.
awk 'BEGIN {
    print "Events Data:"
    start = mktime("2020 01 01 08 00 00")
    for (i = 0; i < 100000; ++i) {
        t = start + i * 9000
        print strftime("%Y-%m-%d %H:%M:%S", t) "|" strftime("%Y-%m-%d %H:%M:%S", t + 3600) "//Event number " i
    }
}' >"$work/Calendar.tpc"

start() { # home
    cp "$work/Calendar.tpc" "$1/Documents/Calendar.tpc"
    HOME="$1" XDG_CONFIG_HOME="$1/.config" XDG_RUNTIME_DIR="$1/run" XDG_CACHE_HOME="$1/.cache" \
        QT_QPA_PLATFORM=xcb "$program" >>"$work/log" 2>&1 &
    calendar=$!
    xdotool search --sync --name " Calendar$" >/dev/null
}
# Processor time so far, in microseconds, of all the calendar's threads and of its main thread
# (the one the click waits for; the others are the toolkit's helpers for large fills).
cpu() {
    cat /proc/"$calendar"/task/*/schedstat 2>/dev/null | awk '{t += $1} END {printf "%d", t / 1000}'
    awk '{printf " %d", $1 / 1000}' /proc/"$calendar"/task/"$calendar"/schedstat
}
# The time a click takes, measured half a second after it (before idle pool threads end); the
# pointer is moved there first, so the hover tip is not counted.
click() { # x y
    local before after
    xdotool mousemove "$1" "$2"
    sleep 0.5
    before=($(cpu))
    xdotool click 1
    sleep 0.5
    after=($(cpu))
    echo "$((after[0] - before[0])) $((after[1] - before[1]))"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for run in $(seq "$runs"); do
    home="$work/home$run"
    mkdir -p "$home/Documents" "$home/run" && chmod 700 "$home/run"
    start "$home"
    sleep 2
    kill -TERM "$calendar" && wait "$calendar" 2>/dev/null # the first run writes the preferences
    start "$home"
    sleep 3
    line="run $run: click to week, processor ms of all threads (of the main thread):"
    for n in $(seq "$clicks"); do
        # A day of the third week of January in the year shown.
        line+=" $(click 265 176 | awk '{printf "%.1f (%.1f)", $1 / 1000, $2 / 1000}')"
        xdotool mousemove 1430 80 click 1 # the return arrow
        sleep 1
    done
    echo "$line"
    kill -TERM "$calendar" && wait "$calendar" 2>/dev/null
done
