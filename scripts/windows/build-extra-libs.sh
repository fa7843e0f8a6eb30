#!/usr/bin/env bash
# Builds the static x86_64 Windows libraries that came after build-libs.sh's set,
# from Debian's source packages: gumbo-parser (the HTML5 parser behind importing
# code) and libexif (picture orientation). Cached on its own, in a folder keyed by
# this script, the source versions and the compiler's version, so that build-libs.sh's
# long build is never redone for them. The last line of the output is the prefix.
#
# Usage: build-extra-libs.sh      (needs no root)
set -euo pipefail
JOBS=${JOBS:-$(nproc)}
CACHE_ROOT=${HUIZHAN_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/huizhan-hotspots}
TRIPLE=x86_64-w64-mingw32
export CC=$TRIPLE-gcc-posix AR=$TRIPLE-ar RANLIB=$TRIPLE-ranlib
SOURCES=(gumbo-parser libexif)

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
  [ -n "${VERSIONS[$src]}" ] || { echo "no source package $src in the Debian lists" >&2; exit 1; }
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

# libexif: its own configure, the library only.
E=$(srcdir libexif)
mkdir -p "$W/build-exif"
(cd "$W/build-exif" && run "$E/configure" --host=$TRIPLE --build=x86_64-pc-linux-gnu --prefix="$P" \
   --disable-shared --enable-static --disable-nls --disable-docs)
run make -C "$W/build-exif/libexif" -j"$JOBS"
run make -C "$W/build-exif/libexif" install

rm -rf "$W"
touch "$P/.complete"
for old in "$CACHE_ROOT"/windows-extra-*/; do
  [ "${old%/}" != "$DEST" ] && rm -rf "$old"
done
echo "$P"
