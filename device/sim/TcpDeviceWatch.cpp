#include "device/sim/TcpDeviceWatch.h"

#include "device/sim/FrameRead.h"

namespace vantrel {

namespace {

ReceiveBytes fromStream(TcpStream& stream) {
    return [&stream](std::span<std::uint8_t> bytes) { return stream.receiveAll(bytes); };
}

} // namespace

std::unique_ptr<TcpDeviceWatch>
TcpDeviceWatch::start(const LoopbackAddress& address, std::chrono::milliseconds timeout,
                      std::optional<std::chrono::milliseconds> waitLimit) {
    auto stream = TcpStream::connect(address, timeout, waitLimit);
    // A watch asks before it is greeted, so that starting one never waits for the daemon.
    if (!stream || !stream->sendAll(encodeWatch())) {
        return nullptr;
    }
    return std::unique_ptr<TcpDeviceWatch>(new TcpDeviceWatch(std::move(stream)));
}

std::optional<DeviceStateFrame> TcpDeviceWatch::next() {
    // The hello tells whether an open would have found the device; a watch needs neither.
    if (!greeted_ && !readFrameOf(fromStream(*stream_), FrameKind::Hello)) {
        return std::nullopt;
    }
    greeted_ = true;
    const auto body = readFrameOf(fromStream(*stream_), FrameKind::DeviceState);
    if (!body) {
        return std::nullopt;
    }
    return decodeDeviceState(*body);
}

std::optional<DeviceStateFrame> presentedDevice(const LoopbackAddress& address,
                                                std::chrono::milliseconds timeout) {
    const auto watch = TcpDeviceWatch::start(address, timeout, timeout);
    return watch ? watch->next() : std::nullopt;
}

} // namespace vantrel
