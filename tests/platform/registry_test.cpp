// The registry layer against Wine's real registry: conversions per type,
// failure results, the delete sequence and the current-user redirection.
#include "platform/registry.h"

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::RegistrySandbox;

class RegistryLayer : public RegistrySandbox {};

// One stored value and what each read operation makes of it.
struct ConversionCase {
  const char* label;
  DWORD type;
  std::vector<std::uint8_t> data;
  std::wstring asString;
  std::int32_t asInteger;
  std::int64_t asInt64;
};

std::vector<std::uint8_t> Bytes(const std::wstring& text, bool withZero = true) {
  std::vector<std::uint8_t> bytes((text.size() + (withZero ? 1 : 0)) * sizeof(wchar_t), 0);
  std::memcpy(bytes.data(), text.data(), text.size() * sizeof(wchar_t));
  return bytes;
}

std::vector<std::uint8_t> Le(std::uint64_t value, size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return bytes;
}

std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const ConversionCase kConversions[] = {
    {"sz_number", REG_SZ, Bytes(L"42"), L"42", 42, 42},
    {"sz_text", REG_SZ, Bytes(L"abc"), L"abc", 0, 0},
    {"sz_negative", REG_SZ, Bytes(L"-17"), L"-17", -17, -17},
    {"sz_long_number", REG_SZ, Bytes(L"123456789012"), L"123456789012", 0, 123456789012},
    {"sz_without_terminator", REG_SZ, Bytes(L"7x", false), L"7x", 0, 0},
    {"sz_embedded_zero", REG_SZ, Concat(Bytes(L"12"), Bytes(L"34")), L"12", 12, 12},
    {"expand_sz_not_expanded", REG_EXPAND_SZ, Bytes(L"%SystemRoot%\\x"), L"%SystemRoot%\\x", 0, 0},
    {"multi_sz_first_string", REG_MULTI_SZ, Concat(Concat(Bytes(L"first"), Bytes(L"second")), Le(0, 2)), L"first", 0,
     0},
    {"dword_max", REG_DWORD, Le(0xFFFFFFFFu, 4), L"4294967295", -1, 4294967295LL},
    {"dword_seven", REG_DWORD, Le(7, 4), L"7", 7, 7},
    {"qword_negative", REG_QWORD, Le(static_cast<std::uint64_t>(-5LL), 8), L"-5", -5, -5},
    {"qword_big", REG_QWORD, Le(0x1'0000'0002ULL, 8), L"4294967298", 2, 0x1'0000'0002LL},
    {"binary_as_text", REG_BINARY, Concat(Bytes(L"hi"), Le(0xFFFF, 2)), L"hi", 0,
     static_cast<std::int64_t>(0xFFFF'000000690068ULL)},
    {"binary_small_number", REG_BINARY, Le(0x0102, 2), L"\x0102", 0x0102, 0x0102},
    {"binary_too_long_for_integer", REG_BINARY, Le(0x0102030405ULL, 5), L"\x0405\x0203", 0, 0x0102030405LL},
    {"none_type", REG_NONE, Le(3, 4), L"\x0003", 3, 3},
    {"link_type_ignored", REG_LINK, Bytes(L"x"), L"", 0, 0},
};

TEST_F(RegistryLayer, ReadConversionsPerType) {
  for (const ConversionCase& c : kConversions) {
    SCOPED_TRACE(c.label);
    const std::wstring name = std::wstring(c.label, c.label + std::strlen(c.label));
    RawWrite(ROOT_HKEY_LOCAL_MACHINE, Path(), name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, Path(), name), c.asString);
    EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_LOCAL_MACHINE, Path(), name), c.asInteger);
    EXPECT_EQ(Reg_ReadInt64(ROOT_HKEY_LOCAL_MACHINE, Path(), name), c.asInt64);
    // A glance reads a key's default value exactly as the string read does.
    RawWrite(ROOT_HKEY_LOCAL_MACHINE, Path(name), L"", c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    EXPECT_EQ(Reg_Glance(ROOT_HKEY_LOCAL_MACHINE, Path(name)).defaultText, c.asString);
  }
}

