#pragma once

#include "device/DeviceTransport.h"
#include "device/sim/UniqueFd.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace vantrel {

// An open handle on a simulated receiver: each call is one frame to its data socket and one frame
// back. Once the receiver or its daemon has gone, or has not answered within the timeout, every
// call fails as on a vanished device.
class SimTransport : public DeviceTransport {
public:
    // Null when no daemon answers at the socket within the timeout, or its receiver is unplugged.
    static std::unique_ptr<SimTransport> connect(const std::filesystem::path& dataSocket,
                                                 std::chrono::milliseconds timeout = REPLY_TIMEOUT);

    ControlResult control(std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply) override;
    bool readReport(InputReport& report) override;
    void cancel() override;
    void close() override;

private:
    explicit SimTransport(UniqueFd socket) : socket_(std::move(socket)) {}

    void breakOff();

    // Stays open until close(), so that cancel() from another thread always names this socket.
    UniqueFd socket_;
    bool broken_ = false;
};

} // namespace vantrel
