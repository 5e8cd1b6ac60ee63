// The skin gallery command opens for a shipped skin and refuses others.
#include <gtest/gtest.h>

#include "support/programs.h"

namespace keytidy {
namespace {

TEST(SkinGallery, ShowsShippedSkinsAndRefusesUnknownOnes) {
  const struct {
    const wchar_t* arguments;
    DWORD exitCode;
  } cases[] = {
      {L" skin-gallery dark --seconds 1", 0},
      {L" skin-gallery nosuch --seconds 1", 1},
      {L" skin-gallery --seconds soon", 2},
      {L" skin-gallery --colour red", 2},
  };
  for (const auto& c : cases) {
    const test::RunResult result = test::RunProgram(test::Quote(test::CliPath()) + c.arguments, {}, 30000);
    EXPECT_FALSE(result.timedOut) << c.arguments;
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments << "\n" << result.output;
  }
}

}  // namespace
}  // namespace keytidy
