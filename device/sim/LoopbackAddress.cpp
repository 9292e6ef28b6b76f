#include "device/sim/LoopbackAddress.h"

#include <algorithm>
#include <charconv>

namespace vantrel {

namespace {

ParsedLoopbackAddress refused(std::string error) {
    return {std::nullopt, std::move(error)};
}

// A decimal number of at most `maxDigits` digits, nothing else.
template <typename Number>
std::optional<Number> decimal(std::string_view text, std::size_t maxDigits) {
    Number value{};
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::array<std::uint8_t, 4>> dottedQuad(std::string_view text) {
    std::array<std::uint8_t, 4> parts{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t dot = i + 1 < parts.size() ? text.find('.') : text.size();
        if (dot == std::string_view::npos) {
            return std::nullopt;
        }
        const auto part = decimal<unsigned>(text.substr(0, dot), 3);
        if (!part || *part > 255) {
            return std::nullopt;
        }
        parts[i] = static_cast<std::uint8_t>(*part);
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    return parts;
}

} // namespace

ParsedLoopbackAddress parseLoopbackAddress(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        return refused("an address is HOST:PORT");
    }
    const std::string_view hostText = text.substr(0, colon);
    const auto port = decimal<std::uint32_t>(text.substr(colon + 1), 5);
    if (!port || *port == 0 || *port > 65535) {
        return refused("the port is a number from 1 to 65535");
    }
    LoopbackAddress address;
    address.port = static_cast<std::uint16_t>(*port);
    if (hostText == "localhost") {
        return {address, {}};
    }
    const auto host = dottedQuad(hostText);
    if (!host || (*host)[0] != 127) {
        return refused("the host must be a loopback address (localhost or 127.x.y.z)");
    }
    address.host = *host;
    return {address, {}};
}

std::string loopbackAddressText(const LoopbackAddress& address) {
    std::string text;
    for (const std::uint8_t part : address.host) {
        text += (text.empty() ? "" : ".") + std::to_string(part);
    }
    return text + ":" + std::to_string(address.port);
}

} // namespace vantrel
