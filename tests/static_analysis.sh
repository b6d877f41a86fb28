#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Runs clang-tidy, with the checks of .clang-tidy, over the core, the Linux program and the page:
# static_analysis.sh BUILD, where BUILD is the Linux build whose compile_commands.json compiles the
# first two. The page is compiled as for WebAssembly, against emscripten's headers. Any finding
# fails.
set -euo pipefail
build=$1
cd "$(dirname "$0")/.."
fail() {
    echo "FAIL: $*"
    exit 1
}
command -v run-clang-tidy >/dev/null || fail "run-clang-tidy is missing (Debian package clang-tidy)"
[ -f "$build/compile_commands.json" ] || fail "$build has no compile_commands.json"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The page's sources as emscripten compiles them.
sysroot=$(em-config CACHE)/sysroot/include
for source in web/*.cpp; do
    printf '{"directory": "%s", "file": "%s", "arguments": ["clang++", "-std=c++20",
        "--target=wasm32-unknown-emscripten", "-D__EMSCRIPTEN__", "-nostdinc++",
        "-isystem", "%s/c++/v1", "-isystem", "%s", "-Imatching", "-Iwindow", "-Iweb", "-c", "%s"]}\n' \
        "$PWD" "$PWD/$source" "$sysroot" "$sysroot" "$source"
done | sed '$!s/}$/},/' | { echo '['; cat; echo ']'; } >"$scratch/compile_commands.json"

for database in "$build" "$scratch"; do
    run-clang-tidy -quiet -j "$(nproc)" -p "$database" "$PWD/(matching|qt|web)/.*\.cpp\$" \
        >"$scratch/log" 2>&1 || {
        grep -E -A3 'error:|warning:' "$scratch/log"
        fail "clang-tidy has something to say"
    }
done
echo "static analysis: clang-tidy finds nothing in the core, the Linux program and the page"
