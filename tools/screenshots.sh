#!/usr/bin/env bash
# Pictures of the windows in both skins and both languages, for looking at:
# runs the test program's screenshot case (which has each window draw itself
# into a picture) under a virtual display. Needs a build (scripts/build.sh
# x86_64) and a Wine prefix (scripts/test.sh with KEYTIDY_KEEP_PREFIX=1).
# Usage: tools/screenshots.sh [output folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out=$(mkdir -p "${1:-$root/build/screenshots}" && cd "${1:-$root/build/screenshots}" && pwd)
build=${KEYTIDY_BUILD_ROOT:-$root/build}/x86_64
export KEYTIDY_WINEPREFIX=$build/wineprefix
. "$root/tools/wine-env.sh"

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -e
  build=$0 out=$1
  "$KEYTIDY_WINESERVER" -p
  for skin in default dark; do
    for lang in de-de en-us; do
      KEYTIDY_SHOT_FOLDER="Z:${out//\//\\}" KEYTIDY_SHOT_SKIN=$skin KEYTIDY_SHOT_LANG=$lang \
        timeout 120 "$KEYTIDY_WINE" "$build/tests/keytidy_tests.exe" \
          --gtest_filter=Screenshots.DISABLED_AllWindows --gtest_also_run_disabled_tests >/dev/null
    done
  done
  "$KEYTIDY_WINESERVER" -k || true
' "$build" "$out"
ls "$out"
