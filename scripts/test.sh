#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs every
# test under Wine in a virtual display.
source "$(dirname "$0")/common.sh"
setup_all
if [ "$ARCH" = i686 ]; then
  build_product
else
  echo "This machine cannot execute 32-bit x86 code: the tests run an x86_64 build under 64-bit Wine."
  FILNOR_BUILD_TARGETS=Filnor build_product
  configure_and_build "$RUN_BUILD" x86_64
fi
ensure_display
ensure_prefix
trap cleanup_session EXIT
start_wineserver
cd "$RUN_BUILD"
ctest --output-on-failure --timeout 300 "$@"
