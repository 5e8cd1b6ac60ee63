#!/usr/bin/env bash
# The main job on a new machine: installs what is needed, builds the 64-bit
# program and scans this machine's registry (under Wine: the default prefix,
# ~/.wine unless WINEPREFIX says otherwise). Extra arguments replace the
# command given to keytidy-cli. Standard output carries the program's result
# alone; installation, build and prefix messages go to standard error.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

"$here/install-packages.sh" >&2
"$here/build.sh" x86_64 -DKEYTIDY_TESTS=OFF >&2

export KEYTIDY_WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
. "$root/tools/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: creating the Wine prefix $WINEPREFIX" >&2
  (unset DISPLAY; timeout 300 "$KEYTIDY_WINE" wineboot -i >/dev/null 2>&1) || true
  timeout 120 "$KEYTIDY_WINESERVER" -w || true
fi
# Without arguments the main job is a scan (nothing is changed or written).
[ $# -gt 0 ] || set -- scan
status=0
KEYTIDY_WINE_TIMEOUT=${KEYTIDY_WINE_TIMEOUT:-1800} \
  "$root/tools/wine-exec" "${KEYTIDY_BUILD_ROOT:-$root/build}/x86_64/bin/keytidy-cli.exe" "$@" || status=$?
timeout 60 "$KEYTIDY_WINESERVER" -k >/dev/null 2>&1 || true
exit $status
