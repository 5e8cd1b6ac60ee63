#!/usr/bin/env bash
# The whole test run on a fresh machine: installs the packages, builds the
# dependencies and both architectures, and runs every test under Wine in a
# prefix of its own. Extra arguments go to ctest: -R Registry runs the tests
# whose names match, -L engine one group by its label (engine, gui, screen,
# layers, packaging, native).
#
# For quicker runs while developing:
#   KEYTIDY_SKIP_I686=1    do not build the 32-bit program
#   KEYTIDY_KEEP_PREFIX=1  reuse the prefix of the last run and keep it
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

"$here/install-packages.sh"
# The 32-bit build cannot run here (no 32-bit Wine); it must still compile.
[ -n "${KEYTIDY_SKIP_I686:-}" ] || "$here/build.sh" i686 -DKEYTIDY_TESTS=ON
"$here/build.sh" x86_64 -DKEYTIDY_TESTS=ON

build=${KEYTIDY_BUILD_ROOT:-$root/build}/x86_64
export KEYTIDY_WINEPREFIX=$build/wineprefix
. "$root/tools/wine-env.sh"

# Two tiny volumes for the fault-injection tests: one read-only, one that
# fills up after a few hundred kilobytes. Wine runs the tests as root, which
# no permission stops, so only a real file system makes such writes fail.
# Where the machine allows no mounts, those tests skip themselves.
faultfs=$build/faultfs
unmount_fault_volumes() {
  for v in readonly small; do
    mountpoint -q "$faultfs/$v" 2>/dev/null && umount "$faultfs/$v" 2>/dev/null || true
  done
}
mount_fault_volumes() {
  unmount_fault_volumes
  mkdir -p "$faultfs/readonly" "$faultfs/small"
  if mount -t tmpfs -o ro,size=64k keytidy-readonly "$faultfs/readonly" 2>/dev/null; then
    export KEYTIDY_TEST_READONLY_VOLUME="Z:${faultfs//\//\\}\\readonly"
  fi
  if mount -t tmpfs -o size=192k keytidy-small "$faultfs/small" 2>/dev/null; then
    export KEYTIDY_TEST_SMALL_VOLUME="Z:${faultfs//\//\\}\\small"
  fi
}

cleanup() {
  timeout 60 "$KEYTIDY_WINESERVER" -k >/dev/null 2>&1 || true
  unmount_fault_volumes
  [ -n "${KEYTIDY_KEEP_PREFIX:-}" ] || rm -rf "$KEYTIDY_WINEPREFIX"
}
trap cleanup EXIT

if [ -z "${KEYTIDY_KEEP_PREFIX:-}" ] || [ ! -f "$KEYTIDY_WINEPREFIX/system.reg" ]; then
  echo "test: creating Wine prefix $KEYTIDY_WINEPREFIX"
  "$here/make-wineprefix.sh" "$KEYTIDY_WINEPREFIX"
fi

mount_fault_volumes

# One display (as large as the virtual desktop) and one warm wineserver for
# the whole run. The server must be started after Xvfb (it fixes the
# display), and warmed with its stdio on /dev/null: services started by the
# first Wine process would otherwise inherit CTest's output pipe and slow
# every test down.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  set -e
  "$KEYTIDY_WINESERVER" -p
  timeout 120 "$KEYTIDY_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
  cd "$0"
  # No retries: a test that passes only on a second try is a fault to find.
  ctest --output-on-failure --timeout 300 "${@}"
' "$build" "$@"
