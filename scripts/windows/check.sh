#!/usr/bin/env bash
# Checks the Windows build under Wine: what the executable links and carries, the
# core unit tests and the toolkit tests, then the program itself on a Xvfb of its
# own in a Chinese locale with CJK fonts: the main window at its designed size, a
# picture loaded through the file dialog, a fixed hotspot, 查看代码 with the exact
# code copied, and Esc with the close question ending it; then the installer: silent
# install, the association, the installed program, an upgrade and the uninstall.
# Screenshots go to BUILD_DIR/screenshots. Wine has no browser engine: the preview
# is not checked.
#
# Usage: check.sh [BUILD_DIR]     (default build-windows)
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
B=$(cd "${1:-$ROOT/build-windows}" && pwd)
EXE=$B/huizhan-hotspots.exe
SHOTS=$B/screenshots
FIXTURE=$ROOT/tests/fixtures/pictures/good_790x300.png
ADDRESS=http://img.example.com/banner.jpg
mkdir -p "$SHOTS"
rm -f "$SHOTS"/*.png

export WINEPREFIX=$B/wine WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installers: nothing here needs them, and they would ask.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
# A Chinese locale of its own: the machine may have none installed.
export LOCPATH=$B/locale
if [ ! -d "$LOCPATH/zh_CN.UTF-8" ]; then
  mkdir -p "$LOCPATH"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" 2>/dev/null
fi
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8

T0=$(date +%s)
PASSED=0
FAILED=0
say() { echo "[$(($(date +%s) - T0))s] $*"; }
ok() { echo "PASS $*"; PASSED=$((PASSED + 1)); }
bad() { echo "FAIL $*"; FAILED=$((FAILED + 1)); }
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then ok "$what"; else bad "$what"; fi
}

XPID=""
APID=""
cleanup() {
  [ -n "$APID" ] && kill "$APID" 2>/dev/null
  wineserver -k 2>/dev/null
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null
}
trap cleanup EXIT

# --- the executable itself -------------------------------------------------------
say "executable"
imports=$(x86_64-w64-mingw32-objdump -p "$EXE" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
echo "imports: $(echo $imports)"
# Only Windows' own DLLs: no runtime, toolkit or picture library beside the exe.
system_dll='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|ws2_32|crypt32|bcrypt|secur32|winspool|uxtheme|version|rpcrt4|oleacc|winmm|imm32|msvcrt|msimg32|urlmon|wininet|iphlpapi|normaliz|wldap32|dwmapi|usp10|api-ms-win-[a-z0-9-]+)\.(dll|drv)$'
foreign=$(echo "$imports" | grep -Ev "$system_dll")
check "links only Windows' own DLLs${foreign:+ (also: $(echo $foreign))}" test -z "$foreign"
# Windows 7 has none of these: a static import of one would keep the program from starting there.
newer=$(x86_64-w64-mingw32-objdump -p "$EXE" | grep -owE 'GetSystemTimePreciseAsFileTime|CreateFile2|WaitOnAddress|WakeByAddress(Single|All)|SetThreadDescription|GetCurrentThreadStackLimits|GetDpiFor(Window|System)|SetThreadDpiAwarenessContext|GetSystemMetricsForDpi|AdjustWindowRectExForDpi|EnableNonClientDpiScaling' | sort -u)
check "imports nothing newer than Windows 7${newer:+ (imports: $(echo $newer))}" test -z "$newer"
has_utf16() { python3 -c 'import sys; sys.exit(0 if sys.argv[2].encode("utf-16-le") in open(sys.argv[1], "rb").read() else 1)' "$EXE" "$1"; }
check "version resource names the product" has_utf16 "绘栈热点生成器"
check "manifest asks for the common controls 6 and DPI awareness" \
  bash -c "grep -aq 'Microsoft.Windows.Common-Controls' '$EXE' && grep -aq 'PerMonitorV2' '$EXE'"
check "icon resource" has_utf16 "AAAA"
echo "size: $(stat -c %s "$EXE") bytes"

# --- a display, a prefix, a locale -----------------------------------------------
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ XPID <&3
read -r DISPLAY_NUMBER <&3
export DISPLAY=:$DISPLAY_NUMBER
say "Xvfb on $DISPLAY"

# The Chinese faces Windows programs ask for, and Wine's own dialog faces, all drawn
# with WenQuanYi Micro Hei; Wine draws the window frames itself, so the windows have
# their outer size on the X screen.
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in SimSun 宋体 NSimSun 新宋体 SimHei 黑体 "Microsoft YaHei" 微软雅黑 "Microsoft YaHei UI" \
              Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "MS Sans Serif"; do
    printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$B/wine-settings.reg"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  say "new Wine prefix"
  wineboot --init >/dev/null 2>&1
  wineserver -w
fi
if ! cmp -s "$B/wine-settings.reg" "$WINEPREFIX/settings.reg"; then
  wine regedit /S "$(winepath -w "$B/wine-settings.reg")" >/dev/null 2>&1
  wineserver -w
  cp "$B/wine-settings.reg" "$WINEPREFIX/settings.reg"
fi

# --- unit tests ------------------------------------------------------------------
run_tests() {  # run_tests NAME: the test program's summary, its whole output in a log
  local log=$B/$1.wine.log
  (cd "$ROOT" && timeout 600 wine "$B/$1.exe" >"$log" 2>&1)
  local rc=$?
  grep -E '^\[  (PASSED|FAILED|  SKIPPED) ' "$log" | sed "s/^/  $1: /"
  [ $rc -eq 0 ] || grep -E '^\[  FAILED  \] [A-Za-z]' "$log" | sed "s/^/  /"
  return $rc
}
say "core tests"
check "core unit tests under Wine" run_tests core_tests
say "toolkit tests"
check "toolkit tests under Wine" run_tests toolkit_tests

# --- the program -----------------------------------------------------------------
say "program"
# The program's top-level window with exactly this title, once it is shown.
window() {
  local id
  for id in $(xdotool search --onlyvisible --classname huizhan-hotspots.exe 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
  done
  return 1
}
wait_window() {
  local i
  for i in $(seq 1 120); do window "$1" && return 0; sleep 0.25; done
  return 1
}
gone() {
  local i
  for i in $(seq 1 40); do window "$1" >/dev/null || return 0; sleep 0.25; done
  return 1
}
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'; }
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -1 | sed 's/^[^(]*(\([0-9,]*\)).*/\1/'; }
shot() { sleep 0.5; import -window root "$SHOTS/$1.png"; }
click() { xdotool mousemove "$1" "$2" click 1; }
key() { xdotool windowfocus --sync "$1" key "${@:2}" 2>/dev/null || xdotool key "${@:2}"; }

