# Sourced by try-as-user.sh, whose helpers it uses (and those of try-as-user-disk.sh): the ends of a session that no quit command
# starts, and starts that end at once: no usable X display (none named, nothing there, a server
# that never answers or closes too late, the clock in 9999 too, the wrong key). The X server ended under the calendar as a startx or xinit
# logout ends it (on a display of its own), with a to-do item typed, during a Ctrl+Q that waits for
# a script appending to the event file, and with a change a full disk refused; a logout's SIGHUP
# after another program changed the event file; a logout's SIGTERM while Ctrl+Q's message is up; a
# home the user cannot write. Each next start's message is screenshotted. No window manager; each
# run has a home of its own.

# ---- The ends of a session ---------------------------------------------------------------------
disk_helpers_only=1
source tools/try-as-user-disk.sh
disk_helpers_only=0
has_line() { grep -qxF -- "$2" "$1" 2>/dev/null; } # file, line
ended_by_itself() { ! kill -0 "$calendar" 2>/dev/null; }
exit_status() { # of the calendar, once it has ended
    wait "$calendar"
    local status=$?
    calendar=""
    return $status
}
type_todo() { # text: a new row of the week's to-do list, typed, not confirmed
    dismiss_quick_start_help
    xdotool mousemove 265 176 click 1
    sleep 1
    xdotool mousemove 1428 274 click 1
    sleep 0.3
    xdotool type --delay 20 "$1"
    sleep 0.5
}
answer_and_shoot() { # shot name: the message shown, answered with Return
    until_true 10 test -n "$(message_box)" || return 1
    sleep 0.5 && shot "$1"
    timeout 5 xdotool windowfocus --sync "$(message_box)" key Return
    sleep 0.5
}
next_start() { # shot name: the calendar started again in run_home; its message screenshotted
    start_calendar "$run_home" "program-ends-next.log"
    check "the next start tells what the last end kept" answer_and_shoot "$1"
    stop_calendar
}
# A display of its own, so that its end takes nothing else with it: display and xvfb keep the
# main display's while it runs, own_display and own_xvfb name it.
start_own_display() {
    local main_display=$display main_xvfb=$xvfb
    start_virtual_display "${width}x${height}" || return 1
    own_display=$display own_xvfb=$xvfb
    display=$main_display xvfb=$main_xvfb
}
end_x_server() { # shot name, command run at the kill: the X server of the own display killed under the calendar
    DISPLAY=$own_display shot "$1"
    kill -KILL "$own_xvfb"
    local killed
    killed=$(date +%s%N)
    "${@:2}"
    until_true 20 ended_by_itself
    x_end_took=$((($(date +%s%N) - killed) / 1000000)) # ms, to a tenth of a second
    exit_status
}
user_file() { # a to-do item of the user's, in Calendar.tpc
    tpc="$run_home/Documents/Calendar.tpc"
    printf '0\tBuy stamps\nEvents Data:\n' >"$tpc"
}
rescued() { rescue_files | grep -q .; }
kept_beside_prefs() { find "$run_home/.config" -maxdepth 1 -name 'Calendar rescued *.tpc' | head -1; }

