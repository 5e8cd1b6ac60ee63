#!/usr/bin/env bash
# Keeps the layers true: platform <- engine <- gui, and the console program
# on the engine alone; below that, folders that include each other one way
# only. Fails when a source file includes a project header of a layer above
# its own or of a folder its folder's row of the table does not name, and
# when a program file named with --no-window-code imports a DLL that only
# window code needs.
#
# Usage: tools/check-layers.sh [--objdump OBJDUMP --no-window-code FILE...]
#
# Layers, by path (first match wins):
#   platform  platform/ inet/
#   engine    model/ scan/ backup/ clean/ settings/ lang/ (their screen/ folders excepted)
#   console   cli/                   - sees platform and engine; its headers
#                                      are seen by no other layer
#   gui       ui/ skin/ gui/ cleaner/ app/ */screen/ tools/skin_gallery/
#   tests     the engine tests (every folder of tests/ but the ones named
#             below) see platform and engine; tests/{app,gui,cleaner,ui,skin,
#             deps}/, tests/*/screen/, tests/support/gui.*,
#             tests/support/gui_layout.* and tests/support/screen_grab.*
#             are gui tests
#   bench     bench/                 - sees everything (not shipped)
set -uo pipefail
root=${KEYTIDY_LAYERS_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

rank() {  # the layer rank of a path inside the project; 0: not checked
  case $1 in
    */screen/*) echo 30 ;;
    platform/*|inet/*) echo 10 ;;
    model/*|scan/*|backup/*|clean/*|settings/*|lang/*) echo 20 ;;
    cli/*|tests/cli/*) echo 25 ;;
    ui/*|skin/*|gui/*|cleaner/*|app/*|tools/skin_gallery/*) echo 30 ;;
    tests/app/*|tests/gui/*|tests/cleaner/*|tests/ui/*|tests/skin/*|tests/deps/*) echo 30 ;;
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

# Folders, below the layers: each product folder may include the folders its
# row names and no others, so the folders form a one-way graph. A folder's
# screen/ is a folder of its own. Tests, benchmarks and tools are left out:
# they stand above what they drive.
folder_table() {
  cat <<'TABLE'
platform:
inet:
lang:            platform
settings:        lang platform
model:           platform
scan:            model settings lang platform
backup:          model settings lang platform
clean:           scan backup model settings lang platform
cli:             clean scan backup model settings lang platform
ui:              settings lang platform
skin:            ui settings lang platform
gui:             skin ui inet scan model settings lang platform
settings/screen: gui skin ui scan settings lang platform
backup/screen:   gui skin ui backup model settings lang platform
cleaner:         backup/screen gui skin ui clean scan backup model settings lang platform
app:             cleaner backup/screen settings/screen gui skin ui inet clean scan backup model settings lang platform
TABLE
}
folder_of() { case $1 in */screen/*) echo "${1%%/screen/*}/screen" ;; */*) echo "${1%%/*}" ;; *) echo . ;; esac; }
declare -A allowed=()
while IFS=: read -r from targets; do
  allowed[$from]=" $targets "
done < <(folder_table | tr -s ' ')
# The table itself must hold no cycle, or an edge it allows could close one.
if folder_table | awk -F: '{ n = split($2, t, " "); for (i = 1; i <= n; i++) print $1, t[i] }' | tsort >/dev/null 2>/tmp/keytidy-tsort.$$; then :; else
  echo "the folder table holds a cycle: $(cat /tmp/keytidy-tsort.$$)" >&2
  status=1
fi
rm -f /tmp/keytidy-tsort.$$
edges=0
while IFS= read -r file; do
  from=$(folder_of "$file")
  if [ -z "${allowed[$from]+set}" ]; then
    echo "$file: folder $from is not in the folder table of tools/check-layers.sh" >&2
    status=1
    continue
  fi
  while IFS=: read -r line header; do
    [ -e "$header" ] || continue
    to=$(folder_of "$header")
    [ "$to" = "$from" ] && continue
    edges=$((edges + 1))
    case ${allowed[$from]} in
      *" $to "*) ;;
      *) echo "$file:$line: includes $header; $from may not include $to" >&2; status=1 ;;
    esac
  done < <(grep -n '^\s*#\s*include\s*"' "$file" | sed 's/^\([0-9]*\):.*"\([^"]*\)".*/\1:\2/')
done < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | grep -v '^tests/\|^bench/\|^tools/')
echo "include folders: $edges includes across folders checked"

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
