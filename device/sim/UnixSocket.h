#pragma once

#include "device/sim/UniqueFd.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

// Stream sockets in the runtime folder, shared by the simulated receiver and the tool's side.
namespace vantrel {

// Invalid when nothing listens there (errno says why). With a timeout, the connection and every
// later send and receive on it give up after that long without progress.
UniqueFd connectUnixSocket(const std::filesystem::path& path,
                           std::optional<std::chrono::milliseconds> timeout = std::nullopt);

// A listening socket readable and writable by its owner only. Invalid on failure.
UniqueFd listenUnixSocket(const std::filesystem::path& path);

// Makes every send and receive on the socket give up after that long without progress.
bool setSocketTimeouts(int fd, std::chrono::milliseconds timeout);

// Whole transfers, repeated across interruptions; false when the peer has gone or, on a socket
// with a timeout, has not moved for that long.
bool sendAll(int fd, std::span<const std::uint8_t> bytes);
bool receiveAll(int fd, std::span<std::uint8_t> bytes);

} // namespace vantrel
