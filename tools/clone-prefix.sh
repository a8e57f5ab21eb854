#!/usr/bin/env bash
# Copies the project's Wine prefix to DEST/prefix with its own private home DEST/home, for a
# test or a job that must not share the wineserver, the registry or the user folders.
# Prints the lines to eval: WINEPREFIX=... CAPTURO_WINE_HOME=...
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
dest=$(mkdir -p "$1" && cd "$1" && pwd)
src=$WINEPREFIX
rm -rf "$dest/prefix" "$dest/home"
cp -a --reflink=auto "$src" "$dest/prefix"
mkdir -p "$dest/home/Desktop" "$dest/home/Documents" "$dest/home/Pictures"
users="$dest/prefix/drive_c/users"
for link in "$users"/*/*; do
  [ -L "$link" ] || continue
  target=$(readlink "$link")
  case $target in
    "$HOME"*) ln -sfn "$dest/home${target#"$HOME"}" "$link" ;;
  esac
done
echo "export WINEPREFIX='$dest/prefix' CAPTURO_WINE_HOME='$dest/home'"
