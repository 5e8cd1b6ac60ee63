#pragma once
// Registry records written back as script text, so that records read from
// one script can be imported on their own.
#include <optional>
#include <string>
#include <vector>

#include "backup/reg_script_reader.h"

namespace keytidy {

// The records as script text without header, in the given order; every
// value record carries its own key line. No value when a record cannot be
// written so that an import gives back the same data.
std::optional<std::wstring> RegScript_RecordsText(const std::vector<RegRecord>& records);

}  // namespace keytidy
