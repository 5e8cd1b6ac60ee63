#include "lang/keyed_line_list.h"

#include "platform/text.h"

namespace keytidy {

void KeyedLineList::Assign(std::vector<std::wstring> lines) {
  lines_ = std::move(lines);
  firstLineOfName_.clear();
  firstLineOfName_.reserve(lines_.size());
  for (size_t i = 0; i < lines_.size(); ++i) Remember(i);
}

void KeyedLineList::Remember(size_t index) {
  const size_t equals = lines_[index].find(L'=');
  if (equals == std::wstring::npos) return;
  // emplace keeps an existing entry: the first line of a name wins.
  firstLineOfName_.emplace(UpperCaseAscii(std::wstring_view(lines_[index]).substr(0, equals)), index);
}

int KeyedLineList::IndexOfName(std::wstring_view name) const {
  const auto found = firstLineOfName_.find(UpperCaseAscii(name));
  return found == firstLineOfName_.end() ? -1 : static_cast<int>(found->second);
}

std::wstring KeyedLineList::ValueOf(std::wstring_view name) const {
  const int index = IndexOfName(name);
  if (index < 0) return {};
  const std::wstring& line = lines_[static_cast<size_t>(index)];
  return line.substr(line.find(L'=') + 1);
}

void KeyedLineList::SetValue(std::wstring_view name, std::wstring_view value) {
  std::wstring line(name);
  line += L'=';
  line += value;
  const int index = IndexOfName(name);
  if (index >= 0) {
    lines_[static_cast<size_t>(index)] = std::move(line);
    return;
  }
  lines_.push_back(std::move(line));
  Remember(lines_.size() - 1);
}

}  // namespace keytidy
