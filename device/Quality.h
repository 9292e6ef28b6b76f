#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// The mouse pad quality an input report's byte 14 stands for, from -50 (poor) to 101 (good).
std::int32_t qualityFromReport(std::uint8_t byte);

// The reading as the pages show it: at least three characters, zero-filled after the sign.
std::string qualityText(std::int32_t quality);

} // namespace vantrel
