#!/usr/bin/env bash
# Builds the static x86_64 Windows libraries the program links against, from Debian's
# own source packages, with the posix-thread mingw-w64 toolchain: zlib, libpng,
# libjpeg-turbo, giflib, libcurl (Schannel), libxml2 (HTML parser, no iconv), the
# nlohmann-json headers, GoogleTest and a slim static wxWidgets 3.2 for MSW (base,
# core, stc, webview with the system browser control).
#
# The result is cached in a folder keyed by this script, the toolchain file, the
# source versions and the compiler's version; a second run only prints where it is.
# The last line of the output is the prefix folder. Each step's time is printed and
# kept in the cache folder's times.txt.
#
# Usage: build-libs.sh      (JOBS=n sets the parallel jobs; needs no root)
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
JOBS=${JOBS:-$(nproc)}
CACHE_ROOT=${HUIZHAN_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/huizhan-hotspots}
HOSTCC=x86_64-w64-mingw32-gcc-posix
HOSTCXX=x86_64-w64-mingw32-g++-posix
TRIPLE=x86_64-w64-mingw32

# The source packages, from the system's own Debian entries read as deb-src through a
# private apt state: the machine's package lists and configuration stay untouched.
SOURCES=(zlib libpng1.6 libjpeg-turbo giflib curl libxml2 nlohmann-json3 googletest wxwidgets3.2)
APTD=$CACHE_ROOT/apt
mkdir -p "$CACHE_ROOT"
exec 9>"$CACHE_ROOT/windows-libs.lock"
flock 9
mkdir -p "$APTD/lists/partial" "$APTD/cache/archives/partial" "$APTD/parts"
: >"$APTD/sources.list"
rm -f "$APTD"/parts/*
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && grep -qi 'debian' "$f" && sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$APTD/parts/$(basename "$f")"
done
[ -f /etc/apt/sources.list ] && grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$APTD/sources.list"
APT=(-o Dir::Etc::SourceList="$APTD/sources.list" -o Dir::Etc::SourceParts="$APTD/parts"
     -o Dir::State::Lists="$APTD/lists" -o Dir::Cache="$APTD/cache" -o Debug::NoLocking=1
     -o APT::Sandbox::User=root)
# Without the archive (offline), the lists of the last run still name the versions.
if ! apt-get "${APT[@]}" update -qq >"$APTD/update.log" 2>&1; then
  if ls "$APTD"/lists/*Sources* >/dev/null 2>&1; then
    echo "Windows libraries: the Debian archive did not answer; using the lists of the last run" >&2
  else
    cat "$APTD/update.log" >&2
    exit 1
  fi
fi

# Every version the lists offer for a source package, newest first. (Its readers take
# the first line with sed, which reads to the end: under pipefail a reader that stops
# early would fail the run with the writer's SIGPIPE.)
versions_of() {
  local v sorted=() i
  while read -r v; do
    i=${#sorted[@]}
    sorted+=("$v")
    while [ "$i" -gt 0 ] && dpkg --compare-versions "${sorted[$((i - 1))]}" lt "$v"; do
      sorted[$i]=${sorted[$((i - 1))]}
      sorted[$((i - 1))]=$v
      i=$((i - 1))
    done
  done < <(apt-cache "${APT[@]}" showsrc "$1" | awk -v p="$1" '/^Package: /{n=$2} /^Version: /{if (n==p) print $2}' | sort -u)
  printf '%s\n' "${sorted[@]}"
}
declare -A VERSION
for src in "${SOURCES[@]}"; do
  VERSION[$src]=$(versions_of "$src" | sed -n 1p)
  [ -n "${VERSION[$src]}" ] || { echo "no source package $src in the Debian lists" >&2; exit 1; }
done

key_text() {
  cat "$0" "$HERE/toolchain.cmake"
  for src in "${SOURCES[@]}"; do echo "$src=${VERSION[$src]}"; done
  dpkg-query -W -f='${Version}\n' g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
}
KEY=$(key_text | sha256sum | cut -c1-16)
DEST=$CACHE_ROOT/windows-libs-$KEY
P=$DEST/prefix

if [ -f "$P/.complete" ]; then
  echo "Windows libraries: cached in $DEST"
  echo "$P"
  exit 0
fi

rm -rf "$DEST"
W=$DEST/work
LOGS=$DEST/logs
mkdir -p "$W/src" "$LOGS" "$P/include" "$P/lib/pkgconfig"
TIMES=$DEST/times.txt
: >"$TIMES"
echo "Windows libraries: building into $DEST (logs in $LOGS)"

START=$(date +%s)
STEP_START=$START
STEP=""
step() {
  local now
  now=$(date +%s)
  [ -n "$STEP" ] && printf '%-28s %5ds\n' "$STEP" $((now - STEP_START)) | tee -a "$TIMES"
  STEP_START=$now
  STEP=$1
  [ -n "$STEP" ] && echo "== $STEP"
  return 0
}
fail() {
  echo "FAILED in step '$STEP'; the end of its log:" >&2
  tail -n 40 "$1" >&2
  exit 1
}
run() {  # run LOG COMMAND...: the command's output goes to the log
  local log=$LOGS/$1
  shift
  nice -n 10 "$@" >>"$log" 2>&1 || fail "$log"
}

export CC=$HOSTCC CXX=$HOSTCXX AR=$TRIPLE-ar RANLIB=$TRIPLE-ranlib RC=$TRIPLE-windres
export PKG_CONFIG_LIBDIR=$P/lib/pkgconfig PKG_CONFIG_PATH=
CONFIGURE_HOST=(--host=$TRIPLE --build=x86_64-pc-linux-gnu --prefix="$P" --disable-shared)
CMAKE_CROSS=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$HERE/toolchain.cmake" -DWIN_PREFIX="$P"
             -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$P")

# archive NAME LOG DIR FILE...: lib$NAME.a from the C files of a library whose own
# build (a plain Makefile) does not know how to cross-compile.
archive() {
  local name=$1 log=$2 dir=$3 f objects=()
  shift 3
  mkdir -p "$W/build-$name"
  for f in "$@"; do
    run "$log" $CC -O2 -DNDEBUG -c "$dir/$f.c" -o "$W/build-$name/$f.o"
    objects+=("$W/build-$name/$f.o")
  done
  run "$log" $AR rcs "$P/lib/lib$name.a" "${objects[@]}"
}

step "sources"
# The newest version first; an archive that no longer serves it (a mirror without the
# security pool) gets the next one. What was built is kept in versions.txt.
for src in "${SOURCES[@]}"; do
  got=""
  while read -r v; do
    if (cd "$W/src" && apt-get "${APT[@]}" source -q "$src=$v" >>"$LOGS/sources.log" 2>&1); then
      got=$v
      break
    fi
    rm -rf "$W/src/$src"[-_]*
  done < <(versions_of "$src")
  [ -n "$got" ] || fail "$LOGS/sources.log"
  echo "  $src $got" | tee -a "$DEST/versions.txt"
done
srcdir() { find "$W/src" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | sed -n 1p; }

step "zlib"
Z=$(srcdir zlib)
archive z zlib.log "$Z" adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback \
  inffast inflate inftrees trees uncompr zutil
cp "$Z/zlib.h" "$Z/zconf.h" "$P/include/"
ZVER=$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$Z/zlib.h")
printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: zlib\nDescription: zlib compression library\nVersion: %s\nLibs: -L${libdir} -lz\nCflags: -I${includedir}\n' \
  "$P" "$ZVER" >"$P/lib/pkgconfig/zlib.pc"

step "libpng"
mkdir -p "$W/build-png"
(cd "$W/build-png" && run png.log "$(srcdir libpng1.6)/configure" "${CONFIGURE_HOST[@]}" \
   CPPFLAGS="-I$P/include" LDFLAGS="-L$P/lib")
run png.log make -C "$W/build-png" -j"$JOBS"
run png.log make -C "$W/build-png" install

step "libjpeg-turbo"
run jpeg.log cmake -S "$(srcdir libjpeg-turbo)" -B "$W/build-jpeg" "${CMAKE_CROSS[@]}" \
  -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm
run jpeg.log ninja -C "$W/build-jpeg" -j"$JOBS"
run jpeg.log cmake --install "$W/build-jpeg"

step "giflib"
G=$(srcdir giflib)
archive gif gif.log "$G" dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray
cp "$G/gif_lib.h" "$P/include/"

step "libcurl (Schannel)"
mkdir -p "$W/build-curl"
(cd "$W/build-curl" && run curl.log "$(srcdir curl)/configure" "${CONFIGURE_HOST[@]}" \
   --with-schannel --with-zlib="$P" --without-libpsl --without-brotli --without-zstd \
   --without-nghttp2 --without-libidn2 --without-librtmp --without-libssh2 --disable-ldap \
   --disable-ldaps --disable-manual --disable-dict --disable-gopher --disable-imap \
   --disable-mqtt --disable-pop3 --disable-rtsp --disable-smb --disable-smtp --disable-telnet \
   --disable-tftp)
run curl.log make -C "$W/build-curl/lib" -j"$JOBS"
run curl.log make -C "$W/build-curl/lib" install
run curl.log make -C "$W/build-curl/include" install
run curl.log make -C "$W/build-curl" install-pkgconfigDATA install-binSCRIPTS

step "libxml2"
# Its CMake build: the autotools one would want automake after Debian's patches.
run xml2.log cmake -S "$(srcdir libxml2)" -B "$W/build-xml2" "${CMAKE_CROSS[@]}" -DBUILD_SHARED_LIBS=OFF \
  -DLIBXML2_WITH_ICONV=OFF -DLIBXML2_WITH_ICU=OFF -DLIBXML2_WITH_LZMA=OFF -DLIBXML2_WITH_PYTHON=OFF \
  -DLIBXML2_WITH_ZLIB=OFF -DLIBXML2_WITH_HTTP=OFF -DLIBXML2_WITH_FTP=OFF -DLIBXML2_WITH_MODULES=OFF \
  -DLIBXML2_WITH_DEBUG=OFF -DLIBXML2_WITH_TESTS=OFF -DLIBXML2_WITH_PROGRAMS=OFF
run xml2.log ninja -C "$W/build-xml2" -j"$JOBS"
run xml2.log cmake --install "$W/build-xml2"

step "nlohmann-json"
run json.log cmake -S "$(srcdir nlohmann-json3)" -B "$W/build-json" "${CMAKE_CROSS[@]}" \
  -DJSON_BuildTests=OFF -DJSON_Install=ON
run json.log cmake --install "$W/build-json"

step "googletest"
run gtest.log cmake -S "$(srcdir googletest)" -B "$W/build-gtest" "${CMAKE_CROSS[@]}" \
  -DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF
run gtest.log ninja -C "$W/build-gtest" -j"$JOBS"
run gtest.log cmake --install "$W/build-gtest"

step "wxWidgets configure"
mkdir -p "$W/build-wx"
# Only what the program uses; the picture and compression libraries are the ones above.
# The debug level stays at its default, as in Debian's build: wx's checks report to
# the program's assert handler (--disable-debug would compile them out).
(cd "$W/build-wx" && run wx.log "$(srcdir wxwidgets3.2)/configure" "${CONFIGURE_HOST[@]}" \
   --with-msw CPPFLAGS="-I$P/include" LDFLAGS="-L$P/lib" \
   --with-libpng=sys --with-libjpeg=sys --with-zlib=sys --without-libtiff --without-expat \
   --without-opengl --without-liblzma --with-regex=builtin --with-nanosvg \
   --enable-stc --enable-webview --enable-webviewie --disable-webviewedge --disable-webrequest \
   --disable-mediactrl --disable-richtext --disable-propgrid --disable-ribbon --disable-xrc \
   --disable-aui --disable-html --disable-htmlhelp --disable-sound --disable-debugreport)

step "wxWidgets make"
run wx.log make -C "$W/build-wx" -j"$JOBS"
run wx.log make -C "$W/build-wx" install

step ""
rm -rf "$W"
touch "$P/.complete"
# Library sets of earlier keys are no use any more.
for old in "$CACHE_ROOT"/windows-libs-*/; do
  [ "${old%/}" != "$DEST" ] && rm -rf "$old"
done
printf '%-28s %5ds\n' "total" $(($(date +%s) - START)) | tee -a "$TIMES"
echo "size: $(du -sh "$P" | cut -f1)"
echo "$P"
