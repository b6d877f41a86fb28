#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Starts the program on two Wayland desktops that need no screen. On sway it runs three times:
# through sway's X server XWayland, which it chooses itself when it finds one; natively, when
# told to; and natively, by its own choice, where there is no X server. The first two times it
# is used as a person would with the keyboard: the window is looked at, a situation is picked,
# the focus goes round all the controls, the button clears the lists, and the window is closed
# as its close button would close it. On weston, which has no X server and draws no title bars,
# it runs natively, and the title bar test (title_bar_test.cpp, the second argument) runs there.
set -euo pipefail
program=$1
title_bar_test=$2

# The test brings its own desktops: the one of the terminal it is started from must not reach
# them or the program.
unset WAYLAND_DISPLAY WAYLAND_SOCKET DISPLAY XAUTHORITY SWAYSOCK I3SOCK QT_QPA_PLATFORM \
    XDG_RUNTIME_DIR XDG_SESSION_TYPE XDG_CURRENT_DESKTOP

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# sway hands its pictures to the tools in shared memory, in /dev/shm. A chroot that binds only
# /dev has there a folder that root alone may write; the test then runs in a mount namespace of
# its own, where /dev/shm is shared memory for everyone, as on any machine.
if [ "$(id -u)" -eq 0 ] && [ ! -k /dev/shm ]; then
    exec unshare --mount --propagation unchanged sh -c 'mount --make-rprivate /dev &&
        mount -t tmpfs -o mode=1777 shm /dev/shm && exec "$0" "$@"' "$0" "$@"
fi

for tool in sway swaymsg Xwayland wtype grim jq weston setpriv; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

work=$(mktemp -d)
chmod 755 "$work"
cleanup() {
    local job
    for job in $(jobs -p); do kill "$job" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# sway will not run as root, so root runs the desktops and the program as an unprivileged user
# of the test's own; anyone else runs them as themselves. They get a home and a runtime
# directory of their own here, and end with the test if it is killed.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    user=dornelik-test
    id -u "$user" >/dev/null 2>&1 ||
        useradd --system --user-group --no-create-home --home-dir /nonexistent \
            --shell /usr/sbin/nologin "$user"
    as_user=(setpriv --reuid="$user" --regid="$user" --clear-groups --pdeathsig TERM --)
else
    user=$(id -un)
fi
home=$work/home
runtime=$work/runtime
install -d -m 700 -o "$user" -g "$(id -gn "$user")" "$home" "$runtime"
# A build that counts its coverage writes the counts beside its objects as the program ends,
# where the test's user may not write; they go to its home instead, or the program complains.
# A build with sanitizers keeps the options they are run with.
user_env=(env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$runtime"
    GCOV_PREFIX="$home/coverage" ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS}
    ${UBSAN_OPTIONS:+UBSAN_OPTIONS=$UBSAN_OPTIONS} ${LSAN_OPTIONS:+LSAN_OPTIONS=$LSAN_OPTIONS})
# The program is copied, as the build may be remade while the test runs, or lie where the user
# may not read. It needs nothing else of the build.
install -m 755 "$program" "$work/dornelik"
install -m 755 "$title_bar_test" "$work/title_bar_test"

caption='www.example.org Dornelik в ел. верига'

# The variables that name the desktop the program and the tools run on.
session=()

# Runs command `$@` as the user on the desktop.
in_session() {
    "${as_user[@]}" "${user_env[@]}" "${session[@]}" "$@"
}

# Starts the program on the desktop, with the variables `$@` besides the desktop's, and sets
# `pid`. What it prints goes to $work/output.
start_program() {
    "${as_user[@]}" "${user_env[@]}" "${session[@]}" "$@" "$work/dornelik" >"$work/output" 2>&1 &
    pid=$!
}

# Waits for program `$pid`, asked to close, to end, and checks that it ended with 0 and printed
# nothing. `$1` names the run.
expect_clean_end() {
    local status=0
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null &&
        fail "$1: the program did not end when its window was closed; it printed: $(cat "$work/output")"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "$1: the program ended with status $status"
    [ ! -s "$work/output" ] || fail "$1: the program printed: $(cat "$work/output")"
}

# ---- sway ----

# The line sway runs as it starts tells the test the names of its displays.
cat >"$work/sway.conf" <<EOF
xwayland enable
output HEADLESS-1 mode 1024x768 position 0 0
exec env >$home/sway.tmp && mv $home/sway.tmp $home/sway.env
EOF
# No screen, no input devices and no graphics card: sway draws into memory.
"${as_user[@]}" "${user_env[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway --config "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway=$!
for _ in $(seq 100); do [ -s "$home/sway.env" ] && break; sleep 0.1; done
[ -s "$home/sway.env" ] || fail "sway did not start: $(tail -5 "$work/sway.log")"
mapfile -t sway_session < <(grep -E '^(WAYLAND_DISPLAY|SWAYSOCK|DISPLAY)=' "$home/sway.env")
grep -q '^DISPLAY=' "$home/sway.env" || fail "sway started no XWayland"

