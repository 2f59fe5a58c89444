# Sourced by try-as-user.sh, whose helpers it uses: the calendar under the locales its users run
# it in. Under C, then German (also its numbers alone), French, Russian and Turkish, the year is
# walked: 14 January opens its week, an event goes into its first hour, the return arrow brings
# the year back, and the event is in the file. Each screen must look as under C: the same months
# and margins, English texts, nothing mirrored under Arabic or Hebrew, Japanese or a German
# clock. On the 1440 x 900 display and on a second one of 1024 x 768. The locales are built by
# tools/build-locales.sh into build/locales, never the machine's; a locale that cannot be built
# is skipped with its reason. No window manager; each run has a home of its own.

# ---- The calendar under other locales ---------------------------------------------------------
locales="$PWD/build/locales"
bash tools/build-locales.sh "$locales" C.UTF-8 de_DE.UTF-8 fr_FR.UTF-8 ru_RU.UTF-8 tr_TR.UTF-8 \
    ja_JP.UTF-8 ar_EG.UTF-8 he_IL.UTF-8
# The difference between the same area of two screenshots, as a share of its pixels.
locale_area_changed() { # shot, shot, WxH+X+Y
    compare -metric AE -fuzz 10% "$shots/$1.png[$3]" "$shots/$2.png[$3]" null: 2>&1 |
        awk -v area="$3" '{ split(area, s, "[x+]"); print $1 / (s[1] * s[2]) }'
}
locale_built() { [ -f "$locales/$1/LC_CTYPE" ]; }
# 14 January of this year in the year grid of the Four Seasons edition, and the first hour of its
# day in the week face, on a screen of that size: the grid's top, margins, columns and rows as the
# edition gives them; the week face's grid below a header of 60, a time column of 60 and seven
# days beside small months 168 wide; the return arrow at the header's right end.
locale_places() { # width height
    local year dow first
    year=$(date +%Y)
    dow=$(date -d "$year-01-14" +%w) first=$(date -d "$year-01-01" +%w)
    # The edition's shares: title band and calendar area as the locale table of the tests reads
    # them (0.08 and 0.62 wide, 0.0797 and 0.6203 on 4:3), margins 0.02, 0.06 and 0.11.
    awk -v w="$1" -v h="$2" -v dow="$dow" -v first="$first" 'BEGIN {
        t = (w / h > 1.5) ? 0.08 : 0.0796875; a = (w / h > 1.5) ? 0.62 : 0.6203125
        top = int(h * t); gh = int(h * a); left = w * 0.06; right = w * 0.11
        margin = int(gh * 0.02); cw = int((w - left - right) / 30); rh = int((gh - margin) / 27)
        row = 3 + int((first + 13) / 7); column = dow + 1
        printf "%d %d ", left + (column + 0.5) * cw, top + margin + (row - 0.5) * rh
        printf "%d %d ", 60 + (column - 0.5) * (w - 228) / 7, int(h * t + 60) + 8
        printf "%d %d %d %d\n", w - 10, top + 9, top, gh
    }'
}
# One walk under the given locale variables; its shots are NAME-year, -week, -editor, -year-again.
locale_walk() { # name, WIDTHxHEIGHT, VARIABLE=value...
    local name=$1 size=$2 w h day_x day_y slot_x slot_y back_x back_y top grid_height editor
    shift 2
    w=${size%x*} h=${size#*x}
    read -r day_x day_y slot_x slot_y back_x back_y top grid_height < <(locale_places "$w" "$h")
    new_home
    mkdir -p "$run_home/.config" && printf '0;0;1;0;' >"$run_home/.config/QVCalendar.prefs"
    env -u LC_ALL -u LANGUAGE -u LC_NUMERIC -u LC_TIME LANG=C LOCPATH="$locales" HOME="$run_home" \
        XDG_CONFIG_HOME="$run_home/.config" XDG_RUNTIME_DIR="$run_home/run" "$@" "$program" \
        >>"$shots/program-locale-$name.log" 2>&1 &
    calendar=$!
    sleep 3
    xdotool mousemove $((w / 2)) 20
    sleep 0.5 && shot "$name-year"
    xdotool mousemove "$day_x" "$day_y" click 1
    sleep 1 && shot "$name-week"
    xdotool mousemove "$slot_x" "$slot_y" click 1
    sleep 1
    editor=$(xdotool search --onlyvisible --name "^Calendar Event$" | head -1)
    if [ -n "$editor" ]; then
        xdotool type --delay 20 "Team lunch"
        sleep 0.3 && shot "$name-editor"
        xdotool key Return
        sleep 1
    fi
    check "$name: a click on the slot opens the event editor" test -n "$editor"
    xdotool mousemove "$back_x" "$back_y" click 1
    xdotool mousemove $((w / 2)) 20
    sleep 1 && shot "$name-year-again"
    stop_calendar
    check "$name: the program ended normally" test $? = 0
    check "$name: the event is in the file at 14 January's first hour" \
        grep -q "^$(date +%Y)-01-14 08:00:00|.*//Team lunch$" "$run_home/Documents/Calendar.tpc"
    check "$name: nothing was reported on the console" quiet_console "program-locale-$name.log"
    rm -rf "$run_home"
    calendar_area="${w}x${grid_height}+0+$top"
}
# The walk under a locale, its screens compared with C's of the same size.
locale_compare() { # name, C's name, WIDTHxHEIGHT, VARIABLE=value...
    local name=$1 c=$2 step share
    shift 2
    locale_walk "$name" "$@"
    for step in year week year-again; do
        share=$(locale_area_changed "$c-$step" "$name-$step" "$calendar_area")
        check "$name: the $step looks as under C below the clock: $share" more_than 0.002 "$share"
    done
    if [ -f "$shots/$name-editor.png" ]; then
        check "$name: the editor looks as under C" \
            more_than 0.002 "$(locale_area_changed "$c-editor" "$name-editor" "$calendar_area")"
    fi
}
echo "Under other locales"
if ! locale_built C.UTF-8; then
    echo "  skip  C.UTF-8 could not be built: $(head -1 "$locales/C.UTF-8.missing")"
else
    locale_walk c-wide 1440x900 LANG=C.UTF-8
    check "c-wide: the week face differs from the year" more_than "$(changed c-wide-year c-wide-week)" 0.3
    check "c-wide: the year is back" \
        more_than 0.02 "$(locale_area_changed c-wide-year c-wide-year-again "$calendar_area")"
    for run in de_DE.UTF-8:de-wide:LANG fr_FR.UTF-8:fr-wide:LANG ru_RU.UTF-8:ru-wide:LANG \
        tr_TR.UTF-8:tr-wide:LANG ja_JP.UTF-8:ja-wide:LANG ar_EG.UTF-8:ar-wide:LANG \
        he_IL.UTF-8:he-wide:LANG de_DE.UTF-8:de-numbers-wide:LC_NUMERIC \
        de_DE.UTF-8:de-time-wide:LC_TIME; do
        IFS=: read -r locale name variable <<<"$run"
        if locale_built "$locale"; then
            locale_compare "$name" c-wide 1440x900 LANG=C.UTF-8 "$variable=$locale"
        else
            echo "  skip  $name: $(head -1 "$locales/$locale.missing")"
        fi
    done
    # A 4:3 screen: a second display of its own.
    wide_display=$DISPLAY wide_xvfb=$xvfb
    if start_virtual_display 1024x768; then
        export DISPLAY=$display
        locale_walk c-4x3 1024x768 LANG=C.UTF-8
        if locale_built de_DE.UTF-8; then
            locale_compare de-4x3 c-4x3 1024x768 LANG=de_DE.UTF-8
        fi
        kill "$xvfb" 2>/dev/null
    fi
    export DISPLAY=$wide_display
    xvfb=$wide_xvfb
fi
# ---- end of the calendar under other locales --------------------------------------------------
