#pragma once
// The summary view of the cleaner screen: one 40-pixel row per category
// that found something (icon, name and explanation, ticked/total count and
// an arrow), or a single centred "nothing found" line. The controller
// creates the row controls in the screen's scroll box and forwards clicks
// on a row's count or arrow to the hidden navigation command it names.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/control.h"
#include "ui/scroll_box.h"

namespace keytidy {

// Design pixels, at 96 DPI.
inline constexpr int kSummaryRowHeight = 40;
inline constexpr int kSummaryTop = 4;
inline constexpr COLORREF kSummaryBandFill = 0xF4F4F4;
inline constexpr COLORREF kSummaryBandOutline = 0xF8F8F8;
inline constexpr COLORREF kSummaryCountColor = RGB(0x20, 0x40, 0x90);

class TCleanerZusammenfassung {
 public:
  TCleanerZusammenfassung(ui::Component* naviLeiste, ui::ScrollBox* thePanel);
  ~TCleanerZusammenfassung();
  TCleanerZusammenfassung(const TCleanerZusammenfassung&) = delete;
  TCleanerZusammenfassung& operator=(const TCleanerZusammenfassung&) = delete;

  ui::Component* NaviLeiste = nullptr;
  ui::ScrollBox* ThePanel = nullptr;
  std::wstring str_Objects;
  std::wstring str_DeleteButtonCaption, str_NothingFound, str_Status_Searching, str_Status_Deleting;
  int SCROLLBAR_WIDTH = 0;
  int Zusammenfassung_AddCount = 0;
  HIMAGELIST ImageList32 = nullptr;

  void Update_Begin();
  void AddTo_Zusammenfassung(int y, int ImageIndex, const std::wstring& TheText, std::int32_t Count,
                             std::int32_t CheckedCount, std::int64_t CheckedMB,
                             const std::wstring& ClickThisComponentName, bool ShowDetails);
  void Update_PaintNothingFound(int y);
  void Update_PaintSearch_or_Delete(int y, bool isDeleting) {}
  // Runs the click of the navigation command named `helpKeyword`; an empty
  // name does nothing.
  void ClickEvent_Zusammenfassung_Details(const std::wstring& helpKeyword);

  // What a test or the screen may ask about the rows now shown.
  struct RowInfo {
    int top = 0;
    std::wstring html;       // as shown, after the colour rewrite
    std::wstring countText;  // "7/8 items" or "5 items"
    std::wstring target;     // the navigation command a click runs
    ui::Control* countLabel = nullptr;
    ui::Control* arrow = nullptr;
    ui::Control* text = nullptr;
  };
  const std::vector<RowInfo>& Rows() const { return rows_; }
  ui::Control* NothingFoundLine() const { return nothingFound_; }
  const std::vector<RECT>& Bands() const { return bands_; }

 private:
  void PaintBands(HDC dc, int scrollPosition) const;

  std::vector<std::unique_ptr<ui::Control>> controls_;
  std::vector<RowInfo> rows_;
  std::vector<RECT> bands_;
  ui::Control* nothingFound_ = nullptr;
};

// The row text with its bold tags removed and %col%" turned into a grey,
// 12-point font colour, all ignoring letter case.
std::wstring Summary_RowHtml(const std::wstring& text);
// "n objects" when everything is ticked, "checked/n objects" otherwise.
std::wstring Summary_CountText(std::int32_t count, std::int32_t checkedCount, const std::wstring& objectsWord);

}  // namespace keytidy
