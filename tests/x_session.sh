# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT

# Sourced by the tests that need a real screen: starts a private X server with the openbox
# window manager for the rest of the calling script, and ends both when the script ends. Whatever
# desktop runs the tests, Qt's programs take the X server: nothing of a Wayland session reaches
# them.
unset WAYLAND_DISPLAY WAYLAND_SOCKET
export QT_QPA_PLATFORM=xcb
x_work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$x_work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$x_work/display" 2>/dev/null &
for _ in $(seq 100); do [ -s "$x_work/display" ] && break; sleep 0.1; done
[ -s "$x_work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$x_work/display")
openbox --startup "touch $x_work/managing" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -e "$x_work/managing" ] && break; sleep 0.1; done
[ -e "$x_work/managing" ] || fail "openbox did not start"

export XDG_RUNTIME_DIR=$x_work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

caption='www.example.org Dornelik в ел. верига'

# Prints the id of the program's window once it is on the screen.
wait_for_window() {
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$caption\$" | head -1) || true
    [ -n "$window" ] || fail "the window did not appear"
    sleep 0.5
    echo "$window"
}

# Closes the window as a user does, with Alt+F4, and checks that program `$1` ends with 0. The
# key goes to the window manager, which may not have settled yet: it is pressed again if the
# program is still there after a few seconds.
close_and_expect_success() {
    local pid=$1 window=$2 status=0
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4 || true
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break 2
            sleep 0.1
        done
    done
    kill -0 "$pid" 2>/dev/null && fail "the window did not close"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
