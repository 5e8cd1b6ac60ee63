#include "platform/file_existence.h"

#include <windows.h>

#include "platform/environment.h"
#include "platform/extended_length_path.h"
#include "platform/handles.h"
#include "platform/registry.h"

// The looks a registry reference needs beyond the plain tests: a directory
// search as a second opinion, and the disk as the program of a registry
// view sees it.
namespace keytidy {

namespace {

bool HasWildcard(const std::wstring& path) { return path.find_first_of(L"*?") != std::wstring::npos; }

PathPresence EntryFilePresence(const DirectoryEntry& entry) {
  if (!entry.found) return entry.presence;
  return entry.isDirectory ? PathPresence::Missing : PathPresence::Present;
}

}  // namespace

DirectoryEntry Find_DirectoryEntry(const std::wstring& path) {
  DirectoryEntry entry;
  if (path.empty()) return entry;
  if (HasWildcard(path)) return entry;  // no file can have that name
  WIN32_FIND_DATAW data{};
  UniqueFindHandle search(FindFirstFileW(ExtendedLength_Form(path).c_str(), &data));
  if (!search) {
    entry.presence = Presence_FromError(GetLastError());
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
