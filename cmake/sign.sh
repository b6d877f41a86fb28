#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Signs Windows programs and packages in place with Authenticode: sign.sh FILE..., or
# sign.sh --check to check the certificate and key alone. Reads:
#   DORNELIK_SIGNING_CERTIFICATE  the code-signing certificate, PEM
#   DORNELIK_SIGNING_KEY          its private key, PEM
#   DORNELIK_SIGNING_PASSWORD     the key's password, where it has one
#   DORNELIK_TIMESTAMP_URL        an RFC 3161 time-stamping server, optional
# The signing time is SOURCE_DATE_EPOCH where it is set, so that one key signs the same files
# into the same bytes. Every file is signed beside itself first and replaced only once all are:
# when anything fails, no file has changed.
set -euo pipefail

fail() {
    echo "sign: $*" >&2
    exit 1
}

certificate=${DORNELIK_SIGNING_CERTIFICATE:-}
key=${DORNELIK_SIGNING_KEY:-}
export DORNELIK_SIGNING_PASSWORD=${DORNELIK_SIGNING_PASSWORD:-}
command -v osslsigncode >/dev/null || fail "osslsigncode is missing (Debian package osslsigncode)"
command -v openssl >/dev/null || fail "openssl is missing (Debian package openssl)"
[ -n "$certificate" ] || fail "DORNELIK_SIGNING_CERTIFICATE is not set"
[ -n "$key" ] || fail "DORNELIK_SIGNING_KEY is not set"
[ -r "$certificate" ] || fail "the certificate $certificate cannot be read"
[ -r "$key" ] || fail "the key $key cannot be read"
certificate_key=$(openssl x509 -in "$certificate" -noout -pubkey 2>/dev/null) ||
    fail "$certificate is not a certificate"
own_key=$(openssl pkey -in "$key" -passin env:DORNELIK_SIGNING_PASSWORD -pubout 2>/dev/null) ||
    fail "the key $key cannot be opened: the password is wrong, or it is not a key"
[ "$certificate_key" = "$own_key" ] || fail "the key $key does not belong to the certificate $certificate"
[ "${1:-}" != --check ] || exit 0

[ $# -gt 0 ] || fail "usage: sign.sh --check | FILE..."
signed=$(mktemp -d)
trap 'rm -rf "$signed"' EXIT
options=(-certs "$certificate" -key "$key" -h sha256 -n "Dornelik в ел. верига"
    -i https://www.example.org/)
if [ -n "$DORNELIK_SIGNING_PASSWORD" ]; then
    printf '%s' "$DORNELIK_SIGNING_PASSWORD" >"$signed/password"
    options+=(-readpass "$signed/password")
fi
[ -z "${SOURCE_DATE_EPOCH:-}" ] || options+=(-time "$SOURCE_DATE_EPOCH")
[ -z "${DORNELIK_TIMESTAMP_URL:-}" ] || options+=(-ts "$DORNELIK_TIMESTAMP_URL")

for number in $(seq $#); do
    file=${!number}
    osslsigncode sign "${options[@]}" -in "$file" -out "$signed/$number" >"$signed/log" 2>&1 ||
        fail "signing $file failed: $(grep -v '^$' "$signed/log" | tail -3)"
done
for number in $(seq $#); do
    cat "$signed/$number" >"${!number}"
done
