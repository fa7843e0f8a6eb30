#!/usr/bin/env bash
# Builds the static x86_64 Windows libraries that came after build-libs.sh's set,
# from Debian's source packages: gumbo-parser (the HTML5 parser behind importing
# code) and libexif (picture orientation). Cached on its own, in a folder keyed by
# this script, the source versions and the compiler's version, so that build-libs.sh's
# long build is never redone for them. The last line of the output is the prefix.
#
# Some mirrors no longer serve gumbo-parser's source files (the .dsc comes, the
# tarballs answer 404). gumbo then comes from the same upstream release, 0.10.1,
# as the npm registry keeps it inside a Node package (package/deps/gumbo-parser),
# pinned by its sha256. Debian's package carries no patches to gumbo's C sources
# (its changelog lists packaging changes only), so both give the same library.
#
# Usage: build-extra-libs.sh      (needs no root)
set -euo pipefail
CACHE_ROOT=${HUIZHAN_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/huizhan-hotspots}
TRIPLE=x86_64-w64-mingw32
export CC=$TRIPLE-gcc-posix AR=$TRIPLE-ar RANLIB=$TRIPLE-ranlib
SOURCES=(gumbo-parser libexif)
GUMBO_FALLBACK_URL=https://registry.npmjs.org/gumbo-parser/-/gumbo-parser-0.3.0.tgz
GUMBO_FALLBACK_SHA256=d47101b5182186c4646f7eba5107308dbf93392621ae8c12bd35a7d867c8e913
GUMBO_FALLBACK_DIR=package/deps/gumbo-parser

