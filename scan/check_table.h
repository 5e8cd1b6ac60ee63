#pragma once
// What belongs to each check of the scan and to each filter category, one
// row apiece: the stable name other programs read, the icon and the two
// description lines of a finding, and the verdict of a check that judges
// by a rule of its own. The descriptions, the stable names and the
// verdicts are all read from here: a new check needs its id in
// model/categories.h and one row here.
#include <cstdint>
#include <span>

#include "lang/message_keys.h"
#include "model/categories.h"

namespace keytidy {

// Where line 2 of a finding's description comes from.
enum class DetailSource { None, Folder, FullPath, DisplayName, AdditionalInfo, MissingKey, Literal };

struct CheckDescriptor {
  CheckId id;                           // the GroupIndex its findings carry
  const wchar_t* name;                  // stable name; nullptr: none of its own, "group-N" is used
  std::int32_t icon;                    // stripe cell of its rows
  MessageKey sentence;                  // line 1 of a finding's description
  DetailSource detail;                  // line 2
  const wchar_t* detailText = nullptr;  // line 2 when detail is Literal
  // A check that judges by a rule the deletion cannot repeat as a test by
  // itself: that rule's verdict in fixed English words and as a translated
  // text. ownRuleEnglish is nullptr for the other checks.
  const char* ownRuleEnglish = nullptr;
  MessageKey ownRuleText{};
};

struct CategoryDescriptor {
  FilterCategory id;    // the ComboBoxIndex its findings carry
  const wchar_t* name;  // stable name
};

std::span<const CheckDescriptor> CheckTable();
// The categories findings can carry; "all" (0) is no row.
std::span<const CategoryDescriptor> CategoryTable();

// The row of a number; nullptr for a number no check (category) has.
const CheckDescriptor* DescribeCheck(CheckId id);
const CategoryDescriptor* DescribeCategory(FilterCategory id);

}  // namespace keytidy
