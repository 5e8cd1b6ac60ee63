#pragma once
// An ordered list of "name=value" lines with a case-insensitive hashed
// look-up by name. The name is the text before the first "=", the value all
// after it. When a name occurs on several lines the first one answers and is
// the one replaced; lines without "=" have no name but keep their place.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lang/text_file.h"

namespace keytidy {

class KeyedLineList {
 public:
  // Replaces the whole content.
  void Assign(std::vector<std::wstring> lines);
  void Clear() { Assign({}); }

  const std::vector<std::wstring>& Lines() const { return lines_; }
  size_t Count() const { return lines_.size(); }

  // Position of the first line with this name, -1 when there is none.
  int IndexOfName(std::wstring_view name) const;
  // The value of the first line with this name; empty when there is none.
  std::wstring ValueOf(std::wstring_view name) const;
  // Replaces the first line with this name in place, or appends one.
  void SetValue(std::wstring_view name, std::wstring_view value);

  // The encoding the content was read in (kept so a rewrite matches it).
  TextEncoding Encoding() const { return encoding_; }
  void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }

 private:
  void Remember(size_t index);

  std::vector<std::wstring> lines_;
  // Upper-cased name -> position of its first line.
  std::unordered_map<std::wstring, size_t> firstLineOfName_;
  TextEncoding encoding_ = TextEncoding::AnsiCodePage;
};

}  // namespace keytidy
