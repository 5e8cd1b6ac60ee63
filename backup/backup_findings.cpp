#include "backup/backup_findings.h"

#include <windows.h>

#include <cwchar>

#include "backup/backup_set.h"
#include "backup/record_choice.h"
#include "backup/reg_script_text.h"
#include "platform/text.h"
#include "settings/ini_file.h"

namespace keytidy {

namespace {

constexpr wchar_t kSection[] = L"Findings";
constexpr wchar_t kSeparator = L'|';
constexpr size_t kFieldCount = 6;

bool KeptAsItIs(wchar_t c) { return c >= 0x20 && c <= 0x7E && c != L'%' && c != kSeparator && c != L'"'; }

std::wstring Encoded(const std::wstring& text) {
  std::wstring encoded;
  for (wchar_t c : text) {
    if (KeptAsItIs(c)) {
      encoded += c;
    } else {
      wchar_t escape[8];
      swprintf(escape, 8, L"%%%04X", static_cast<unsigned>(c));
      encoded += escape;
    }
  }
  // The profile functions drop blanks at a value's end.
  if (!encoded.empty() && encoded.back() == L' ') encoded.replace(encoded.size() - 1, 1, L"%0020");
  return encoded;
}

std::optional<std::wstring> Decoded(const std::wstring& field) {
  std::wstring text;
  for (size_t at = 0; at < field.size(); ++at) {
    if (field[at] != L'%') {
      text += field[at];
      continue;
    }
    if (at + 4 >= field.size()) return std::nullopt;
    unsigned unit = 0;
    for (size_t digit = 1; digit <= 4; ++digit) {
      const int value = HexDigitValue(field[at + digit]);
      if (value < 0) return std::nullopt;
      unit = unit * 16 + static_cast<unsigned>(value);
    }
    text += static_cast<wchar_t>(unit);
    at += 4;
  }
  return text;
}

std::vector<std::wstring> Fields(const std::wstring& line) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  for (size_t cut = line.find(kSeparator); cut != std::wstring::npos; cut = line.find(kSeparator, start)) {
    fields.push_back(line.substr(start, cut - start));
    start = cut + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace

std::wstring Finding_ToLine(const RecordedFinding& finding) {
  const std::wstring fields[kFieldCount] = {finding.target == FindingTarget::Key ? L"key" : L"value",
                                            RegScript_KeyName(finding.root, finding.key),
                                            finding.value,
                                            finding.check,
                                            FormatDateTime_Fixed(finding.date),
                                            finding.description};
  std::wstring line;
  for (const std::wstring& field : fields) line += (line.empty() ? L"" : std::wstring(1, kSeparator)) + Encoded(field);
  return line;
}

std::optional<RecordedFinding> Finding_FromLine(const std::wstring& line) {
  const std::vector<std::wstring> raw = Fields(line);
  if (raw.size() != kFieldCount) return std::nullopt;
  std::vector<std::wstring> fields;
  for (const std::wstring& field : raw) {
    const std::optional<std::wstring> text = Decoded(field);
    if (!text) return std::nullopt;
    fields.push_back(*text);
  }
  RecordedFinding finding;
  if (fields[0] == L"key")
    finding.target = FindingTarget::Key;
  else if (fields[0] != L"value")
    return std::nullopt;
  const std::optional<RecordName> place = RecordName_Parse(fields[1]);
  const std::optional<TDateTime> date = ParseDateTime_Fixed(fields[4]);
  if (!place || !date) return std::nullopt;
  finding.root = place->root;
  finding.key = place->path;
  finding.value = fields[2];
  finding.check = fields[3];
  finding.date = *date;
  finding.description = fields[5];
  return finding;
}

bool Backup_Write_Findings(const std::wstring& scriptPath, const std::vector<RecordedFinding>& findings) {
  if (findings.empty()) return true;
  const std::wstring descriptor = Backup_DescriptorPath(scriptPath);
  if (descriptor.empty()) return false;
  std::vector<std::wstring> lines;
  lines.reserve(findings.size());
  for (const RecordedFinding& finding : findings)
    lines.push_back(std::to_wstring(lines.size() + 1) + L"=" + Finding_ToLine(finding));
  return Ini_WriteSection(descriptor, kSection, lines);
}

std::vector<RecordedFinding> Backup_Read_Findings(const std::wstring& descriptorPath) {
  std::vector<RecordedFinding> findings;
  for (const std::wstring& line : Ini_ReadSectionValues(descriptorPath, kSection)) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) continue;
    if (std::optional<RecordedFinding> finding = Finding_FromLine(line.substr(equals + 1)))
      findings.push_back(std::move(*finding));
  }
  return findings;
}

const RecordedFinding* Backup_FindingOfRecord(const std::vector<RecordedFinding>& findings, const RegRecord& record) {
  const bool valueRecord = RegRecord_IsValue(record);
  const RecordedFinding* nearestKey = nullptr;
  for (const RecordedFinding& finding : findings) {
    if (finding.root != record.root) continue;
    if (finding.target == FindingTarget::Value) {
      if (valueRecord && RecordName_Same(finding.key, record.key) && RecordName_Same(finding.value, record.name))
        return &finding;
    } else if (RecordKey_IsAtOrBelow(record.key, finding.key) &&
               (!nearestKey || finding.key.size() > nearestKey->key.size())) {
      nearestKey = &finding;
    }
  }
  return nearestKey;
}

}  // namespace keytidy
