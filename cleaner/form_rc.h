#pragma once
// The cleaner screen, the module the main window starts with. For now an
// empty page with its translated caption; the scan controls come with the
// cleaner screen itself.
#include "app/module_form.h"

namespace keytidy {

class TForm_RC : public ModuleForm {
 public:
  static constexpr wchar_t kClassName[] = L"TForm_RC";
  TForm_RC();
  bool CreateModule(HWND host) override;
  static ModuleClass Class();
};

}  // namespace keytidy
