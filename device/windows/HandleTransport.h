#pragma once

#include "device/DeviceTransport.h"

namespace vantrel {

// The receiver's driver behind a handle opened for synchronous I/O: every call waits for the
// driver's answer, and a control request waits while a report read is pending.
class HandleTransport : public DeviceTransport {
public:
    // Takes over an open handle (the host's HANDLE).
    explicit HandleTransport(void* handle) : handle_(handle) {}
    ~HandleTransport() override;
    HandleTransport(const HandleTransport&) = delete;
    HandleTransport& operator=(const HandleTransport&) = delete;

    ControlResult control(std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply) override;
    bool readReport(InputReport& report) override;
    void close() override;

private:
    void* handle_;
};

} // namespace vantrel
