#include "backup/torn_script.h"

#include "backup/reg_script_text.h"

namespace keytidy {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

size_t FirstNonBlank(std::wstring_view text, size_t from) {
  while (from < text.size() && IsBlank(text[from])) ++from;
  return from;
}

// Where the last record starts: the last line whose first non-blank
// character opens a key line. npos when there is none.
size_t LastRecordStart(std::wstring_view text) {
  size_t found = std::wstring_view::npos;
  for (size_t line = 0; line < text.size();) {
    const size_t first = FirstNonBlank(text, line);
    if (first < text.size() && text[first] == L'[') found = line;
    const size_t end = text.find(L'\n', line);
    if (end == std::wstring_view::npos) break;
    line = end + 1;
  }
  return found;
}

// Whether `record` (text from a key line to the end) is one record cut
// short: its complete lines read cleanly, save a hex list still going on,
// and what stands after the last line end, if anything, can be the start
// of a line of a record.
bool IsCutShortRecord(std::wstring_view record) {
  const size_t lastLineEnd = record.rfind(L'\n');
  const std::wstring_view complete =
      lastLineEnd == std::wstring_view::npos ? std::wstring_view() : record.substr(0, lastLineEnd + 1);
  const std::wstring_view cut = record.substr(complete.size());
  const RegScriptReadResult read = RegScript_ReadText(complete);
  if (!read.ok && !read.endedInsideValue) return false;
  if (cut.empty()) return !read.ok;  // complete lines that read cleanly are no cut record
  const size_t first = FirstNonBlank(cut, 0);
  if (first == cut.size() || read.endedInsideValue) return true;
  // A key line can only be cut when it is the record's first line.
  const wchar_t opening = cut[first];
  return opening == L'"' || opening == L'@' || (opening == L'[' && complete.empty());
}

RestoreScript Unreadable(const std::wstring& error) {
  RestoreScript script;
  script.error = error;
  return script;
}

}  // namespace

RestoreScript RegScript_ReadForRestore(std::string_view bytes) {
  const std::string header = RegScriptHeaderBytes();
  if (bytes.substr(0, header.size()) != header) return Unreadable(L"no UTF-16 byte-order mark and version 5 header");
  std::wstring text = RegScript_DecodeUtf16(bytes.substr(header.size()));
  // Half a character and zero characters at the end are what a cut leaves
  // behind (space the file system had given the file but not yet filled).
  bool cut = (bytes.size() - header.size()) % 2 != 0;
  while (!text.empty() && text.back() == L'\0') {
    text.pop_back();
    cut = true;
  }
  const RegScriptReadResult whole = RegScript_ReadText(text);
  const bool endsWithLine = text.empty() || text.back() == L'\n';
  RestoreScript script;
  if (whole.ok && endsWithLine) {
    script.condition = cut ? ScriptCondition::TornTail : ScriptCondition::Whole;
    script.records = whole.records;
    if (cut) script.intactText = text;
    return script;
  }
  const size_t start = LastRecordStart(text);
  if (start == std::wstring::npos) return Unreadable(whole.ok ? L"the last line is cut short" : whole.error);
  const std::wstring_view intact = std::wstring_view(text).substr(0, start);
  const std::wstring_view last = std::wstring_view(text).substr(start);
  const RegScriptReadResult before = RegScript_ReadText(intact);
  if (!before.ok) return Unreadable(before.error);
  if (!IsCutShortRecord(last)) return Unreadable(whole.ok ? L"the last line is cut short" : whole.error);
  script.condition = ScriptCondition::TornTail;
  script.records = before.records;
  script.intactText = std::wstring(intact);
  script.tornText = std::wstring(last);
  return script;
}

}  // namespace keytidy
