# Sourced by the scripts that run Windows programs: the private Wine prefix and its settings.
# CAPTURO_BUILD may point at another build folder; WINEPREFIX may point at a copy of the prefix.
CAPTURO_ROOT=${CAPTURO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
CAPTURO_BUILD=${CAPTURO_BUILD:-$CAPTURO_ROOT/build}
export CAPTURO_ROOT CAPTURO_BUILD
export WINEPREFIX=${WINEPREFIX:-$CAPTURO_BUILD/wine/prefix}
# A private HOME: the prefix's Desktop, Documents ... become links into it, never into the real home.
export HOME=${CAPTURO_WINE_HOME:-$CAPTURO_BUILD/wine/home}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Code page 936 and locale 2052, as on the Chinese Windows the programs are made for.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
unset WINEARCH
