#include "scan/own_rule_verdict.h"

#include "scan/check_table.h"

namespace keytidy {

std::optional<OwnRuleVerdict> OwnRuleVerdict_OfCheck(CheckId check) {
  const CheckDescriptor* row = DescribeCheck(check);
  if (!row || !row->ownRuleEnglish) return std::nullopt;
  return OwnRuleVerdict{row->ownRuleEnglish, row->ownRuleText};
}

}  // namespace keytidy
