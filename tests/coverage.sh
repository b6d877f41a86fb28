#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Reports the lines and branches of the core and the window's description that the core's and
# the window's tests run: coverage.sh BUILD, a build made with DORNELIK_COVERAGE. The tests run
# here once more, counting into a folder of their own, so that the other tests running meanwhile
# count elsewhere. Leaves each file's figures in BUILD/coverage.txt.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
command -v gcovr >/dev/null || { echo "FAIL: gcovr is missing (Debian package gcovr)"; exit 1; }
counts=$(mktemp -d)
trap 'rm -rf "$counts"' EXIT
export GCOV_PREFIX=$counts GCOV_PREFIX_STRIP=0
"$build/tests/matching/matching_tests" >/dev/null 2>&1
"$build/tests/matching/decimal_readings_strtod" "$counts/readings" >/dev/null 2>&1
QT_QPA_PLATFORM=offscreen "$build/tests/qt/window_tests" >/dev/null 2>&1
# gcov reads each count beside the notes the compiler wrote with the object.
(cd "$build" && find . -name '*.gcno' -exec cp --parents {} "$counts/$build/" \;)
gcovr --root "$source" --filter "$source/matching/" --filter "$source/window/" \
    --exclude-unreachable-branches --exclude-throw-branches --print-summary \
    --txt "$build/coverage.txt" "$counts/$build"
