// Raw registry data as the evidence pane shows it: whole, as stored, with
// nothing that could hide part of it (a null inside a string, a number of
// the wrong size, an unknown type).
#include "cleaner/raw_value_text.h"

#include <gtest/gtest.h>

namespace keytidy {
namespace {

RegBytes Utf16Bytes(std::wstring_view text) {
  RegBytes bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

TEST(RawValueText, DataAsStored) {
  using namespace std::string_view_literals;
  struct Case {
    const char* name;
    RegValueData raw;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {"string with its closing null",
       {REG_SZ, Utf16Bytes(L"\"C:\\Tools\\a b.exe\" /x\0"sv)},
       L"\"C:\\Tools\\a b.exe\" /x"},
      {"string stored without a closing null",
       {REG_EXPAND_SZ, Utf16Bytes(L"%SystemRoot%\\x.dll"sv)},
       L"%SystemRoot%\\x.dll"},
      {"null inside a string", {REG_SZ, Utf16Bytes(L"a.dll\0hidden\0"sv)}, L"a.dll\\0hidden"},
      {"odd last byte of a string", {REG_SZ, {'a', 0, 'b'}}, L"a"},
      {"string list", {REG_MULTI_SZ, Utf16Bytes(L"one\0two\0\0"sv)}, L"one\r\ntwo"},
      {"DWORD", {REG_DWORD, {0x10, 0x27, 0, 0}}, L"0x00002710 (10000)"},
      {"DWORD of the wrong size", {REG_DWORD, {1, 2}}, L"01 02"},
      {"QWORD", {REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0x80}}, L"0x8000000000000001 (9223372036854775809)"},
      {"binary", {REG_BINARY, {0x00, 0xab, 0xff}}, L"00 ab ff"},
      {"no data", {REG_BINARY, {}}, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RawDataText(c.raw), c.shown);
  }
}

TEST(RawValueText, TypeNames) {
  EXPECT_EQ(RegTypeName(REG_EXPAND_SZ), L"REG_EXPAND_SZ");
  EXPECT_EQ(RegTypeName(REG_QWORD), L"REG_QWORD");
  EXPECT_EQ(RegTypeName(0x2A), L"REG_0x0000002A");
}

}  // namespace
}  // namespace keytidy
