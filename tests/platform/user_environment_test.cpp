// Whose variables a path in a user's hive is read with: the expansion
// rules, which hives count as users, and a second user's environment put
// together from the profile list and that user's hive.
#include <windows.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/handles.h"
#include "platform/judged_user.h"
#include "platform/registry.h"
#include "platform/registry_view.h"
#include "platform/text.h"
#include "platform/user_environment.h"
#include "platform/user_hives.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

const std::wstring kProfileList = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const std::wstring kOther = L"S-1-5-21-1111-2222-3333-1001";
const std::wstring kNoProfile = L"S-1-5-21-1111-2222-3333-1002";

TEST(UserEnvironment, ExpandsOnlyWhatTheLookupKnows) {
  const auto lookup = [](const std::wstring& name) -> std::wstring {
    if (EqualsIgnoreCaseAscii(name, L"APPDATA")) return L"D:\\Ann\\Roaming";
    if (name == L"A") return L"x";
    return {};
  };
  const struct {
    const wchar_t* text;
    const wchar_t* expanded;
  } rows[] = {
      {L"%AppData%\\Tool\\tool.exe", L"D:\\Ann\\Roaming\\Tool\\tool.exe"},
      {L"%USERPROFILE%\\tool.exe", L"%USERPROFILE%\\tool.exe"},  // unknown: stays, so no drive path
      {L"%NOPE%A%", L"%NOPEx"},                                  // an unknown's closing % opens the next
      {L"100%", L"100%"},
      {L"%%", L"%%"},
      {L"", L""},
  };
  for (const auto& row : rows) EXPECT_EQ(Expand_WithLookup(row.text, lookup), row.expanded) << row.text;
}

TEST(UserEnvironment, AccountHivesAndTheUserOfAPlace) {
  const struct {
    const wchar_t* name;
    bool account;
  } names[] = {
      {L"S-1-5-21-0-0-0-1000", true}, {L"S-1-5-21-1111-2222-3333-1001", true},
      {L"s-1-5-21-1-2", true},        {L"S-1-5-21-1111-2222-3333-1001_Classes", false},
      {L".DEFAULT", false},           {L"S-1-5-18", false},
      {L"S-1-5-19", false},           {L"S-1-5-21-", false},
      {L"S-1-5-21-1--2", false},      {L"S-1-5-21-1-2-", false},
  };
  for (const auto& row : names) EXPECT_EQ(IsAccountSid(row.name), row.account) << row.name;

  const struct {
    RootKey root;
    const wchar_t* key;
    const wchar_t* user;
  } places[] = {
      {ROOT_HKEY_USERS, L"S-1-5-21-1111-2222-3333-1001\\Software\\Run", L"S-1-5-21-1111-2222-3333-1001"},
      {ROOT_HKEY_USERS, L"S-1-5-21-1111-2222-3333-1001_Classes\\.txt", L"S-1-5-21-1111-2222-3333-1001"},
      {ROOT_HKEY_USERS, L".DEFAULT\\Software", L""},
      {ROOT_HKEY_USERS, L"S-1-5-18\\Software", L""},
      {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\S-1-5-21-1-2", L""},
      {ROOT_HKEY_CLASSES_ROOT, L".txt", L""},
  };
  for (const auto& row : places) EXPECT_EQ(UserOfPlace(row.root, row.key), row.user) << row.key;
}

// The desktop user's token when the program runs as someone else; here
// the process's own token stands in for it (under Wine the desktop user
// is the running account), so both must agree.
TEST(UserEnvironment, FromALogonToken) {
  HANDLE raw = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_IMPERSONATE, &raw));
  UniqueHandle token(raw);
  const std::optional<UserEnvironment> fromToken = UserEnvironment_FromToken(token.get());
  ASSERT_TRUE(fromToken.has_value());
  EXPECT_EQ(fromToken->source, UserEnvironmentSource::Token);
  const UserEnvironment own = UserEnvironment_Of(GetProcessUserSid());
  for (const wchar_t* name : {L"USERPROFILE", L"APPDATA", L"LOCALAPPDATA"}) {
    EXPECT_FALSE(fromToken->Value(name).empty()) << Utf16ToUtf8(name);
    EXPECT_TRUE(EqualsIgnoreCaseAscii(fromToken->Value(name), own.Value(name))) << Utf16ToUtf8(name);
  }
  EXPECT_EQ(fromToken->profileFolder, fromToken->Value(L"USERPROFILE"));
}

