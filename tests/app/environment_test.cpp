// Environment facts and shared operating-system services, in the Wine prefix.
#include "platform/environment.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/text.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

TEST(Environment, ProgramFolderIsTheExecutablesFolder) {
  const struct {
    std::wstring exe, folder;
  } cases[] = {
      {L"C:\\Programs\\Tool\\app.exe", L"C:\\Programs\\Tool"},
      {L"C:\\app.exe", L"C:"},
      {L"\\\\server\\share\\app.exe", L"\\\\server\\share"},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramFolderFromExePath(c.exe), c.folder);
}

TEST(Environment, FoldersAndVersionOfTheRunningSystem) {
  EXPECT_FALSE(ProgramFolder().empty());
  EXPECT_NE(ProgramFolder().back(), L'\\');
  EXPECT_EQ(test::BinFolder().substr(0, test::BinFolder().rfind(L'\\')),
            ProgramFolder().substr(0, ProgramFolder().rfind(L'\\')));
  EXPECT_TRUE(EqualsIgnoreCaseAscii(WindowsFolder(), L"C:\\windows")) << WindowsFolder();
  EXPECT_TRUE(EqualsIgnoreCaseAscii(SystemFolder(), L"C:\\windows\\system32")) << SystemFolder();
  EXPECT_GE(Windows_Version().major, 5u);
#ifdef _WIN64
  EXPECT_TRUE(IsWindows64());
#endif
}

TEST(Environment, UserIsAdministratorUnderWine) {
  // Wine's user is a fully elevated member of Administrators.
  EXPECT_TRUE(IsUserAdmin());
}

TEST(Environment, InteractiveUserIsTheOwnerOfExplorer) {
  // Wine lists explorer.exe in the console session under its one user.
  EXPECT_EQ(GetInteractiveUserSid(), L"S-1-5-21-0-0-0-1000");
}

TEST(Environment, SpecialFolderPath) {
  const std::wstring fonts = GetSpecialFolderPath(nullptr, CSIDL_FONTS);
  EXPECT_TRUE(EqualsIgnoreCaseAscii(fonts, WindowsFolder() + L"\\Fonts")) << fonts;
  EXPECT_EQ(GetSpecialFolderPath(nullptr, 0x7FFF), L"");
}

TEST(Environment, RunAndWaitReturnsTheExitCode) {
  EXPECT_EQ(RunAndWait(L"cmd.exe /c exit 7", L"", SW_HIDE), 7u);
  EXPECT_EQ(RunAndWait(L"C:\\does\\not\\exist.exe", L"", SW_HIDE), kRunAndWaitStartFailed);
  // A working folder is honoured: the command only succeeds inside it.
  test::TempFolder folder;
  test::WriteFileBytes(folder.File(L"marker.txt"), "x");
  EXPECT_EQ(RunAndWait(L"cmd.exe /c if exist marker.txt (exit 0) else (exit 1)", folder.Path(), SW_HIDE), 0u);
}

TEST(Environment, RedirectionSwitchesReportFalseInA64BitProcess) {
#ifdef _WIN64
  // There is no redirection to switch in a 64-bit process; callers go on.
  void* state = nullptr;
  EXPECT_FALSE(Fs_DisableRedirection(state));
  EXPECT_FALSE(Fs_RevertRedirection(state));
#endif
}

class ShowAnimationsSetting : public test::RegistrySandbox {
 protected:
  void TearDown() override {
    Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations");
    ShowAnimations_Load();
    RegistrySandbox::TearDown();
  }
};

TEST_F(ShowAnimationsSetting, LoadAndSave) {
  Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations");
  EXPECT_TRUE(ShowAnimations_Load()) << "a missing value leaves animations on";

  RawWriteDword(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations", 0);
  EXPECT_FALSE(ShowAnimations_Load());
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations", L"yes");
  EXPECT_FALSE(ShowAnimations_Load()) << "text that is no number reads as 0";
  RawWriteDword(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations", 2);
  EXPECT_TRUE(ShowAnimations_Load());

  ShowAnimations_Save(false);
  EXPECT_FALSE(ShowAnimations());
  DWORD type = 0, size = 0;
  ASSERT_TRUE(Reg_ValueInfo(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations", type, size));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowAnimations"), 0);
}

}  // namespace
}  // namespace keytidy
