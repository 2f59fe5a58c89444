# Sourced by the scripts that run the calendar on a virtual display. start_virtual_display
# WIDTHxHEIGHT starts Xvfb on a display that no one uses (Xvfb picks the number itself and
# writes it down once it is ready), checks that the server answers, and sets display (":N")
# and xvfb (the server's process id); it fails with a message when the server did not start.
# The server does not start afresh when its last client leaves (-noreset): a program that
# connects just then would be refused.
start_virtual_display() {
    local numbers
    numbers=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$numbers" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$numbers" ] || ! kill -0 "$xvfb" 2>/dev/null && break
        sleep 0.1
    done
    display=":$(head -1 "$numbers")"
    rm -f "$numbers"
    if [ "$display" = ":" ] || ! DISPLAY="$display" xdpyinfo >/dev/null 2>&1; then
        echo "The virtual display did not start (Xvfb)" >&2
        kill "$xvfb" 2>/dev/null
        return 1
    fi
}
