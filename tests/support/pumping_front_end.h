#pragma once
// A front end whose message pumping runs a test's own step: the way into the
// pauses a check or a deletion makes between the items it examines.
#include <functional>
#include <utility>

#include "model/front_end.h"

namespace keytidy::test {

class PumpingFrontEnd : public TFrontEnd {
 public:
  explicit PumpingFrontEnd(std::function<void()> pump) : pump_(std::move(pump)) {}
  void ProcessPendingMessages() override {
    if (pump_) pump_();
  }

 private:
  std::function<void()> pump_;
};

}  // namespace keytidy::test
