// Application paths and program-compatibility records, in the real keys.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::UnorderedElementsAreArray;

const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;

class AppPathChecks : public test::CheckTest {
 protected:
  void AppPath(const std::wstring& name, const std::wstring& target) {
    registry.WriteString(HKLM, kAppPaths + L"\\" + name, L"", T(target));
  }
  static std::string KeyLine(const std::string& group, const std::string& path, const std::string& name) {
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name;
    return group + " | " + path + " | " + name + " | " + key + " |  | key " + key;
  }
};

TEST_F(AppPathChecks, MissingTargetsAndEmptyKeys) {
  Touch(T(L"{T}\\here.exe"));
  AppPath(L"KeytidyGone.exe", L"{T}\\gone\\app.exe");
  AppPath(L"KeytidyHere.EXE", L"{T}\\here.exe");
  AppPath(L"KeytidyQuoted.exe", L"\"{T}\\gone dir\\app.exe\" /s");
  AppPath(L"KeytidyPF.exe", L"%ProgramFiles%\\keytidy\\y.exe");            // never judged
  AppPath(L"KeytidyX86.exe", L"C:\\Program Files (x86)\\keytidy\\y.exe");  // never judged
  AppPath(L"KeytidyOther.exe", L"Z:\\keytidy\\y.exe");
  AppPath(L"KeytidyLibrary.dll", L"{T}\\gone.dll");  // only programs are examined
  registry.CreateKey(HKLM, kAppPaths + L"\\KeytidyEmpty.exe");
  registry.CreateKey(HKLM, kAppPaths + L"\\KeytidyEmptyValue.exe");
  registry.WriteString(HKLM, kAppPaths + L"\\KeytidyEmptyValue.exe", L"Path", L"");
  registry.CreateKey(HKLM, kAppPaths + L"\\KeytidyWithSub.exe\\Sub");
  registry.CreateKey(HKLM, kAppPaths + L"\\KeytidyEmptyLib.dll");

  engine.SEARCH_APPPATHS(CheckId::AppPaths, FilterCategory::AppPaths);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(HKLM, kAppPaths));
  engine.SEARCH_APPPATHS_EMPTY(CheckId::AppPathsEmpty, FilterCategory::AppPaths);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, 2 * Reg_SubKeyCount(HKLM, kAppPaths));
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 KeyLine("3/7", T8(L"{T}\\gone\\app.exe"), "KeytidyGone.exe"),
                                 KeyLine("3/7", T8(L"{T}\\gone dir\\app.exe"), "KeytidyQuoted.exe"),
                                 KeyLine("14/7", "KEYTIDYEMPTY.EXE", "KeytidyEmpty.exe"),
                             }));
}

class AppCompatChecks : public test::CheckTest {
 protected:
  AppCompatChecks() : previousSid_(InteractiveUserSid()) { Set_InteractiveUserSid(GetInteractiveUserSid()); }
  ~AppCompatChecks() override { Set_InteractiveUserSid(previousSid_); }

 private:
  std::wstring previousSid_;
};

TEST_F(AppCompatChecks, ProgramsNamedByValueNamesInFourKeys) {
  const std::wstring layers = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
  const std::wstring persisted =
      L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility Assistant\\Persisted";
  ASSERT_FALSE(InteractiveUserSid().empty());
  Touch(T(L"{T}\\here.exe"));
  for (const wchar_t* name : {L"{T}\\gone\\tool.exe", L"{T}\\gone\\tool.dll", L"{T}\\here.exe", L"Z:\\keytidy\\t.exe"})
    registry.WriteString(HKLM, layers, T(name), L"~ WINXPSP3");
  registry.WriteString(ROOT_HKEY_CURRENT_USER, persisted, T(L"{T}\\gone\\user.exe"), L"");

  engine.SEARCH_APPPATHS_VALUES(CheckId::AppPaths, FilterCategory::AppPaths);
  const std::uint32_t examined = Reg_ValueCount(HKLM, layers) + Reg_ValueCount(ROOT_HKEY_CURRENT_USER, layers) +
                                 Reg_ValueCount(HKLM, persisted) + Reg_ValueCount(ROOT_HKEY_CURRENT_USER, persisted);
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, examined);

  const std::string machine = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(layers);
  const std::string user = "HKEY_USERS\\" + Utf16ToUtf8(InteractiveUserSid() + L"\\" + persisted);
  const auto line = [](const std::string& key, const std::string& name) {
    return "3/7 | " + name + " | " + name + " | " + key + " | " + name + " | value " + key + " [" + name + "]";
  };
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 line(machine, T8(L"{T}\\gone\\tool.exe")),
                                 line(user, T8(L"{T}\\gone\\user.exe")),
                             }));
}

}  // namespace
}  // namespace keytidy
