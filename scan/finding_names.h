#pragma once
// Stable English names for the ids a finding carries, for output that
// other programs read (the scan's JSON). Unlike the translated captions
// they never change with the language, and a name once given is kept.
#include <cstdint>
#include <optional>
#include <string>

#include "model/categories.h"

namespace keytidy {

// The check that made a finding, e.g. "app-path-file-missing"; "group-N"
// for a group without a name of its own.
std::wstring CheckName(CheckId check);

// The filter category a finding is listed under, e.g. "app-paths";
// "filter-N" for one without a name of its own.
std::wstring CategoryName(FilterCategory category);

// The filter category of a stable name (letter case ignored); nothing for a
// name no category has.
std::optional<FilterCategory> CategoryOfName(const std::wstring& name);

}  // namespace keytidy
