#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Checks that every C++ file of the source, committed or not, is formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' |
    xargs -0 clang-format --dry-run -Werror
echo "format: every C++ file as .clang-format says"
