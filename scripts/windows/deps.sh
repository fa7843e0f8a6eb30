#!/usr/bin/env bash
# Installs the Debian packages the Windows cross-build and its Wine check need:
# the posix-thread mingw-w64 toolchain, the tools the libraries are built with,
# Wine, and what the check drives and looks at (Xvfb, xdotool, CJK fonts); NSIS for
# the installer the check installs.
# Quiet and idempotent: it asks apt only for what is missing.
set -euo pipefail
want=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
      mingw-w64-x86-64-dev cmake ninja-build make nasm pkg-config dpkg-dev xz-utils
      wine wine64 fonts-wine xvfb xauth xdotool xclip x11-utils imagemagick python3 fonts-wqy-microhei
      locales nsis curl ca-certificates)
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another apt may hold the lock for a while: wait for it rather than fail.
apt_retry() {
  for i in $(seq 1 60); do
    $SUDO apt-get -o DPkg::Lock::Timeout=60 "$@" </dev/null && return 0
    echo "apt-get $1 failed (try $i), retrying"; sleep 10
  done
  return 1
}
apt_retry update -qq
apt_retry install -y -qq --no-install-recommends "${missing[@]}"
