# Sourced by try-as-user.sh, whose helpers it uses (and those of try-as-user-disk.sh): other
# programs write the event file while the user confirms to-do items, as real ones do: a script
# writing it line by line with pauses, a download arriving in pieces with stalls, an editor that
# saves by a rename, a shell's redirect that empties the file and writes it after a pause, a
# script that writes the calendar's own text back and adds a line after a pause, a script that
# opened the file to append before the save and writes after it; the redirect once more on a FUSE
# home. Each round, what the other program finished must be in Calendar.tpc or in a copy beside
# it, byte for byte, and the confirmed item in Calendar.tpc. Then a redirect that waits (a
# passphrase not yet typed) across a quit and a new start.

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

# The run's Documents folder on FUSE (bindfs), which can exchange no two files, as NFS and SMB
# homes cannot either; only root mounts one here.
fuse_documents() {
    [ "$(id -u)" = 0 ] && command -v bindfs >/dev/null && [ -e /dev/fuse ] &&
        mkdir -p "$run_home/backing" && bindfs "$run_home/backing" "$run_home/Documents" && return 0
    echo "  skip  a FUSE home: mounting one needs root, bindfs and /dev/fuse"
    return 1
}
leave_fuse() { fusermount -u -z "$run_home/Documents" 2>/dev/null || umount -l "$run_home/Documents" 2>/dev/null; true; }

for writer in script download editor redirect known append redirect-on-fuse; do
    echo "Another program ($writer) writes the event file while to-do items are confirmed"
    new_home
    if [ "$writer" = redirect-on-fuse ] && ! fuse_documents; then
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
    redirect-on-fuse) rounds_of FuseRedirect v3-fuse-redirect 3 redirect_after_a_pause ;;
    esac
    shot "v4-$writer-end"
    end_by SIGTERM "v5-$writer-quit" 20
    check "the program ends normally" test $? = 0
    check "and every finished text is still kept after the quit" finished_kept "$version"
    [ "$writer" = redirect-on-fuse ] && leave_fuse
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
