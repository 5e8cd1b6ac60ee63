#!/usr/bin/env bash
# Pictures of every window in both skins and both languages, for looking at:
# grabs of the real screen (a virtual X display), cut to each window, made by
# the screen test (tools/screen-test.sh). Needs a build (scripts/build.sh
# x86_64 -DKEYTIDY_TESTS=ON) and a Wine prefix (scripts/test.sh with
# KEYTIDY_KEEP_PREFIX=1, or scripts/make-wineprefix.sh).
# Usage: tools/screenshots.sh [output folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out=$(mkdir -p "${1:-$root/build/screenshots}" && cd "${1:-$root/build/screenshots}" && pwd)
build=${KEYTIDY_BUILD_ROOT:-$root/build}/x86_64
export KEYTIDY_WINEPREFIX=$build/wineprefix
. "$root/tools/wine-env.sh"

status=0
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$KEYTIDY_WINESERVER" -p
  bash "$0/screen-test.sh" "$1/tests/keytidy_gui_tests.exe" "$2" >/dev/null
  status=$?
  "$KEYTIDY_WINESERVER" -k || true
  exit $status
' "$here" "$build" "$out" || status=$?
ls "$out"
[ $status -eq 0 ] || echo "screenshots: some windows did not reach the screen as they paint themselves (see *.self.png)" >&2
exit $status
