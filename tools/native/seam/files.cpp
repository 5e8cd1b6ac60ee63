// Files over POSIX. Handles are file descriptors moved away from the values
// Windows reserves (null and INVALID_HANDLE_VALUE).
#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "seam_state.h"

namespace {

constexpr std::intptr_t kHandleBase = 0x1000;

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + kHandleBase); }

int DescriptorOf(HANDLE handle) {
  const auto value = reinterpret_cast<std::intptr_t>(handle);
  return value >= kHandleBase ? static_cast<int>(value - kHandleBase) : -1;
}

thread_local DWORD lastError = 0;

}  // namespace

namespace seam {

void Fail(DWORD error) { lastError = error; }

void FailFromErrno() {
  switch (errno) {
    case ENOENT: lastError = ERROR_FILE_NOT_FOUND; break;
    case ENOTDIR: lastError = ERROR_PATH_NOT_FOUND; break;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: lastError = ERROR_ACCESS_DENIED; break;
    case EEXIST: lastError = ERROR_ALREADY_EXISTS; break;
    case ENOSPC: lastError = ERROR_DISK_FULL; break;
    case EBADF: lastError = ERROR_INVALID_HANDLE; break;
    default: lastError = ERROR_INVALID_PARAMETER; break;
  }
}

std::string NativePath(LPCWSTR path) {
  std::string bytes;
  if (!path) return bytes;
  const std::size_t length = std::char_traits<wchar_t>::length(path);
  if (length == 0) return bytes;
  bytes.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), nullptr, 0, nullptr, nullptr)));
  WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), bytes.data(), static_cast<int>(bytes.size()), nullptr,
                      nullptr);
  for (char& c : bytes)
    if (c == '\\') c = '/';
  return bytes;
}

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return {};
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                      static_cast<int>(wide.size()));
  return wide;
}

}  // namespace seam

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD error) { lastError = error; }

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD, HANDLE) {
  const std::string native = seam::NativePath(path);
  int flags = O_CLOEXEC;
  const bool reads = access & GENERIC_READ;
  const bool writes = access & (GENERIC_WRITE | FILE_APPEND_DATA);
  flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
  if ((access & FILE_APPEND_DATA) && !(access & GENERIC_WRITE)) flags |= O_APPEND;
  switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    case OPEN_EXISTING: break;
    default: return seam::Fail(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
  }
  struct stat info {};
  if (stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    return seam::Fail(ERROR_ACCESS_DENIED), INVALID_HANDLE_VALUE;
  const int fd = open(native.c_str(), flags, 0644);
  if (fd < 0) return seam::FailFromErrno(), INVALID_HANDLE_VALUE;
  return HandleOf(fd);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED) {
  if (read) *read = 0;
  const ssize_t got = ::read(DescriptorOf(file), buffer, size);
  if (got < 0) return seam::FailFromErrno(), FALSE;
  if (read) *read = static_cast<DWORD>(got);
  return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD size, LPDWORD written, LPOVERLAPPED) {
  if (written) *written = 0;
  const ssize_t put = ::write(DescriptorOf(file), buffer, size);
  if (put < 0) return seam::FailFromErrno(), FALSE;
  if (written) *written = static_cast<DWORD>(put);
  return TRUE;
}

BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size) {
  struct stat info {};
  if (fstat(DescriptorOf(file), &info) != 0) return seam::FailFromErrno(), FALSE;
  size->QuadPart = info.st_size;
  return TRUE;
}

BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
  struct stat status {};
  if (fstat(DescriptorOf(file), &status) != 0) return seam::FailFromErrno(), FALSE;
  info->dwFileAttributes = S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) { return fsync(DescriptorOf(file)) == 0 ? TRUE : (seam::FailFromErrno(), FALSE); }

BOOL CloseHandle(HANDLE handle) { return close(DescriptorOf(handle)) == 0 ? TRUE : (seam::FailFromErrno(), FALSE); }

BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
  const std::string target = seam::NativePath(to);
  struct stat info {};
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && stat(target.c_str(), &info) == 0)
    return seam::Fail(ERROR_ALREADY_EXISTS), FALSE;
  if (rename(seam::NativePath(from).c_str(), target.c_str()) != 0) return seam::FailFromErrno(), FALSE;
  return TRUE;
}

BOOL DeleteFileW(LPCWSTR path) {
  return unlink(seam::NativePath(path).c_str()) == 0 ? TRUE : (seam::FailFromErrno(), FALSE);
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES) {
  return mkdir(seam::NativePath(path).c_str(), 0755) == 0 ? TRUE : (seam::FailFromErrno(), FALSE);
}

BOOL RemoveDirectoryW(LPCWSTR path) {
  return rmdir(seam::NativePath(path).c_str()) == 0 ? TRUE : (seam::FailFromErrno(), FALSE);
}

DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer) {
  char cwd[PATH_MAX];
  if (!getcwd(cwd, sizeof cwd)) return seam::FailFromErrno(), 0;
  const std::wstring wide = seam::WideFromUtf8(cwd);
  if (size <= wide.size()) return static_cast<DWORD>(wide.size() + 1);
  wide.copy(buffer, wide.size());
  buffer[wide.size()] = L'\0';
  return static_cast<DWORD>(wide.size());
}

BOOL SetCurrentDirectoryW(LPCWSTR path) {
  return chdir(seam::NativePath(path).c_str()) == 0 ? TRUE : (seam::FailFromErrno(), FALSE);
}

DWORD GetFileAttributesW(LPCWSTR path) {
  struct stat info {};
  if (stat(seam::NativePath(path).c_str(), &info) != 0) return seam::FailFromErrno(), INVALID_FILE_ATTRIBUTES;
  DWORD attributes = 0;
  if (S_ISDIR(info.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if (!(info.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes) {
  const std::string native = seam::NativePath(path);
  struct stat info {};
  if (stat(native.c_str(), &info) != 0) return seam::FailFromErrno(), FALSE;
  const mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (info.st_mode & ~0222) : (info.st_mode | S_IWUSR);
  return chmod(native.c_str(), mode) == 0 ? TRUE : (seam::FailFromErrno(), FALSE);
}

DWORD GetFullPathNameW(LPCWSTR path, DWORD size, LPWSTR buffer, LPWSTR* filePart) {
  if (filePart) *filePart = nullptr;
  std::wstring full = path ? path : L"";
  if (full.empty()) return seam::Fail(ERROR_INVALID_PARAMETER), 0;
  if (full[0] != L'/' && full[0] != L'\\') {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return seam::FailFromErrno(), 0;
    full = seam::WideFromUtf8(cwd) + L"/" + full;
  }
  if (size <= full.size()) return static_cast<DWORD>(full.size() + 1);
  full.copy(buffer, full.size());
  buffer[full.size()] = L'\0';
  return static_cast<DWORD>(full.size());
}
