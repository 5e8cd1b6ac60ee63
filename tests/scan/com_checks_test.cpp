// Class, interface and type-library registrations, in the real class keys.
// Every fixture identifier is made up and starts with kOurs, so the
// findings for Wine's own registrations can be told apart and ignored.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "support/pumping_front_end.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
const std::wstring kOurs = L"4B455954-4944-5900-8000-";

std::wstring Id(int n) {
  wchar_t text[64];
  swprintf(text, 64, L"{%ls%012d}", kOurs.c_str(), n);
  return text;
}
std::string Id8(int n) { return Utf16ToUtf8(Id(n)); }

std::wstring Expanded(const wchar_t* text) {
  wchar_t out[MAX_PATH] = {};
  ExpandEnvironmentStringsW(text, out, MAX_PATH);
  return out;
}

class FakeProgress : public TScanProgress {
 public:
  void SetMaximum(std::int32_t maximum) override { this->maximum = maximum; }
  void SetPosition(std::int32_t position) override { this->position = position; }
  std::int32_t Position() const override { return position; }
  std::int32_t maximum = -1;
  std::int32_t position = -1;
};

class ComChecks : public test::CheckTest {
 protected:
  // One line per finding under a fixture key, in tree order:
  // "group | FullPath | DisplayName | key | AdditionalInfo". What every
  // finding of these checks shares (place, ticked, the fix deleting
  // exactly the key read) is asserted here for each of them.
  Lines Ours() const {
    Lines lines;
    for (PVirtualNode node : tree) {
      const TTreeData_RegCleaner& e = *GetEntry(node);
      if (!ContainsUpperAscii(e.Key, UpperCaseAscii(kOurs)) && !ContainsUpperAscii(e.Key, L"{09D32393-")) continue;
      EXPECT_TRUE(IsTicked(node));
      EXPECT_EQ(e.ComboBoxIndex, FilterCategory::Com);
      EXPECT_EQ(e.RootKey, HKCR);
      EXPECT_EQ(e.Value, L"");
      EXPECT_TRUE(e.DeleteKey && !e.DeleteValue);
      EXPECT_EQ(e.Delete_Root, HKCR);
      EXPECT_EQ(e.Delete_Key, e.Key);
      EXPECT_EQ(e.Delete_Value, L"");
      EXPECT_EQ(e.Filename, e.FullPath);  // the whole path, not only its last part
      lines.push_back(std::to_string(Number(e.GroupIndex)) + " | " +
                      Utf16ToUtf8(e.FullPath + L" | " + e.DisplayName + L" | " + e.Key + L" | " + e.AdditionalInfo));
    }
    return lines;
  }

  void Write(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    registry.WriteString(HKCR, key, name, T(text));
  }

  // The seven class checks in the order the scan runs them.
  void RunClassChecks(const KeyList& classes, bool wow) {
    engine.SEARCH_COM_TOOLBOXBITMAP(classes, CheckId::ComToolboxBitmap, FilterCategory::Com, wow);
    engine.SEARCH_COM_INPROCSERVER32(classes, CheckId::ComInprocServer32, FilterCategory::Com, wow);
    engine.SEARCH_COM_LOCALSERVER32(classes, CheckId::ComLocalServer32, FilterCategory::Com, wow);
    engine.SEARCH_COM_EMPTY_INPROCSERVER32(classes, CheckId::ComEmptyInprocServer32, FilterCategory::Com, wow);
    engine.SEARCH_COM_EMPTY_INPROCSERVER(classes, CheckId::ComEmptyInprocServer, FilterCategory::Com, wow);
    engine.SEARCH_COM_EMPTY_TOOLBOXBITMAP(classes, CheckId::ComEmptyToolboxBitmap, FilterCategory::Com, wow);
    engine.SEARCH_COM_TYPELIB_INVALID(classes, CheckId::ComTypeLibInvalid, FilterCategory::Com, wow);
  }
  void RunLibraryChecks(bool wow) {
    engine.SEARCH_TYPELIB_EMPTY_HELPDIR(CheckId::TypeLibEmptyHelpDir, FilterCategory::Com, wow);
    engine.SEARCH_INTERFACE_TYPELIB_INVALID(CheckId::InterfaceTypeLibInvalid, FilterCategory::Com, wow);
  }
};

