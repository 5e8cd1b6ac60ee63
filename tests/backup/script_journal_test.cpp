// The backup script of a deletion run: appended to record by record, valid
// and restorable after every append, and turned into newest-first order by
// one rewrite at the end that gives exactly the bytes record-by-record
// insertion at the front would have given.
#include "backup/reg_script_journal.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backup/reg_file_insert.h"
#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

std::wstring ValueRecord(const std::wstring& name, int data) {
  return L"[HKEY_CURRENT_USER\\Software\\KeytidyJournal]\r\n\"" + name + L"\"=dword:0000000" + std::to_wstring(data) +
         L"\r\n\r\n";
}

struct OrderCase {
  const char* label;
  std::optional<std::wstring> existing;  // records the script held before the run
  std::vector<std::wstring> blocks;
};

// Every step of the journal against the same steps of front insertion.
TEST(ScriptJournal, AppendsInRunOrderAndFinishesAsFrontInsertionWould) {
  const std::vector<OrderCase> cases = {
      {"one record", std::nullopt, {ValueRecord(L"a", 1)}},
      {"several records", std::nullopt, {ValueRecord(L"a", 1), ValueRecord(L"b", 2), ValueRecord(L"c", 3)}},
      // A block without its closing empty line gets one, as a script needs.
      {"block without line end",
       std::nullopt,
       {L"[HKEY_CURRENT_USER\\Software\\KeytidyJournal]\r\n\"x\"=-", ValueRecord(L"y", 4)}},
      {"older script stays behind", ValueRecord(L"old", 9), {ValueRecord(L"a", 1), ValueRecord(L"b", 2)}},
  };
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.label);
    TempFolder temp;
    const std::wstring journalFile = temp.File(L"journal.reg");
    const std::wstring insertedFile = temp.File(L"inserted.reg");
    std::string appended;
    if (c.existing) {
      appended = RegScriptHeaderBytes() + RegScriptBytes(*c.existing);
      WriteFileBytes(journalFile, appended);
      WriteFileBytes(insertedFile, appended);
    } else {
      appended = RegScriptHeaderBytes();
    }
    RegScriptJournal journal(journalFile);
    for (const std::wstring& block : c.blocks) {
      ASSERT_TRUE(journal.Append(block));
      ASSERT_TRUE(RegFile_InsertBlock(block, insertedFile));
      // Oldest first and whole after every step: what a killed run leaves.
      appended += RegFile_BlockWithLineEnd(RegScriptBytes(block));
      EXPECT_EQ(ReadFileBytes(journalFile), appended);
      EXPECT_TRUE(RegScript_ReadFile(journalFile).ok);
    }
    ASSERT_TRUE(journal.Finish());
    EXPECT_EQ(ReadFileBytes(journalFile), ReadFileBytes(insertedFile));
    EXPECT_FALSE(journal.Append(ValueRecord(L"late", 5)));
  }
}

// Each refusal leaves the file exactly as it was, and the run goes on.
TEST(ScriptJournal, RefusedRecordsAndForeignFilesLeaveTheFileAlone) {
  TempFolder temp;
  const std::wstring file = temp.File(L"RC.reg");
  RegScriptJournal journal(file);
  EXPECT_FALSE(journal.Append(L""));
  EXPECT_FALSE(journal.Append(L"no key line\r\n"));
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);  // nothing recorded, no script
  ASSERT_TRUE(journal.Append(ValueRecord(L"a", 1)));
  const std::string before = ReadFileBytes(file);
  EXPECT_FALSE(journal.Append(L"\"value before any key\"=dword:00000001\r\n"));
  EXPECT_EQ(ReadFileBytes(file), before);
  ASSERT_TRUE(journal.Append(ValueRecord(L"b", 2)));
  ASSERT_TRUE(journal.Finish());
  const RegScriptReadResult finished = RegScript_ReadFile(file);
  ASSERT_TRUE(finished.ok);
  ASSERT_EQ(finished.records.size(), 4u);
  EXPECT_EQ(finished.records[1].name, L"b");
  EXPECT_EQ(finished.records[3].name, L"a");

  const std::wstring foreign = temp.File(L"foreign.reg");
  WriteFileBytes(foreign, "not a registry script");
  RegScriptJournal intoForeign(foreign);
  EXPECT_FALSE(intoForeign.Append(ValueRecord(L"a", 1)));
  EXPECT_TRUE(intoForeign.Finish());
  EXPECT_EQ(ReadFileBytes(foreign), "not a registry script");

  RegScriptJournal nowhere(L"");
  EXPECT_TRUE(nowhere.Append(ValueRecord(L"a", 1)));
  EXPECT_TRUE(nowhere.Finish());
  RegScriptJournal missingFolder(temp.File(L"no\\such\\RC.reg"));
  EXPECT_FALSE(missingFolder.Append(ValueRecord(L"a", 1)));
}

}  // namespace
}  // namespace keytidy
