#pragma once

#include "platform/Messages.h"

#include <cstdint>

namespace vantrel {

// The message box's style flags for these buttons and this icon.
std::uint32_t messageBoxStyle(MessageButtons buttons, MessageIcon icon);

// The answer for the box's result: a box closed without a button answers with the choice that
// changes nothing.
MessageAnswer messageBoxAnswer(int result, MessageButtons buttons);

} // namespace vantrel
