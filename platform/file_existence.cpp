#include "platform/file_existence.h"

#include <windows.h>

#include "platform/extended_length_path.h"
#include "platform/handles.h"

namespace keytidy {

namespace {

PathPresence LastErrorPresence() { return Presence_FromError(GetLastError()); }

// GetFileAttributesW describes a symbolic link itself; opening it follows
// the link, and the handle then describes the target.
PathPresence TargetFilePresence(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return LastErrorPresence();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return LastErrorPresence();
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathPresence::Missing : PathPresence::Present;
}

}  // namespace

PathPresence File_Presence(const std::wstring& path) {
  if (path.empty()) return PathPresence::Missing;
  const std::wstring asked = ExtendedLength_Form(path);
  const DWORD attributes = GetFileAttributesW(asked.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrorPresence();
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return TargetFilePresence(asked);
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathPresence::Missing : PathPresence::Present;
}

PathPresence Directory_Presence(const std::wstring& path) {
  if (path.empty()) return PathPresence::Missing;
  const DWORD attributes = GetFileAttributesW(ExtendedLength_Form(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrorPresence();
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathPresence::Present : PathPresence::Missing;
}

bool FileExists(const std::wstring& path) { return File_Presence(path) == PathPresence::Present; }

bool DirectoryExists(const std::wstring& path) { return Directory_Presence(path) == PathPresence::Present; }

bool FileOrFolderExists(const std::wstring& path) {
  return !path.empty() && GetFileAttributesW(ExtendedLength_Form(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace keytidy
