#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Measures the Windows program against a bare Windows window of the same size, and against that
# window with one line of text in the program's font, side by side under one Wine on Xvfb: the
# time from process start to the window on the screen, waiting for input, and the peak working
# set (medians of repeated runs), and the size of each exe. Prints a table with the ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${DORNELIK_BENCH_RUNS:-21}
build=$root/build/bench-windows

(cd "$root" && cmake --preset windows >/dev/null && cmake --build --preset windows --target dornelik >/dev/null)
mkdir -p "$build"
compile() {
    x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -static -s -municode \
        -I "$root/window" -I "$root/matching" -o "$build/$1.exe" "$root/bench/$1.cpp" "${@:2}"
}
compile bare_window -lgdi32
compile start_timer -lpsapi
cp "$root/build/windows/win32/dornelik.exe" "$build/"
"$root/cmake/make_wine_prefix.sh" "$build/prefix" 96

# shellcheck source=../tests/x_session.sh
source "$root/tests/x_session.sh"
export WINEPREFIX=$build/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$x_work"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
start_once() { (cd "$build" && wine start_timer.exe "$@"); }

kinds=(dornelik bare text)
start_kind() {
    case $1 in
    dornelik) start_once dornelik.exe ;;
    bare) start_once bare_window.exe ;;
    text) start_once bare_window.exe text ;;
    esac
}
for kind in "${kinds[@]}"; do
    start_kind "$kind" >/dev/null # fills the caches the later runs find warm
    : >"$x_work/$kind"
done
for _ in $(seq "$runs"); do
    for kind in "${kinds[@]}"; do
        start_kind "$kind" >>"$x_work/$kind"
    done
done
startup() { awk '{ print $1 }' "$x_work/$1" | median; }
memory() { awk '{ print $2 }' "$x_work/$1" | median; }

awk -v ds="$(startup dornelik)" -v bs="$(startup bare)" -v ts="$(startup text)" \
    -v dm="$(memory dornelik)" -v bm="$(memory bare)" -v tm="$(memory text)" \
    -v de="$(stat -c %s "$build/dornelik.exe")" -v be="$(stat -c %s "$build/bare_window.exe")" \
    -v runs="$runs" '
function row(name, d, b, t, scale) {
    printf "| %s | %.1f | %.1f | %.2f | %.1f | %.2f |\n", name, d / scale, b / scale, d / b, t / scale, d / t
}
BEGIN {
    printf "| measure (median of %d runs) | Dornelik | bare window | ratio | bare window with a line of text | ratio |\n", runs
    print  "|---|---:|---:|---:|---:|---:|"
    row("start to window on the screen, ms", ds, bs, ts, 1)
    row("peak working set, MiB", dm, bm, tm, 1024)
    printf "| size of the exe, KiB | %.0f | %.0f | | | |\n", de / 1024, be / 1024
}'
