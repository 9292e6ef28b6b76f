#pragma once

#include "device/DeviceBus.h"

#include <memory>

namespace vantrel {

// The device bus the program finds the receiver on.
std::unique_ptr<DeviceBus> makeProgramDeviceBus();

} // namespace vantrel
