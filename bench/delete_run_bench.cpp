// The cost of a deletion run with backup: 1000 findings (500 keys with two
// values each and 500 single values) deleted through RC_DeleteRun into a
// fresh backup set. Prints the total time, the time spent waiting for
// reg.exe, and the bytes written to the Backups folder (every rewrite of the
// script counted). The run's own work (rewriting and checking the script,
// deleting) should cost less than the reg.exe calls it needs.
//
// Run: tools/wine-exec build/x86_64/bench/bench_delete_run_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/environment.h"
#include "bench/bench_temp_folder.h"
#include "backup/reg_exe.h"
#include "backup/whole_file.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "scan/delete_run.h"
#include "scan/registry_cleaner.h"
#include "skin/file_queries.h"

using namespace keytidy;
using keytidy::bench::RemoveFolder;
using keytidy::bench::TempFolder;

namespace {

constexpr int kKeys = 500;
constexpr int kValues = 500;
const std::wstring kBenchKey = L"Software\\KeytidyBench\\DeleteRun";

void SetString(HKEY key, const std::wstring& name, const std::wstring& data) {
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void CreateFixture(TResultTree& tree) {
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey.c_str());
  UniqueHKey values;
  RegCreateKeyExW(HKEY_CURRENT_USER, (kBenchKey + L"\\Values").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  values.put(), nullptr);
  for (int i = 0; i < kKeys; ++i) {
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
  for (int i = 0; i < kValues; ++i) {
    const std::wstring name = L"C:\\Program Files\\Vendor\\lib" + std::to_wstring(i) + L".dll";
    SetString(values.get(), name, L"");
    TTreeData_RegCleaner& entry = *GetEntry(tree.AddChild(CheckType::TriStateCheckBox, CheckState::Checked));
    entry.DeleteValue = true;
    entry.Delete_Root = ROOT_HKEY_CURRENT_USER;
    entry.Delete_Key = kBenchKey + L"\\Values";
    entry.Delete_Value = name;
  }
}

}  // namespace

int wmain() {
  Environment_Init();
  Registry_Init();
  TResultTree tree;
  TRegistryCleaner engine(&tree);
  CreateFixture(tree);
  const std::wstring folder = TempFolder();
  const std::wstring backups = folder + L"\\Backups";

  const auto start = std::chrono::steady_clock::now();
  const DeleteRunResult result = RC_DeleteRun(engine, backups, {folder});
  const double totalMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  const RegExeTotals regExe = RegExe_Totals();
  const std::int64_t scriptBytes = Get_FileSize(result.scriptPath);
  std::printf("findings: %u, removed: %u\n", result.checked, result.removed);
  std::printf("total time:           %10.0f ms\n", totalMs);
  std::printf("inside reg.exe:       %10.0f ms (%llu runs)\n", regExe.milliseconds,
              static_cast<unsigned long long>(regExe.runs));
  std::printf("own work:             %10.0f ms\n", totalMs - regExe.milliseconds);
  std::printf("bytes written:        %10llu (script at the end: %lld)\n",
              static_cast<unsigned long long>(ReplaceFileContent_BytesWritten()), static_cast<long long>(scriptBytes));
  std::printf("goal (own work < reg.exe): %s\n", totalMs - regExe.milliseconds < regExe.milliseconds ? "met" : "MISSED");

  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey.c_str());
  RemoveFolder(folder);
  return 0;
}
