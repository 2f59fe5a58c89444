# Sourced by try-as-user.sh, whose helpers it uses (and those of try-as-user-disk.sh): the quits of a user
# while another program appends to the event file every 50 ms (a sync client), and the retries
# after a full disk. No window manager; each path starts the program in a home of its own, with
# an event file of 200,000 events.

# ---- Quits while another program writes the event file -------------------------------------
disk_helpers_only=1
source tools/try-as-user-disk.sh
disk_helpers_only=0
kept_somewhere() { # line: in Calendar.tpc or in a rescue file
    local rescue
    holds "$tpc" "$1" && return 0
    while IFS= read -r rescue; do holds "$rescue" "$1" && return 0; done < <(rescue_files)
    return 1
}
no_rescue_file() { ! rescue_files | grep -q .; }
ended() { # -> the exit status of the calendar, which has ended or is ending
    wait "$calendar"
    local status=$?
    calendar=""
    return $status
}
now_ms() { echo $((${EPOCHREALTIME/[.,]/} / 1000)); }
rescued_within() { # start in ms -> how long after it a rescue file came (polled), or "none"
    local tries=50
    until rescue_files | grep -q .; do
        ((tries-- > 0)) || { echo none; return; }
        sleep 0.02
    done
    echo "$(($(now_ms) - $1)) ms"
}
confirm_with_appender() { # to-do text, log name: the item confirmed as another program appends
    start_disk_run "$2"
    open_week
    append_every_50ms "$tpc" &
    appender=$!
    add_todo "$1"
    xdotool key Return
    sleep 0.3 # the calendar's write now waits for the file to settle
}

echo "A logout's SIGKILL a second after its SIGTERM while another program appends to the file"
new_home && large_file
confirm_with_appender "Water the plants" program-quit-kill.log
shot q1-before-the-logout
started=$(now_ms)
kill -TERM "$calendar"
rescued=$(rescued_within "$started")
sleep 1
ended_itself=yes
running && ended_itself="no, killed" && kill -KILL "$calendar"
wait "$calendar" 2>/dev/null
calendar=""
kill "$appender" && wait "$appender" 2>/dev/null
echo "    rescue file after: $rescued; ended by itself within 1 s: $ended_itself"
check "the confirmed item survives the kill in the file or a rescue file" kept_somewhere "0	Water the plants"
check "the rescue file came within half a second: $rescued" \
    test "$rescued" != none -a "${rescued% ms}" -le 500
start_disk_run program-quit-kill-next.log
until_true 5 message_shown
check "the next start tells where the rescue file is" message_shown
messages=0
answer_message q2-next-start-tells
end_by SIGTERM q2-quit 10
rm -rf "$run_home"

# A logout's signal while another program goes on appending: once the item is in a rescue file
# nobody is there to wait for, so the calendar ends at once, well before a logout's SIGKILL; the
# next start tells where the item is, once.
for signal in TERM HUP INT; do
    echo "SIG$signal while another program appends to the file, which it stops two seconds later"
    new_home && large_file
    confirm_with_appender "Post the letter" "program-quit-$signal.log"
    started=$(now_ms)
    kill -"$signal" "$calendar"
    until_true 5 not running
    took=$(($(now_ms) - started))
    ended
    status=$?
    sleep 2
    kill "$appender" && wait "$appender" 2>/dev/null
    echo "    the program ended $took ms after SIG$signal"
    check "SIG$signal ends it with 0: $status" test "$status" = 0
    check "within a second: $took ms" test "$took" -le 1000
    check "the item is in a rescue file" kept_somewhere "0	Post the letter"
    check "which the log names" grep -q "what could not be saved was written to" "$shots/program-quit-$signal.log"
    start_disk_run "program-quit-$signal-next.log"
    check "the next start tells where the rescue file is" until_true 10 message_shown
    messages=0
    answer_message "q2-sig$signal-next-start-tells"
    end_by SIGTERM "q2-sig$signal-quit" 10
    start_disk_run "program-quit-$signal-third.log"
    sleep 1
    check "and the start after says nothing" not message_shown
    end_by SIGTERM "q2-sig$signal-third-quit" 10
    rm -rf "$run_home"
