// How much a whole scan costs over merely reading the registry it examines,
// and how that cost grows with the registry. Builds a large synthetic
// registry in the current prefix (about 118 000 keys: classes with their
// servers, file types with open commands, type libraries, interfaces,
// uninstall records and application paths; one in ten refers to something
// missing), times `keytidy-cli scan` against a bare advapi32 walk over the
// same keys and values, then does the same with twice as many keys. Prints
// both ratios and how much the scan time grew. The goals: a scan within 1.3
// times the bare walk at both sizes, and twice the keys for at most 2.2
// times the time.
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

#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/handles.h"
#include "platform/registry.h"

using namespace keytidy;

namespace {

// The counts at size 1; size 2 doubles each of them.
struct FixtureSize {
  int classes;     // each with InprocServer32: 25 000 give 50 000 keys
  int fileTypes;   // extension + program id with shell\open\command: 8 000 give 40 000 keys
  int typeLibs;    // {id}\1.0\0\win32: 4 000 give 16 000 keys
  int interfaces;  // {id}\TypeLib: 4 000 give 8 000 keys
  int uninstall;
  int appPaths;

  explicit FixtureSize(int scale)
      : classes(25000 * scale),
        fileTypes(8000 * scale),
        typeLibs(4000 * scale),
        interfaces(4000 * scale),
        uninstall(2000 * scale),
        appPaths(2000 * scale) {}
  int Keys() const { return 2 * classes + 5 * fileTypes + 4 * typeLibs + 2 * interfaces + uninstall + appPaths; }
};

constexpr int kLargestScale = 2;
constexpr int kStaleEvery = 10;  // every tenth reference points at nothing
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

std::vector<std::pair<HKEY, std::wstring>> FixtureRoots(const FixtureSize& size) {
  std::vector<std::pair<HKEY, std::wstring>> roots;
  for (int i = 0; i < size.classes; ++i)
    roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\CLSID\\" + BenchGuid(1, i));
  for (int i = 0; i < size.fileTypes; ++i) {
    roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\.ktbench" + std::to_wstring(i));
    roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\KeytidyBench.Type" + std::to_wstring(i));
  }
  for (int i = 0; i < size.typeLibs; ++i)
    roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\TypeLib\\" + BenchGuid(2, i));
  for (int i = 0; i < size.interfaces; ++i)
    roots.emplace_back(HKEY_LOCAL_MACHINE, kClassesRoot + L"\\Interface\\" + BenchGuid(3, i));
  for (int i = 0; i < size.uninstall; ++i)
    roots.emplace_back(HKEY_LOCAL_MACHINE, kUninstallKey + L"\\KeytidyBench" + std::to_wstring(i));
  for (int i = 0; i < size.appPaths; ++i)
    roots.emplace_back(HKEY_LOCAL_MACHINE, kAppPathsKey + L"\\KeytidyBench" + std::to_wstring(i) + L".exe");
  return roots;
}

// Removes the largest fixture, which holds every smaller one.
void RemoveFixture() {
  for (const auto& [root, path] : FixtureRoots(FixtureSize(kLargestScale))) RegDeleteTreeW(root, path.c_str());
}

void CreateFixture(const FixtureSize& size) {
  const HKEY hklm = HKEY_LOCAL_MACHINE;
  const wchar_t* dll = L"C:\\windows\\system32\\kernel32.dll";
  const wchar_t* exe = L"C:\\windows\\system32\\cmd.exe";
  for (int i = 0; i < size.classes; ++i) {
    const std::wstring key = kClassesRoot + L"\\CLSID\\" + BenchGuid(1, i);
    SetString(hklm, key, L"", L"Keytidy bench class " + std::to_wstring(i));
    SetString(hklm, key + L"\\InprocServer32", L"", Target(i, dll));
  }
  for (int i = 0; i < size.fileTypes; ++i) {
    const std::wstring progId = L"KeytidyBench.Type" + std::to_wstring(i);
    SetString(hklm, kClassesRoot + L"\\.ktbench" + std::to_wstring(i), L"", progId);
    std::wstring command = i % kStaleEvery == 0 ? L"\"C:\\keytidy-bench-missing\\app.exe\" \"%1\""
                                                : std::wstring(L"\"") + exe + L"\" /c \"%1\"";
    SetString(hklm, kClassesRoot + L"\\" + progId + L"\\shell\\open\\command", L"", command);
  }
  for (int i = 0; i < size.typeLibs; ++i)
    SetString(hklm, kClassesRoot + L"\\TypeLib\\" + BenchGuid(2, i) + L"\\1.0\\0\\win32", L"", Target(i, dll));
  for (int i = 0; i < size.interfaces; ++i) {
    const std::wstring typeLib = i % kStaleEvery == 0 ? BenchGuid(9, i) : BenchGuid(2, i % size.typeLibs);
    SetString(hklm, kClassesRoot + L"\\Interface\\" + BenchGuid(3, i) + L"\\TypeLib", L"", typeLib);
  }
  for (int i = 0; i < size.uninstall; ++i) {
    const std::wstring key = kUninstallKey + L"\\KeytidyBench" + std::to_wstring(i);
    SetString(hklm, key, L"DisplayName", L"Keytidy bench program " + std::to_wstring(i));
    SetString(hklm, key, L"InstallLocation",
              i % kStaleEvery == 0 ? L"C:\\keytidy-bench-missing\\program" : L"C:\\windows\\system32");
  }
  for (int i = 0; i < size.appPaths; ++i)
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
  for (const std::wstring& root : {kClassesRoot, kUninstallKey, kAppPathsKey})
    WalkTree(HKEY_LOCAL_MACHINE, root, keys, values);
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
  folder.resize(folder.find_last_of(L'\\'));  // ...\bench
  folder.resize(folder.find_last_of(L'\\'));  // the build folder
  return folder + L"\\bin\\keytidy-cli.exe";
}

struct Measurement {
  int keysWritten = 0;
  double buildMs = 0;
  size_t keysWalked = 0, valuesWalked = 0;
  double scanMs = 0, bareMs = 0;  // medians
  DWORD exitCode = 0;
};

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

Measurement MeasureAt(const std::wstring& cli, int scale) {
  const FixtureSize size(scale);
  Measurement m;
  m.keysWritten = size.Keys();
  RemoveFixture();
  const auto buildStart = std::chrono::steady_clock::now();
  CreateFixture(size);
  m.buildMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - buildStart).count();
  std::vector<double> scan, bare;
  for (int round = 0; round < kRounds; ++round) {
    scan.push_back(ScanMs(cli, m.exitCode));
    bare.push_back(BareWalkMs(m.keysWalked, m.valuesWalked));
  }
  RemoveFixture();
  m.scanMs = Median(scan);
  m.bareMs = Median(bare);
  return m;
}

