#pragma once
// The automation object the host gives the work center as its ChoiceSource:
// the work center's lookup windows and date pickers ask it, and it asks the
// driver (queued answers first, then the driver's input).

#include <memory>

#include "platform/automation/auto_object.h"

namespace ravlet::host {

class TDriver;

class THostChoices : public qv::TAutoObject {
 public:
  // Without a driver (it is gone) every lookup is closed without a choice.
  explicit THostChoices(std::weak_ptr<TDriver> driver);

 private:
  std::weak_ptr<TDriver> driver_;
};

}  // namespace ravlet::host
