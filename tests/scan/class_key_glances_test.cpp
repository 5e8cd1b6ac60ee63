// The class checks' one look per key: kept only while a search runs, so that
// nothing outside a search is answered from an old look.
#include "scan/class_key_glances.h"

#include <gtest/gtest.h>

#include "support/real_registry.h"

namespace keytidy {
namespace {

TEST(ClassKeyGlances, RemembersOnlyWhileASearchRuns) {
  test::RealRegistryFixture registry;
  const std::wstring key = L"KeytidyGlanceTest";
  registry.CreateKey(ROOT_HKEY_LOCAL_MACHINE, L"Software\\Classes\\" + key);
  Reg_WriteString(ROOT_HKEY_CLASSES_ROOT, key, L"", L"before");
  TClassKeyGlances glances;
  {
    RememberedClassKeys search(glances);
    EXPECT_EQ(glances.Of(key).defaultText, L"before");
    Reg_WriteString(ROOT_HKEY_CLASSES_ROOT, key, L"", L"after");
    EXPECT_EQ(glances.Of(key).defaultText, L"before");  // one look per key and search
  }
  EXPECT_EQ(glances.Of(key).defaultText, L"after");  // outside a search: the registry as it is
  Reg_WriteString(ROOT_HKEY_CLASSES_ROOT, key, L"", L"again");
  EXPECT_EQ(glances.Of(key).defaultText, L"again");
  RememberedClassKeys next(glances);
  EXPECT_EQ(glances.Of(key).defaultText, L"again");  // a new search starts from nothing
}

}  // namespace
}  // namespace keytidy
