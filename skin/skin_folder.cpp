#include "skin/skin_folder.h"

#include <windows.h>

#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

std::wstring& TheSkinFolder() {
  static std::wstring folder;
  return folder;
}

// A skin is named by a folder directly below the skins folder. A value that
// walks elsewhere ("..", a drive, a nested path) was not written by the
// options dialog and must not make the program load pictures from there.
bool IsPlainFolderName(const std::wstring& name) {
  if (name == L"." || name == L"..") return false;
  return name.find_first_of(L"\\/:") == std::wstring::npos;
}

}  // namespace

const std::wstring& SkinFolder() { return TheSkinFolder(); }
void Set_SkinFolder(const std::wstring& folder) { TheSkinFolder() = folder; }

std::wstring SkinsRootFolder() { return ProgramFolder() + L"\\skins"; }

std::wstring ChooseSkinFolder(const std::wstring& skinsRoot, const std::wstring& useSkin) {
  if (!useSkin.empty() && IsPlainFolderName(useSkin) && UpperCaseAscii(useSkin) != L"DEFAULT" &&
      FileExists(skinsRoot + L"\\" + useSkin + L"\\skin.ini"))
    return skinsRoot + L"\\" + useSkin;
  return skinsRoot + L"\\default";
}

void Choose_Skin() {
  const std::wstring useSkin = Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, L"UseSkin");
  Set_SkinFolder(ChooseSkinFolder(SkinsRootFolder(), useSkin));
}

}  // namespace keytidy
