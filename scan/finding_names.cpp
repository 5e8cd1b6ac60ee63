#include "scan/finding_names.h"

#include <cwchar>

#include "scan/check_table.h"

namespace keytidy {

std::wstring CheckName(CheckId check) {
  const CheckDescriptor* row = DescribeCheck(check);
  if (row && row->name) return row->name;
  return L"group-" + std::to_wstring(Number(check));
}

std::wstring CategoryName(FilterCategory category) {
  if (const CategoryDescriptor* row = DescribeCategory(category)) return row->name;
  return L"filter-" + std::to_wstring(Number(category));
}

std::optional<FilterCategory> CategoryOfName(const std::wstring& name) {
  for (const CategoryDescriptor& row : CategoryTable())
    if (_wcsicmp(row.name, name.c_str()) == 0) return row.id;
  return std::nullopt;
}

}  // namespace keytidy
