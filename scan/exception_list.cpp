#include "scan/exception_list.h"

#include <cwchar>
#include <optional>

#include <algorithm>

#include "lang/message_catalogue.h"

#include "platform/text.h"

namespace keytidy {

void TExceptionList::RemoveRows(std::vector<size_t> positions) {
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  // From the back, so the positions still to go keep their meaning.
  for (auto it = positions.rbegin(); it != positions.rend(); ++it)
    if (*it < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*it));
}

std::int32_t ExceptionKindOf(bool deleteKey, bool deleteValue) {
  return deleteKey && !deleteValue ? kExceptionKindKey : kExceptionKindValue;
}

const std::wstring& ExceptionKindCaption(std::int32_t kind, const std::wstring& keyCaption,
                                         const std::wstring& valueCaption) {
  static const std::wstring kNone;
  if (kind == kExceptionKindKey) return keyCaption;
  if (kind == kExceptionKindValue) return valueCaption;
  return kNone;
}

const std::wstring& ExceptionKindCaption(std::int32_t kind) {
  return ExceptionKindCaption(kind, Message(MessageKey::MESSAGE_RC_KEY), Message(MessageKey::MESSAGE_RC_VALUE));
}

bool Is_Exception(std::int32_t kind, const std::wstring& rootName, const std::wstring& key, const TExceptionList& list,
                  const std::wstring& value) {
  const std::int32_t wanted = kind == kExceptionKindKey ? kExceptionKindKey : kExceptionKindValue;
  return std::any_of(list.Rows().begin(), list.Rows().end(), [&](const ExceptionRow& row) {
    return row.kind == wanted && row.key == key && row.value == value && row.rootName == rootName;
  });
}

namespace {

constexpr wchar_t kCurrentUser[] = L"HKEY_CURRENT_USER";
constexpr wchar_t kUsers[] = L"HKEY_USERS";
constexpr wchar_t kClassesBelowUser[] = L"SOFTWARE\\CLASSES\\";

// `path` without its first component when that component is `first` (any
// letter case) and something follows it.
std::optional<std::wstring> Below(const std::wstring& path, const std::wstring& first) {
  if (path.size() <= first.size() || path[first.size()] != L'\\') return std::nullopt;
  if (UpperCaseAscii(path.substr(0, first.size())) != UpperCaseAscii(first)) return std::nullopt;
  return path.substr(first.size() + 1);
}

}  // namespace

std::vector<ExceptionRow> ExceptionRow_OtherNames(const ExceptionRow& row, const std::wstring& userSid) {
  std::vector<ExceptionRow> names;
  if (userSid.empty()) return names;
  const auto named = [&row](const wchar_t* root, std::wstring key) {
    return ExceptionRow{row.kind, root, std::move(key), row.value};
  };
  if (row.rootName == kCurrentUser) {
    names.push_back(named(kUsers, userSid + L"\\" + row.key));
    const std::wstring upper = UpperCaseAscii(row.key);
    if (upper.rfind(kClassesBelowUser, 0) == 0)
      names.push_back(named(kUsers, userSid + L"_Classes\\" + row.key.substr(std::wcslen(kClassesBelowUser))));
  } else if (row.rootName == kUsers) {
    if (const std::optional<std::wstring> rest = Below(row.key, userSid))
      names.push_back(named(kCurrentUser, *rest));
    else if (const std::optional<std::wstring> classes = Below(row.key, userSid + L"_Classes"))
      names.push_back(named(kCurrentUser, L"Software\\Classes\\" + *classes));
  }
  return names;
}

void Add_ExceptionItem(std::int32_t kind, const std::wstring& rootName, const std::wstring& key, TExceptionList& list,
                       const std::wstring& value) {
  list.Append(ExceptionRow{kind, rootName, key, value});
}

}  // namespace keytidy
