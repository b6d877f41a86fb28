#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Measures the page against a static page with the same look and no program, in Debian's
# Chromium, and reports Lighthouse's scores: builds the page (preset web) and runs web_bench.js.
# Needs ./build.sh test to have installed the npm packages of bench/package.json.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
(cd "$root" && cmake --preset web >/dev/null && cmake --build --preset web --target page >/dev/null)
node "$root/bench/web_bench.js" "$root" "$root/build/web/web/dornelik.html" "${DORNELIK_BENCH_RUNS:-21}"
