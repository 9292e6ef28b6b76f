#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Where a simulated receiver serves over TCP: always on this machine, so that nothing of the
// device's traffic leaves it.
struct LoopbackAddress {
    std::array<std::uint8_t, 4> host{127, 0, 0, 1};
    std::uint16_t port = 0;

    bool operator==(const LoopbackAddress&) const = default;
};

struct ParsedLoopbackAddress {
    std::optional<LoopbackAddress> address;
    std::string error;
};

// `HOST:PORT`: HOST is `localhost` or an address 127.x.y.z, PORT from 1 to 65535.
ParsedLoopbackAddress parseLoopbackAddress(std::string_view text);

// `127.0.0.1:PORT`.
std::string loopbackAddressText(const LoopbackAddress& address);

} // namespace vantrel
