// "--user": the real keytidy-cli.exe judging the hives of two signed-in
// users and of one whose profile is unknown, each with that user's own
// %APPDATA%; findings name their user, a clean records each user, and
// restore puts every value back into the hive it came from.
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "backup/backup_set.h"
#include "platform/environment.h"
#include "platform/environment_strings.h"
#include "platform/text.h"
#include "support/category_switches.h"
#include "support/folder_tree.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

using nlohmann::json;
using test::CliPath;
using test::Quote;
using test::ReadFileBytes;
using test::RunProgram;
using test::TempFolder;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr RootKey HKU = ROOT_HKEY_USERS;
const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kProfileList = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const std::wstring kOther = L"S-1-5-21-1111-2222-3333-1001";
const std::wstring kNoProfile = L"S-1-5-21-1111-2222-3333-1002";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void CreateFolders(const std::wstring& folder) {
  for (size_t slash = folder.find(L'\\', 3);; slash = folder.find(L'\\', slash + 1)) {
    CreateDirectoryW(folder.substr(0, slash).c_str(), nullptr);
    if (slash == std::wstring::npos) return;
  }
}

void CreateTool(const std::wstring& folder) {
  CreateFolders(folder);
  test::WriteFileBytes(folder + L"\\tool.exe", "MZ");
}

// One Run value: whose hive (empty: the machine's), its name and command,
// and whether a search of that user finds it stale.
struct Entry {
  std::wstring user;
  const wchar_t* name;
  std::wstring command;
  bool stale;
};

class UserPasses : public ::testing::Test {
 protected:
  UserPasses() : desktop_(GetInteractiveUserSid()), profile_(temp_.Path() + L"\\Other") {
    Get_EnvVariable(L"APPDATA", ownAppData_, true);
    registry_.WriteString(HKLM, kProfileList + L"\\" + kOther, L"ProfileImagePath", profile_, REG_EXPAND_SZ);
    // Present only in the other user's profile, and only in the running
    // account's: the same text is stale for the one and not the other.
    CreateTool(profile_ + L"\\AppData\\Roaming\\KeytidyUsersTheirs");
    CreateTool(ownAppData_ + L"\\KeytidyUsersMine");
    entries_ = {
        {kOther, L"KeytidyUsersTheirs", L"%APPDATA%\\KeytidyUsersTheirs\\tool.exe", false},
        {kOther, L"KeytidyUsersMine", L"%APPDATA%\\KeytidyUsersMine\\tool.exe", true},
        {desktop_, L"KeytidyUsersDesktopMine", L"%APPDATA%\\KeytidyUsersMine\\tool.exe", false},
        {desktop_, L"KeytidyUsersDesktopTheirs", L"%APPDATA%\\KeytidyUsersTheirs\\tool.exe", true},
        // Without a profile folder, %APPDATA% names nothing: cannot tell.
        {kNoProfile, L"KeytidyUsersUnknown", L"%APPDATA%\\KeytidyUsersGone\\tool.exe", false},
        {kNoProfile, L"KeytidyUsersStale", temp_.Path() + L"\\gone\\tool.exe", true},
        {L"", L"KeytidyUsersMachine", temp_.Path() + L"\\gone\\machine.exe", true},
    };
    for (const Entry& entry : entries_)
      registry_.WriteString(entry.user.empty() ? HKLM : HKU, RunKey(entry.user), entry.name, entry.command,
                            REG_EXPAND_SZ);
  }
  ~UserPasses() override { test::RemoveFolderTree(ownAppData_ + L"\\KeytidyUsersMine"); }

  static std::wstring RunKey(const std::wstring& user) { return user.empty() ? kRun : user + L"\\" + kRun; }

  test::RunResult Cli(const std::wstring& arguments) const { return RunProgram(Quote(CliPath()) + L" " + arguments); }

  // Our findings of a JSON file: value name -> the user it names.
  std::map<std::wstring, std::wstring> Found(const std::wstring& file) const {
    std::map<std::wstring, std::wstring> found;
    const json document = json::parse(ReadFileBytes(file));
    for (const json& finding : document["findings"]) {
      const std::wstring value = Utf8ToUtf16(finding["value"].get<std::string>());
      if (value.starts_with(L"KeytidyUsers")) {
        EXPECT_FALSE(found.contains(value)) << "listed twice: " << Utf16ToUtf8(value);
        found[value] = Utf8ToUtf16(finding["user"].get<std::string>());
      }
    }
    return found;
  }

