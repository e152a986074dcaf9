# A private X server with a window manager, and the few actions a user takes
# in it. Sourced by the real-window tests and the start-up benchmark.
#
# x_start            starts Xvfb and openbox; exits 77 (skip) when no X server can run.
#                    With X_SHARED_DISPLAY set, uses that server (and its window manager) instead
# x_stop             ends what x_start and x_run started; call it from an EXIT trap
# x_run DIR PROG     starts PROG in DIR (through $KORVEL_RUN, Wine for the Windows
#                    build); sets X_APP to its process id
# x_find NAME        waits until a visible window titled NAME (a regex) is mapped; prints its id
# x_gone ID          waits until the window has been unmapped or destroyed
# x_click ID X Y     moves the pointer to X,Y of the window's client area and clicks
# x_type TEXT        types TEXT into the focused control
# x_key KEY          presses KEY (an xdotool key name) in the focused window
# x_key_in ID KEY    activates the window, then presses KEY in it
# x_close ID         asks the window manager to close the window, as its close button does
# x_wait_exit PID    waits for a child process to end; sets X_STATUS to its exit status
#
# Waits are bounded by X_TIMEOUT seconds (default 60) so a loaded machine
# gets time, yet a broken program cannot hang the test run.
#
# Under pipefail, "| grep -q" can fail a pipeline whose left side is cut off
# by the early exit (SIGPIPE); grep reads to the end here instead.

X_TIMEOUT=${X_TIMEOUT:-60}
X_PIDS=()

x_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

x_stop() {
    local pid
    for ((i = ${#X_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${X_PIDS[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    X_PIDS=()
    [ -z "${X_RUNTIME:-}" ] || rm -rf "$X_RUNTIME"
}

# x_run DIR PROGRAM: starts PROGRAM with DIR as its current directory; sets
# X_APP to its process id. It is ended with the X server if the test stops early.
x_run() {
    (cd "$1" && exec ${KORVEL_RUN:-} "$2") &
    X_APP=$!
    X_PIDS+=("$X_APP")
}

x_start() {
    # The Windows stage runs every test on one X server of its own: Wine keeps
    # some of a prefix's windows (the clipboard's among them) on the display
    # it first met.
    if [ -n "${X_SHARED_DISPLAY:-}" ]; then
        export DISPLAY=$X_SHARED_DISPLAY
        xdpyinfo >/dev/null 2>&1 || x_fail "cannot talk to the shared X server on $DISPLAY"
        wmctrl -m >/dev/null 2>&1 || x_fail "no window manager on the shared X server $DISPLAY"
        return 0
    fi
    if ! command -v Xvfb >/dev/null; then
        echo "SKIP: no X server here (Xvfb is not installed)"
        exit 77
    fi
    local tool
    for tool in openbox xdotool wmctrl xwininfo xdpyinfo; do
        command -v "$tool" >/dev/null || x_fail "$tool is missing; scripts/deps.sh installs it"
    done

    # -displayfd lets the server pick a free display itself, so tests can run side by side.
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
    X_PIDS+=($!)
    local waited=0
    while [ ! -s "$fdfile" ]; do
        if ! kill -0 "${X_PIDS[0]}" 2>/dev/null; then
            rm -f "$fdfile"
            echo "SKIP: the X server (Xvfb) could not be started here"
            exit 77
        fi
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -lt $((X_TIMEOUT * 10)) ] || x_fail "Xvfb did not report a display within ${X_TIMEOUT}s"
    done
    export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
    rm -f "$fdfile"
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    X_RUNTIME=$(mktemp -d)
    export XDG_RUNTIME_DIR="$X_RUNTIME"
    xdpyinfo >/dev/null 2>&1 || x_fail "cannot talk to the X server on $DISPLAY"

    openbox --sm-disable >/dev/null 2>&1 &
    X_PIDS+=($!)
    waited=0
    until wmctrl -m >/dev/null 2>&1; do
        kill -0 "${X_PIDS[1]}" 2>/dev/null || x_fail "openbox ended at once"
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -lt $((X_TIMEOUT * 10)) ] || x_fail "the window manager did not come up within ${X_TIMEOUT}s"
    done
}

x_find() {
    # xdotool's search gives up at once when a window it looks at goes away
    # under it (a message box closing), so it is asked again until the time is up.
    local id='' deadline=$((SECONDS + X_TIMEOUT))
    while [ -z "$id" ] && [ $SECONDS -lt $deadline ]; do
        id=$(timeout "$X_TIMEOUT" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) ||
            true
        [ -n "$id" ] || sleep 0.1
    done
    [ -n "$id" ] || x_fail "no window titled '$1' appeared within ${X_TIMEOUT}s"
    echo "$id"
}

x_gone() {
    local waited=0
    while xwininfo -id "$1" 2>/dev/null | grep 'Map State: IsViewable' >/dev/null; do
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -lt $((X_TIMEOUT * 10)) ] || x_fail "window $1 is still open after ${X_TIMEOUT}s"
    done
}

# The client area's top-left corner on the screen, whatever frame the window
# manager drew around it.
x_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x, y}'
}

x_click() {
    local origin
    origin=($(x_origin "$1"))
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    xdotool mousemove --sync $((origin[0] + $2)) $((origin[1] + $3)) click 1
}

x_type() {
    xdotool type --delay 40 -- "$1"
}

x_key() {
    xdotool key --clearmodifiers "$1"
}

# x_key_in ID KEY: makes the window the active one (a window manager may not
# have given it the keyboard yet), then presses KEY in it.
x_key_in() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    x_key "$2"
}

x_close() {
    wmctrl -i -c "$1"
}

x_wait_exit() {
    local waited=0
    while kill -0 "$1" 2>/dev/null && [ "$(ps -o stat= -p "$1" 2>/dev/null | cut -c1)" != Z ]; do
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -lt $((X_TIMEOUT * 10)) ] || x_fail "process $1 is still running ${X_TIMEOUT}s after the close"
    done
    X_STATUS=0
    wait "$1" || X_STATUS=$?
    local pid kept=()
    for pid in "${X_PIDS[@]}"; do
        [ "$pid" = "$1" ] || kept+=("$pid")
    done
    X_PIDS=("${kept[@]}")
}
