#!/usr/bin/env bash
# Everything CI checks: set-up, both builds, the unit tests under Wine, the end-to-end tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
source "$root/tools/wine-env.sh"
status=0
# Unit tests need no display, but GDI and USER calls are happier with one.
"$root/tools/with-display.sh" ctest --test-dir "$root/build/x86_64" --output-on-failure -j2 || status=1
"$root/tools/with-display.sh" /usr/bin/python3 -m pytest -q -p no:cacheprovider "$root/tests/e2e" || status=1
exit $status
