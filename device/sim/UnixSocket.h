#pragma once

#include "device/sim/UniqueFd.h"

#include <cstdint>
#include <filesystem>
#include <span>

// Stream sockets in the runtime folder, shared by the simulated receiver and the tool's side.
namespace vantrel {

// Invalid when nothing listens there (errno says why).
UniqueFd connectUnixSocket(const std::filesystem::path& path);

// A listening socket readable and writable by its owner only. Invalid on failure.
UniqueFd listenUnixSocket(const std::filesystem::path& path);

// Whole transfers, repeated across interruptions; false when the peer has gone.
bool sendAll(int fd, std::span<const std::uint8_t> bytes);
bool receiveAll(int fd, std::span<std::uint8_t> bytes);

} // namespace vantrel
