// The engine's view of the machine: its drive list, the 64-bit program
// folder and the existence tests that honour the drive list.
#include "scan/registry_cleaner.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/programs.h"
#include "support/scoped_environment.h"

namespace keytidy {
namespace {

using test::ScopedEnvironmentVariable;

TEST(RegistryCleaner, StartsIdleWithTheMachinesFacts) {
  TResultTree tree;
  RunControl run;
  TRegistryCleaner engine(&tree, run);
  EXPECT_EQ(engine.FTree, &tree);
  // The test prefix has exactly two drives, both fixed: C: and Z: (the
  // Linux root).
  EXPECT_EQ(engine.HDDS, L"CZ");
  EXPECT_TRUE(engine.FLAG_CHECK_ONLY_HDDS);
  EXPECT_FALSE(engine.Status_Search() || engine.Status_Delete());
  EXPECT_EQ(engine.Progress, nullptr);
  const ScanCounters& scanned = engine.Scanned();
  const DeleteCounters& deleted = engine.Deleted();
  EXPECT_EQ(scanned.Stat_ValuesScanned + scanned.Stat_KeysScanned + deleted.Stat_ValuesDeleted +
                deleted.Stat_KeysDeleted + deleted.Stat_DeletedTreeObjects_forWartungsScan,
            0u);
}

TEST(RegistryCleaner, ProgramDirW6432FromTheEnvironment) {
  struct Case {
    const wchar_t* value;
    const wchar_t* stored;
  } cases[] = {
      {L"D:\\Apps 64", L"D:\\Apps 64"},
      {L" D:\\Apps 64 ", L" D:\\Apps 64 "},  // kept untrimmed
      {L"   ", L""},
      {nullptr, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? Utf16ToUtf8(c.value) : "absent");
    ScopedEnvironmentVariable variable(L"ProgramW6432", c.value);
    RunControl run;
    TRegistryCleaner engine(nullptr, run);
    EXPECT_EQ(engine.ProgramDir_W6432, c.stored);
  }
}

TEST(RegistryCleaner, ReplaceProgramFilesOnlyWhereTheFolderDiffers) {
  struct Case {
    const wchar_t* text;
    const wchar_t* folder;
    bool use64BitView;
    unsigned major;
    const wchar_t* expected;
  } cases[] = {
      {L"@%ProgramFiles%\\App\\x.dll", L"C:\\Program Files", true, 6, L"C:\\Program Files\\App\\x.dll"},
      {L"%programfiles%\\a;%PROGRAMFILES%\\b", L"P:", true, 10, L"P:\\a;P:\\b"},
      {L"@%ProgramFiles%\\App\\x.dll", L"C:\\Program Files", false, 6,
       L"@%ProgramFiles%\\App\\x.dll"},  // 32-bit Windows
      {L"@%ProgramFiles%\\App\\x.dll", L"C:\\Program Files", true, 5, L"@%ProgramFiles%\\App\\x.dll"},  // XP
      {L"@%ProgramFiles%\\App\\x.dll", L"", true, 6, L"@%ProgramFiles%\\App\\x.dll"},
      {L"@C:\\App\\x.dll,-101", L"C:\\Program Files", true, 6, L"@C:\\App\\x.dll,-101"},
      {L"%ProgramFiles(x86)%\\x.exe", L"C:\\Program Files", true, 6, L"%ProgramFiles(x86)%\\x.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    EXPECT_EQ(Replace_ProgramFiles(c.text, c.folder, c.use64BitView, c.major), c.expected);
  }

  // The engine method in this 64-bit process on the prefix's Windows 7.
  ScopedEnvironmentVariable variable(L"ProgramW6432", L"D:\\Apps 64");
  RunControl run;
  TRegistryCleaner engine(nullptr, run);
  EXPECT_EQ(engine.Replace_ProgramFiles_W6432(L"@%ProgramFiles%\\x.dll"), L"D:\\Apps 64\\x.dll");
}

TEST(RegistryCleaner, ExistenceTestsHonourTheDriveList) {
  test::TempFolder temp;
  test::WriteFileBytes(temp.File(L"here.dll"), "x");
  ScopedEnvironmentVariable folder(L"KEYTIDY_TEST_FOLDER", temp.Path().c_str());
  RunControl run;
  TRegistryCleaner engine(nullptr, run);
  engine.HDDS = L"C";
  struct Case {
    std::wstring path;
    bool fileOnlyHdds;  // FileExists_HDDS with the flag on
    bool fileAll;       // ... and off
    bool folderOnlyHdds;
    bool folderAll;
  } cases[] = {
      {temp.File(L"here.dll"), true, true, false, false},
      {L"c:\\keytidy-gone.dll", false, false, false, false},
      {L"D:\\gone.dll", true, false, true, false},
      {L"Z:\\keytidy-gone.dll", true, false, true, false},  // Z: exists, but is not listed
      {L"\\\\server\\x.dll", true, true, true, true},       // a share that does not answer proves nothing
      {L"", true, false, true, true},
      {temp.Path(), false, false, true, true},
      {temp.Path() + L"\\", false, false, true, true},
      {L"%KEYTIDY_TEST_FOLDER%", true, false, true, true},  // files are not expanded
      {L"C:\\keytidy-gone-folder", false, false, false, false},
      {L"x.dll", true, false, true, false},  // no drive: nothing to judge it by
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    engine.FLAG_CHECK_ONLY_HDDS = true;
    EXPECT_EQ(engine.FileExists_HDDS(c.path, RegistryView::Native), c.fileOnlyHdds);
    EXPECT_EQ(engine.DirectoryExists_HDDS(c.path, RegistryView::Native), c.folderOnlyHdds);
    engine.FLAG_CHECK_ONLY_HDDS = false;
    EXPECT_EQ(engine.FileExists_HDDS(c.path, RegistryView::Native), c.fileAll);
    EXPECT_EQ(engine.DirectoryExists_HDDS(c.path, RegistryView::Native), c.folderAll);
  }
}

}  // namespace
}  // namespace keytidy
