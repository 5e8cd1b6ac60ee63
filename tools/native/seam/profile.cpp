// The profile (INI) functions, following the documented behaviour closely
// enough for the program's use: a UTF-16LE file (byte-order mark) or an
// ANSI one; section and value names compared without regard to case; names
// and values trimmed; a value in matching quotes loses them; the first
// section and the first name of a kind answer; short buffers are cut the
// way Windows cuts them (size - 1 for a value, size - 2 for a list).
#include <windows.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "seam_state.h"

namespace {

struct ProfileFile {
  bool unicode = false;
  std::vector<std::wstring> lines;
};

std::optional<std::string> ReadBytes(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) break;
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  close(fd);
  return bytes;
}

std::vector<std::wstring> SplitAtBreaks(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ++end;
    start = end + 1;
  }
  return lines;
}

std::optional<ProfileFile> Load(LPCWSTR file) {
  const std::optional<std::string> bytes = ReadBytes(seam::NativePath(file));
  if (!bytes) return std::nullopt;
  ProfileFile profile;
  std::wstring text;
  if (bytes->size() >= 2 && (*bytes)[0] == '\xFF' && (*bytes)[1] == '\xFE') {
    profile.unicode = true;
    for (std::size_t i = 2; i + 1 < bytes->size(); i += 2)
      text.push_back(static_cast<wchar_t>(static_cast<unsigned char>((*bytes)[i]) |
                                          (static_cast<unsigned char>((*bytes)[i + 1]) << 8)));
  } else if (!bytes->empty()) {
    text.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, bytes->data(), static_cast<int>(bytes->size()), nullptr, 0)));
    MultiByteToWideChar(CP_ACP, 0, bytes->data(), static_cast<int>(bytes->size()), text.data(),
                        static_cast<int>(text.size()));
  }
  profile.lines = SplitAtBreaks(text);
  return profile;
}

bool Store(LPCWSTR file, const ProfileFile& profile) {
  std::wstring text;
  for (const std::wstring& line : profile.lines) text += line + L"\r\n";
  std::string bytes;
  if (profile.unicode) {
    bytes = "\xFF\xFE";
    for (wchar_t c : text) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
  } else if (!text.empty()) {
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr)));
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        static_cast<int>(bytes.size()), nullptr, nullptr);
  }
  const int fd = open(seam::NativePath(file).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return seam::FailFromErrno(), false;
  const bool ok = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  close(fd);
  return ok;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring TrimBlanks(const std::wstring& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'a' && x <= L'z') x = static_cast<wchar_t>(x - 32);
    if (y >= L'a' && y <= L'z') y = static_cast<wchar_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

// The section name of a "[name]" line.
std::optional<std::wstring> SectionOf(const std::wstring& line) {
  const std::wstring trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed[0] != L'[') return std::nullopt;
  const std::size_t close = trimmed.find(L']');
  return TrimBlanks(trimmed.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
}

struct Entry {
  std::wstring name;
  std::wstring value;
};

std::optional<Entry> EntryOf(const std::wstring& line) {
  const std::wstring trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed[0] == L';') return std::nullopt;
  const std::size_t equals = trimmed.find(L'=');
  if (equals == std::wstring::npos) return Entry{trimmed, {}};
  return Entry{TrimBlanks(trimmed.substr(0, equals)), TrimBlanks(trimmed.substr(equals + 1))};
}

// Line range [begin, end) of the first section of that name, header included.
std::optional<std::pair<std::size_t, std::size_t>> FindSection(const ProfileFile& profile, const std::wstring& name) {
  for (std::size_t i = 0; i < profile.lines.size(); ++i) {
    const auto section = SectionOf(profile.lines[i]);
    if (!section || !SameName(*section, name)) continue;
    std::size_t end = i + 1;
    while (end < profile.lines.size() && !SectionOf(profile.lines[end])) ++end;
    return std::make_pair(i, end);
  }
  return std::nullopt;
}

DWORD CopyText(const std::wstring& text, LPWSTR buffer, DWORD size) {
  if (size == 0 || !buffer) return 0;
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  text.copy(buffer, count);
  buffer[count] = L'\0';
  return static_cast<DWORD>(count);
}

