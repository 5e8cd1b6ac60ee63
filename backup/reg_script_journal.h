#pragma once
// The backup script of a deletion run while the run goes on. Every record is
// appended once, flushed to disk and read back before the caller may delete
// what it stands for, so a run that is killed or loses power leaves a
// script (oldest record first) that puts back everything deleted so far.
// Finish() then gives the script its lasting form in one rewrite: newest
// record first under a single header, exactly as inserting each record at
// the front would have made it. A failed append is cut off again, so the
// file never ends in half a record.
#include <cstddef>
#include <string>
#include <vector>

#include "backup/backup_counters.h"
#include "platform/handles.h"

namespace keytidy {

class RegScriptJournal {
 public:
  // An empty path records nothing and reports success throughout.
  explicit RegScriptJournal(std::wstring file);
  ~RegScriptJournal();
  RegScriptJournal(const RegScriptJournal&) = delete;
  RegScriptJournal& operator=(const RegScriptJournal&) = delete;

  // Whole records without header, as UTF-16LE bytes or as text. False
  // leaves the file as it was before the call.
  bool AppendBytes(const std::string& records);
  bool Append(const std::wstring& records);

  // Cuts the block the last append wrote off again: its record no longer
  // stands for what will be deleted. False when there is none to cut or the
  // file could not be cut.
  bool DropLastBlock();

  // Reorders the file, newest record first; records already in the file
  // before the first append stay behind the new ones. False leaves the
  // appended order, which restores just the same. Nothing can be appended
  // afterwards.
  bool Finish();

  const std::wstring& File() const { return file_; }
  // The key and value records the script holds so far, as the backup
  // writer counts them into it.
  BackupCounters& Counters() { return counters_; }
  const BackupCounters& Counters() const { return counters_; }

 private:
  bool Open();
  bool TruncateTo(std::size_t size);

  std::wstring file_;
  BackupCounters counters_;
  UniqueHandle handle_;
  bool failed_ = false;  // the file could not be opened or is no script of ours
  bool finished_ = false;
  std::size_t olderEnd_ = 0;  // header and records the file held before
  std::size_t end_ = 0;       // everything written and confirmed so far
  std::size_t recordCount_ = 0;
  struct Block {
    std::size_t offset = 0;
    std::size_t size = 0;
    std::size_t records = 0;
  };
  std::vector<Block> blocks_;  // each appended block, in append order
};

}  // namespace keytidy