echo "Without a usable X display: one line, status 1, nothing taken"
no_display() { # what, then the environment's changes: the calendar started from a console
    new_home
    local started
    started=$(date +%s.%N)
    env "${@:2}" HOME="$run_home" XDG_CONFIG_HOME="$run_home/.config" "$program" \
        >"$shots/program-no-display.log" 2>&1
    local status=$?
    no_display_took=$(echo "scale=2; ($(date +%s.%N) - $started) / 1" | bc)
    check "$1: status $status, one line" \
        test "$status:$(wc -l <"$shots/program-no-display.log")" = 1:1
    sed 's/^/        /' "$shots/program-no-display.log"
    check "and no lock taken" test ! -e "$run_home/.config"
    rm -rf "$run_home"
}
nothing_answers() { ! DISPLAY=":$1" xdpyinfo >/dev/null 2>&1; }
free=100
until nothing_answers $free; do free=$((free + 1)); done
no_display "DISPLAY not set" -u DISPLAY
no_display "DISPLAY empty" DISPLAY=
no_display "nothing on :$free" DISPLAY=":$free"
# A server that takes the connection and never answers, as a hung one does; or that closes it
# a second after the calendar's bound of five, which is still no answer in time. The clock in
# 9999 (faketime, which fakes the monotonic clock too) keeps the same bound.
silent_server() { # seconds until it closes a connection, 0 never -> the display in $silent_display
    silent=$(mktemp)
    python3 -c 'import socket, sys, time
s = socket.socket()
for n in range(100, 200):
    try: s.bind(("127.0.0.1", 6000 + n)); break
    except OSError: pass
s.listen(5); print(n, flush=True); held = []
while True:
    held.append(s.accept())
    if float(sys.argv[1]): time.sleep(float(sys.argv[1])); held.pop()[0].close()' "$1" >"$silent" &
    listener=$!
    until_true 10 test -s "$silent"
    silent_display="127.0.0.1:$(cat "$silent")"
}
given_up_in_time() {
    grep -q "did not answer within 5 seconds" "$shots/program-no-display.log" &&
        test "$(echo "$no_display_took < 5.6" | bc)" = 1
}
in_time() { check "$1: given up after five seconds ($no_display_took s)" given_up_in_time; }
silent_server 0
no_display "a server that never answers" DISPLAY="$silent_display"
in_time "a server that never answers"
no_display "the same in 9999" DISPLAY="$silent_display" FAKETIME="@9999-06-15 12:00:00" \
    LD_PRELOAD="$(dpkg -L libfaketime | grep -m1 '/libfaketimeMT.so')"
in_time "the same in 9999"
kill "$listener"
rm -f "$silent"
silent_server 6
no_display "a server that closes at 6 s" DISPLAY="$silent_display"
in_time "a server that closes at 6 s"
kill "$listener"
rm -f "$silent"
# A display that asks for a key: the user's key file holds another.
keys=$(mktemp -d)
xauth -q -f "$keys/server" add :0 . "$(mcookie)" 2>/dev/null
numbers="$keys/number"
Xvfb -displayfd 3 -auth "$keys/server" -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$numbers" \
    >/dev/null 2>&1 &
keyed=$!
until_true 10 test -s "$numbers"
keyed_display=":$(head -1 "$numbers")"
xauth -q -f "$keys/wrong" add "$keyed_display" . "$(mcookie)" 2>/dev/null
no_display "the wrong key for $keyed_display" DISPLAY="$keyed_display" XAUTHORITY="$keys/wrong"
# With the right key it starts as ever, though it is the server's only client: such a server
# starts afresh when its last client leaves, which a look at the display must not bring about.
xauth -q -f "$keys/right" add "$keyed_display" . "$(xauth -f "$keys/server" list | awk '{print $3}')" 2>/dev/null
new_home
DISPLAY=$keyed_display XAUTHORITY="$keys/right" start_calendar "$run_home" program-keyed.log
keyed_shown() { DISPLAY=$keyed_display XAUTHORITY="$keys/right" calendar_shown; }
check "the right key for $keyed_display: the calendar starts" until_true 10 keyed_shown
DISPLAY=$keyed_display XAUTHORITY="$keys/right" shot e0-keyed-display
end_calendar
kill "$keyed"
rm -rf "$keys"

echo "The X server ends under the calendar (a startx logout) while a to-do item is typed"
new_home && user_file
start_own_display || exit 1
DISPLAY=$own_display start_calendar "$run_home" program-ends-x-typed.log
DISPLAY=$own_display type_todo "Water the plants"
end_x_server e1-x-typed
status=$?
check "the calendar ends by itself, with status 1 (no crash): $status" test "$status" = 1
check "the typed item is in the event file" has_line "$tpc" "0	Water the plants"
check "the toolkit said the connection broke" grep -q "X11 connection broke" "$shots/program-ends-x-typed.log"
check "and nothing else went wrong" bash -c "! grep -qi 'segmentation\|sanitizer\|abort' '$shots/program-ends-x-typed.log'"
rm -rf "$run_home"

