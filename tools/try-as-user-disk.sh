# Sourced by try-as-user.sh, whose helpers it uses: how the calendar keeps the user's data on
# disk when the event file is moved aside at start-up, replaced by a folder or by a file of 1 TiB,
# rewritten in place or appended to by another program. No window manager; each path starts the
# program in a home of its own, whose Documents folder holds Calendar.tpc.

# ---- The user's data on disk -----------------------------------------------------------------
messages=0 # message boxes answered so far
until_true() { # seconds, command...: polls it every tenth of a second; fails at the deadline
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        ((tries-- > 0)) || return 1
        sleep 0.1
    done
}
not() { ! "$@"; }
message_box() { xdotool search --onlyvisible --name '^ $' 2>/dev/null | head -1; }
message_shown() { test -n "$(message_box)"; }
box_gone() { ! xdotool search --onlyvisible --name '^ $' 2>/dev/null | grep -qx "$1"; }
numbered() { [ "$1" = 1 ] || echo "-$1"; } # the suffix of the nth shot of a series
answer_message() { # name of its screenshot: Return to the message shown, once it is drawn
    local box
    box=$(message_box)
    [ -n "$box" ] || return 1
    sleep 0.5 && shot "$1"
    timeout 5 xdotool windowfocus --sync "$box" key Return
    messages=$((messages + 1))
    until_true 5 box_gone "$box"
}
# SIGTERM (a logout) or Ctrl+Q, each message on the way out answered -> the exit status; a
# program still running after the deadline is killed.
end_by() { # SIGTERM or ctrl+q, name of the messages' shots, seconds
    local tries=$(($3 * 10)) shown=0
    if [ "$1" = SIGTERM ]; then
        kill -TERM "$calendar"
    else
        timeout 5 xdotool windowfocus --sync "$main" key ctrl+q
    fi
    while running && ((tries-- > 0)); do
        # Counted here: an expansion inside $(...) would count in a subshell, and every shot
        # would take the first one's name.
        if message_shown; then
            shown=$((shown + 1))
            answer_message "$2$(numbered $shown)"
        else
            sleep 0.1
        fi
    done
    running && echo "    still running after $3 s: killed" && kill -KILL "$calendar"
    stop_calendar
}
start_disk_run() { # log name: the program in run_home, with its window's id in main
    start_calendar "$run_home" "$1"
    main=$(xdotool search --onlyvisible --name " Calendar$" | head -1)
}
open_week() { # of Wednesday 14 January, past the first run's help
    dismiss_quick_start_help
    xdotool mousemove 265 176 click 1
    sleep 1
}
add_todo() { # text: typed into a new row from the list's "+" header, not yet confirmed
    xdotool mousemove 1428 274 click 1
    sleep 0.3
    xdotool type --delay 20 "$1"
}
holds() { # file, line...: each line is in the file
    local file=$1 line
    shift
    for line; do grep -qxF -- "$line" "$file" 2>/dev/null || return 1; done
}
listed_first() { head -c 65536 "$tpc" 2>/dev/null | grep -qxF -- "$1"; } # a to-do line
rescue_files() {
    find "$run_home/.config" "$run_home/Documents" -maxdepth 1 -name 'Calendar rescued *.tpc' 2>/dev/null
}
outside_copies() {
    find "$run_home/Documents" -maxdepth 1 -name 'Calendar (changed outside the calendar *).tpc'
}
temporaries() { find "$run_home/Documents" -maxdepth 1 -name '.Calendar.tpc.ombrelline-write-*' | grep -q .; }
settled() { ! message_shown && ! temporaries && listed_first "$1"; } # a to-do line of the write
# Answers each message until the calendar's write has ended with its to-do line in place; a
# message told a moment after that still counts. Fails at the deadline.
settle_answering() { # to-do line, name of the messages' shots, seconds
    local tries=$(($3 * 10)) grace=20 told=$messages shown=0
    while ((tries-- > 0)); do
        if message_shown; then
            shown=$((shown + 1))
            answer_message "$2$(numbered $shown)"
            continue
        fi
        settled "$1" && { ((messages > told || grace-- == 0)) && return 0; }
        sleep 0.1
    done
    return 1
}
sample_file() { # the to-do item and event of a user, in Calendar.tpc
    tpc="$run_home/Documents/Calendar.tpc"
    printf '0\tBuy stamps\nEvents Data:\n2026-11-20 09:00:00|2026-11-20 10:00:00//Dentist\n' >"$tpc"
}
large_file() { # Calendar.tpc of 200,000 events, whose event lines are kept in events.txt
    tpc="$run_home/Documents/Calendar.tpc"
    many_events 200000 >"$run_home/events.txt"
    { printf '0\tA to-do item\nEvents Data:\n' && cat "$run_home/events.txt"; } >"$tpc"
}
append_every_50ms() { # file: an event line every 50 ms until killed
    local count=0
    while :; do
        count=$((count + 1))
        echo "2030-06-01 12:00:00|2030-06-01 12:30:00//Appended $count" >>"$1"
        sleep 0.05
    done
}
item_on_a_full_disk() { # to-do item: confirmed once the small disk is full; its message waited for
    fill_disk
    add_todo "$1"
    xdotool key Return
    messages=0
    until_true 10 message_shown
}