void Print(int scale, const Measurement& m) {
  std::printf("size %d: synthetic keys written: %d (%.0f ms), one reference in %d stale\n", scale, m.keysWritten,
              m.buildMs, kStaleEvery);
  std::printf("size %d: keys / values walked:   %zu / %zu\n", scale, m.keysWalked, m.valuesWalked);
  std::printf("size %d: keytidy-cli scan:       %.1f ms (exit code %lu; median of %d)\n", scale, m.scanMs,
              static_cast<unsigned long>(m.exitCode), kRounds);
  std::printf("size %d: bare advapi32 walk:     %.1f ms (median of %d)\n", scale, m.bareMs, kRounds);
  std::printf("size %d: ratio scan/walk:        %.2f (goal 1.30 or less)\n", scale, m.scanMs / m.bareMs);
}

}  // namespace

int wmain() {
  Registry_Init();
  const std::wstring cli = CliBesideBench();
  if (!FileOrFolderExists(cli)) {
    std::printf("keytidy-cli.exe not found beside the bench folder\n");
    return 1;
  }
  const Measurement small = MeasureAt(cli, 1);
  Print(1, small);
  std::fflush(stdout);
  const Measurement large = MeasureAt(cli, kLargestScale);
  Print(kLargestScale, large);
  std::printf("growth of the scan time: %.2f for %.2f times the keys (goal 2.20 or less)\n",
              large.scanMs / small.scanMs, static_cast<double>(large.keysWalked) / small.keysWalked);
  return small.exitCode == 0 && large.exitCode == 0 ? 0 : 1;
}
