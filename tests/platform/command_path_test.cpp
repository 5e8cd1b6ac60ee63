// Command strings from the registry reduced to one path, against the real
// files and environment of the Wine prefix.
#include "platform/command_path.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/path_dir_list.h"
#include "platform/text.h"
#include "support/programs.h"
#include "support/scoped_environment.h"

namespace keytidy {
namespace {

using test::ScopedEnvironmentVariable;
using test::TempFolder;

// {SYS}, {WIN} and {T} stand for the system folder, the Windows folder and
// the test's temporary folder.
std::wstring Fill(std::wstring text, const std::wstring& temp = L"") {
  text = ReplaceAllIgnoreCase(text, L"{SYS}", SystemFolder());
  text = ReplaceAllIgnoreCase(text, L"{WIN}", WindowsFolder());
  return ReplaceAllIgnoreCase(text, L"{T}", temp);
}

void Touch(const std::wstring& path) {
  test::WriteFileBytes(path, "x");
  ASSERT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "fixture file " << Utf16ToUtf8(path);
}

struct PathCase {
  const wchar_t* input;
  const wchar_t* expected;
};

TEST(ExtractExePath, CommandStringsGiveTheProgramPath) {
  ScopedEnvironmentVariable dataDir(L"KEYTIDY_TEST_DATA", L"C:\\Data Dir");
  ScopedEnvironmentVariable undefined(L"KEYTIDY_TEST_UNDEFINED", nullptr);
  const PathCase cases[] = {
      {L"", L""},
      {L"\"C:\\Program Files\\App\\app.exe\" /min", L"C:\\Program Files\\App\\app.exe"},
      // cut at the quote, then after ".EXE "
      {L"C:\\Tools\\tool.exe \"%1\"", L"C:\\Tools\\tool.exe"},
      {L"C:\\App\\app.exe -run", L"C:\\App\\app.exe"},
      {L"C:\\Setup\\pack.MSI -quiet", L"C:\\Setup\\pack.MSI"},
      {L"C:\\App\\app.exe arg1 arg2", L"C:\\App\\app.exe"},
      {L"C:\\App\\tool.com /s", L"C:\\App\\tool.com"},
      {L"  \t\"C:\\Quoted\\x.dll\"  ", L"C:\\Quoted\\x.dll"},
      {L"\"C:\\Unclosed\\x.dll", L"C:\\Unclosed\\x.dll"},
      {L"\"\"", L""},
      {L"%KEYTIDY_TEST_DATA%\\lib.dll,2", L"C:\\Data Dir\\lib.dll,2"},
      // undefined reference: stays, has no ":\", is not found anywhere
      {L"%KEYTIDY_TEST_UNDEFINED%\\lib.dll", L"%KEYTIDY_TEST_UNDEFINED%\\lib.dll"},
      {L"msiexec.exe /x{11111111-2222-3333-4444-555555555555}", L"{SYS}\\msiexec.exe"},
      {L"notepad.exe", L"{SYS}\\notepad.exe"},
      // arguments without a slash spoil the search; only the cut remains
      {L"NOTEPAD.EXE %1", L"NOTEPAD.EXE"},
      // Wine keeps regedit only in the Windows folder
      {L"regedit.exe", L"{WIN}\\regedit.exe"},
      {L"keytidy-nowhere.exe", L"keytidy-nowhere.exe"},
      // searched with its arguments, not found, then cut after ".EXE "
      {L"rundll32.exe shell32.dll,Control_RunDLL", L"rundll32.exe"},
      {L"\\\\server\\share\\x.exe -q", L"\\\\server\\share\\x.exe"},
      // quotes say where the path ends; the cuts are for unquoted text
      {L"\"C:\\Program Files\\Foo.exe Tools\\bar.exe\" \"%1\"", L"C:\\Program Files\\Foo.exe Tools\\bar.exe"},
      {L"\"C:\\Setup -x.exe\\pack.MSI -quiet\" /i", L"C:\\Setup -x.exe\\pack.MSI -quiet"},
      {L"\"C:\\Apps /old\\app.exe\" /s", L"C:\\Apps /old\\app.exe"},
      {L"\"notepad.exe\" %1", L"{SYS}\\notepad.exe"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.input));
    EXPECT_EQ(Extract_ExePath(Fill(c.input), RegistryView::Native), Fill(c.expected));
  }
}

TEST(ExtractExePath, ExpansionsLongerThanAPathAreKeptWhole) {
  const std::wstring longFolder = L"C:\\" + std::wstring(5000, L'a');
  ScopedEnvironmentVariable longVariable(L"KEYTIDY_TEST_LONG", longFolder.c_str());
  EXPECT_EQ(Extract_ExePath(L"%KEYTIDY_TEST_LONG%\\x.exe /s", RegistryView::Native), longFolder + L"\\x.exe");
}

TEST(ExtractExePath, BareNamesAreFoundInThePathFolders) {
  TempFolder temp;
  CreateDirectoryW(temp.File(L"first").c_str(), nullptr);
  CreateDirectoryW(temp.File(L"second").c_str(), nullptr);
  Touch(temp.File(L"second\\kt-tool.exe"));
  Touch(temp.File(L"first\\kt-both.exe"));
  Touch(temp.File(L"second\\kt-both.exe"));
  {
    const std::wstring path = temp.File(L"first") + L";;" + temp.File(L"second") + L"\\";
    ScopedEnvironmentVariable pathVariable(L"PATH", path.c_str());
    Build_PathDirList();
    const PathCase cases[] = {
        {L"kt-tool.exe -x", L"{T}\\second\\kt-tool.exe"},
        {L"kt-both.exe", L"{T}\\first\\kt-both.exe"},  // the first folder wins
        {L"kt-missing.exe", L"kt-missing.exe"},
    };
    for (const PathCase& c : cases) {
      SCOPED_TRACE(Utf16ToUtf8(c.input));
      EXPECT_EQ(Extract_ExePath(c.input, RegistryView::Native), Fill(c.expected, temp.Path()));
    }
  }
  Build_PathDirList();  // the process's own PATH again
}

TEST(CleanFilePath, RejectionsAndSuffixes) {
  const PathCase cases[] = {
      {L"", L""},
      {L"C:\\Windows\\Installer\\{90120000-0011-0000-0000-0000000FF1CE}\\icon.exe", L""},
      {L"C:\\Windows\\installer\\{X}\\icon.exe", L""},
      {L"C:\\Apps\\{X}\\tool.exe", L"C:\\Apps\\{X}\\tool.exe"},  // a brace alone is fine
      {L"C:\\Installer\\tool.exe", L"C:\\Installer\\tool.exe"},
      {L"C:\\x\\res.dll\\2", L""},
      {L"C:\\x\\app.EXE\\1", L""},
      {L"C:\\x\\pic.ico\\0", L""},
      {L"C:\\App\\app.exe.FriendlyAppName", L"C:\\App\\app.exe"},
      {L"C:\\App\\app.exe.ApplicationCompany", L"C:\\App\\app.exe"},
      {L"C:\\App\\lib.DLL.friendlyappname", L"C:\\App\\lib.DLL"},
      {L"C:\\App\\lib.dll.ApplicationCompany", L"C:\\App\\lib.dll"},
      // the suffix rule takes the whole path again, after the rejections
      {L"C:\\Windows\\Installer\\{X}\\setup.exe.FriendlyAppName", L"C:\\Windows\\Installer\\{X}\\setup.exe"},
      {L"\"C:\\App\\app.exe\" --flag", L"C:\\App\\app.exe"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.input));
    EXPECT_EQ(Clean_FilePath(c.input, RegistryView::Native), c.expected);
  }
}

