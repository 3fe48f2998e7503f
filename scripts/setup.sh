#!/usr/bin/env bash
# Gives a Debian 12 machine (run as root, or with sudo available) everything that
# building, testing and running Quorvane needs. Installs only what is missing.
set -euo pipefail

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

wanted=(cmake g++ make g++-mingw-w64-i686 wine wine64 xvfb xauth
        googletest clang libclang-rt-14-dev llvm-14-dev libclang-14-dev x11-utils libx11-dev netpbm python3)

# Installs what of "$@" is missing; returns non-zero if apt-get could not.
install_missing() {
  local missing=()
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ "${#missing[@]}" -eq 0 ] && return
  echo "setup: installing ${missing[*]}" >&2
  if [ -z "${updated:-}" ]; then
    # A mirror in the middle of a sync fails one index now and then; the others still serve.
    as_root apt-get update -qq || echo "setup: apt-get update reported errors; going on with the indexes it has" >&2
    updated=1
  fi
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

install_missing "${wanted[@]}"
# Wine's 32-bit loader runs the released program itself. Where it cannot be installed
# or cannot run, the Windows tests use the 64-bit build and its compiler.
if ! dpkg --print-foreign-architectures | grep -qx i386; then as_root dpkg --add-architecture i386; unset updated; fi
install_missing wine32:i386 || echo "setup: wine32:i386 could not be installed" >&2
source "$(dirname "$0")/windows-preset.sh"
if [ "$windows_preset" = win64 ]; then install_missing g++-mingw-w64-x86-64-posix; fi
