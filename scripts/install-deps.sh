#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and benchmarks need.
# Quiet and idempotent: it asks apt only for what is missing.
# With the argument "fuzz" it adds what the fuzzing build needs (clang, libFuzzer);
# with "package" what the packages and their checks need (NSIS for the Windows
# installer, the MIME and .desktop tools the .deb is checked with).
set -euo pipefail
want=(build-essential cmake ninja-build pkg-config libgtest-dev
      libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev libcurl4-openssl-dev
      nlohmann-json3-dev libgumbo-dev libexif-dev libx11-dev
      libpng-dev libjpeg-dev libgif-dev
      wx3.2-i18n locales
      fonts-wqy-zenhei xvfb xauth xdotool xclip imagemagick libimage-exiftool-perl python3
      dpkg-dev desktop-file-utils)
[ "${1:-}" = fuzz ] && want+=(clang libclang-rt-dev)
[ "${1:-}" = package ] && want+=(nsis shared-mime-info xdg-utils)
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# wx's own texts (standard buttons, progress boxes) are shown in Chinese: the
# program sets up the zh_CN.UTF-8 locale, which a fresh system has not generated.
ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$' && return 0
  $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 || echo "warning: could not generate zh_CN.UTF-8" >&2
}
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then ensure_locale; exit 0; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq </dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
ensure_locale
