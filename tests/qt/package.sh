#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Builds the Debian package, installs it with apt as an administrator would, starts the
# installed program and sees its window, then removes the package again.
set -euo pipefail
build=$1
# shellcheck source=../x_session.sh
source "$(dirname "$0")/../x_session.sh"

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo -n)

cd "$build"
rm -f dornelik_*.deb
cpack -G DEB >/dev/null
deb=dornelik_1.00_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb among: $(ls ./*.deb)"
depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-liberation2 qt6-qpa-plugins libqt6widgets6 libc6; do
    grep -q "$package" <<<"$depends" || fail "$package is not among the dependencies: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"

trap 'kill $(jobs -p) 2>/dev/null || true; "${sudo[@]}" apt-get remove -y -qq dornelik >/dev/null 2>&1; rm -rf "$x_work"' EXIT
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "./$deb" >/dev/null
[ -x /usr/bin/dornelik ] || fail "the package did not install /usr/bin/dornelik"
[ -f /usr/share/applications/org.example.Dornelik.desktop ] || fail "no desktop entry"

/usr/bin/dornelik &
pid=$!
window=$(wait_for_window)
close_and_expect_success "$pid" "$window"
echo "package: $deb installs, starts and shows its window"
