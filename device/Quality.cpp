#include "device/Quality.h"

#include <cstdio>

namespace vantrel {

std::int32_t qualityFromReport(std::uint8_t byte) {
    const std::int32_t v = byte < 128 ? byte : (6 * (byte - 128)) / 5;
    if (v <= 32) {
        return ((v - 32) * 50) / 32;
    }
    return ((v - 32) * 100) / 118;
}

std::string qualityText(std::int32_t quality) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", static_cast<int>(quality));
    return text;
}

} // namespace vantrel
