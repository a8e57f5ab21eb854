#!/usr/bin/env bash
# Runs a command with a private Xvfb screen and the project's wineserver, then stops both.
# CAPTURO_SCREEN sets the screen size (default 1920x1080x24).
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
fdfile=$(mktemp)
Xvfb -displayfd 1 -screen 0 "${CAPTURO_SCREEN:-1920x1080x24}" -nolisten tcp >"$fdfile" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$fdfile")
rm -f "$fdfile"
"$WINESERVER" -p 2>/dev/null
# The first Wine program starts the prefix's background services, which inherit its output;
# start them here on /dev/null, or a pipe reader such as ctest waits on them until its timeout.
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1
"$@"
rc=$?
"$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null
kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
exit $rc
