#include "scan/scan_json.h"

#include <windows.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "platform/whole_file.h"
#include "platform/environment.h"
#include "platform/product.h"
#include "platform/root_keys.h"
#include "platform/text.h"
#include "scan/deletion_preview.h"
#include "scan/finding_names.h"
#include "scan/finding_user.h"
#include "scan/item_description.h"
#include "scan/own_rule_verdict.h"
#include "settings/option_switches.h"

namespace keytidy {

namespace {

using nlohmann::json;

// How many sub-key and value names a deletion lists by name.
constexpr std::size_t kFirstFewNames = 5;

std::string U8(std::wstring_view text) { return Utf16ToUtf8Replacing(text); }

json U8List(const std::vector<std::wstring>& texts) {
  json list = json::array();
  for (const std::wstring& text : texts) list.push_back(U8(text));
  return list;
}

std::string RootName(RootKey root) { return root ? U8(Reg_RootKeyName(root)) : std::string(); }

std::string TypeName(DWORD type) {
  switch (type) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case REG_DWORD_BIG_ENDIAN: return "REG_DWORD_BIG_ENDIAN";
    case REG_LINK: return "REG_LINK";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_RESOURCE_LIST: return "REG_RESOURCE_LIST";
    case REG_FULL_RESOURCE_DESCRIPTOR: return "REG_FULL_RESOURCE_DESCRIPTOR";
    case REG_RESOURCE_REQUIREMENTS_LIST: return "REG_RESOURCE_REQUIREMENTS_LIST";
    case REG_QWORD: return "REG_QWORD";
    default: break;
  }
  char name[32];
  std::snprintf(name, sizeof name, "REG_TYPE_0x%08lX", static_cast<unsigned long>(type));
  return name;
}

std::string Hex(const RegBytes& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const auto byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    hex += kDigits[b >> 4];
    hex += kDigits[b & 0x0F];
  }
  return hex;
}

// The UTF-16 units of string data; an odd last byte (which no string can
// hold) is left to the hex form.
std::wstring Utf16Units(const RegBytes& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return text;
}

std::uint64_t LittleEndian(const RegBytes& bytes) {
  std::uint64_t number = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) number = (number << 8) | static_cast<unsigned char>(bytes[i]);
  return number;
}

// The data as its type reads: strings as text (without the one
// terminating NUL the registry stores), lists as arrays, numbers as numbers
// when their size fits the type; anything else, and any odd size, as null
// (the hex form always has every byte).
json RenderedData(const RegValueData& raw) {
  switch (raw.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_LINK: {
      std::wstring text = Utf16Units(raw.data);
      if (!text.empty() && text.back() == L'\0') text.pop_back();
      return U8(text);
    }
    case REG_MULTI_SZ: {
      std::wstring text = Utf16Units(raw.data);
      while (!text.empty() && text.back() == L'\0') text.pop_back();
      json list = json::array();
      if (text.empty()) return list;
      std::size_t start = 0;
      for (std::size_t end; (end = text.find(L'\0', start)) != std::wstring::npos; start = end + 1)
        list.push_back(U8(text.substr(start, end - start)));
      list.push_back(U8(text.substr(start)));
      return list;
    }
    case REG_DWORD: return raw.data.size() == 4 ? json(LittleEndian(raw.data)) : json(nullptr);
    case REG_DWORD_BIG_ENDIAN: {
      if (raw.data.size() != 4) return nullptr;
      RegBytes reversed(raw.data.rbegin(), raw.data.rend());
      return LittleEndian(reversed);
    }
    case REG_QWORD: return raw.data.size() == 8 ? json(LittleEndian(raw.data)) : json(nullptr);
    default: return Hex(raw.data);
  }
}

json RawJson(const FindingEvidence& evidence) {
  if (!evidence.raw) return nullptr;
  return {{"type", TypeName(evidence.raw->type)},
          {"type_code", evidence.raw->type},
          {"data", RenderedData(*evidence.raw)},
          {"hex", Hex(evidence.raw->data)}};
}

