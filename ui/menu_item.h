#pragma once
// An entry of a popup menu, kept as a component so the translation walk
// reaches its caption. The menu itself is built from the entries each time
// it pops up.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/picture.h"

namespace keytidy::ui {

class MenuItem : public Component {
 public:
  MenuItem(Component* owner, std::wstring name, std::wstring caption, int tag = 1)
      : Component(owner, std::move(name), tag), caption_(std::move(caption)) {}
  std::wstring ClassName() const override { return L"TMENUITEM"; }
  bool HasCaption() const override { return true; }
  std::wstring Caption() const override { return caption_; }
  void SetCaption(const std::wstring& text) override { caption_ = text; }

  bool visible = true;
  bool enabled = true;
  bool separator = false;
  // Shown left of the caption; a 32-bit picture keeps its transparency.
  Picture picture;
  std::function<void()> OnClick;

 private:
  std::wstring caption_;
};

// Pops a menu of the visible entries up at a screen point, waits for the
// choice and runs the chosen entry's action. False when nothing was chosen.
bool PopupMenuAt(HWND owner, const std::vector<MenuItem*>& items, POINT screenPoint);

// The menu PopupMenuAt shows: the visible entries, commands numbered from 1
// in the order of `shown`, which receives the entries that got a command.
// The caller destroys the menu; the entries' pictures must outlive it.
HMENU BuildPopupMenu(const std::vector<MenuItem*>& items, std::vector<MenuItem*>& shown);

// A caption without its accelerator marks: every "&" removed.
std::wstring WithoutAccelerators(const std::wstring& caption);

}  // namespace keytidy::ui
