# Sourced by try-as-user.sh, whose helpers it uses (and those of try-as-user-disk.sh): other
# programs write the event file while the user confirms to-do items, as real ones do: a script
# writing it line by line with pauses, a download arriving in pieces with stalls, an editor that
# saves by a rename, a shell's redirect that empties the file and writes it after a pause, a
# script that writes the calendar's own text back and adds a line after a pause, a script that
# opened the file to append before the save and writes after it; the redirect once more on
# bindfs, rclone and sshfs mounts. Each round, what the other program finished must be in
# Calendar.tpc or in a copy beside it, byte for byte, and the confirmed item in Calendar.tpc. Then
# a redirect that waits (a passphrase not yet typed) across a quit and a new start. Last, the
# Documents folder on each of those mounts: items confirmed with no other program, a replace, an
# append and a redirect each kept once and told once, a Ctrl+Q just after a confirm, and how long
# a save takes from Enter to the disk there and on the local disk.

# ---- Writers that pause -------------------------------------------------------------------------
disk_helpers_only=1
source tools/try-as-user-disk.sh
disk_helpers_only=0
write_slowly() { # piece size (bytes), pause (s), text file: into Calendar.tpc in place
    local size pieces piece
    size=$(stat -c %s "$3")
    pieces=$(((size + $1 - 1) / $1))
    for ((piece = 0; piece < pieces; piece++)); do
        dd if="$3" bs="$1" skip=$piece count=1 status=none
        sleep "$2"
    done >"$tpc"
}
save_by_rename() { cp "$1" "$tpc.editor~" && mv "$tpc.editor~" "$tpc"; } # text file
# A shell's redirect: the file emptied at once, written once its program has something to write.
redirect_after_a_pause() { { sleep 2; cat "$1"; } >"$tpc"; } # text file
# The calendar's own text written back at once, a line added after a pause; the text file becomes
# what it finishes.
known_then_a_line() { # text file
    cp "$tpc" "$1.known"
    { cat "$1.known" && printf '2030-01-01 09:00:00|2030-01-01 09:30:00//Added after a pause\n'; } >"$1"
    { cat "$1.known" && sleep 2 && tail -n 1 "$1"; } >"$tpc"
}
# A script's `exec 3>>` before the save, a line written after it; the text file becomes what the
# file it holds open finally holds, read through its descriptor (which a file without a name keeps).
append_opened_before() { # text file
    exec 3>>"$tpc"
    sleep 2
    printf '2030-01-01 09:00:00|2030-01-01 09:30:00//Appended after the save\n' >&3
    cat "/proc/$BASHPID/fd/3" >"$1"
    exec 3>&-
}
parked_files() { find "$run_home/Documents" -maxdepth 1 -name '.Calendar.tpc.ombrelline-parked-*' | grep -q .; }
finished_kept() { # file: Calendar.tpc or a copy beside it is that file, byte for byte
    local candidate
    while IFS= read -r candidate; do cmp -s "$1" "$candidate" && return 0; done \
        < <(echo "$tpc" && outside_copies)
    return 1
}
# writer name, shot prefix, rounds, command...: the command writes "$version" while a to-do item
# is confirmed, started at a moment that moves with the round.
rounds_of() {
    local name=$1 prefix=$2 rounds=$3 round kept=0 told writer offsets=(0 0.15 0.35 0.6)
    shift 3
    messages=0
    for ((round = 1; round <= rounds; round++)); do
        { printf '0\t%s round %d\nEvents Data:\n' "$name" "$round" && cat "$run_home/events.txt"; } >"$version"
        add_todo "$name $round"
        "$@" "$version" &
        writer=$!
        sleep "${offsets[round % 4]}"
        xdotool key Return
        told=$messages
        settle_answering "0	$name $round" "$prefix-$round" 30 || echo "    round $round: no end of the write within 30 s"
        wait "$writer"
        # A message may come once the writer has finished into the kept file.
        until_true 3 message_shown && answer_message "$prefix-$round-late"
        if finished_kept "$version"; then kept=$((kept + 1)); else echo "    round $round: lost"; fi
        echo "    round $round: $((messages - told)) message(s), $(outside_copies | wc -l) copies in all"
    done
    check "$name: the finished text is kept in $kept of $rounds rounds" test "$kept" = "$rounds"
    check "$name: the confirmed items are all in Calendar.tpc" listed_first "0	$name $rounds"
}

