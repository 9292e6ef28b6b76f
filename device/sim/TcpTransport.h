#pragma once

#include "device/DeviceTransport.h"
#include "device/sim/LoopbackAddress.h"
#include "device/sim/SimFrame.h"
#include "device/sim/TcpStream.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace vantrel {

// An open handle on a simulated receiver served over loopback TCP: the same frames as on its
// data socket, one to the receiver and one back per call. Once the receiver or its daemon has
// gone, or has not answered within the timeout, every call fails as on a vanished device.
class TcpTransport : public DeviceTransport {
public:
    // Null when no daemon answers at the address within the timeout, or its receiver is
    // unplugged.
    static std::unique_ptr<TcpTransport> connect(const LoopbackAddress& address,
                                                 std::chrono::milliseconds timeout = REPLY_TIMEOUT);

    ControlResult control(std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply) override;
    bool readReport(InputReport& report) override;
    void cancel() override;
    void close() override;

private:
    explicit TcpTransport(std::unique_ptr<TcpStream> stream) : stream_(std::move(stream)) {}

    std::optional<std::vector<std::uint8_t>> exchange(const std::vector<std::uint8_t>& request,
                                                      FrameKind answer);
    void breakOff();

    // Stays until close(), so that cancel() from another thread always reaches this stream.
    std::unique_ptr<TcpStream> stream_;
    bool broken_ = false;
};

} // namespace vantrel
