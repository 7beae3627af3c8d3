#!/usr/bin/env bash
# Installs what is missing, builds build/Filnor.exe and starts it under Wine.
# Without a display it starts a virtual one and saves a screenshot of the
# window to build/screenshot-run.png.
source "$(dirname "$0")/common.sh"
setup_all
build_for_run
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=1; fi
ensure_display
ensure_prefix
exe="$RUN_BUILD/Filnor.exe"
[ "$ARCH" = x86_64 ] && echo "This machine cannot execute 32-bit x86 code: starting the x86_64 build of the same sources."
if [ $headless = 1 ]; then
  trap cleanup_session EXIT
  "$WINE" "$exe" &
  pid=$!
  sleep "${FILNOR_SHOT_DELAY:-6}"
  import -window root "$BUILD/screenshot-run.png"
  echo "Screenshot: $BUILD/screenshot-run.png"
  kill "$pid" 2>/dev/null || true
else
  exec "$WINE" "$exe"
fi
