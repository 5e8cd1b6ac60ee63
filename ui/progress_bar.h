#pragma once
// The system's progress bar.
#include <windows.h>
#include <commctrl.h>

#include "ui/control.h"

namespace keytidy::ui {

class ProgressBar : public Control {
 public:
  using Control::Control;
  bool Create(HWND parent, int x, int y, int width, int height);
  std::wstring ClassName() const override { return L"TPROGRESSBAR"; }

  void SetMaximum(int maximum);
  int Maximum() const;
  void SetPosition(int position);
  int Position() const;
};

}  // namespace keytidy::ui