TEST_F(RegistryLayer, MissingKeysAndValuesGiveTheFailureResults) {
  const std::wstring missing = Path(L"missing");
  DWORD type = 99, size = 99;
  EXPECT_FALSE(Reg_KeyExists(ROOT_HKEY_LOCAL_MACHINE, missing));
  EXPECT_FALSE(Reg_ValueExists(ROOT_HKEY_LOCAL_MACHINE, Path(), L"nothing"));
  EXPECT_FALSE(Reg_ValueInfo(ROOT_HKEY_LOCAL_MACHINE, Path(), L"nothing", type, size));
  EXPECT_EQ(type, 99u);
  EXPECT_EQ(size, 99u);
  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, missing, L"x"), L"");
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_LOCAL_MACHINE, missing, L"x"), 0);
  EXPECT_EQ(Reg_ReadInt64(ROOT_HKEY_LOCAL_MACHINE, missing, L"x"), 0);
  EXPECT_EQ(Reg_ValueCount(ROOT_HKEY_LOCAL_MACHINE, missing), 0u);
  std::uint32_t values = 5, subKeys = 5;
  EXPECT_FALSE(Reg_KeyCounts(ROOT_HKEY_LOCAL_MACHINE, missing, values, subKeys));
  EXPECT_EQ(values, 0u);
  EXPECT_EQ(subKeys, 0u);
  std::vector<std::wstring> names{L"kept"};
  EXPECT_FALSE(Reg_GetValueNames(ROOT_HKEY_LOCAL_MACHINE, missing, names));
  EXPECT_EQ(names, std::vector<std::wstring>{L"kept"});
  EXPECT_FALSE(Reg_GetSubKeys(ROOT_HKEY_LOCAL_MACHINE, missing, names));
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, Path(), L"nothing"));
  EXPECT_EQ(Reg_RootKeyName(0x80000004u), L"");
  EXPECT_EQ(Reg_RootKeyName(ROOT_HKEY_CURRENT_CONFIG), L"HKEY_CURRENT_CONFIG");
}

TEST_F(RegistryLayer, ValueInfoAndCounts) {
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(), L"text", L"abc");
  RawWriteDword(ROOT_HKEY_LOCAL_MACHINE, Path(), L"number", 1);
  RawCreateKey(ROOT_HKEY_LOCAL_MACHINE, Path(L"child"));
  DWORD type = 0, size = 0;
  ASSERT_TRUE(Reg_ValueInfo(ROOT_HKEY_LOCAL_MACHINE, Path(), L"text", type, size));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(Reg_ValueCount(ROOT_HKEY_LOCAL_MACHINE, Path()), 2u);
  EXPECT_EQ(Reg_SubKeyCount(ROOT_HKEY_LOCAL_MACHINE, Path()), 1u);

  const RegKeyGlance glance = Reg_Glance(ROOT_HKEY_LOCAL_MACHINE, Path());
  EXPECT_TRUE(glance.exists);
  EXPECT_TRUE(glance.countsRead);
  EXPECT_EQ(glance.values, 2u);
  EXPECT_EQ(glance.subKeys, 1u);
  EXPECT_EQ(glance.defaultText, L"");
  const RegKeyGlance missing = Reg_Glance(ROOT_HKEY_LOCAL_MACHINE, Path(L"missing"));
  EXPECT_FALSE(missing.exists);
  EXPECT_FALSE(missing.countsRead);
}

