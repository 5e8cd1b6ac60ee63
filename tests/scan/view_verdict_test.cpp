// Verdicts as the program a registration belongs to would reach: real
// files in the prefix's system and program folders, judged through the
// native and the 32-bit view. The prefix is 64-bit and so is this test, so
// C:\windows\system32 and C:\windows\syswow64 are two real folders here.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/environment_strings.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "scan/check_skeleton.h"
#include "scan/open_command_program.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAre;

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
constexpr RegistryView kNative = RegistryView::Native;
constexpr RegistryView kWow32 = RegistryView::Wow32;
const std::wstring kFile = L"keytidy-verdict.ocx";
const std::wstring kSubFolder = L"Keytidy Verdict";

enum class Place { Nowhere, System32, SysWow64, DriversEtc, ProgramFiles, ProgramFilesX86, CommonFilesX86 };

std::wstring Variable(const wchar_t* name) {
  std::wstring value;
  Get_EnvVariable(name, value, true);
  return value;
}

// The folder that holds the fixture file for one row.
std::wstring FolderOf(Place place) {
  switch (place) {
    case Place::System32: return WindowsFolder() + L"\\System32";
    case Place::SysWow64: return WindowsFolder() + L"\\SysWOW64";
    case Place::DriversEtc: return WindowsFolder() + L"\\System32\\drivers\\etc";
    case Place::ProgramFiles: return Variable(L"ProgramW6432") + L"\\" + kSubFolder;
    case Place::ProgramFilesX86: return Variable(L"ProgramFiles(x86)") + L"\\" + kSubFolder;
    case Place::CommonFilesX86: return Variable(L"CommonProgramFiles(x86)") + L"\\" + kSubFolder;
    case Place::Nowhere: break;
  }
  return {};
}

// A file put into a system or program folder for the life of one row;
// the folders it needed go with it.
class PlacedFile {
 public:
  PlacedFile(Place place, const std::wstring& name) {
    if (place == Place::Nowhere) return;
    const std::wstring folder = FolderOf(place);
    for (size_t slash = folder.find(L'\\', 3);; slash = folder.find(L'\\', slash + 1)) {
      const std::wstring part = folder.substr(0, slash);
      if (CreateDirectoryW(part.c_str(), nullptr)) madeFolders_.push_back(part);
      if (slash == std::wstring::npos) break;
    }
    path_ = folder + L"\\" + name;
    test::WriteFileBytes(path_, "x");
  }
  ~PlacedFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
    for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
      RemoveDirectoryW(folder->c_str());
  }
  PlacedFile(const PlacedFile&) = delete;
  PlacedFile& operator=(const PlacedFile&) = delete;
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  std::vector<std::wstring> madeFolders_;
};