# The run's Documents folder served from a folder beside it through bindfs, rclone or sshfs (to an
# SSH server of the run's own on the loopback), as a home on a network or FUSE file system is;
# only root mounts one here. Keys, configuration, cache and logs stay in the run's folder.
mounted="" sshd="" skip_reason="" other_writer=""
listening() { (exec 9<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
free_port() {
    local port
    for _ in $(seq 50); do
        port=$((20000 + RANDOM % 40000))
        listening "$port" || { echo "$port" && return 0; }
    done
    return 1
}
serving() { pgrep -f -- "$1" >/dev/null; } # a process names that path: a daemon of the mount
start_sshd() { # -> the server's id in sshd, its port in sshd_port; skip_reason where it cannot
    local files=$run_home/mount key
    if [ ! -x /usr/sbin/sshd ] || ! command -v sshfs ssh-keygen >/dev/null; then
        skip_reason="no sshfs or SSH server: tools/setup.sh installs sshfs and openssh-server"
        return 1
    fi
    [ -d /run/sshd ] || { skip_reason="sshd needs /run/sshd, which tools/setup.sh makes" && return 1; }
    for key in host_key user_key; do
        ssh-keygen -q -t ed25519 -N '' -f "$files/$key" >>"$files/log" 2>&1 ||
            { skip_reason="ssh-keygen made no key: $(tail -n 1 "$files/log")" && return 1; }
    done
    cp "$files/user_key.pub" "$files/authorized_keys"
    sshd_port=$(free_port) || { skip_reason="no free port on the loopback" && return 1; }
    printf '%s\n' "ListenAddress 127.0.0.1" "Port $sshd_port" "HostKey $files/host_key" \
        "AuthorizedKeysFile $files/authorized_keys" "PidFile none" "PermitRootLogin prohibit-password" \
        "StrictModes no" "UsePAM no" "PasswordAuthentication no" "KbdInteractiveAuthentication no" \
        "Subsystem sftp internal-sftp" >"$files/sshd_config"
    # sshd runs only from its full path; in the foreground, a child ended by its id.
    /usr/sbin/sshd -D -f "$files/sshd_config" -E "$files/log" </dev/null &
    sshd=$!
    until_true 10 listening "$sshd_port" && return 0
    skip_reason="sshd would not serve here: $(tail -n 1 "$files/log")"
    return 1
}
mount_documents() { # bindfs, rclone or sshfs: the run's Documents through it; skip_reason where it cannot
    local files=$run_home/mount options
    if [ "$(id -u)" != 0 ] || [ ! -e /dev/fuse ] || ! command -v "$1" >/dev/null; then
        skip_reason="mounting needs root, /dev/fuse and $1 (tools/setup.sh installs it)"
        return 1
    fi
    mkdir -p "$run_home/backing" "$files"
    mounted="$run_home/Documents"
    case $1 in
    bindfs) bindfs "$run_home/backing" "$mounted" >>"$files/log" 2>&1 ;;
    rclone)
        rclone mount ":local:$run_home/backing" "$mounted" --vfs-cache-mode writes --daemon \
            --config "$files/rclone.conf" --cache-dir "$files/cache" --log-file "$files/log"
        ;;
    sshfs)
        start_sshd || return 1
        # No SSH configuration of the machine's or the user's, and no question asked.
        options="port=$sshd_port,IdentityFile=$files/user_key,IdentitiesOnly=yes,BatchMode=yes"
        options+=",StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null"
        sshfs -F /dev/null -o "$options" "$(id -un)@127.0.0.1:$run_home/backing" "$mounted" >>"$files/log" 2>&1
        ;;
    esac
    until_true 10 mountpoint -q "$mounted" && return 0
    skip_reason="$1 could not mount a folder here: $(tail -n 1 "$files/log" 2>/dev/null)"
    return 1
}
leave_mount() { # lazily, so that a file still held open cannot keep it mounted
    if [ -n "$mounted" ]; then
        mountpoint -q "$mounted" && { fusermount -u -z "$mounted" 2>/dev/null || umount -l "$mounted"; }
        # Its daemon may write into the run's folder until it leaves.
        until_true 10 not serving "$mounted" || echo "    a daemon still serves $mounted"
        mounted=""
    fi
    if [ -n "$sshd" ]; then
        kill "$sshd" 2>/dev/null
        wait "$sshd" 2>/dev/null
        sshd=""
        # sshfs's SSH client, which names the key there, may outlive it by a moment.
        until_true 10 not serving "$run_home/mount" || echo "    an SSH client still names $run_home/mount"
    fi
}
# However the run ends, the mount goes before the home is removed, once the calendar and any other
# program holding a file there have ended.
end_holders() {
    [ -n "$other_writer" ] && kill "$other_writer" 2>/dev/null
    [ -n "$calendar" ] || return 0
    kill -TERM "$calendar" 2>/dev/null
    until_true 10 not running || kill -KILL "$calendar"
    wait "$calendar" 2>/dev/null
    calendar=""
}
eval "exit_trap=($(trap -p EXIT))"
trap "end_holders; leave_mount; ${exit_trap[2]:-}" EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