(cd "$ROOT" && exec wine "$EXE" >"$B/program.wine.log" 2>&1) &
APID=$!
if M=$(wait_window "绘栈热点生成器"); then
  read -r MX MY MW MH < <(geometry "$M")
  # The menu bar comes on top of the designed 971 x 682: the window grows by its height.
  MENU=$((MH - 682))
  check "main window 绘栈热点生成器 at 971 × 682 and a ${MENU}-pixel menu bar (got $MW × $MH)" \
    test "$MW" = 971 -a "$MENU" -ge 15 -a "$MENU" -le 40
else
  bad "no window titled 绘栈热点生成器"
  echo "$PASSED passed, $FAILED failed"
  exit 1
fi
sleep 1
shot 01-main-window
# Wine draws the frame itself: the client area of a sizeable window starts 4 pixels
# in from the left and 23 from the top (the frame and its 19-pixel caption), and
# below the menu bar.
CX=$((MX + 4))
CY=$((MY + 23 + MENU))
at() { echo $((CX + $1)) $((CY + $2)); }

# 加载图片 -> 本地图片 -> the file dialog, with the fixture's path typed in.
click $(at 705 43)
if D=$(wait_window "加载方式"); then
  ok "load-mode dialog"
  read -r DX DY _ _ < <(geometry "$D")
  shot 02-load-mode
  click $((DX + 135)) $((DY + 38))