// A class fixture: its title (none when empty) and one sub-key with its
// default value `text` and a value `named`, either left out when null.
struct ClassCase {
  int id;
  const wchar_t* title;
  const wchar_t* subKey;
  const wchar_t* text;
  const wchar_t* named = nullptr;
};

TEST_F(ComChecks, ClassesOverTheWholeClassList) {
  Touch(T(L"{T}\\here.dll"));
  Touch(T(L"{T}\\here.ocx"));
  const std::wstring lib = L"{" + kOurs + L"0000000000A1}";  // not registered anywhere
  const std::wstring wowLib = L"{" + kOurs + L"0000000000A2}";
  // Written through the 32-bit view. Both views share the library keys (as
  // on Windows 7 and later), so the native look-up finds it as well; either
  // way the class that names it is not reported.
  registry.CreateKey(HKCR, L"Wow6432Node\\TypeLib\\" + wowLib + L"\\1.0");

  const ClassCase cases[] = {
      // Servers: a missing file after expansion, in quotes; present, on a
      // drive the engine does not judge, or no text at all.
      {1, L"Keytidy Gone Server", L"InprocServer32", L"%SystemRoot%\\System32\\keytidy-gone.dll"},
      {2, L"", L"InprocServer32", L"\"{T}\\gone dir\\x.dll\""},
      {3, L"Keytidy", L"InprocServer32", L"{T}\\here.dll"},
      {4, L"Keytidy", L"InprocServer32", L"Z:\\keytidy\\gone.dll"},
      {5, L"Keytidy", L"InprocServer32", L"", L"ThreadingModel"},
      // Toolbox bitmaps: the resource index goes, a plain bitmap is not judged.
      {10, L"Keytidy Control", L"ToolBoxBitmap32", L"{T}\\Gone\\ctl.ocx,1"},
      {11, L"Keytidy", L"ToolBoxBitmap32", L"{T}\\Gone\\bitmap.bmp"},
      {12, L"Keytidy", L"ToolBoxBitmap32", L"{T}\\here.ocx,1"},
      {13, L"Keytidy", L"ToolBoxBitmap32", L"{T}\\Gone\\res.dll,-5"},
      {14, L"Keytidy", L"ToolBoxBitmap32", L"{T}\\Gone\\plain.ocx"},
      {15, L"Keytidy", L"ToolBoxBitmap32", L"{T}\\Gone\\odd.dll,v.exe,1"},  // only the one index goes
      // Empty sub-keys; one with a value or a sub-key of its own is not empty.
      {20, L"Keytidy Empty", L"InprocServer32", nullptr},
      {21, L"Keytidy", L"InprocServer32", nullptr, L"ThreadingModel"},
      {22, L"", L"ToolBoxBitmap32", nullptr},
      {23, L"Keytidy", L"InprocServer", nullptr},
      {24, L"Keytidy", L"InprocServer32\\Sub", nullptr},
      {25, L"Keytidy", L"InprocServer", L" "},
      // Type libraries: missing, registered only in the 32-bit view, not an
      // identifier, and a missing one on classes left alone by their title.
      {30, L"Keytidy Typed", L"TypeLib", lib.c_str()},
      {31, L"", L"TypeLib", lib.c_str()},
      {32, L"Keytidy", L"TypeLib", wowLib.c_str()},
      {33, L"Keytidy", L"TypeLib", L"keytidy.tlb"},
      {34, L"PipelineRegistrar Class", L"TypeLib", lib.c_str()},
      {35, L"symdgnhc", L"TypeLib", lib.c_str()},
  };
  for (const ClassCase& c : cases) {
    const std::wstring key = L"CLSID\\" + Id(c.id);
    const std::wstring sub = key + L"\\" + c.subKey;
    if (*c.title) Write(key, L"", c.title);
    if (c.text) Write(sub, L"", c.text);
    if (c.named) Write(sub, c.named, L"Apartment");
    if (!c.text && !c.named) registry.CreateKey(HKCR, sub);
  }

  // The list as the scan builds it: every class there is.
  KeyList classes;
  ASSERT_TRUE(Reg_GetSubKeys(HKCR, L"CLSID", classes));
  RunClassChecks(classes, false);

  const std::string gone = Utf16ToUtf8(Expanded(L"%SystemRoot%\\System32\\keytidy-gone.dll"));
  const std::string missing = "HKEY_CLASSES_ROOT\\TypeLib\\" + Utf16ToUtf8(lib);
  EXPECT_THAT(Ours(),
              UnorderedElementsAreArray(Lines{
                  "41 | " + T8(L"{T}\\Gone\\ctl.ocx | Keytidy Control | CLSID\\") + Id8(10) + "\\ToolBoxBitmap32 | ",
                  "41 | " + T8(L"{T}\\Gone\\res.dll | Keytidy | CLSID\\") + Id8(13) + "\\ToolBoxBitmap32 | ",
                  "41 | " + T8(L"{T}\\Gone\\plain.ocx | Keytidy | CLSID\\") + Id8(14) + "\\ToolBoxBitmap32 | ",
                  "41 | " + T8(L"{T}\\Gone\\odd.dll,v.exe | Keytidy | CLSID\\") + Id8(15) + "\\ToolBoxBitmap32 | ",
                  "40 | " + gone + " | Keytidy Gone Server | CLSID\\" + Id8(1) + "\\InprocServer32 | ",
                  "40 | " + T8(L"{T}\\gone dir\\x.dll | ") + Id8(2) + " | CLSID\\" + Id8(2) + "\\InprocServer32 | ",
                  "42 |  | Keytidy Empty | CLSID\\" + Id8(20) + "\\InprocServer32 | ",
                  "44 |  | Keytidy | CLSID\\" + Id8(23) + "\\InprocServer | ",
                  "43 |  | " + Id8(22) + " | CLSID\\" + Id8(22) + "\\ToolBoxBitmap32 | ",
                  "46 |  | Keytidy Typed | CLSID\\" + Id8(30) + "\\TypeLib | " + missing,
                  "46 |  | " + Id8(31) + " | CLSID\\" + Id8(31) + "\\TypeLib | " + missing,
              }));
}

