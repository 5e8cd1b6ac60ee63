// Classes that name a type library no view of the registry knows. Only the
// class's TypeLib sub-key goes; the class itself may still work without it.
#include <array>

#include "platform/registry.h"
#include "platform/text.h"
#include "scan/com_class_walk.h"
#include "scan/typelib_registration.h"

namespace keytidy {

namespace {

// Classes left alone, known by their own title (upper-cased). A class
// without a title of its own is never one of them.
bool Is_ClassLeftAlone(const std::wstring& base, const std::wstring& clsid) {
  constexpr std::array<std::wstring_view, 2> kTitles = {L"SYMDGNHC", L"PIPELINEREGISTRAR CLASS"};
  const std::wstring title = UpperCaseAscii(Reg_ReadString(ROOT_HKEY_CLASSES_ROOT, base + L"\\" + clsid, L""));
  for (std::wstring_view left : kTitles)
    if (title == left) return true;
  return false;
}

}  // namespace

void TRegistryCleaner::SEARCH_COM_TYPELIB_INVALID(const KeyList& KeyListe, CheckId GroupIndex,
                                                  FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  // Only registry reads here, no file probes: the error mode stays as it is.
  const std::wstring base = Com_ClassBase(USE_WOW6432Node_Now);
  Walk_ClassList(*this, KeyListe, [&](const std::wstring& clsid) {
    const std::wstring key = base + L"\\" + clsid + L"\\TypeLib";
    if (!Reg_KeyExists(ROOT_HKEY_CLASSES_ROOT, key)) return;
    const std::wstring libid = Reg_ReadString(ROOT_HKEY_CLASSES_ROOT, key, L"");
    if (!Is_TypeLibMissing(libid)) return;
    // A class registered alike in both views was already reported by the
    // native pass.
    if (USE_WOW6432Node_Now &&
        Find_EntryByDeleteKey(GroupIndex, ROOT_HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + L"\\TypeLib"))
      return;
    if (Is_ClassLeftAlone(base, clsid) || !Reg_KeyExistsWritable(ROOT_HKEY_CLASSES_ROOT, key)) return;
    PVirtualNode node = Report_ClassesSubKey(*this, GroupIndex, ComboBoxIndex, L"", Com_ClassName(base, clsid), key,
                                             {EvidenceTest::TypeLibNotRegistered, libid});
    if (node) GetEntry(node)->AdditionalInfo = TypeLib_Place(libid);
  });
}

}  // namespace keytidy
