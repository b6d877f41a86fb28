#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Starts the program in a real X server under a window manager and uses it as a person would:
# looks at the window, clicks an instrument, reads the screen, clears, and closes the window.
set -euo pipefail
program=$1
# shellcheck source=../x_session.sh
source "$(dirname "$0")/../x_session.sh"

"$program" >"$x_work/output" 2>&1 &
pid=$!
window=$(wait_for_window)

xprop -id "$window" _NET_WM_NAME | grep -qF "= \"$caption\"" || fail "caption"
geometry=$(xwininfo -id "$window")
x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
width=$(awk '/Width:/ {print $NF}' <<<"$geometry")
height=$(awk '/Height:/ {print $NF}' <<<"$geometry")
[ "$width x $height" = "461 x 345" ] || fail "client area is $width x $height"

hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q 'minimum size: 461 by 345' <<<"$hints" || fail "no fixed minimum size: $hints"
grep -q 'maximum size: 461 by 345' <<<"$hints" || fail "no fixed maximum size: $hints"
# Motif hints: flags, functions, decorations; minimise is 8 and maximise 16 among the
# functions, 32 and 64 among the decorations.
read -r functions decorations < <(xprop -id "$window" _MOTIF_WM_HINTS |
    sed 's/.*= //; s/,//g' | awk '{print $2, $3}')
((!(functions & 24) && !(decorations & 96))) || fail "minimise or maximise offered"

# The frame, title bar included, stands in the middle of the screen.
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
frameCentreX=$(((x - left + x + width + right) / 2))
frameCentreY=$(((y - top + y + height + bottom) / 2))
((frameCentreX >= 511 && frameCentreX <= 512 && frameCentreY >= 383 && frameCentreY <= 384)) ||
    fail "frame centred at $frameCentreX,$frameCentreY (client $x,$y; frame $left $right $top $bottom)"

# The colour at a point of the client area, as six hexadecimal digits.
colourAt() {
    import -window "$window" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1
}
white='#FFFFFF'
# Rows are 19 pixels high below a 2-pixel frame; lists start 64 pixels down.
row() { echo $((64 + 2 + 19 * $1 + 9)); }

xdotool mousemove --window "$window" 218 "$(row 1)" click 1 # "волтметър"
sleep 0.5
[ "$(colourAt 130 "$(row 0)")" != "$white" ] || fail "напрежение is not selected"
[ "$(colourAt 420 "$(row 1)")" != "$white" ] || fail "паралелно is not selected"
[ "$(colourAt 130 "$(row 1)")" = "$white" ] || fail "съпротивление is selected"
[ "$(colourAt 420 "$(row 2)")" = "$white" ] || fail "последователно is selected"
[ "$(colourAt 140 150)" = "#FF0000" ] || fail "the clear button is $(colourAt 140 150), not red"

xdotool mousemove --window "$window" 228 164 click 1 # "Чисти"
sleep 0.5
for point in "130 $(row 0)" "420 $(row 1)" "260 $(row 1)"; do
    # shellcheck disable=SC2086
    [ "$(colourAt $point)" = "$white" ] || fail "a row at $point is still selected"
done

close_and_expect_success "$pid" "$window"
[ ! -s "$x_work/output" ] || fail "the program printed: $(cat "$x_work/output")"
echo "end-to-end: window shown, matched, cleared and closed"
