// Class keys that hold nothing, and extensions whose program identifier is
// not registered: what uninstallers leave behind among the file types.
#include "platform/environment.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"
#include "scan/class_finding_scope.h"
#include "scan/class_key_walk.h"
#include "scan/key_content.h"

namespace keytidy {

namespace {

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;

// Keys that are empty by design or whose owners expect them to stay.
bool IsKeptEmptyKey(const std::wstring& key) {
  const std::wstring upper = UpperCaseAscii(key);
  return upper == L"CLSID" || upper == L"SYMANTEC.NORTON.UIWEBHOST" || upper == L"SYMANTEC.NORTON.UIWEBHOST.1";
}

// Nothing but (at most) an empty default value: one named value, even an
// empty one, or any sub-key makes the key meaningful. The search's one look
// at each key turns most keys down; the few left are read again in full,
// with the same test the deletion repeats.
bool HoldsNothing(TClassKeyGlances& classKeys, const std::wstring& key) {
  const RegKeyGlance glance = classKeys.Of(key);
  if (!glance.defaultText.empty()) return false;
  if (glance.countsRead && (glance.subKeys != 0 || glance.values > 1)) return false;
  return Key_HoldsNothing(HKCR, key);
}

// Vista and later also register .pano for a program identifier that may be
// absent without anything being wrong.
bool IsLeftAloneExtension(const std::wstring& key) {
  return Is_LeftAloneJournalKey(key) || (Windows_Version().major > 5 && UpperCaseAscii(key) == L".PANO");
}

}  // namespace

void TRegistryCleaner::SEARCH_FILEFORMAT_EMPTY(const KeyList& KeyListe, CheckId GroupIndex,
                                               FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  Walk_ClassKeys(*this, KeyListe, [&](const std::wstring& key) {
    if (key.empty() || key.front() == L'{' || Is_LeftAloneJournalKey(key) || IsKeptEmptyKey(key)) return;
    if (!HoldsNothing(ClassKeys, key) || !Reg_KeyExistsWritable(HKCR, key)) return;
    Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", key, {HKCR, key, L""}, DeleteTarget::Key,
                   {EvidenceTest::KeyHoldsNothing, key});
  });
}

void TRegistryCleaner::SEARCH_FILEFORMAT_LINKMISSING(const KeyList& KeyListe, CheckId GroupIndex,
                                                     FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  Walk_ClassKeys(*this, KeyListe, [&](const std::wstring& key) {
    if (key.empty() || key.front() != L'.' || IsLeftAloneExtension(key)) return;
    const std::wstring programId = ClassKeys.Of(key).defaultText;
    if (Trim(programId).empty() || ClassKeys.Of(programId).exists) return;
    if (!Reg_KeyExistsWritable(HKCR, key)) return;
    PVirtualNode node = Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", key, {HKCR, key, L""}, DeleteTarget::Key,
                                       {EvidenceTest::ClassNotRegistered, programId});
    if (!node) return;
    TTreeData_RegCleaner& entry = *GetEntry(node);
    // Content types, handlers and open-with lists of the extension stay.
    Apply_FindingScope(entry, Scope_ExtensionLink(key, programId));
    entry.AdditionalInfo = programId;
    entry.MissingKey = programId;
  });
}

}  // namespace keytidy
