#pragma once
// Running totals of what the program has done, kept as REG_QWORD values
// beside the settings. They only ever grow; nothing in the program reads
// them back.
#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace keytidy {

inline constexpr wchar_t kStatsKey[] = L"SOFTWARE\\Quarvint\\Quarvint Keytidy 2\\Stats";

inline constexpr wchar_t kStats_Starts[] = L"KX_Starts";
inline constexpr wchar_t kStats_ValuesScanned[] = L"Registry_ValuesScanned";
inline constexpr wchar_t kStats_KeysScanned[] = L"Registry_KeysScanned";
inline constexpr wchar_t kStats_ValuesDeleted[] = L"Registry_ValuesDeleted";
inline constexpr wchar_t kStats_KeysDeleted[] = L"Registry_KeysDeleted";
inline constexpr wchar_t kStats_BackupsCreated[] = L"Backups_Created";
inline constexpr wchar_t kStats_BackupsSavedKeys[] = L"Backups_SavedKeys";
inline constexpr wchar_t kStats_BackupsSavedValues[] = L"Backups_SavedValues";
inline constexpr wchar_t kStats_BackupsDeleted[] = L"Backups_Deleted";

// Adds `amount` to the named total under HKEY_LOCAL_MACHINE\kStatsKey.
void Stats_Add(const std::wstring& name, std::uint64_t amount);
// The same below any key (tests use their own).
void Stats_Add(RootKey root, const std::wstring& key, const std::wstring& name, std::uint64_t amount);

}  // namespace keytidy