# Other parts that use these helpers source this file with disk_helpers_only=1.
[ "${disk_helpers_only:-0}" = 1 ] && return 0

echo "The event file moved aside while start-up tells of a line it could not read"
new_home
tpc="$run_home/Documents/Calendar.tpc"
printf '0\tBuy stamps\n1\tCall the bank\nEvents Data:\nnot an event\n' >"$tpc"
printf '2026-11-20 09:00:00|2026-11-20 10:00:00//Dentist\n' >>"$tpc"
start_disk_run program-disk-aside.log
until_true 10 message_shown
check "start-up tells of a problem with the event database" message_shown
check "before the calendar window opens" not calendar_shown
mv "$tpc" "$run_home/aside.tpc"
answer_message k1-database-message
until_true 10 calendar_shown
check "its OK opens the calendar, the file away" calendar_shown
main=$(xdotool search --onlyvisible --name " Calendar$" | head -1)
dismiss_quick_start_help
shot k2-file-away
[ -e "$tpc" ] && echo "    meanwhile the calendar wrote a Calendar.tpc: $(tr '\t\n' ' |' <"$tpc" | head -c 200)"
mv "$run_home/aside.tpc" "$tpc"
messages=0
end_by ctrl+q k3-quit-message 10
status=$?
check "Ctrl+Q ends it normally after the file came back: $status, $messages message(s)" test "$status" = 0
check "both to-do items are in Calendar.tpc" holds "$tpc" "0	Buy stamps" "1	Call the bank"
rm -rf "$run_home"

for way in SIGTERM ctrl+q; do
    echo "A folder in the event file's place after a save, then $way"
    new_home && sample_file
    start_disk_run "program-disk-folder-$way.log"
    open_week
    add_todo "Water the plants"
    xdotool key Return
    until_true 5 holds "$tpc" "0	Water the plants"
    check "the confirmed item is saved at once" holds "$tpc" "0	Buy stamps" "0	Water the plants"
    rm "$tpc" && mkdir "$tpc"
    messages=0
    end_by "$way" "k4-folder-$way" 10
    status=$?
    check "$way ends it with 0: $status" test "$status" = 0
    rescue=$(rescue_files | head -1)
    check "a rescue file holds the events and the to-do items: ${rescue#"$run_home"/}" \
        holds "${rescue:-/nonexistent}" "0	Buy stamps" "0	Water the plants" \
        "2026-11-20 09:00:00|2026-11-20 10:00:00//Dentist"
    if [ "$way" = ctrl+q ]; then
        check "one message names it: $messages" test "$messages" = 1
    else
        check "after a logout no message: $messages" test "$messages" = 0
        rmdir "$tpc"
        start_disk_run program-disk-folder-next.log
        until_true 5 message_shown
        check "the next start tells where the rescue file is" message_shown
        answer_message k5-rescue-told
        end_by SIGTERM k5-quit 10
        start_disk_run program-disk-folder-next.log
        until_true 5 calendar_shown
        shot k6-start-after
        check "the start after that tells nothing" not message_shown
        end_by SIGTERM k6-quit 10
    fi
    rm -rf "$run_home"
done

echo "A full disk"
new_home
if small_disk; then
    sample_file
    start_disk_run program-disk-full.log
    open_week
    item_on_a_full_disk "Pay the rent"
    check "a message tells that the calendar cannot save" message_shown
    answer_message k7-no-room
    check "for want of room on the disk" grep -q "There is no room left on the disk" "$shots/program-disk-full.log"
    # The retries after 2 s and 4 s more are quiet.
    until_true 7 message_shown
    check "it is told once: $messages message(s)" not message_shown
    shot k8-before-paging
    xdotool mousemove 1309 118 click 1 # the next week
    sleep 1 && shot k8-paged
    # The new week's dates and the mini month's mark: thousands of pixels, more than a minute's turn.
    check "the calendar still pages its weeks: $(changed k8-before-paging k8-paged)" \
        more_than "$(changed k8-before-paging k8-paged)" 0.002
    started=${EPOCHREALTIME/[.,]/}
    end_by ctrl+q k9-quit-message 10
    status=$?
    took=$(((${EPOCHREALTIME/[.,]/} - started) / 1000))
    check "Ctrl+Q ends it within 5 s, messages answered: ${took} ms, status $status" \
        test "$took" -le 5000 -a "$status" = 0
    rescue=$(rescue_files | head -1)
    check "the item is in a rescue file: ${rescue#"$run_home"/}" holds "${rescue:-/nonexistent}" "0	Pay the rent"
    leave_small_disk