  // What a search of `users` should list.
  std::map<std::wstring, std::wstring> Expected(const std::vector<std::wstring>& users) const {
    std::map<std::wstring, std::wstring> expected;
    for (const Entry& entry : entries_)
      if (entry.stale && (entry.user.empty() || std::find(users.begin(), users.end(), entry.user) != users.end()))
        expected[entry.name] = entry.user;
    return expected;
  }

  test::OnlyCategories leftovers_{OptionSwitch::RC_Leftovers};
  TempFolder temp_;
  test::RealRegistryFixture registry_;
  std::wstring desktop_;
  std::wstring profile_;
  std::wstring ownAppData_;
  std::vector<Entry> entries_;
};

TEST_F(UserPasses, EachUserIsJudgedWithTheirOwnEnvironment) {
  ASSERT_FALSE(desktop_.empty());
  const struct {
    const wchar_t* option;
    std::vector<std::wstring> users;
  } runs[] = {
      {L"", {desktop_}},
      {L"--user all", {desktop_, kOther, kNoProfile}},
      {L"--user S-1-5-21-1111-2222-3333-1001", {kOther}},
  };
  for (const auto& run : runs) {
    const std::wstring file = temp_.File(L"scan.json");
    const test::RunResult scan = Cli(L"scan --quiet --json " + Quote(file) + L" " + run.option);
    ASSERT_EQ(scan.exitCode, 0u) << scan.output;
    EXPECT_EQ(Found(file), Expected(run.users)) << Utf16ToUtf8(run.option);
  }

  // The report names the user of each finding in a user's hive.
  const std::wstring report = temp_.File(L"report.txt");
  ASSERT_EQ(Cli(L"scan --quiet --user all --report " + Quote(report)).exitCode, 0u);
  const std::string text = ReadFileBytes(report);
  EXPECT_TRUE(Has(text, "\"KeytidyUsersMine\" in HKEY_USERS\\" + Utf16ToUtf8(kOther) +
                            "\\SOFTWARE\\Microsoft\\"
                            "Windows\\CurrentVersion\\Run> <User=" +
                            Utf16ToUtf8(kOther) + ">\r\n"))
      << text;
  EXPECT_TRUE(Has(text,
                  "\"KeytidyUsersMachine\" in HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"
                  "CurrentVersion\\Run>\r\n"))
      << text;
}

TEST_F(UserPasses, OnlyLoadedUserHivesCanBeChosen) {
  const struct {
    const wchar_t* arguments;
    const char* message;
  } rows[] = {
      {L"scan --user S-1-5-21-9-9-9-9", "no loaded user hive belongs to 'S-1-5-21-9-9-9-9'"},
      {L"scan --user .DEFAULT", "no loaded user hive belongs to '.DEFAULT'"},
      {L"scan --user S-1-5-18", "no loaded user hive belongs to 'S-1-5-18'"},
      {L"clean --user S-1-5-21-1111-2222-3333-1001_Classes", "no loaded user hive belongs to"},
      {L"scan --user", "usage: scan"},
  };
  for (const auto& row : rows) {
    const test::RunResult run = Cli(row.arguments);
    EXPECT_EQ(run.exitCode, 2u) << Utf16ToUtf8(row.arguments);
    EXPECT_TRUE(Has(run.output, row.message)) << run.output;
  }

  const test::RunResult info = Cli(L"info");
  ASSERT_EQ(info.exitCode, 0u) << info.output;
  const struct {
    std::wstring sid;
    std::string rest;
  } users[] = {
      {desktop_, "environment: process  (desktop user)\r\n"},
      {kOther, "profile: " + Utf16ToUtf8(profile_) + "  environment: profile registry\r\n"},
      {kNoProfile, "profile: (unknown)  environment: none\r\n"},
  };
  for (const auto& user : users) {
    const size_t line = info.output.find("  " + Utf16ToUtf8(user.sid) + "  account: ");
    ASSERT_NE(line, std::string::npos) << info.output;
    EXPECT_TRUE(Has(info.output.substr(line, info.output.find("\r\n", line) + 2 - line), user.rest)) << info.output;
  }
}

