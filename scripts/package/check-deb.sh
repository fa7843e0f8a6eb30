#!/usr/bin/env bash
# Installs the .deb from BUILD_DIR on this machine with dpkg, checks what it put where
# and that project files (*.hzproj) have their type and open with the program,
# starts the installed program as an ordinary user (who cannot write beside it) on a
# Xvfb of its own until its window is seen, then with a project file as a file manager
# does, and removes the package again.
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
MIME=application/x-huizhan-hotspots-project
DESKTOP=/usr/share/applications/huizhan-hotspots.desktop
installed=(/usr/bin/huizhan-hotspots "$DESKTOP" /usr/share/mime/packages/huizhan-hotspots.xml)
for size in 16 32 48 64 128 256; do
  installed+=("/usr/share/icons/hicolor/${size}x${size}/apps/huizhan-hotspots.png"
              "/usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-huizhan-hotspots-project.png")
done
missing=""
for f in "${installed[@]}"; do [ -f "$f" ] || missing+=" $f"; done
check "installs the program, its .desktop entry, the project type and the icons${missing:+ (missing:$missing)}" test -z "$missing"
if command -v desktop-file-validate >/dev/null; then
  check "the .desktop entry is valid" desktop-file-validate "$DESKTOP"
fi
check "the .desktop entry takes a file (%f) and declares the project type" \
  bash -c "grep -qx 'Exec=huizhan-hotspots %f' '$DESKTOP' && grep -qx 'MimeType=$MIME;' '$DESKTOP'"
# dpkg's triggers have run update-mime-database and update-desktop-database.
check "the MIME database knows $MIME by *.hzproj" \
  bash -c "test -f /usr/share/mime/$MIME.xml && grep -qF '$MIME:*.hzproj' /usr/share/mime/globs2"
check "the program is listed for $MIME" grep -q "^$MIME=.*huizhan-hotspots.desktop" /usr/share/applications/mimeinfo.cache
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
# Runs a command as that user in place of the (sub)shell that calls it.
user_env() {
  exec env -i PATH=/usr/bin:/bin HOME="$HOME_DIR" DISPLAY=":$DISPLAY_NUMBER" GSETTINGS_BACKEND=memory \
    NO_AT_BRIDGE=1 "${as_user[@]}" "$@"
}
got=$(cd "$HOME_DIR" && user_env xdg-mime query default "$MIME" 2>/dev/null)
check "xdg-mime query default $MIME names huizhan-hotspots.desktop (got '$got')" \
  test "$got" = huizhan-hotspots.desktop

export DISPLAY=:$DISPLAY_NUMBER
# The title of the program's window, once it shows one that starts with $1.
wait_title() {
  local id t
  for _ in $(seq 1 80); do
    for id in $(xdotool search --onlyvisible --classname huizhan-hotspots 2>/dev/null); do
      t=$(xdotool getwindowname "$id" 2>/dev/null)
      case $t in "$1"*) echo "$t"; return 0 ;; esac
    done
    sleep 0.25
  done
  return 1
}
stop_program() {
  kill "$APID" 2>/dev/null
  wait "$APID" 2>/dev/null
  APID=""
}
(cd "$HOME_DIR" && user_env /usr/bin/huizhan-hotspots >"$B/installed-program.log" 2>&1) &
APID=$!
title=$(wait_title "绘栈热点生成器")
check "the installed program shows its window 绘栈热点生成器 (got '$title')" test "$title" = "绘栈热点生成器"
sleep 1
import -window root "$B/screenshots/installed-program.png" 2>/dev/null
check "it is still running" kill -0 "$APID"
stop_program

# A project file opened as a file manager opens it: the entry's Exec line, %f the file.
project="$HOME_DIR/店铺 首页.hzproj"
printf '%s\n' '{"colours": {"background": "#FFFFFF", "border": "#008000", "hotspot": "#FF00FF"},' \
  '"format": "huizhan-hotspots-project", "hotspots": [], "picture": null, "transparency": 35, "version": 1}' \
  >"$project"
chmod a+r "$project"
read -r -a command <<<"$(sed -n 's/^Exec=//p' "$DESKTOP")"
for i in "${!command[@]}"; do [ "${command[$i]}" = %f ] && command[$i]=$project; done
(cd "$HOME_DIR" && user_env "${command[@]}" >>"$B/installed-program.log" 2>&1) &
APID=$!
title=$(wait_title "绘栈热点生成器 -")
check "started by its .desktop entry with a project file, it opens it (title '$title')" \
  test "$title" = "绘栈热点生成器 - 店铺 首页.hzproj"
stop_program

check "dpkg -r" dpkg_waiting -r huizhan-hotspots
check "removal leaves no program behind" test ! -e /usr/bin/huizhan-hotspots
check "removal takes the project type out of the MIME database" test ! -e /usr/share/mime/$MIME.xml
echo "screenshot: $B/screenshots/installed-program.png"
echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