class ViewVerdict : public test::CheckTest {
 protected:
  void SetUp() override {
    // The rows need the 64-bit prefix's second set of folders.
    ASSERT_TRUE(IsWindows64());
    ASSERT_NE(GetFileAttributesW(FolderOf(Place::SysWow64).c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_FALSE(Variable(L"ProgramFiles(x86)").empty());
    ASSERT_FALSE(Variable(L"CommonProgramFiles(x86)").empty());
    ASSERT_NE(UpperCaseAscii(Variable(L"ProgramFiles(x86)")), UpperCaseAscii(Variable(L"ProgramW6432")));
  }

  // The verdict the checks reach for one reference (the native passes
  // rewrite %ProgramFiles% first, as they do).
  bool Reported(const std::wstring& reference, RegistryView view) const {
    const std::wstring path = Resolve_FileReference(engine, reference, view == kNative, view);
    return Is_MissingFile(engine, path, view);
  }
};

TEST_F(ViewVerdict, ReferencesAreJudgedAsTheirOwnProgramSeesTheDisk) {
  const struct {
    RegistryView view;
    const wchar_t* reference;  // {F} is the fixture file's name
    Place place;
    bool reported;
  } rows[] = {
      // a 32-bit program's System32, in every spelling, is SysWOW64
      {kWow32, L"C:\\Windows\\System32\\{F}", Place::SysWow64, false},
      {kWow32, L"%SystemRoot%\\system32\\{F}", Place::SysWow64, false},
      {kWow32, L"%windir%\\System32\\{F}", Place::SysWow64, false},
      {kWow32, L"\"C:\\WINDOWS\\SYSTEM32\\{F}\" /s", Place::SysWow64, false},
      {kWow32, L"C:\\Windows\\System32\\{F}", Place::System32, true},  // invisible to it
      {kWow32, L"C:\\Windows\\Sysnative\\{F}", Place::System32, false},
      {kWow32, L"C:\\Windows\\System32\\drivers\\etc\\{F}", Place::DriversEtc, false},  // never redirected
      // a 64-bit program sees System32 as it is: a file only in SysWOW64 is no use to it
      {kNative, L"C:\\Windows\\System32\\{F}", Place::SysWow64, true},
      {kNative, L"%SystemRoot%\\system32\\{F}", Place::SysWow64, true},
      {kNative, L"C:\\Windows\\System32\\{F}", Place::System32, false},
      // program folders
      {kWow32, L"%ProgramFiles%\\Keytidy Verdict\\{F}", Place::ProgramFilesX86, false},
      {kWow32, L"%ProgramFiles%\\Keytidy Verdict\\{F}", Place::ProgramFiles, true},
      {kWow32, L"%ProgramW6432%\\Keytidy Verdict\\{F}", Place::ProgramFiles, false},
      {kWow32, L"%CommonProgramFiles%\\Keytidy Verdict\\{F}", Place::CommonFilesX86, false},
      {kNative, L"%ProgramFiles%\\Keytidy Verdict\\{F}", Place::ProgramFilesX86, true},
      {kNative, L"%ProgramFiles%\\Keytidy Verdict\\{F}", Place::ProgramFiles, false},
      {kNative, L"%CommonProgramFiles%\\Keytidy Verdict\\{F}", Place::CommonFilesX86, true},
      // truly missing: reported in both views
      {kWow32, L"C:\\Windows\\System32\\{F}", Place::Nowhere, true},
      {kNative, L"C:\\Windows\\System32\\{F}", Place::Nowhere, true},
      {kWow32, L"%ProgramFiles%\\Keytidy Verdict\\{F}", Place::Nowhere, true},
  };
  for (const auto& row : rows) {
    const std::wstring reference = ReplaceAllIgnoreCase(row.reference, L"{F}", kFile);
    SCOPED_TRACE(Utf16ToUtf8(std::wstring(row.view == kWow32 ? L"32-bit " : L"native ") + reference + L" in " +
                             FolderOf(row.place)));
    PlacedFile file(row.place, kFile);
    EXPECT_EQ(Reported(reference, row.view), row.reported);
  }
}

TEST_F(ViewVerdict, BareNamesAreFoundInTheViewsSystemFolder) {
  PlacedFile file(Place::SysWow64, kFile);
  const std::wstring command = kFile + L" /regserver";
  EXPECT_EQ(Resolve_FileReference(engine, command, false, kWow32), SystemFolder() + L"\\" + kFile);
  EXPECT_EQ(Resolve_FileReference(engine, command, false, kNative), kFile);  // not found: no drive path
}

TEST_F(ViewVerdict, ClassCheckJudgesEachBranchWithItsOwnView) {
  PlacedFile file(Place::SysWow64, kFile);
  const std::wstring id = L"{4B455954-4944-5900-8000-0000000000F1}";
  const std::wstring server = L"C:\\Windows\\System32\\" + kFile;
  registry.WriteString(HKCR, L"Wow6432Node\\CLSID\\" + id + L"\\InprocServer32", L"", server);
  registry.WriteString(HKCR, L"CLSID\\" + id + L"\\InprocServer32", L"", server);

  engine.SEARCH_COM_INPROCSERVER32({id}, CheckId::ComInprocServer32, FilterCategory::Com, true);
  EXPECT_THAT(OurFindings(), ElementsAre()) << "the 32-bit class's server is in SysWOW64";

  engine.SEARCH_COM_INPROCSERVER32({id}, CheckId::ComInprocServer32, FilterCategory::Com, false);
  EXPECT_THAT(OurFindings(), ElementsAre("40/2 | " + Utf16ToUtf8(server) + " | " + Utf16ToUtf8(id) +
                                         " | HKEY_CLASSES_ROOT\\CLSID\\" + Utf16ToUtf8(id) +
                                         "\\InprocServer32 |  | "
                                         "key HKEY_CLASSES_ROOT\\CLSID\\" +
                                         Utf16ToUtf8(id) + "\\InprocServer32"));
}

TEST_F(ViewVerdict, QuotedProgramPathsAreTakenWhole) {
  Touch(T(L"{T}\\Foo.exe Tools\\bar.exe"));
  Touch(T(L"{T}\\Gone.exe"));
  const struct {
    const wchar_t* command;
    const wchar_t* program;  // what the open-command checks test
  } rows[] = {
      {L"\"{T}\\Foo.exe Tools\\bar.exe\" \"%1\"", L"{T}\\Foo.exe Tools\\bar.exe"},
      {L"\"{T}\\Gone.exe Tools\\bar.exe\" \"%1\"", L"{T}\\Gone.exe Tools\\bar.exe"},
      {L"\"{T}\\Dash.exe -x\\run.exe\" -y", L"{T}\\Dash.exe -x\\run.exe"},
      {L"\"{T}\\Slash /s\\run.exe\" /s", L"{T}\\Slash /s\\run.exe"},
      {L"  \"{T}\\Tools\\script.cmd\" %1", L""},                     // quoted, but no program to judge
      {L"{T}\\Tools\\tool.exe -x \"%1\"", L"{T}\\Tools\\tool.exe"},  // unquoted: the cuts apply
      {L"\"{T}\\Unclosed\\tool.exe -x", L"{T}\\Unclosed\\tool.exe"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(T8(row.command));
    EXPECT_EQ(Program_OfOpenCommand(engine, T(row.command)), T(row.program));
  }

  // End to end: the class whose quoted program exists stays, the one whose
  // program is gone is reported by its whole path (not by the Gone.exe
  // that happens to exist).
  registry.WriteString(HKCR, L"KeytidyQuotedHere\\shell\\open\\command", L"", T(rows[0].command));
  registry.WriteString(HKCR, L"KeytidyQuotedGone\\shell\\open\\command", L"", T(rows[1].command));
  engine.SEARCH_FILEFORMAT_WRONGEXE({L"KeytidyQuotedHere", L"KeytidyQuotedGone"}, CheckId::FileFormatWrongExe,
                                    FilterCategory::FileTypes);
  EXPECT_THAT(OurFindings(), ElementsAre("30/1 | " + T8(L"{T}\\Gone.exe Tools\\bar.exe") +
                                         " | KeytidyQuotedGone | HKEY_CLASSES_ROOT\\KeytidyQuotedGone |  | "
                                         "key HKEY_CLASSES_ROOT\\KeytidyQuotedGone"));
}

}  // namespace
}  // namespace keytidy
