#pragma once

#include "device/DeviceTransport.h"
#include "devsim/DecodedRequest.h"
#include "devsim/MemoryImage.h"

#include <cstdint>

namespace vantrel::devsim {

// Codes for requests the driver refuses. Neither touches the memory. A code or command the driver
// does not know ends a mode query or write at once; a bad length or range is not an ending code,
// so the link repeats it until its bound gives up.
constexpr std::uint32_t REJECT_UNKNOWN_REQUEST = ERROR_INVALID_FUNCTION;
constexpr std::uint32_t REJECT_BAD_RANGE = 87; // ERROR_INVALID_PARAMETER

// Carries out one request on the memory, or refuses it and leaves the memory as it was. The reply
// block is cleared first; a read's bytes stand from its start.
ControlResult answerRequest(const DecodedRequest& request, std::uint8_t mode, MemoryImage& memory,
                            ReplyBlock& reply);

} // namespace vantrel::devsim
