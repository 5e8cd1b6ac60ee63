#pragma once
// The progress bar a check or the deletion advances, as the engine sees it.
// The screen that owns the real control implements it; the engine holds a
// borrowed pointer, null when nothing is to be shown.
#include <cstdint>

namespace keytidy {

class TScanProgress {
 public:
  virtual ~TScanProgress() = default;
  virtual void SetMaximum(std::int32_t maximum) = 0;
  virtual void SetPosition(std::int32_t position) = 0;
  virtual std::int32_t Position() const = 0;
};

}  // namespace keytidy
