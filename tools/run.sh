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
trap 'kill $calendar $xvfb 2>/dev/null || true' EXIT
start_virtual_display "${CALENDAR_SCREEN:-1440x900}"
DISPLAY="$display" "$program" &
calendar=$!
sleep "${CALENDAR_SETTLE:-3}"
DISPLAY="$display" import -window root "$screenshot"
echo "The calendar is running on the virtual display $display; screenshot: $screenshot"
if [ -z "${CALENDAR_EXIT_AFTER_SCREENSHOT:-}" ]; then
  echo "Press Ctrl-C to stop it."
  wait $calendar
fi
