#pragma once
// The colour of a side or bottom bar on a skin's page: a little apart from
// the page, darker on light skins and lighter on dark ones.
#include <windows.h>

namespace keytidy {

COLORREF BarColorOn(COLORREF page);

}  // namespace keytidy
