// keytidy-skin-gallery.exe [SKIN] [--seconds N]: a window that shows a skin
// at a glance - every stripe cell the program asks for, with its number, the
// frame buttons, the flat and link buttons in the skin's colours and the
// status animations. For looking at a skin after changing its pictures;
// tools/skin-gallery.sh takes screenshots of it. A development tool: it
// lives beside the programs in the build's bin folder and is not shipped.
//
// Exit codes: 0 shown, 1 no such skin or the window failed, 2 usage error.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "platform/file_existence.h"
#include "platform/startup.h"
#include "platform/text.h"
#include "skin/button_skin.h"
#include "skin/skin_folder.h"
#include "skin/skin_ini.h"
#include "skin/stripe_skinner.h"
#include "ui/animated_image.h"
#include "ui/form.h"
#include "ui/vell_button.h"
#include "ui/vell_link_button.h"

namespace keytidy {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

using Arguments = std::vector<std::wstring>;

void PrintErr(const std::wstring& text) { fwprintf(stderr, L"%ls", text.c_str()); }

// Every cell number the screens, dialogs and lists ask for.
constexpr int kUsedCells[] = {0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,
                              17,  18,  19,  20,  21,  22,  23,  24,  26,  29,  37,  40,  48,  49,  51,  52,  55,
                              57,  58,  59,  60,  75,  76,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  94,
                              95,  96,  97,  98,  99,  100, 101, 102, 103, 104, 105, 106, 127, 150, 165, 178, 179,
                              180, 181, 182, 184, 186, 196, 197, 203, 204, 205, 206, 218, 219, 221, 222, 223, 224};
constexpr int kColumns = 20;
constexpr int kCellPitchX = 46;
constexpr int kCellPitchY = 52;

const wchar_t* const kFrameButtons[] = {
    L"but_close",           L"but_close_hover",    L"but_maximize",        L"but_maximize_hover",
    L"but_unmax_normal",    L"but_unmax_hover",    L"but_minimize",        L"but_minimize_hover",
    L"but_help_normal",     L"but_help_hover",     L"but_settings_normal", L"but_settings_hover",
    L"but_internet_normal", L"but_internet_hover", L"but_feedback_normal", L"but_feedback_hover",
    L"but_back_normal",     L"but_back_hover",     L"but_back_disabled"};

class GalleryForm : public ui::Form {
 public:
  GalleryForm() : Form(L"Form_SkinGallery") {}

  bool Create(const std::wstring& skinFolder) {
    skinFolder_ = skinFolder;
    TStripeSkinner skinner;
    skinner.LoadFromStripeFile(skinFolder + L"\\stripe.png") ||
        skinner.LoadFromStripeFile(SkinsRootFolder() + L"\\stripe.png");
    skinner.ErrorIndex = 1;
    for (int cell : kUsedCells) cells_.push_back(ui::Picture::FromImage(skinner.GetOnePngImage(32, cell, 1.0f)));
    faded_ = ui::Picture::FromImage(skinner.GetOnePngImage(32, 15, 0.5f));
    combined_ = ui::Picture::FromImage(skinner.CombineImages(48, 86, 16, 1.0f, 0, 0));
    for (const wchar_t* name : kFrameButtons)
      frame_.push_back(ui::Picture::FromFile(skinFolder + L"\\" + name + L".png"));
    logo_ = ui::Picture::FromFile(skinFolder + L"\\logo.bmp");

    const TMainWindowColors colours = Read_MainWindowColors(SkinIniPath(skinFolder));
    SetColor(colours.pagesBackground & 0xFFFFFF);
    text_ = colours.quickAccessFont & 0xFFFFFF;
    const int rows = (static_cast<int>(std::size(kUsedCells)) + kColumns - 1) / kColumns;
    cellsBottom_ = 70 + rows * kCellPitchY;
    if (!CreateForm(L"KeytidySkinGallery", L"Skin gallery - " + skinFolder, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0,
                    20 + kColumns * kCellPitchX, cellsBottom_ + 190, nullptr))
      return false;

    const int y = cellsBottom_ + 10;
    search_.Create(Handle(), 10, y);
    search_.SetCaption(L"Search");
    action_.Create(Handle(), 120, y);
    action_.SetCaption(L"Delete");
    action_.SetActionButton(true);
    disabled_.Create(Handle(), 230, y);
    disabled_.SetCaption(L"Restore");
    disabled_.SetEnabled(false);
    menu_.Create(Handle(), 340, y);
    menu_.SetCaption(L"More");
    menu_.SetDropDownArrow(true);
    Apply_ButtonSkin(*this, SkinIniPath(skinFolder), SkinsRootFolder() + L"\\back.png");
    link_.Create(Handle(), 470, y + 4);
    ui::ButtonFont font;
    font.color = text_;
    link_.SetFont(font);
    link_.SetGlyph(cells_[0]);
    link_.SetCaption(L"Link button");
    const wchar_t* animations[] = {L"status_search.gif", L"status_delete.gif", L"status_ok.gif"};
    for (int i = 0; i < 3; ++i) {
      animations_[i].Create(Handle(), 500 + i * 136, y + 40, 130, 130);
      animations_[i].LoadFromFile(skinFolder + L"\\" + animations[i]);
    }
    return true;
  }

