#pragma once
// Owners for the kernel and registry handles the program opens. Each closes
// its handle exactly once; none can be copied, all can be moved.
#include <windows.h>

#include <utility>

namespace keytidy {

template <typename Handle, typename Traits>
class UniqueOwner {
 public:
  UniqueOwner() noexcept = default;
  explicit UniqueOwner(Handle handle) noexcept : handle_(handle) {}
  ~UniqueOwner() { reset(); }

  UniqueOwner(const UniqueOwner&) = delete;
  UniqueOwner& operator=(const UniqueOwner&) = delete;
  UniqueOwner(UniqueOwner&& other) noexcept : handle_(other.release()) {}
  UniqueOwner& operator=(UniqueOwner&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return Traits::IsValid(handle_); }

  // For APIs that return the handle through an out parameter.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }
  Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Handle handle = Traits::Invalid()) noexcept {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// Kernel objects: both null and INVALID_HANDLE_VALUE mean "no handle", since
// Windows APIs use either as their failure value.
struct KernelHandleTraits {
  static HANDLE Invalid() noexcept { return nullptr; }
  static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
using UniqueHandle = UniqueOwner<HANDLE, KernelHandleTraits>;

struct RegKeyTraits {
  static HKEY Invalid() noexcept { return nullptr; }
  static bool IsValid(HKEY h) noexcept { return h != nullptr; }
  static void Close(HKEY h) noexcept { RegCloseKey(h); }
};
using UniqueHKey = UniqueOwner<HKEY, RegKeyTraits>;

struct ModuleTraits {
  static HMODULE Invalid() noexcept { return nullptr; }
  static bool IsValid(HMODULE h) noexcept { return h != nullptr; }
  static void Close(HMODULE h) noexcept { FreeLibrary(h); }
};
using UniqueModule = UniqueOwner<HMODULE, ModuleTraits>;

struct FindHandleTraits {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) noexcept { FindClose(h); }
};
using UniqueFindHandle = UniqueOwner<HANDLE, FindHandleTraits>;

// Memory that Windows hands out with LocalAlloc (ConvertSidToStringSidW, ...).
struct LocalMemoryTraits {
  static HLOCAL Invalid() noexcept { return nullptr; }
  static bool IsValid(HLOCAL h) noexcept { return h != nullptr; }
  static void Close(HLOCAL h) noexcept { LocalFree(h); }
};
using UniqueLocalMemory = UniqueOwner<HLOCAL, LocalMemoryTraits>;

}  // namespace keytidy
