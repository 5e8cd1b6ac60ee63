#pragma once
// Shared by the fuzz targets: a scratch file for readers that take a path,
// and a check that stops the run with a message (libFuzzer keeps the input).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <unistd.h>

#include "../seam/seam_state.h"

namespace fuzz {

// One file per process in the temp folder, rewritten for every input.
class ScratchFile {
 public:
  explicit ScratchFile(const char* name) {
    const char* folder = std::getenv("TMPDIR");
    native_ = std::string(folder ? folder : "/tmp") + "/keytidy-fuzz-" + std::to_string(getpid()) + "-" + name;
    path_ = seam::WideFromUtf8(native_);
  }
  ~ScratchFile() { std::remove(native_.c_str()); }
  const std::wstring& Write(std::string_view bytes) const {
    if (FILE* file = std::fopen(native_.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
    return path_;
  }
  const std::wstring& Path() const { return path_; }

 private:
  std::string native_;
  std::wstring path_;
};

inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace fuzz
