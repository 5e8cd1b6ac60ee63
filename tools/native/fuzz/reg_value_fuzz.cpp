// Every value the deletion run backs up must come back exactly: any type
// number, any name the script can hold, any bytes it can carry. The input is cut into a
// type, a key path, a value name (UTF-16 units) and the data.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "fuzz_support.h"

namespace {

using namespace keytidy;

struct Input {
  const std::uint8_t* data;
  std::size_t size;

  std::uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::wstring Units(std::size_t count) {
    std::wstring text;
    for (std::size_t i = 0; i < count && size >= 2; ++i) {
      const std::uint8_t low = Byte();
      text.push_back(static_cast<wchar_t>(low | (Byte() << 8)));
    }
    return text;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  DWORD type = in.Byte();
  type |= static_cast<DWORD>(in.Byte()) << 8;
  type |= static_cast<DWORD>(in.Byte()) << 16;
  type |= static_cast<DWORD>(in.Byte()) << 24;
  const std::wstring key = L"Software\\k" + in.Units(in.Byte() % 16);
  const std::wstring name = in.Units(in.Byte() % 16);
  const RegBytes bytes(in.data, in.data + in.size);
  // Registry key names have no empty parts: no doubled or trailing backslash.
  if (!RegScript_CanHoldName(key) || key.find(L"\\\\") != std::wstring::npos || key.back() == L'\\') return 0;
  const auto line = Format_ValueLine(name, type, bytes, true);
  if (!line) {
    fuzz::Require(!RegScript_CanHoldName(name) || !RegScript_ImportKeepsData(type, bytes),
                  "every value a script can carry exactly gets a line");
    return 0;
  }
  const std::wstring text = Format_ValueRecord(ROOT_HKEY_CURRENT_USER, key, *line);
  const RegScriptReadResult result = RegScript_ReadBytes(RegScriptHeaderBytes() + RegScriptBytes(text));
  fuzz::Require(result.ok, "a written value reads back");
  fuzz::Require(result.records.size() == 2, "one key line and one value line");
  const RegRecord& value = result.records[1];
  fuzz::Require(result.records[0].key == key && value.key == key, "the key path survives");
  fuzz::Require(value.kind == RegRecordKind::Value && value.name == name, "the name survives");
  fuzz::Require(value.type == type, "the type survives");
  fuzz::Require(value.data == bytes, "the bytes survive");
  return 0;
}
