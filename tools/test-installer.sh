#!/usr/bin/env bash
# Installs the packaged program silently into the test prefix, checks what
# the installer left, runs the console front end from the installed folder,
# uninstalls silently and checks that only the backups stay behind.
# Run by CTest inside the test run's Wine prefix (KEYTIDY_WINEPREFIX).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
failures=0
check() { # <description> <command...>
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
wine_run() { KEYTIDY_WINE_TIMEOUT=120 "$root/tools/wine-exec" "$@"; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quarvint Keytidy 2'
reg_query() { timeout 60 "$KEYTIDY_WINE" reg query "$@" 2>/dev/null | tr -d '\r'; }
key_exists() { timeout 60 "$KEYTIDY_WINE" reg query "$1" >/dev/null 2>&1; }

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$root/scripts/package.sh" "$out" >/dev/null || { echo "FAILED: packaging"; exit 1; }
version=$(<"${KEYTIDY_BUILD_ROOT:-$root/build}/x86_64/product-version.txt")
setup=$out/keytidy-$version-win64-setup.exe

installed="$WINEPREFIX/drive_c/Program Files/Quarvint Keytidy 2"
rm -rf "$installed"
wine_run "$setup" /S
check "installer exits" test $? -eq 0
for f in keytidy.exe keytidy-cli.exe readme.txt uninstall.exe translation skins data Flags; do
  check "installed $f" test -e "$installed/$f"
done
check "Start Menu shortcut" test -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quarvint Keytidy 2.lnk"
entry=$(reg_query "$uninstall_key")
for value in DisplayName DisplayVersion Publisher InstallLocation UninstallString EstimatedSize; do
  check "Uninstall entry has $value" grep -q "$value" <<<"$entry"
done
check "DisplayVersion is $version" grep -qF "$version" <<<"$(grep DisplayVersion <<<"$entry")"
check "InstallLocation is the program folder" grep -qi 'InstallLocation.*C:\\Program Files\\Quarvint Keytidy 2' <<<"$entry"

info=$(wine_run "$installed/keytidy-cli.exe" info | tr -d '\r')
check "console front end runs from the installed folder" grep -qi 'Program folder: *C:\\Program Files\\Quarvint Keytidy 2' <<<"$info"

# A scan from the installed folder must not take our own Uninstall entry for
# a leftover: its install folder and uninstaller exist. A planted stale
# application path makes sure there is a report to look at.
probe_key='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\KeytidyInstallerProbe.exe'
timeout 60 "$KEYTIDY_WINE" reg add "$probe_key" /ve /d 'C:\keytidy-installer-probe\gone.exe' /f >/dev/null 2>&1
report_win='C:\windows\temp\keytidy-installer-scan.txt'
report="$WINEPREFIX/drive_c/windows/temp/keytidy-installer-scan.txt"
rm -f "$report"
wine_run "$installed/keytidy-cli.exe" scan --report "$report_win" >/dev/null
check "scan from the installed folder exits 0" test $? -eq 0
check "scan reports the planted stale entry" grep -qF 'KeytidyInstallerProbe.exe' "$report"
check "own Uninstall entry not reported" bash -c '! grep -qiF "Uninstall\\Quarvint Keytidy 2" "$0"' "$report"
rm -f "$report"
timeout 60 "$KEYTIDY_WINE" reg delete "$probe_key" /f >/dev/null 2>&1

# A backup set the user made; a silent uninstall must keep it.
mkdir -p "$installed/Backups"
echo "backup" > "$installed/Backups/RC_2026_01_01_00_00_00_000.reg"
wine_run "$installed/uninstall.exe" /S
# The uninstaller re-launches itself from the temp folder and returns at once.
for _ in $(seq 1 120); do
  [ -e "$installed/keytidy.exe" ] || key_exists "$uninstall_key" || break
  sleep 0.5
done
check "program removed" test ! -e "$installed/keytidy.exe"
check "data folders removed" test ! -e "$installed/translation"
check "uninstaller removed" test ! -e "$installed/uninstall.exe"
check "backups kept" test -f "$installed/Backups/RC_2026_01_01_00_00_00_000.reg"
check "Uninstall entry removed" bash -c '! "$0" reg query "$1" >/dev/null 2>&1' "$KEYTIDY_WINE" "$uninstall_key"
rm -rf "$installed"

echo "installer checks failed: $failures"
[ "$failures" -eq 0 ]