TEST_F(RegistryLayer, ValueNamesAppendWhileSubKeysReplace) {
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(), L"a", L"1");
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(), L"b", L"2");
  RawCreateKey(ROOT_HKEY_LOCAL_MACHINE, Path(L"k1"));
  RawCreateKey(ROOT_HKEY_LOCAL_MACHINE, Path(L"k2"));

  std::vector<std::wstring> values;
  ASSERT_TRUE(Reg_GetValueNames(ROOT_HKEY_LOCAL_MACHINE, Path(), values));
  ASSERT_TRUE(Reg_GetValueNames(ROOT_HKEY_LOCAL_MACHINE, Path(), values));
  EXPECT_EQ(values, (std::vector<std::wstring>{L"a", L"b", L"a", L"b"}));

  std::vector<std::wstring> keys;
  ASSERT_TRUE(Reg_GetSubKeys(ROOT_HKEY_LOCAL_MACHINE, Path(), keys));
  ASSERT_TRUE(Reg_GetSubKeys(ROOT_HKEY_LOCAL_MACHINE, Path(), keys));
  EXPECT_EQ(keys, (std::vector<std::wstring>{L"k1", L"k2"}));
}

TEST_F(RegistryLayer, WritesCreateMissingKeysAndReadBack) {
  const std::wstring deep = Path(L"new\\deeper");
  ASSERT_TRUE(Reg_WriteString(ROOT_HKEY_LOCAL_MACHINE, deep, L"s", L"Grüße"));
  ASSERT_TRUE(Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, deep, L"i", -2));
  ASSERT_TRUE(Reg_WriteInt64(ROOT_HKEY_LOCAL_MACHINE, deep, L"q", 1LL << 40));
  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, deep, L"s"), L"Grüße");
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_LOCAL_MACHINE, deep, L"i"), -2);
  EXPECT_EQ(Reg_ReadInt64(ROOT_HKEY_LOCAL_MACHINE, deep, L"q"), 1LL << 40);
  DWORD type = 0, size = 0;
  ASSERT_TRUE(Reg_ValueInfo(ROOT_HKEY_LOCAL_MACHINE, deep, L"q", type, size));
  EXPECT_EQ(type, static_cast<DWORD>(REG_QWORD));
}

TEST_F(RegistryLayer, EmptyTextIsWrittenAsStringWithNoData) {
  ASSERT_TRUE(Reg_WriteString(ROOT_HKEY_LOCAL_MACHINE, Path(), L"empty", L""));
  DWORD type = 0, size = 99;
  ASSERT_TRUE(Reg_ValueInfo(ROOT_HKEY_LOCAL_MACHINE, Path(), L"empty", type, size));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, Path(), L"empty"), L"");
}

TEST_F(RegistryLayer, ReadBinaryLimits) {
  std::vector<std::uint8_t> full(8192, 0xAB), over(8193, 0xCD);
  RawWrite(ROOT_HKEY_LOCAL_MACHINE, Path(), L"full", REG_BINARY, full.data(), 8192);
  RawWrite(ROOT_HKEY_LOCAL_MACHINE, Path(), L"over", REG_BINARY, over.data(), 8193);
  RawWrite(ROOT_HKEY_LOCAL_MACHINE, Path(), L"empty", REG_BINARY, nullptr, 0);
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(), L"text", L"abc");

  RegBinaryBuffer buffer{};
  ASSERT_EQ(Reg_ReadBinary(ROOT_HKEY_LOCAL_MACHINE, Path(), L"full", buffer), 8192u);
  EXPECT_EQ(buffer[8191], 0xAB);
  EXPECT_EQ(Reg_ReadBinary(ROOT_HKEY_LOCAL_MACHINE, Path(), L"over", buffer), 0u);
  EXPECT_EQ(Reg_ReadBinary(ROOT_HKEY_LOCAL_MACHINE, Path(), L"empty", buffer), 0u);
  EXPECT_EQ(Reg_ReadBinary(ROOT_HKEY_LOCAL_MACHINE, Path(), L"text", buffer), 0u);
  // None of the refused reads touched the buffer.
  EXPECT_EQ(buffer[0], 0xAB);
  EXPECT_EQ(buffer[8191], 0xAB);
}

