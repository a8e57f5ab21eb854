#!/usr/bin/env bash
# Runs every benchmark program built under the x86_64 build folder (or the folder given), each on
# its own virtual screen with a private copy of the Wine prefix; uilib_bench runs at 1920x1080 and
# at 3840x2160. Figures go to stdout.   Usage: bench/run.sh [BUILD_DIR]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${CAPTURO_BUILD:-$root/build}/x86_64}
eval "$("$root/tools/clone-prefix.sh" "$root/build/bench-wine")"
export WINEPREFIX CAPTURO_WINE_HOME

# Extra screens per program (the default screen is always run).
extra_screens() {
  case $1 in
    uilib_bench.exe) echo "3840x2160x24" ;;
  esac
}

run_one() {  # program screen
  echo "== $(basename "$1") on ${2%x*}"
  CAPTURO_SCREEN=$2 timeout 900 "$root/tools/with-display.sh" "$root/tools/wine-exec" "$1" || echo "(exit $?)"
}

found=0
while IFS= read -r exe; do
  found=1
  run_one "$exe" 1920x1080x24
  for screen in $(extra_screens "$(basename "$exe")"); do run_one "$exe" "$screen"; done
done < <(find "$build/bench" -name '*.exe' -not -path '*/CMakeFiles/*' 2>/dev/null | sort)
[ $found = 1 ] || echo "bench/run.sh: no benchmark programs under $build/bench (build them first)"
