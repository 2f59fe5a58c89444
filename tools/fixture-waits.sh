# Sourced by the test fixtures' scripts: waits for their programs, in real time, whatever the
# machine's load.

# Running, and not merely waiting to be reaped.
alive() { [ -e "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }

ended() { ! alive "$1"; }

# Tries the command until it succeeds, for at most SECONDS of real time: within SECONDS COMMAND...
within() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < end)) || return 1
        sleep 0.1
    done
}
