#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Starts the Windows program under Wine in a real X server under a window manager and uses it as
# a person would: looks at the window, clicks an instrument, reads the screen, clears, and closes
# the window. Leaves its screenshot as win32_end_to_end.png in the working folder.
set -euo pipefail
program=$1
screenshot=$PWD/win32_end_to_end.png
# shellcheck source=../x_session.sh
source "$(dirname "$0")/../x_session.sh"
trap 'wineserver -k 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$x_work"' EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

wine "$program" >"$x_work/output" 2>&1 &
pid=$!
window=$(wait_for_window)

geometry=$(xwininfo -id "$window")
width=$(awk '/Width:/ {print $NF}' <<<"$geometry")
height=$(awk '/Height:/ {print $NF}' <<<"$geometry")
[ "$width x $height" = "461 x 345" ] || fail "client area is $width x $height"
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q 'maximum size: 461 by 345' <<<"$hints" || fail "no fixed size: $hints"

colourAt() {
    import -window "$window" "$screenshot"
    convert "$screenshot" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1
}
# The middle of a list is its second row whatever the rows' height: "волтметър", and in the
# third list "паралелно".
xdotool mousemove --window "$window" 224 94 click 1
sleep 0.5
[ "$(colourAt 420 94)" != '#FFFFFF' ] || fail "паралелно is not selected"
[ "$(colourAt 140 150)" = '#FF0000' ] || fail "the clear button is not red"
xdotool mousemove --window "$window" 228 164 click 1 # "Чисти"
sleep 0.5
[ "$(colourAt 420 94)" = '#FFFFFF' ] || fail "паралелно is still selected"

close_and_expect_success "$pid" "$window"
[ ! -s "$x_work/output" ] || fail "the program printed: $(cat "$x_work/output")"
echo "win32 end-to-end: window shown, matched, cleared and closed"
