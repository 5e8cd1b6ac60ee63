#pragma once
// Existence tests for the files and folders the registry names. None of
// them fails loudly: anything that cannot be examined counts as not found.
#include <cstdint>
#include <string>

namespace keytidy {

// True only for an existing file that is not a folder; a symbolic link
// counts by what it points at.
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

// What a directory search reports for one full path.
struct DirectoryEntry {
  bool found = false;
  bool isDirectory = false;
  std::wstring longName;  // the entry's own (long) name, no folder part
  std::uint64_t size = 0;
};

// Looks one entry up by its full path. A path with "*" or "?" names no
// single entry and gives "not found" rather than the first match.
DirectoryEntry Find_DirectoryEntry(const std::wstring& path);

// FileExists, and when that fails on 64-bit Windows, a second look with the
// 32-bit file-system redirection switched off, so that a 32-bit process sees
// the real system folder.
bool FileExists_W64(const std::wstring& path);

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
