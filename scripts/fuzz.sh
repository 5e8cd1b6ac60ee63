#!/usr/bin/env bash
# Builds the libFuzzer targets of tools/native/fuzz (clang, AddressSanitizer +
# UndefinedBehaviorSanitizer) and runs each for a bounded time on a seed
# corpus made from the shipped files of programdata/. Not part of the
# default test run.
#
#   scripts/fuzz.sh [seconds per target, default 60] [target name ...]
#
# Findings (crash-*, leak-*, timeout-* files) are written to
# build/fuzz/findings/<target>/; the script exits non-zero when any target
# found something.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
seconds=${1:-60}
shift || true
build=${KEYTIDY_BUILD_ROOT:-$root/build}/fuzz
data=$root/programdata

"$here/install-packages.sh"
CC=clang CXX=clang++ cmake -S "$root/tools/native" -B "$build/bin" -G Ninja -DKEYTIDY_FUZZ=ON >/dev/null
cmake --build "$build/bin"

# Seeds: the shipped files each reader meets in real use, and for the
# registry scripts a small script written here.
seeds() {
  local target=$1 dir=$build/seeds/$1
  rm -rf "$dir" && mkdir -p "$dir"
  case $target in
    text_file_fuzz|translation_fuzz)
      cp "$data"/translation/* "$dir"/ ;;
    exception_file_fuzz)
      cp "$data"/data/*.txt "$dir"/
      printf '1\r\nHKEY_LOCAL_MACHINE\r\nSOFTWARE\\Old\r\n\r\n0\r\nHKEY_CURRENT_USER\r\nSoftware\\x\r\nname\r\n' > "$dir/two_rows" ;;
    ini_file_fuzz|skin_ini_fuzz)
      for skin in "$data"/skins/*/; do cp "$skin/skin.ini" "$dir/$(basename "$skin").ini"; done
      printf '[Backup]\r\nModule=RC\r\nSavedKeys=1\r\nSavedValues=2\r\nDate=2026-12-10 07:00:00\r\n' > "$dir/descriptor.ini" ;;
    reg_script_fuzz)
      printf '\xff\xfe' > "$dir/script.reg"
      printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Old "x"]\r\n@="a\\\\b\\"c"\r\n"d"=dword:0000002a\r\n"b"=hex:01,02,\\\r\n  03\r\n"m"=hex(7):61,00,00,00,00,00\r\n"q"=-\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Gone]\r\n\r\n' \
        | iconv -f UTF-8 -t UTF-16LE >> "$dir/script.reg" ;;
    reg_value_fuzz)
      printf '\x01\x00\x00\x00\x04a\x00b\x00c\x00d\x00\x01n\x00x\x00\x00\x00' > "$dir/string"
      printf '\x0b\x00\x00\x00\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08' > "$dir/qword" ;;
    key_path_fuzz)
      printf '\x02SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall' > "$dir/uninstall"
      printf '\x03S-1-5-21-0-0-0-1000\\Software\\Vendor' > "$dir/user" ;;
  esac
  echo "$dir"
}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for exe in "$build"/bin/*_fuzz; do targets+=("$(basename "$exe")"); done
fi

failed=()
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$corpus" "$findings"
  seed_dir=$(seeds "$target")
  echo "fuzz: $target for ${seconds}s"
  scratch=$(mktemp -d)
  if ! (cd "$scratch" && TMPDIR=$scratch ASAN_OPTIONS=detect_leaks=1 "$build/bin/$target" \
        -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "$seed_dir" \
        > "$build/$target.log" 2>&1); then
    failed+=("$target")
    echo "fuzz: $target FOUND SOMETHING; see $build/$target.log and $findings/"
  fi
  rm -rf "$scratch"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}"
  exit 1
fi
echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without findings"
