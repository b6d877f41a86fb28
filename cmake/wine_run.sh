#!/usr/bin/env bash
# Runs a Windows program under Wine, in the prefix named by WINEPREFIX, on a private X server
# unless DISPLAY names one. The prefix's Wine server is stopped afterwards, so that the next
# program starts on its own screen.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

if [ -z "${DISPLAY:-}" ]; then
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb=$!
    trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -f "$display_file"' EXIT
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
    export DISPLAY=:$(cat "$display_file")
fi

status=0
wine "$@" || status=$?
wineserver -w
exit "$status"
