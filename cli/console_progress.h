#pragma once
// The console's progress: a one-line bar on standard error, redrawn in
// place, naming the category being searched, the deletion or the step of a
// restore. Drawn only when
// standard error is a console and --quiet was not given: in a pipe or a file
// it would only add carriage returns to what a script reads. Standard output
// never carries it.
#include <cstdint>
#include <string>

#include "backup/restore_progress.h"
#include "model/scan_observer.h"
#include "scan/scan_progress.h"

namespace keytidy::cli {

class ConsoleBar {
 public:
  explicit ConsoleBar(bool quiet);
  bool Enabled() const { return enabled_; }
  void Draw(std::int32_t position, std::int32_t maximum, const std::wstring& caption);
  // Blanks the line again, so that what follows starts on a clean one.
  void Clear();

 private:
  bool enabled_;
  bool drawn_ = false;
  size_t width_ = 0;
};

// The search's steps and the category it has reached.
class ConsoleSearchProgress : public TScanObserver {
 public:
  explicit ConsoleSearchProgress(bool quiet) : bar_(quiet) {}
  void SetProgressMaximum(std::int32_t maximum) override { maximum_ = maximum; }
  void SetProgressPosition(std::int32_t position) override;
  void CategoryStarted(const ScanCategory&, const std::wstring& caption) override;
  void ChecksFinished() override { bar_.Clear(); }

 private:
  ConsoleBar bar_;
  std::int32_t maximum_ = 0;
  std::int32_t position_ = 0;
  std::wstring caption_;
};

// The deletion run's findings handled so far, as the engine steps them.
class ConsoleDeleteProgress : public TScanProgress {
 public:
  ConsoleDeleteProgress(bool quiet, std::wstring caption) : bar_(quiet), caption_(std::move(caption)) {}
  ~ConsoleDeleteProgress() override { bar_.Clear(); }
  void Clear() { bar_.Clear(); }
  void SetMaximum(std::int32_t maximum) override { maximum_ = maximum; }
  void SetPosition(std::int32_t position) override;
  std::int32_t Position() const override { return position_; }

 private:
  ConsoleBar bar_;
  std::wstring caption_;
  std::int32_t maximum_ = 0;
  std::int32_t position_ = 0;
};

// A restore's steps: extra files, the import, the check.
class ConsoleRestoreProgress : public TRestoreProgress {
 public:
  explicit ConsoleRestoreProgress(bool quiet) : bar_(quiet) {}
  ~ConsoleRestoreProgress() override { bar_.Clear(); }
  void RestoreStepped(RestoreStep step, int position, int maximum) override;

 private:
  ConsoleBar bar_;
};

}  // namespace keytidy::cli
