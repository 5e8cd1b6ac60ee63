// INI files (skin descriptions, backup descriptors) read value by value:
// every section's lines, every name's text, number, moment and colour.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "settings/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keytidy;
  static const fuzz::ScratchFile file("file.ini");
  const std::wstring& path = file.Write(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const std::wstring& section : {std::wstring(L"Backup"), std::wstring(L"SkinInfo"), std::wstring(L"")}) {
    for (const std::wstring& line : Ini_ReadSectionValues(path, section)) {
      const std::wstring name = line.substr(0, line.find(L'='));
      const std::wstring text = Ini_ReadString(path, section, name);
      fuzz::Require(text.size() <= kIniValueMaxLength, "values are cut to their limit");
      Ini_ReadInteger(path, section, name);
      Ini_ReadDateTime(path, section, name);
      Ini_ReadColor(path, section, name);
    }
  }
  return 0;
}
