#pragma once
// Choosing records of a backup set's script by the names a user gives:
// "ROOT\KEY" takes the key's records and everything recorded below it,
// "ROOT\KEY\VALUE" takes that one value. A name that could mean either is
// read as a value when the script records such a value (the longer match),
// as a key otherwise. "KEY\@" names the default value unless the script
// records a value literally named "@". Value names may hold backslashes:
// every split of the name into key and value is tried.
#include <optional>
#include <string>
#include <vector>

#include "backup/reg_script_reader.h"

namespace keytidy {

struct RecordName {
  RootKey root = 0;
  std::wstring path;  // below the root, without leading or trailing backslash
};

// No value when the name has no known root or nothing below it.
std::optional<RecordName> RecordName_Parse(const std::wstring& name);

struct RecordChoice {
  std::vector<RegRecord> records;       // the chosen ones, in script order, each once
  std::vector<std::wstring> unmatched;  // names that chose nothing, as given
};

// A value record (or a value deletion), as opposed to a key's.
bool RegRecord_IsValue(const RegRecord& record);
// Key paths and value names compare as the registry compares them.
bool RecordName_Same(const std::wstring& a, const std::wstring& b);
// `key` is `top` or lies below it.
bool RecordKey_IsAtOrBelow(const std::wstring& key, const std::wstring& top);

// A name that cannot be parsed chooses nothing.
RecordChoice RegScript_ChooseRecords(const std::vector<RegRecord>& records, const std::vector<std::wstring>& names);

// The name a user gives to choose a record: "ROOT\KEY" for key records,
// "ROOT\KEY\VALUE" for value records ("ROOT\KEY\@" for the default value).
std::wstring RegRecord_DisplayName(const RegRecord& record);

}  // namespace keytidy
