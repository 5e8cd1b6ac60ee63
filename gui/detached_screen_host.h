#pragma once
// The host of a screen made on its own, outside the main window (the
// translation export, tests): no window, no module switching, no options
// dialog and no internet services; options come from where they are stored.
#include <memory>

#include "gui/gui_front_end.h"
#include "gui/screen_host.h"

namespace keytidy {

class StoredScreenOptions final : public ScreenOptions {
 public:
  TOptionSwitches Switches() const override;
  TExceptionList Exceptions() const override;
  void ExceptionsSaved(const TExceptionList&) override {}
};

class DetachedScreenHost final : public ScreenHost {
 public:
  bool ShowsModule() const override { return false; }
  void EnableModuleSwitching(bool) override {}
  void RunOptionsLoop() override {}
  void StartInternetServices() override {}

  ScreenOptions& Options() override { return options_; }
  TFrontEnd& FrontEnd() override { return frontEnd_; }

 private:
  StoredScreenOptions options_;
  TGuiFrontEnd frontEnd_;
};

// A screen's hold on its host: the one it was handed, or a detached one of
// its own when it was handed none.
class ScreenHostHold {
 public:
  explicit ScreenHostHold(ScreenHost* host)
      : own_(host ? nullptr : std::make_unique<DetachedScreenHost>()), host_(host ? host : own_.get()) {}
  ScreenHost* operator->() const { return host_; }
  ScreenHost& operator*() const { return *host_; }

 private:
  std::unique_ptr<DetachedScreenHost> own_;
  ScreenHost* host_;
};

}  // namespace keytidy
