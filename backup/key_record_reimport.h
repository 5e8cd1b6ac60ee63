#pragma once
// Putting a key back from the record the deletion just wrote for it. When
// deleting a key fails half-way (some sub-keys gone, the key itself still
// there), importing that one record makes the key whole again; importing
// the whole script would also bring back everything else the run removed.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "backup/reg_exe.h"
#include "platform/root_keys.h"

namespace keytidy {

// The record written between `sizeBefore` (the script's size before the
// key was recorded; 0 for a new script) and now, as script text without
// header, whether records go in front of older ones or after them. No
// value unless exactly one such block is found and every record in it is
// about `key` or a key below it.
std::optional<std::wstring> Backup_RecordWrittenSince(std::string_view scriptBytes, std::uint64_t sizeBefore,
                                                      RootKey root, const std::wstring& key);

// Imports that record with reg.exe through a temporary script in
// `workFolder`. True when reg.exe succeeded and the key exists afterwards.
bool Backup_ReimportKeyRecord(const std::wstring& script, std::uint64_t sizeBefore, RootKey root,
                              const std::wstring& key, const std::wstring& workFolder,
                              DWORD timeLimitMs = kRegExeTimeLimitMs);

// The size of a file in bytes; 0 when it does not exist.
std::uint64_t Backup_FileSize(const std::wstring& path);

}  // namespace keytidy