// Names each followed by a zero, then one more zero.
DWORD CopyList(const std::vector<std::wstring>& names, LPWSTR buffer, DWORD size) {
  if (size == 0 || !buffer) return 0;
  std::wstring all;
  for (const std::wstring& name : names) all += name + L'\0';
  if (all.size() + 1 <= size) {
    all.copy(buffer, all.size());
    buffer[all.size()] = L'\0';
    return static_cast<DWORD>(all.size());
  }
  if (size < 2) {
    buffer[0] = L'\0';
    return 0;
  }
  all.copy(buffer, size - 2);
  buffer[size - 2] = L'\0';
  buffer[size - 1] = L'\0';
  return size - 2;
}

std::wstring Unquoted(const std::wstring& value) {
  if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR name, LPCWSTR fallback, LPWSTR buffer, DWORD size,
                               LPCWSTR file) {
  const std::wstring fallbackText = TrimBlanks(fallback ? fallback : L"");
  const std::optional<ProfileFile> profile = Load(file);
  if (!profile) {
    seam::Fail(ERROR_FILE_NOT_FOUND);
    return (section && name) ? CopyText(fallbackText, buffer, size) : CopyList({}, buffer, size);
  }
  if (!section) {
    std::vector<std::wstring> names;
    for (const std::wstring& line : profile->lines)
      if (const auto found = SectionOf(line)) names.push_back(*found);
    return CopyList(names, buffer, size);
  }
  const auto range = FindSection(*profile, section);
  if (!name) {
    std::vector<std::wstring> names;
    if (range)
      for (std::size_t i = range->first + 1; i < range->second; ++i)
        if (const auto entry = EntryOf(profile->lines[i])) names.push_back(entry->name);
    return CopyList(names, buffer, size);
  }
  if (range)
    for (std::size_t i = range->first + 1; i < range->second; ++i) {
      const auto entry = EntryOf(profile->lines[i]);
      if (entry && SameName(entry->name, name)) return CopyText(Unquoted(entry->value), buffer, size);
    }
  return CopyText(fallbackText, buffer, size);
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR name, LPCWSTR text, LPCWSTR file) {
  if (!section) return TRUE;  // a flush of the cache, which this stand-in has not
  ProfileFile profile = Load(file).value_or(ProfileFile{});
  auto range = FindSection(profile, section);
  if (!name) {
    if (range) profile.lines.erase(profile.lines.begin() + range->first, profile.lines.begin() + range->second);
    return Store(file, profile) ? TRUE : FALSE;
  }
  const std::wstring line = std::wstring(name) + L"=" + (text ? text : L"");
  if (!range) {
    if (!text) return TRUE;
    profile.lines.push_back(L"[" + std::wstring(section) + L"]");
    profile.lines.push_back(line);
    return Store(file, profile) ? TRUE : FALSE;
  }
  for (std::size_t i = range->first + 1; i < range->second; ++i) {
    const auto entry = EntryOf(profile.lines[i]);
    if (!entry || !SameName(entry->name, name)) continue;
    if (text)
      profile.lines[i] = line;
    else
      profile.lines.erase(profile.lines.begin() + static_cast<std::ptrdiff_t>(i));
    return Store(file, profile) ? TRUE : FALSE;
  }
  if (!text) return TRUE;
  std::size_t insertAt = range->second;
  while (insertAt > range->first + 1 && TrimBlanks(profile.lines[insertAt - 1]).empty()) --insertAt;
  profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
  return Store(file, profile) ? TRUE : FALSE;
}

BOOL WritePrivateProfileSectionW(LPCWSTR section, LPCWSTR lines, LPCWSTR file) {
  if (!section) return FALSE;
  ProfileFile profile = Load(file).value_or(ProfileFile{});
  std::vector<std::wstring> entries;
  for (LPCWSTR line = lines; line && *line; line += std::wcslen(line) + 1) entries.emplace_back(line);
  // The section's lines are replaced as a whole; a missing one is added.
  const auto range = FindSection(profile, section);
  if (!range) {
    profile.lines.push_back(L"[" + std::wstring(section) + L"]");
    profile.lines.insert(profile.lines.end(), entries.begin(), entries.end());
  } else {
    const auto first = profile.lines.begin() + static_cast<std::ptrdiff_t>(range->first + 1);
    profile.lines.erase(first, profile.lines.begin() + static_cast<std::ptrdiff_t>(range->second));
    profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(range->first + 1), entries.begin(),
                         entries.end());
  }
  return Store(file, profile) ? TRUE : FALSE;
}
