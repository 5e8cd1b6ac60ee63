#pragma once
// The list of skins the options dialog offers: an owner-drawn list box with
// one 92-pixel entry per skin folder (name, two lines of description and a
// preview), and the three operations on it.
#include <windows.h>

#include <string>

#include "ui/native_controls.h"

namespace keytidy {

class SkinListBox : public ui::NativeControl {
 public:
  using NativeControl::NativeControl;
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TLISTBOX"; }
  bool HasCaption() const override { return false; }

  void Clear();
  void Add(const std::wstring& folderName);
  int Count() const;
  std::wstring ItemText(int index) const override;
  int Selected() const;  // -1 when none
  void Select(int index);
  // Where the listed folders are, for drawing their entries.
  std::wstring SkinsRoot;

  bool OnReflectedDrawItem(DRAWITEMSTRUCT* item) override;
};

// Lists the folders below `skinsRoot` that hold a skin.ini, in listing
// order, and selects the one named like the last folder of `currentSkin`
// (any letter case). Without arguments: the program's skins and the skin in
// use.
void Fill_SkinList(SkinListBox& list, const std::wstring& skinsRoot, const std::wstring& currentSkin);
void Fill_SkinList(SkinListBox& list);

// Stores the selected skin as the Options value "UseSkin", to be used from
// the next start; with nothing selected the value is removed, which means
// the default skin.
void Store_Skin(const SkinListBox& list);

// Draws one entry: the background (the selection colour when selected), the
// skin's display name (or its folder name) and its two description lines
// from 140 pixels in, and its small preview at the top left.
void Draw_SkinItem(const SkinListBox& list, HDC dc, int index, const RECT& item, bool selected);

}  // namespace keytidy
