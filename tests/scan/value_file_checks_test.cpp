// The checks that walk the value names of one key and test the file each
// names: shared DLLs, help files, fonts and installer folders. Fixtures go
// into the real keys (they are removed afterwards), files into a temporary
// folder on C:.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "support/pumping_front_end.h"
#include "support/scoped_environment.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::UnorderedElementsAreArray;

const std::wstring kShared = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";
const std::wstring kShared32 = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLS";
const std::wstring kHelp = L"SOFTWARE\\Microsoft\\Windows\\Help";
const std::wstring kHtmlHelp32 = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\HTML Help";
const std::wstring kFonts = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::wstring kInstallerFolders = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;

std::uint32_t ValueCount(const std::wstring& key) { return Reg_ValueCount(HKLM, key); }

class ValueFileChecks : public test::CheckTest {
 protected:
  void Count(const std::wstring& key, const std::wstring& name) {
    const DWORD one = 1;
    registry.Write(HKLM, key, name, REG_DWORD, &one, sizeof(one));
  }
};

TEST_F(ValueFileChecks, SharedDlls) {
  Touch(T(L"{T}\\here.dll"));
  Touch(T(L"{T}\\pf64\\KeytidyApp\\a.dll"));
  engine.ProgramDir_W6432 = T(L"{T}\\pf64");
  test::ScopedEnvironmentVariable folder(L"KEYTIDY_TEST_TEMP", temp.Path().c_str());
  for (const wchar_t* name :
       {L"{T}\\Gone\\x.dll", L"{T}\\here.dll", L"Z:\\keytidy-gone\\x.dll", L"%KEYTIDY_TEST_TEMP%\\gone2.dll",
        L"{T}\\what?.dll", L"%ProgramFiles%\\KeytidyApp\\a.dll"})
    Count(kShared, name[0] == L'{' ? T(name) : name);
  Count(kShared32, T(L"{T}\\gone32.dll"));
  Count(kShared32, L"%ProgramFiles%\\KeytidyApp\\a.dll");  // the x86 folder on this pass

  engine.SEARCH_SHARED(CheckId::Shared, FilterCategory::Shared, false);
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, ValueCount(kShared));
  engine.SEARCH_SHARED(CheckId::Shared, FilterCategory::Shared, true);
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, ValueCount(kShared) + ValueCount(kShared32));

  wchar_t programFiles[MAX_PATH] = {};
  ExpandEnvironmentStringsW(L"%ProgramFiles(x86)%", programFiles, MAX_PATH);
  const std::string native = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(kShared);
  const std::string wow = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(kShared32);
  EXPECT_THAT(OurFindings(),
              UnorderedElementsAreArray(Lines{
                  "1/3 | " + T8(L"{T}\\Gone\\x.dll | x.dll | ") + native + " | " + T8(L"{T}\\Gone\\x.dll") +
                      " | value " + native + " [" + T8(L"{T}\\Gone\\x.dll") + "]",
                  "1/3 | " + T8(L"{T}\\gone2.dll | gone2.dll | ") + native +
                      " | %KEYTIDY_TEST_TEMP%\\gone2.dll | value " + native + " [%KEYTIDY_TEST_TEMP%\\gone2.dll]",
                  "1/3 | " + T8(L"{T}\\gone32.dll | gone32.dll | ") + wow + " | " + T8(L"{T}\\gone32.dll") +
                      " | value " + wow + " [" + T8(L"{T}\\gone32.dll") + "]",
                  "1/3 | " + Utf16ToUtf8(programFiles) + "\\KeytidyApp\\a.dll | a.dll | " + wow +
                      " | %ProgramFiles%\\KeytidyApp\\a.dll | value " + wow + " [%ProgramFiles%\\KeytidyApp\\a.dll]",
              }));
}

TEST_F(ValueFileChecks, HelpFilesMissingAndEmpty) {
  Touch(T(L"{T}\\keytidy-empty.chm"), "");
  Touch(T(L"{T}\\keytidy-full.hlp"), "12345");
  Touch(T(L"{T}\\32\\keytidy-empty32.chm"), "");
  registry.WriteString(HKLM, kHelp, L"keytidy-gone.hlp", T(L"{T}"));
  registry.WriteString(HKLM, kHelp, L"keytidy-empty.chm", T(L"{T}\\"));
  registry.WriteString(HKLM, kHelp, L"keytidy-full.hlp", T(L"{T}"));
  registry.WriteString(HKLM, kHelp, L"keytidy-nodata.hlp", L"");  // no folder: nothing to test
  registry.WriteString(HKLM, kHelp, L"keytidy-gone-z.hlp", L"Z:\\keytidy");
  registry.WriteString(HKLM, kHtmlHelp32, L"keytidy-empty32.chm", T(L"{T}\\32"));

  engine.SEARCH_HELPFILES(CheckId::HelpFiles, FilterCategory::Help, false, L"Help");
  engine.SEARCH_HELPFILES(CheckId::HelpFiles, FilterCategory::Help, true, L"HTML Help");
  engine.SEARCH_HELPFILES_ZEROBYTES(CheckId::HelpFilesZeroBytes, FilterCategory::Help, false, L"Help");
  engine.SEARCH_HELPFILES_ZEROBYTES(CheckId::HelpFilesZeroBytes, FilterCategory::Help, true, L"HTML Help");
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, 2 * (ValueCount(kHelp) + ValueCount(kHtmlHelp32)));

  const std::string help = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(kHelp);
  const std::string html32 = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(kHtmlHelp32);
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 "2/6 | " + T8(L"{T}\\keytidy-gone.hlp") + " | keytidy-gone.hlp | " + help +
                                     " | keytidy-gone.hlp | value " + help + " [keytidy-gone.hlp]",
                                 "13/6 | " + T8(L"{T}\\keytidy-empty.chm") + " | keytidy-empty.chm | " + help +
                                     " | keytidy-empty.chm | value " + help + " [keytidy-empty.chm]",
                                 "13/6 | " + T8(L"{T}\\32\\keytidy-empty32.chm") + " | keytidy-empty32.chm | " +
                                     html32 + " | keytidy-empty32.chm | value " + html32 + " [keytidy-empty32.chm]",
                             }));
}