TEST_F(ComChecks, ServerSkippedOnlyWhenWrittenExactlyAsKnown) {
  // The registry compares key names without regard to case, so one key
  // serves both spellings; the scan gets them as the list holds them.
  const std::wstring lower = L"{09D32393-10DA-4eca-91AA-AD11C69DB966}";
  const std::wstring upper = L"{09D32393-10DA-4ECA-91AA-AD11C69DB966}";
  ASSERT_FALSE(Reg_KeyExists(HKCR, L"CLSID\\" + lower)) << "the fixture would change a real registration";
  Write(L"CLSID\\" + lower + L"\\InprocServer32", L"", L"{T}\\gone.dll");

  engine.SEARCH_COM_INPROCSERVER32({lower, upper}, CheckId::ComInprocServer32, FilterCategory::Com, false);
  EXPECT_THAT(Ours(), ElementsAre("40 | " + T8(L"{T}\\gone.dll | ") + Utf16ToUtf8(upper) + " | CLSID\\" +
                                  Utf16ToUtf8(upper) + "\\InprocServer32 | "));
}

TEST_F(ComChecks, ProgressAndStopRequest) {
  for (int id : {1, 2, 3}) Write(L"CLSID\\" + Id(id) + L"\\InprocServer32", L"", L"{T}\\gone.dll");
  FakeProgress progress;
  progress.position = 7;  // left over from an earlier check
  engine.Progress = &progress;
  int calls = 0;
  test::PumpingFrontEnd pump([&] {
    EXPECT_EQ(progress.position, calls + 1);  // the step comes before the messages
    if (++calls == 2) run.STOP_REQUESTED = true;
  });
  engine.FrontEnd = &pump;

  engine.SEARCH_COM_INPROCSERVER32({Id(1), Id(2), Id(3)}, CheckId::ComInprocServer32, FilterCategory::Com, false);
  EXPECT_EQ(calls, 3);  // the walk still runs to its end, without work
  EXPECT_EQ(progress.maximum, 5);
  EXPECT_EQ(progress.position, 3);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned + engine.Scanned().Stat_ValuesScanned, 0u);
  ASSERT_EQ(Ours().size(), 1u);
  EXPECT_NE(Ours()[0].find(Id8(1)), std::string::npos);

  engine.SEARCH_COM_EMPTY_INPROCSERVER({Id(1)}, CheckId::ComEmptyInprocServer, FilterCategory::Com, false);
  EXPECT_EQ(calls, 3);  // a stopped run starts nothing new
}

