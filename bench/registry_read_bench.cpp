// How much the registry layer costs over plain advapi32 calls: reads 10 000
// string values through Reg_ReadString and through an open/query/close loop
// of our own, alternating rounds, and prints both times and their ratio.
// The layer is a thin wrapper, so the ratio should stay near 1.
//
// Run: tools/wine-exec build/x86_64/bench/bench_registry_read_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/handles.h"
#include "platform/registry.h"

using namespace keytidy;

namespace {

constexpr int kValues = 10000;
constexpr int kRounds = 5;
const std::wstring kBenchKey = L"Software\\KeytidyBench\\RegistryRead";

std::wstring ValueName(int i) { return L"value" + std::to_wstring(i); }

void CreateFixture() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey.c_str());
  UniqueHKey key;
  RegCreateKeyExW(HKEY_CURRENT_USER, kBenchKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
  for (int i = 0; i < kValues; ++i) {
    const std::wstring data = L"C:\\Program Files\\Vendor\\Product\\file" + std::to_wstring(i) + L".dll";
    RegSetValueExW(key.get(), ValueName(i).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  }
}

// The plain loop a caller would write without the layer.
std::wstring PlainRead(const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kBenchKey.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
    return {};
  DWORD type = 0, size = 0;
  std::wstring text;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size >= 2) {
    text.resize(size / sizeof(wchar_t));
    RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
  }
  RegCloseKey(key);
  return text;
}

template <typename Read>
double TimeMs(const std::vector<std::wstring>& names, Read read, size_t& checksum) {
  const auto start = std::chrono::steady_clock::now();
  for (const std::wstring& name : names) checksum += read(name).size();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int wmain() {
  Registry_Init();
  CreateFixture();
  std::vector<std::wstring> names;
  for (int i = 0; i < kValues; ++i) names.push_back(ValueName(i));

  std::vector<double> layer, plain;
  size_t layerChecksum = 0, plainChecksum = 0;
  for (int round = 0; round < kRounds; ++round) {
    layer.push_back(TimeMs(
        names, [](const std::wstring& n) { return Reg_ReadString(ROOT_HKEY_CURRENT_USER, kBenchKey, n); },
        layerChecksum));
    plain.push_back(TimeMs(names, PlainRead, plainChecksum));
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\KeytidyBench");

  std::sort(layer.begin(), layer.end());
  std::sort(plain.begin(), plain.end());
  const double layerMedian = layer[kRounds / 2], plainMedian = plain[kRounds / 2];
  std::printf("values read per round:   %d (%d rounds, medians)\n", kValues, kRounds);
  std::printf("Reg_ReadString:          %.1f ms\n", layerMedian);
  std::printf("open/query/close loop:   %.1f ms\n", plainMedian);
  std::printf("ratio layer/plain:       %.2f\n", layerMedian / plainMedian);
  if (layerChecksum != plainChecksum) {
    std::printf("MISMATCH: the two loops read different data\n");
    return 1;
  }
  return 0;
}