# Prints the view of program `$pid` in sway's tree, as JSON, once it has a size. `$1` names the
# run.
wait_for_view() {
    local view=
    for _ in $(seq 100); do
        view=$(in_session swaymsg -t get_tree | jq -c --argjson pid "$pid" \
            'first(.. | objects | select(has("shell") and .pid == $pid and .geometry.width > 0))' ||
            true)
        [ -n "$view" ] && break
        kill -0 "$pid" 2>/dev/null || fail "$1: the program ended: $(cat "$work/output")"
        sleep 0.1
    done
    [ -n "$view" ] || fail "$1: sway shows no window of the program"
    echo "$view"
}

# Presses keys `$@` in the focused window. Each waits a little first, the first longer: a key
# pressed before the window has the key map of wtype's new keyboard is lost, and XWayland
# compiles that map with xkbcomp, which on a busy machine takes a while.
keys() {
    local arguments=(-s 350) key
    for key; do arguments+=(-s 150 -k "$key"); done
    in_session wtype "${arguments[@]}" || fail "wtype pressed no keys"
}

# Takes a picture of the window of program `$pid`, where sway has it now: the window centres
# itself once it is shown.
picture=$home/window.ppm
take_picture() {
    local view window_x window_y
    view=$(wait_for_view "$name")
    window_x=$(jq '.rect.x + .window_rect.x' <<<"$view")
    window_y=$(jq '.rect.y + .window_rect.y' <<<"$view")
    in_session grim -t ppm -g "$window_x,$window_y 461x345" "$picture" ||
        fail "grim took no picture of the window"
}

# Prints the colours in the picture, as six hexadecimal digits, at the points "x y" of `$@`, one
# a line.
colours_at() {
    local point x y header
    header=$(head -n 3 "$picture" | wc -c)
    for point; do
        read -r x y <<<"$point"
        od -An -tx1 -j $((header + (y * 461 + x) * 3)) -N 3 "$picture" | tr -d ' \n'
        echo
    done
}

# A point right of the texts of each list's rows: rows are 19 pixels high below a 2-pixel frame,
# and lists start 64 pixels down.
column=(130 260 420)
row() { echo $((64 + 2 + 19 * $1 + 9)); }

# The rows each situation selects in the three lists; in each list the rows are in
# alphabetical order.
declare -A situation=(
    [напрежение]="0 1 1"    # волтметър, паралелно
    [ток]="2 0 2"           # амперметър, последователно
    [съпротивление]="1 2 0" # омметър, отделно
    [none]="- - -"
)

# Checks that the lists show situation `$2`, every row of it selected and every other row white;
# the window may take a moment to draw it. `$1` says when, `$name` in which run.
expect_shown() {
    local when=$1 wanted points=() expected=() actual list row
    read -r -a wanted <<<"${situation[$2]}"
    for list in 0 1 2; do
        for row in 0 1 2; do
            points+=("${column[list]} $(row "$row")")
            if [ "${wanted[list]}" = "$row" ]; then expected+=(0067c0); else expected+=(ffffff); fi
        done
    done
    for _ in $(seq 30); do
        take_picture
        mapfile -t actual < <(colours_at "${points[@]}")
        [ "${actual[*]}" = "${expected[*]}" ] && return
        sleep 0.1
    done
    fail "$name: $when, the lists show, list by list, ${actual[*]}, not $2 (${expected[*]})"
}

# Prints rectangle `$1` of the view in `$view` as "width x height".
size_of() {
    jq -r --arg rectangle "$1" '.[$rectangle] | "\(.width) x \(.height)"' <<<"$view"
}

