#include "platform/file_existence.h"

#include <windows.h>

#include "app/environment.h"
#include "platform/handles.h"
#include "platform/registry.h"

namespace keytidy {

namespace {

// GetFileAttributesW describes a symbolic link itself; opening it follows
// the link, and the handle then describes the target.
bool TargetIsFile(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileInformationByHandle(file.get(), &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasWildcard(const std::wstring& path) { return path.find_first_of(L"*?") != std::wstring::npos; }

}  // namespace

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return TargetIsFile(path);
  return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DirectoryEntry Find_DirectoryEntry(const std::wstring& path) {
  DirectoryEntry entry;
  if (path.empty() || HasWildcard(path)) return entry;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle search(FindFirstFileW(path.c_str(), &data));
  if (!search) return entry;
  entry.found = true;
  entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.longName = data.cFileName;
  entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return entry;
}

bool FileExists_W64(const std::wstring& path) {
  if (FileExists(path)) return true;
  if (!Use64BitView()) return false;
  FsRedirectionOff redirectionOff;
  const DirectoryEntry entry = Find_DirectoryEntry(path);
  return entry.found && !entry.isDirectory;
}

FsRedirectionOff::FsRedirectionOff() { switchedOff_ = Fs_DisableRedirection(previousState_); }

FsRedirectionOff::~FsRedirectionOff() {
  if (switchedOff_) Fs_RevertRedirection(previousState_);
}

}  // namespace keytidy
