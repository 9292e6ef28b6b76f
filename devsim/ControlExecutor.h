#pragma once

#include "devsim/ControlCommand.h"
#include "devsim/Receiver.h"
#include "devsim/StatusText.h"

#include <string>

namespace vantrel::devsim {

// Carries out a control command on the serving receiver; the text to show its sender.
std::string executeControlCommand(const ControlCommand& command, Receiver& receiver,
                                  const ServingFacts& facts);

} // namespace vantrel::devsim