# Ctrl+Q while a script appends to the event file (a sync client): the quit rescues the item at
# once and waits for the script; the X server ends while it waits (the script going on, or
# stopping then), or while the quit tells that it could not write.
for script in goes-on stops tells; do
    echo "The X server ends while Ctrl+Q waits for a script appending to the event file ($script)"
    new_home && user_file
    start_own_display || exit 1
    DISPLAY=$own_display start_calendar "$run_home" "program-ends-x-quit-$script.log"
    DISPLAY=$own_display type_todo "Feed the cat"
    append_every_50ms "$tpc" &
    appender=$!
    sleep 0.3
    DISPLAY=$own_display xdotool key ctrl+q
    check "the quit rescues the item at once" until_true 2 rescued
    if [ $script = tells ]; then
        told_on_own_display() { test -n "$(DISPLAY=$own_display message_box)"; }
        check "the quit tells that it could not write" until_true 10 told_on_own_display
    fi
    stop_appender() { [ $script = stops ] && kill "$appender"; }
    end_x_server "e7-x-quit-$script" stop_appender
    status=$?
    kill "$appender" 2>/dev/null
    wait "$appender" 2>/dev/null
    check "the calendar ends by itself, with status 1: $status" test "$status" = 1
    check "well within a second of the X server's end: $x_end_took ms" test "$x_end_took" -le 700
    note="$run_home/.config/QVCalendar.rescued"
    if [ $script = stops ]; then
        copy=$(outside_copies | head -1)
        check "the item is in the event file" has_line "$tpc" "0	Feed the cat"
        check "the script's version is kept: ${copy#"$run_home"/}" grep -q "//Appended" "${copy:-/nonexistent}"
        check "no rescue file is left" test -z "$(rescue_files)"
        check "the kept copy is noted for the next start" has_line "$note" "copy	$copy"
    else
        rescue=$(rescue_files | head -1)
        check "the item is in the rescue file: ${rescue#"$run_home"/}" has_line "${rescue:-/nonexistent}" "0	Feed the cat"
        check "the rescue is noted for the next start" has_line "$note" "$rescue"
    fi
    next_start "e8-x-quit-$script-next-start"
    check "which is told once" test ! -e "$note"
    rm -rf "$run_home"
done

echo "The X server ends while a change that a full disk refused waits for its retry"
new_home
if small_disk; then
    user_file
    start_own_display || exit 1
    DISPLAY=$own_display start_calendar "$run_home" program-ends-x-full.log
    fill_disk
    DISPLAY=$own_display type_todo "Pay the rent"
    DISPLAY=$own_display xdotool key Return
    told_on_own_display() { test -n "$(DISPLAY=$own_display message_box)"; }
    check "the refusal is told" until_true 10 told_on_own_display
    end_x_server e2-x-full-message
    status=$?
    check "the calendar ends by itself, with status 1: $status" test "$status" = 1
    rescue=$(kept_beside_prefs)
    check "the item is in a rescue file: ${rescue#"$run_home"/}" has_line "${rescue:-/nonexistent}" "0	Pay the rent"
    check "the rescue is noted for the next start" has_line "$run_home/.config/QVCalendar.rescued" "$rescue"
    free_disk
    next_start e3-x-next-start
    check "which is told once" test ! -e "$run_home/.config/QVCalendar.rescued"
    leave_small_disk
fi
rm -rf "$run_home"

echo "A logout's SIGHUP after another program changed the event file"
new_home && user_file
start_calendar "$run_home" program-ends-hup.log
type_todo "Call the plumber"
xdotool key Return
sleep 2
printf '0\tBuy stamps\n0\tFrom the phone\nEvents Data:\n' >"$tpc"
kill -HUP "$calendar"
until_true 10 ended_by_itself
exit_status
status=$?
check "SIGHUP ends the calendar normally: $status" test "$status" = 0
copy=$(find "$run_home/Documents" -maxdepth 1 -name 'Calendar (changed outside the calendar *).tpc' | head -1)
check "the other program's version is kept: ${copy#"$run_home"/}" has_line "${copy:-/nonexistent}" "0	From the phone"
check "the calendar's own is in the file" has_line "$tpc" "0	Call the plumber"
check "the kept copy is noted for the next start" grep -qF "$copy" "$run_home/.config/QVCalendar.rescued"
# A logout while the next start's message shows, before anyone answered it: the start after tells
# it again, and only an answer takes it out of the note.
start_calendar "$run_home" "program-ends-next.log"
check "the next start tells the kept copy" until_true 10 message_shown
shot e4-hup-next-start-unanswered
stop_calendar
check "a logout while it shows leaves the note" grep -qF "$copy" "$run_home/.config/QVCalendar.rescued"
next_start e4-hup-start-after
check "the answered message takes it out" test ! -e "$run_home/.config/QVCalendar.rescued"
rm -rf "$run_home"

