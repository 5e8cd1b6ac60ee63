#!/usr/bin/env bash
# Screenshots of the skin gallery window (keytidy-skin-gallery.exe) for each
# shipped skin, taken under a virtual X display: build/skin-gallery-<skin>.png.
# Needs a built x86_64 program (scripts/build.sh x86_64) and a Wine prefix
# (the test run's, or any other named by KEYTIDY_WINEPREFIX).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${KEYTIDY_BUILD_ROOT:-$root/build}/x86_64/bin
[ -x "$bin/keytidy-skin-gallery.exe" ] || { echo "skin-gallery: build the program first" >&2; exit 1; }
. "$root/tools/wine-env.sh"
[ -f "$WINEPREFIX/system.reg" ] || "$root/scripts/make-wineprefix.sh" "$WINEPREFIX"
skins=${*:-default dark}
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -e
  for skin in $1; do
    "$KEYTIDY_WINE" "$2/keytidy-skin-gallery.exe" "$skin" --seconds 8 </dev/null >/dev/null 2>&1 &
    sleep 6
    import -window root "$3/skin-gallery-$skin.png"
    wait
    echo "skin-gallery: $3/skin-gallery-$skin.png"
  done
  "$KEYTIDY_WINESERVER" -k || true
' _ "$skins" "$bin" "$(dirname "$bin")/.."
