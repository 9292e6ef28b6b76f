#include "device/sim/FrameIo.h"

#include "device/sim/UnixSocket.h"

namespace vantrel {

namespace {

ReceiveBytes fromSocket(int fd) {
    return [fd](std::span<std::uint8_t> bytes) { return receiveAll(fd, bytes); };
}

} // namespace

std::optional<ReceivedFrame> receiveFrame(int fd) {
    return readFrame(fromSocket(fd));
}

std::optional<std::vector<std::uint8_t>> receiveFrameOf(int fd, FrameKind expected) {
    return readFrameOf(fromSocket(fd), expected);
}

} // namespace vantrel