for writer in script download editor redirect known append redirect-on-bindfs redirect-on-rclone redirect-on-sshfs; do
    echo "Another program ($writer) writes the event file while to-do items are confirmed"
    new_home
    if [[ $writer == redirect-on-* ]] && ! mount_documents "${writer#redirect-on-}"; then
        echo "  skip  a home on ${writer#redirect-on-}: $skip_reason"
        leave_mount
        rm -rf "$run_home"
        continue
    fi
    tpc="$run_home/Documents/Calendar.tpc"
    version="$run_home/version.tpc"
    # The download: about 10 MB, arriving 1 MB at a time with stalls of 0.3 s.
    many_events "$([ "$writer" = download ] && echo 170000 || echo 40)" >"$run_home/events.txt"
    { printf '0\tBuy stamps\nEvents Data:\n' && cat "$run_home/events.txt"; } >"$tpc"
    start_disk_run "program-versions-$writer.log"
    open_week
    case $writer in
    script) rounds_of Script v1-script 4 write_slowly 400 0.3 ;;
    download) rounds_of Download v2-download 2 write_slowly 1048576 0.3 ;;
    editor) rounds_of Editor v3-editor 3 save_by_rename ;;
    redirect) rounds_of Redirect v3-redirect 3 redirect_after_a_pause ;;
    known) rounds_of Known v3-known 3 known_then_a_line ;;
    append) rounds_of Append v3-append 3 append_opened_before ;;
    redirect-on-*) rounds_of "Redirect on ${writer#redirect-on-}" "v3-$writer" 3 redirect_after_a_pause ;;
    esac
    shot "v4-$writer-end"
    end_by SIGTERM "v5-$writer-quit" 20
    check "the program ends normally" test $? = 0
    check "and every finished text is still kept after the quit" finished_kept "$version"
    leave_mount
    rm -rf "$run_home"
done

# A quit notes the parked file for the next start; a kill (a logout's second signal, the
# out-of-memory killer) notes nothing, and the next start finds it beside the event file.
for end in SIGTERM SIGKILL; do
    echo "A redirect that waits for its passphrase across a $end and a new start"
    new_home
    tpc="$run_home/Documents/Calendar.tpc"
    version="$run_home/version.tpc"
    printf '0\tBuy stamps\nEvents Data:\n' >"$tpc"
    printf '0\tFrom the passphrase\nEvents Data:\n' >"$version"
    start_disk_run "program-versions-across-$end.log"
    open_week
    { sleep 14; cat "$version"; } >"$tpc" &
    writer=$!
    add_todo Across
    xdotool key Return
    settle_answering "0	Across" "v6-across-$end" 30 || echo "    no end of the write within 30 s"
    if [ "$end" = SIGKILL ]; then
        kill -KILL "$calendar"
        stop_calendar
    else
        end_by SIGTERM "v6-across-$end-quit" 20
    fi
    check "the $end leaves the file the redirect holds under its parked name" parked_files
    start_disk_run "program-versions-across-$end-2.log"
    open_week
    shot "v6-across-$end-restarted"
    check "the new start leaves it too while the redirect waits" parked_files
    wait "$writer"
    until_true 5 message_shown && answer_message "v6-across-$end-told"
    check "the redirect's text is named beside the event file and told" finished_kept "$version"
    check "and no parked file is left" not parked_files
    end_by SIGTERM "v6-across-$end-end" 20
    rm -rf "$run_home"
done
# ---- end of writers that pause ------------------------------------------------------------------


# ---- On FUSE mounts -----------------------------------------------------------------------------
# A file the save moved aside there stays parked for a minute after its last change, since a
# writer on another machine cannot be seen, so each path below waits for that minute before the
# next.