# Debian's own entries read as deb-src through a private apt state, as build-libs.sh does.
APTD=$CACHE_ROOT/apt-extra
mkdir -p "$APTD/lists/partial" "$APTD/cache/archives/partial" "$APTD/parts"
exec 9>"$CACHE_ROOT/windows-extra.lock"
flock 9
: >"$APTD/sources.list"
rm -f "$APTD"/parts/*
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && grep -qi 'debian' "$f" && sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$APTD/parts/$(basename "$f")"
done
[ -f /etc/apt/sources.list ] && grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$APTD/sources.list"
APT=(-o Dir::Etc::SourceList="$APTD/sources.list" -o Dir::Etc::SourceParts="$APTD/parts"
     -o Dir::State::Lists="$APTD/lists" -o Dir::Cache="$APTD/cache" -o Debug::NoLocking=1
     -o APT::Sandbox::User=root)
apt-get "${APT[@]}" update -qq >"$APTD/update.log" 2>&1 || ls "$APTD"/lists/*Sources* >/dev/null 2>&1 ||
  { cat "$APTD/update.log" >&2; exit 1; }
# Every version the lists offer, newest first: a mirror may no longer serve the newest.
versions_of() {
  apt-cache "${APT[@]}" showsrc "$1" | awk -v p="$1" '/^Package: /{n=$2} /^Version: /{if (n==p) print $2}' |
    sort -u -V -r
}
declare -A VERSIONS
for src in "${SOURCES[@]}"; do
  VERSIONS[$src]=$(versions_of "$src" | tr '\n' ' ')
  [ -n "${VERSIONS[$src]}" ] || [ "$src" = gumbo-parser ] ||
    { echo "no source package $src in the Debian lists" >&2; exit 1; }
done
KEY=$( { cat "$0"; for s in "${SOURCES[@]}"; do echo "$s=${VERSIONS[$s]}"; done
         dpkg-query -W -f='${Version}\n' gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev; } | sha256sum | cut -c1-16)
DEST=$CACHE_ROOT/windows-extra-$KEY
P=$DEST/prefix
if [ -f "$P/.complete" ]; then
  echo "Windows extra libraries: cached in $DEST"
  echo "$P"
  exit 0
fi
rm -rf "$DEST"
W=$DEST/work
mkdir -p "$W/src" "$P/include" "$P/lib"
LOG=$DEST/build.log
echo "Windows extra libraries: building into $DEST (log $LOG)"
run() { nice -n 10 "$@" >>"$LOG" 2>&1 || { tail -n 40 "$LOG" >&2; exit 1; }; }
for src in "${SOURCES[@]}"; do
  got=""
  for v in ${VERSIONS[$src]}; do
    if (cd "$W/src" && apt-get "${APT[@]}" source -q "$src=$v" >>"$LOG" 2>&1); then got=$v; break; fi
    rm -rf "$W/src/$src"[-_]*
  done
  if [ -z "$got" ] && [ "$src" = gumbo-parser ]; then
    # Upstream's 0.10.1 from the npm registry, checked against the pinned digest.
    tgz=$W/gumbo-fallback.tgz
    run curl -fsSL --retry 3 -o "$tgz" "$GUMBO_FALLBACK_URL"
    if ! echo "$GUMBO_FALLBACK_SHA256  $tgz" | sha256sum -c --status; then
      echo "gumbo-parser: $GUMBO_FALLBACK_URL does not match its sha256" >&2
      exit 1
    fi
    mkdir -p "$W/gumbo-unpack"
    run tar -xzf "$tgz" -C "$W/gumbo-unpack" "$GUMBO_FALLBACK_DIR"
    grep -q 'AC_INIT(\[gumbo\], \[0\.10\.1\]' "$W/gumbo-unpack/$GUMBO_FALLBACK_DIR/configure.ac" ||
      { echo "gumbo-parser: the fallback is not release 0.10.1" >&2; exit 1; }
    mv "$W/gumbo-unpack/$GUMBO_FALLBACK_DIR" "$W/src/gumbo-parser-0.10.1"
    rm -rf "$W/gumbo-unpack" "$tgz"
    got="0.10.1 (upstream, from $GUMBO_FALLBACK_URL)"
  fi
  [ -n "$got" ] || { tail -n 20 "$LOG" >&2; exit 1; }
  echo "  $src $got"
done
srcdir() { find "$W/src" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | sed -n 1p; }

# gumbo: plain C files without a configuration step.
G=$(srcdir gumbo-parser)
mkdir -p "$W/build-gumbo"
for f in "$G"/src/*.c; do
  run $CC -O2 -DNDEBUG -std=gnu99 -I"$G/src" -c "$f" -o "$W/build-gumbo/$(basename "$f" .c).o"
done
run $AR rcs "$P/lib/libgumbo.a" "$W"/build-gumbo/*.o
cp "$G/src/gumbo.h" "$G/src/tag_enum.h" "$P/include/"

# libexif: its C files compiled directly as well. Debian's source carries no generated
# configure, and the library needs from it only a config.h (no translations here) and
# the <libexif/_stdint.h> that names <stdint.h>.
E=$(srcdir libexif)
mkdir -p "$W/build-exif/cfg/libexif" "$P/include/libexif"
printf '#define GETTEXT_PACKAGE "libexif-12"\n#define LOCALEDIR ""\n' >"$W/build-exif/cfg/config.h"
printf '#ifndef LIBEXIF__STDINT_H\n#define LIBEXIF__STDINT_H 1\n#include <stdint.h>\n#endif\n' \
  >"$W/build-exif/cfg/libexif/_stdint.h"
for f in "$E"/libexif/*.c "$E"/libexif/*/*.c; do
  run $CC -O2 -DNDEBUG -std=gnu99 -I"$W/build-exif/cfg" -I"$E" -I"$E/libexif" -c "$f" \
    -o "$W/build-exif/$(basename "$f" .c).o"
done
run $AR rcs "$P/lib/libexif.a" "$W"/build-exif/*.o
for h in exif-byte-order exif-content exif-data exif-data-type exif-entry exif-format exif-ifd \
         exif-loader exif-log exif-mem exif-mnote-data exif-tag exif-utils; do
  cp "$E/libexif/$h.h" "$P/include/libexif/"
done
cp "$W/build-exif/cfg/libexif/_stdint.h" "$P/include/libexif/"

rm -rf "$W"
touch "$P/.complete"
for old in "$CACHE_ROOT"/windows-extra-*/; do
  [ "${old%/}" != "$DEST" ] && rm -rf "$old"
done
echo "$P"