class FontChecks : public ValueFileChecks {
 protected:
  std::wstring FontsFolder() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_FONTS, nullptr, 0, folder);
    return folder;
  }
};

TEST_F(FontChecks, BareNamesLiveInTheFontsFolder) {
  Touch(T(L"{T}\\here.ttf"));
  registry.WriteString(HKLM, kFonts, L"!!Keytidy Bare (TrueType)", L"keytidy-gone.ttf");
  registry.WriteString(HKLM, kFonts, L"!!Keytidy Full (TrueType)", T(L"{T}\\gone.ttf"));
  registry.WriteString(HKLM, kFonts, L"!!Keytidy Here (TrueType)", T(L"{T}\\here.ttf"));
  registry.WriteString(HKLM, kFonts, L"!!Keytidy Empty (TrueType)", L"");  // the folder itself: no file
  registry.WriteString(HKLM, kFonts, L"!!Keytidy Other drive", L"Z:\\keytidy\\gone.ttf");

  engine.SEARCH_FONTS(CheckId::Fonts, FilterCategory::Fonts);
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, ValueCount(kFonts));

  const std::string fonts = Utf16ToUtf8(FontsFolder());
  const std::string key = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(kFonts);
  const auto line = [&](const std::string& path, const std::string& name) {
    return "4/4 | " + path + " | " + name + " | " + key + " | " + name + " | value " + key + " [" + name + "]";
  };
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 line(fonts + "\\keytidy-gone.ttf", "!!Keytidy Bare (TrueType)"),
                                 line(fonts + "\\", "!!Keytidy Empty (TrueType)"),
                                 line(T8(L"{T}\\gone.ttf"), "!!Keytidy Full (TrueType)"),
                             }));
}

// Wine lists value names sorted, so the fixture's "!!" names come first
// (on Windows they would come last, after the key's own values). The
// findings of the other tests are compared without regard to order.
TEST_F(FontChecks, AStopRequestLeavesTheFindingsSoFar) {
  registry.WriteString(HKLM, kFonts, L"!!Keytidy A", L"keytidy-gone-a.ttf");
  registry.WriteString(HKLM, kFonts, L"!!Keytidy B", L"keytidy-gone-b.ttf");
  std::vector<std::wstring> names;
  Reg_GetValueNames(HKLM, kFonts, names);
  ASSERT_GE(names.size(), 2u);
  ASSERT_EQ(names[0], L"!!Keytidy A");

  int calls = 0;
  test::PumpingFrontEnd pump([&] {
    if (++calls == 2) run.STOP_REQUESTED = true;
  });
  engine.FrontEnd = &pump;
  engine.SEARCH_FONTS(CheckId::Fonts, FilterCategory::Fonts);
  EXPECT_EQ(calls, static_cast<int>(names.size()));  // the walk still runs to its end
  ASSERT_EQ(OurFindings().size(), 1u);
  EXPECT_NE(OurFindings()[0].find("keytidy-gone-a.ttf"), std::string::npos);

  engine.SEARCH_FONTS(CheckId::Fonts, FilterCategory::Fonts);  // a stopped run starts nothing new
  EXPECT_EQ(OurFindings().size(), 1u);
}

TEST_F(ValueFileChecks, InstallerFoldersNeedTheTrailingBackslash) {
  for (const wchar_t* name : {L"{T}\\Gone\\", L"{T}\\", L"{T}\\Gone", L"Z:\\keytidy-gone\\", L"keytidy\\"})
    registry.WriteString(HKLM, kInstallerFolders, T(name), L"");

  engine.SEARCH_INSTALLERPATH(CheckId::InstallerPath, FilterCategory::Software);
  EXPECT_EQ(engine.Scanned().Stat_ValuesScanned, ValueCount(kInstallerFolders));

  const std::string key = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(kInstallerFolders);
  const auto line = [&](const std::string& name) {
    return "20/9 | " + name + " | " + name + " | " + key + " | " + name + " | value " + key + " [" + name + "]";
  };
  // The drive list applies as everywhere: a folder on a drive the engine
  // does not judge (Z: here) cannot be told gone.
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{line(T8(L"{T}\\Gone\\"))}));
  engine.HDDS = L"CZ";
  tree.Clear();
  engine.SEARCH_INSTALLERPATH(CheckId::InstallerPath, FilterCategory::Software);
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{line(T8(L"{T}\\Gone\\")), line("Z:\\keytidy-gone\\")}));
}

}  // namespace
}  // namespace keytidy
