#!/usr/bin/env bash
# Shared set-up for run.sh, test.sh and bench.sh: packages, locale, build
# architecture, Wine prefix and virtual display. Every step is idempotent and
# cheap when its work is already done.
set -euo pipefail

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$REPO/build"
export LC_ALL=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

PACKAGES=(g++ make cmake g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  mingw-w64-tools wine wine32:i386 wine64 xvfb xauth locales
  fonts-wqy-microhei libboost1.81-dev lzma-dev googletest imagemagick
  x11-utils clang-format bc python3)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$' && return 0
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
}

# The shipped program is always the i686 build. Some machines cannot execute
# 32-bit x86 code at all (the hypervisor has no compat mode), so Wine's 32-bit
# loader fails there; on those the tests run an x86_64 build of the same
# sources under 64-bit Wine. FILNOR_TEST_ARCH=i686|x86_64 forces a choice.
host_runs_i386() {
  [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && return 1
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

choose_arch() {
  if [ -n "${FILNOR_TEST_ARCH:-}" ]; then
    ARCH=$FILNOR_TEST_ARCH
  elif host_runs_i386; then
    ARCH=i686
  else
    ARCH=x86_64
  fi
  if [ "$ARCH" = i686 ]; then
    WINE=/usr/lib/wine/wine
    RUN_BUILD="$BUILD"
  else
    WINE=/usr/lib/wine/wine64
    RUN_BUILD="$BUILD/x86_64"
  fi
  export FILNOR_WINE=$WINE
  export WINEPREFIX="$BUILD/wine/prefix-$ARCH"
  if [ "$ARCH" = i686 ]; then export WINEARCH=win32; else export WINEARCH=win64; fi
}

configure_and_build() { # build-dir toolchain-arch
  local dir=$1 arch=$2
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$REPO" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/toolchain-$arch.cmake" \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$REPO/scripts/wine-run.sh" >/dev/null
  fi
  cmake --build "$dir" -j"$(nproc)" -- ${FILNOR_BUILD_TARGETS:-}
}

build_product() { configure_and_build "$BUILD" i686; }

build_for_run() {
  build_product
  [ "$ARCH" = x86_64 ] && configure_and_build "$BUILD/x86_64" x86_64
  return 0
}

# The desktop of a fresh prefix is a link into $HOME; replace it by a plain
# folder so nothing the program writes leaves the prefix.
ensure_prefix() {
  local desk
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating Wine prefix $WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
  fi
  # Without a window manager (Xvfb) Wine draws the window frames itself.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  fi
  desk="$WINEPREFIX/drive_c/users/$(id -un)/Desktop"
  if [ -L "$desk" ] || [ ! -d "$desk" ]; then
    rm -f "$desk"
    mkdir -p "$desk"
  fi
}

XVFB_PID=
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=97
  while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

# A persistent wineserver makes each later program start cheap; the first
# start of a session boots the prefix's services, so do it once up front.
start_wineserver() {
  /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
  timeout 300 "$WINE" cmd /c exit >/dev/null 2>&1 || true
}

cleanup_session() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}

setup_all() {
  ensure_packages
  ensure_locale
  choose_arch
}
