#pragma once

#include "device/sim/SimFrame.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace vantrel {

struct ReceivedFrame {
    FrameKind kind;
    std::vector<std::uint8_t> body;
};

// Fills the whole span from a stream; false when the peer has gone or the stream gave up.
using ReceiveBytes = std::function<bool(std::span<std::uint8_t>)>;

// One whole frame from a stream of any kind; nothing when the peer has gone or sent a bad header.
std::optional<ReceivedFrame> readFrame(const ReceiveBytes& receive);

// The body of the next frame when it is of the expected kind.
std::optional<std::vector<std::uint8_t>> readFrameOf(const ReceiveBytes& receive,
                                                     FrameKind expected);

} // namespace vantrel
