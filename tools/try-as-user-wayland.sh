# Sourced by try-as-user.sh, whose helpers it uses: the calendar on a Wayland desktop, a headless
# Weston with XWayland from tools/desktop-display.sh, started as such a desktop starts programs
# (XDG_SESSION_TYPE=wayland, WAYLAND_DISPLAY and DISPLAY set). Without DISPLAY it says that it needs
# X11 or XWayland and ends; with it, its windows are X windows on XWayland; with the user's own
# QT_QPA_PLATFORM=wayland it runs as a Wayland client. The screenshots are the compositor's own.
# Clicks and keys are not tried: this XWayland has no input device to take them.

# ---- A Wayland desktop -------------------------------------------------------------------------
echo "On a Wayland desktop (Weston with XWayland)"
wayland_state=$(mktemp)
bash tools/desktop-display.sh start "$wayland_state" >/dev/null
session_value() { sed -n "s/^$1=//p" "$wayland_state" | tail -1; }
xwayland=$(session_value xwayland)
if [ -z "$xwayland" ]; then
    echo "  skip  no Wayland session: $(session_value xwayland-skip)$(session_value skip)"
else
    # As the session's desktop starts programs; env starts the program in its own place, so that
    # $! is the program.
    in_session=(env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland
        WAYLAND_DISPLAY="$(session_value wayland)" XDG_RUNTIME_DIR="$(session_value runtime)"
        DISPLAY="$xwayland" DBUS_SESSION_BUS_ADDRESS="$(session_value bus)")
    wayland_shot() { # name: the compositor's picture of its screen
        local taken
        taken=$(mktemp -d)
        (cd "$taken" && "${in_session[@]}" timeout 10 weston-screenshooter >/dev/null 2>&1)
        mv "$taken"/*.png "$shots/$1.png" 2>/dev/null
        rm -rf "$taken"
    }
    x_windows() { DISPLAY="$xwayland" xdotool search --onlyvisible --pid "$calendar" 2>/dev/null; }
    x_window_named() { DISPLAY="$xwayland" xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
    wait_for() { # tenths of a second, command...
        local tries=$1
        shift
        until "$@"; do
            ((tries-- > 0)) || return 1
            sleep 0.1
        done
    }

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
    wait_for 100 x_window_named "Ombrelline Studio Calendar" >/dev/null
    sleep 1 && wayland_shot w1-wayland-first-run
    main=$(x_window_named "Ombrelline Studio Calendar")
    check "the calendar is an X window on XWayland" test -n "$main"
    check "and so is its tab" test -n "$(x_window_named Tab)"
    [ -n "$main" ] && check "the calendar's window has the screen's size" \
        test "$(DISPLAY="$xwayland" && geometry "$main" | cut -d' ' -f3-4)" = "$width $height"
    [ -n "$main" ] && DISPLAY="$xwayland" import -window "$main" "$shots/w2-wayland-calendar-window.png"
    end_calendar
    check "SIGTERM ends it normally" test $? = 0

    new_home
    "${in_session[@]}" HOME="$run_home" XDG_CONFIG_HOME="$run_home/.config" QT_QPA_PLATFORM=wayland \
        "$program" >"$shots/program-wayland-native.log" 2>&1 &
    calendar=$!
    sleep 4 && wayland_shot w3-wayland-users-own-choice
    check "with the user's QT_QPA_PLATFORM=wayland it runs" running
    check "as a Wayland client, with no X window" test -z "$(x_windows)"
    end_calendar
    check "SIGTERM ends it normally" test $? = 0
fi
bash tools/desktop-display.sh stop "$wayland_state"
rm -f "$wayland_state"
# ---- end of a Wayland desktop ------------------------------------------------------------------
