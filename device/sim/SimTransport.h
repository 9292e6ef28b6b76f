#pragma once

#include "device/DeviceTransport.h"
#include "device/sim/UniqueFd.h"

#include <filesystem>
#include <memory>

namespace vantrel {

// An open handle on a simulated receiver: each call is one frame to its data socket and one frame
// back. Once the receiver or its daemon has gone, every call fails as on a vanished device.
class SimTransport : public DeviceTransport {
public:
    // Null when no daemon answers at the socket or its receiver is unplugged.
    static std::unique_ptr<SimTransport> connect(const std::filesystem::path& dataSocket);

    ControlResult control(std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply) override;
    bool readReport(InputReport& report) override;
    void close() override;

private:
    explicit SimTransport(UniqueFd socket) : socket_(std::move(socket)) {}

    UniqueFd socket_;
};

} // namespace vantrel
