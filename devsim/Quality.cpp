#include "devsim/Quality.h"

#include <charconv>

namespace vantrel::devsim {

std::uint8_t qualityByteAt(const Quality& quality, std::chrono::milliseconds sinceStart) {
    if (quality.kind == Quality::Kind::Fixed) {
        return quality.value;
    }
    const auto period = QUALITY_WAVE_PERIOD.count();
    const auto half = period / 2;
    const auto phase = sinceStart.count() % period;
    const auto rise = phase < half ? phase : period - phase;
    return static_cast<std::uint8_t>(QUALITY_WAVE_LOW +
                                     rise * (QUALITY_WAVE_HIGH - QUALITY_WAVE_LOW) / half);
}

std::string qualityText(const Quality& quality) {
    return quality.kind == Quality::Kind::Wave ? "wave" : std::to_string(quality.value);
}

std::optional<Quality> parseQuality(std::string_view text) {
    if (text == "wave") {
        return Quality::wave();
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 255) {
        return std::nullopt;
    }
    return Quality::fixed(static_cast<std::uint8_t>(value));
}

} // namespace vantrel::devsim
