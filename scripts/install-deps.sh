#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and benchmarks need.
# Quiet and idempotent: it asks apt only for what is missing.
set -euo pipefail
want=(build-essential cmake ninja-build pkg-config libgtest-dev
      libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev libcurl4-openssl-dev
      fonts-wqy-zenhei xvfb xauth xdotool xclip imagemagick python3
      dpkg-dev desktop-file-utils)
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq </dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
