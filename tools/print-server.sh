#!/usr/bin/env bash
# A print server of the tests' own, with one virtual printer that writes each job as a PDF file.
#
#   print-server.sh start STATE   starts it and describes it in the file STATE
#   print-server.sh stop STATE    stops it and removes everything start added
#   print-server.sh daemon STATE  starts the stopped server of STATE again (a test stops it)
#
# The server has its own configuration, spool, state and log folders under one temporary
# folder and listens only on a socket there, so the machine's own print server and queues are
# never touched. The virtual printer reads its settings from one file of its own in /etc/cups,
# the one place it looks, which stop removes. When no server can be started (not root, or the
# packages are missing), STATE says why on a line "skip=" and start still succeeds: the tests
# that print through the server then skip with that reason. When the server is there but does not
# come up within a minute, or takes no printer, start fails and shows the end of its log.
set -uo pipefail
# The server and its administration live in sbin, which a plain PATH may lack.
PATH="$PATH:/usr/sbin:/sbin"
command=${1:-}
state=${2:-}
[ -n "$command" ] && [ -n "$state" ] || { echo "usage: $0 start|stop|daemon STATE" >&2; exit 2; }

value() { sed -n "s/^$1=//p" "$state" 2>/dev/null | tail -1; }

# alive, ended, within
source "$(dirname "$0")/fixture-waits.sh"

# Whether the server of the folder answers, or has ended: answers DIR PID.
answers() {
    [ -S "$1/cups.sock" ] && CUPS_SERVER="$1/cups.sock" lpstat -r >/dev/null 2>&1 || ended "$2"
}

# Starts cupsd in the background, its output in its log, and waits for its socket.
daemon() {
    local dir=$1 previous
    previous=$(value pid)
    [ -z "$previous" ] || within 10 ended "$previous"
    rm -f "$dir/cups.sock"
    cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" </dev/null >>"$dir/log/cupsd.out" 2>&1 &
    echo "pid=$!" >>"$state"
    within 60 answers "$dir" $! && alive $!
}

skip() {
    echo "skip=$1" >"$state"
    echo "print server: $1" >&2
    exit 0
}

# Ends start with the end of the server's logs, before stop removes them: fail MESSAGE.
fail() {
    local dir log
    dir=$(value dir)
    echo "print server: $1" >&2
    for log in "$dir/log/cupsd.out" "$dir/log/error_log" "$dir/log/lpadmin.out"; do
        [ -s "$log" ] && { echo "--- the end of $log:"; tail -n 20 "$log"; } >&2
    done
    stop
    exit 1
}

start() {
    [ -f "$state" ] && stop # left by a run that was cut short
    [ "$(id -u)" -eq 0 ] || skip "a print server of the tests' own needs root (tools/test.sh as root)"
    local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
    command -v cupsd >/dev/null && command -v lpadmin >/dev/null && [ -x /usr/lib/cups/backend/cups-pdf ] &&
        [ -f "$ppd" ] || skip "cups-daemon, cups-client or printer-driver-cups-pdf is not installed (tools/test.sh installs them)"
    local dir instance
    dir=$(mktemp -d /tmp/calendar-print.XXXXXX)
    instance="calendar-tests-${dir##*.}"
    mkdir -p "$dir/etc" "$dir/spool" "$dir/cache" "$dir/state" "$dir/tmp" "$dir/log" "$dir/ssl" "$dir/out"
    chmod 755 "$dir" "$dir/out"
    # The filters run as the server's user lp and keep their files here.
    chgrp lp "$dir/tmp" && chmod 1770 "$dir/tmp"
    {
        echo "dir=$dir"
        echo "instance=$instance"
        echo "server=$dir/cups.sock"
        echo "queue=Calendar-PDF"
        echo "output=$dir/out"
    } >"$state"
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
ServerKeychain $dir/ssl
CreateSelfSignedCerts no
SystemGroup root
EOF
    cat >"$dir/etc/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel info
Browsing No
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
EOF
    # Read by the virtual printer for a queue whose device is cups-pdf:/<instance>.
    cat >"/etc/cups/cups-pdf-$instance.conf" <<EOF
Out $dir/out
AnonDirName $dir/out
Spool $dir/cups-pdf-spool
Log $dir/log
Label 1
EOF
    daemon "$dir" || fail "cupsd did not start"
    # The queue is the server's default, as a desktop's only printer is.
    CUPS_SERVER="$dir/cups.sock" lpadmin -p Calendar-PDF -E -v "cups-pdf:/$instance" -P "$ppd" \
        >>"$dir/log/lpadmin.out" 2>&1 &&
        CUPS_SERVER="$dir/cups.sock" lpadmin -d Calendar-PDF >>"$dir/log/lpadmin.out" 2>&1 ||
        fail "the virtual printer could not be added"
    echo "print server: $dir/cups.sock, queue Calendar-PDF writing to $dir/out"
}

stop() {
    local dir instance pid
    dir=$(value dir) instance=$(value instance) pid=$(value pid)
    # Its folders go only once it has ended: a server still closing down writes its cache.
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && ! within 10 ended "$pid" && kill -KILL "$pid" 2>/dev/null &&
        within 5 ended "$pid"
    [ -n "$instance" ] && rm -f "/etc/cups/cups-pdf-$instance.conf"
    [ -n "$dir" ] && [ "${dir#/tmp/calendar-print.}" != "$dir" ] && rm -rf "$dir"
    rm -f "$state"
}

case "$command" in
start) start ;;
stop) stop ;;
daemon) daemon "$(value dir)" ;;
*) echo "usage: $0 start|stop|daemon STATE" >&2; exit 2 ;;
esac
