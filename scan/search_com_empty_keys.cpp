// Server and bitmap sub-keys of a class that were left completely empty:
// no values, no sub-keys, no default text. They tell COM nothing and only
// the empty sub-key goes; the class key stays.
#include "platform/registry.h"
#include "platform/text.h"
#include "scan/com_class_walk.h"

namespace keytidy {

namespace {

void Search_EmptyClassSubKeys(TRegistryCleaner& rc, const KeyList& classes, const std::wstring& subKey,
                              CheckId groupIndex, FilterCategory comboBoxIndex, bool wow) {
  const std::wstring base = Com_ClassBase(wow);
  Walk_ClassSubKeys(rc, classes, wow, subKey, [&](const std::wstring& clsid, const std::wstring& key) {
    const RegKeyGlance glance = rc.ClassKeys.Of(key);
    if (!glance.countsRead || glance.values != 0 || glance.subKeys != 0) return;
    if (!Trim(glance.defaultText).empty()) return;
    if (!Reg_KeyExistsWritable(ROOT_HKEY_CLASSES_ROOT, key)) return;
    Report_ClassesSubKey(rc, groupIndex, comboBoxIndex, L"", Com_ClassName(base, clsid), key,
                         {EvidenceTest::KeyEmpty, key});
  });
}

}  // namespace

void TRegistryCleaner::SEARCH_COM_EMPTY_INPROCSERVER32(const KeyList& KeyListe, CheckId GroupIndex,
                                                       FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now) {
  Search_EmptyClassSubKeys(*this, KeyListe, L"InprocServer32", GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now);
}

void TRegistryCleaner::SEARCH_COM_EMPTY_TOOLBOXBITMAP(const KeyList& KeyListe, CheckId GroupIndex,
                                                      FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now) {
  Search_EmptyClassSubKeys(*this, KeyListe, L"ToolBoxBitmap32", GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now);
}

void TRegistryCleaner::SEARCH_COM_EMPTY_INPROCSERVER(const KeyList& KeyListe, CheckId GroupIndex,
                                                     FilterCategory ComboBoxIndex, bool USE_WOW6432Node_Now) {
  Search_EmptyClassSubKeys(*this, KeyListe, L"InprocServer", GroupIndex, ComboBoxIndex, USE_WOW6432Node_Now);
}

}  // namespace keytidy