TEST_F(UserPasses, CleanAllRecordsEachUserAndRestorePutsEachValueBackInItsOwnHive) {
  const test::RunResult clean = Cli(L"clean --quiet --no-restore-point --user all");
  ASSERT_EQ(clean.exitCode, 0u) << clean.output;
  for (const Entry& entry : entries_)
    EXPECT_EQ(Reg_ValueExists(entry.user.empty() ? HKLM : HKU, RunKey(entry.user), entry.name), !entry.stale)
        << Utf16ToUtf8(entry.name);

  const size_t at = clean.output.find("Backup: ");
  ASSERT_NE(at, std::string::npos) << clean.output;
  const std::wstring script = Utf8ToUtf16(clean.output.substr(at + 8, clean.output.find("\r\n", at) - at - 8));
  const std::vector<std::wstring> recorded = Backup_Users(Backup_DescriptorPath(script));
  for (const std::wstring& user : {desktop_, kOther, kNoProfile})
    EXPECT_NE(std::find(recorded.begin(), recorded.end(), user), recorded.end()) << Utf16ToUtf8(user);

  std::wstring name = script.substr(script.rfind(L'\\') + 1);
  name.resize(name.size() - 4);
  const test::RunResult restore = Cli(L"restore " + name);
  EXPECT_EQ(restore.exitCode, 0u) << restore.output;
  for (const Entry& entry : entries_) {
    const RootKey root = entry.user.empty() ? HKLM : HKU;
    EXPECT_EQ(Reg_ReadString(root, RunKey(entry.user), entry.name), entry.command) << Utf16ToUtf8(entry.name);
  }
  // Nothing went into another user's hive.
  for (const std::wstring& user : {desktop_, kOther, kNoProfile})
    for (const Entry& entry : entries_) {
      if (entry.user != user) EXPECT_FALSE(Reg_ValueExists(HKU, RunKey(user), entry.name)) << Utf16ToUtf8(user);
    }
  for (const wchar_t* extension : {L".reg", L".ini"})
    DeleteFileW((script.substr(0, script.size() - 4) + extension).c_str());
}

// The same class in two users' own classes: broken for the one, working for
// the other. Each pass sees its own user's classes over the machine's, so
// the finding is the broken user's, and the clean deletes it in that
// user's hive only.
TEST_F(UserPasses, EachUsersOwnClassesAreJudgedAndCleanedInTheirHive) {
  const std::wstring name = L"KeytidyUsersClass" + std::to_wstring(GetCurrentProcessId());
  const auto classKey = [&](const std::wstring& user) { return user + L"\\Software\\Classes\\" + name; };
  registry_.WriteString(HKU, classKey(kOther) + L"\\shell\\open\\command", L"",
                        L"\"" + temp_.Path() + L"\\gone\\app.exe\" \"%1\"", REG_SZ);
  registry_.WriteString(HKU, classKey(desktop_) + L"\\shell\\open\\command", L"",
                        L"\"C:\\windows\\system32\\cmd.exe\" /c \"%1\"", REG_SZ);
  const std::wstring jsonFile = temp_.File(L"classes.json");
  const test::RunResult scan = Cli(L"scan --quiet --category file-types --user all --json " + Quote(jsonFile));
  ASSERT_EQ(scan.exitCode, 0u) << scan.output;
  std::vector<std::wstring> users;
  const json document = json::parse(ReadFileBytes(jsonFile));
  for (const json& finding : document["findings"])
    if (Utf8ToUtf16(finding["key"].get<std::string>()).find(name) != std::wstring::npos)
      users.push_back(Utf8ToUtf16(finding["user"].get<std::string>()));
  EXPECT_EQ(users, std::vector<std::wstring>{kOther}) << ReadFileBytes(jsonFile);

  const test::RunResult clean = Cli(L"clean --quiet --no-restore-point --category file-types --user all");
  ASSERT_EQ(clean.exitCode, 0u) << clean.output;
  EXPECT_FALSE(Reg_KeyExists(HKU, classKey(kOther)));
  EXPECT_TRUE(Reg_KeyExists(HKU, classKey(desktop_) + L"\\shell\\open\\command"));
  const size_t at = clean.output.find("Backup: ");
  ASSERT_NE(at, std::string::npos) << clean.output;
  const std::wstring script = Utf8ToUtf16(clean.output.substr(at + 8, clean.output.find("\r\n", at) - at - 8));
  for (const wchar_t* extension : {L".reg", L".ini"})
    DeleteFileW((script.substr(0, script.size() - 4) + extension).c_str());
}

}  // namespace
}  // namespace keytidy