 protected:
  void PaintBackground(HDC dc, const RECT&) override {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_);
    SelectObject(dc, Font());
    logo_.Draw(dc, 10, 8);
    int x = logo_.Width() + 20;
    for (const ui::Picture& picture : frame_) {
      picture.Draw(dc, x, 16);
      x += 36;
    }
    for (size_t i = 0; i < cells_.size(); ++i) {
      const int cellX = 10 + static_cast<int>(i % kColumns) * kCellPitchX;
      const int cellY = 70 + static_cast<int>(i / kColumns) * kCellPitchY;
      cells_[i].Draw(dc, cellX + 6, cellY);
      const std::wstring number = std::to_wstring(kUsedCells[i]);
      RECT label{cellX, cellY + 33, cellX + 44, cellY + 48};
      DrawTextW(dc, number.c_str(), -1, &label, DT_CENTER | DT_SINGLELINE);
    }
    const int y = cellsBottom_ + 60;
    faded_.Draw(dc, 10, y);
    combined_.Draw(dc, 60, y);
    RECT note{10, y + 60, 480, y + 80};
    DrawTextW(dc, L"15 at half opacity; 86 with 16 laid over it at 48 pixels", -1, &note, DT_SINGLELINE);
  }

 private:
  std::wstring skinFolder_;
  std::vector<ui::Picture> cells_, frame_;
  ui::Picture faded_, combined_, logo_;
  COLORREF text_ = 0;
  int cellsBottom_ = 0;
  ui::VellButton search_{this, L"VellButton_Search", 1};
  ui::VellButton action_{this, L"VellButton_Delete", 1};
  ui::VellButton disabled_{this, L"VellButton_Restore", 1};
  ui::VellButton menu_{this, L"VellButton_More", 1};
  ui::VellLinkButton link_{this, L"VellUnicodeSTButton_Link", 1};
  ui::AnimatedImage animations_[3] = {{this, L"Image_Anim1"}, {this, L"Image_Anim2"}, {this, L"Image_Anim3"}};
};

int RunSkinGallery(const Arguments& arguments) {
  std::wstring skin = L"default";
  int seconds = 0;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == L"--seconds" && i + 1 < arguments.size()) {
      seconds = StrToIntDef(arguments[++i], -1);
      if (seconds < 0) {
        PrintErr(L"keytidy-skin-gallery: --seconds wants a number\n");
        return kExitUsage;
      }
    } else if (!arguments[i].empty() && arguments[i][0] != L'-') {
      skin = arguments[i];
    } else {
      PrintErr(L"usage: keytidy-skin-gallery [SKIN] [--seconds N]\n");
      return kExitUsage;
    }
  }
  const std::wstring folder = SkinsRootFolder() + L"\\" + skin;
  if (!FileOrFolderExists(folder + L"\\skin.ini")) {
    PrintErr(L"keytidy-skin-gallery: no skin \"" + skin + L"\" in " + SkinsRootFolder() + L"\n");
    return kExitFailure;
  }
  GalleryForm gallery;
  if (!gallery.Create(folder)) return kExitFailure;
  ShowWindow(gallery.Handle(), SW_SHOW);
  UpdateWindow(gallery.Handle());
  // With --seconds the window closes by itself (for scripted screenshots);
  // otherwise it stays until the user closes it.
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  MSG message;
  while (IsWindow(gallery.Handle()) && IsWindowVisible(gallery.Handle())) {
    if (seconds > 0 && static_cast<int>(end - GetTickCount()) <= 0) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return kExitSuccess;
}

}  // namespace
}  // namespace keytidy

int wmain(int argc, wchar_t** argv) {
  // The program folder, the skins beside it and the registry layer, as the
  // programs set them up.
  keytidy::ProcessInitialisation initialisation;
  return keytidy::RunSkinGallery(keytidy::Arguments(argv + 1, argv + argc));
}