TEST_F(RegistryLayer, DeleteKeyRemovesNestedLevels) {
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(L"victim\\one\\two\\three"), L"v", L"x");
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(L"victim\\sibling"), L"v", L"x");
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(L"victim"), L"top", L"x");
  RawCreateKey(ROOT_HKEY_LOCAL_MACHINE, Path(L"neighbour"));

  EXPECT_TRUE(Reg_DeleteKey(ROOT_HKEY_LOCAL_MACHINE, Path(L"victim")));
  EXPECT_FALSE(RawKeyExists(ROOT_HKEY_LOCAL_MACHINE, Path(L"victim")));
  EXPECT_TRUE(RawKeyExists(ROOT_HKEY_LOCAL_MACHINE, Path(L"neighbour")));
  // A key that never existed counts as deleted.
  EXPECT_TRUE(Reg_DeleteKey(ROOT_HKEY_LOCAL_MACHINE, Path(L"never\\there")));
}

TEST_F(RegistryLayer, DeleteKeyRefusesAWholeRoot) {
  for (const wchar_t* path : {L"", L"\\", L"  "}) {
    SCOPED_TRACE(testing::Message() << "path length " << std::wcslen(path));
    EXPECT_FALSE(Reg_DeleteKey(ROOT_HKEY_CURRENT_USER, path));
  }
  EXPECT_TRUE(RawKeyExists(ROOT_HKEY_CURRENT_USER, Path()));
}

TEST_F(RegistryLayer, DeleteValueRemovesOnlyThatValue) {
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"gone", L"1");
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"stays", L"1");
  EXPECT_TRUE(Reg_DeleteValue(ROOT_HKEY_CURRENT_USER, Path(), L"gone"));
  EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"gone"));
  EXPECT_TRUE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"stays"));
}

TEST_F(RegistryLayer, RedirectCurrentUser) {
  const std::wstring saved = InteractiveUserSid();
  struct Case {
    std::wstring sid;
    RootKey root;
    RootKey expectedRoot;
    std::wstring expectedPath;
  };
  const Case cases[] = {
      {L"S-1-5-21-1", ROOT_HKEY_CURRENT_USER, ROOT_HKEY_USERS, L"S-1-5-21-1\\Software\\X"},
      {L"S-1-5-21-1", ROOT_HKEY_LOCAL_MACHINE, ROOT_HKEY_LOCAL_MACHINE, L"Software\\X"},
      {L"", ROOT_HKEY_CURRENT_USER, ROOT_HKEY_CURRENT_USER, L"Software\\X"},
  };
  for (const Case& c : cases) {
    Set_InteractiveUserSid(c.sid);
    RootKey root = c.root;
    std::wstring path = L"Software\\X";
    Reg_RedirectCurrentUser(root, path);
    EXPECT_EQ(root, c.expectedRoot);
    EXPECT_EQ(path, c.expectedPath);
  }
  Set_InteractiveUserSid(saved);
}

TEST_F(RegistryLayer, RedirectedPathReachesTheDesktopUsersHive) {
  // Wine's desktop user owns HKEY_CURRENT_USER, so the redirected path must
  // name the same key. The user is found through the desktop's explorer.exe,
  // which Windows always runs; Wine starts it with the first process that
  // asks for the desktop window, so a test run alone asks first and waits.
  GetDesktopWindow();
  std::wstring sid;
  for (int attempt = 0; attempt < 50 && sid.empty(); ++attempt) {
    sid = GetInteractiveUserSid();
    if (sid.empty()) Sleep(100);
  }
  ASSERT_FALSE(sid.empty());
  const std::wstring saved = InteractiveUserSid();
  Set_InteractiveUserSid(sid);
  RawWriteString(ROOT_HKEY_CURRENT_USER, Path(), L"marker", L"here");
  RootKey root = ROOT_HKEY_CURRENT_USER;
  std::wstring path = Path();
  Reg_RedirectCurrentUser(root, path);
  EXPECT_EQ(Reg_ReadString(root, path, L"marker"), L"here");
  Set_InteractiveUserSid(saved);
}

TEST(RegistryView, SixtyFourBitViewOnSixtyFourBitWindows) {
  // This build is 64-bit, so Windows is 64-bit and keys open in the native view.
  EXPECT_EQ(Use64BitView(), IsWindows64());
#ifdef _WIN64
  EXPECT_TRUE(Use64BitView());
#endif
}

}  // namespace
}  // namespace keytidy