TEST_F(ComChecks, HelpFoldersAndInterfaceLibraries) {
  const std::wstring lib = L"TypeLib\\" + Id(40);
  Write(lib + L"\\1.0", L"", L"Keytidy Library");
  Write(lib + L"\\1.0\\HELPDIR", L"", L"");                // empty: reported
  Write(lib + L"\\2.0\\HELPDIR", L"", L"{T}");             // a folder: kept
  registry.CreateKey(HKCR, lib + L"\\3.0\\HELPDIR");       // not even a default value
  registry.CreateKey(HKCR, lib + L"\\4.0\\HELPDIR\\Sub");  // holds a sub-key
  Write(lib + L"\\5.0\\HELPDIR", L"", L"");
  Write(lib + L"\\5.0\\HELPDIR", L"Extra", L"");  // two values

  const std::wstring missingLib = L"{" + kOurs + L"0000000000B1}";
  const std::wstring wowLib = L"{" + kOurs + L"0000000000B2}";
  registry.CreateKey(HKCR, L"Wow6432Node\\TypeLib\\" + wowLib);
  const struct {
    int id;
    const wchar_t* name;
    std::wstring libid;
  } interfaces[] = {
      {41, L"IKeytidyGone", missingLib},
      {42, L"", missingLib},                                 // shown by its identifier
      {43, L"IBackupLocationsShellFolderImpl", missingLib},  // left alone
      {44, L"IKeytidyWow", wowLib},                          // registered in the 32-bit view
      {45, L"IKeytidyHere", Id(40)},                         // the library above
  };
  for (const auto& i : interfaces) {
    if (*i.name) Write(L"Interface\\" + Id(i.id), L"", i.name);
    Write(L"Interface\\" + Id(i.id) + L"\\TypeLib", L"", i.libid);
  }
  registry.CreateKey(HKCR, L"Interface\\" + Id(46) + L"\\TypeLib");  // names no library

  RunLibraryChecks(false);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(HKCR, L"TypeLib") + Reg_SubKeyCount(HKCR, L"Interface"));

  const std::string missing = "HKEY_CLASSES_ROOT\\TypeLib\\" + Utf16ToUtf8(missingLib);
  EXPECT_THAT(Ours(), UnorderedElementsAreArray(Lines{
                          "50 |  | Keytidy Library | TypeLib\\" + Id8(40) + "\\1.0\\HELPDIR | 1.0\\HELPDIR",
                          "50 |  | " + Id8(40) + "\\3.0 | TypeLib\\" + Id8(40) + "\\3.0\\HELPDIR | 3.0\\HELPDIR",
                          "51 |  | IKeytidyGone | Interface\\" + Id8(41) + "\\TypeLib | " + missing,
                          "51 |  | " + Id8(42) + " | Interface\\" + Id8(42) + "\\TypeLib | " + missing,
                      }));
}

