#pragma once
// Keeps Windows from showing "insert a disk" boxes while the checks probe
// paths on removable or vanished drives.
#include <windows.h>

namespace keytidy {

// Adds SEM_FAILCRITICALERRORS to the process error mode for its lifetime
// and restores the previous mode afterwards.
class CriticalErrorBoxesOff {
 public:
  CriticalErrorBoxesOff() {
    // SetErrorMode only reports the old mode by replacing it; the flag is
    // OR-ed in so that a mode which already has it keeps its other bits.
    previous_ = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
  }
  ~CriticalErrorBoxesOff() { SetErrorMode(previous_); }
  CriticalErrorBoxesOff(const CriticalErrorBoxesOff&) = delete;
  CriticalErrorBoxesOff& operator=(const CriticalErrorBoxesOff&) = delete;

 private:
  UINT previous_ = 0;
};

}  // namespace keytidy
