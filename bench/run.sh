#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Measures Dornelik against the same pixels painted by hand in a bare Qt window (what showing this
# window costs in Qt at the least), both built here in Release: the time from process start to the
# first frame on the screen and the peak resident memory (medians of repeated runs under Xvfb),
# the instructions to the first frame (callgrind, the same count on every run), the cost of one
# selection (QTest benchmark), and the CPU time used while idle. Prints a table with the ratios.
# With DORNELIK_BENCH_AGAINST naming a commit, the program of that commit is built beside it
# (with that commit's own measuring program) and measured in the same runs, in a column of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${DORNELIK_BENCH_RUNS:-21}
build=$root/build/bench
against=${DORNELIK_BENCH_AGAINST:-}

configure() { # source, build folder
    cmake -S "$1/bench" -B "$2" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$2" --parallel "$(nproc)" >/dev/null
}
configure "$root" "$build"
kinds=(dornelik pixels)
programs=("$build/first_frame dornelik" "$build/first_frame pixels")
if [ -n "$against" ]; then
    earlier=$root/build/bench-$against
    [ -d "$earlier/source" ] || git -C "$root" worktree add --detach "$earlier/source" "$against" >/dev/null 2>&1
    configure "$earlier/source" "$earlier/build"
    kinds+=(earlier)
    programs+=("$earlier/build/first_frame dornelik")
fi

# shellcheck source=../tests/x_session.sh
source "$root/tests/x_session.sh"
# The program chooses its window system as it does on a desktop.
unset QT_QPA_PLATFORM

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One start: milliseconds to the first frame, and peak kilobytes.
start_once() {
    local before frame peak
    before=$(date +%s%N)
    read -r frame peak < <($1)
    echo "$(((frame - before) / 1000)) $peak"
}
# Instructions of the program's own process to its first frame.
instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null $1 2>"$x_work/callgrind" >/dev/null
    local pid
    pid=$(grep -o '^==[0-9]*==' "$x_work/callgrind" | head -1)
    grep "^$pid Collected" "$x_work/callgrind" | awk '{ print $NF }'
}

for index in "${!kinds[@]}"; do
    start_once "${programs[$index]}" >/dev/null # fills the caches the later runs find warm
    : >"$x_work/${kinds[$index]}"
done
for _ in $(seq "$runs"); do
    for index in "${!kinds[@]}"; do
        start_once "${programs[$index]}" >>"$x_work/${kinds[$index]}"
    done
done
startup() { awk '{ print $1 }' "$x_work/$1" | median; }
memory() { awk '{ print $2 }' "$x_work/$1" | median; }
declare -A counted
for index in "${!kinds[@]}"; do
    counted[${kinds[$index]}]=$(instructions "${programs[$index]}")
done

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

awk -v ds="$(startup dornelik)" -v ps="$(startup pixels)" -v dm="$(memory dornelik)" \
    -v pm="$(memory pixels)" -v di="${counted[dornelik]}" -v pi="${counted[pixels]}" \
    -v against="$against" -v es="$([ -z "$against" ] || startup earlier)" \
    -v em="$([ -z "$against" ] || memory earlier)" -v ei="${counted[earlier]:-}" \
    -v sel="$selection" -v idle="$idle_ticks" -v tick="$(getconf CLK_TCK)" -v runs="$runs" '
function row(name, d, p, e, scale, digits) {
    printf "| %s | %." digits "f | %." digits "f | %.2f |", name, d / scale, p / scale, d / p
    if (against != "")
        printf " %." digits "f | %.2f |", e / scale, e / p
    printf "\n"
}
BEGIN {
    printf "| measure (median of %d runs) | Dornelik | same pixels | ratio |", runs
    if (against != "")
        printf " %s | ratio |", against
    printf "\n|---|---:|---:|---:|%s\n", against != "" ? "---:|---:|" : ""
    row("start to first frame, ms", ds, ps, es, 1000, 1)
    row("peak resident memory, MiB", dm, pm, em, 1024, 1)
    row("instructions to the first frame, millions", di, pi, ei, 1e6, 1)
    printf "| one selection, ms | %.3f | | |%s\n", sel, against != "" ? " | |" : ""
    printf "| CPU time while idle for 5 s, ms | %d | | |%s\n", idle * 1000 / tick, against != "" ? " | |" : ""
}'
