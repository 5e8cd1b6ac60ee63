#include "platform/file_existence.h"

#include <windows.h>

#include "platform/environment.h"
#include "platform/extended_length_path.h"
#include "platform/handles.h"
#include "platform/registry.h"

namespace keytidy {

namespace {

PathPresence LastErrorPresence() { return Presence_FromError(GetLastError()); }

// GetFileAttributesW describes a symbolic link itself; opening it follows
// the link, and the handle then describes the target.
PathPresence TargetFilePresence(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return LastErrorPresence();
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return LastErrorPresence();
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathPresence::Missing : PathPresence::Present;
}

bool HasWildcard(const std::wstring& path) { return path.find_first_of(L"*?") != std::wstring::npos; }

PathPresence EntryFilePresence(const DirectoryEntry& entry) {
  if (!entry.found) return entry.presence;
  return entry.isDirectory ? PathPresence::Missing : PathPresence::Present;
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

DirectoryEntry Find_DirectoryEntry(const std::wstring& path) {
  DirectoryEntry entry;
  if (path.empty()) return entry;
  if (HasWildcard(path)) return entry;  // no file can have that name
  WIN32_FIND_DATAW data{};
  UniqueFindHandle search(FindFirstFileW(ExtendedLength_Form(path).c_str(), &data));
  if (!search) {
    entry.presence = LastErrorPresence();
    return entry;
  }
  entry.found = true;
  entry.presence = PathPresence::Present;
  entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.longName = data.cFileName;
  entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return entry;
}

PathPresence FilePresence_W64(const std::wstring& path, RegistryView view) {
  if (path.empty()) return PathPresence::Missing;
  const std::wstring seen = Path_AsViewSeesIt(path, view);
  FsRedirectionOff redirectionOff;
  const PathPresence opened = File_Presence(seen);
  if (opened == PathPresence::Present || !Use64BitView()) return opened;
  const PathPresence listed = EntryFilePresence(Find_DirectoryEntry(seen));
  if (listed == PathPresence::Present) return listed;
  return opened == PathPresence::Missing && listed == PathPresence::Missing ? PathPresence::Missing
                                                                            : PathPresence::CannotTell;
}

PathPresence FileOrFolderPresence_W64(const std::wstring& path, RegistryView view) {
  const PathPresence file = FilePresence_W64(path, view);
  if (file == PathPresence::Present || path.empty()) return file;
  const std::wstring seen = Path_AsViewSeesIt(path, view);
  FsRedirectionOff redirectionOff;
  const PathPresence folder = Directory_Presence(seen);
  if (folder == PathPresence::Present) return folder;
  return file == PathPresence::Missing && folder == PathPresence::Missing ? PathPresence::Missing
                                                                          : PathPresence::CannotTell;
}

bool FileExists_W64(const std::wstring& path, RegistryView view) {
  return FilePresence_W64(path, view) != PathPresence::Missing;
}

FsRedirectionOff::FsRedirectionOff() { switchedOff_ = Fs_DisableRedirection(previousState_); }

FsRedirectionOff::~FsRedirectionOff() {
  if (switchedOff_) Fs_RevertRedirection(previousState_);
}

}  // namespace keytidy
