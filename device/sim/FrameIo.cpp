#include "device/sim/FrameIo.h"

#include "device/sim/UnixSocket.h"

#include <array>

namespace vantrel {

std::optional<ReceivedFrame> receiveFrame(int fd) {
    std::array<std::uint8_t, FRAME_HEADER_SIZE> header{};
    if (!receiveAll(fd, header)) {
        return std::nullopt;
    }
    const auto decoded = decodeFrameHeader(header);
    if (!decoded) {
        return std::nullopt;
    }
    ReceivedFrame frame{decoded->kind, std::vector<std::uint8_t>(decoded->bodySize)};
    if (!receiveAll(fd, frame.body)) {
        return std::nullopt;
    }
    return frame;
}

std::optional<std::vector<std::uint8_t>> receiveFrameOf(int fd, FrameKind expected) {
    auto frame = receiveFrame(fd);
    if (!frame || frame->kind != expected) {
        return std::nullopt;
    }
    return std::move(frame->body);
}

} // namespace vantrel
