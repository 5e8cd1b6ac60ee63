// The console's backup commands on the program folder's real Backups
// folder: listing, restoring (with its check of the registry) and deleting.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "backup/reg_script_text.h"
#include "platform/text.h"
#include "support/programs.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

using test::CliPath;
using test::Quote;
using test::RunProgram;

class BackupCommands : public test::RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    for (const std::wstring& name : {good_, broken_, scriptOnly_, torn_, planted_, partial_})
      for (const wchar_t* extension : {L".ini", L".reg", L".hosts"})
        DeleteFileW((folder_ + L"\\" + name + extension).c_str());
    DeleteFileW(victim_.c_str());
    RegistrySandbox::TearDown();
  }

  void AddSet(const std::wstring& name, const std::wstring& records) {
    test::WriteFileBytes(folder_ + L"\\" + name + L".ini",
                         "[Backup]\r\nDateTime=2026-01-02 03:04:05\r\nModul=RC\r\nAction=RC_DELETED\r\nDisplay=1\r\n"
                         "User=anna\r\nSavedKeys=0\r\nSavedValues=1\r\n");
    test::WriteFileBytes(folder_ + L"\\" + name + L".reg", RegScriptHeaderBytes() + RegScriptBytes(records));
  }
  std::wstring Key() const { return L"HKEY_CURRENT_USER\\" + Path(); }
  std::string Cli(const std::wstring& arguments, DWORD& exitCode) {
    const test::RunResult result = RunProgram(Quote(CliPath()) + L" " + arguments);
    exitCode = result.exitCode;
    return result.output;
  }

  std::wstring folder_ = test::BinFolder() + L"\\Backups";
  std::wstring unique_ = std::to_wstring(GetCurrentProcessId());
  std::wstring good_ = L"RC_TEST_GOOD_" + unique_;
  std::wstring broken_ = L"RC_TEST_BROKEN_" + unique_;
  std::wstring scriptOnly_ = L"RC_TEST_ALONE" + unique_ + L"_2026_03_04_05_06_07_089";
  std::wstring torn_ = L"RC_TEST_TORN_" + unique_;
  std::wstring planted_ = L"RC_TEST_PLANTED_" + unique_;
  std::wstring partial_ = L"RC_TEST_PARTIAL_" + unique_;
  // Beside the Backups folder: what a planted name "x\..\..\victim" reaches.
  std::wstring victim_ = test::BinFolder() + L"\\victim_" + unique_ + L".txt";
};

