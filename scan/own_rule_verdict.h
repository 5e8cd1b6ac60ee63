#pragma once
// The verdict of a finding whose check judged it by a rule of its own, one
// the deletion cannot repeat as a test by itself (it compares the data it
// read instead): what that rule found, in fixed English words for output
// other programs read and as a translated text for the user.
#include <cstdint>
#include <optional>

#include "lang/message_keys.h"
#include "model/categories.h"

namespace keytidy {

struct OwnRuleVerdict {
  const char* english;
  MessageKey text;
};

// Empty for a check without such a rule.
std::optional<OwnRuleVerdict> OwnRuleVerdict_OfCheck(CheckId check);

}  // namespace keytidy
