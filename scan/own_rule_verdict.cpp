#include "scan/own_rule_verdict.h"

#include "scan/check_table.h"

namespace keytidy {

std::optional<OwnRuleVerdict> OwnRuleVerdict_OfCheck(std::int32_t groupIndex) {
  const CheckDescriptor* row = DescribeCheck(groupIndex);
  if (!row || !row->ownRuleEnglish) return std::nullopt;
  return OwnRuleVerdict{row->ownRuleEnglish, row->ownRuleText};
}

}  // namespace keytidy
