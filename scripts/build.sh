#!/usr/bin/env bash
# Configures and builds one architecture into build/<arch>.
# Usage: scripts/build.sh x86_64|i686 [extra cmake -D options]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
arch=${1:?usage: build.sh x86_64|i686}; shift
triplet=$arch-w64-mingw32
deps=$("$here/build-deps.sh" "$triplet")
build=${KEYTIDY_BUILD_ROOT:-$root/build}/$arch
# A full build takes minutes on two cores; ccache makes a rebuild in a fresh
# clone (as CI does) or in a second work tree a matter of seconds. Paths are
# hashed relative to the checkout so that clones at other places share hits.
launcher=()
if command -v ccache >/dev/null 2>&1 && [ -z "${KEYTIDY_NO_CCACHE:-}" ]; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triplet.cmake" \
  -DKEYTIDY_DEPS_PREFIX="$deps" "${launcher[@]}" "$@" >/dev/null
CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} cmake --build "$build"