else
  bad "no load-mode dialog"
fi
if F=$(wait_window "请选择图片文件"); then
  ok "open-file dialog 请选择图片文件"
  sleep 1
  xdotool type --delay 10 "$(winepath -w "$FIXTURE" 2>/dev/null)"
  shot 03-file-dialog
  key "$F" Return
  gone "请选择图片文件" || bad "the file dialog stayed"
else
  bad "no open-file dialog"
fi
sleep 1.5
shot 04-picture-loaded
# The picture is one flat colour at the canvas's top-left.
check "picture on the canvas ($(pixel $(at 300 200)))" test "$(pixel $(at 300 200))" = "30,120,200"

# 固定热点: a 150 × 100 hotspot at the picture's corner, drawn over it.
click $(at 898 132)
sleep 1.5
shot 05-fixed-hotspot
face=$(pixel $(at 60 50))
check "hotspot drawn on the picture ($face)" bash -c "[ -n '$face' ] && [ '$face' != '30,120,200' ] && [ '$face' != '255,255,255' ]"

# 查看代码: the uploaded address first, then the code window; 复制代码 copies it.
click $(at 920 43)
if A=$(wait_window "本地图片地址替换成网络地址"); then
  ok "address box"
  sleep 0.5
  xdotool type --delay 10 "$ADDRESS"
  key "$A" alt+o
else
  bad "no address box"
fi
if C=$(wait_window "查看代码    [热点代码]"); then
  ok "code window 查看代码    [热点代码]"
  read -r KX KY _ _ < <(geometry "$C")
  shot 06-code-window
  # 复制代码 at (590, 488, 112, 28) inside Wine's frame.
  click $((KX + 4 + 646)) $((KY + 23 + 502))
  if G=$(wait_window "绘栈提示"); then
    shot 07-copied-message
    # Another program sees the code. Wine hands X the text with plain line feeds;
    # the CR LF on the Windows side is checked by the toolkit tests.
    raw=$(xclip -o -selection clipboard 2>/dev/null | od -An -c | tr -d ' \n')
    case $raw in *'\r\n'*) echo "  X sees CR LF line ends" ;; *) echo "  X sees LF line ends" ;; esac
    copied=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')
    name=$(printf '%s' "$copied" | sed -n 's/.*usemap="#\([0-9]*\)".*/\1/p' | head -1)
    expected="<img src=\"$ADDRESS\" width=\"790\" height=\"300\" usemap=\"#$name\" border=\"0\" />
<map name=\"$name\" id=\"$name\">  <area shape=\"rect\" coords=\"0,0,150,100\" href=\"未添加热点链接\" alt=\"热点提示\" title=\"热点提示\" target=\"_blank\" />
</map>"
    check "the clipboard holds the exact code (map $name)" test "$copied" = "$expected"
    [ "$copied" = "$expected" ] || printf 'got:\n%s\n' "$copied"
    key "$G" Return
    gone "绘栈提示" || bad "the copy message stayed"
  else
    bad "no message after 复制代码"
  fi
  key "$C" Escape
  check "Esc closes the code window" gone "查看代码    [热点代码]"
else
  bad "no code window"
fi

# Esc on the main window with unsaved work: the question stays until answered;
# Tab to 不保存 and the program ends.
key "$M" Escape
sleep 1.5
shot 08-close-question
if Q=$(window "绘栈提示"); then
  ok "close question stays up after Esc"
  key "$Q" Tab Return
else
  bad "no close question after Esc"
  key "$M" alt+F4