std::string TestName(EvidenceTest test) {
  switch (test) {
    case EvidenceTest::None: return "none";
    case EvidenceTest::NotRepeatable: return "not-repeatable";
    case EvidenceTest::FileMissing: return "file-missing";
    case EvidenceTest::FileOrFolderMissing: return "file-or-folder-missing";
    case EvidenceTest::FolderMissing: return "folder-missing";
    case EvidenceTest::ZeroSizeFile: return "zero-size-file";
    case EvidenceTest::KeyEmpty: return "key-empty";
    case EvidenceTest::TypeLibNotRegistered: return "type-library-not-registered";
    case EvidenceTest::UninstallEntryOrphaned: return "uninstall-entry-orphaned";
    case EvidenceTest::KeyHoldsNothing: return "key-holds-nothing";
    case EvidenceTest::ClassNotRegistered: return "class-not-registered";
    case EvidenceTest::OpenWithRecordEmpty: return "open-with-record-empty";
    case EvidenceTest::OpenWithRecordUnused: return "open-with-record-unused";
    case EvidenceTest::StartupEntryMissing: return "startup-entry-missing";
  }
  return "none";
}

// The verdict in fixed English words. A link to a class that has no key is
// recorded without a test of its own; the missing class name tells it. A
// check with a rule of its own says what that rule found.
json Verdict(const TTreeData_RegCleaner& entry) {
  switch (entry.Evidence.test) {
    case EvidenceTest::FileMissing: return "file not found";
    case EvidenceTest::FileOrFolderMissing: return "neither file nor folder found";
    case EvidenceTest::FolderMissing: return "folder not found";
    case EvidenceTest::ZeroSizeFile: return "size is 0 bytes";
    case EvidenceTest::KeyEmpty: return "key is empty";
    case EvidenceTest::TypeLibNotRegistered: return "type library not registered";
    case EvidenceTest::UninstallEntryOrphaned: return "uninstaller, install folder and icon not found";
    case EvidenceTest::KeyHoldsNothing: return "key holds nothing but an empty default value";
    case EvidenceTest::ClassNotRegistered: return "class not registered";
    case EvidenceTest::OpenWithRecordEmpty: return "record names no program and its lists are empty";
    case EvidenceTest::OpenWithRecordUnused: return "extension not registered, and no program the record names exists";
    case EvidenceTest::StartupEntryMissing: return "start-up entry not found";
    case EvidenceTest::None:
    case EvidenceTest::NotRepeatable: break;
  }
  if (!entry.MissingKey.empty()) return "class not registered";
  if (const std::optional<OwnRuleVerdict> own = OwnRuleVerdict_OfCheck(entry.GroupIndex)) return own->english;
  return nullptr;
}

// What the check derived from the raw data: the file or folder referred
// to, else the class it links to, else what it tested.
std::wstring Reference(const TTreeData_RegCleaner& entry) {
  if (!entry.FullPath.empty()) return entry.FullPath;
  if (!entry.MissingKey.empty()) return entry.MissingKey;
  return entry.Evidence.target;
}

// A class link records no target of its own: what was looked for is the
// class's key.
std::wstring Tested(const TTreeData_RegCleaner& entry) {
  const FindingEvidence& evidence = entry.Evidence;
  switch (evidence.test) {
    case EvidenceTest::ClassNotRegistered:
    case EvidenceTest::OpenWithRecordUnused: return Reg_RootKeyName(ROOT_HKEY_CLASSES_ROOT) + L"\\" + evidence.target;
    case EvidenceTest::KeyHoldsNothing:
    case EvidenceTest::OpenWithRecordEmpty: return Reg_RootKeyName(evidence.root) + L"\\" + evidence.target;
    case EvidenceTest::StartupEntryMissing:
      return Reg_RootKeyName(evidence.root) + L"\\" + evidence.target + L"\\" + evidence.value;
    default: break;
  }
  if (!evidence.target.empty() || entry.MissingKey.empty()) return evidence.target;
  return Reg_RootKeyName(ROOT_HKEY_CLASSES_ROOT) + L"\\" + entry.MissingKey;
}

