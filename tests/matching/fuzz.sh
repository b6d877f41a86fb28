#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Builds the key reading with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# and fuzzes it for a bounded time, starting from the corpus kept beside this script.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
seconds=${DORNELIK_FUZZ_SECONDS:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I "$here/../../matching" "$here/../../matching/key_reading.cpp" \
    "$here/../../matching/decimal_reading_from_chars.cpp" "$here/fuzz_key_reading.cpp" \
    -o "$work/fuzz_key_reading"
cp -r "$here/fuzz_corpus" "$work/corpus"
"$work/fuzz_key_reading" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" 2>"$work/log" || {
    tail -40 "$work/log" >&2
    for crash in "$work"/crash-* "$work"/leak-* "$work"/timeout-*; do
        [ -e "$crash" ] && { echo "input:" >&2; od -c "$crash" | head -20 >&2; }
    done
    exit 1
}
grep -E 'number_of_executed_units|new_units_added' "$work/log"
