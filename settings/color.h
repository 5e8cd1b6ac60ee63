#pragma once
// Colour values as skin files write them. A colour number keeps red in the
// low byte (0x00BBGGRR) and carries any top byte through unchanged.
#include <cstdint>
#include <optional>
#include <string_view>

namespace keytidy {

// A named colour (clWhite, clBtnFace ... any letter case) or an integer,
// decimal or hexadecimal after "$" or "0x". The forms $RRGGBB and $AARRGGBB
// are written the way people read colours and are turned round into
// $BBGGRR and $AABBGGRR; every other form is taken as already in that order.
// A text that is neither a name nor a 32-bit number gives no value.
std::optional<std::uint32_t> Parse_Color(std::wstring_view text);

}  // namespace keytidy