done

echo "Ctrl+Q while another program goes on appending to the file"
new_home && large_file
confirm_with_appender "Call the plumber" program-quit-ctrlq.log
started=$(now_ms)
timeout 5 xdotool windowfocus --sync "$main" key ctrl+q
sleep 0.5
shot q3-half-a-second-after-ctrl-q
check "half a second after Ctrl+Q the calendar is gone from the screen" not calendar_shown
messages=0
tries=100
while running && ((tries-- > 0)); do
    if message_shown; then answer_message q4-ctrl-q-rescued; else sleep 0.1; fi
done
took=$(($(now_ms) - started))
running && kill -KILL "$calendar"
ended
status=$?
kill "$appender" && wait "$appender" 2>/dev/null
check "Ctrl+Q ends it with 0 after $took ms: $status" test "$status" = 0
check "one message names the rescue file: $messages" test "$messages" = 1
check "the item is in a rescue file" kept_somewhere "0	Call the plumber"
check "which the log names" grep -q "what could not be saved was written to" "$shots/program-quit-ctrlq.log"
rm -rf "$run_home"
# ---- end of quits while another program writes --------------------------------------------

# ---- Retries after a full disk -----------------------------------------------------------------
echo "A full disk for 20 s: the retries come soon after room comes back, a new change at once"
new_home
if small_disk; then
    sample_file
    start_disk_run program-quit-retry.log
    open_week
    item_on_a_full_disk "Pay the rent"
    answer_message q5-no-room
    sleep 20
    free_disk # room again
    started=$(now_ms)
    until_true 40 holds "$tpc" "0	Pay the rent"
    took=$(($(now_ms) - started))
    check "a retry writes the item ${took} ms after room came back, within half a minute" \
        test "$took" -le 31000
    fill_disk
    add_todo "Renew the passport"
    xdotool key Return
    until_true 10 message_shown && answer_message q6-no-room-again
    sleep 20
    free_disk
    add_todo "Book the dentist"
    xdotool key Return
    started=$(now_ms)
    until_true 5 holds "$tpc" "0	Renew the passport" "0	Book the dentist"
    took=$(($(now_ms) - started))
    shot q7-written-at-once
    check "a new change after room came back writes everything at once: ${took} ms" test "$took" -le 3000
    end_by SIGTERM q8-quit 10
    check "the program ends normally" test $? = 0
    leave_small_disk
fi
rm -rf "$run_home"
# ---- end of retries after a full disk -----------------------------------------------------------

# ---- Ctrl+Q while a message shows -----------------------------------------------------------------
# Another program has replaced the event file; the confirmed item's write keeps that version and
# says so at once, and the user's Ctrl+Q comes while that message shows (its keyboard focus).
for delay in 0.2 1; do
    echo "Ctrl+Q $delay s after a confirm, while the message of another program's version shows"
    new_home
    tpc="$run_home/Documents/Calendar.tpc"
    printf '0\tBuy stamps\nEvents Data:\n' >"$tpc"
    start_disk_run "program-quit-message-$delay.log"
    open_week
    printf '0\tTheirs\nEvents Data:\n' >"$run_home/theirs.tmp" && mv "$run_home/theirs.tmp" "$tpc"
    add_todo "Water the plants"
    xdotool key Return
    sleep "$delay"
    xdotool key ctrl+q
    until_true 5 message_shown && answer_message "q9-message-then-quit-$delay"
    check "Ctrl+Q while the message showed ends the calendar once it is answered" until_true 10 not running
    check "the item is in Calendar.tpc" holds "$tpc" "0	Water the plants"
    running && kill "$calendar"
    calendar=""
    rm -rf "$run_home"
done
