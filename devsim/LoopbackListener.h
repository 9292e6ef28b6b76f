#pragma once

#include "device/sim/UniqueFd.h"

#include <cstdint>
#include <optional>

namespace vantrel::devsim {

struct LoopbackListener {
    UniqueFd socket;
    std::uint16_t port; // the one it listens on, also when any free one was asked for
};

// A TCP socket listening on 127.0.0.1 at the port, 0 for any free one; nothing on failure, with
// errno saying why.
std::optional<LoopbackListener> listenOnLoopback(std::uint16_t port);

// Readies an accepted connection for small request frames that each wait for their reply.
void tuneForFrames(int fd);

} // namespace vantrel::devsim
