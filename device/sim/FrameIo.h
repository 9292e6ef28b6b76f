#pragma once

#include "device/sim/FrameRead.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vantrel {

// One whole frame from a stream socket; nothing when the peer has gone or sent a bad header.
std::optional<ReceivedFrame> receiveFrame(int fd);

// The body of the next frame when it is of the expected kind.
std::optional<std::vector<std::uint8_t>> receiveFrameOf(int fd, FrameKind expected);

} // namespace vantrel
