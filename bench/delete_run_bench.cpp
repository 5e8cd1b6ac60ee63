// The cost of a deletion run with backup, at 1000 and at 4000 findings
// (half keys with two values each, half single values) deleted through
// RC_DeleteRun into a fresh backup set. Prints for each size the time per
// finding, the time spent waiting for reg.exe and the bytes written to the
// Backups folder. Goals: the time per finding at 4000 within 1.2 times that
// at 1000 (each record is written once, whatever came before it), and the
// run's own work (recording, checking, deleting) under a third of the total.
//
// Run: tools/wine-exec build/x86_64/bench/bench_delete_run_bench.exe [FINDINGS...]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "backup/reg_exe.h"
#include "platform/whole_file.h"
#include "bench/bench_registry.h"
#include "bench/bench_temp_folder.h"
#include "platform/environment.h"
#include "platform/file_queries.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "clean/delete_run.h"
#include "scan/registry_cleaner.h"

using namespace keytidy;
using keytidy::bench::RemoveFolder;
using keytidy::bench::SetString;
using keytidy::bench::TempFolder;

namespace {

const std::wstring kBenchKey = L"Software\\KeytidyBench\\DeleteRun";

void CreateFixture(TResultTree& tree, int findings) {
  const int keyCount = findings / 2;
  const int valueCount = findings - keyCount;
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey.c_str());
  UniqueHKey values;
  RegCreateKeyExW(HKEY_CURRENT_USER, (kBenchKey + L"\\Values").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  values.put(), nullptr);
  for (int i = 0; i < keyCount; ++i) {
    const std::wstring path = kBenchKey + L"\\Keys\\Product" + std::to_wstring(i);
    UniqueHKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    SetString(key.get(), L"InstallLocation", L"C:\\Program Files\\Vendor\\Product" + std::to_wstring(i));
    SetString(key.get(), L"DisplayName", L"Product " + std::to_wstring(i));
    TTreeData_RegCleaner& entry = *GetEntry(tree.AddChild(CheckType::TriStateCheckBox, CheckState::Checked));
    entry.DeleteKey = true;
    entry.Delete_Root = ROOT_HKEY_CURRENT_USER;
    entry.Delete_Key = path;
  }
  for (int i = 0; i < valueCount; ++i) {
    const std::wstring name = L"C:\\Program Files\\Vendor\\lib" + std::to_wstring(i) + L".dll";
    SetString(values.get(), name, L"");
    TTreeData_RegCleaner& entry = *GetEntry(tree.AddChild(CheckType::TriStateCheckBox, CheckState::Checked));
    entry.DeleteValue = true;
    entry.Delete_Root = ROOT_HKEY_CURRENT_USER;
    entry.Delete_Key = kBenchKey + L"\\Values";
    entry.Delete_Value = name;
  }
}

struct RunFigures {
  std::uint32_t findings = 0;
  std::uint32_t removed = 0;
  double totalMs = 0;
  double regExeMs = 0;
  std::uint64_t regExeRuns = 0;
  std::uint64_t bytesWritten = 0;
  std::int64_t scriptBytes = 0;

  double PerFinding() const { return findings ? totalMs / findings : 0; }
  double OwnShare() const { return totalMs > 0 ? (totalMs - regExeMs) / totalMs : 0; }
};

RunFigures RunOnce(int findings) {
  TResultTree tree;
  RunControl run;
  TRegistryCleaner engine(&tree, run);
  CreateFixture(tree, findings);
  const std::wstring folder = TempFolder();
  const RegExeTotals regExeBefore = RegExe_Totals();
  const std::uint64_t bytesBefore = ReplaceFileContent_BytesWritten();

  const auto start = std::chrono::steady_clock::now();
  const DeleteRunResult result = RC_DeleteRun(engine, folder + L"\\Backups", {folder});
  RunFigures figures;
  figures.totalMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  const RegExeTotals regExe = RegExe_Totals();
  figures.findings = result.checked;
  figures.removed = result.removed;
  figures.regExeMs = regExe.milliseconds - regExeBefore.milliseconds;
  figures.regExeRuns = regExe.runs - regExeBefore.runs;
  figures.scriptBytes = Get_FileSize(result.scriptPath);
  // The journal's appends plus the one reordering rewrite at the end.
  figures.bytesWritten =
      ReplaceFileContent_BytesWritten() - bytesBefore + static_cast<std::uint64_t>(figures.scriptBytes);
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey.c_str());
  RemoveFolder(folder);
  return figures;
}

void Print(const RunFigures& f) {
  std::printf("findings: %u, removed: %u\n", f.findings, f.removed);
  std::printf("  total time:        %10.0f ms (%.2f ms per finding)\n", f.totalMs, f.PerFinding());
  std::printf("  inside reg.exe:    %10.0f ms (%llu runs)\n", f.regExeMs,
              static_cast<unsigned long long>(f.regExeRuns));
  std::printf("  own work:          %10.0f ms (%.1f %% of the total)\n", f.totalMs - f.regExeMs, 100 * f.OwnShare());
  std::printf("  bytes written:     %10llu (script at the end: %lld)\n",
              static_cast<unsigned long long>(f.bytesWritten), static_cast<long long>(f.scriptBytes));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Environment_Init();
  Registry_Init();
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(_wtoi(argv[i]));
  if (sizes.size() != 2 || sizes[0] <= 0 || sizes[1] <= 0) sizes = {1000, 4000};

  const RunFigures small = RunOnce(sizes[0]);
  Print(small);
  const RunFigures large = RunOnce(sizes[1]);
  Print(large);

  const double growth = small.PerFinding() > 0 ? large.PerFinding() / small.PerFinding() : 0;
  std::printf("time per finding, %d against %d findings: %.2fx (goal: at most 1.20x): %s\n", sizes[1], sizes[0], growth,
              growth <= 1.2 ? "met" : "MISSED");
  const bool ownMet = small.OwnShare() < 1.0 / 3 && large.OwnShare() < 1.0 / 3;
  std::printf("own work under a third of the total at both sizes: %s\n", ownMet ? "met" : "MISSED");
  return 0;
}
