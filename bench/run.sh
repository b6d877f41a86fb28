#!/usr/bin/env bash
# Measures Dornelik against a bare Qt Widgets window of the same size, and against that window
# with one line of text in the program's font, all built here in Release: the time from process
# start to the first frame on the screen and the peak resident memory (medians of repeated runs
# under Xvfb), the cost of one selection (QTest benchmark), and the CPU time used while idle.
# Prints a table with the ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${DORNELIK_BENCH_RUNS:-21}
build=$root/build/bench

cmake -S "$root/bench" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

# shellcheck source=../tests/x_session.sh
source "$root/tests/x_session.sh"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One start of `first_frame $1`: milliseconds to the first frame, and peak kilobytes.
start_once() {
    local before frame peak
    before=$(date +%s%N)
    read -r frame peak < <("$build/first_frame" "$1")
    echo "$(((frame - before) / 1000)) $peak"
}

for kind in dornelik bare text; do
    start_once "$kind" >/dev/null # fills the caches the later runs find warm
    : >"$x_work/$kind"
done
for _ in $(seq "$runs"); do
    for kind in dornelik bare text; do
        start_once "$kind" >>"$x_work/$kind"
    done
done
startup() { awk '{ print $1 }' "$x_work/$1" | median; }
memory() { awk '{ print $2 }' "$x_work/$1" | median; }

selection=$(QT_QPA_PLATFORM=offscreen "$build/selection_bench" -minimumvalue 200 2>/dev/null |
    awk '/msecs per iteration/ { print $1 }')

"$build/dornelik/qt/dornelik" &
pid=$!
wait_for_window >/dev/null
sleep 1
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
idle_before=$(cpu)
sleep 5
idle_ticks=$(($(cpu) - idle_before))
kill "$pid"

awk -v ds="$(startup dornelik)" -v bs="$(startup bare)" -v ts="$(startup text)" \
    -v dm="$(memory dornelik)" -v bm="$(memory bare)" -v tm="$(memory text)" \
    -v sel="$selection" -v idle="$idle_ticks" -v tick="$(getconf CLK_TCK)" -v runs="$runs" '
function row(name, d, b, t, scale) {
    printf "| %s | %.1f | %.1f | %.2f | %.1f | %.2f |\n", name, d / scale, b / scale, d / b, t / scale, d / t
}
BEGIN {
    printf "| measure (median of %d runs) | Dornelik | bare window | ratio | bare window with a line of text | ratio |\n", runs
    print  "|---|---:|---:|---:|---:|---:|"
    row("start to first frame, ms", ds, bs, ts, 1000)
    row("peak resident memory, MiB", dm, bm, tm, 1024)
    printf "| one selection, ms | %.3f | | | | |\n", sel
    printf "| CPU time while idle for 5 s, ms | %d | | | | |\n", idle * 1000 / tick
}'
