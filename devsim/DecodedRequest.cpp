#include "devsim/DecodedRequest.h"

#include <algorithm>
#include <cstdio>

namespace vantrel::devsim {

namespace {

RequestKind kindOf(std::uint32_t code, std::uint16_t command) {
    if (code == IOCTL_DEVICE_READ && command == CMD_QUERY_MODE) {
        return RequestKind::Query;
    }
    if (code == IOCTL_DEVICE_READ && command == CMD_MEMORY) {
        return RequestKind::Read;
    }
    if (code == IOCTL_DEVICE_WRITE && command == CMD_MEMORY) {
        return RequestKind::Write;
    }
    return RequestKind::Unknown;
}

std::string hexOf(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    char digits[3];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof(digits), "%02x", bytes[i]);
        text += digits;
    }
    return text;
}

} // namespace

DecodedRequest decodeRequest(std::uint32_t code, const RequestBlock& block) {
    DecodedRequest request{};
    request.code = code;
    request.command = readLe16(&block[COMMAND_OFFSET]);
    request.address = readLe16(&block[ADDRESS_OFFSET]);
    request.length = readLe16(&block[LENGTH_OFFSET]);
    request.kind = kindOf(code, request.command);
    std::copy_n(block.begin() + DATA_OFFSET, DATA_SIZE, request.data.begin());
    return request;
}

std::string traceLine(const DecodedRequest& request) {
    const std::string range =
        std::to_string(request.address) + " " + std::to_string(request.length);
    switch (request.kind) {
    case RequestKind::Query:
        return "query";
    case RequestKind::Read:
        return "read " + range;
    case RequestKind::Write:
        return "write " + range + " " +
               hexOf(request.data.data(), std::min<std::size_t>(request.length, DATA_SIZE));
    case RequestKind::Unknown:
        break;
    }
    char text[32];
    std::snprintf(text, sizeof(text), "unknown %08x %04x", static_cast<unsigned>(request.code),
                  static_cast<unsigned>(request.command));
    return text;
}

} // namespace vantrel::devsim
