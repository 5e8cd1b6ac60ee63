// What the re-check before each deletion costs within a deletion run. The
// findings are made as the checks make them (through Report_Finding, with
// what they tested and the raw data read): half are uninstall-style keys
// whose install folder is gone, half values naming a missing file. Each
// size is run twice over fresh fixtures: once repeating only the re-checks
// (the same calls the run makes), once the whole run through RC_DeleteRun,
// which includes them. Prints both times and the share at 500 and 2000
// findings (or the sizes given as arguments); the goal is a share under
// 10 %. A run at 2000 findings takes minutes: raise KEYTIDY_WINE_TIMEOUT.
//
// Run: tools/wine-exec build/x86_64/bench/bench_delete_recheck_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_registry.h"
#include "bench/bench_temp_folder.h"
#include "platform/environment.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "scan/check_skeleton.h"
#include "clean/delete_run.h"
#include "clean/finding_recheck.h"
#include "scan/registry_cleaner.h"

using namespace keytidy;
using keytidy::bench::RemoveFolder;
using keytidy::bench::SetString;
using keytidy::bench::TempFolder;

namespace {

const std::wstring kBenchKey = L"Software\\KeytidyBench\\DeleteRecheck";

void CreateFixture(TRegistryCleaner& engine, int findings) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey.c_str());
  const std::wstring valuesKey = kBenchKey + L"\\Values";
  UniqueHKey values;
  RegCreateKeyExW(HKEY_CURRENT_USER, valuesKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, values.put(), nullptr);
  for (int i = 0; i < findings / 2; ++i) {
    const std::wstring path = kBenchKey + L"\\Keys\\Product" + std::to_wstring(i);
    const std::wstring folder = L"C:\\Program Files\\KeytidyBenchGone\\Product" + std::to_wstring(i);
    UniqueHKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    SetString(key.get(), L"InstallLocation", folder);
    SetString(key.get(), L"DisplayName", L"Product " + std::to_wstring(i));
    Report_Finding(engine, CheckId::UninstallInstallPath, FilterCategory::Software, folder, L"Product",
                   {ROOT_HKEY_CURRENT_USER, path, L"InstallLocation"}, DeleteTarget::Key,
                   {EvidenceTest::FolderMissing, folder});
  }
  for (int i = 0; i < findings - findings / 2; ++i) {
    const std::wstring name = L"lib" + std::to_wstring(i);
    const std::wstring file = L"C:\\Program Files\\KeytidyBenchGone\\lib" + std::to_wstring(i) + L".dll";
    SetString(values.get(), name, file);
    Report_Finding(engine, CheckId::Shared, FilterCategory::Shared, file, name,
                   {ROOT_HKEY_CURRENT_USER, valuesKey, name}, DeleteTarget::Value, {EvidenceTest::FileMissing, file});
  }
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The re-checks alone, as the run makes them: one per ticked finding.
double RecheckMilliseconds(int findings) {
  TResultTree tree;
  RunControl run;
  TRegistryCleaner engine(&tree, run);
  CreateFixture(engine, findings);
  const auto start = std::chrono::steady_clock::now();
  int stale = 0;
  for (PVirtualNode node : tree) stale += Is_StillStale(engine, GetEntry(node)->Evidence) ? 1 : 0;
  const double ms = MillisecondsSince(start);
  if (stale != findings) std::printf("unexpected: only %d of %d still stale\n", stale, findings);
  return ms;
}

double RunMilliseconds(int findings, const std::wstring& folder, std::uint32_t& removed) {
  TResultTree tree;
  RunControl run;
  TRegistryCleaner engine(&tree, run);
  CreateFixture(engine, findings);
  const auto start = std::chrono::steady_clock::now();
  const DeleteRunResult result = RC_DeleteRun(engine, folder + L"\\Backups" + std::to_wstring(findings), {folder});
  const double ms = MillisecondsSince(start);
  removed = result.removed;
  return ms;
}

}  // namespace

// Sizes may be given as arguments (one run each); 500 and 2000 otherwise.
int wmain(int argc, wchar_t** argv) {
  Environment_Init();
  Registry_Init();
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(_wtoi(argv[i]));
  if (sizes.empty()) sizes = {500, 2000};
  const std::wstring folder = TempFolder();
  bool met = true;
  for (const int findings : sizes) {
    const double recheck = RecheckMilliseconds(findings);
    std::uint32_t removed = 0;
    const double run = RunMilliseconds(findings, folder, removed);
    const double share = run > 0 ? 100.0 * recheck / run : 0;
    met = met && share < 10.0;
    std::printf("findings: %5d  removed: %5u  run: %9.0f ms  re-checks: %7.1f ms  share: %5.2f %%\n", findings, removed,
                run, recheck, share);
  }
  std::printf("goal (re-checks < 10 %% of the run at every size): %s\n", met ? "met" : "MISSED");
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey.c_str());
  RemoveFolder(folder);
  return 0;
}
