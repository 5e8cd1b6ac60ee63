// The rows of the check and category tables: a slip in a new row (a number
// or a stable name given twice, a literal detail without its text) would
// otherwise show only as a wrong word in some output, or as a crash when a
// finding of that check is described.
#include <cwctype>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "scan/check_table.h"
#include "scan/finding_names.h"

namespace keytidy {
namespace {

bool IsStableName(const std::wstring& name) {
  if (name.empty() || name.front() == L'-' || name.back() == L'-') return false;
  for (wchar_t c : name)
    if (!(c == L'-' || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9'))) return false;
  return true;
}

TEST(CheckTable, EveryCheckHasOneRowAndItsOwnName) {
  std::set<CheckId> ids;
  std::set<std::wstring> names;
  for (const CheckDescriptor& row : CheckTable()) {
    SCOPED_TRACE(Number(row.id));
    EXPECT_TRUE(ids.insert(row.id).second) << "number given twice";
    EXPECT_EQ(DescribeCheck(row.id), &row);
    if (row.name) {
      EXPECT_TRUE(IsStableName(row.name)) << "not lower-case words with hyphens";
      EXPECT_TRUE(names.insert(row.name).second) << "stable name given twice";
      EXPECT_EQ(CheckName(row.id), row.name);
    } else {
      EXPECT_EQ(CheckName(row.id), L"group-" + std::to_wstring(Number(row.id)));
    }
    EXPECT_EQ(row.detail == DetailSource::Literal, row.detailText != nullptr);
  }
  EXPECT_EQ(DescribeCheck(CheckId::None), nullptr);
  EXPECT_EQ(CheckName(static_cast<CheckId>(99)), L"group-99");
}

TEST(CheckTable, CategoryNamesLeadBackToTheirCategory) {
  std::set<FilterCategory> ids;
  for (const CategoryDescriptor& row : CategoryTable()) {
    SCOPED_TRACE(Number(row.id));
    EXPECT_TRUE(ids.insert(row.id).second) << "number given twice";
    EXPECT_TRUE(IsStableName(row.name));
    EXPECT_EQ(CategoryName(row.id), row.name);
    std::wstring shouted = row.name;
    for (wchar_t& c : shouted) c = static_cast<wchar_t>(std::towupper(c));
    EXPECT_EQ(CategoryOfName(shouted), row.id);
  }
  // "All" is a place in the filter list, not a category a finding carries.
  EXPECT_EQ(DescribeCategory(FilterCategory::All), nullptr);
  EXPECT_EQ(CategoryName(FilterCategory::All), L"filter-0");
  EXPECT_EQ(CategoryOfName(L"filter-0"), std::nullopt);
}

}  // namespace
}  // namespace keytidy
