#include "settings/ini_file.h"

#include <windows.h>

#include "platform/file_existence.h"
#include "platform/full_path.h"
#include "platform/text.h"
#include "settings/color.h"

namespace keytidy {

namespace {

// The attributes of a file that is there and not a folder, kept so that a
// write can clear them and put them back.
bool Read_PlainFileAttributes(const std::wstring& path, DWORD& attributes) {
  attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring ReadProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& name,
                               const wchar_t* fallback) {
  wchar_t buffer[kIniValueMaxLength + 1] = {};
  const DWORD length = GetPrivateProfileStringW(section.c_str(), name.c_str(), fallback, buffer,
                                                static_cast<DWORD>(std::size(buffer)), path.c_str());
  return std::wstring(buffer, length);
}

// The names of a section, in file order. The profile functions report a
// list that did not fit by returning the buffer size less two.
std::vector<std::wstring> SectionNames(const std::wstring& path, const std::wstring& section) {
  std::vector<std::wstring> names;
  for (DWORD size = 4096; size <= (1u << 24); size *= 4) {
    std::wstring buffer(size, L'\0');
    const DWORD length = GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(), size, path.c_str());
    if (length + 2 == size) continue;
    for (const wchar_t* p = buffer.c_str(); *p; p += wcslen(p) + 1) names.emplace_back(p);
    break;
  }
  return names;
}

bool HasLineBreak(const std::wstring& text) { return text.find_first_of(L"\r\n") != std::wstring::npos; }

// Text that WritePrivateProfileString would write as something else than one
// name=value line of the named section: a line break would add lines of its
// own choosing (even other names), "=" in a name moves the split, a name
// starting with "[" reads as a section, "]" in a section cuts its name.
bool BreaksLineStructure(const std::wstring& section, const std::wstring& name, const std::wstring& text) {
  return HasLineBreak(section) || HasLineBreak(name) || HasLineBreak(text) ||
         section.find(L']') != std::wstring::npos || name.empty() || name.find(L'=') != std::wstring::npos ||
         Trim(name).starts_with(L'[') || Trim(name).starts_with(L';');
}

// Writes one value with the file's attributes cleared for the moment of
// writing; the attributes are put back whatever the outcome.
// A null text removes the value.
bool WriteProfileValue(const std::wstring& path, const std::wstring& section, const std::wstring& name,
                       const wchar_t* text) {
  DWORD attributes = 0;
  if (!Read_PlainFileAttributes(path, attributes)) return false;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  bool written = WritePrivateProfileStringW(section.c_str(), name.c_str(), text, path.c_str()) != FALSE;
  // The profile functions may hold the change in a cache; flush it while the
  // file is still writable. The flush reports FALSE even when it worked, so
  // only the read-back that follows tells.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  SetFileAttributesW(path.c_str(), attributes);
  return written;
}

}  // namespace

// The profile functions look for a file given without a folder in the
// Windows folder, while every other file function looks in the current one.
// Each operation works on the full path, which keeps both on the same file.

bool Ini_SectionExists(const std::wstring& file, const std::wstring& section) {
  const std::wstring path = Full_Path(file);
  return FileExists(path) && !SectionNames(path, section).empty();
}

bool Ini_ValueExists(const std::wstring& file, const std::wstring& section, const std::wstring& name) {
  const std::wstring path = Full_Path(file);
  if (!FileExists(path)) return false;
  // A present value reads the same whatever the fallback is; a missing one
  // returns the fallback. Two different fallbacks tell the cases apart
  // exactly as the profile functions match names.
  return ReadProfileString(path, section, name, L"\x1") == ReadProfileString(path, section, name, L"\x2");
}

std::vector<std::wstring> Ini_ReadSectionValues(const std::wstring& file, const std::wstring& section) {
  const std::wstring path = Full_Path(file);
  std::vector<std::wstring> lines;
  if (!FileExists(path)) return lines;
  for (const std::wstring& name : SectionNames(path, section))
    lines.push_back(name + L"=" + ReadProfileString(path, section, name, L""));
  return lines;
}

std::wstring Ini_ReadString(const std::wstring& file, const std::wstring& section, const std::wstring& name) {
  const std::wstring path = Full_Path(file);
  if (!FileExists(path)) return {};
  return ReadProfileString(path, section, name, L"");
}

std::int32_t Ini_ReadInteger(const std::wstring& file, const std::wstring& section, const std::wstring& name) {
  return StrToIntDef(Ini_ReadString(file, section, name), -1);
}

bool Ini_IntegerIs(const std::wstring& file, const std::wstring& section, const std::wstring& name,
                   std::int32_t expected) {
  if (!FileExists(Full_Path(file))) return false;
  return StrToIntDef(Ini_ReadString(file, section, name), 0) == expected;
}

TDateTime Ini_ReadDateTime(const std::wstring& file, const std::wstring& section, const std::wstring& name) {
  return ParseDateTime_Fixed(Ini_ReadString(file, section, name)).value_or(0);
}

std::optional<std::uint32_t> Ini_ReadColor(const std::wstring& file, const std::wstring& section,
                                           const std::wstring& name) {
  const std::wstring text = Ini_ReadString(file, section, name);
  if (text.empty()) return 0;
  return Parse_Color(text);
}

bool Ini_WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& name,
                     const std::wstring& text) {
  if (BreaksLineStructure(section, name, text)) return false;
  const std::wstring path = Full_Path(file);
  return WriteProfileValue(path, section, name, text.c_str()) && Ini_ReadString(path, section, name) == text;
}

bool Ini_WriteInteger(const std::wstring& file, const std::wstring& section, const std::wstring& name,
                      std::int32_t number) {
  const std::wstring path = Full_Path(file);
  if (BreaksLineStructure(section, name, L"")) return false;
  return WriteProfileValue(path, section, name, std::to_wstring(number).c_str()) &&
         Ini_IntegerIs(path, section, name, number);
}

bool Ini_DeleteValue(const std::wstring& file, const std::wstring& section, const std::wstring& name) {
  const std::wstring path = Full_Path(file);
  if (BreaksLineStructure(section, name, L"")) return false;
  if (!Ini_ValueExists(path, section, name)) return FileExists(path);
  return WriteProfileValue(path, section, name, nullptr) && !Ini_ValueExists(path, section, name);
}

bool Ini_WriteSection(const std::wstring& file, const std::wstring& section, const std::vector<std::wstring>& lines) {
  const std::wstring path = Full_Path(file);
  std::wstring block;
  for (const std::wstring& line : lines) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos || BreaksLineStructure(section, line.substr(0, equals), line.substr(equals + 1)))
      return false;
    block += line;
    block += L'\0';
  }
  block += L'\0';
  DWORD attributes = 0;
  if (!Read_PlainFileAttributes(path, attributes)) return false;
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  WritePrivateProfileSectionW(section.c_str(), block.c_str(), path.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  SetFileAttributesW(path.c_str(), attributes);
  return Ini_ReadSectionValues(path, section) == lines;
}

bool Ini_WriteDateTime(const std::wstring& file, const std::wstring& section, const std::wstring& name,
                       TDateTime moment) {
  return Ini_WriteString(file, section, name, FormatDateTime_Fixed(moment));
}

}  // namespace keytidy
