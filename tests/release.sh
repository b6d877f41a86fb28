#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Builds the release twice, from two copies of the source in different folders, at different
# times and under another umask, the second time signed with a throwaway certificate, and checks
# that every file is the same bytes, the Windows files as they were before they were signed,
# explaining any difference; that the release is what a packager and an administrator trust
# (release_checks.sh); that a wrong key or password is refused before anything is built; that
# each signed Windows file and the program inside each package carries a valid signature by that
# certificate; and that the signed packages install side by side under Wine, where both signed
# programs start.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=x_session.sh
source "$root/tests/x_session.sh"
trap 'wineserver -k 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$x_work"' EXIT
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}

# The source as it stands, committed or not, in a folder of its own.
copy_source() {
    mkdir -p "$1"
    (cd "$root" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$1")
}
first=$x_work/one/dornelik
second=$x_work/another/folder/dornelik-copy
copy_source "$first"
copy_source "$second"
# The builds make way for the tests that run beside them, but not for other builds.
(umask 022 && nice -n 5 "$first/cmake/make_release.sh") >"$x_work/first.log" ||
    fail "the release failed: $(tail "$x_work/first.log")"

# A certificate to sign with, and another whose key is not its own.
keys=$x_work/keys
mkdir "$keys"
certificate() { # name, key password
    openssl req -x509 -newkey rsa:2048 -days 2 -subj "/CN=$1" -addext extendedKeyUsage=codeSigning \
        -keyout "$keys/$1.key" -out "$keys/$1.pem" -passout "pass:$2" 2>/dev/null
}
certificate signer secret
certificate stranger other
export DORNELIK_SIGNING_CERTIFICATE=$keys/signer.pem
refused() { # expected message, then the key and password to try
    local message
    if message=$(DORNELIK_SIGNING_KEY=$2 DORNELIK_SIGNING_PASSWORD=$3 "$first/cmake/make_release.sh" 2>&1); then
        fail "signed with $2 and password '$3'"
    fi
    grep -q "$1" <<<"$message" || fail "refused with: $message"
    [ -f "$first/dist/SHA256SUMS" ] || fail "a refused signing touched the release"
}
refused "does not belong to the certificate" "$keys/stranger.key" other
refused "the password is wrong" "$keys/signer.key" wrong

# Built again, elsewhere, signed.
(umask 077 && DORNELIK_SIGNING_KEY=$keys/signer.key DORNELIK_SIGNING_PASSWORD=secret \
    nice -n 5 "$second/cmake/make_release.sh") >"$x_work/second.log" || fail "the signed release failed: $(tail "$x_work/second.log")"
signed=$second/dist

[ "$(ls "$first/dist")" = "$(ls "$signed")" ] || fail "the releases hold different files"
differing=()
for file in "$first"/dist/*; do
    name=$(basename "$file")
    case "$name" in
    SHA256SUMS) continue ;;
    *.exe | *.msi) again=$second/build/dist/unsigned/$name ;;
    *) again=$signed/$name ;;
    esac
    cmp -s "$file" "$again" && continue
    differing+=("$name")
    echo "FAIL: $name differs between the two builds:"
    if command -v diffoscope >/dev/null; then
        timeout 300 diffoscope --text - "$file" "$again" | head -80 || true
    else
        cmp -l "$file" "$again" | head -20 || true
    fi
done
[ ${#differing[@]} = 0 ] || fail "not reproducible: ${differing[*]}"
for dist in "$first/dist" "$signed"; do
    (cd "$dist" && sha256sum --check --quiet SHA256SUMS) || fail "SHA256SUMS does not match $dist"
done
echo "release: the same bytes twice: $(ls "$first/dist" | tr '\n' ' ')"
"$root/tests/release_checks.sh" "$root" "$first"
# The release, for the tests that take it: where the test runs.
rm -rf "$PWD/release"
cp -r "$first/dist" "$PWD/release"

verify() {
    osslsigncode verify -CAfile "$DORNELIK_SIGNING_CERTIFICATE" -in "$1" >"$x_work/verify" 2>&1 &&
        grep -q "Subject: /CN=signer" "$x_work/verify" || fail "$1 is not signed by the certificate: $(cat "$x_work/verify")"
}
for file in "$signed"/*.exe "$signed"/*.msi; do
    verify "$file"
    cmp -s "$file" "$first/dist/$(basename "$file")" && fail "$(basename "$file") was not signed"
done
grep "Signature verification" "$x_work/verify"

export WINEPREFIX=$x_work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$root/cmake/make_wine_prefix.sh" "$WINEPREFIX" 96 win64
drive=$WINEPREFIX/drive_c
architectures=(x64)
programs=("$drive/Program Files/Dornelik/dornelik.exe")
if why=$("$root/cmake/runs_x86_32.sh" --wine); then
    architectures+=(x86)
    programs+=("$drive/Program Files (x86)/Dornelik/dornelik.exe")
else
    echo "release: the 32-bit package is not installed: $why"
fi
for architecture in "${architectures[@]}"; do
    wine msiexec /i "$(ls "$signed"/Dornelik-*-$architecture.msi)" /qn || fail "the signed $architecture package did not install"
done
for program in "${programs[@]}"; do
    [ -f "$program" ] || fail "no $program"
    verify "$program"
    wine "$program" &
    close_and_expect_success $! "$(wait_for_window)"
done
echo "release: signed by the certificate; installed and started: ${architectures[*]}"
