#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix; CTest uses it as the
# emulator for the cross-compiled test programs. The Wine loader follows the
# program's PE machine (32-bit or 64-bit).
set -eu
REPO=$(cd "$(dirname "$0")/.." && pwd)
exe=$1
shift
machine=$(od -An -tx1 -j"$(( $(od -An -tu4 -j60 -N4 "$exe") + 4 ))" -N2 "$exe" | tr -d ' ')
if [ "$machine" = 6486 ]; then
  wine=/usr/lib/wine/wine64
  arch=x86_64
else
  wine=/usr/lib/wine/wine
  arch=i686
fi
export LC_ALL=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEPREFIX=${WINEPREFIX:-$REPO/build/wine/prefix-$arch}
exec "$wine" "$exe" "$@"
