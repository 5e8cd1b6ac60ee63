#include "scan/finding_names.h"

#include <cwchar>

#include "scan/check_table.h"

namespace keytidy {

std::wstring CheckName(std::int32_t groupIndex) {
  const CheckDescriptor* row = DescribeCheck(groupIndex);
  if (row && row->name) return row->name;
  return L"group-" + std::to_wstring(groupIndex);
}

std::wstring CategoryName(std::int32_t filterIndex) {
  if (const CategoryDescriptor* row = DescribeCategory(filterIndex)) return row->name;
  return L"filter-" + std::to_wstring(filterIndex);
}

std::optional<std::int32_t> CategoryOfName(const std::wstring& name) {
  for (const CategoryDescriptor& row : CategoryTable())
    if (_wcsicmp(row.name, name.c_str()) == 0) return row.id;
  return std::nullopt;
}

}  // namespace keytidy
