#pragma once
// Sets an environment variable of the test process for one scope and puts
// the previous value (or its absence) back afterwards.
#include <windows.h>

#include <optional>
#include <string>

namespace keytidy::test {

class ScopedEnvironmentVariable {
 public:
  // A null value removes the variable for the scope.
  ScopedEnvironmentVariable(std::wstring name, const wchar_t* value) : name_(std::move(name)) {
    const DWORD size = GetEnvironmentVariableW(name_.c_str(), nullptr, 0);
    if (size > 0) {
      std::wstring old(size, L'\0');
      const DWORD length = GetEnvironmentVariableW(name_.c_str(), old.data(), size);
      old.resize(length);
      previous_ = std::move(old);
    }
    SetEnvironmentVariableW(name_.c_str(), value);
  }
  ~ScopedEnvironmentVariable() { SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr); }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  std::wstring name_;
  std::optional<std::wstring> previous_;
};

}  // namespace keytidy::test
