#include "backup/key_record_reimport.h"

#include <cstring>

#include "backup/reg_script_reader.h"
#include "backup/reg_script_text.h"
#include "platform/whole_file.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

std::wstring TextOf(std::string_view bytes) {
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return text;
}

bool IsKeyOrBelow(const RegRecord& record, RootKey root, const std::wstring& key) {
  if (record.root != root) return false;
  const std::wstring recorded = UpperCaseAscii(record.key);
  const std::wstring wanted = UpperCaseAscii(key);
  return recorded == wanted || recorded.starts_with(wanted + L"\\");
}

// A block that reads as records, all of them about the key.
bool IsRecordOfKey(const std::wstring& block, RootKey root, const std::wstring& key) {
  const RegScriptReadResult read = RegScript_ReadText(block);
  if (!read.ok || read.records.empty()) return false;
  for (const RegRecord& record : read.records)
    if (!IsKeyOrBelow(record, root, key)) return false;
  return true;
}

}  // namespace

std::optional<std::wstring> Backup_RecordWrittenSince(std::string_view scriptBytes, std::uint64_t sizeBefore,
                                                      RootKey root, const std::wstring& key) {
  const std::uint64_t header = kRegScriptHeaderBytes;
  const std::uint64_t size = scriptBytes.size();
  const std::uint64_t oldBody = sizeBefore > header ? sizeBefore - header : 0;
  if (size < header + oldBody) return std::nullopt;
  const std::uint64_t added = size - header - oldBody;
  if (added == 0 || added % sizeof(wchar_t) != 0) return std::nullopt;
  // The newest record either stands right after the header (written in
  // front of the older ones) or at the end of the file.
  const std::wstring inFront = TextOf(scriptBytes.substr(header, added));
  const std::wstring atEnd = TextOf(scriptBytes.substr(header + oldBody, added));
  const bool frontFits = IsRecordOfKey(inFront, root, key);
  const bool endFits = oldBody > 0 && IsRecordOfKey(atEnd, root, key);
  if (frontFits && endFits && inFront != atEnd) return std::nullopt;  // cannot tell which one is new
  if (frontFits) return inFront;
  if (endFits) return atEnd;
  return std::nullopt;
}

bool Backup_ReimportKeyRecord(const std::wstring& script, std::uint64_t sizeBefore, RootKey root,
                              const std::wstring& key, const std::wstring& workFolder, DWORD timeLimitMs) {
  const std::optional<std::string> bytes = ReadWholeFile(script);
  if (!bytes) return false;
  const std::optional<std::wstring> record = Backup_RecordWrittenSince(*bytes, sizeBefore, root, key);
  if (!record) return false;
  const std::wstring temporary = workFolder + L"\\keyrecord" + std::to_wstring(GetCurrentProcessId()) + L".reg";
  if (!ReplaceFileContent(temporary, RegScriptHeaderBytes() + RegScriptBytes(*record))) return false;
  const RegExeResult run = RegExe_Run({L"import", temporary}, workFolder, timeLimitMs);
  DeleteFileW(temporary.c_str());
  return run.Succeeded() && Reg_KeyExists(root, key);
}

std::uint64_t Backup_FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace keytidy
