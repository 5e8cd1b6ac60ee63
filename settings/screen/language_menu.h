#pragma once
// The language list of the options dialog: one item per available language,
// with its display name and flag picture.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace keytidy {

struct LanguageMenuItem {
  std::wstring caption;  // the system's name of the language
  int number = 0;        // position in the available-language list + 1
  bool checked = false;  // the language in use
  int imageIndex = -1;   // the flag in the image list; -1 without one
};

// The flag picture for a language code in a Flags folder: <code>.bmp, else
// <language>-<language>.bmp, else the first <language>-*.bmp. Empty when
// there is none.
std::wstring FindFlagFile(const std::wstring& flagsFolder, const std::wstring& code);

// Builds one item per entry of the available-language list, in order, and
// adds each flag found in ProgramFolder\Flags to `images` (pure white is
// transparent). No items when the list is empty. `images` may be null.
std::vector<LanguageMenuItem> Build_LanguageMenu(HIMAGELIST images);
// The same with the flags taken from another folder.
std::vector<LanguageMenuItem> Build_LanguageMenu(HIMAGELIST images, const std::wstring& flagsFolder);

}  // namespace keytidy
