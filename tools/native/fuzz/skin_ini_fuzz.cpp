// A skin's skin.ini as the skin code reads it: the description and every
// colour group.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "skin/skin_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keytidy;
  static const fuzz::ScratchFile folder("skin");
  static const int created = mkdir(seam::NativePath(folder.Path().c_str()).c_str(), 0755);
  (void)created;
  const std::wstring ini = SkinIniPath(folder.Path());
  if (FILE* out = std::fopen(seam::NativePath(ini.c_str()).c_str(), "wb")) {
    std::fwrite(data, 1, size, out);
    std::fclose(out);
  }
  Read_SkinInfo(folder.Path());
  Read_VellButtonColors(ini);
  Read_NaviOptionsColors(ini);
  Read_MainWindowColors(ini);
  return 0;
}
