# Shared Wine settings for our scripts; source it, don't run it.
# The prefix defaults to the one our test runs create beside the build.
: "${KEYTIDY_WINEPREFIX:=${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/x86_64/wineprefix}}"
export WINEPREFIX=$KEYTIDY_WINEPREFIX
export WINEDEBUG=-all
# No Mono, no Gecko: their installers would pop up in a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
# The 64-bit loader directly: the 'wine' launcher insists on 32-bit Wine.
if [ -x /usr/lib/wine/wine64 ]; then
  KEYTIDY_WINE_LOADER=/usr/lib/wine/wine64
else
  KEYTIDY_WINE_LOADER=$(command -v wine64 || command -v wine)
fi
# Started with a fixed address-space layout where the machine allows it (see
# tools/wine-fixed-layout for why).
if setarch -R true 2>/dev/null; then
  KEYTIDY_WINE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-fixed-layout
else
  KEYTIDY_WINE=$KEYTIDY_WINE_LOADER
fi
if [ -x /usr/lib/wine/wineserver64 ]; then
  KEYTIDY_WINESERVER=/usr/lib/wine/wineserver64
else
  KEYTIDY_WINESERVER=$(command -v wineserver)
fi
export KEYTIDY_WINE KEYTIDY_WINE_LOADER KEYTIDY_WINESERVER
# Wine's recycle bin is the freedesktop trash below XDG_DATA_HOME: keep the
# files our tests recycle inside the prefix instead of the user's own trash.
export XDG_DATA_HOME=$KEYTIDY_WINEPREFIX/xdg-data
