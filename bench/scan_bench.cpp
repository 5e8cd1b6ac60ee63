// How much a whole scan costs over merely reading the registry it examines.
// Builds a large synthetic registry in the current prefix (about 118 000
// keys: classes with their servers, file types with open commands, type
// libraries, interfaces, uninstall records and application paths; one in
// ten refers to something missing), then times `keytidy-cli scan` against a
// bare advapi32 walk over the same keys and values, and prints both and
// their ratio. The goal is a scan within 1.3 times the bare walk.
//
// Run: tools/wine-exec build/x86_64/bench/bench_scan_bench.exe
// The synthetic keys are removed again at the end (and at the start, should
// an earlier run have been cut short).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/environment.h"
#include "platform/handles.h"
#include "platform/registry.h"

using namespace keytidy;

namespace {

constexpr int kClasses = 25000;     // each with InprocServer32: 50 000 keys
constexpr int kFileTypes = 8000;    // extension + program id with shell\open\command: 40 000 keys
constexpr int kTypeLibs = 4000;     // {id}\1.0\0\win32: 16 000 keys
constexpr int kInterfaces = 4000;   // {id}\TypeLib: 8 000 keys
constexpr int kUninstall = 2000;
constexpr int kAppPaths = 2000;
constexpr int kStaleEvery = 10;     // every tenth reference points at nothing
constexpr int kRounds = 3;

const std::wstring kClassesRoot = L"Software\\Classes";
const std::wstring kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::wstring kAppPathsKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";

// GUID-shaped names that no real class uses.
std::wstring BenchGuid(int kind, int i) {
  wchar_t text[64];
  swprintf(text, 64, L"{4B54%04X-0000-4000-8000-%012X}", kind, i);
  return text;
}

std::wstring Target(int i, const wchar_t* existing) {
  if (i % kStaleEvery == 0) return L"C:\\keytidy-bench-missing\\file" + std::to_wstring(i) + L".dll";
  return existing;
}

void SetString(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text) {
  UniqueHKey key;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, key.put(),
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key.get(), name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::vector<std::pair<HKEY, std::wstring>> FixtureRoots() {
  std::vector<std::pair<HKEY, std::wstring>> roots;
  for (int i = 0; i < kClasses; ++i) roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\CLSID\\" + BenchGuid(1, i));
  for (int i = 0; i < kFileTypes; ++i) {
    roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\.ktbench" + std::to_wstring(i));
    roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\KeytidyBench.Type" + std::to_wstring(i));
  }
  for (int i = 0; i < kTypeLibs; ++i) roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\TypeLib\\" + BenchGuid(2, i));
  for (int i = 0; i < kInterfaces; ++i)
    roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\Interface\\" + BenchGuid(3, i));
  for (int i = 0; i < kUninstall; ++i) roots.emplace_back(HKEY_LOCAL_MACHINE, kUninstallKey + L"\\KeytidyBench" + std::to_wstring(i));
  for (int i = 0; i < kAppPaths; ++i)
    roots.emplace_back(HKEY_LOCAL_MACHINE, kAppPathsKey + L"\\KeytidyBench" + std::to_wstring(i) + L".exe");
  return roots;
}

void RemoveFixture() {
  for (const auto& [root, path] : FixtureRoots()) RegDeleteTreeW(root, path.c_str());
}

void CreateFixture() {
  const HKEY hklm = HKEY_LOCAL_MACHINE;
  const wchar_t* dll = L"C:\\windows\\system32\\kernel32.dll";
  const wchar_t* exe = L"C:\\windows\\system32\\cmd.exe";
  for (int i = 0; i < kClasses; ++i) {
    const std::wstring key = kClassesRoot + L"\\CLSID\\" + BenchGuid(1, i);
    SetString(hklm, key, L"", L"Keytidy bench class " + std::to_wstring(i));
    SetString(hklm, key + L"\\InprocServer32", L"", Target(i, dll));
  }
  for (int i = 0; i < kFileTypes; ++i) {
    const std::wstring progId = L"KeytidyBench.Type" + std::to_wstring(i);
    SetString(hklm, kClassesRoot + L"\\.ktbench" + std::to_wstring(i), L"", progId);
    std::wstring command = i % kStaleEvery == 0 ? L"\"C:\\keytidy-bench-missing\\app.exe\" \"%1\""
                                                : std::wstring(L"\"") + exe + L"\" /c \"%1\"";
    SetString(hklm, kClassesRoot + L"\\" + progId + L"\\shell\\open\\command", L"", command);
  }
  for (int i = 0; i < kTypeLibs; ++i)
    SetString(hklm, kClassesRoot + L"\\TypeLib\\" + BenchGuid(2, i) + L"\\1.0\\0\\win32", L"", Target(i, dll));
  for (int i = 0; i < kInterfaces; ++i) {
    const std::wstring typeLib = i % kStaleEvery == 0 ? BenchGuid(9, i) : BenchGuid(2, i % kTypeLibs);
    SetString(hklm, kClassesRoot + L"\\Interface\\" + BenchGuid(3, i) + L"\\TypeLib", L"", typeLib);
  }
  for (int i = 0; i < kUninstall; ++i) {
    const std::wstring key = kUninstallKey + L"\\KeytidyBench" + std::to_wstring(i);
    SetString(hklm, key, L"DisplayName", L"Keytidy bench program " + std::to_wstring(i));
    SetString(hklm, key, L"InstallLocation",
              i % kStaleEvery == 0 ? L"C:\\keytidy-bench-missing\\program" : L"C:\\windows\\system32");
  }
  for (int i = 0; i < kAppPaths; ++i)
    SetString(hklm, kAppPathsKey + L"\\KeytidyBench" + std::to_wstring(i) + L".exe", L"", Target(i, exe));
}

// The bare walk: every key below each root, every value with its data.
void WalkTree(HKEY parent, const std::wstring& path, size_t& keys, size_t& values) {
  UniqueHKey key;
  if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS) return;
  ++keys;
  wchar_t name[16384];
  BYTE data[8192];
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = 16384, type = 0, size = sizeof data;
    const LONG status = RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, data, &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    ++values;
  }
  std::vector<std::wstring> subKeys;
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key.get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subKeys.emplace_back(name, nameLength);
  }
  for (const std::wstring& sub : subKeys) WalkTree(key.get(), sub, keys, values);
}

