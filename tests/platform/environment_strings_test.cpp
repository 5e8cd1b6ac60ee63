// Environment references and the PATH folder list, with real variables of
// the test process.
#include "platform/environment_strings.h"

#include <gtest/gtest.h>

#include "platform/path_dir_list.h"
#include "platform/text.h"
#include "support/scoped_environment.h"

namespace keytidy {
namespace {

using test::ScopedEnvironmentVariable;

TEST(EnvironmentStrings, ExpandReplacesKnownReferencesOnly) {
  ScopedEnvironmentVariable known(L"KEYTIDY_TEST_KNOWN", L"C:\\Known");
  ScopedEnvironmentVariable unknown(L"KEYTIDY_TEST_UNKNOWN", nullptr);
  std::wstring text = L"%keytidy_test_known%\\a;%KEYTIDY_TEST_UNKNOWN%\\b;100%";
  EXPECT_TRUE(Expand_EnvStrings(text));
  EXPECT_EQ(text, L"C:\\Known\\a;%KEYTIDY_TEST_UNKNOWN%\\b;100%");

  const std::wstring big(20000, L'x');  // far beyond MAX_PATH, within the 32K variable limit
  ScopedEnvironmentVariable large(L"KEYTIDY_TEST_LARGE", big.c_str());
  text = L"<%KEYTIDY_TEST_LARGE%>";
  EXPECT_TRUE(Expand_EnvStrings(text));
  EXPECT_EQ(text, L"<" + big + L">");
}

TEST(EnvironmentStrings, GetVariable) {
  ScopedEnvironmentVariable inner(L"KEYTIDY_TEST_INNER", L"In");
  ScopedEnvironmentVariable outer(L"KEYTIDY_TEST_OUTER", L"[%KEYTIDY_TEST_INNER%]");
  ScopedEnvironmentVariable empty(L"KEYTIDY_TEST_EMPTY", L"");
  ScopedEnvironmentVariable absent(L"KEYTIDY_TEST_ABSENT", nullptr);
  struct Case {
    const wchar_t* name;
    bool expand;
    bool result;
    const wchar_t* value;
  } cases[] = {
      {L"KEYTIDY_TEST_OUTER", true, true, L"[In]"}, {L"KEYTIDY_TEST_OUTER", false, true, L"[%KEYTIDY_TEST_INNER%]"},
      {L"keytidy_test_inner", false, true, L"In"},  {L"KEYTIDY_TEST_EMPTY", true, false, L""},
      {L"KEYTIDY_TEST_ABSENT", true, false, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.name));
    std::wstring value = L"stale";
    EXPECT_EQ(Get_EnvVariable(c.name, value, c.expand), c.result);
    EXPECT_EQ(value, c.value);
  }
}

TEST(PathDirList, SplittingRules) {
  struct Case {
    const wchar_t* path;
    std::vector<std::wstring> folders;
  } cases[] = {
      {L"C:\\Windows\\system32;C:\\Windows\\;;C:\\Tools", {L"C:\\Windows\\system32", L"C:\\Windows", L"C:\\Tools"}},
      // the whole text is trimmed, the pieces are not
      {L"  C:\\A ; C:\\B\\ \r\n", {L"C:\\A ", L" C:\\B"}},
      {L"C:\\A\\\\;;;C:\\B", {L"C:\\A\\", L"C:\\B"}},  // only one backslash goes
      {L"C:\\Last\\", {L"C:\\Last"}},
      {L";;;", {}},
      {L"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    EXPECT_EQ(Split_PathList(c.path), c.folders);
  }
}

TEST(PathDirList, BuiltFromTheExpandedPathVariable) {
  {
    ScopedEnvironmentVariable root(L"KEYTIDY_TEST_ROOT", L"C:\\Root");
    ScopedEnvironmentVariable path(L"PATH", L"%KEYTIDY_TEST_ROOT%\\bin\\;;C:\\Tools");
    Build_PathDirList();
    EXPECT_EQ(PathDirList(), (std::vector<std::wstring>{L"C:\\Root\\bin", L"C:\\Tools"}));
    Free_PathDirList();
    EXPECT_TRUE(PathDirList().empty());
  }
  Build_PathDirList();
  EXPECT_FALSE(PathDirList().empty());
}

}  // namespace
}  // namespace keytidy