// Servers that are programs: the command line's program, found as the
// class's own branch would find it, is what is judged; a command that does
// not say where the program's name ends, and a drive the engine does not
// judge, leave the class alone.
TEST_F(ComChecks, LocalServerProgramsByTheCommandLineRules) {
  Touch(T(L"{T}\\srv\\here.exe"));
  Touch(T(L"{T}\\pf64\\KeytidyApp\\srv.exe"));
  engine.ProgramDir_W6432 = T(L"{T}\\pf64");
  const std::wstring x86 = Expanded(L"%ProgramFiles(x86)%");
  const struct {
    int id;
    bool wow;
    const wchar_t* command;
    std::wstring reported;  // empty: not reported
  } rows[] = {
      {60, false, L"{T}\\srv\\here.exe", L""},
      {61, false, L"{T}\\srv\\gone.exe", T(L"{T}\\srv\\gone.exe")},
      {62, false, L"\"{T}\\srv dir\\gone.exe\" -Embedding", T(L"{T}\\srv dir\\gone.exe")},
      {63, false, L"\"{T}\\srv\\here.exe\" /automation", L""},
      {64, false, L"{T}\\srv\\gone.exe /automation", T(L"{T}\\srv\\gone.exe")},
      {65, false, L"{T}\\Gone App\\server -Embedding", L""},     // the blank may start the arguments
      {66, false, L"Z:\\keytidy\\gone.exe -Embedding", L""},     // cannot tell: a drive not judged
      {67, false, L"%ProgramFiles%\\KeytidyApp\\srv.exe", L""},  // the 64-bit folder, where it is
      {67, true, L"%ProgramFiles%\\KeytidyApp\\srv.exe", x86 + L"\\KeytidyApp\\srv.exe"},
      {68, true, L"{T}\\srv\\gone.exe -Embedding", T(L"{T}\\srv\\gone.exe")},
      {69, false, L"", L""},
  };
  KeyList native, wow;
  Lines expected;
  for (const auto& row : rows) {
    const std::wstring key = (row.wow ? L"Wow6432Node\\CLSID\\" : L"CLSID\\") + Id(row.id);
    Write(key, L"", L"Keytidy Server");
    Write(key + L"\\LocalServer32", L"", T(row.command));
    (row.wow ? wow : native).push_back(Id(row.id));
    if (!row.reported.empty())
      expected.push_back("45 | " + Utf16ToUtf8(row.reported) + " | Keytidy Server | " +
                         (row.wow ? "WOW6432Node\\CLSID\\" : "CLSID\\") + Id8(row.id) + "\\LocalServer32 | ");
  }
  for (bool pass : {false, true})
    engine.SEARCH_COM_LOCALSERVER32(pass ? wow : native, CheckId::ComLocalServer32, FilterCategory::Com, pass);

  EXPECT_THAT(Ours(), UnorderedElementsAreArray(expected));
  // The deletion tests the same file again, as the class's branch sees it.
  for (PVirtualNode node : tree) {
    const TTreeData_RegCleaner& e = *GetEntry(node);
    if (!ContainsUpperAscii(e.Key, UpperCaseAscii(kOurs))) continue;
    EXPECT_EQ(e.Evidence.test, EvidenceTest::FileMissing) << Utf16ToUtf8(e.Key);
    EXPECT_EQ(e.Evidence.target, e.FullPath) << Utf16ToUtf8(e.Key);
    EXPECT_EQ(e.Evidence.thirtyTwoBitBranch, ContainsUpperAscii(e.Key, L"WOW6432NODE")) << Utf16ToUtf8(e.Key);
  }
}

