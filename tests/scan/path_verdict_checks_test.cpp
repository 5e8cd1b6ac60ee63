// How the checks judge paths that only look like command lines, folders
// standing where a file is expected, and paths longer than MAX_PATH: the
// real keys, real files, and the paths each check ends up testing.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "scan/decode_rot13.h"
#include "support/long_paths.h"

namespace keytidy {
namespace {

using Paths = std::vector<std::string>;
using ::testing::UnorderedElementsAreArray;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;
const std::wstring kUserAssistCount =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
    L"{Keytidy-Verdicts}\\Count";
const std::wstring kMuiCache = L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
const std::wstring kShared = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";
const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::wstring kRun = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class PathVerdictChecks : public test::CheckTest {
 protected:
  PathVerdictChecks() : previousSid_(InteractiveUserSid()) { Set_InteractiveUserSid(GetInteractiveUserSid()); }
  ~PathVerdictChecks() override { Set_InteractiveUserSid(previousSid_); }

  // The tested path (FullPath) of each of our findings of `group`.
  Paths FoundPaths(CheckId group) const {
    Paths paths;
    const std::string prefix = std::to_string(Number(group)) + "/";
    for (const std::string& line : OurFindings()) {
      if (line.rfind(prefix, 0) != 0) continue;
      const std::size_t start = line.find(" | ") + 3;
      paths.push_back(line.substr(start, line.find(" | ", start) - start));
    }
    return paths;
  }
  static Paths Expected(std::initializer_list<const wchar_t*> rows, const std::wstring& base) {
    Paths paths;
    for (const wchar_t* row : rows) paths.push_back(Utf16ToUtf8(ReplaceAllIgnoreCase(row, L"{T}", base)));
    return paths;
  }

  void Counter(const std::wstring& decodedName) {
    const DWORD count = 1;
    registry.Write(HKCU, kUserAssistCount, Decode_Rot13(decodedName), REG_DWORD, &count, sizeof(count));
  }
  void SharedCount(const std::wstring& name) {
    const DWORD count = 1;
    registry.Write(HKLM, kShared, name, REG_DWORD, &count, sizeof(count));
  }
  void Folder(const std::wstring& path) { ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << Utf16ToUtf8(path); }

 private:
  std::wstring previousSid_;
};

struct NameRow {
  const wchar_t* name;    // {T} is the temporary folder
  const wchar_t* tested;  // the path reported as missing; null: not reported
};

// Value names that are whole paths holding ".exe " (a shortcut Explorer
// named after its program), a folder, an application identifier.
const NameRow kNameRows[] = {
    {L"{T}\\Desktop\\tool.exe - Shortcut.lnk", nullptr},
    {L"{T}\\Desktop\\Setup.exe files", nullptr},
    {L"{T}\\gone\\tool.exe - Shortcut.lnk", L"{T}\\gone\\tool.exe"},  // nothing there: cut as a command
    {L"{T}\\gone\\a.exe", L"{T}\\gone\\a.exe"},
    {L"{T}\\Desktop\\here.exe", nullptr},
    {L"Keytidy.Tools.Viewer", nullptr},  // no path at all
};

TEST_F(PathVerdictChecks, NamesThatAreWholePathsAreTestedWhole) {
  Touch(T(L"{T}\\Desktop\\tool.exe - Shortcut.lnk"));
  Touch(T(L"{T}\\Desktop\\here.exe"));
  Folder(T(L"{T}\\Desktop\\Setup.exe files"));
  Paths expected;
  for (const NameRow& row : kNameRows) {
    Counter(T(row.name));
    // The display-name cache adds its suffix to every kind of name.
    registry.WriteString(HKCU, kMuiCache, T(row.name) + L".FriendlyAppName", L"Keytidy");
    registry.WriteString(HKCU, kMuiCache, T(row.name) + L".ApplicationCompany", L"Keytidy");
    if (row.tested) expected.push_back(T8(row.tested));
  }

  engine.SEARCH_WINDOWSHISTORY_USERASSIST(CheckId::UserAssist, FilterCategory::History);
  engine.SEARCH_MUI_CACHE(CheckId::MuiCache, FilterCategory::History);

  EXPECT_THAT(FoundPaths(CheckId::UserAssist), UnorderedElementsAreArray(expected));
  Paths twice = expected;
  twice.insert(twice.end(), expected.begin(), expected.end());
  EXPECT_THAT(FoundPaths(CheckId::MuiCache), UnorderedElementsAreArray(twice));
}

TEST_F(PathVerdictChecks, AFolderWhereAFileIsExpectedIsPresent) {
  Folder(T(L"{T}\\Tools"));
  Folder(T(L"{T}\\Shared.dll"));
  SharedCount(T(L"{T}\\Shared.dll"));
  SharedCount(T(L"{T}\\GoneShared.dll"));
  registry.WriteString(HKLM, kAppPaths + L"\\KeytidyFolder.exe", L"", T(L"{T}\\Tools"));
  registry.WriteString(HKLM, kAppPaths + L"\\KeytidyGoneFolder.exe", L"", T(L"{T}\\GoneTools"));
  registry.WriteString(HKLM, kRun, L"Keytidy folder, quoted", T(L"\"{T}\\Tools\""));
  registry.WriteString(HKLM, kRun, L"Keytidy folder", T(L"{T}\\Tools"));
  registry.WriteString(HKLM, kRun, L"Keytidy folder with a trailing backslash", T(L"{T}\\Tools\\"));
  registry.WriteString(HKLM, kRun, L"Keytidy gone folder", T(L"\"{T}\\GoneTools\""));

  engine.SEARCH_SHARED(CheckId::Shared, FilterCategory::Shared, false);
  engine.SEARCH_APPPATHS(CheckId::AppPaths, FilterCategory::AppPaths);
  engine.SEARCH_STARTUP_LEFTOVERS(CheckId::StartupLeftover, FilterCategory::Leftovers, HKLM, false);

  EXPECT_THAT(FoundPaths(CheckId::Shared), UnorderedElementsAreArray(Expected({L"{T}\\GoneShared.dll"}, temp.Path())));
  EXPECT_THAT(FoundPaths(CheckId::AppPaths), UnorderedElementsAreArray(Expected({L"{T}\\GoneTools"}, temp.Path())));
  EXPECT_THAT(FoundPaths(CheckId::StartupLeftover),
              UnorderedElementsAreArray(Expected({L"{T}\\GoneTools"}, temp.Path())));
}

// Wine answers for long paths even without the "\\?\" form, where Windows
// fails them as "path not found"; the form itself is checked by the
// ExtendedLengthPath test. Here the whole way through each check is.
TEST_F(PathVerdictChecks, PathsOfMaxPathAndLongerAreLookedUp) {
  const std::wstring folder = test::Make_LongFolder(temp.Path(), 290);
  const std::wstring here = folder + L"\\here.exe";
  const std::wstring gone = folder + L"\\gone.exe";
  test::Write_LongFile(here, "x");
  ASSERT_GE(here.size(), 300u);
  ASSERT_NE(GetFileAttributesW((L"\\\\?\\" + here).c_str()), INVALID_FILE_ATTRIBUTES) << "fixture";
  for (const std::wstring& path : {here, gone}) {
    SharedCount(path);
    registry.WriteString(HKLM, kAppPaths + L"\\Keytidy" + std::to_wstring(path.size()) + L".exe", L"", path);
    registry.WriteString(HKLM, kRun, L"Keytidy long " + std::to_wstring(path.size()), L"\"" + path + L"\" /tray");
    Counter(path);
    registry.WriteString(HKCU, kMuiCache, path + L".FriendlyAppName", L"Keytidy");
  }

  engine.SEARCH_SHARED(CheckId::Shared, FilterCategory::Shared, false);
  engine.SEARCH_APPPATHS(CheckId::AppPaths, FilterCategory::AppPaths);
  engine.SEARCH_STARTUP_LEFTOVERS(CheckId::StartupLeftover, FilterCategory::Leftovers, HKLM, false);
  engine.SEARCH_WINDOWSHISTORY_USERASSIST(CheckId::UserAssist, FilterCategory::History);
  engine.SEARCH_MUI_CACHE(CheckId::MuiCache, FilterCategory::History);

  const Paths onlyGone{Utf16ToUtf8(gone)};
  for (CheckId group :
       {CheckId::Shared, CheckId::AppPaths, CheckId::StartupLeftover, CheckId::UserAssist, CheckId::MuiCache})
    EXPECT_THAT(FoundPaths(group), UnorderedElementsAreArray(onlyGone)) << "group " << Number(group);
}

}  // namespace
}  // namespace keytidy
