#!/usr/bin/env bash
# Cross-builds libpng and giflib as static libraries for one mingw triplet.
#
# Debian ships no mingw builds of either, so we fetch their Debian source
# packages by name (which brings Debian's patches along) and build them with
# the mingw toolchain. Sources and results live in a cache outside the
# checkout; a result is keyed by a hash of the source packages and of this
# script, so later runs reuse it and a change to either rebuilds.
#
# Usage: scripts/build-deps.sh <triplet>     prints the install prefix
set -euo pipefail

triplet=${1:?usage: build-deps.sh x86_64-w64-mingw32|i686-w64-mingw32}
self=$(readlink -f "$0")
here=$(dirname "$self")
cache=${KEYTIDY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/keytidy}
src=$cache/sources
mkdir -p "$src"

log() { echo "build-deps: $*" >&2; }

fetch_sources() {
  cd "$src"
  if ! ls libpng1.6_*.dsc >/dev/null 2>&1 || ! ls giflib_*.dsc >/dev/null 2>&1; then
    log "fetching Debian source packages libpng1.6 and giflib"
    # The bookworm suite is named explicitly: the security suite's files
    # could not be downloaded on these machines.
    apt-get source --download-only libpng1.6/bookworm giflib/bookworm >&2
  fi
}

unpack() { # <dsc glob> <dest>
  local dsc dest=$2
  dsc=$(ls $1 | sort -V | tail -n 1)
  rm -rf "$dest"
  dpkg-source --no-check -x "$src/$dsc" "$dest" >&2
}

fetch_sources
key=$( (cd "$src" && cat libpng1.6_*.dsc giflib_*.dsc; cat "$self" "$here/../cmake/toolchain-$triplet.cmake" "$here/giflib.cmake") | sha256sum | cut -c1-16)
prefix=$cache/deps-$key/$triplet
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
toolchain=$here/../cmake/toolchain-$triplet.cmake
zlib_lib=/usr/$triplet/lib/libz.a
[ -f "$zlib_lib" ] || { log "missing $zlib_lib (package libz-mingw-w64-dev)"; exit 1; }

log "building libpng for $triplet"
unpack 'libpng1.6_*.dsc' "$work/libpng"
cmake -S "$work/libpng" -B "$work/libpng-build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_LIBRARY="$zlib_lib" -DZLIB_INCLUDE_DIR=/usr/$triplet/include >&2
cmake --build "$work/libpng-build" >&2
cmake --install "$work/libpng-build" >&2

log "building giflib for $triplet"
unpack 'giflib_*.dsc' "$work/giflib"
cp "$here/giflib.cmake" "$work/giflib/CMakeLists.txt"
cmake -S "$work/giflib" -B "$work/giflib-build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" >&2
cmake --build "$work/giflib-build" >&2
cmake --install "$work/giflib-build" >&2

touch "$prefix/.complete"
echo "$prefix"
