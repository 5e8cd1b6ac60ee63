#!/usr/bin/env bash
# Opens every window of the program on the X display in $DISPLAY, in both
# skins and both languages, at 100 % and at 150 % scaling, and checks that
# what reaches the screen is what each window paints of itself (the test
# program's ScreenDrawing cases). This script serves the screen grabs those
# cases ask for: a Windows process cannot read the X screen back.
#
# Usage: tools/screen-test.sh <keytidy_gui_tests.exe> <folder for the grabs>
# Leaves in the folder one picture per window, skin, language and scaling,
# cut from the real screen ("<skin>-<language>[-144dpi]-<window>.png"); for a
# window that fails, also the picture it paints of itself ("...self.png").
# Exits 77 (a skip for CTest) when there is no display.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tests_exe=${1:?usage: screen-test.sh <keytidy_gui_tests.exe> <grab folder>}
grabs=${2:?usage: screen-test.sh <keytidy_gui_tests.exe> <grab folder>}
. "$here/wine-env.sh"

if [ -z "${DISPLAY:-}" ]; then
  echo "screen-test: no X display; nothing to grab" >&2
  exit 77
fi
mkdir -p "$grabs"
grabs=$(cd "$grabs" && pwd)
rm -f "$grabs"/*.png "$grabs"/*.request

# Answers each "<name>.request" with "<name>.root.png", the whole X screen.
# The picture appears under its final name only when complete. import (like
# a plain read of the root window) returns the true screen. xwd -root does not:
# Wine's windows use a colour map of their own, and xwd then reads the region
# of any window lying wholly over another top-level window from the window
# beneath, which leaves it black although the X server holds its pixels.
serve_grabs() {
  while :; do
    for request in "$grabs"/*.request; do
      [ -e "$request" ] || continue
      name=${request%.request}
      if import -display "$DISPLAY" -window root "png32:$name.part.png" 2>/dev/null; then
        mv -f "$name.part.png" "$name.root.png"
      fi
      rm -f "$request"
    done
    sleep 0.05
  done
}
serve_grabs &
server=$!

# The scaling factor is the user's "LogPixels"; a Wine process reads it when
# it starts, so each pass sets it before the test program starts and the
# user's own value (usually none) comes back afterwards.
dpi_key='HKCU\Control Panel\Desktop'
saved_dpi=$(timeout 60 "$KEYTIDY_WINE" reg query "$dpi_key" /v LogPixels 2>/dev/null </dev/null |
  sed -n 's/.*REG_DWORD[[:space:]]*0x\([0-9a-fA-F]*\).*/\1/p' | tr -d '\r')
set_dpi() {
  timeout 60 "$KEYTIDY_WINE" reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}
restore_dpi() {
  if [ -n "$saved_dpi" ]; then
    set_dpi $((16#$saved_dpi))
  else
    timeout 60 "$KEYTIDY_WINE" reg delete "$dpi_key" /v LogPixels /f </dev/null >/dev/null 2>&1 || true
  fi
}
trap 'restore_dpi; kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$grabs"/*.root.png "$grabs"/*.request' EXIT

failed=0
# 96 is 100 %, 144 is 150 %.
for dpi in ${KEYTIDY_SCREEN_DPIS:-96 144}; do
  if ! set_dpi "$dpi"; then
    echo "screen-test: cannot set the scaling to $dpi DPI" >&2
    failed=1
    continue
  fi
  for skin in ${KEYTIDY_SCREEN_SKINS:-default dark}; do
    for language in ${KEYTIDY_SCREEN_LANGUAGES:-en-us de-de}; do
      # Wine's own texts (frames, system menus, dates) follow the locale too.
      locale=C.UTF-8
      [ "$language" = de-de ] && locale=de_DE.UTF-8
      echo "screen-test: skin $skin, language $language, $dpi DPI"
      if ! LC_ALL=$locale KEYTIDY_SCREEN_GRABS="Z:${grabs//\//\\}" KEYTIDY_SCREEN_SKIN=$skin \
          KEYTIDY_SCREEN_LANGUAGE=$language KEYTIDY_SCREEN_DPI=$dpi KEYTIDY_WINE_TIMEOUT=240 \
          "$here/wine-exec" "$tests_exe" --gtest_filter='ScreenDrawing.*' --gtest_also_run_disabled_tests \
          </dev/null; then
        failed=1
      fi
    done
  done
done
exit $failed
