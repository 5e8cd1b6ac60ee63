#include "scan/open_with_record.h"

#include <algorithm>

#include "platform/command_path.h"
#include "platform/file_existence.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

const std::wstring kUserChoice = L"UserChoice";
const std::wstring kOpenWithProgids = L"OpenWithProgids";
const std::wstring kOpenWithList = L"OpenWithList";

// A program the "Open with" list names: registered for the list, or a
// file found where Windows looks for a bare program name.
bool ProgramIsThere(const std::wstring& name) {
  if (Trim(name).empty()) return false;
  if (Reg_KeyExists(ROOT_HKEY_CLASSES_ROOT, L"Applications\\" + name)) return true;
  const std::wstring path = Extract_ExePath(name, RegistryView::Native);
  return IsDrivePath(path) && FileExists_W64(path, RegistryView::Native);
}

std::wstring UserChoiceProgId(RootKey root, const std::wstring& record) {
  return Reg_ReadString(root, record + L"\\" + kUserChoice, L"ProgId");
}

bool UserChoiceWorks(RootKey root, const std::wstring& record) {
  const std::wstring progId = UserChoiceProgId(root, record);
  return !progId.empty() && Class_IsRegistered(progId);
}

bool AnyOpenWithProgidRegistered(RootKey root, const std::wstring& record) {
  const std::vector<std::wstring> names = List_ValueNames(root, record + L"\\" + kOpenWithProgids);
  return std::any_of(names.begin(), names.end(),
                     [](const std::wstring& progId) { return !progId.empty() && Class_IsRegistered(progId); });
}

// The list's entries are values named by one letter; MRUList orders them.
bool AnyOpenWithListProgramThere(RootKey root, const std::wstring& record) {
  const std::wstring list = record + L"\\" + kOpenWithList;
  for (const std::wstring& name : List_ValueNames(root, list)) {
    if (name.empty() || UpperCaseAscii(name) == L"MRULIST") continue;
    if (ProgramIsThere(Reg_ReadString(root, list, name))) return true;
  }
  return false;
}

bool RecordValuesNameWorkingProgram(RootKey root, const std::wstring& record) {
  const std::wstring progId = Reg_ReadString(root, record, L"ProgID");
  if (!progId.empty() && Class_IsRegistered(progId)) return true;
  return ProgramIsThere(Reg_ReadString(root, record, L"Application"));
}

}  // namespace

bool Class_IsRegistered(const std::wstring& name) { return Reg_KeyExists(ROOT_HKEY_CLASSES_ROOT, name); }

bool OpenWith_RecordIsEmpty(RootKey root, const std::wstring& record) {
  if (!Reg_ReadString(root, record, L"").empty() || Reg_ValueExists(root, record, L"ProgID") ||
      Reg_ValueExists(root, record, L"Application"))
    return false;
  for (const std::wstring& sub : List_SubKeys(root, record))
    if (Reg_ValueCount(root, record + L"\\" + sub) > 0) return false;
  return true;
}

bool OpenWith_HoldsWorkingChoice(RootKey root, const std::wstring& record) {
  return UserChoiceWorks(root, record) || AnyOpenWithProgidRegistered(root, record) ||
         AnyOpenWithListProgramThere(root, record) || RecordValuesNameWorkingProgram(root, record);
}

std::vector<OpenWithStalePart> OpenWith_StaleParts(RootKey root, const std::wstring& record) {
  std::vector<OpenWithStalePart> parts;
  const std::wstring choiceKey = record + L"\\" + kUserChoice;
  const std::wstring choice = UserChoiceProgId(root, record);
  if (!choice.empty() && !Class_IsRegistered(choice)) parts.push_back({DeleteTarget::Key, choiceKey, L"", choice});
  const std::wstring progids = record + L"\\" + kOpenWithProgids;
  for (const std::wstring& progId : List_ValueNames(root, progids))
    if (!progId.empty() && !Class_IsRegistered(progId)) parts.push_back({DeleteTarget::Value, progids, progId, progId});
  return parts;
}

}  // namespace keytidy
