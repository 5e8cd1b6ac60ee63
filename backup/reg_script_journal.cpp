#include "backup/reg_script_journal.h"

#include <windows.h>

#include "backup/reg_file_insert.h"
#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "platform/whole_file.h"

namespace keytidy {

namespace {

bool SetPosition(HANDLE file, std::size_t offset) {
  LARGE_INTEGER position{};
  position.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != FALSE;
}

bool WriteAt(HANDLE file, std::size_t offset, const std::string& bytes) {
  if (!SetPosition(file, offset)) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
        written == 0)
      return false;
    done += written;
  }
  return FlushFileBuffers(file) != FALSE;
}

std::string ReadAt(HANDLE file, std::size_t offset, std::size_t size) {
  std::string bytes(size, '\0');
  if (!SetPosition(file, offset)) return {};
  std::size_t done = 0;
  while (done < size) {
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(size - done), &read, nullptr) || read == 0) return {};
    done += read;
  }
  return bytes;
}

// Written, flushed, and on disk as meant.
bool WriteConfirmed(HANDLE file, std::size_t offset, const std::string& bytes) {
  return WriteAt(file, offset, bytes) && ReadAt(file, offset, bytes.size()) == bytes;
}

}  // namespace

RegScriptJournal::RegScriptJournal(std::wstring file) : file_(std::move(file)) {}

RegScriptJournal::~RegScriptJournal() = default;

bool RegScriptJournal::Open() {
  if (handle_) return true;
  if (failed_) return false;
  const std::string header = RegScriptHeaderBytes();
  const auto open = [this](DWORD disposition) {
    handle_.reset(CreateFileW(file_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(handle_);
  };
  if (open(CREATE_NEW)) {
    if (WriteConfirmed(handle_.get(), 0, header)) {
      olderEnd_ = end_ = header.size();
      return true;
    }
    // No script is better than one without its header.
    handle_.reset();
    DeleteFileW(file_.c_str());
    return false;
  }
  // Not there and not creatable: a later try may work (a scanner holding
  // the name, a full disk that was freed).
  if (GetLastError() != ERROR_FILE_EXISTS || !open(OPEN_EXISTING)) return false;
  // Whatever the file held must survive unchanged; a file that is no
  // script of ours is not touched at all.
  LARGE_INTEGER size{};
  if (GetFileSizeEx(handle_.get(), &size) && size.QuadPart == 0) {
    if (WriteConfirmed(handle_.get(), 0, header)) {
      olderEnd_ = end_ = header.size();
      return true;
    }
    TruncateTo(0);
    handle_.reset();
    return false;
  }
  std::string older;
  if (size.QuadPart > 0 && size.QuadPart <= 0x7FFFFFFF)
    older = ReadAt(handle_.get(), 0, static_cast<std::size_t>(size.QuadPart));
  const RegScriptReadResult parsed = RegScript_ReadBytes(older);
  if (older.empty() || !parsed.ok) {
    handle_.reset();
    failed_ = true;
    return false;
  }
  olderEnd_ = end_ = older.size();
  recordCount_ = parsed.records.size();
  return true;
}

bool RegScriptJournal::TruncateTo(std::size_t size) {
  return SetPosition(handle_.get(), size) && SetEndOfFile(handle_.get()) != FALSE;
}

bool RegScriptJournal::Append(const std::wstring& records) { return AppendBytes(RegScriptBytes(records)); }

bool RegScriptJournal::AppendBytes(const std::string& records) {
  if (file_.empty()) return true;
  if (finished_) return false;
  const std::string block = RegFile_BlockWithLineEnd(records);
  const RegScriptReadResult parsed = RegScript_ReadBytes(RegScriptHeaderBytes() + block);
  if (!parsed.ok || parsed.records.empty() || !Open()) return false;
  if (!WriteConfirmed(handle_.get(), end_, block)) {
    TruncateTo(end_);
    return false;
  }
  blocks_.push_back({end_, block.size(), parsed.records.size()});
  end_ += block.size();
  recordCount_ += parsed.records.size();
  return true;
}

bool RegScriptJournal::DropLastBlock() {
  if (file_.empty()) return true;
  if (finished_ || blocks_.empty() || !handle_) return false;
  const Block last = blocks_.back();
  if (!TruncateTo(last.offset) || !FlushFileBuffers(handle_.get())) return false;
  blocks_.pop_back();
  end_ = last.offset;
  recordCount_ -= last.records;
  return true;
}

bool RegScriptJournal::Finish() {
  if (file_.empty() || finished_) return true;
  finished_ = true;
  if (!handle_ || blocks_.empty()) {
    handle_.reset();
    return true;
  }
  const std::string journal = ReadAt(handle_.get(), 0, end_);
  handle_.reset();
  if (journal.size() != end_) return false;
  const std::string header = RegScriptHeaderBytes();
  std::string content = header;
  content.reserve(end_);
  for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block)
    content.append(journal, block->offset, block->size);
  content.append(journal, header.size(), olderEnd_ - header.size());
  const std::size_t expectedRecords = recordCount_;
  return ReplaceFileContent(file_, content, [expectedRecords](const std::string& written) {
    const RegScriptReadResult parsed = RegScript_ReadBytes(written);
    return parsed.ok && parsed.records.size() == expectedRecords;
  });
}

}  // namespace keytidy
