#!/usr/bin/env bash
# The layer and folder check must fail where it should: a tiny tree with one
# forbidden include each way, and a clean tree that must pass.
set -uo pipefail
check=$(cd "$(dirname "$0")" && pwd)/check-layers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tree() {  # tree NAME FILE:INCLUDE... - a git tree of empty headers
  local dir=$work/$1; shift
  mkdir -p "$dir" && git -C "$dir" init -q
  for pair in "$@"; do
    local file=${pair%%:*} include=${pair#*:}
    mkdir -p "$dir/$(dirname "$file")" "$dir/$(dirname "$include")"
    touch "$dir/$include"
    echo "#include \"$include\"" >>"$dir/$file"
  done
  git -C "$dir" add -A
  echo "$dir"
}

failures=0
expect() {  # expect pass|fail WHAT DIR
  local want=$1 what=$2 dir=$3 got=pass
  KEYTIDY_LAYERS_ROOT=$dir bash "$check" >"$work/out" 2>&1 || got=fail
  if [ "$got" = "$want" ]; then echo "ok: $what"; else
    echo "FAILED: $what: expected $want, got $got" >&2; cat "$work/out" >&2; failures=$((failures + 1)); fi
}

expect pass "downward includes" "$(tree clean scan/a.cpp:model/b.h clean/c.cpp:scan/d.h app/e.cpp:cleaner/f.h)"
expect fail "the engine including the console" "$(tree up scan/a.cpp:cli/b.h)"
expect fail "two engine folders including each other" "$(tree cycle backup/a.cpp:scan/b.h scan/c.cpp:backup/d.h)"
expect fail "a screen reaching up into app" "$(tree reach cleaner/a.cpp:app/b.h)"
expect fail "the widget layer including the model" "$(tree widget ui/a.h:model/b.h)"
expect fail "a folder the table does not know" "$(tree unknown newroom/a.cpp:platform/b.h)"
[ "$failures" = 0 ] && echo "all layer-check cases behaved" || exit 1
