# Sourced by try-as-user.sh, whose helpers it uses: the calendar with its clock in the year 9999,
# where the grid shows the years up to 10000, and a title of two lines pasted into the event
# editor. No window manager; the clock is set for the program alone (faketime).

# ---- The last years and a pasted title -------------------------------------------------------
echo "The year 9999 and a pasted title"
years_home=$(fresh_home)
# The library itself rather than the faketime command, which would stand between the program
# and the signal that ends it.
HOME="$years_home" XDG_CONFIG_HOME="$years_home/.config" XDG_RUNTIME_DIR="$years_home/run" \
    LD_PRELOAD="$(dpkg -L libfaketime | grep -m1 '/libfaketimeMT.so')" \
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
