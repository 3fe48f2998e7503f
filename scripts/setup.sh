#!/usr/bin/env bash
# Gives a Debian 12 machine (run as root, or with sudo available) everything that
# building, testing and running Quorvane needs. Installs only what is missing.
set -euo pipefail

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

wanted=(cmake g++ make g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth
        googletest clang libclang-rt-14-dev x11-utils libx11-dev netpbm python3)

install_missing() {
  local missing=()
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ "${#missing[@]}" -eq 0 ] && return
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  [ -n "${updated:-}" ] || { as_root apt-get update -qq; updated=1; }
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

install_missing "${wanted[@]}"
# Where Wine's 32-bit loader cannot run, the Windows tests need the 64-bit compiler.
source "$(dirname "$0")/windows-preset.sh"
if [ "$windows_preset" = win64 ]; then install_missing g++-mingw-w64-x86-64-posix; fi
