#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Checks what the installation decides from apt-get's words, as apt-get printed them on bad days:
# whether to try again, and whether to go on without the i386 packages or to stop, naming what
# failed.
set -euo pipefail
# shellcheck source=../cmake/install_packages.sh
source "$(dirname "$0")/../cmake/install_packages.sh"
failed=0

# A case: its name, the step, the optional architectures asked for, the decision, a finding that
# must be among apt_failures' and apt-get's output on stdin.
decides() {
    local name=$1 step=$2 asked=$3 wanted=$4 finding=$5 output findings decision
    output=$(cat)
    findings=$(apt_failures i386 <<<"$output")
    # shellcheck disable=SC2086
    decision=$(next_step "$step" $asked <<<"$findings")
    if [ "$decision" != "$wanted" ] || ! grep -qxF "$finding" <<<"$findings"; then
        echo "FAIL: $name: decided '$decision', wanted '$wanted'; found: $(tr '\n' ';' <<<"$findings")"
        failed=1
    fi
}

decides "a mirror syncing its i386 index" update i386 "without i386 " "optional i386" <<'EOF'
Err:5 http://deb.debian.org/debian-security bookworm-security/main i386 Packages
  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
   Hashes of expected file:
    - Filesize:376004 [weak]
E: Some index files failed to download. They have been ignored, or old ones used instead.
EOF
DORNELIK_REQUIRE_ALL=1 decides "the same, with every package required" update i386 stop again <<'EOF'
E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
EOF
decides "a mirror syncing its arm64 index" update i386 stop \
    "required http://deb.debian.org/debian/dists/bookworm/main/binary-arm64/Packages.xz" <<'EOF'
E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/main/binary-arm64/Packages.xz  Hash Sum mismatch
EOF
decides "no network" update i386 stop again <<'EOF'
W: Failed to fetch http://deb.debian.org/debian/dists/bookworm/InRelease  Temporary failure resolving 'deb.debian.org'
W: Some index files failed to download. They have been ignored, or old ones used instead.
EOF
decides "i386 versions behind the machine's" install i386 "without i386" "optional i386" <<'EOF'
The following packages have unmet dependencies:
 libfreetype6:i386 : Depends: libbrotli1:i386 (>= 0.6.0) but it is not going to be installed
                     Depends: zlib1g:i386 (>= 1:1.1.4) but it is not going to be installed
 libkrb5-3:i386 : Depends: libssl3:i386 (>= 3.0.0) but it is not going to be installed
E: Unable to correct problems, you have held broken packages.
EOF
decides "an arm64 package that cannot be installed" install "" stop "required qt6-base-dev:arm64" <<'EOF'
 qt6-base-dev:arm64 : Depends: qt6-base-dev-tools:arm64 (= 6.4.2+dfsg-10)
E: Unable to correct problems, you have held broken packages.
EOF
decides "a package Debian does not have" install "" stop "required wixl" <<'EOF'
E: Unable to locate package wixl
EOF
decides "dpkg busy" install "" stop again <<'EOF'
E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 1234 (unattended-upgr)
EOF

[ $failed = 0 ] || exit 1
echo "install: every decision as wanted"
