#include "settings/screen/language_menu.h"

#include "lang/available_languages.h"
#include "lang/language_choice.h"
#include "lang/locale_names.h"
#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/handles.h"

namespace keytidy {

namespace {

std::wstring FirstFileMatching(const std::wstring& folder, const std::wstring& pattern) {
  WIN32_FIND_DATAW found{};
  UniqueFindHandle search(FindFirstFileW((folder + L"\\" + pattern).c_str(), &found));
  if (!search) return {};
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return folder + L"\\" + found.cFileName;
  } while (FindNextFileW(search.get(), &found));
  return {};
}

// Adds the picture to the list; its index there, or -1.
int AddFlag(HIMAGELIST images, const std::wstring& path) {
  int width = 0, height = 0;
  if (!images || !ImageList_GetIconSize(images, &width, &height)) return -1;
  // Loaded at the list's size: a list made for a higher DPI has larger images.
  auto bitmap = static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, width, height, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) return -1;
  const int index = ImageList_AddMasked(images, bitmap, RGB(255, 255, 255));
  DeleteObject(bitmap);
  return index;
}

}  // namespace

std::wstring FindFlagFile(const std::wstring& flagsFolder, const std::wstring& code) {
  const std::wstring language = code.substr(0, code.find(L'-'));
  for (const std::wstring& candidate :
       {flagsFolder + L"\\" + code + L".bmp", flagsFolder + L"\\" + language + L"-" + language + L".bmp"})
    if (FileExists(candidate)) return candidate;
  return FirstFileMatching(flagsFolder, language + L"-*.bmp");
}

std::vector<LanguageMenuItem> Build_LanguageMenu(HIMAGELIST images) {
  return Build_LanguageMenu(images, ProgramFolder() + L"\\Flags");
}

std::vector<LanguageMenuItem> Build_LanguageMenu(HIMAGELIST images, const std::wstring& flagsFolder) {
  std::vector<LanguageMenuItem> items;
  const std::vector<AvailableLanguage>& available = AvailableLanguages();
  for (size_t i = 0; i < available.size(); ++i) {
    LanguageMenuItem item;
    item.caption = Get_LanguageName(available[i].lcid);
    item.number = static_cast<int>(i) + 1;
    item.checked = available[i].lcid == LanguageId;
    if (const std::wstring flag = FindFlagFile(flagsFolder, available[i].code); !flag.empty())
      item.imageIndex = AddFlag(images, flag);
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace keytidy
