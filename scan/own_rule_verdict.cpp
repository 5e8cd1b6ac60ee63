#include "scan/own_rule_verdict.h"

#include <array>

#include "model/categories.h"

namespace keytidy {

namespace {

struct GroupVerdict {
  std::int32_t group;
  OwnRuleVerdict verdict;
};

constexpr std::array<GroupVerdict, 2> kVerdicts = {{
    // Missing from every one of the start-menu folders, not from one.
    {kGroup_StartMenu,
     {"menu folder not found in any start-menu folder", MessageKey::MESSAGE_RC_EVIDENCE_MENUFOLDERMISSING}},
    // Nothing but an empty default value: that is a value, so the key is
    // not empty in the strict sense the empty-key test uses.
    {kGroup_TypeLibEmptyHelpDir, {"help-folder key names no folder", MessageKey::MESSAGE_RC_EVIDENCE_HELPDIRNAMESNONE}},
}};

}  // namespace

std::optional<OwnRuleVerdict> OwnRuleVerdict_OfCheck(std::int32_t groupIndex) {
  for (const GroupVerdict& row : kVerdicts)
    if (row.group == groupIndex) return row.verdict;
  return std::nullopt;
}

}  // namespace keytidy
