#include "platform/whole_file.h"

#include <windows.h>

#include <algorithm>

#include "platform/handles.h"

namespace keytidy {

namespace {

constexpr int kCreateAttempts = 4;
constexpr DWORD kCreateRetryMs = 50;

UniqueHandle CreateExclusive(const std::wstring& path) {
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    if (attempt > 0) Sleep(kCreateRetryMs);
    UniqueHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
  }
  return UniqueHandle();
}

bool WriteAll(HANDLE file, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 24));
    DWORD written = 0;
    if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

std::uint64_t& BytesWritten() {
  static std::uint64_t bytes = 0;
  return bytes;
}

// A sibling name that no backup set file uses.
std::wstring TemporarySibling(const std::wstring& path) {
  return path + L"." + std::to_wstring(GetCurrentProcessId()) + L".new";
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path, size_t limit) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > limit)
    return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr) ||
        read == 0)
      return std::nullopt;
    done += read;
  }
  return bytes;
}

std::uint64_t ReplaceFileContent_BytesWritten() { return BytesWritten(); }

bool ReplaceFileContent(const std::wstring& path, const std::string& content,
                        const std::function<bool(const std::string& written)>& accept) {
  const std::wstring temporary = TemporarySibling(path);
  {
    UniqueHandle file = CreateExclusive(temporary);
    if (!file) return false;
    BytesWritten() += content.size();
    if (!WriteAll(file.get(), content) || !FlushFileBuffers(file.get())) {
      file.reset();
      DeleteFileW(temporary.c_str());
      return false;
    }
  }
  // Judge what is on disk, not what was meant to be written.
  const std::optional<std::string> written = ReadWholeFile(temporary);
  if (!written || *written != content || (accept && !accept(*written))) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  // A read-only target would refuse to be replaced; its attributes are
  // given back when the replacement fails.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  const bool clearAttributes = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (clearAttributes) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    if (clearAttributes) SetFileAttributesW(path.c_str(), attributes);
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace keytidy
