#!/usr/bin/env bash
# Prepares a Debian 12 machine (as root) for building and testing: packages, the zh_CN locale,
# and the project's private Wine prefix. Idempotent; takes seconds when all is in place.
set -euo pipefail
export LC_ALL=C.UTF-8

packages=(
  cmake ninja-build make zip unzip
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  doctest-dev python3 python3-pil python3-pytest python3-fonttools
  wine wine64 xvfb xdotool x11-utils xclip xcompmgr imagemagick
  tesseract-ocr tesseract-ocr-eng tesseract-ocr-chi-sim
  fonts-wine fonts-wqy-microhei fonts-dejavu-core fonts-liberation locales nsis
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine maps the glibc locale to its code page: without zh_CN.UTF-8 it would be 1252.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

unset LC_ALL
source "$(dirname "$0")/wine-env.sh"
stamp="$WINEPREFIX/.capturo-ready"
if [ ! -f "$stamp" ]; then
  echo "setup: making the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX" "$HOME/Desktop" "$HOME/Documents" "$HOME/Pictures"
  # No display needed for the first boot; Mono and Gecko prompts are off through the overrides.
  DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1 || true
  timeout 60 "$WINESERVER" -w || true
  DISPLAY= "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1
  # Without Tahoma GDI+ has no generic sans-serif family.
  cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  timeout 60 "$WINESERVER" -w || true
  [ -f "$WINEPREFIX/system.reg" ] || { echo "setup: wineboot failed" >&2; exit 1; }
  touch "$stamp"
fi
# The skins' font "微软雅黑": a copy of the CJK font under that family name. A FontSubstitutes
# entry would serve GDI but not GDI+, which then finds no such family.
standin="$WINEPREFIX/drive_c/windows/Fonts/msyh-standin.ttf"
if [ ! -f "$standin" ]; then
  /usr/bin/python3 "$(dirname "$0")/make-cjk-font.py" /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$standin.tmp"
  mv "$standin.tmp" "$standin"
  DISPLAY= "$WINE" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v '微软雅黑' /f >/dev/null 2>&1 || true
  timeout 60 "$WINESERVER" -w || true
fi
echo "setup: ready (prefix $WINEPREFIX)"