double BareWalkMs(size_t& keys, size_t& values) {
  keys = values = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const std::wstring& root : {kClassesRoot, kUninstallKey, kAppPathsKey}) WalkTree(HKEY_LOCAL_MACHINE, root, keys, values);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double ScanMs(const std::wstring& cli, DWORD& exitCode) {
  const auto start = std::chrono::steady_clock::now();
  exitCode = RunAndWait(L"\"" + cli + L"\" scan", L"", SW_HIDE);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::wstring CliBesideBench() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L'\\'));       // ...\bench
  folder.resize(folder.find_last_of(L'\\'));       // the build folder
  return folder + L"\\bin\\keytidy-cli.exe";
}

}  // namespace

int wmain() {
  Registry_Init();
  const std::wstring cli = CliBesideBench();
  if (GetFileAttributesW(cli.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("keytidy-cli.exe not found beside the bench folder\n");
    return 1;
  }
  RemoveFixture();
  const auto buildStart = std::chrono::steady_clock::now();
  CreateFixture();
  const double buildMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - buildStart).count();

  std::vector<double> scan, bare;
  size_t keys = 0, values = 0;
  DWORD exitCode = 0;
  for (int round = 0; round < kRounds; ++round) {
    scan.push_back(ScanMs(cli, exitCode));
    bare.push_back(BareWalkMs(keys, values));
  }
  RemoveFixture();

  std::sort(scan.begin(), scan.end());
  std::sort(bare.begin(), bare.end());
  const double scanMedian = scan[kRounds / 2], bareMedian = bare[kRounds / 2];
  std::printf("synthetic keys written:  %d (%.0f ms), one reference in %d stale\n",
              2 * kClasses + 5 * kFileTypes + 4 * kTypeLibs + 2 * kInterfaces + kUninstall + kAppPaths, buildMs,
              kStaleEvery);
  std::printf("keys / values walked:    %zu / %zu\n", keys, values);
  std::printf("keytidy-cli scan:        %.1f ms (exit code %lu; median of %d)\n", scanMedian,
              static_cast<unsigned long>(exitCode), kRounds);
  std::printf("bare advapi32 walk:      %.1f ms (median of %d)\n", bareMedian, kRounds);
  std::printf("ratio scan/walk:         %.2f (goal 1.30 or less)\n", scanMedian / bareMedian);
  return exitCode == 0 ? 0 : 1;
}
