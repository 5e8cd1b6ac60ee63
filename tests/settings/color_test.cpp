// Colour texts as skin files write them, and the reordering of the two
// "$" forms people write in red-green-blue order.
#include "settings/color.h"

#include <gtest/gtest.h>

namespace keytidy {
namespace {

TEST(ParseColor, NamesNumbersAndTheReorderedForms) {
  struct Case {
    const wchar_t* text;
    std::optional<std::uint32_t> color;
  };
  const Case cases[] = {
      {L"$FF0000", 0x0000FFu},                                    // red
      {L"$0000FF", 0xFF0000u},                                    // blue
      {L"$123456", 0x563412u},      {L"$80FF0010", 0x801000FFu},  // alpha kept, red and blue swapped
      {L"$12345", 0x12345u},                                      // six characters: taken as written
      {L"$00123456", 0x00563412u},  {L"$0123456", 0x0123456u},    // eight characters: taken as written
      {L"0xFF0000", 0xFF0000u},                                   // only the "$" forms are reordered
      {L"16711680", 0xFF0000u},     {L"-16777201", 0xFF00000Fu},  // clBtnFace written as a signed number
      {L"4294967295", 0xFFFFFFFFu}, {L"clWhite", 0xFFFFFFu},       {L"CLWHITE", 0xFFFFFFu},
      {L"clBlack", 0x000000u},      {L"clRed", 0x0000FFu},         {L"clBtnFace", 0xFF00000Fu},
      {L"clNone", 0x1FFFFFFFu},     {L"", std::nullopt},           {L"$", std::nullopt},
      {L"$GG0000", std::nullopt},   {L"$-12345", std::nullopt},    {L"red", std::nullopt},
      {L"clWhitish", std::nullopt}, {L"$1FFFFFFFF", std::nullopt}, {L"4294967296", std::nullopt},
      {L"12 px", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.text << "'");
    EXPECT_EQ(Parse_Color(c.text), c.color);
  }
}

}  // namespace
}  // namespace keytidy