# A logout's SIGTERM while Ctrl+Q's message is up: it could not write (a folder in the event
# file's place), or it kept another program's version of the file. The calendar ends within a
# second or so, what the message told noted; the next start tells it once.
for told in cannot-write copy; do
    echo "A logout's SIGTERM while Ctrl+Q's message tells it ($told)"
    new_home && user_file
    note="$run_home/.config/QVCalendar.rescued"
    start_calendar "$run_home" "program-ends-term-quit-$told.log"
    type_todo "Post the letter"
    if [ $told = cannot-write ]; then
        rm "$tpc" && mkdir "$tpc"
    else
        printf '0\tBuy stamps\n0\tFrom the phone\nEvents Data:\n' >"$tpc"
    fi
    xdotool key ctrl+q
    check "the quit's message shows" until_true 10 message_shown
    shot "e9-term-quit-$told-message"
    started=$(date +%s%N)
    kill -TERM "$calendar"
    check "SIGTERM ends the calendar" until_true 5 ended_by_itself
    echo "    ended $((($(date +%s%N) - started) / 1000000)) ms after SIGTERM"
    exit_status
    status=$?
    check "normally: $status" test "$status" = 0
    if [ $told = cannot-write ]; then
        rescue=$(kept_beside_prefs)
        check "the item is in a rescue file: ${rescue#"$run_home"/}" has_line "${rescue:-/nonexistent}" "0	Post the letter"
        check "the rescue is noted for the next start" has_line "$note" "$rescue"
        rmdir "$tpc" && user_file
    else
        copy=$(outside_copies | head -1)
        check "the item is in the event file" has_line "$tpc" "0	Post the letter"
        check "the other program's version is kept: ${copy#"$run_home"/}" has_line "${copy:-/nonexistent}" "0	From the phone"
        check "the kept copy is noted for the next start" has_line "$note" "copy	$copy"
    fi
    next_start "e9-term-quit-$told-next-start"
    check "which is told once" test ! -e "$note"
    rm -rf "$run_home"
done

# A shell's redirect (a download, a decryption asking for its passphrase) empties the event file
# and writes it a few seconds later; the session ends in between, by a logout's SIGTERM or the X
# server's end. What it wrote is named and told at the next start.
redirect_at_the_end() { # SIGTERM or x-server
    local on=$DISPLAY
    new_home && user_file
    printf '0\tFrom the download\nEvents Data:\n' >"$run_home/download.tpc"
    if [ "$1" = x-server ]; then start_own_display || return 1; on=$own_display; fi
    DISPLAY=$on start_calendar "$run_home" "program-ends-redirect-$1.log"
    DISPLAY=$on type_todo "Feed the cat"
    DISPLAY=$on xdotool key Return
    sleep 1
    { sleep 3 && cat "$run_home/download.tpc"; } >"$tpc" &
    local writer=$!
    sleep 0.5
    if [ "$1" = x-server ]; then
        end_x_server "e7-redirect-$1"
    else
        kill -TERM "$calendar" && until_true 20 ended_by_itself && exit_status
    fi
    wait "$writer"
    check "the calendar's own text is in the file" has_line "$tpc" "0	Feed the cat"
    check "the redirect's file is noted for the next start" grep -q "^parked" "$run_home/.config/QVCalendar.rescued"
    next_start "e8-redirect-$1-next-start"
    local copy
    copy=$(find "$run_home/Documents" -maxdepth 1 -name 'Calendar (changed outside the calendar *).tpc' | head -1)
    check "the next start names what the redirect wrote: ${copy#"$run_home"/}" cmp -s "${copy:-/nonexistent}" "$run_home/download.tpc"
    check "and nothing is left under a hidden name" bash -c "! ls -A '$run_home/Documents' | grep -q ombrelline-parked"
    rm -rf "$run_home"
}
for end in SIGTERM x-server; do
    echo "A shell's redirect empties the event file and writes it after the session's end ($end)"
    redirect_at_the_end "$end"
done

