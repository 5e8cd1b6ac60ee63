// The pure decisions behind every "missing" verdict: which error codes
// prove absence, which drives are judged, and how a 32-bit program on
// 64-bit Windows sees a path. Wine cannot produce most of these answers
// (a locked volume, a denied root, a dead share), so they are fed the
// inputs Windows gives.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/judged_drives.h"
#include "platform/path_presence.h"
#include "platform/registry_view.h"
#include "platform/text.h"

namespace keytidy {
namespace {

TEST(PathPresence, OnlyNotFoundAnswersProveAbsence) {
  const struct {
    DWORD error;
    PathPresence expected;
  } cases[] = {
      {ERROR_FILE_NOT_FOUND, PathPresence::Missing},
      {ERROR_PATH_NOT_FOUND, PathPresence::Missing},
      {ERROR_NO_MORE_FILES, PathPresence::Missing},  // a directory search that matched nothing
      {ERROR_ACCESS_DENIED, PathPresence::CannotTell},
      {ERROR_NOT_READY, PathPresence::CannotTell},  // a card reader without a card, a locked volume
      {ERROR_SHARING_VIOLATION, PathPresence::CannotTell},
      {ERROR_LOCK_VIOLATION, PathPresence::CannotTell},
      {ERROR_BAD_NETPATH, PathPresence::CannotTell},
      {ERROR_BAD_NET_NAME, PathPresence::CannotTell},
      {ERROR_NETNAME_DELETED, PathPresence::CannotTell},
      {ERROR_UNEXP_NET_ERR, PathPresence::CannotTell},
      {ERROR_INVALID_NAME, PathPresence::Missing},  // a name no file can have
      {ERROR_BAD_PATHNAME, PathPresence::CannotTell},
      {ERROR_INVALID_DRIVE, PathPresence::CannotTell},
      {ERROR_DEVICE_NOT_CONNECTED, PathPresence::CannotTell},
      {ERROR_CANT_ACCESS_FILE, PathPresence::CannotTell},
      {ERROR_GEN_FAILURE, PathPresence::CannotTell},
      {ERROR_FILENAME_EXCED_RANGE, PathPresence::CannotTell},  // too long to ask about, not absent
      {ERROR_SUCCESS, PathPresence::CannotTell},               // a failure that names no reason proves nothing
  };
  for (const auto& c : cases) EXPECT_EQ(Presence_FromError(c.error), c.expected) << "error " << c.error;
}

TEST(JudgedDrives, OnlyLocalDisksWhoseRootAnswers) {
  const struct {
    UINT driveType;
    DWORD rootQueryError;
    bool judged;
  } cases[] = {
      {DRIVE_FIXED, ERROR_SUCCESS, true},        {DRIVE_RAMDISK, ERROR_SUCCESS, true},
      {DRIVE_FIXED, ERROR_NOT_READY, false},  // a locked encrypted volume
      {DRIVE_FIXED, ERROR_ACCESS_DENIED, false}, {DRIVE_FIXED, ERROR_UNRECOGNIZED_VOLUME, false},
      {DRIVE_RAMDISK, ERROR_NOT_READY, false},   {DRIVE_REMOTE, ERROR_SUCCESS, false},
      {DRIVE_REMOVABLE, ERROR_SUCCESS, false},   {DRIVE_CDROM, ERROR_SUCCESS, false},
      {DRIVE_NO_ROOT_DIR, ERROR_SUCCESS, false}, {DRIVE_UNKNOWN, ERROR_SUCCESS, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Drive_IsJudged(c.driveType, c.rootQueryError), c.judged)
        << "type " << c.driveType << ", error " << c.rootQueryError;
}

TEST(JudgedDrives, ThePrefixDrivesAnswer) {
  // Both drives of the test prefix are fixed and readable (Z: is the Linux root).
  EXPECT_EQ(Judged_DriveLetters(), L"CZ");
}

// Wine cannot mount a volume in a folder; these are the answers Windows
// gives for one (GetVolumePathNameW, GetDriveTypeW and the root's volume
// query), with C: as the only judged drive.
TEST(JudgedVolumes, AVolumeMountedInAFolderIsJudgedByItsOwnAnswers) {
  const struct {
    const char* label;
    VolumeAnswers volume;
    bool judged;
  } cases[] = {
      {"on the drive itself", {true, L"C:\\", DRIVE_FIXED, ERROR_SUCCESS}, true},
      {"on a drive letter that is not judged", {true, L"D:\\", DRIVE_FIXED, ERROR_SUCCESS}, false},
      {"lower-case root", {true, L"c:\\", DRIVE_FIXED, ERROR_SUCCESS}, true},
      {"a fixed disk mounted in a folder", {true, L"C:\\Mnt\\Data\\", DRIVE_FIXED, ERROR_SUCCESS}, true},
      {"a RAM disk mounted in a folder", {true, L"C:\\Mnt\\Ram\\", DRIVE_RAMDISK, ERROR_SUCCESS}, true},
      {"a stick mounted in a folder", {true, L"C:\\Mnt\\Usb\\", DRIVE_REMOVABLE, ERROR_SUCCESS}, false},
      {"an unplugged stick's folder", {true, L"C:\\Mnt\\Usb\\", DRIVE_NO_ROOT_DIR, ERROR_PATH_NOT_FOUND}, false},
      {"a mounted disk that is not ready", {true, L"C:\\Mnt\\Usb\\", DRIVE_FIXED, ERROR_NOT_READY}, false},
      {"a locked encrypted disk in a folder", {true, L"C:\\Mnt\\Safe\\", DRIVE_FIXED, ERROR_ACCESS_DENIED}, false},
      {"a disc drive mounted in a folder", {true, L"C:\\Mnt\\Dvd\\", DRIVE_CDROM, ERROR_SUCCESS}, false},
      {"a volume without a letter or folder",
       {true, L"\\\\?\\Volume{00000000-0000-0000-0000-000000000001}\\", DRIVE_UNKNOWN, ERROR_SUCCESS},
       false},
      {"the volume cannot be found", {false, L"", 0, 0}, false},
      {"an empty answer", {true, L"", DRIVE_FIXED, ERROR_SUCCESS}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(Volume_IsJudged(c.volume, L"C"), c.judged) << c.label;
}

TEST(JudgedVolumes, PathsOfThePrefix) {
  const struct {
    const wchar_t* path;
    const wchar_t* judgedLetters;
    bool judged;
  } cases[] = {
      {L"C:\\windows\\notepad.exe", L"C", true},
      {L"C:\\keytidy-gone\\deeper\\x.exe", L"C", true},  // the volume of a path that is not there
      {L"c:\\windows", L"C", true},
      {L"C:\\keytidy-gone\\a|b.exe", L"C", true},  // a name no file can have still lies on C:
      {L"Z:\\tmp\\x.exe", L"C", false},
      {L"Z:\\tmp\\x.exe", L"CZ", true},
      {L"\\\\server\\share\\x.exe", L"CZ", false},
      {L"x.exe", L"CZ", false},
      {L"", L"CZ", false},
  };
  for (const auto& c : cases) EXPECT_EQ(Path_OnJudgedVolume(c.path, c.judgedLetters), c.judged) << Utf16ToUtf8(c.path);
  const VolumeAnswers windows = Ask_VolumeOf(L"C:\\windows\\system32\\keytidy-gone.dll");
  EXPECT_TRUE(windows.found);
  EXPECT_EQ(UpperCaseAscii(windows.root), L"C:\\");
}

TEST(RegistryView, ThirtyTwoBitProgramsSeeTheirOwnSystemFolder) {
  const std::wstring win = L"C:\\Windows";
  const struct {
    RegistryView view;
    bool windows64;
    const wchar_t* path;
    const wchar_t* seen;
  } cases[] = {
      {RegistryView::Wow32, true, L"C:\\Windows\\System32\\x.ocx", L"C:\\Windows\\SysWOW64\\x.ocx"},
      {RegistryView::Wow32, true, L"c:\\WINDOWS\\system32\\Sub\\x.dll", L"C:\\Windows\\SysWOW64\\Sub\\x.dll"},
      {RegistryView::Wow32, true, L"C:\\Windows\\System32", L"C:\\Windows\\SysWOW64"},
      {RegistryView::Wow32, true, L"C:\\Windows\\System32\\", L"C:\\Windows\\SysWOW64\\"},
      {RegistryView::Wow32, true, L"C:\\Windows\\Sysnative\\x.dll", L"C:\\Windows\\System32\\x.dll"},
      // folders Windows shows every program as they are
      {RegistryView::Wow32, true, L"C:\\Windows\\System32\\drivers\\etc\\hosts",
       L"C:\\Windows\\System32\\drivers\\etc\\hosts"},
      {RegistryView::Wow32, true, L"C:\\Windows\\System32\\spool\\drivers\\x.dll",
       L"C:\\Windows\\System32\\spool\\drivers\\x.dll"},
      {RegistryView::Wow32, true, L"C:\\Windows\\System32\\CatRoot2\\x.cat", L"C:\\Windows\\System32\\CatRoot2\\x.cat"},
      {RegistryView::Wow32, true, L"C:\\Windows\\System32\\drivers\\x.sys", L"C:\\Windows\\SysWOW64\\drivers\\x.sys"},
      {RegistryView::Wow32, true, L"C:\\Windows\\System32x\\a.dll", L"C:\\Windows\\System32x\\a.dll"},
      {RegistryView::Wow32, true, L"D:\\Windows\\System32\\a.dll", L"D:\\Windows\\System32\\a.dll"},
      {RegistryView::Wow32, true, L"C:\\Windows\\SysWOW64\\a.dll", L"C:\\Windows\\SysWOW64\\a.dll"},
      {RegistryView::Wow32, true, L"C:\\Program Files\\a.dll", L"C:\\Program Files\\a.dll"},
      // the native view, and 32-bit Windows, have nothing to redirect
      {RegistryView::Native, true, L"C:\\Windows\\System32\\x.ocx", L"C:\\Windows\\System32\\x.ocx"},
      {RegistryView::Native, true, L"C:\\Windows\\Sysnative\\x.dll", L"C:\\Windows\\Sysnative\\x.dll"},
      {RegistryView::Wow32, false, L"C:\\Windows\\System32\\x.ocx", L"C:\\Windows\\System32\\x.ocx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    EXPECT_EQ(Path_AsViewSeesIt(c.path, c.view, win, c.windows64), c.seen);
  }
}

TEST(RegistryView, ProgramFolderVariablesFollowTheView) {
  const auto lookup64 = [](const std::wstring& name) -> std::wstring {
    if (name == L"ProgramFiles(x86)") return L"C:\\PF86";
    if (name == L"CommonProgramFiles(x86)") return L"C:\\PF86\\Common";
    if (name == L"ProgramW6432") return L"C:\\PF";
    if (name == L"CommonProgramW6432") return L"C:\\PF\\Common";
    return L"";
  };
  const auto lookup32 = [](const std::wstring&) { return std::wstring(); };  // 32-bit Windows
  const struct {
    RegistryView view;
    bool windows64;
    const wchar_t* text;
    const wchar_t* expected;
  } cases[] = {
      {RegistryView::Wow32, true, L"%ProgramFiles%\\A\\a.dll", L"C:\\PF86\\A\\a.dll"},
      {RegistryView::Wow32, true, L"\"%programfiles%\\A\\a.exe\" %1", L"\"C:\\PF86\\A\\a.exe\" %1"},
      {RegistryView::Wow32, true, L"%CommonProgramFiles%\\S\\s.dll", L"C:\\PF86\\Common\\S\\s.dll"},
      {RegistryView::Wow32, true, L"%ProgramW6432%\\A\\a.dll", L"%ProgramW6432%\\A\\a.dll"},
      {RegistryView::Wow32, true, L"%ProgramFiles(x86)%\\A\\a.dll", L"%ProgramFiles(x86)%\\A\\a.dll"},
      {RegistryView::Wow32, true, L"%CommonProgramW6432%\\a.dll", L"%CommonProgramW6432%\\a.dll"},
      {RegistryView::Native, true, L"%ProgramFiles%\\A\\a.dll", L"C:\\PF\\A\\a.dll"},
      {RegistryView::Native, true, L"%CommonProgramFiles%\\a.dll", L"C:\\PF\\Common\\a.dll"},
      {RegistryView::Wow32, false, L"%ProgramFiles%\\A\\a.dll", L"%ProgramFiles%\\A\\a.dll"},
      {RegistryView::Native, false, L"%CommonProgramFiles%\\a.dll", L"%CommonProgramFiles%\\a.dll"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    const auto lookup = c.windows64 ? std::function<std::wstring(const std::wstring&)>(lookup64)
                                    : std::function<std::wstring(const std::wstring&)>(lookup32);
    EXPECT_EQ(Rewrite_ProgramFolderVariables(c.text, c.view, lookup), c.expected);
  }
}

}  // namespace
}  // namespace keytidy