std::string ViewName(bool thirtyTwoBitBranch) { return thirtyTwoBitBranch || !IsWindows64() ? "32-bit" : "64-bit"; }

// The classes root a class key was read from, with its root's name.
json HiveJson(const FindingEvidence& evidence) {
  if (!evidence.classesHive) return nullptr;
  return U8(Reg_RootKeyName(evidence.classesHive->root) + L"\\" + evidence.classesHive->path);
}

json EvidenceJson(const TTreeData_RegCleaner& entry) {
  const FindingEvidence& evidence = entry.Evidence;
  return {{"test", TestName(evidence.test)},
          {"verdict", Verdict(entry)},
          {"reference", U8(Reference(entry))},
          {"tested", U8(Tested(entry))},
          {"view", ViewName(evidence.thirtyTwoBitBranch)},
          {"read_from", {{"root", RootName(evidence.root)}, {"key", U8(evidence.key)}, {"value", U8(evidence.value)}}},
          {"raw", RawJson(evidence)},
          {"hive", HiveJson(evidence)}};
}

json DeletionJson(const TTreeData_RegCleaner& entry) {
  const DeletionPreview preview = Preview_Deletion(entry, kFirstFewNames);
  const char* removes = entry.DeleteKey ? "key" : entry.DeleteValue ? "value" : "nothing";
  return {{"removes", removes},
          {"root", RootName(entry.Delete_Root)},
          {"key", U8(entry.Delete_Key)},
          {"value", entry.DeleteValue && !entry.DeleteKey ? json(U8(entry.Delete_Value)) : json(nullptr)},
          {"exists", preview.exists},
          {"sub_keys", preview.subKeys},
          {"values", preview.values},
          {"first_sub_keys", U8List(preview.firstSubKeys)},
          {"first_values", U8List(preview.firstValues)}};
}

std::wstring CategoryCaption(FilterCategory category) {
  for (const OptionSwitchInfo& info : OptionSwitchTable())
    if (info.filterIndex == Number(category)) return OptionSwitchCaption(info.id);
  return {};
}

json FindingJson(const TTreeData_RegCleaner& entry) {
  std::int32_t icon = 0;
  std::wstring description, detail;
  Get_ItemDescription_and_Icon(&entry, icon, description, detail);
  return {{"category",
           {{"filter", Number(entry.ComboBoxIndex)},
            {"name", U8(CategoryName(entry.ComboBoxIndex))},
            {"caption", U8(CategoryCaption(entry.ComboBoxIndex))}}},
          {"check",
           {{"group", Number(entry.GroupIndex)},
            {"name", U8(CheckName(entry.GroupIndex))},
            {"description", U8(description)},
            {"detail", U8(detail)}}},
          {"root", RootName(entry.RootKey)},
          {"key", U8(entry.Key)},
          {"value", U8(entry.Value)},
          {"display_name", U8(entry.DisplayName)},
          {"user", U8(FindingUser(entry))},
          {"deletion", DeletionJson(entry)},
          {"evidence", EvidenceJson(entry)}};
}

std::string UtcNow() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return text;
}

}  // namespace

std::optional<std::string> ScanJson_Text(const TResultTree& tree) {
  try {
    json findings = json::array();
    for (PVirtualNode node : tree)
      if (const TTreeData_RegCleaner* entry = GetEntry(node)) findings.push_back(FindingJson(*entry));
    const json document = {{"format", U8(kScanJsonFormat)},
                           {"version", kScanJsonVersion},
                           {"program", U8(std::wstring(ProductTitle) + L" " + ProductVersion)},
                           {"created", UtcNow()},
                           {"count", findings.size()},
                           {"findings", std::move(findings)}};
    // Every string is valid UTF-8 already; "replace" only makes sure the
    // dump itself can never throw over text.
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
  } catch (...) {
    return std::nullopt;
  }
}

bool Write_ScanJson(const std::wstring& file, const TResultTree& tree) {
  const std::optional<std::string> text = ScanJson_Text(tree);
  return text && ReplaceFileContent(file, *text);
}

}  // namespace keytidy