# Runs the program on sway, in the run named `$1` (and so `$name`), with the variables `$4`...,
# checks that its window went through shell `$2`, and closes it. With `$3` "all" it also uses the
# window, and leaves a picture of the screen in `$screenshot`.
sway_run() {
    name=$1
    local shell=$2 checks=$3 view
    shift 3
    start_program "$@"
    view=$(wait_for_view "$name")
    [ "$(jq -r .shell <<<"$view")" = "$shell" ] ||
        fail "$name: the window went through $(jq -r .shell <<<"$view"), not $shell"
    [ "$(jq -r .name <<<"$view")" = "$caption" ] || fail "$name: caption $(jq .name <<<"$view")"
    local passed="$shell window"
    if [ "$checks" = all ]; then
        # What sway gives the window, and what the window took of it.
        [ "$(size_of window_rect)" = "461 x 345" ] ||
            fail "$name: sway gives the window $(size_of window_rect)"
        [ "$(size_of geometry)" = "461 x 345" ] ||
            fail "$name: the client area is $(size_of geometry)"
        [ "$(jq -r .type <<<"$view")" = floating_con ] ||
            fail "$name: the window is a $(jq -r .type <<<"$view"), not floating"
        expect_shown "at the start" none
        [ "$(colours_at "140 150")" = ff0000 ] || fail "$name: the clear button is not red"

        # The focus starts in the explanation; Tab takes it to the first list.
        keys Tab Down
        expect_shown "Down in the first list" напрежение
        in_session grim "$screenshot" || fail "grim took no picture of the screen"
        passed="461 x 345, floating, matched"

        # The focus goes round the controls in the order they are read. Home selects a list's
        # first row, which tells which list has the focus, and does nothing in the explanation.
        keys Tab Home
        expect_shown "Home in the second list" ток
        keys Tab Home
        expect_shown "Home in the third list" съпротивление
        keys Tab space
        expect_shown "Space on the button" none
        passed+=", cleared"
        keys Tab Home
        expect_shown "Home in the explanation" none
        keys Tab Home
        expect_shown "Home in the first list again" напрежение
        passed+=", focus went round"
    fi
    # sway's kill asks the window to close, as its close button does.
    in_session swaymsg "[con_id=$(jq .id <<<"$view")] kill" >/dev/null ||
        fail "$name: sway did not close the window"
    expect_clean_end "$name"
    echo "wayland: $name: $passed, closed"
}

session=("${sway_session[@]}")
screenshot=$home/wayland-sway-xwayland.png
sway_run "sway through XWayland" xwayland all
screenshot=$home/wayland-sway-native.png
sway_run "sway natively" xdg_shell all QT_QPA_PLATFORM=wayland
session=()
for variable in "${sway_session[@]}"; do
    [[ $variable == DISPLAY=* ]] || session+=("$variable")
done
sway_run "sway with no X server" xdg_shell start
cp "$home"/wayland-sway-*.png . || fail "the pictures of the screen cannot be left in $PWD"

kill "$sway"
wait "$sway" || true

# ---- weston ----

cat >"$work/weston.ini" <<EOF
[core]
idle-time=0
[shell]
panel-position=none
EOF
# weston's log gets what every client asks of it: the only way to see the program's window, as
# weston can neither list its windows nor take a picture without its debugging extension.
"${as_user[@]}" "${user_env[@]}" weston --backend=headless-backend.so --use-pixman \
    --width=1024 --height=768 --socket=dornelik-weston --idle-time=0 \
    --config="$work/weston.ini" --log="$home/weston.log" --logger-scopes=log,proto \
    >"$work/weston.out" 2>&1 &
weston=$!
for _ in $(seq 100); do [ -S "$runtime/dornelik-weston" ] && break; sleep 0.1; done
[ -S "$runtime/dornelik-weston" ] || fail "weston did not start: $(tail -5 "$work/weston.out")"
session=(WAYLAND_DISPLAY=dornelik-weston)

# What the program's window on weston must be. Further checks of the program on weston go here,
# such as what maximising does to its window: the program is `$pid`, and what it has asked of
# weston is in $home/weston.log.
weston_checks() {
    local asked
    for _ in $(seq 100); do
        asked=$(grep -F 'rq xdg_toplevel@' "$home/weston.log" || true)
        grep -qF "set_title(\"$caption\")" <<<"$asked" && break
        sleep 0.1
    done
    grep -qF "set_title(\"$caption\")" <<<"$asked" || fail "$name: no window with the caption"
    local min max
    min=$(grep -o 'set_min_size([0-9, ]*)' <<<"$asked" | tail -1 | grep -o '[0-9, ]*')
    max=$(grep -o 'set_max_size([0-9, ]*)' <<<"$asked" | tail -1 | grep -o '[0-9, ]*')
    [[ -n $min && $min == "$max" ]] ||
        fail "$name: the window may be resized, from ${min:-any size} to ${max:-any size}"
    # On weston the window draws its title bar itself, and counts it in its height.
    [ "${min%%,*}" = 461 ] || fail "$name: the window is ${min%%,*} wide"
}

name="weston natively"
start_program
weston_checks
sleep 2
kill -0 "$pid" 2>/dev/null || fail "$name: the program ended: $(cat "$work/output")"
[ ! -s "$work/output" ] || fail "$name: the program printed: $(cat "$work/output")"
# Nothing can press the close button on weston without a screen: the program is ended.
kill "$pid"
wait "$pid" || true
echo "wayland: $name: fixed size, ran 2 s, quiet, ended"

in_session QT_QPA_PLATFORM=wayland "$work/title_bar_test" >"$work/title_bar" 2>&1 ||
    fail "weston: the window's own title bar: $(grep -E '^(FAIL|   Loc)' "$work/title_bar" || tail -5 "$work/title_bar")"
echo "wayland: weston: the window's own title bar, its close box alone, a maximise that leaves it at its size: $(grep -o "[0-9]* passed, 0 failed" "$work/title_bar")"

kill "$weston"
wait "$weston" || true

echo "wayland: every check passed"
