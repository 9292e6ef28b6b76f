#!/bin/bash
# Reads and operates both pages through the accessibility bus, as a screen reader would: the
# program runs on a private Xvfb server and session bus, with its own accessibility bus, over a
# simulated receiver with factory content. The checks are in checkTree.py; the tree excerpts it
# reads land in the test's output.
# Exits 77 (skipped) when Xvfb, xdotool, dbus-run-session, the accessibility bus launcher or a
# Python with pyatspi is missing.
set -u
program=$1
devsim=$2
skipped=77
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool dbus-run-session timeout; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit $skipped
    fi
done
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
if [ -z "$launcher" ]; then
    echo "skipped: at-spi-bus-launcher (at-spi2-core) is not installed"
    exit $skipped
fi
# pyatspi comes with the system's Python, which may not be the first python3 on the path.
python=
for candidate in python3 /usr/bin/python3; do
    if command -v "$candidate" >/dev/null && "$candidate" -c 'import pyatspi' 2>/dev/null; then
        python=$candidate
        break
    fi
done
if [ -z "$python" ]; then
    echo "skipped: no Python with pyatspi (python3-pyatspi)"
    exit $skipped
fi

work=$(mktemp -d)
chmod 700 "$work"
export VANTREL_DEVSIM_DIR="$work/bus" VANTREL_RUNTIME_DIR="$work/run"
mkdir -m 700 "$VANTREL_DEVSIM_DIR" "$VANTREL_RUNTIME_DIR"
xvfb_pid=
devsim_pid=
cleanup() {
    [ -n "$devsim_pid" ] && kill "$devsim_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $1"
    for log in "$work"/*.log; do
        echo "--- $(basename "$log")"
        cat "$log"
    done
    exit 1
}

wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; ++i)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

"$devsim" serve --state "$work/state" --trace "$work/trace.log" >"$work/devsim.log" 2>&1 &
devsim_pid=$!
wait_for 100 "$devsim" status >/dev/null 2>&1 || fail "the simulated receiver did not start"

export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export DEVSIM=$devsim PROGRAM=$program LAUNCHER=$launcher PYTHON=$python HERE=$here WORK=$work
# Inside the private session bus: the accessibility bus, the reader, and once the reader listens
# the program. The program ends with the session; the reader's own limit keeps a hang short.
timeout 120 dbus-run-session -- bash -c '
    "$LAUNCHER" --launch-immediately >"$WORK/launcher.log" 2>&1 &
    launcher_pid=$!
    timeout 90 "$PYTHON" "$HERE/checkTree.py" "$DEVSIM" "$WORK/excerpt.txt" "$WORK/listening" &
    reader_pid=$!
    for ((i = 0; i < 300; ++i)); do
        [ -e "$WORK/listening" ] && break
        kill -0 "$reader_pid" 2>/dev/null || break
        sleep 0.1
    done
    "$PROGRAM" >"$WORK/program.log" 2>&1 &
    program_pid=$!
    wait "$reader_pid"
    result=$?
    # The reader ended the program by its EXIT: it must have gone, and cleanly.
    for ((i = 0; i < 50; ++i)); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "FAILED: the program still runs after EXIT"
        result=1
    elif ! wait "$program_pid"; then
        echo "FAILED: the program ended with an error"
        result=1
    fi
    kill "$program_pid" "$launcher_pid" 2>/dev/null
    wait
    exit $result
' >"$work/reader.log" 2>&1
result=$?
[ $result -eq 0 ] || fail "the tree did not read as expected (exit $result)"
echo "--- the pages as the reader found them"
cat "$work/excerpt.txt"
echo "passed"
