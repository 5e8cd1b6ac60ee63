#pragma once
// A transparent label that renders our small HTML dialect (see
// html_markup.h), word-wrapped to its width. Links act on a click: the
// owner's OnLinkClick gets the href; without one the href is opened by the
// shell. Images come from an image list the owner lends.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/gdi_objects.h"
#include "ui/html_markup.h"

namespace keytidy::ui {

class HtmlLabel : public Control {
 public:
  HtmlLabel(Component* owner, std::wstring name, int tag = 0) : Control(owner, std::move(name), tag) {}
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"THTMLABEL"; }

  // The markup; lines are joined with CR LF, which the markup reads as blanks.
  void SetHtml(const std::wstring& markup);
  const std::wstring& Html() const { return markup_; }
  std::vector<std::wstring> HtmlLines() const override;
  void SetHtmlLines(const std::vector<std::wstring>& lines) override;
  std::wstring Caption() const override { return markup_; }
  void SetCaption(const std::wstring& text) override { SetHtml(text); }

  void SetFontColor(COLORREF color);
  void SetFontPoints(int points);
  void SetImageList(HIMAGELIST images) { images_ = images; }

  std::function<void(const std::wstring& href)> OnLinkClick;

  // The href of the link at a client point; empty when there is none.
  std::wstring LinkAt(POINT point);
  // Height the laid-out text needs at the current width.
  int TextHeight();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HFONT FontFor(const HtmlStyle& style);
  void Layout(HDC dc);
  void Paint(HDC dc);

  std::wstring markup_;
  std::vector<HtmlPiece> pieces_;
  std::vector<HtmlBox> boxes_;
  int laidOutWidth_ = -1;
  COLORREF fontColor_ = RGB(0, 0, 0);
  int points_ = 8;
  HIMAGELIST images_ = nullptr;  // borrowed
  std::vector<std::pair<HtmlStyle, UniqueFont>> fonts_;
};

}  // namespace keytidy::ui
