#include "platform/text_after_last.h"

namespace keytidy {

std::wstring Get_TextAfterLast(std::wstring_view text, std::wstring_view separator) {
  if (separator.empty() || text.size() < 2) return {};
  // Only occurrences that end before the final character count, which for a
  // one-character separator means searching from the second-to-last one.
  const size_t lastEnd = text.size() - 1;  // an occurrence must end at or before this index
  const size_t found = text.substr(0, lastEnd).rfind(separator);
  if (found == std::wstring_view::npos) return {};
  return std::wstring(text.substr(found + separator.size()));
}

}  // namespace keytidy
