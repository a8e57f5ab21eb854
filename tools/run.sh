#!/usr/bin/env bash
# Prepares the machine, builds the x86_64 programs and runs Capturo (or, until it is built, the
# UI library's gallery): on $DISPLAY when there is one, otherwise as a scripted demo on a private
# virtual screen that saves its screenshots in build/demo/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" x86_64
program=$root/dist/win64/Capturo.exe
[ -f "$program" ] || program=$root/dist/win64/gallery.exe
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/tools/wine-exec" "$program"
fi
exec /usr/bin/python3 "$root/tools/demo.py" "$program" "$root/build/demo"
