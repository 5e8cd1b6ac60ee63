#pragma once
// Findings the user never wants to see again. Each exception names one
// registry object by what deleting its finding would remove: a whole key
// (kind 1, no value name) or one value of a key (kind 0). The options
// dialog shows the list in four columns (kind, root, key, value) and the
// scan run removes every matching finding at its end.
//
// The kind is kept as a number. The dialog shows it as the translated word
// for "key" or "value", but matching on those words would make every key
// exception look like a value exception whenever the two words are equal
// (no translation loaded, or a translator using one word for both).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace keytidy {

inline constexpr std::int32_t kExceptionKindValue = 0;
inline constexpr std::int32_t kExceptionKindKey = 1;

struct ExceptionRow {
  std::int32_t kind = kExceptionKindValue;  // 0, 1, or any other number read from a file: matches nothing
  std::wstring rootName;                    // as Reg_RootKeyName gives it, e.g. HKEY_LOCAL_MACHINE
  std::wstring key;                         // path below the root
  std::wstring value;                       // empty for key exceptions and for a key's default value
  bool operator==(const ExceptionRow&) const = default;
};

class TExceptionList {
 public:
  const std::vector<ExceptionRow>& Rows() const { return rows_; }
  size_t Count() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  void Clear() { rows_.clear(); }
  void Append(ExceptionRow row) { rows_.push_back(std::move(row)); }
  // Removes the rows at the given positions (any order, duplicates allowed).
  void RemoveRows(std::vector<size_t> positions);

 private:
  std::vector<ExceptionRow> rows_;
};

// The kind of a finding: 1 when deleting it removes the key and not just a
// value, 0 otherwise (also when both flags are set).
std::int32_t ExceptionKindOf(bool deleteKey, bool deleteValue);

// The text of the kind column: `keyCaption` for kind 1, `valueCaption` for
// kind 0, empty for any other kind.
const std::wstring& ExceptionKindCaption(std::int32_t kind, const std::wstring& keyCaption,
                                         const std::wstring& valueCaption);

// The same with the catalogue's words for "key" and "value", as the options
// dialog shows them.
const std::wstring& ExceptionKindCaption(std::int32_t kind);

// True when a row has the finding's kind (1 for key, every other number
// asks for a value exception) and exactly, letter case included, its root,
// key and value.
bool Is_Exception(std::int32_t kind, const std::wstring& rootName, const std::wstring& key, const TExceptionList& list,
                  const std::wstring& value);

// The same key under its other name for the user `userSid` (a SID such as
// S-1-5-21-…): HKEY_CURRENT_USER\X is HKEY_USERS\<SID>\X, and
// HKEY_CURRENT_USER\Software\Classes\X is also HKEY_USERS\<SID>_Classes\X.
// An exception added while the desktop user's hive was named one way must
// match a finding named the other way (a run from a scheduled task or over
// remote desktop names the user's keys HKEY_CURRENT_USER). Nothing for any
// other root, another user's key or an empty SID.
std::vector<ExceptionRow> ExceptionRow_OtherNames(const ExceptionRow& row, const std::wstring& userSid);

// Appends one row; equal rows may repeat.
void Add_ExceptionItem(std::int32_t kind, const std::wstring& rootName, const std::wstring& key, TExceptionList& list,
                       const std::wstring& value);

}  // namespace keytidy
