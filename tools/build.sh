#!/usr/bin/env bash
# Builds the x86_64 and i686 programs and installs them to dist/win64 and dist/win32.
# Usage: tools/build.sh [x86_64|i686]...   (both when none is named)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
archs=("$@"); [ ${#archs[@]} -gt 0 ] || archs=(x86_64 i686)
for arch in "${archs[@]}"; do
  case $arch in x86_64) dist=win64 ;; i686) dist=win32 ;; *) echo "unknown arch $arch" >&2; exit 2 ;; esac
  bdir=$root/build/$arch
  if [ ! -f "$bdir/build.ninja" ]; then
    cmake -S "$root" -B "$bdir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
      -DCMAKE_INSTALL_PREFIX="$root/dist/$dist" >/dev/null
  fi
  cmake --build "$bdir" -j"$(nproc)"
  cmake --install "$bdir" >/dev/null
done
