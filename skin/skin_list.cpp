#include "skin/skin_list.h"

#include <vector>

#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/file_queries.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/text_after_last.h"
#include "settings/ini_file.h"
#include "skin/skin_folder.h"
#include "ui/picture.h"
#include "ui/window.h"
#include "ui/window_dpi.h"

namespace keytidy {

namespace {

constexpr int kItemHeight = 92;
constexpr wchar_t kUseSkinValue[] = L"UseSkin";
constexpr wchar_t kInfoSection[] = L"SkinInfo";

void DrawLine(HDC dc, int x, int y, const std::wstring& text) {
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

bool SkinListBox::Create(HWND parent, int x, int y, int width, int height) {
  if (!CreateNative(
          L"LISTBOX",
          WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
          L"", parent, x, y, width, height))
    return false;
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ui::ScaleForWindow(Handle(), kItemHeight));
  return true;
}

void SkinListBox::Clear() { SendMessageW(Handle(), LB_RESETCONTENT, 0, 0); }

void SkinListBox::Add(const std::wstring& folderName) {
  SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folderName.c_str()));
}

int SkinListBox::Count() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

std::wstring SkinListBox::ItemText(int index) const {
  const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

int SkinListBox::Selected() const { return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)); }

void SkinListBox::Select(int index) { SendMessageW(Handle(), LB_SETCURSEL, index, 0); }

bool SkinListBox::OnReflectedDrawItem(DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) return true;
  Draw_SkinItem(*this, item->hDC, static_cast<int>(item->itemID), item->rcItem, (item->itemState & ODS_SELECTED) != 0);
  return true;
}

void Fill_SkinList(SkinListBox& list, const std::wstring& skinsRoot, const std::wstring& currentSkin) {
  const std::wstring current = UpperCaseAscii(Get_TextAfterLast(currentSkin, L"\\"));
  list.SkinsRoot = skinsRoot;
  list.Clear();
  std::vector<std::wstring> folders;
  List_SubFolders(skinsRoot + L"\\", folders, [] { ui::ProcessMessages(); });
  for (const std::wstring& name : folders) {
    if (!FileExists(skinsRoot + L"\\" + name + L"\\skin.ini")) continue;
    list.Add(name);
    if (UpperCaseAscii(name) == current) list.Select(list.Count() - 1);
  }
}

void Fill_SkinList(SkinListBox& list) { Fill_SkinList(list, SkinsRootFolder(), SkinFolder()); }

void Store_Skin(const SkinListBox& list) {
  Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kUseSkinValue);
  if (const int selected = list.Selected(); selected >= 0)
    Reg_WriteString(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, kUseSkinValue, list.ItemText(selected));
}

void Draw_SkinItem(const SkinListBox& list, HDC dc, int index, const RECT& item, bool selected) {
  FillRect(dc, &item, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const std::wstring folder = list.ItemText(index);
  const std::wstring skin = list.SkinsRoot + L"\\" + folder;
  const std::wstring ini = skin + L"\\skin.ini";
  const std::wstring title =
      Ini_ValueExists(ini, kInfoSection, L"DisplayName") ? Ini_ReadString(ini, kInfoSection, L"DisplayName") : folder;
  // Laid out for 96 DPI; the preview grows with the text at a higher one.
  const auto s = [&list](int pixels) { return ui::ScaleForWindow(list.Handle(), pixels); };
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawLine(dc, item.left + s(140), item.top + s(20), title);
  DrawLine(dc, item.left + s(140), item.top + s(36), Ini_ReadString(ini, kInfoSection, L"Display1"));
  DrawLine(dc, item.left + s(140), item.top + s(52), Ini_ReadString(ini, kInfoSection, L"Display2"));
  const ui::Picture preview = ui::Picture::FromFile(skin + L"\\preview_small.png");
  preview.Draw(dc, item.left + s(4), item.top + s(4), s(preview.Width()), s(preview.Height()));
}

}  // namespace keytidy
