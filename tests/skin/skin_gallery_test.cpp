// The skin gallery tool opens for a shipped skin and refuses others.
#include <gtest/gtest.h>

#include "support/programs.h"

namespace keytidy {
namespace {

TEST(SkinGallery, ShowsShippedSkinsAndRefusesUnknownOnes) {
  const struct {
    const wchar_t* arguments;
    DWORD exitCode;
  } cases[] = {
      {L" dark --seconds 1", 0},
      {L" nosuch --seconds 1", 1},
      {L" --seconds soon", 2},
      {L" --colour red", 2},
  };
  for (const auto& c : cases) {
    const test::RunResult result =
        test::RunProgram(test::Quote(test::BinFolder() + L"\\keytidy-skin-gallery.exe") + c.arguments, {}, 30000);
    EXPECT_FALSE(result.timedOut) << c.arguments;
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.output;
  }
}

}  // namespace
}  // namespace keytidy
