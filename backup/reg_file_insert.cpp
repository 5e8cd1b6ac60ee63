#include "backup/reg_file_insert.h"

#include <windows.h>

#include <algorithm>

#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "platform/file_existence.h"
#include "platform/whole_file.h"

namespace keytidy {

std::string RegFile_BlockWithLineEnd(std::string block) {
  const std::string crlf = RegScriptBytes(L"\r\n");
  if (block.size() < crlf.size() || block.compare(block.size() - crlf.size(), crlf.size(), crlf) != 0) block += crlf;
  return block;
}

bool RegFile_InsertBlock(const std::wstring& text, const std::wstring& file) {
  return RegFile_InsertBlockBytes(RegScriptBytes(text), file);
}

bool RegFile_InsertBlockBytes(const std::string& rawBlock, const std::wstring& file) {
  if (file.empty()) return true;
  const std::string header = RegScriptHeaderBytes();
  const std::string block = RegFile_BlockWithLineEnd(rawBlock);
  const RegScriptReadResult blockRecords = RegScript_ReadBytes(header + block);
  if (!blockRecords.ok || blockRecords.records.empty()) return false;

  std::string older;
  std::vector<RegRecord> olderRecords;
  if (FileExists(file)) {
    const std::optional<std::string> old = ReadWholeFile(file);
    if (!old) return false;
    if (!old->empty()) {
      // Whatever the file held must survive unchanged; a file that is no
      // script of ours is not touched at all.
      const RegScriptReadResult parsed = RegScript_ReadBytes(*old);
      if (!parsed.ok) return false;
      older = old->substr(header.size());
      olderRecords = parsed.records;
    }
  }
  const auto holdsBoth = [&](const std::string& written) {
    const RegScriptReadResult parsed = RegScript_ReadBytes(written);
    const auto& records = parsed.records;
    return parsed.ok && records.size() == blockRecords.records.size() + olderRecords.size() &&
           std::equal(blockRecords.records.begin(), blockRecords.records.end(), records.begin()) &&
           std::equal(olderRecords.begin(), olderRecords.end(), records.begin() + blockRecords.records.size());
  };
  return ReplaceFileContent(file, header + block + older, holdsBoth);
}

}  // namespace keytidy
