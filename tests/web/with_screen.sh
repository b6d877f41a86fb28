#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
# Runs a command on a private X server with a window manager, for the browsers that need a screen.
set -euo pipefail
# shellcheck source=../x_session.sh
source "$(dirname "$0")/../x_session.sh"
"$@"