fi
for _ in $(seq 1 40); do kill -0 "$APID" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$APID" 2>/dev/null; then bad "the program still runs after the close question"; else ok "the program ended"; APID=""; fi

# --- the installer -----------------------------------------------------------------
# Silent install, the Start-menu entry and the association, the installed program
# started, a project opened through the association (start FILE.hzproj), a second
# run upgrading in place, and the uninstaller leaving nothing of what it put there.
say "installer"
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$B/CMakeCache.txt")
SETUP=$B/huizhan-hotspots-$VERSION-setup.exe
cmake --build "$B" --target installer >/dev/null 2>&1
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\huizhan-hotspots'
# A value's data ("" names the default value); reg.exe writes in the console's code
# page, GBK in this locale.
reg_value() {
  local name=()
  if [ -n "$2" ]; then name=(/v "$2"); else name=(/ve); fi
  wine reg query "$1" "${name[@]}" 2>/dev/null | iconv -f GBK -t UTF-8 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *[^ ]* *REG_[A-Z_]* *//p' | head -1
}
reg_exists() { wine reg query "$1" >/dev/null 2>&1; }
installed_in() { reg_value "$UNINSTALL_KEY" InstallLocation; }
# The installer and the uninstaller end before the files are all gone on Wine's side:
# wait until what is asked for holds.
wait_for() {  # wait_for SECONDS COMMAND...
  local n=$(($1 * 4))
  shift
  for _ in $(seq 1 "$n"); do "$@" && return 0; sleep 0.25; done
  return 1
}
if [ ! -f "$SETUP" ]; then
  bad "no installer $SETUP (makensis missing?)"
