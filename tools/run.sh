#!/usr/bin/env bash
# Installs what is missing, builds the calendar and starts it with the bundled sample edition.
# Without a display it runs on a virtual one and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
program=build/bin/ombrelline-calendar

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

screenshot="$PWD/build/calendar-screenshot.png"
source tools/virtual-display.sh
calendar=""
xvfb=""
# The calendar and the display run in process groups of their own, so that Ctrl-C reaches this
# script alone, which ends the calendar first (it saves its events and leaves its display
# cleanly) and the display after it.
set -m
stop() {
  trap - EXIT INT TERM
  if [ -n "$calendar" ] && kill -0 "$calendar" 2>/dev/null; then
    kill -TERM "$calendar" 2>/dev/null || true
    wait "$calendar" 2>/dev/null || true
  fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
}
trap stop EXIT
trap 'exit 130' INT TERM
start_virtual_display "${CALENDAR_SCREEN:-1440x900}"
DISPLAY="$display" "$program" &
calendar=$!
sleep "${CALENDAR_SETTLE:-3}"
DISPLAY="$display" import -window root "$screenshot"
echo "The calendar is running on the virtual display $display; screenshot: $screenshot"
if [ -z "${CALENDAR_EXIT_AFTER_SCREENSHOT:-}" ]; then
  echo "It runs until you press Ctrl-C."
  wait $calendar || true
fi
