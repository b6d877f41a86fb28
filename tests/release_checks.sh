#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Checks a release as a distribution's packager and a school's administrator would:
# release_checks.sh CHECKOUT BUILT, where CHECKOUT is the project's git checkout and BUILT a copy of
# its source from which the release was built, with dist/ and build/dist/ in it. Every
# file of the source states its licence (reuse lint); every Debian package passes lintian and its
# program has Debian's hardening; the Windows programs have Windows' protections, a stack
# protector, and import Windows' own libraries alone; and every file carries the notices of the
# code of others linked into it.
set -euo pipefail
checkout=$1
source=$2
dist=$source/dist
work=$source/build/dist
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
for tool in reuse:reuse lintian:lintian hardening-check:devscripts msiinfo:msitools \
    x86_64-w64-mingw32-objdump:binutils-mingw-w64-x86-64 i686-w64-mingw32-objdump:binutils-mingw-w64-i686; do
    command -v "${tool%%:*}" >/dev/null || fail "${tool%%:*} is missing (Debian package ${tool#*:})"
done

(cd "$checkout" && reuse lint) >"$scratch/reuse" 2>&1 || fail "reuse lint: $(cat "$scratch/reuse")"
echo "release checks: reuse lint: $(grep -E 'Files with (copyright|license)' "$scratch/reuse" | tr -s ' \n' ' ')"

# The Raspberry Pi's package asks for what the PC's asks for.
for field in Depends Recommends; do
    [ "$(dpkg-deb -f "$dist"/dornelik_*_amd64.deb $field)" = "$(dpkg-deb -f "$dist"/dornelik_*_arm64.deb $field)" ] ||
        fail "the amd64 and arm64 packages differ in $field"
done

for deb in "$dist"/*.deb; do
    name=$(basename "$deb")
    # lintian refuses to run as root without saying so.
    lintian --fail-on error,warning --display-level '>=info' "$deb" >"$scratch/lintian" 2>&1 ||
        fail "lintian on $name: $(cat "$scratch/lintian")"
    ! grep -E '^[EWIX]:' "$scratch/lintian" || fail "lintian has something to say of $name"
    tree=$scratch/${name%.deb}
    dpkg-deb -x "$deb" "$tree"
    # Control-flow protection needs C library start files that Debian 12 does not build with it.
    hardening-check -x "$tree/usr/bin/dornelik" >"$scratch/hardening" 2>&1 ||
        fail "$name: the program is not hardened: $(cat "$scratch/hardening")"
    grep -q '^License: MIT$' "$tree/usr/share/doc/dornelik/copyright" ||
        fail "$name: no copyright file with Dornelik's licence"
    echo "release checks: $name passes lintian; its program is hardened"
done

# The libraries a Windows program is linked with, and what of their notices it needs.
notice_of() {
    case "$1" in
    libmatching.a | libwin32_window.a | objects.a) echo "" ;; # Dornelik's own
    libkernel32.a | libuser32.a | libgdi32.a | libcomctl32.a | libadvapi32.a) echo "" ;; # Windows' own
    libmingw32.a | libmingwex.a | libmsvcrt.a | libmoldname.a) echo "run-time of mingw-w64" ;;
    libpthread.a | libwinpthread.a) echo "winpthreads" ;;
    libstdc++.a | libsupc++.a | libgcc.a | libgcc_eh.a | libssp.a | libssp_nonshared.a) echo "run-time libraries of GCC" ;;
    *) return 1 ;;
    esac
}
windows_dlls='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|msvcrt|USER32)\.dll$'
for architecture in x64 x86; do
    exe=$dist/dornelik-*-$architecture.exe
    if [ "$architecture" = x64 ]; then
        objdump=x86_64-w64-mingw32-objdump preset=windows wanted="HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
    else
        objdump=i686-w64-mingw32-objdump preset=windows-x86 wanted="DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
    fi
    # shellcheck disable=SC2086
    $objdump -p $exe >"$scratch/headers"
    flags=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' "$scratch/headers" | awk 'NF == 1 { print $1 }' | tr '\n' ' ')
    for flag in $wanted; do
        [[ " $flags " == *" $flag "* ]] || fail "the $architecture program lacks $flag: $flags"
    done
    dlls=$(awk '/DLL Name:/ { print $3 }' "$scratch/headers")
    ! grep -Evi "$windows_dlls" <<<"$dlls" || fail "the $architecture program imports more than Windows' own libraries"

    map=$work/$preset/win32/dornelik.map
    grep -q '__stack_chk_fail' "$map" || fail "the $architecture program has no stack protector"
    for library in $(grep -oE '/[^ ()/]+\.a\(' "$map" | sed 's|^/||; s|($||' | sort -u); do
        notice=$(notice_of "$library") || fail "$library is linked into the $architecture program, but nothing is known of its notices"
        [ -z "$notice" ] || grep -q "$notice" "$source/win32/third-party-notices.txt" ||
            fail "the notices lack the $notice, which the $architecture program links"
    done
    msi=$dist/Dornelik-*-$architecture.msi
    # shellcheck disable=SC2086
    files=$(msiinfo export $msi File | tr -d '\r')
    for notice in LICENSE.txt THIRD-PARTY-NOTICES.txt; do
        grep -q "|$notice	\|	$notice	" <<<"$files" || fail "the $architecture package does not install $notice"
    done
    echo "release checks: the $architecture program: ${flags% }; imports $(echo $dlls | tr '\n' ' '); its package installs the licence and the notices"
done

for file in "$dist"/*; do
    name=$(basename "$file")
    [ "$name" = NOTICES.txt ] || [ "$name" = SHA256SUMS ] || grep -q "^- $name: " "$dist/NOTICES.txt" ||
        fail "NOTICES.txt says nothing of $name"
done
for notice in "Dornelik developers" "Rich Felker" "The Emscripten Authors"; do
    grep -q "$notice" "$dist"/dornelik-*.html || fail "the page does not carry the notice of $notice"
done
echo "release checks: NOTICES.txt names every file; the page carries its notices"
