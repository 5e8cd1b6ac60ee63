#pragma once
#include <string>

namespace keytidy {

// The chosen skin's full folder path, without a trailing backslash. Decided
// once at start-up by Choose_Skin; every skin file is this folder plus its
// name.
const std::wstring& SkinFolder();
void Set_SkinFolder(const std::wstring& folder);

// ProgramFolder "\skins": the folder that holds every skin.
std::wstring SkinsRootFolder();

// Picks the skin named by the Options value "UseSkin" when that folder holds
// a skin.ini, else the folder "default". The choice is not checked further:
// a skin with missing pictures shows those controls without pictures.
void Choose_Skin();

// The rule of Choose_Skin for a given "UseSkin" value below a given
// skins folder.
std::wstring ChooseSkinFolder(const std::wstring& skinsRoot, const std::wstring& useSkin);

}  // namespace keytidy
