#!/usr/bin/env bash
# Installs the .deb from BUILD_DIR on this machine with dpkg, checks what it put where,
# starts the installed program as an ordinary user (who cannot write beside it) on a
# Xvfb of its own until its window is seen, then removes the package again.
# A screenshot of the installed program goes to BUILD_DIR/screenshots.
#
# Usage: check-deb.sh [BUILD_DIR]     (root; default build)
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
B=$(cd "${1:-$ROOT/build}" && pwd)
DEB=$(ls -t "$B"/huizhan-hotspots_*.deb 2>/dev/null | head -1)
[ -n "$DEB" ] || { echo "no .deb in $B: run make package" >&2; exit 1; }
mkdir -p "$B/screenshots"

PASSED=0
FAILED=0
ok() { echo "PASS $*"; PASSED=$((PASSED + 1)); }
bad() { echo "FAIL $*"; FAILED=$((FAILED + 1)); }
check() {
  local what=$1
  shift
  if "$@"; then ok "$what"; else bad "$what"; fi
}

# dpkg, waiting while another apt or dpkg holds its lock.
dpkg_waiting() {
  local out i
  for i in $(seq 1 60); do
    if out=$(dpkg "$@" 2>&1 </dev/null); then return 0; fi
    grep -qi 'lock' <<<"$out" || { echo "$out" >&2; return 1; }
    sleep 5
  done
  echo "$out" >&2
  return 1
}

XPID=""
APID=""
HOME_DIR=""
cleanup() {
  [ -n "$APID" ] && kill "$APID" 2>/dev/null
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null
  [ -n "$HOME_DIR" ] && rm -rf "$HOME_DIR"
  dpkg-query -W -f='${Status}' huizhan-hotspots 2>/dev/null | grep -q 'ok installed' &&
    dpkg_waiting -r huizhan-hotspots >/dev/null
}
trap cleanup EXIT

echo "package: $DEB ($(stat -c %s "$DEB") bytes)"
depends=$(dpkg-deb -f "$DEB" Depends)
echo "depends: $depends"
check "declares the wx, curl and font dependencies" \
  bash -c "grep -q 'libwxgtk3.2-1' <<<'$depends' && grep -q 'libcurl4' <<<'$depends' && grep -q 'fonts-wqy-zenhei' <<<'$depends'"

check "dpkg -i" dpkg_waiting -i "$DEB"
installed=(/usr/bin/huizhan-hotspots /usr/share/applications/huizhan-hotspots.desktop)
for size in 16 32 48 64 128 256; do installed+=("/usr/share/icons/hicolor/${size}x${size}/apps/huizhan-hotspots.png"); done
missing=""
for f in "${installed[@]}"; do [ -f "$f" ] || missing+=" $f"; done
check "installs the program, its .desktop entry and its icons${missing:+ (missing:$missing)}" test -z "$missing"
if command -v desktop-file-validate >/dev/null; then
  check "the .desktop entry is valid" desktop-file-validate /usr/share/applications/huizhan-hotspots.desktop
fi
check "the installed program finds all its libraries" bash -c "! ldd /usr/bin/huizhan-hotspots | grep -q 'not found'"

# An ordinary user's session: a home of its own, nothing else.
exec 3< <(Xvfb -displayfd 1 -ac -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ XPID <&3
read -r DISPLAY_NUMBER <&3
HOME_DIR=$(mktemp -d)
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$HOME_DIR"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
(cd "$HOME_DIR" && exec env -i PATH=/usr/bin:/bin HOME="$HOME_DIR" DISPLAY=":$DISPLAY_NUMBER" \
   GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 "${as_user[@]}" /usr/bin/huizhan-hotspots \
   >"$B/installed-program.log" 2>&1) &
APID=$!
export DISPLAY=:$DISPLAY_NUMBER
title=""
for _ in $(seq 1 80); do
  id=$(xdotool search --onlyvisible --classname huizhan-hotspots 2>/dev/null | head -1)
  [ -n "$id" ] && title=$(xdotool getwindowname "$id" 2>/dev/null) && [ -n "$title" ] && break
  sleep 0.25
done
check "the installed program shows its window 绘栈热点生成器 (got '$title')" test "$title" = "绘栈热点生成器"
sleep 1
import -window root "$B/screenshots/installed-program.png" 2>/dev/null
check "it is still running" kill -0 "$APID"
kill "$APID" 2>/dev/null
APID=""

check "dpkg -r" dpkg_waiting -r huizhan-hotspots
check "removal leaves no program behind" test ! -e /usr/bin/huizhan-hotspots
echo "screenshot: $B/screenshots/installed-program.png"
echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
