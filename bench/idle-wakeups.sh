#!/usr/bin/env bash
# How often the calendar wakes up while nobody uses it, on the year face and on the week face.
# Runs the built program on a virtual X display with a fresh home (a second run, so the
# quick-start help is not up), lets it settle, then counts the context switches of all its
# threads (voluntary: it slept and was woken; involuntary: it was preempted) over a window of
# time, sampled from /proc; it also lists the threads alive after the start.
# Usage: bench/idle-wakeups.sh [seconds per face, default 60] [screen, default 1440x900]
#        [event file to start with]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
screen=${2:-1440x900}
events=${3:-}
program="${CALENDAR_PROGRAM:-$PWD/build/bin/ombrelline-calendar}" # another build with CALENDAR_PROGRAM
[ -x "$program" ] || { echo "build the calendar first: $program" >&2; exit 1; }

work=$(mktemp -d)
home="$work/home"
mkdir -p "$home/Documents" "$home/run" && chmod 700 "$home/run"
[ -n "$events" ] && cp "$events" "$home/Documents/Calendar.tpc"
xvfb="" calendar=""
trap 'kill $calendar $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"

start() {
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/run" \
        XDG_CACHE_HOME="$home/.cache" QT_QPA_PLATFORM=xcb "$program" >>"$work/log" 2>&1 &
    calendar=$!
    xdotool search --sync --name " Calendar$" >/dev/null
}

# The switches of every thread of the calendar, "tid voluntary involuntary" a line.
switches() {
    awk '/^voluntary_ctxt_switches/ {v = $2} /^nonvoluntary_ctxt_switches/ {
             split(FILENAME, part, "/"); print part[5], v, $2}' /proc/"$calendar"/task/*/status 2>/dev/null
}

# Counts over the given seconds, sampling four times a second: the context switches of all
# threads (a thread that ends keeps what it had at the last sample), and the wake-ups, the
# samples in which any thread had run after the process had been asleep. A tick of the clock
# takes a few switches within a millisecond (the timer, and a round trip to the X server that
# wakes the thread reading its replies): one wake-up.
measure() { # face name
    local first last now total wakeups=0 began=$EPOCHREALTIME
    first=$(switches)
    last=$first
    total=$(printf '%s\n' "$first" | awk '{t += $2 + $3} END {print t + 0}')
    while ((${EPOCHREALTIME/./} < ${began/./} + seconds * 1000000)); do
        sleep 0.25
        last=$(printf '%s\n%s\n' "$last" "$(switches)" | awk '{a[$1] = $0} END {for (t in a) print a[t]}')
        now=$(printf '%s\n' "$last" | awk '{t += $2 + $3} END {print t + 0}')
        [ "$now" != "$total" ] && wakeups=$((wakeups + 1))
        total=$now
    done
    printf '%s\n' "$first" >"$work/first"
    # Rates over the time that really passed.
    printf '%s\n' "$last" | awk -v first="$work/first" -v face="$1" -v w="$wakeups" \
        -v s="$(awk -v a="$began" -v b="$EPOCHREALTIME" 'BEGIN {print b - a}')" '
        BEGIN {while ((getline line < first) > 0) {split(line, f, " "); v0[f[1]] = f[2]; n0[f[1]] = f[3]}}
        {v += $2 - v0[$1]; n += $3 - n0[$1]; if (($2 - v0[$1]) + ($3 - n0[$1]) > 0) busy++}
        END {printf "%-10s %3.0f s: wake-ups %3d (%.1f a minute); context switches %4d voluntary (%.1f a minute), %d preempted, in %d threads\n",
                    face, s, w, w * 60 / s, v, v * 60 / s, n, busy}'
}

threads() { # how many, and their names
    local names
    names=$(cat /proc/"$calendar"/task/*/comm 2>/dev/null | sort | uniq -c | awk '{printf "%s%s x%d", sep, $2, $1; sep = ","}')
    echo "$(ls /proc/"$calendar"/task | wc -l) ($names)"
}

start
sleep 3
kill -TERM "$calendar" && wait "$calendar" 2>/dev/null # the first run writes the preferences
start
sleep 5
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); threads 5 s after the start: $(threads)"
measure "year face"
echo "threads after the year face: $(threads)"
# A click on a date of the year grid (the third week of January on a 1440 x 900 screen).
xdotool mousemove 265 176 click 1
sleep 2
measure "week face"
echo "threads after the week face: $(threads)"
