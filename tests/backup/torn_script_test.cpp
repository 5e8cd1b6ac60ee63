// Reading a backup script for a restore: a last record cut short by a power
// cut is left out and the rest stays importable; damage anywhere else makes
// the whole script unreadable.
#include "backup/torn_script.h"

#include <string>

#include <gtest/gtest.h>

#include "backup/reg_script_text.h"
#include "platform/text.h"

namespace keytidy {
namespace {

const std::wstring kKey = L"[HKEY_CURRENT_USER\\Software\\T]\r\n";
const std::wstring kWhole = kKey + L"\"a\"=dword:00000007\r\n\r\n";

TEST(TornScript, ALastRecordCutShortIsLeftOutAndTheRestIsKept) {
  const struct {
    const char* kind;
    std::wstring text;
    std::string rawTail;  // bytes after the text (zeros, half a character)
    ScriptCondition condition;
    std::wstring torn;
  } cases[] = {
      {"whole", kWhole, "", ScriptCondition::Whole, L""},
      {"key line cut", kWhole + L"[HKEY_CURRENT_USER\\Soft", "", ScriptCondition::TornTail,
       L"[HKEY_CURRENT_USER\\Soft"},
      {"deletion line cut", kWhole + L"[-HKEY_CURRENT_USER\\Software", "", ScriptCondition::TornTail,
       L"[-HKEY_CURRENT_USER\\Software"},
      {"string cut", kWhole + kKey + L"\"b\"=\"C:\\\\Prog", "", ScriptCondition::TornTail,
       kKey + L"\"b\"=\"C:\\\\Prog"},
      {"dword with too few digits", kWhole + kKey + L"\"b\"=dword:000", "", ScriptCondition::TornTail,
       kKey + L"\"b\"=dword:000"},
      {"line end cut in half", kWhole + kKey + L"\"b\"=dword:00000009\r", "", ScriptCondition::TornTail,
       kKey + L"\"b\"=dword:00000009\r"},
      {"hex list ends in a comma", kWhole + kKey + L"\"b\"=hex:01,02,", "", ScriptCondition::TornTail,
       kKey + L"\"b\"=hex:01,02,"},
      {"hex list continues past the end", kWhole + kKey + L"\"b\"=hex:01,02,\\\r\n", "", ScriptCondition::TornTail,
       kKey + L"\"b\"=hex:01,02,\\\r\n"},
      {"hex continuation cut", kWhole + kKey + L"\"b\"=hex:01,\\\r\n  02,0", "", ScriptCondition::TornTail,
       kKey + L"\"b\"=hex:01,\\\r\n  02,0"},
      {"zeros after the cut", kWhole + kKey + L"\"b\"=dword:0", std::string(24, '\0'), ScriptCondition::TornTail,
       kKey + L"\"b\"=dword:0"},
      {"zeros only", kWhole, std::string(40, '\0'), ScriptCondition::TornTail, L""},
      {"half a character", kWhole, "[", ScriptCondition::TornTail, L""},
      {"the only record cut", L"[HKEY_CURRENT_USER\\Software\\T]\r\n\"b\"=dw", "", ScriptCondition::TornTail,
       L"[HKEY_CURRENT_USER\\Software\\T]\r\n\"b\"=dw"},
      {"damage before the last record", kKey + L"\"a\"=dwurd:7\r\n\r\n" + kWhole, "", ScriptCondition::Unreadable, L""},
      {"zeros in the middle", kWhole + std::wstring(2, L'\0') + kWhole, "", ScriptCondition::Unreadable, L""},
      {"a whole last line that is wrong", kWhole + kKey + L"\"b\"=dwurd:00000001\r\n", "", ScriptCondition::Unreadable,
       L""},
      {"text that starts no line", kWhole + L"hello", "", ScriptCondition::Unreadable, L""},
      {"a key line cut behind values", kWhole + kKey + L"\"b\"=dword:00000001\r\n[HKEY_", "", ScriptCondition::TornTail,
       L"[HKEY_"},
      {"value lines without a key", L"\"b\"=dword:1", "", ScriptCondition::Unreadable, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    const RestoreScript read = RegScript_ReadForRestore(RegScriptHeaderBytes() + RegScriptBytes(c.text) + c.rawTail);
    ASSERT_EQ(read.condition, c.condition) << Utf16ToUtf8(read.error);
    if (c.condition == ScriptCondition::Unreadable) {
      EXPECT_TRUE(read.records.empty());
      EXPECT_FALSE(read.error.empty());
      continue;
    }
    EXPECT_EQ(read.tornText, c.torn);
    // Whatever was left out, the text to import is the script up to it and
    // reads cleanly.
    const std::wstring intact = c.text.substr(0, c.text.size() - c.torn.size());
    if (c.condition == ScriptCondition::TornTail) EXPECT_EQ(read.intactText, intact);
    const RegScriptReadResult again = RegScript_ReadText(intact);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(read.records, again.records);
  }
}

TEST(TornScript, AFileWithoutHeaderIsUnreadable) {
  for (const std::string& bytes : {std::string(), std::string("Windows Registry Editor Version 5.00\r\n\r\n"),
                                   RegScriptHeaderBytes().substr(0, 40)}) {
    const RestoreScript read = RegScript_ReadForRestore(bytes);
    EXPECT_EQ(read.condition, ScriptCondition::Unreadable);
    EXPECT_FALSE(read.error.empty());
  }
}

}  // namespace
}  // namespace keytidy