# A full home: Documents and the configuration folder on one small disk, full. A typed item and
# Ctrl+Q: the message names the rescue in /var/tmp (a folder of the run's own in its place, in a
# mount namespace of the program's own); then a logout's SIGTERM or SIGHUP, the X server's end, or
# a SIGKILL while it is up. The next start, with room again, tells where the item is, once.
full_home() { # Documents on a small disk of its own, the configuration folder a folder of it
    small_disk || return 1
    mkdir -p "$run_home/Documents/.config-disk" "$run_home/.config" "$run_home/var-tmp"
    chmod 1777 "$run_home/var-tmp"
    mount --bind "$run_home/Documents/.config-disk" "$run_home/.config"
}
leave_full_home() { umount "$run_home/.config" 2>/dev/null; leave_small_disk; }
start_with_own_var_tmp() { # log name, display: the program sees the run's var-tmp as /var/tmp
    DISPLAY=$2 unshare -m sh -c 'mount --bind "$0" /var/tmp && exec "$@"' "$run_home/var-tmp" \
        env HOME="$run_home" XDG_CONFIG_HOME="$run_home/.config" XDG_RUNTIME_DIR="$run_home/run" \
        "$program" >>"$shots/$1" 2>&1 &
    calendar=$!
    sleep 3
}
var_tmp_rescue() { find "$run_home/var-tmp" -maxdepth 1 -name 'Calendar rescued *.tpc' | head -1; }
for end in SIGTERM SIGHUP x-server SIGKILL; do
    echo "A full home, a typed item and Ctrl+Q; then $end at its message"
    new_home
    full_home || { rm -rf "$run_home"; break; }
    user_file
    on=$DISPLAY
    if [ $end = x-server ]; then start_own_display || exit 1; on=$own_display; fi
    start_with_own_var_tmp "program-ends-full-$end.log" "$on"
    fill_disk
    DISPLAY=$on type_todo "Water the plants"
    DISPLAY=$on xdotool key ctrl+q
    told_on() { test -n "$(DISPLAY=$on message_box)"; }
    check "the quit's message shows" until_true 10 told_on
    DISPLAY=$on shot "e10-full-$end-message"
    rescue=$(var_tmp_rescue)
    check "the item is in a rescue file in /var/tmp: ${rescue#"$run_home"/}" has_line "${rescue:-/nonexistent}" "0	Water the plants"
    check "noted there before the message showed" grep -qxF "/var/tmp/$(basename "${rescue:-x}")" "$run_home/var-tmp/.QVCalendar.rescued-0"
    case $end in
    x-server) end_x_server "e10-full-$end-end" ;;
    SIGKILL) kill -KILL "$calendar" && exit_status ;;
    *) kill -"${end#SIG}" "$calendar" && until_true 5 ended_by_itself && exit_status ;;
    esac
    echo "    ended with status $?"
    free_disk
    start_with_own_var_tmp "program-ends-full-$end-next.log" "$DISPLAY"
    check "the next start tells where the item is" until_true 10 message_shown
    answer_and_shoot "e11-full-$end-next-start"
    stop_calendar
    start_with_own_var_tmp "program-ends-full-$end-third.log" "$DISPLAY"
    check "the start after says nothing" not message_shown
    stop_calendar
    check "and the note is gone" test ! -e "$run_home/var-tmp/.QVCalendar.rescued-0"
    leave_full_home
    rm -rf "$run_home"
done

# A line that is no event: the start-up's message says it was set aside in Calendar.tpc.skipped; a
# logout's SIGTERM while that message is up. The next start tells where the line went, once.
echo "A logout's SIGTERM while the start-up tells of a line it set aside"
new_home
tpc="$run_home/Documents/Calendar.tpc"
printf '0\tBuy stamps\nEvents Data:\nnot an event\n2026-11-20 09:00:00|2026-11-20 10:00:00//Dentist\n' >"$tpc"
start_calendar "$run_home" program-ends-set-aside.log
check "the start-up tells of the line" until_true 10 message_shown
shot e12-set-aside-message
kill -TERM "$calendar" && until_true 5 ended_by_itself
exit_status
check "SIGTERM ends it normally: $?" test $? = 0
check "the line is in Calendar.tpc.skipped" has_line "$tpc.skipped" "not an event"
check "and out of the event file" not has_line "$tpc" "not an event"
check "the message is noted for the next start" has_line "$run_home/.config/QVCalendar.rescued" "skipped	$tpc.skipped"
next_start e12-set-aside-next-start
start_calendar "$run_home" program-ends-set-aside-third.log
check "the start after says nothing" not message_shown
stop_calendar
check "and the note is gone" test ! -e "$run_home/.config/QVCalendar.rescued"
rm -rf "$run_home"

