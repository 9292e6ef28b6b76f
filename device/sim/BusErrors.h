#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The last-error slot and error texts shared by the buses that stand in for the host's device
// manager.
namespace vantrel {

constexpr std::uint32_t ERROR_SUCCESS = 0;
constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr std::uint32_t ERROR_INVALID_USER_BUFFER = 1784;

// Like the host's, the slot belongs to the calling thread: the user-interface thread's calls
// never disturb what the monitor thread is about to read.
std::uint32_t busLastError();
void setBusLastError(std::uint32_t code);

// Our own words for the codes a simulated bus or device can leave behind.
std::optional<std::string> busErrorText(std::uint32_t code);

} // namespace vantrel
