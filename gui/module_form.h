#pragma once
// A module: a screen the main window embeds into its host panel, one at a
// time. A module class says how to create one; the main window creates,
// embeds and frees the instances.
#include <functional>
#include <memory>
#include <string>

#include "ui/form.h"

namespace keytidy {

class ScreenHost;

class ModuleForm : public ui::Form {
 public:
  using ui::Form::Form;
  // Creates the window as a borderless child of the host.
  virtual bool CreateModule(HWND host) = 0;
  // The main window calls these around an embedding and after the options
  // dialog closed; modules override the ones they need.
  virtual void OnModuleActivate() {}
  virtual void OnModuleShow() {}
  virtual void OnOptionsChanged() {}
  // The online-help topic of the module.
  virtual std::wstring HelpTopic() const { return L"main"; }

 protected:
  // Creates a child window of the host of a class registered on first use.
  bool CreateModuleWindow(const wchar_t* className, HWND host);
};

struct ModuleClass {
  std::wstring className;  // the window class name, e.g. TForm_RC
  // Makes a module for the host that will embed it.
  std::function<std::unique_ptr<ModuleForm>(ScreenHost& host)> create;
};

}  // namespace keytidy
