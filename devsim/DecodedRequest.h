#pragma once

#include "device/DeviceProtocol.h"
#include "devsim/RequestKind.h"

#include <array>
#include <cstdint>
#include <string>

namespace vantrel::devsim {

// The fields of one request block, read as the receiver's driver reads them.
struct DecodedRequest {
    RequestKind kind;
    std::uint32_t code;
    std::uint16_t command;
    std::uint16_t address;
    std::uint16_t length;
    std::array<std::uint8_t, DATA_SIZE> data;
};

DecodedRequest decodeRequest(std::uint32_t code, const RequestBlock& block);

// The request's line in the trace: `query`, `read <address> <length>` or
// `write <address> <length> <data in lower-case hex>`, numbers in decimal. A request the receiver
// cannot place is `unknown <code> <command>` in hex.
std::string traceLine(const DecodedRequest& request);

} // namespace vantrel::devsim
