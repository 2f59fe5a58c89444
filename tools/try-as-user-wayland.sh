# Sourced by try-as-user.sh, whose helpers it uses: the calendar on a Wayland desktop, GNOME's
# compositor (Mutter, headless) with its XWayland from tools/desktop-display.sh, started as such a
# desktop starts programs (XDG_SESSION_TYPE=wayland, WAYLAND_DISPLAY, DISPLAY and XAUTHORITY set).
# Without DISPLAY it says that it needs X11 or XWayland and ends; with it, its windows are X
# windows on XWayland that cover the screen, and the tab slides it away and back; with the user's
# own QT_QPA_PLATFORM=wayland it runs as a Wayland client. A headless Mutter takes no pictures of
# its screen: the screenshots lay the calendar's X windows where XWayland has them.

# ---- A Wayland desktop -------------------------------------------------------------------------
echo "On a Wayland desktop (GNOME's Mutter with XWayland)"
wayland_state=$(mktemp)
session_value() { sed -n "s/^$1=//p" "$wayland_state" 2>/dev/null | tail -1; }
if ! bash tools/desktop-display.sh start "$wayland_state" >/dev/null; then
    check "the displays and the Wayland session come up (their log is above)" false
elif [ -z "$(session_value xwayland)" ]; then
    echo "  skip  no Wayland session: $(session_value xwayland-skip)$(session_value skip)"
else
    xwayland=$(session_value xwayland)
    # As the session's desktop starts programs; env starts the program in its own place, so that
    # $! is the program.
    in_session=(env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland
        WAYLAND_DISPLAY="$(session_value wayland)" XDG_RUNTIME_DIR="$(session_value runtime)"
        DISPLAY="$xwayland" XAUTHORITY="$(session_value xauthority)"
        DBUS_SESSION_BUS_ADDRESS="$(session_value bus)")
    on_xwayland() { (export DISPLAY="$xwayland" XAUTHORITY="$(session_value xauthority)" && "$@"); }
    x_window_named() { on_xwayland xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
    wayland_shot() { # name: the calendar's X windows, bottom first, where XWayland has them
        local picture="$shots/$1.png" window place
        convert -size "${width}x${height}" xc:black "$picture"
        for window in $(on_xwayland xdotool search --onlyvisible --pid "$calendar" 2>/dev/null); do
            on_xwayland import -window "$window" "$shots/window.png" 2>/dev/null || continue
            read -r -a place <<<"$(on_xwayland geometry "$window")"
            convert "$picture" "$shots/window.png" -geometry "+${place[0]}+${place[1]}" -composite \
                "$picture"
        done
        rm -f "$shots/window.png"
    }
    wait_for() { # tenths of a second, command...
        local tries=$1
        shift
        until "$@" >/dev/null; do
            ((tries-- > 0)) || return 1
            sleep 0.1
        done
    }
    shown_on_xwayland() { test -n "$(x_window_named "$1")"; }
    hidden_on_xwayland() { ! shown_on_xwayland "$1"; }

    new_home
    "${in_session[@]}" HOME="$run_home" XDG_CONFIG_HOME="$run_home/.config" env -u DISPLAY "$program" \
        >"$shots/program-wayland-no-x.log" 2>&1
    check "without an X display it ends with a failure status" test $? = 1
    check "and says that it needs X11 or XWayland" \
        grep -q "needs X11 or XWayland" "$shots/program-wayland-no-x.log"
    sed 's/^/        /' "$shots/program-wayland-no-x.log"
    rm -rf "$run_home"

    new_home
    "${in_session[@]}" HOME="$run_home" XDG_CONFIG_HOME="$run_home/.config" "$program" \
        >"$shots/program-wayland.log" 2>&1 &
    calendar=$!
    wait_for 100 shown_on_xwayland "Ombrelline Studio Calendar"
    sleep 1 && wayland_shot w1-wayland-first-run
    main=$(x_window_named "Ombrelline Studio Calendar")
    tab=$(x_window_named Tab)
    check "the calendar is an X window on XWayland" test -n "$main"
    check "and so is its tab" test -n "$tab"
    [ -n "$main" ] && check "the calendar covers the screen" \
        test "$(on_xwayland geometry "$main")" = "0 0 $width $height "
    if [ -n "$tab" ]; then
        on_xwayland dismiss_quick_start_help
        read -r -a place <<<"$(on_xwayland geometry "$tab")"
        check "the tab is at the top edge" test "${place[1]}" = 0
        on_xwayland xdotool mousemove $((place[0] + place[2] / 2)) $((place[1] + 2)) click 1
        check "a click on the tab slides the calendar away" \
            wait_for 50 hidden_on_xwayland "Ombrelline Studio Calendar"
        wayland_shot w2-wayland-slid-away
        on_xwayland xdotool click 1
        check "and another brings it back" wait_for 50 shown_on_xwayland "Ombrelline Studio Calendar"
        sleep 1 && wayland_shot w3-wayland-back
    fi
    end_calendar
    check "SIGTERM ends it normally" test $? = 0
    check "nothing was reported on the console" quiet_console program-wayland.log

    new_home
    "${in_session[@]}" HOME="$run_home" XDG_CONFIG_HOME="$run_home/.config" QT_QPA_PLATFORM=wayland \
        "$program" >"$shots/program-wayland-native.log" 2>&1 &
    calendar=$!
    sleep 4
    check "with the user's QT_QPA_PLATFORM=wayland it runs" running
    check "as a Wayland client, with no X window" \
        test -z "$(on_xwayland xdotool search --onlyvisible --pid "$calendar" 2>/dev/null)"
    end_calendar
    check "SIGTERM ends it normally" test $? = 0
fi
bash tools/desktop-display.sh stop "$wayland_state"
rm -f "$wayland_state"
# ---- end of a Wayland desktop ------------------------------------------------------------------