# A home the user cannot write: the program runs as nobody in a home of root's, its Documents and
# configuration folders root's too. The temporary folder a restart keeps (/var/tmp: a folder of
# the run's own in its place, in a mount namespace of the program's own), then the temporary
# folder, then nothing at all takes the rescue; the session's run-time folder, which the logout
# removes, never does, though it can be written. Another user has made every name the rescue could
# have had in the shared folder had its name been only the moment's.
take_the_moments_names() { # folder: every name of the next minute's rescues, were they only named for their moment
    local now second stamp n
    now=$(date +%s)
    for second in $(seq "$now" $((now + 60))); do
        stamp=$(date -d "@$second" '+%Y-%m-%d %H.%M.%S')
        echo "$1/Calendar rescued $stamp.tpc"
        for n in $(seq 2 100); do echo "$1/Calendar rescued $stamp ($n).tpc"; done
    done | xargs -d '\n' touch
}
echo "A home that cannot be written"
readonly_runs=$(mktemp -d)
chmod 755 "$readonly_runs"
cp -r "$(dirname "$program")" "$readonly_runs/app"
for place in lasting temporary nowhere; do
    new_home && user_file
    chmod 755 "$run_home"
    mkdir -p "$run_home/tmp" "$run_home/var-tmp" && chmod 700 "$run_home/tmp" "$run_home/run"
    chown nobody "$run_home/run"
    [ "$place" = nowhere ] || chown nobody "$run_home/tmp"
    [ "$place" = lasting ] && chmod 1777 "$run_home/var-tmp"
    unshare -m sh -c 'mount --bind "$0" /var/tmp && exec "$@"' "$run_home/var-tmp" \
        setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$run_home" \
        XDG_CONFIG_HOME="$run_home/.config" XDG_RUNTIME_DIR="$run_home/run" TMPDIR="$run_home/tmp" \
        "$readonly_runs/app/$(basename "$program")" >"$shots/program-ends-readonly-$place.log" 2>&1 &
    calendar=$!
    sleep 3
    [ "$place" = lasting ] && take_the_moments_names "$run_home/var-tmp"
    type_todo "Renew the passport"
    xdotool key Return
    # The refusal is told (a retry already under way may keep it quiet), then Ctrl+Q's message;
    # Ctrl+Q again when a late refusal took the keys.
    answer_and_shoot "e5-readonly-$place-refused"
    for n in 1 2 3; do
        ended_by_itself && break
        xdotool key ctrl+q
        answer_and_shoot "e6-readonly-$place-quit-$n"
    done
    until_true 10 ended_by_itself || kill -KILL "$calendar"
    exit_status
    check "the quit ends normally: $?" test $? = 0
    rescue=$(find "$run_home/run" "$run_home/var-tmp" "$run_home/tmp" -name 'Calendar rescued * ??????.tpc' 2>/dev/null | head -1)
    case $place in
    lasting) where="$run_home/var-tmp" ;;
    temporary) where="$run_home/tmp" ;;
    nowhere) where="" ;;
    esac
    if [ -n "$where" ]; then
        check "the rescue goes to the $place folder: ${rescue#"$run_home"/}" test "$(dirname "${rescue:-/x}")" = "$where"
        check "for its owner alone" test "$(stat -c %a "${rescue:-/nonexistent}" 2>/dev/null)" = 600
        check "and holds the item" has_line "${rescue:-/nonexistent}" "0	Renew the passport"
        told=$rescue # the program saw its own folder in /var/tmp's place
        [ "$place" = lasting ] && told="/var/tmp/$(basename "$rescue")"
        check "standard error says where: $told" grep -qF "was written to: $told" "$shots/program-ends-readonly-$place.log"
    else
        check "nothing is kept anywhere" test -z "$rescue"
        check "and standard error says so" grep -q "could not be written anywhere else either" "$shots/program-ends-readonly-$place.log"
    fi
    check "the machine's /var/tmp has none" test -z "$(find /var/tmp -maxdepth 1 -name 'Calendar rescued *' -print -quit)"
    rm -rf "$run_home"
done
rm -rf "$readonly_runs"
