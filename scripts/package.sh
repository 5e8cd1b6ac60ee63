#!/usr/bin/env bash
# Makes the two distribution packages from the 64-bit build's program folder:
#   keytidy-2.00.00-win64-portable.zip   (unpack anywhere and run)
#   keytidy-2.00.00-win64-setup.exe      (NSIS installer, 64-bit)
# Usage: scripts/package.sh [output folder]   (default: build/x86_64/package)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${KEYTIDY_BUILD_ROOT:-$root/build}/x86_64
bin=$build/bin
out=$(realpath -m "${1:-$build/package}")
# The version as CMake wrote it for this build (project() in CMakeLists.txt).
version_file=$build/product-version.txt
[ -f "$version_file" ] || { echo "package: $version_file is missing; build first (scripts/build.sh x86_64)" >&2; exit 1; }
version=$(<"$version_file")
# Windows' four-part number for the same version: 2.00.00 is 2.0.0.0.
IFS=. read -r major minor patch <<<"$version"
numeric_version=$((10#$major)).$((10#$minor)).$((10#$patch)).0

for f in keytidy.exe keytidy-cli.exe; do
  [ -f "$bin/$f" ] || { echo "package: $bin/$f is missing; build first (scripts/build.sh x86_64)" >&2; exit 1; }
done
command -v makensis >/dev/null || { echo "package: makensis missing (scripts/install-packages.sh)" >&2; exit 1; }
mkdir -p "$out"

# A clean copy of the program folder: only what ships.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
app=$stage/Keytidy
mkdir -p "$app"
cp "$bin/keytidy.exe" "$bin/keytidy-cli.exe" "$app/"
[ -f "$bin/qrv_inet2.dll" ] && cp "$bin/qrv_inet2.dll" "$app/"
for d in translation skins data Flags; do
  mkdir -p "$app/$d"
  cp -r "$bin/$d/." "$app/$d/" 2>/dev/null || true
done
find "$app" -name .gitkeep -delete
sed 's/$/\r/' "$here/package-readme.txt" > "$app/readme.txt"

zip_file=$out/keytidy-$version-win64-portable.zip
rm -f "$zip_file"
(cd "$stage" && zip -qr9 "$zip_file" Keytidy)

setup_file=$out/keytidy-$version-win64-setup.exe
makensis -V2 -DSOURCE_DIR="$app" -DOUT_FILE="$setup_file" -DICON_FILE="$root/app/keytidy.ico" \
  -DVERSION="$version" -DNUMERIC_VERSION="$numeric_version" \
  "$here/installer.nsi" >/dev/null
echo "$zip_file"
echo "$setup_file"
