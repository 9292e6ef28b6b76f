#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::devsim {

// The mouse pad quality the receiver puts in byte 14 of each input report: one fixed byte, or a
// slow triangle wave from 128 up to 255 and back, which sweeps the whole gauge.
struct Quality {
    enum class Kind { Fixed, Wave };
    Kind kind = Kind::Fixed;
    std::uint8_t value = 200;

    static Quality fixed(std::uint8_t byte) { return {Kind::Fixed, byte}; }
    static Quality wave() { return {Kind::Wave, 0}; }
    bool operator==(const Quality&) const = default;
};

constexpr std::chrono::milliseconds QUALITY_WAVE_PERIOD{4000};
constexpr std::uint8_t QUALITY_WAVE_LOW = 128;
constexpr std::uint8_t QUALITY_WAVE_HIGH = 255;

std::uint8_t qualityByteAt(const Quality& quality, std::chrono::milliseconds sinceStart);

// "wave" or the byte in decimal, as the command line spells it.
std::string qualityText(const Quality& quality);
std::optional<Quality> parseQuality(std::string_view text);

} // namespace vantrel::devsim
