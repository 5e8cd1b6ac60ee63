#include "scan/exception_list.h"

#include <algorithm>

#include "lang/message_catalogue.h"

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

bool Is_Exception(std::int32_t kind, const std::wstring& rootName, const std::wstring& key,
                  const TExceptionList& list, const std::wstring& value) {
  const std::int32_t wanted = kind == kExceptionKindKey ? kExceptionKindKey : kExceptionKindValue;
  return std::any_of(list.Rows().begin(), list.Rows().end(), [&](const ExceptionRow& row) {
    return row.kind == wanted && row.key == key && row.value == value && row.rootName == rootName;
  });
}

void Add_ExceptionItem(std::int32_t kind, const std::wstring& rootName, const std::wstring& key, TExceptionList& list,
                       const std::wstring& value) {
  list.Append(ExceptionRow{kind, rootName, key, value});
}

}  // namespace keytidy
