# Sourced by try-as-user.sh, whose helpers it uses: the calendar with its clock in the year 9999,
# where the grid shows the years up to 10000, and a title of two lines pasted into the event
# editor; long titles in the week's holiday row in 2026; the year paged behind a week of 2026,
# and a week paged back out of the grid's first year. No window manager; the clock is set for
# the program alone (faketime).

# ---- The last years and a pasted title -------------------------------------------------------
echo "The year 9999 and a pasted title"
years_home=$(fresh_home)
faketime_library=$(dpkg -L libfaketime | grep -m1 '/libfaketimeMT.so')
# The calendar in years_home with its clock at the date and time given (the program's alone),
# its output added to the log named. The library itself rather than the faketime command, which
# would stand between the program and the signal that ends it.
start_on() { # date and time, log name
    HOME="$years_home" XDG_CONFIG_HOME="$years_home/.config" XDG_RUNTIME_DIR="$years_home/run" \
        LD_PRELOAD="$faketime_library" FAKETIME="@$1" "$program" >>"$shots/$2" 2>&1 &
    calendar=$!
    sleep 4
}
start_on "9999-06-15 12:00:00" program-years.log
dismiss_quick_start_help
shot years-1-9999
check "in 9999 the year shows with no message" \
    bash -c "! xdotool search --onlyvisible --name '^ \$' | grep -q . && ! grep -q 'Unexpected' '$shots/program-years.log'"
xdotool mousemove 521 358 click 1 # Tuesday 15 June 9999
sleep 1 && shot years-2-week
check "its date opens the week" more_than "$(changed years-1-9999 years-2-week)" 0.3
xdotool mousemove $((60 + 2 * 173 + 80)) $((131 + 4 * 17 + 8)) click 1 # 10:00 on Tuesday
sleep 1
years_editor=$(xdotool search --onlyvisible --name "^Calendar Event$" | head -1)
check "a slot of 9999 opens the editor" test -n "$years_editor"
if [ -n "$years_editor" ]; then
    printf 'Line one\nLine two\n' | xclip -selection clipboard
    xdotool key ctrl+a ctrl+v
    sleep 0.3 && shot years-3-pasted
    xdotool key Return
    sleep 1 && shot years-4-event
fi
stop_calendar
check "the program ended normally" test $? = 0
check "the pasted title is one line, its break a blank: $(grep -m1 '^9999-06-15' "$years_home/Documents/Calendar.tpc")" \
    grep -qx "9999-06-15 10:00:00|9999-06-15 10:30:00//Line one Line two" \
    "$years_home/Documents/Calendar.tpc"
pkill -x xclip 2>/dev/null
rm -rf "$years_home"
# ---- end of the last years -------------------------------------------------------------------

# ---- Long titles in the week's holiday row ---------------------------------------------------
# On 1 July 2026 the year grid shows 2026 alone; the week grid's holiday row lies at y 590, 17
# high, its day columns 173 wide from x 60. A title drawn below its row shows a few pixels at
# most; one in its row, some hundreds.
echo "Long titles in the week's holiday row"
years_home=$(fresh_home)
printf 'Events Data:\n2026-12-23 00:00:00|2026-12-23 00:00:00//Christmas with the whole family!//Countdown\n' \
    >"$years_home/Documents/Calendar.tpc"
start_on "2026-07-01 12:00:00" program-holiday-row.log
dismiss_quick_start_help
holiday_ink() { # shot, day column (1 Sunday to 7 Saturday) -> dark pixels in its holiday cell
    convert "$shots/$1.png" -crop "173x17+$((60 + ($2 - 1) * 173))+590" +repage -colorspace gray \
        -threshold 30% -negate -format '%[fx:round(mean*w*h)]' info:
}
xdotool mousemove 990 317 click 1 # Saturday 4 July
sleep 1 && shot holiday-1-july
check "Independence Day shows in Saturday's holiday row" test "$(holiday_ink holiday-1-july 7)" -gt 100
xdotool mousemove 1430 80 click 1 # the return arrow
sleep 1 && xdotool mousemove 1185 558 click 1 # Wednesday 23 December
sleep 1 && shot holiday-2-december
check "the countdown's long title shows in Wednesday's holiday row" \
    test "$(holiday_ink holiday-2-december 4)" -gt 100
