# Sourced by try-as-user.sh, whose helpers it uses: the calendar with its clock in the year 9999,
# where the grid shows the years up to 10000, and a title of two lines pasted into the event
# editor; long titles in the week's holiday row in 2026. No window manager; the clock is set for
# the program alone (faketime).

# ---- The last years and a pasted title -------------------------------------------------------
echo "The year 9999 and a pasted title"
years_home=$(fresh_home)
faketime_library=$(dpkg -L libfaketime | grep -m1 '/libfaketimeMT.so')
# The library itself rather than the faketime command, which would stand between the program
# and the signal that ends it.
HOME="$years_home" XDG_CONFIG_HOME="$years_home/.config" XDG_RUNTIME_DIR="$years_home/run" \
    LD_PRELOAD="$faketime_library" \
    FAKETIME="@9999-06-15 12:00:00" "$program" >"$shots/program-years.log" 2>&1 &
calendar=$!
sleep 4
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
HOME="$years_home" XDG_CONFIG_HOME="$years_home/.config" XDG_RUNTIME_DIR="$years_home/run" \
    LD_PRELOAD="$faketime_library" FAKETIME="@2026-07-01 12:00:00" \
    "$program" >"$shots/program-holiday-row.log" 2>&1 &
calendar=$!
sleep 4
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
