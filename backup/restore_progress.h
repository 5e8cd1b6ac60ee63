#pragma once
// How far a restore has come, for a front end that shows it: the extra
// files copied back one by one, then the import through reg.exe, then the
// check that everything came back. The front end implements it; a restore
// holds a borrowed pointer, null when nothing is to be shown.
namespace keytidy {

enum class RestoreStep { CopyingFiles, Importing, Checking, Done };

class TRestoreProgress {
 public:
  virtual ~TRestoreProgress() = default;
  // `position` of `maximum` steps are done; `step` is the one under way.
  virtual void RestoreStepped(RestoreStep step, int position, int maximum) = 0;
};

}  // namespace keytidy