stop_calendar
check "nothing was reported on the console" quiet_console program-holiday-row.log
rm -rf "$years_home"
# ---- end of the long holiday titles ----------------------------------------------------------

# ---- A year paged behind the week ------------------------------------------------------------
# On 19 March 2026 the grid holds 2025 to 2027; Thursday 19 March lies at (925, 172) and
# Wednesday 1 January 2025 at (289, 138), the week grid's 11:00 row at y 241 and its day columns
# at x 60 + 173 a day. The year is paged behind the week by a wheel notch over the bottom band,
# Page Up after a click on the week header and Page Down while the calendar is slid away; the
# events clicked in between stay on the days clicked, and the year face comes back on 2027.
# Then a week paged back from 1 January 2025: the year face comes back on 2025, with its months.
echo "A year paged behind the week"
years_home=$(fresh_home)
start_on "2026-03-19 12:00:00" program-paged.log
dismiss_quick_start_help
shot paged-1-year
slot_event() { # day column (1 Sunday to 7 Saturday), title: an event at 11:00 through the editor
    xdotool mousemove $((60 + ($1 - 1) * 173 + 80)) 241 click 1
    sleep 1
    if xdotool search --onlyvisible --name "^Calendar Event$" >/dev/null; then
        shot "paged-editor-$2"
        xdotool type --delay 20 "$2"
        xdotool key Return
        sleep 0.5
    fi
}
xdotool mousemove 925 172 click 1 # Thursday 19 March
sleep 1 && shot paged-2-week
check "19 March opens its week" more_than "$(changed paged-1-year paged-2-week)" 0.3
xdotool mousemove 700 820 click 5 # the wheel down, over the bottom band
sleep 0.5 && shot paged-3-wheel
check "a wheel notch over the bottom band leaves the week as it was" \
    more_than 0.001 "$(changed paged-2-week paged-3-wheel)"
slot_event 5 Dentist
xdotool mousemove 300 80 click 1 key Prior # a day's label in the week header, then Page Up
slot_event 6 Lunch
xdotool key space
sleep 1.5
xdotool key Next space # Page Down on the tab, and back
sleep 1.5
slot_event 7 Gym
shot paged-4-week
xdotool mousemove 1430 80 click 1 # the return arrow
sleep 1 && xdotool mousemove 700 20 && sleep 0.3 && shot paged-5-year
xdotool key Prior
sleep 0.5 && shot paged-6-year-before
check "the year face comes back on another year, the one after the week's" \
    more_than "$(changed paged-1-year paged-5-year)" 0.005
check "one page back shows the week's year again, with its events" \
    more_than 0.005 "$(changed paged-1-year paged-6-year-before)"
stop_calendar
check "the program ended normally" test $? = 0
for line in "2026-03-19 11:00:00|2026-03-19 11:30:00//Dentist" \
    "2026-03-20 11:00:00|2026-03-20 11:30:00//Lunch" "2026-03-21 11:00:00|2026-03-21 11:30:00//Gym"; do
    check "the event is stored on the day clicked: ${line#*//}" \
        grep -qxF "$line" "$years_home/Documents/Calendar.tpc"
done

start_on "2026-03-19 12:00:00" program-paged.log
xdotool mousemove 700 20 click 1 key Prior # the year face on 2025
sleep 0.5 && shot paged-7-2025
xdotool mousemove 289 138 click 1 # Wednesday 1 January 2025
sleep 1 && xdotool mousemove 1284 118 click 1 # the week before
sleep 1 && shot paged-8-december-2024
check "the week before 1 January 2025 is shown" more_than "$(changed paged-7-2025 paged-8-december-2024)" 0.05
xdotool mousemove 1430 80 click 1 # the return arrow
sleep 1 && xdotool mousemove 700 20 && sleep 0.3 && shot paged-9-year
check "back from a week of 2024, the year face shows 2025 with its months" \
    more_than 0.001 "$(changed paged-7-2025 paged-9-year)"
xdotool key Up
sleep 0.5 && shot paged-10-up
xdotool key Down
sleep 0.5 && shot paged-11-down
check "the up key leaves 2025" more_than 0.001 "$(changed paged-9-year paged-10-up)"
check "the down key shows 2026" more_than 0.005 "$(changed paged-1-year paged-11-down)"
stop_calendar
check "nothing was reported on the console" quiet_console program-paged.log
rm -rf "$years_home"
# ---- end of a year paged behind the week -----------------------------------------------------
