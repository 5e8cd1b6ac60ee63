// File types whose open command starts a program that is gone: program
// identifiers among the class keys, and the per-program registrations under
// Applications that the "Open with" list offers.
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"
#include "scan/class_finding_scope.h"
#include "scan/class_key_walk.h"
#include "scan/extension_lookup.h"
#include "scan/open_command_program.h"

namespace keytidy {

namespace {

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;

// The verb the shell runs by default: the one the shell key names, or
// "open" when it names none.
std::wstring DefaultVerb(const std::wstring& classKey) {
  std::wstring verb = Reg_ReadString(HKCR, classKey + L"\\shell", L"");
  return verb.empty() ? L"open" : verb;
}

bool HasShape(const std::wstring& key, std::uint32_t values, std::uint32_t subKeys) {
  std::uint32_t valueCount = 0, subKeyCount = 0;
  return Reg_KeyCounts(HKCR, key, valueCount, subKeyCount) && valueCount == values && subKeyCount == subKeys;
}

// Only a registration made of nothing but its open command is taken as the
// program's own; one with another verb or any setting was shaped by
// something else and is left alone.
bool IsBareOpenRegistration(const std::wstring& key) {
  return HasShape(key, 0, 1) && HasShape(key + L"\\shell", 0, 1) && HasShape(key + L"\\shell\\open", 0, 1) &&
         HasShape(key + L"\\shell\\open\\command", 1, 0);
}

bool EndsWithExe(const std::wstring& name) {
  return name.size() >= 4 && UpperCaseAscii(name.substr(name.size() - 4)) == L".EXE";
}

}  // namespace

void TRegistryCleaner::SEARCH_FILEFORMAT_WRONGEXE(const KeyList& KeyListe, CheckId GroupIndex,
                                                  FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  CriticalErrorBoxesOff errorBoxesOff;
  TExtensionsOfClass extensions(KeyListe, ClassKeys);
  Walk_ClassKeys(*this, KeyListe, [&](const std::wstring& key) {
    if (key.empty() || key.front() == L'{' || Is_LeftAloneJournalKey(key)) return;
    const std::wstring verb = DefaultVerb(key);
    const std::wstring verbKey = key + L"\\shell\\" + verb;
    const std::wstring command = Reg_ReadString(HKCR, verbKey + L"\\command", L"");
    if (command.empty()) return;
    const std::wstring program = Program_OfOpenCommand(*this, command);
    if (!Is_MissingFile(*this, program, RegistryView::Native) || !Reg_KeyExistsWritable(HKCR, key)) return;
    PVirtualNode node =
        Report_Finding(*this, GroupIndex, ComboBoxIndex, program, key, {HKCR, key, L""}, DeleteTarget::Key,
                       {EvidenceTest::FileMissing, program}, FindingPlace{HKCR, verbKey + L"\\command", L""});
    if (!node) return;
    TTreeData_RegCleaner& entry = *GetEntry(node);
    // A class that holds anything besides the broken verb keeps it.
    Apply_FindingScope(entry, Scope_BrokenVerb(key, verb));
    entry.Filename = program;
    entry.AdditionalInfo = extensions.Of(key);
  });
}

void TRegistryCleaner::SEARCH_FILEFORMAT_APPLICATIONS(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const std::wstring applications = L"Applications";
  if (!Reg_KeyExistsWritable(HKCR, applications)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  Walk_CheckItems(*this, List_SubKeys(HKCR, applications), ItemCounter::KeysPerItem, [&](const std::wstring& name) {
    if (!EndsWithExe(name)) return;
    const std::wstring registration = applications + L"\\" + name;
    if (!IsBareOpenRegistration(registration)) return;
    const std::wstring commandKey = registration + L"\\shell\\open\\command";
    const std::wstring command = Reg_ReadString(HKCR, commandKey, L"");
    if (command.empty()) return;
    const std::wstring program = Program_OfOpenCommand(*this, command);
    if (!Is_MissingFile(*this, program, RegistryView::Native)) return;
    PVirtualNode node = Report_Finding(*this, GroupIndex, ComboBoxIndex, program, name, {HKCR, commandKey, L""},
                                       DeleteTarget::Key, {EvidenceTest::FileMissing, program});
    if (!node) return;
    // The finding points at the command, but the whole registration goes.
    TTreeData_RegCleaner& entry = *GetEntry(node);
    entry.Delete_Key = registration;
    entry.Filename = program;
  });
}

}  // namespace keytidy