fi
rm -rf "$run_home"

# Another program rewrites the file in place over a quarter of a second, its own version each
# round, started just before a to-do item is confirmed: the moment it hits moves with the round.
echo "Another program rewrites the event file of 200,000 events while to-do items are confirmed"
rewrite_in_place() { # text, file: truncated, then the text in 1 MB pieces 20 ms apart
    local pieces=$((($(stat -c %s "$1") + 1048575) / 1048576)) piece
    for ((piece = 0; piece < pieces; piece++)); do
        dd if="$1" bs=1M skip=$piece count=1 status=none
        sleep 0.02
    done >"$2"
}
kept_whole() { # file: Calendar.tpc or a kept copy is that file, byte for byte
    local size candidate
    size=$(stat -c %s "$1")
    while IFS= read -r candidate; do
        [ "$(stat -c %s "$candidate")" = "$size" ] && cmp -s "$1" "$candidate" && return 0
    done < <(echo "$tpc" && outside_copies)
    return 1
}
new_home && large_file
start_disk_run program-disk-rewrite.log
open_week
messages=0 survived=0 rounds=20 offsets=(0 0.06 0.12 0.18 0.24)
version="$run_home/version.tpc"
for ((round = 1; round <= rounds; round++)); do
    { printf '0\tOutside round %d\nEvents Data:\n' "$round" && cat "$run_home/events.txt"; } >"$version"
    add_todo "Round $round"
    rewrite_in_place "$version" "$tpc" &
    writer=$!
    sleep "${offsets[round % 5]}"
    xdotool key Return
    told=$messages
    settle_answering "0	Round $round" "k10-round-$round" 20 || echo "    round $round: no end of the write within 20 s"
    wait "$writer"
    if kept_whole "$version"; then survived=$((survived + 1)); else echo "    round $round: lost"; fi
    echo "    round $round: $((messages - told)) message(s), $(outside_copies | wc -l) copies in all"
done
check "the other program's version is kept whole in $survived of $rounds rounds" test "$survived" = "$rounds"
check "a message for each round: $messages" test "$messages" = "$rounds"
end_by SIGTERM k11-quit 20
check "the program ends normally" test $? = 0
rm -rf "$run_home"

echo "Another program appends to the event file for 2 s while a to-do item is confirmed"
append_lines() { # seconds, file, count file: distinct event lines, one at a time, as fast as they go
    local stop_at=$((${EPOCHREALTIME/[.,]/} + $1 * 1000000)) count=0
    while ((${EPOCHREALTIME/[.,]/} < stop_at)); do
        count=$((count + 1))
        echo "2030-06-01 12:00:00|2030-06-01 12:30:00//Appended $count" >>"$2"
    done
    echo "$count" >"$3"
}
all_appended_kept() { # -> whether every line appended is in Calendar.tpc or a kept copy
    local found
    found=$({ cat "$tpc" && outside_copies | xargs -r -d '\n' cat; } | grep -o '//Appended [0-9]*$' | sort -u | wc -l)
    echo "    $found of $(cat "$run_home/appended") appended lines kept"
    test "$found" = "$(cat "$run_home/appended")"
}
new_home && large_file
start_disk_run program-disk-append.log
open_week
add_todo "Sort the post"
size=$(stat -c %s "$tpc")
append_lines 2 "$tpc" "$run_home/appended" &
appender=$!
until_true 2 test "$(stat -c %s "$tpc")" -gt "$size"
xdotool key Return
messages=0
until_true 5 not kill -0 "$appender" 2>/dev/null
settle_answering "0	Sort the post" k12-appended 20
check "the calendar's write ends with its item in Calendar.tpc" listed_first "0	Sort the post"
check "every line appended is kept: $(outside_copies | wc -l) copies" all_appended_kept
check "one message: $messages" test "$messages" = 1
end_by SIGTERM k13-quit 20
check "the program ends normally" test $? = 0
check "and every line appended is still kept after the quit: $(outside_copies | wc -l) copies" all_appended_kept
rm -rf "$run_home"
# ---- end of the user's data on disk -----------------------------------------------------------
