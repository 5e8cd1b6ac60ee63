#include "gui/module_form.h"

namespace keytidy {

bool ModuleForm::CreateModuleWindow(const wchar_t* className, HWND host) {
  RECT client;
  GetClientRect(host, &client);
  if (!CreateForm(className, Name(), WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, client.right, client.bottom,
                  host))
    return false;
  SetWindowPos(Handle(), nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

}  // namespace keytidy
