// Reading scripts back as the importer reads them: every form exporters
// write, and a clear refusal for anything the importer might read otherwise.
#include "backup/reg_script_reader.h"

#include <gtest/gtest.h>

namespace keytidy {
namespace {

RegRecord Key(const std::wstring& key, RegRecordKind kind = RegRecordKind::Key) {
  return {kind, ROOT_HKEY_LOCAL_MACHINE, key, L"", REG_NONE, {}};
}
RegRecord Value(const std::wstring& key, const std::wstring& name, DWORD type, RegBytes data) {
  return {RegRecordKind::Value, ROOT_HKEY_LOCAL_MACHINE, key, name, type, std::move(data)};
}

TEST(RegScriptReader, ReadsEveryFormExportersWrite) {
  const std::wstring text =
      L"; comment\r\n"
      L"[-HKEY_LOCAL_MACHINE\\Old]\r\n"
      L"[HKLM\\Soft\\a\"b [x]]\r\n"
      L"@=\"q\\\\z\\\"w\"\r\n"
      L"\"line\"=\"A\\nB\"\r\n"
      L"\"d\"=dword:000000ff\r\n"
      L"\"big\"=hex:01,02,\\\r\n"
      L"  0a,FF\r\n"
      L"\"e\"=hex(2):41,00,00,00\r\n"
      L"\"none\"=hex(0):\r\n"
      L"\"x\\\"y\"=-\r\n"
      L"\r\n";
  const RegScriptReadResult result = RegScript_ReadBytes(RegScriptHeaderBytes() + RegScriptBytes(text));
  ASSERT_TRUE(result.ok) << std::string(result.error.begin(), result.error.end());
  const std::wstring k = L"Soft\\a\"b [x]";
  RegRecord deleted = Value(k, L"x\"y", REG_NONE, {});
  deleted.kind = RegRecordKind::DeleteValue;
  const std::vector<RegRecord> expected = {
      Key(L"Old", RegRecordKind::DeleteKey),
      Key(k),
      Value(k, L"", REG_SZ, {'q', 0, '\\', 0, 'z', 0, '"', 0, 'w', 0, 0, 0}),
      Value(k, L"line", REG_SZ, {'A', 0, '\n', 0, 'B', 0, 0, 0}),
      Value(k, L"d", REG_DWORD, {0xFF, 0, 0, 0}),
      Value(k, L"big", REG_BINARY, {1, 2, 0x0A, 0xFF}),
      Value(k, L"e", REG_EXPAND_SZ, {0x41, 0, 0, 0}),
      Value(k, L"none", REG_NONE, {}),
      deleted,
  };
  EXPECT_EQ(result.records, expected);
}

TEST(RegScriptReader, RefusesWhatItCannotReadWithCertainty) {
  const std::pair<const char*, std::wstring> cases[] = {
      {"value_before_any_key", L"\"a\"=\"b\"\r\n"},
      {"value_after_key_deletion", L"[-HKLM\\A]\r\n\"a\"=\"b\"\r\n"},
      {"unknown_root", L"[HKEY_NOWHERE\\A]\r\n"},
      {"no_closing_bracket", L"[HKLM\\A\r\n"},
      {"unterminated_string", L"[HKLM\\A]\r\n\"a\"=\"b\r\n"},
      {"unknown_escape", L"[HKLM\\A]\r\n\"a\"=\"\\t\"\r\n"},
      {"text_after_string", L"[HKLM\\A]\r\n\"a\"=\"b\" x\r\n"},
      {"bad_hex_byte", L"[HKLM\\A]\r\n\"a\"=hex:1G\r\n"},
      {"three_digit_hex_byte", L"[HKLM\\A]\r\n\"a\"=hex:100\r\n"},
      {"trailing_comma", L"[HKLM\\A]\r\n\"a\"=hex:01,\r\n"},
      {"continuation_past_end", L"[HKLM\\A]\r\n\"a\"=hex:01,\\\r\n"},
      {"long_dword", L"[HKLM\\A]\r\n\"a\"=dword:123456789\r\n"},
      {"unknown_data_form", L"[HKLM\\A]\r\n\"a\"=qword:1\r\n"},
      {"stray_text", L"[HKLM\\A]\r\nhello\r\n"},
  };
  for (const auto& [label, text] : cases) {
    const RegScriptReadResult result = RegScript_ReadText(text);
    EXPECT_FALSE(result.ok) << label;
    EXPECT_TRUE(result.records.empty()) << label;
    EXPECT_FALSE(result.error.empty()) << label;
  }
}

TEST(RegScriptReader, NeedsByteOrderMarkAndHeader) {
  const std::string body = RegScriptBytes(L"[HKLM\\A]\r\n");
  EXPECT_TRUE(RegScript_ReadBytes(RegScriptHeaderBytes() + body).ok);
  EXPECT_FALSE(RegScript_ReadBytes(RegScriptHeaderBytes().substr(2) + body).ok);
  EXPECT_FALSE(RegScript_ReadBytes("REGEDIT4\r\n\r\n[HKLM\\A]\r\n").ok);
  EXPECT_FALSE(RegScript_ReadBytes(RegScriptHeaderBytes() + body + "x").ok);
}

}  // namespace
}  // namespace keytidy
