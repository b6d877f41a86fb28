#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Exits 0 where this machine runs 32-bit x86 Linux programs, which the 32-bit Wine needs: some
# 64-bit kernels are built or started without IA-32 emulation and refuse them. Tries the smallest
# such program, one that only exits. With --wine, the 32-bit Wine must be installed too. Where
# either is missing, says why and exits 1.
set -euo pipefail
program=$(mktemp)
trap 'rm -f "$program"' EXIT
# The ELF header, one loadable segment at 0x08048000 and the code at 0x08048054:
# mov eax, 1; xor ebx, ebx; int 0x80 (exit 0).
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0' >"$program"
printf '\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\135\0\0\0\135\0\0\0\5\0\0\0\0\020\0\0' >>"$program"
printf '\270\1\0\0\0\061\333\315\200' >>"$program"
chmod +x "$program"
if ! "$program" 2>/dev/null; then
    echo "this machine runs no 32-bit x86 programs (its kernel has no IA-32 emulation)"
    exit 1
fi
# Debian's 32-bit Wine, beside which the 64-bit one runs alone.
if [ "${1:-}" = --wine ] && [ ! -x /usr/lib/wine/wine ]; then
    echo "the 32-bit Wine is not installed (Debian package wine32:i386)"
    exit 1
fi