# Confirms the to-do item typed, answering any message meanwhile -> took: the milliseconds from
# the key press until Calendar.tpc, read through the mount, lists it; empty past the deadline.
# The file is read only when its size has changed: on rclone, a file written moments before shows
# the moment of each read as its modification time, and a poll that measures the calendar should
# not move the file under it. The programs below wait for the save by its size too.
size_of() { stat -c %s "$tpc" 2>/dev/null; }
confirm_timed() { # to-do line, name of the messages' shots, seconds
    local started=${EPOCHREALTIME/[.,]/} shown=0 size read_at
    local deadline=$((started + $3 * 1000000))
    read_at=$(size_of)
    took=""
    xdotool key Return
    while :; do
        size=$(size_of)
        if [ "$size" != "$read_at" ]; then
            read_at=$size
            listed_first "$1" && break
        fi
        ((${EPOCHREALTIME/[.,]/} < deadline)) || return 1
        if message_shown; then
            shown=$((shown + 1))
            answer_message "$2$(numbered $shown)"
        else
            sleep 0.01
        fi
    done
    took=$(((${EPOCHREALTIME/[.,]/} - started) / 1000))
}
path_begins() { told=$messages copies_before=$(outside_copies | wc -l) path_started=$SECONDS; }
new_copies() { echo $(($(outside_copies | wc -l) - copies_before)); }
copies_holding() { # text file -> how many copies beside the event file are it, byte for byte
    local candidate count=0
    while IFS= read -r candidate; do cmp -s "$1" "$candidate" && count=$((count + 1)); done < <(outside_copies)
    echo "$count"
}
# Answers each message until no write is under way, no parked file is left and each new copy has
# been told; fails after 2 minutes.
settle_parked() { # name of the messages' shots
    local tries=1200 shown=0
    while ((tries-- > 0)); do
        if message_shown; then
            shown=$((shown + 1))
            answer_message "$1$(numbered $shown)"
            continue
        fi
        if ! temporaries && ! parked_files && { (($(new_copies) == 0)) || ((messages > told)); }; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}
# Another program's text: a to-do line of its own before the events.
other_text() { { printf '0\t%s\nEvents Data:\n' "$1" && cat "$run_home/events.txt"; } >"$version"; }
# The other programs: each starts before the confirm and, where it writes after the save, waits
# for Calendar.tpc to be another file first (its text is not read: see above).
size_changed() { [ "$(size_of)" != "$1" ]; } # size before
append_after_the_save() { # size before the save, text file: its last line written after the save
    until_true 30 size_changed "$1"
    tail -n 1 "$2" >&3
    exec 3>&-
}
redirect_after_the_save() { { until_true 30 test -s "$tpc"; cat "$1"; } >"$tpc"; } # text file
# One path: the item typed, the other program started, the item confirmed, the path settled; its
# copies and messages are counted from its start.
mounted_path() { # kind, path letter, what (for the checks), item, other program (replace, append or redirect)
    local kind=$1 prefix="v7-$1-$2" what=$3 item=$4 other=$5 kept
    path_begins
    add_todo "$item"
    case $other in
    replace)
        other_text "$kind replaced"
        save_by_rename "$version"
        ;;
    append)
        # What the file held will finish as: taken now, while the calendar writes nothing.
        { cat "$tpc" && printf '2030-01-01 09:00:00|2030-01-01 09:30:00//Appended after the save\n'; } >"$version"
        exec 3>>"$tpc"
        append_after_the_save "$(size_of)" "$version" &
        other_writer=$!
        exec 3>&-
        ;;
    redirect)
        other_text "$kind redirected"
        redirect_after_the_save "$version" &
        other_writer=$!
        until_true 5 test ! -s "$tpc"
        ;;
    esac
    confirm_timed "0	$item" "$prefix-saving" 30
    echo "    $what: the item in Calendar.tpc after ${took:-more than 30000} ms"
    [ -n "$other_writer" ] && wait "$other_writer"
    other_writer=""
    settle_parked "$prefix" || echo "    $what: still parked or untold after 2 minutes"
    echo "    $what: settled after $((SECONDS - path_started)) s"
    kept=$(copies_holding "$version")
    check "$kind, $what: the other program's text kept in $kept of $(new_copies) new copies, $((messages - told)) messages" \
        test "$kept" = 1 -a "$(new_copies)" = 1 -a "$((messages - told))" = 1
    check "$kind, $what: the item is in Calendar.tpc" listed_first "0	$item"
}
all_within() { # milliseconds, times: each one is a time within that
    local limit=$1 took
    shift
    for took; do [ "$took" != never ] && [ "$took" -le "$limit" ] || return 1; done
}
median() { printf '%s\n' "$@" | sed 's/^never$/999999999/' | sort -n | sed -n "$((($# + 1) / 2))p" | sed 's/^999999999$/never/'; }
# The user's file, in the folder a mount serves from before it is mounted: a file written through
# rclone moments before is one it is still sending on.
first_file() { # folder
    mkdir -p "$1"
    many_events 40 >"$run_home/events.txt"
    { printf '0\tBuy stamps\nEvents Data:\n' && cat "$run_home/events.txt"; } >"$1/Calendar.tpc"
}
# Five items confirmed one after another -> a line with the median time from Enter to the disk.
time_saves() { # where the Documents folder is: local, bindfs, rclone or sshfs
    local times=() count
    new_home
    first_file "$run_home/$([ "$1" = local ] && echo Documents || echo backing)"
    if [ "$1" != local ] && ! mount_documents "$1"; then
        save_times+=("$(printf '%-7s skip  %s' "$1" "$skip_reason")")
        leave_mount
        rm -rf "$run_home"
        return
    fi
    tpc="$run_home/Documents/Calendar.tpc"
    start_disk_run "program-versions-timed-$1.log"
    open_week
    for count in 1 2 3 4 5; do
        add_todo "Timed $count"
        confirm_timed "0	Timed $count" "v9-$1-timed-$count" 30
        times+=("${took:-never}")
    done
    save_times+=("$(printf '%-7s %5s ms  (%s)' "$1" "$(median "${times[@]}")" "${times[*]}")")
    end_by SIGTERM "v9-$1-timed-quit" 20
    leave_mount
    rm -rf "$run_home"
}

