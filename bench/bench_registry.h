#pragma once
// Registry writes the benchmarks' fixtures share.
#include <windows.h>

#include <string>

namespace keytidy::bench {

inline void SetString(HKEY key, const std::wstring& name, const std::wstring& data) {
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace keytidy::bench
