# What the black-box scripts share: failing with a reason, waiting for a condition, the window
# probe, and an X server of the script's own. Sourced; the caller sets `probe` to the probe.

# Wine hangs at start when its standard input is closed, as it is in CI: give it an empty one.
exec </dev/null

fail() {
    echo "FAILED: $1"
    exit 1
}

# wait_for TENTHS COMMAND...: true once COMMAND succeeds, trying every tenth of a second.
wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; ++i)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

probe() { wine "$probe" "$@" 2>/dev/null | tr -d '\r'; }

# Starts Xvfb on a display named in full (Wine's windows did not show on one that Xvfb picked
# itself) and exports DISPLAY; its process id goes to xvfb_pid.
start_display() {
    local display=$((100 + RANDOM % 400))
    # A display whose server was killed may have left its socket or its lock behind.
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -noreset -screen 0 1024x768x24 2>/dev/null &
    xvfb_pid=$!
    wait_for 100 test -e "/tmp/.X11-unix/X$display" || fail "Xvfb did not start"
    export DISPLAY=":$display"
}

# shoot X Y FILE: the 800 by 600 page whose top left corner is at X, Y on the screen.
shoot() {
    xwd -root -silent | convert xwd:- -crop "800x600+$1+$2" +repage "$3"
}

# click_box_button CAPTION: clicks the open box's button as a person would.
click_box_button() {
    local at
    at=$(probe button "$1") || fail "the box has no button $1"
    # shellcheck disable=SC2086
    xdotool mousemove $at click 1
    wait_for 50 bash -c "! wine '$probe' box >/dev/null 2>&1" || fail "the box did not close"
}
