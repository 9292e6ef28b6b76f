#pragma once

#include "device/DeviceTransport.h"

#include <cstdint>
#include <memory>

namespace vantrel::devsim {

class Receiver;

// One open handle on an in-process receiver.
class ReceiverTransport : public DeviceTransport {
public:
    ReceiverTransport(std::shared_ptr<Receiver> receiver, std::uint64_t plugPeriod);
    ~ReceiverTransport() override;
    ReceiverTransport(const ReceiverTransport&) = delete;
    ReceiverTransport& operator=(const ReceiverTransport&) = delete;

    ControlResult control(std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply) override;
    bool readReport(InputReport& report) override;
    // Every call here ends within the receiver's own report interval or injected delay.
    void cancel() override {}
    void close() override;

private:
    std::shared_ptr<Receiver> receiver_;
    const std::uint64_t plugPeriod_;
    bool closed_ = false;
};

} // namespace vantrel::devsim