// A user signed in beside the desktop user, as HKEY_USERS shows one: a
// profile list entry, a hive with its own temp folder and a shell folder
// moved elsewhere. A user with a hive but no profile entry has nothing
// per user to be told.
TEST(UserEnvironment, SecondUserFromTheProfileRegistry) {
  test::TempFolder temp;
  test::RealRegistryFixture registry;
  const std::wstring profile = temp.Path() + L"\\Other";
  registry.WriteString(ROOT_HKEY_LOCAL_MACHINE, kProfileList + L"\\" + kOther, L"ProfileImagePath", profile,
                       REG_EXPAND_SZ);
  registry.WriteString(ROOT_HKEY_USERS, kOther + L"\\Environment", L"TEMP", L"%USERPROFILE%\\MyTemp", REG_EXPAND_SZ);
  registry.WriteString(ROOT_HKEY_USERS,
                       kOther + L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                       L"Local AppData", L"%USERPROFILE%\\Local", REG_EXPAND_SZ);
  registry.CreateKey(ROOT_HKEY_USERS, kNoProfile + L"\\Software");

  const UserEnvironment other = UserEnvironment_Of(kOther);
  EXPECT_EQ(other.source, UserEnvironmentSource::ProfileRegistry);
  EXPECT_EQ(other.profileFolder, profile);
  const struct {
    const wchar_t* name;
    std::wstring value;
  } rows[] = {
      {L"USERPROFILE", profile},
      {L"APPDATA", profile + L"\\AppData\\Roaming"},  // the default below the profile
      {L"LOCALAPPDATA", profile + L"\\Local"},        // the user's own shell folder
      {L"TEMP", profile + L"\\MyTemp"},               // the user's own variable
      {L"TMP", profile + L"\\Local\\Temp"},
      {L"SystemRoot", WindowsFolder()},  // the machine's, shared
  };
  for (const auto& row : rows) EXPECT_TRUE(EqualsIgnoreCaseAscii(other.Value(row.name), row.value)) << row.name;

  const UserEnvironment none = UserEnvironment_Of(kNoProfile);
  EXPECT_EQ(none.source, UserEnvironmentSource::None);
  EXPECT_EQ(none.Value(L"APPDATA"), L"");
  EXPECT_EQ(none.Value(L"USERPROFILE"), L"");
  EXPECT_FALSE(none.Value(L"SystemRoot").empty());

  // The running account's own hive is judged with its own environment.
  EXPECT_EQ(UserEnvironment_Of(GetProcessUserSid()).source, UserEnvironmentSource::Process);

  // While a pass judges the other user, HKEY_CURRENT_USER and %APPDATA%
  // are theirs; afterwards they are the desktop user's again.
  const std::wstring desktopUser = JudgedUserSid();
  {
    JudgedUserScope judged(kOther);
    EXPECT_EQ(JudgedUserSid(), kOther);
    RootKey root = ROOT_HKEY_CURRENT_USER;
    std::wstring key = L"Software";
    Reg_RedirectCurrentUser(root, key);
    EXPECT_EQ(root, ROOT_HKEY_USERS);
    EXPECT_EQ(key, kOther + L"\\Software");
    std::wstring text = L"%APPDATA%\\x.exe";
    ASSERT_TRUE(Expand_ForView(text, RegistryView::Native));
    EXPECT_TRUE(EqualsIgnoreCaseAscii(text, profile + L"\\AppData\\Roaming\\x.exe")) << Utf16ToUtf8(text);
  }
  EXPECT_EQ(JudgedUserSid(), desktopUser);
  EXPECT_TRUE(IsLoadedUserSid(kOther));
  EXPECT_TRUE(IsLoadedUserSid(kNoProfile));
  EXPECT_FALSE(IsLoadedUserSid(L".DEFAULT"));
}

}  // namespace
}  // namespace keytidy
