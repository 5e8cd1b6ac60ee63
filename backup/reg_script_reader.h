#pragma once
// Reads a registry script back the way reg.exe import reads it, so that the
// program can check what a backup will really put back before it deletes
// anything, and what a restore should have put back afterwards.
//
// The reader is strict: whatever it cannot read with certainty makes the
// whole script unreadable, because a record the importer might read
// differently is no backup.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backup/reg_script_text.h"
#include "platform/registry.h"

namespace keytidy {

enum class RegRecordKind {
  Key,          // [ROOT\KEY]: the key is created
  DeleteKey,    // [-ROOT\KEY]: the key and all below it are removed
  Value,        // "NAME"=data or @=data under the last key line
  DeleteValue,  // "NAME"=- or @=- under the last key line
};

struct RegRecord {
  RegRecordKind kind = RegRecordKind::Key;
  RootKey root = 0;
  std::wstring key;   // path below the root, without leading backslash
  std::wstring name;  // value records only; empty for the default value
  DWORD type = REG_NONE;
  RegBytes data;

  bool operator==(const RegRecord&) const = default;
};

struct RegScriptReadResult {
  bool ok = false;
  std::vector<RegRecord> records;  // in file order
  std::wstring error;              // what went wrong and on which line
  bool endedInsideValue = false;   // not ok only because a hex list went on past the end of the text
};

// A whole script file: UTF-16LE with byte-order mark and the version 5 header.
RegScriptReadResult RegScript_ReadBytes(std::string_view bytes);
RegScriptReadResult RegScript_ReadFile(const std::wstring& path);
// Records only, no byte-order mark and no header (one block of a script).
RegScriptReadResult RegScript_ReadText(std::wstring_view text);

// UTF-16LE bytes (no byte-order mark) as text; a last odd byte is left out.
std::wstring RegScript_DecodeUtf16(std::string_view bytes);

// "HKEY_LOCAL_MACHINE" and the short forms (HKLM, HKCU, ...), any case.
std::optional<RootKey> RegScript_RootFromName(std::wstring_view name);

}  // namespace keytidy
