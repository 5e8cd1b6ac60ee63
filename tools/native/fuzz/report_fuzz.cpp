// The scan report writer on findings made of arbitrary text and numbers:
// every check number (known or not), both deletion kinds, any root value,
// any key and value names. Every finding gives exactly one report line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "scan/result_tree.h"
#include "scan/scan_report.h"

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
  std::int32_t Number() { return static_cast<std::int8_t>(Byte()); }
  std::wstring Text() {
    std::wstring text;
    for (std::size_t n = Byte() % 24; n > 0 && size >= 2; --n) {
      const std::uint8_t low = Byte();
      text.push_back(static_cast<wchar_t>(low | (Byte() << 8)));
    }
    return text;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile report("RC_export.txt");
  Input in{data, size};
  TResultTree tree;
  while (in.size > 0 && tree.NodeCount() < 64) {
    TTreeData_RegCleaner& entry = *GetEntry(tree.AddChild(CheckType::TriStateCheckBox, CheckState::Checked));
    const std::uint8_t flags = in.Byte();
    entry.GroupIndex = static_cast<CheckId>(in.Number());
    entry.ComboBoxIndex = static_cast<FilterCategory>(in.Number());
    entry.DeleteKey = flags & 1;
    entry.DeleteValue = flags & 2;
    entry.Delete_Root = entry.RootKey = 0x80000000u + ((flags >> 2) & 7);
    entry.DisplayName = in.Text();
    entry.AdditionalInfo = in.Text();
    entry.FullPath = in.Text();
    entry.Filename = in.Text();
    entry.MissingKey = in.Text();
    entry.Key = entry.Delete_Key = in.Text();
    entry.Value = entry.Delete_Value = in.Text();
  }
  SYSTEMTIME when{2026, 12, 4, 10, static_cast<WORD>(in.Byte() % 24), 30, 0, 0};
  fuzz::Require(ScanReportLines(tree, when).size() == tree.NodeCount() + 3, "one line per finding");
  Write_ScanReport(report.Path(), tree);
  return 0;
}
