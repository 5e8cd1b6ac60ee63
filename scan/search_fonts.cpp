// Font registrations whose file is gone. A bare file name lives in the
// fonts folder; a full path stands for itself.
#include <windows.h>
#include <shlobj.h>

#include "platform/environment.h"
#include "platform/error_mode.h"
#include "platform/text.h"
#include "scan/check_skeleton.h"

namespace keytidy {

void TRegistryCleaner::SEARCH_FONTS(CheckId GroupIndex, FilterCategory ComboBoxIndex) {
  if (Run.STOP_REQUESTED) return;
  const RootKey root = ROOT_HKEY_LOCAL_MACHINE;
  const std::wstring key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  if (!Reg_KeyExistsWritable(root, key)) return;
  CriticalErrorBoxesOff errorBoxesOff;
  // Without the fonts folder every bare name would look missing.
  const std::wstring fontsFolder = Trim(GetSpecialFolderPath(nullptr, CSIDL_FONTS));
  if (fontsFolder.empty()) return;
  Walk_CheckItems(*this, List_ValueNames(root, key), ItemCounter::ValuesByCount, [&](const std::wstring& name) {
    const std::wstring data = Reg_ReadString(root, key, name);
    const std::wstring reference = Contains(data, L":\\") ? data : fontsFolder + L"\\" + data;
    const std::wstring path = Resolve_FileReference(*this, reference, false, RegistryView::Native);
    if (Is_MissingFile(*this, path, RegistryView::Native))
      Report_Finding(*this, GroupIndex, ComboBoxIndex, path, name, {root, key, name}, DeleteTarget::Value,
                     {EvidenceTest::FileMissing, path});
  });
}

}  // namespace keytidy