// The 32-bit view has its own classes and interfaces below Wow6432Node.
// What both views show alike is reported once, by the native pass.
TEST_F(ComChecks, ThirtyTwoBitPassesSkipWhatTheNativePassReported) {
  const std::wstring missingLib = L"{" + kOurs + L"0000000000C1}";
  for (const std::wstring base : {L"CLSID\\", L"Wow6432Node\\CLSID\\"})
    Write(base + Id(50) + L"\\TypeLib", L"", missingLib);
  Write(L"Wow6432Node\\CLSID\\" + Id(51), L"", L"Keytidy 32");
  Write(L"Wow6432Node\\CLSID\\" + Id(51) + L"\\TypeLib", L"", missingLib);
  // %ProgramFiles% means the 64-bit folder only to native registrations.
  Touch(T(L"{T}\\pf64\\KeytidyApp\\a.dll"));
  engine.ProgramDir_W6432 = T(L"{T}\\pf64");
  for (const std::wstring base : {L"CLSID\\", L"Wow6432Node\\CLSID\\"})
    Write(base + Id(52) + L"\\InprocServer32", L"", L"%ProgramFiles%\\KeytidyApp\\a.dll");

  // Type libraries are one key for both views (on Windows 7 and later as in
  // Wine): one registered through the 32-bit view shows in the native view
  // as well, where the native pass finds it first.
  Write(L"Wow6432Node\\TypeLib\\" + Id(53) + L"\\1.0\\HELPDIR", L"", L"");
  ASSERT_TRUE(Reg_KeyExists(HKCR, L"TypeLib\\" + Id(53)));
  for (const std::wstring base : {L"Interface\\", L"Wow6432Node\\Interface\\"}) {
    Write(base + Id(55), L"", L"IKeytidyBoth");
    Write(base + Id(55) + L"\\TypeLib", L"", missingLib);
  }
  Write(L"Wow6432Node\\Interface\\" + Id(56) + L"\\TypeLib", L"", missingLib);

  const KeyList native = {Id(50), Id(52)};
  const KeyList wow = {Id(50), Id(51), Id(52)};
  RunClassChecks(native, false);
  RunClassChecks(wow, true);
  engine.SEARCH_TYPELIB_EMPTY_HELPDIR(CheckId::TypeLibEmptyHelpDir, FilterCategory::Com, false);
  engine.SEARCH_TYPELIB_EMPTY_HELPDIR(CheckId::TypeLibEmptyHelpDir, FilterCategory::Com, true);
  engine.SEARCH_INTERFACE_TYPELIB_INVALID(CheckId::InterfaceTypeLibInvalid, FilterCategory::Com, false);
  engine.SEARCH_INTERFACE_TYPELIB_INVALID(CheckId::InterfaceTypeLibInvalid, FilterCategory::Com, true);

  const std::string missing = "HKEY_CLASSES_ROOT\\TypeLib\\" + Utf16ToUtf8(missingLib);
  // To the 32-bit registration %ProgramFiles% is the x86 folder.
  const std::string programFiles = Utf16ToUtf8(Expanded(L"%ProgramFiles(x86)%"));
  EXPECT_THAT(Ours(), UnorderedElementsAreArray(Lines{
                          "46 |  | " + Id8(50) + " | CLSID\\" + Id8(50) + "\\TypeLib | " + missing,
                          "40 | " + programFiles + "\\KeytidyApp\\a.dll | " + Id8(52) + " | WOW6432Node\\CLSID\\" +
                              Id8(52) + "\\InprocServer32 | ",
                          "46 |  | Keytidy 32 | WOW6432Node\\CLSID\\" + Id8(51) + "\\TypeLib | " + missing,
                          "50 |  | " + Id8(53) + "\\1.0 | TypeLib\\" + Id8(53) + "\\1.0\\HELPDIR | 1.0\\HELPDIR",
                          "51 |  | IKeytidyBoth | Interface\\" + Id8(55) + "\\TypeLib | " + missing,
                          "51 |  | " + Id8(56) + " | Wow6432Node\\Interface\\" + Id8(56) + "\\TypeLib | " + missing,
                      }));
}

}  // namespace
}  // namespace keytidy
