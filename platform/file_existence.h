#pragma once
// Existence tests for the files and folders the registry names, at any
// path length. None of them fails loudly. The Boolean tests answer "is it there" and count
// anything that cannot be examined as not there; the presence tests keep
// "missing" apart from "cannot tell", which is what a verdict must use.
#include <cstdint>
#include <string>

#include "platform/path_presence.h"
#include "platform/registry_view.h"

namespace keytidy {

// True only for an existing file that is not a folder; a symbolic link
// counts by what it points at.
bool FileExists(const std::wstring& path);
// True only for an existing folder.
bool DirectoryExists(const std::wstring& path);
// True for anything by that name, file or folder: for the places that only
// need to know whether a name is taken or something is there to read.
bool FileOrFolderExists(const std::wstring& path);

// The same tests with the open answer kept: a folder where a file is asked
// for (and the other way round) is missing, a failure is judged by its
// error code. An empty path is missing.
PathPresence File_Presence(const std::wstring& path);
PathPresence Directory_Presence(const std::wstring& path);

// What a directory search reports for one full path.
struct DirectoryEntry {
  bool found = false;
  PathPresence presence = PathPresence::Missing;  // Present exactly when found
  bool isDirectory = false;
  std::wstring longName;  // the entry's own (long) name, no folder part
  std::uint64_t size = 0;
};

// The looks below live in file_existence_by_view.cpp: they need the
// registry view and the redirection switch; the ones above need nothing
// but the file system.

// Looks one entry up by its full path. A path with "*" or "?" names no
// single entry and gives "not found" rather than the first match.
DirectoryEntry Find_DirectoryEntry(const std::wstring& path);

// Whether the file a program of `view` means by `path` is there, looked at
// with the 32-bit file-system redirection switched off (the view has
// already chosen the folder). A second look by directory search finds
// entries the first cannot open.
PathPresence FilePresence_W64(const std::wstring& path, RegistryView view);
// The same look, content with a folder as well as a file: for references
// that may name either, or a folder where a file was meant (Explorer opens
// a folder named in a start-up entry; shared-DLL counters count folders).
PathPresence FileOrFolderPresence_W64(const std::wstring& path, RegistryView view);
// True unless the file is known to be missing.
bool FileExists_W64(const std::wstring& path, RegistryView view);

// Switches the calling thread's file-system redirection off for its
// lifetime and back on when it ends, on every path out of a scope. Does
// nothing where there is no redirection (64-bit processes, 32-bit Windows).
class FsRedirectionOff {
 public:
  FsRedirectionOff();
  ~FsRedirectionOff();
  FsRedirectionOff(const FsRedirectionOff&) = delete;
  FsRedirectionOff& operator=(const FsRedirectionOff&) = delete;

 private:
  void* previousState_ = nullptr;
  bool switchedOff_ = false;
};

}  // namespace keytidy
