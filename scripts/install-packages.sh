#!/usr/bin/env bash
# Installs the Debian packages the build and the Wine test runs need.
# Safe to run again: apt-get skips what is already there. Everything it
# says goes to standard error: callers such as scripts/run.sh keep standard
# output for their own result.
set -euo pipefail

packages=(
  cmake ninja-build dpkg-dev ccache
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  googletest nlohmann-json3-dev
  wine wine64 fonts-wine xvfb xauth
  imagemagick x11-apps
  nsis zip
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-packages: need root to install: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >&2
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

# The source-package list is needed to fetch libpng and giflib sources by name.
debsrc=/etc/apt/sources.list.d/keytidy-debsrc.sources
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && [ -f /etc/apt/sources.list.d/debian.sources ]; then
  if [ "$(id -u)" -eq 0 ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$debsrc"
    apt-get update -qq >&2
  fi
fi