else
  echo "installer: $SETUP ($(stat -c %s "$SETUP") bytes)"
  timeout 300 wine "$SETUP" /S >"$B/installer.wine.log" 2>&1
  check "silent install ends with success" test $? -eq 0
  DIR=$(installed_in)
  UDIR=$([ -n "$DIR" ] && winepath -u "$DIR" 2>/dev/null)
  echo "  installed in: $DIR"
  check "installs the program and its uninstaller" \
    wait_for 20 test -f "$UDIR/huizhan-hotspots.exe" -a -f "$UDIR/uninstall.exe" -a -f "$UDIR/README.txt"
  LINK=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/绘栈热点生成器.lnk' 2>/dev/null | head -1)
  check "a Start-menu entry 绘栈热点生成器${LINK:+ ($LINK)}" test -n "$LINK"
  check "registers .hzproj as HuizhanHotspots.Project" \
    test "$(reg_value 'HKCR\.hzproj' '')" = HuizhanHotspots.Project
  command=$(reg_value 'HKCR\HuizhanHotspots.Project\shell\open\command' '')
  check "opens .hzproj with the installed program ($command)" \
    test "$command" = "\"$DIR\\huizhan-hotspots.exe\" \"%1\""
  check "gives .hzproj the program's icon" \
    test "$(reg_value 'HKCR\HuizhanHotspots.Project\DefaultIcon' '')" = "\"$DIR\\huizhan-hotspots.exe\",0"
  check "is listed in Programs and Features with its uninstaller" \
    bash -c "[ '$(reg_value "$UNINSTALL_KEY" DisplayName)' = 绘栈热点生成器 ] &&
             [ '$(reg_value "$UNINSTALL_KEY" DisplayVersion)' = '$VERSION' ]"

  # The installed program, started as the Start-menu entry starts it.
  (cd "$UDIR" && exec wine "$DIR\\huizhan-hotspots.exe" >"$B/installed.wine.log" 2>&1) &
  APID=$!
  if M=$(wait_window "绘栈热点生成器"); then
    read -r _ _ IW IH < <(geometry "$M")
    check "the installed program shows its main window (got $IW × $IH)" test "$IW" = 971
    shot 09-installed-program
    key "$M" Escape
    check "Esc ends the installed program" gone "绘栈热点生成器"
  else
    bad "the installed program shows no window 绘栈热点生成器"
  fi
  kill "$APID" 2>/dev/null
  APID=""

  # A project opened through the association, as a double-click in Explorer does.
  PROJECT=$B/关联测试.hzproj
  printf '%s\n' '{"colours": {"background": "#FFFFFF", "border": "#008000", "hotspot": "#FF00FF"},' \
    '"format": "huizhan-hotspots-project", "hotspots": [], "picture": null, "transparency": 35, "version": 1}' \
    >"$PROJECT"
  (cd "$B" && exec wine start "$(winepath -w "$PROJECT")" >"$B/association.wine.log" 2>&1) &
  if P=$(wait_window "绘栈热点生成器 - 关联测试.hzproj"); then
    ok "start FILE.hzproj opens the project in the installed program"
    shot 10-opened-by-association
    key "$P" Escape
    gone "绘栈热点生成器 - 关联测试.hzproj" || bad "the program opened by the association stayed"
  else
    bad "start FILE.hzproj shows no window 绘栈热点生成器 - 关联测试.hzproj"
  fi

  # Run again: the same folder, one entry, the program still there.
  timeout 300 wine "$SETUP" /S >>"$B/installer.wine.log" 2>&1
  check "a second silent run upgrades in place ($(installed_in))" \
    bash -c "[ '$(installed_in)' = '$DIR' ] && [ -f '$UDIR/huizhan-hotspots.exe' ]"

  # The uninstaller copies itself away and returns at once: wait for its work.
  quiet=$(reg_value "$UNINSTALL_KEY" QuietUninstallString)
  echo "  uninstall: $quiet"
  (cd "$B" && eval "timeout 300 wine $quiet" >"$B/uninstaller.wine.log" 2>&1)
  check "uninstall removes the install folder" wait_for 30 test ! -e "$UDIR"
  check "uninstall removes the Start-menu entry" wait_for 10 test ! -e "$LINK"
  left=""
  for k in "$UNINSTALL_KEY" 'HKCR\.hzproj' 'HKCR\HuizhanHotspots.Project' 'HKCR\Applications\huizhan-hotspots.exe'; do
    reg_exists "$k" && left+=" $k"
  done
  check "uninstall removes the registry keys it wrote${left:+ (left:$left)}" test -z "$left"
  rm -f "$PROJECT"

  # For the current user only: the user's own folders and keys, taken away again.
  USER_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\huizhan-hotspots'
  timeout 300 wine "$SETUP" /S /CurrentUser >>"$B/installer.wine.log" 2>&1
  DIR=$(reg_value "$USER_KEY" InstallLocation)
  UDIR=$([ -n "$DIR" ] && winepath -u "$DIR" 2>/dev/null)
  echo "  installed for the current user in: $DIR"
  check "/CurrentUser installs in the user's own programs folder, not for all users" \
    wait_for 20 test -n "$DIR" -a -f "$UDIR/huizhan-hotspots.exe" -a -z "$(installed_in)"
  check "/CurrentUser registers .hzproj for the user" \
    test "$(reg_value 'HKCU\Software\Classes\.hzproj' '')" = HuizhanHotspots.Project
  quiet=$(reg_value "$USER_KEY" QuietUninstallString)
  (cd "$B" && eval "timeout 300 wine $quiet" >>"$B/uninstaller.wine.log" 2>&1)
  check "its uninstaller removes the folder" wait_for 30 test ! -e "$UDIR"
  left=""
  for k in "$USER_KEY" 'HKCU\Software\Classes\.hzproj' 'HKCU\Software\Classes\HuizhanHotspots.Project'; do
    reg_exists "$k" && left+=" $k"
  done
  check "  ... and the keys it wrote${left:+ (left:$left)}" test -z "$left"
fi

say "screenshots in $SHOTS"
echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