save_times=()
time_saves local
for kind in bindfs rclone sshfs; do
    echo "To-do items confirmed with the Documents folder on $kind"
    new_home
    first_file "$run_home/backing"
    if ! mount_documents "$kind"; then
        echo "  skip  $kind: $skip_reason"
        leave_mount
        rm -rf "$run_home"
        continue
    fi
    tpc="$run_home/Documents/Calendar.tpc"
    version="$run_home/version.tpc"
    start_disk_run "program-versions-$kind.log"
    open_week
    messages=0 alone_times=()
    path_begins
    for item in 1 2 3; do
        add_todo "Alone $item"
        confirm_timed "0	Alone $item" "v7-$kind-a-saving-$item" 30
        alone_times[item]=${took:-never}
    done
    echo "    no other program: the items in Calendar.tpc after ${alone_times[*]} ms"
    settle_parked "v7-$kind-a" || echo "    no other program: still parked or untold after 2 minutes"
    echo "    no other program: settled after $((SECONDS - path_started)) s"
    check "$kind, no other program: each item in Calendar.tpc within 2 s of its confirm" all_within 2000 "${alone_times[@]}"
    check "$kind, no other program: $(new_copies) copies, $((messages - told)) messages" \
        test "$(new_copies)" = 0 -a "$messages" = "$told"
    mounted_path "$kind" b "a replace by rename" "Replaced before" replace
    mounted_path "$kind" c "an append opened before the save" "Appended before" append
    mounted_path "$kind" d "a redirect emptied before the save" "Redirected before" redirect
    shot "v8-$kind-before-quit"
    path_begins
    add_todo "Quit at once"
    xdotool key Return
    started=${EPOCHREALTIME/[.,]/}
    end_by ctrl+q "v8-$kind-quit" 20
    status=$?
    check "$kind, Ctrl+Q just after a confirm ends the calendar in $(((${EPOCHREALTIME/[.,]/} - started) / 1000)) ms: status $status, $((messages - told)) messages" \
        test "$status" = 0
    check "$kind, and the item is in Calendar.tpc" listed_first "0	Quit at once"
    leave_mount
    rm -rf "$run_home"
    time_saves "$kind"
done
echo "Saves from Enter to Calendar.tpc read where it is, median of 5 (never: not within 30 s)"
printf '  time  %s\n' "${save_times[@]}"
trap -- "${exit_trap[2]:-}" EXIT
trap - HUP INT TERM
# ---- end of FUSE mounts -------------------------------------------------------------------------
