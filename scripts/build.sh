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
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triplet.cmake" \
  -DKEYTIDY_DEPS_PREFIX="$deps" "$@" >/dev/null
cmake --build "$build"