TEST_F(BackupCommands, ListRestoreAndDelete) {
  AddSet(good_, L"[" + Key() + L"]\r\n\"back\"=dword:00000007\r\n\r\n");
  DWORD exitCode = 0;

  const std::string list = Cli(L"backups", exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_NE(list.find(Utf16ToUtf8(good_) + "  2026-01-02 03:04:05  RC  RC_DELETED 1  "), std::string::npos) << list;

  Cli(L"restore " + good_, exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(), L"back"), 7);

  Cli(L"delete-backup " + good_ + L".ini", exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(GetFileAttributesW((folder_ + L"\\" + good_ + L".reg").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW((folder_ + L"\\" + good_ + L".ini").c_str()), INVALID_FILE_ATTRIBUTES);
  Cli(L"delete-backup " + good_, exitCode);
  EXPECT_EQ(exitCode, 1u);
}

// A script whose run died before any descriptor was written: listed as
// incomplete with the date its name gives, restorable and deletable.
TEST_F(BackupCommands, ScriptWithoutDescriptorIsListedRestoredAndDeleted) {
  AddSet(scriptOnly_, L"[" + Key() + L"]\r\n\"alone\"=dword:00000009\r\n\r\n");
  const std::wstring script = folder_ + L"\\" + scriptOnly_ + L".reg";
  DeleteFileW((folder_ + L"\\" + scriptOnly_ + L".ini").c_str());
  const std::string size = std::to_string(test::ReadFileBytes(script).size());
  DWORD exitCode = 0;

  const std::string list = Cli(L"backups", exitCode);
  EXPECT_EQ(exitCode, 0u);
  const std::string module = Utf16ToUtf8(L"RC_TEST_ALONE" + unique_);
  EXPECT_NE(
      list.find(Utf16ToUtf8(scriptOnly_) + "  2026-03-04 05:06:07  " + module + "    " + size + " bytes  incomplete"),
      std::string::npos)
      << list;

  const std::string restored = Cli(L"restore " + scriptOnly_, exitCode);
  EXPECT_EQ(exitCode, 0u) << restored;
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(), L"alone"), 9);

  Cli(L"delete-backup " + scriptOnly_, exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(GetFileAttributesW(script.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(BackupCommands, RestoreReportsWhatDidNotComeBack) {
  // reg.exe import skips a key name longer than the registry allows and
  // still exits 0; the command must not call that a success.
  AddSet(broken_, L"[" + Key() + L"\\" + std::wstring(300, L'k') + L"]\r\n\"v\"=dword:00000001\r\n\r\n");
  DWORD exitCode = 0;
  const std::string output = Cli(L"restore " + broken_, exitCode);
  EXPECT_EQ(exitCode, 5u);
  EXPECT_NE(output.find("key is missing"), std::string::npos) << output;

  Cli(L"restore RC_NO_SUCH_SET", exitCode);
  EXPECT_EQ(exitCode, 5u);
  EXPECT_EQ(Cli(L"restore", exitCode).empty(), false);
  EXPECT_EQ(exitCode, 2u);
}

// Restore reads the whole script first: a cut last record is left out (and
// named), a script damaged elsewhere is refused with exit code 1 and
// nothing changes. Extra files are named before they are copied.
TEST_F(BackupCommands, RestoreLeavesOutATornLastRecordAndRefusesAnUnreadableScript) {
  const std::wstring key = L"[" + Key() + L"]\r\n";
  const std::wstring whole = key + L"\"kept\"=dword:00000003\r\n\r\n";
  test::TempFolder elsewhere;
  const std::wstring target = elsewhere.File(L"hosts");
  const struct {
    const char* kind;
    std::wstring records;
    DWORD exitCode;
    const char* said;
  } cases[] = {
      {"torn", whole + key + L"\"live\"=dword:00", 0, "Left out the last record"},
      {"unreadable", key + L"\"live\"=dwurd:0\r\n\r\n" + whole, 1, "refused: the registry script cannot be read"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    Reg_WriteInteger(ROOT_HKEY_CURRENT_USER, Path(), L"live", 1);
    Reg_DeleteValue(ROOT_HKEY_CURRENT_USER, Path(), L"kept");
    test::WriteFileBytes(target, "current");
    AddSet(torn_, c.records);
    test::WriteFileBytes(folder_ + L"\\" + torn_ + L".ini",
                         test::ReadFileBytes(folder_ + L"\\" + torn_ + L".ini") +
                             "[Files]\r\nFileCount=1\r\nhosts=" + Utf16ToUtf8(target) + "\r\n");
    test::WriteFileBytes(folder_ + L"\\" + torn_ + L".hosts", "restored");
    DWORD exitCode = 0;
    const std::string output = Cli(L"restore " + torn_, exitCode);
    EXPECT_EQ(exitCode, c.exitCode) << output;
    EXPECT_NE(output.find(c.said), std::string::npos) << output;
    EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(), L"live"), 1);
    const bool restored = c.exitCode == 0;
    EXPECT_EQ(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"kept"), restored);
    EXPECT_EQ(test::ReadFileBytes(target), restored ? "restored" : "current");
    EXPECT_EQ(output.find("Putting back " + Utf16ToUtf8(target)) != std::string::npos, restored) << output;
  }
}

// A descriptor planted in the real Backups folder whose extra-file name
// leads out of it: listed as not ours, restore refused (exit code 1), and
// delete-backup removes the set's own files and not the file it names.
TEST_F(BackupCommands, PlantedSetIsNotOursAndItsNamesLeadNowhere) {
  test::WriteFileBytes(victim_, "victim");
  AddSet(planted_, L"[" + Key() + L"]\r\n\"planted\"=dword:00000001\r\n\r\n");
  test::TempFolder elsewhere;
  const std::wstring target = elsewhere.File(L"target.txt");
  test::WriteFileBytes(target, "current");
  test::WriteFileBytes(folder_ + L"\\" + planted_ + L".ini", test::ReadFileBytes(folder_ + L"\\" + planted_ + L".ini") +
                                                                 "[Files]\r\nFileCount=1\r\nx\\..\\..\\victim_" +
                                                                 Utf16ToUtf8(unique_) + ".txt=" + Utf16ToUtf8(target) +
                                                                 "\r\n");
  DWORD exitCode = 0;

  const std::string list = Cli(L"backups", exitCode);
  EXPECT_NE(list.find(Utf16ToUtf8(planted_) + "  "), std::string::npos) << list;
  const std::string line = list.substr(list.find(Utf16ToUtf8(planted_)));
  EXPECT_NE(line.substr(0, line.find('\n')).find("  not ours"), std::string::npos) << list;

  const std::string restored = Cli(L"restore " + planted_, exitCode);
  EXPECT_EQ(exitCode, 1u) << restored;
  EXPECT_NE(restored.find("names files outside the Backups folder"), std::string::npos) << restored;
  EXPECT_FALSE(RawValueExists(ROOT_HKEY_CURRENT_USER, Path(), L"planted"));
  EXPECT_EQ(test::ReadFileBytes(target), "current");

  Cli(L"delete-backup " + planted_, exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(GetFileAttributesW((folder_ + L"\\" + planted_ + L".ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW((folder_ + L"\\" + planted_ + L".reg").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(test::ReadFileBytes(victim_), "victim");
}

// One set over both hives: a key with two values and a sub-key, a second
// key, and a key under HKEY_LOCAL_MACHINE.
class PartialRestore : public BackupCommands {
 protected:
  std::wstring Machine() const { return L"HKEY_LOCAL_MACHINE\\" + Path(); }
  void AddMixedSet() {
    AddSet(partial_, L"[" + Key() + L"\\A]\r\n\"one\"=dword:00000001\r\n\"two\"=\"text\"\r\n\r\n" + L"[" + Key() +
                         L"\\C]\r\n@=\"default\"\r\n\"x\\\\y\"=dword:00000006\r\n\r\n" + L"[" + Key() +
                         L"\\A\\Sub]\r\n\"deep\"=dword:00000003\r\n\r\n" + L"[" + Key() +
                         L"\\B]\r\n\"other\"=dword:00000004\r\n\r\n" + L"[" + Machine() +
                         L"\\M]\r\n\"machine\"=dword:00000005\r\n\r\n");
  }
  void EmptySandbox() {
    for (RootKey root : {ROOT_HKEY_CURRENT_USER, ROOT_HKEY_LOCAL_MACHINE})
      for (const wchar_t* key : {L"A", L"B", L"C", L"M"}) Reg_DeleteKey(root, Path(key));
  }
  std::string SetBytes() {
    return test::ReadFileBytes(folder_ + L"\\" + partial_ + L".ini") + "|" +
           test::ReadFileBytes(folder_ + L"\\" + partial_ + L".reg");
  }
};

struct Spot {
  RootKey root;
  const wchar_t* key;
  const wchar_t* name;
};

// Exactly the chosen records come back; a value already there with other
// data takes the recorded data, and the set's files stay byte for byte.
TEST_F(PartialRestore, PutsBackExactlyTheChosenRecords) {
  AddMixedSet();
  const std::string before = SetBytes();
  const RootKey cu = ROOT_HKEY_CURRENT_USER, lm = ROOT_HKEY_LOCAL_MACHINE;
  const Spot one{cu, L"A", L"one"}, two{cu, L"A", L"two"}, deep{cu, L"A\\Sub", L"deep"}, other{cu, L"B", L"other"},
      machine{lm, L"M", L"machine"}, byDefault{cu, L"C", L""}, slashed{cu, L"C", L"x\\y"};
  const struct {
    const char* label;
    std::wstring only;
    bool keyExistsWithOtherData;
    std::vector<Spot> present;
    std::vector<Spot> absent;
  } cases[] = {
      {"one value", L"--only " + Quote(Key() + L"\\A\\one"), false, {one}, {two, deep, other, machine}},
      {"one key with all below it", L"--only " + Quote(Key() + L"\\A"), false, {one, two, deep}, {other, machine}},
      {"short root names, two hives",
       L"--only " + Quote(L"HKCU\\" + Path() + L"\\B\\other") + L" --only " + Quote(L"hklm\\" + Path() + L"\\m"),
       false,
       {other, machine},
       {one, two, deep}},
      {"key now there with other data", L"--only " + Quote(Key() + L"\\A\\one"), true, {one}, {two, deep, other}},
      {"default value", L"--only " + Quote(Key() + L"\\C\\@"), false, {byDefault}, {slashed, one}},
      {"value name with a backslash", L"--only " + Quote(Key() + L"\\C\\x\\y"), false, {slashed}, {byDefault, one}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EmptySandbox();
    if (c.keyExistsWithOtherData) {
      Reg_WriteInteger(cu, Path(L"A"), L"one", 99);
      Reg_WriteInteger(cu, Path(L"A"), L"mine", 7);
    }
    DWORD exitCode = 0;
    const std::string output = Cli(L"restore " + partial_ + L" " + c.only, exitCode);
    EXPECT_EQ(exitCode, 0u) << output;
    for (const Spot& spot : c.present) EXPECT_TRUE(RawValueExists(spot.root, Path(spot.key), spot.name)) << output;
    for (const Spot& spot : c.absent) EXPECT_FALSE(RawValueExists(spot.root, Path(spot.key), spot.name)) << output;
    if (RawValueExists(cu, Path(L"A"), L"one")) EXPECT_EQ(Reg_ReadInteger(cu, Path(L"A"), L"one"), 1);
    EXPECT_EQ(RawValueExists(cu, Path(L"A"), L"mine"), c.keyExistsWithOtherData);
    EXPECT_EQ(SetBytes(), before);
  }
  EmptySandbox();
}

// Names that choose nothing are refused with exit code 1, malformed ones
// are usage errors; either way nothing is imported.
TEST_F(PartialRestore, RefusesNamesOutsideTheSet) {
  AddMixedSet();
  EmptySandbox();
  const std::string before = SetBytes();
  const struct {
    const char* label;
    std::wstring only;
    DWORD exitCode;
    const char* said;
  } cases[] = {
      {"no such value", L"--only " + Quote(Key() + L"\\A\\none"), 1, "the set records nothing named"},
      {"one good, one missing", L"--only " + Quote(Key() + L"\\A\\one") + L" --only " + Quote(Key() + L"\\D"), 1,
       "the set records nothing named"},
      {"no root", L"--only Software\\A", 2, "usage: restore NAME"},
      {"root alone", L"--only HKCU", 2, "usage: restore NAME"},
      {"no name after --only", L"--only", 2, "usage: restore NAME"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    DWORD exitCode = 0;
    const std::string output = Cli(L"restore " + partial_ + L" " + c.only, exitCode);
    EXPECT_EQ(exitCode, c.exitCode) << output;
    EXPECT_NE(output.find(c.said), std::string::npos) << output;
    EXPECT_FALSE(RawKeyExists(ROOT_HKEY_CURRENT_USER, Path(L"A"))) << output;
    EXPECT_EQ(SetBytes(), before);
  }
}

TEST_F(PartialRestore, ShowListsTheRecordsByTheNamesRestoreTakes) {
  AddMixedSet();
  AddSet(good_, L"");
  DWORD exitCode = 0;
  const std::string text = Cli(L"show " + partial_, exitCode);
  EXPECT_EQ(exitCode, 0u) << text;
  const std::string cu = Utf16ToUtf8(Key()), lm = Utf16ToUtf8(Machine());
  for (const std::string& line :
       {Utf16ToUtf8(partial_) + "  2026-01-02 03:04:05  RC  RC_DELETED 1\r\n", "key  " + cu + "\\A\r\n",
        "value  " + cu + "\\A\\one\r\n", "value  " + cu + "\\A\\two\r\n", "value  " + cu + "\\A\\Sub\\deep\r\n",
        "key  " + lm + "\\M\r\n", "value  " + lm + "\\M\\machine\r\n", "value  " + cu + "\\C\\@\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

  const std::string json = Cli(L"show " + partial_ + L" --json", exitCode);
  EXPECT_EQ(exitCode, 0u) << json;
  const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
  ASSERT_FALSE(document.is_discarded()) << json;
  EXPECT_EQ(document["set"], Utf16ToUtf8(partial_));
  EXPECT_EQ(document["date"], "2026-01-02 03:04:05");
  ASSERT_EQ(document["records"].size(), 12u) << json;
  EXPECT_EQ(document["records"][1], nlohmann::json({{"kind", "value"}, {"name", cu + "\\A\\one"}}));
  EXPECT_EQ(document["records"][11], nlohmann::json({{"kind", "value"}, {"name", lm + "\\M\\machine"}}));

  const std::string empty = Cli(L"show " + good_, exitCode);
  EXPECT_EQ(exitCode, 0u) << empty;
  EXPECT_NE(empty.find("The set records no registry data."), std::string::npos) << empty;

  const struct {
    std::wstring arguments;
    DWORD exitCode;
  } errors[] = {{L"show", 2}, {L"show " + partial_ + L" --xml", 2}, {L"show RC_NO_SUCH_SET", 1}};
  for (const auto& e : errors) {
    Cli(e.arguments, exitCode);
    EXPECT_EQ(exitCode, e.exitCode) << Utf16ToUtf8(e.arguments);
  }
}

// The descriptor says which finding each record was made for; show prints
// it after the record. A set from before (no such lines) lists its records
// alone, and a damaged line only costs its own finding.
TEST_F(PartialRestore, ShowNamesTheFindingOfEachRecordWhereTheSetSaysSo) {
  AddMixedSet();
  const std::string key = Utf16ToUtf8(Key());
  const std::string findings =
      "[Findings]\r\n"
      "1=key|" +
      key +
      "\\A||app-path-key-empty|2026-01-02 03:04:01|Gr%00FC%00DFe %007C of A\r\n"
      "2=value|" +
      key +
      "\\A|one|font-file-missing|2026-01-02 03:04:02|Font %0022one%0022 is gone\r\n"
      "3=value|HKEY_NOWHERE\\A|one|font-file-missing|2026-01-02 03:04:03|unknown root\r\n"
      "4=value|" +
      key +
      "\\B|other|font-file-missing|not a date|damaged\r\n"
      "5=value|" +
      key + "\\C|x%005Cy|font-file-missing|2026-01-02 03:04:05|cut escape %00\r\n";
  const std::wstring descriptor = folder_ + L"\\" + partial_ + L".ini";
  const std::string oldDescriptor = test::ReadFileBytes(descriptor);
  struct Expected {
    size_t record;
    const char* description;  // null: no finding
    const char* check;
    const char* date;
  };
  const char* grosse =
      "Gr\xC3\xBC\xC3\x9F"
      "e | of A";
  const struct {
    const char* what;
    std::string descriptor;
    bool withFindings;
    std::vector<Expected> expected;  // by the records' order in the script
  } cases[] = {
      {"older set", oldDescriptor, false, {{0, nullptr}, {1, nullptr}, {9, nullptr}}},
      {"with findings",
       oldDescriptor + findings,
       true,
       {{0, grosse, "app-path-key-empty", "2026-01-02 03:04:01"},
        {1, "Font \"one\" is gone", "font-file-missing", "2026-01-02 03:04:02"},
        {2, grosse, "app-path-key-empty", "2026-01-02 03:04:01"},
        {3, nullptr},
        {5, nullptr},
        {6, grosse, "app-path-key-empty", "2026-01-02 03:04:01"},
        {7, grosse, "app-path-key-empty", "2026-01-02 03:04:01"},
        {9, nullptr},
        {11, nullptr}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::WriteFileBytes(descriptor, c.descriptor);
    DWORD exitCode = 0;
    const std::string json = Cli(L"show " + partial_ + L" --json", exitCode);
    EXPECT_EQ(exitCode, 0u) << json;
    const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
    ASSERT_FALSE(document.is_discarded()) << json;
    ASSERT_EQ(document["records"].size(), 12u) << json;
    for (const Expected& e : c.expected) {
      const nlohmann::json& record = document["records"][e.record];
      if (!e.description) {
        EXPECT_FALSE(record.contains("finding")) << record.dump();
        continue;
      }
      EXPECT_EQ(record["finding"],
                nlohmann::json({{"description", e.description}, {"check", e.check}, {"date", e.date}}))
          << record.dump();
    }
    const std::string text = Cli(L"show " + partial_, exitCode);
    EXPECT_EQ(exitCode, 0u) << text;
    const std::string oneLine = "value  " + key + "\\A\\one\r\n";
    const std::string followedBy = c.withFindings ? oneLine +
                                                        "    finding: Font \"one\" is gone (font-file-missing, "
                                                        "2026-01-02 03:04:02)\r\nvalue  "
                                                  : oneLine + "value  ";
    EXPECT_NE(text.find(followedBy), std::string::npos) << text;
  }
}

// Restoring prints results only: with standard error redirected, as for
// any script, no progress bar is drawn there.
TEST_F(PartialRestore, RestoreDrawsNoProgressIntoARedirectedStream) {
  AddMixedSet();
  for (const std::wstring& arguments : {L"restore " + partial_, L"restore " + partial_ + L" --quiet",
                                        L"restore " + partial_ + L" --only " + Quote(Key() + L"\\B")}) {
    SCOPED_TRACE(Utf16ToUtf8(arguments));
    EmptySandbox();
    DWORD exitCode = 0;
    const std::string output = Cli(arguments, exitCode);
    EXPECT_EQ(exitCode, 0u) << output;
    EXPECT_EQ(output.find("[#"), std::string::npos) << output;
    for (size_t at = output.find('\r'); at != std::string::npos; at = output.find('\r', at + 1))
      EXPECT_EQ(output.substr(at, 2), "\r\n") << "a line redrawn in place at " << at;
    EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_CURRENT_USER, Path(L"B"), L"other"), 4);
  }
  EmptySandbox();
}

TEST_F(BackupCommands, HelpListsTheNewExitCodes) {
  DWORD exitCode = 0;
  const std::string help = Cli(L"--help", exitCode);
  EXPECT_NE(help.find("4  clean: some findings could not be removed"), std::string::npos);
  EXPECT_NE(help.find("5  restore: the backup set was not put back completely"), std::string::npos);
  EXPECT_NE(help.find("delete-backup NAME [--recycle]"), std::string::npos);
}

}  // namespace
}  // namespace keytidy
