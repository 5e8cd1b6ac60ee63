#!/usr/bin/env bash
# Configures, builds and runs the native sanitizer unit tests (clang,
# AddressSanitizer + UndefinedBehaviorSanitizer) in build/native, or in the
# folder given as the first argument. Exits non-zero on any failure or
# sanitizer report.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-${KEYTIDY_BUILD_ROOT:-$root/build}/native}
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DKEYTIDY_FUZZ=OFF >/dev/null
cmake --build "$build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Relative INI names and temporary files land in a scratch folder.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
TMPDIR=$scratch "$build/keytidy_native_tests" --gtest_brief=1
