#pragma once
// The text of registry scripts as reg.exe imports them: the header, the
// record for one value, and the deletion records. Every value is written so
// that an import puts back the same type and the same bytes: the readable
// forms (quoted string, dword:, hex:) only where they are exact, hex(N):
// with the raw bytes everywhere else.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_snapshot.h"

namespace keytidy {

// "Windows Registry Editor Version 5.00" and two line ends; the file form
// starts with the UTF-16LE byte-order mark (41 units, 82 bytes in all).
inline constexpr wchar_t kRegScriptHeaderText[] = L"Windows Registry Editor Version 5.00\r\n\r\n";
inline constexpr size_t kRegScriptHeaderBytes = 82;
std::string RegScriptHeaderBytes();

// The text as UTF-16LE bytes (no byte-order mark).
std::string RegScriptBytes(const std::wstring& text);

// Bytes as "01,0A,FF" (upper-case, no spaces, no line breaks).
std::wstring Format_HexBytes(const RegBytes& data);

// Backslashes doubled, then double quotes preceded by a backslash.
std::wstring Escape_RegText(const std::wstring& text);

// "ROOT\KEY" for a key line; empty for an unknown root.
std::wstring RegScript_KeyName(RootKey root, const std::wstring& key);

// Whether a key path or value name can stand in a script line at all: line
// breaks and zero characters cannot.
bool RegScript_CanHoldName(const std::wstring& name);

// Whether an import gives back exactly these bytes for a value of this
// type. String types must be empty or end in a zero character: importers
// add a missing terminator (or fail on a single byte), so such data would
// come back changed, and a backup that cannot give back what it took is no
// backup.
bool RegScript_ImportKeepsData(DWORD type, const RegBytes& data);

// The value line for a value of the given type and raw data: @=... for the
// default value (empty name), "NAME"=... otherwise. `escape` escapes the
// name and string data; without it they are written as they are. No value
// when the name cannot be held by a script, or the data cannot come back
// exactly.
std::optional<std::wstring> Format_ValueLine(const std::wstring& name, DWORD type, const RegBytes& data, bool escape);

// Complete records, each ending in an empty line where the format has one.
std::wstring Format_KeyDeletionRecord(RootKey root, const std::wstring& key);
std::wstring Format_ValueRecord(RootKey root, const std::wstring& key, const std::wstring& valueLine);
// "NAME"=- (or @=- for the default value) under its key line.
std::wstring Format_ValueDeletionRecord(RootKey root, const std::wstring& key, const std::wstring& name, bool escape);

}  // namespace keytidy
