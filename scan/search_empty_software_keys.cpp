// Vendor keys directly below Software that uninstalled programs left
// behind with nothing in them: no sub-key, no value, no default text.
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

namespace {

// Names that are never offered for deletion, empty or not: the 32-bit
// branch itself, and every name that is part of the word BITDEFENDER (so
// Bit and Defender as well, but not Bitdefender Agent).
bool Is_ProtectedVendorName(const std::wstring& name) {
  const std::wstring upper = UpperCaseAscii(name);
  return upper == L"WOW6432NODE" || std::wstring_view(L"BITDEFENDER").find(upper) != std::wstring_view::npos;
}

}  // namespace

void TRegistryCleaner::SEARCH_EMPTY_SOFTWAREKEYS(CheckId GroupIndex, FilterCategory ComboBoxIndex, RootKey Scanroot,
                                                 bool USE_WOW6432Node_Now) {
  if (Run.STOP_REQUESTED) return;
  RootKey root = Scanroot;
  std::wstring base = USE_WOW6432Node_Now ? L"SOFTWARE\\Wow6432Node" : L"Software";
  Reg_RedirectCurrentUser(root, base);
  // Three small reads per key: the walk runs through without pausing for
  // window messages or the Stop button.
  const std::vector<std::wstring> vendors = List_SubKeys(root, base);
  Progress_SetMaximum(static_cast<std::int32_t>(vendors.size()));
  Count_KeysScanned(static_cast<std::uint32_t>(vendors.size()));
  for (const std::wstring& vendor : vendors) {
    if (Is_ProtectedVendorName(vendor)) continue;
    const std::wstring key = base + L"\\" + vendor;
    if (Reg_SubKeyCount(root, key) != 0 || Reg_ValueCount(root, key) != 0) continue;
    if (!Reg_ReadString(root, key, L"").empty() || !Reg_KeyExistsWritable(root, key)) continue;
    Report_Finding(*this, GroupIndex, ComboBoxIndex, L"", vendor, {root, key, L""}, DeleteTarget::Key,
                   {EvidenceTest::KeyEmpty, key});
  }
}

}  // namespace keytidy
