#include "device/sim/FrameRead.h"

#include <array>

namespace vantrel {

std::optional<ReceivedFrame> readFrame(const ReceiveBytes& receive) {
    std::array<std::uint8_t, FRAME_HEADER_SIZE> header{};
    if (!receive(header)) {
        return std::nullopt;
    }
    const auto decoded = decodeFrameHeader(header);
    if (!decoded) {
        return std::nullopt;
    }
    ReceivedFrame frame{decoded->kind, std::vector<std::uint8_t>(decoded->bodySize)};
    if (!receive(frame.body)) {
        return std::nullopt;
    }
    return frame;
}

std::optional<std::vector<std::uint8_t>> readFrameOf(const ReceiveBytes& receive,
                                                     FrameKind expected) {
    auto frame = readFrame(receive);
    if (!frame || frame->kind != expected) {
        return std::nullopt;
    }
    return std::move(frame->body);
}

} // namespace vantrel
