#pragma once
// The registry access layer. Every operation opens its key, does one thing,
// closes the key and reports a plain result; nothing throws and no handle
// outlives a call. Root keys travel as their 32-bit predefined values.
// HKEY_CLASSES_ROOT is read through the program's own merged classes view
// (platform/class_view.h): values from the key the view shows, sub-keys
// from both hives; writes and deletions act on the key the view shows.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/root_keys.h"

namespace keytidy {

// The predefined handle for a root value (sign-extended on 64-bit, exactly
// as windows.h defines HKEY_LOCAL_MACHINE and its siblings).
HKEY RootKeyHandle(RootKey root);

inline constexpr size_t kRegBinaryBufferSize = 8192;
// What Reg_ReadBinary fills: the largest binary value it reads.
using RegBinaryBuffer = std::array<std::uint8_t, kRegBinaryBufferSize>;

// True when keys are opened with KEY_WOW64_64KEY: a 32-bit process on 64-bit
// Windows, and every 64-bit process (which only runs on 64-bit Windows).
bool Use64BitView();

// Sets the view flag and looks RegDeleteKeyExW up. Called once at start-up
// before anything touches the registry; safe to call again.
void Registry_Init();

bool Reg_KeyExists(RootKey root, const std::wstring& path);
bool Reg_KeyExistsWritable(RootKey root, const std::wstring& path);
bool Reg_ValueExists(RootKey root, const std::wstring& path, const std::wstring& name);
bool Reg_ValueInfo(RootKey root, const std::wstring& path, const std::wstring& name, DWORD& type, DWORD& size);
std::uint32_t Reg_ValueCount(RootKey root, const std::wstring& path);
std::uint32_t Reg_SubKeyCount(RootKey root, const std::wstring& path);
bool Reg_KeyCounts(RootKey root, const std::wstring& path, std::uint32_t& valueCount, std::uint32_t& subKeyCount);

// Clears `names` first, then fills it with the subkey names.
bool Reg_GetSubKeys(RootKey root, const std::wstring& path, std::vector<std::wstring>& names);
// Appends the value names to `names` without clearing it.
bool Reg_GetValueNames(RootKey root, const std::wstring& path, std::vector<std::wstring>& names);

std::wstring Reg_ReadString(RootKey root, const std::wstring& path, const std::wstring& name);

// What one open of a key tells: whether it opens for reading, its default
// value as Reg_ReadString reads it, and its value and sub-key counts as
// Reg_KeyCounts gives them (countsRead false where that would be false).
struct RegKeyGlance {
  bool exists = false;
  std::wstring defaultText;
  bool countsRead = false;
  std::uint32_t values = 0;
  std::uint32_t subKeys = 0;
};
RegKeyGlance Reg_Glance(RootKey root, const std::wstring& path);
std::int32_t Reg_ReadInteger(RootKey root, const std::wstring& path, const std::wstring& name);
std::int64_t Reg_ReadInt64(RootKey root, const std::wstring& path, const std::wstring& name);
// Copies REG_BINARY or REG_NONE data of 1 to 8192 bytes into `buffer` and
// returns the byte count; 0 for anything else (buffer then untouched).
std::uint32_t Reg_ReadBinary(RootKey root, const std::wstring& path, const std::wstring& name, RegBinaryBuffer& buffer);

bool Reg_WriteValue(RootKey root, const std::wstring& path, const std::wstring& name, const void* data, DWORD size,
                    DWORD type);
bool Reg_WriteString(RootKey root, const std::wstring& path, const std::wstring& name, const std::wstring& text);
bool Reg_WriteInteger(RootKey root, const std::wstring& path, const std::wstring& name, std::int32_t value);
bool Reg_WriteInt64(RootKey root, const std::wstring& path, const std::wstring& name, std::int64_t value);

bool Reg_DeleteValue(RootKey root, const std::wstring& path, const std::wstring& name);
// True when the key is gone afterwards, including when it never existed.
// Below HKEY_CLASSES_ROOT: the key the view showed (a namesake in the other
// hive stays, and may show through afterwards).
bool Reg_DeleteKey(RootKey root, const std::wstring& path);

// HKEY_CURRENT_USER + P becomes HKEY_USERS + CurrentUserHiveSid()\P (the
// judged user's hive) when that SID is known; anything else stays as it is.
void Reg_RedirectCurrentUser(RootKey& root, std::wstring& path);

}  // namespace keytidy