// Wine invents hashed short names ("PROG~GJJ") and never a "~1" one, so the
// fixture puts a literal "~1" into a real folder name to engage the rule,
// and uses Wine's own short names for the components below it.
TEST(CleanFilePath, ShortNamesBecomeLongOnes) {
  TempFolder temp;
  const std::wstring marked = temp.File(L"Old~1");
  const std::wstring longFolder = marked + L"\\Program Files Long Name";
  const std::wstring longFile = longFolder + L"\\application.exe";
  CreateDirectoryW(marked.c_str(), nullptr);
  CreateDirectoryW(longFolder.c_str(), nullptr);
  Touch(longFile);
  wchar_t shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameW(longFile.c_str(), shortPath, MAX_PATH), 0u);
  const std::wstring shortText(shortPath);
  const std::wstring shortTail = shortText.substr(shortText.rfind(L'\\', shortText.rfind(L'\\') - 1));
  ASSERT_NE(shortTail.find(L'~'), std::wstring::npos) << "Wine gave no short name";

  EXPECT_EQ(Clean_FilePath(marked + shortTail + L" -run", RegistryView::Native), longFile);
  // Components that are not found stay as written.
  EXPECT_EQ(Clean_FilePath(marked + L"\\GONE~1\\app.exe", RegistryView::Native), marked + L"\\GONE~1\\app.exe");
  EXPECT_EQ(Clean_FilePath(L"C:\\KTNOPE~1\\App\\app.exe -run", RegistryView::Native), L"C:\\KTNOPE~1\\App\\app.exe");
}

}  // namespace
}  // namespace keytidy
