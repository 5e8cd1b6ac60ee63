#!/usr/bin/env bash
# Creates a fresh Wine prefix set up for our tests:
#  - no crash dialog (under Xvfb it would hang the crashing test),
#  - a virtual desktop (without a window manager DestroyWindow of a visible
#    window takes seconds otherwise),
#  - Wine's own fonts in the Fonts folder (Wine 8 here does not find them).
# Usage: scripts/make-wineprefix.sh <prefix folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(realpath -m "${1:?usage: make-wineprefix.sh <prefix>}")
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export KEYTIDY_WINEPREFIX=$prefix
. "$here/../tools/wine-env.sh"

# Created without a display: wineboot would otherwise show its dialogs.
(unset DISPLAY; timeout 300 "$KEYTIDY_WINE" wineboot -i >/dev/null 2>&1) || true
timeout 120 "$KEYTIDY_WINESERVER" -w || true

reg() { timeout 60 "$KEYTIDY_WINE" reg "$@" >/dev/null 2>&1; }
reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
# A virtual desktop the size of a small laptop's work area: every window of
# the program must fit it, at 100 % and at 150 % scaling.
reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f
reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1280x800 /f
timeout 120 "$KEYTIDY_WINESERVER" -w || true

fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/*.ttf "$fonts"/ 2>/dev/null || true

[ -f "$prefix/system.reg" ] || { echo "make-wineprefix: wineboot did not create $prefix" >&2; exit 1; }
