#!/usr/bin/env bash
# Keeps the layers true: platform <- engine <- gui, and the console program
# on the engine alone. Fails when a source file includes a project header of
# a layer above its own, or when a program file named with --no-window-code
# imports a DLL that only window code needs.
#
# Usage: tools/check-layers.sh [--objdump OBJDUMP --no-window-code FILE...]
#
# Layers, by path (first match wins):
#   platform  platform/ inet/
#   engine    model/ scan/ backup/ clean/ settings/ lang/ (their screen/ folders excepted)
#   console   cli/                   - sees platform and engine; its headers
#                                      are seen by no other layer
#   gui       ui/ skin/ cleaner/ app/ */screen/ tools/skin_gallery/
#   tests     the engine tests (every folder of tests/ but the ones named
#             below) see platform and engine; tests/{app,cleaner,ui,skin,
#             deps}/, tests/*/screen/, tests/support/gui.*,
#             tests/support/gui_layout.* and tests/support/screen_grab.*
#             are gui tests
#   bench     bench/                 - sees everything (not shipped)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

rank() {  # the layer rank of a path inside the project; 0: not checked
  case $1 in
    */screen/*) echo 30 ;;
    platform/*|inet/*) echo 10 ;;
    model/*|scan/*|backup/*|clean/*|settings/*|lang/*) echo 20 ;;
    cli/*|tests/cli/*) echo 25 ;;
    ui/*|skin/*|cleaner/*|app/*|tools/skin_gallery/*) echo 30 ;;
    tests/app/*|tests/cleaner/*|tests/ui/*|tests/skin/*|tests/deps/*) echo 30 ;;
    tests/support/gui.*|tests/support/gui_layout.*|tests/support/screen_grab.*) echo 30 ;;
    tests/*) echo 20 ;;
    bench/*) echo 90 ;;
    *) echo 0 ;;
  esac
}
name() { case $1 in 10) echo platform ;; 20) echo engine ;; 25) echo console ;; 30) echo gui ;; *) echo "rank $1" ;; esac; }

status=0
checked=0
while IFS= read -r file; do
  own=$(rank "$file")
  [ "$own" = 0 ] && continue
  checked=$((checked + 1))
  while IFS=: read -r line header; do
    # tests name their support headers relative to tests/
    case $header in support/*|deps/*|scan/check_fixture.h) target=tests/$header ;; *) target=$header ;; esac
    [ -e "$target" ] || continue
    theirs=$(rank "$target")
    if [ "$theirs" -gt "$own" ] || { [ "$theirs" = 25 ] && [ "$own" != 25 ] && [ "$own" != 90 ]; }; then
      echo "$file:$line: includes $header ($(name "$theirs")) from the $(name "$own") layer" >&2
      status=1
    fi
  done < <(grep -n '^\s*#\s*include\s*"' "$file" | sed 's/^\([0-9]*\):.*"\([^"]*\)".*/\1:\2/')
done < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | grep -v '^tools/native/')
echo "include layers: $checked source files checked"

if [ "${1:-}" = --objdump ]; then
  objdump=$2; shift 2
  [ "${1:-}" = --no-window-code ] && shift
  for file in "$@"; do
    # The widget layer's DLLs and the internet-services library, which only
    # the desktop program's screens call.
    found=$("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p' | grep -Ei '^(comctl32|msimg32|gdiplus|uxtheme|dwmapi|qrv_inet2)\.dll$' || true)
    if [ -n "$found" ]; then
      echo "$file imports window code: $(echo $found)" >&2
      status=1
    else
      echo "$(basename "$file"): no window-code imports"
    fi
  done
fi
exit $status
