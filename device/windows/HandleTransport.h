#pragma once

#include "device/DeviceTransport.h"

#include <chrono>

namespace vantrel {

// The receiver's driver behind a handle opened for overlapped I/O. Each call still waits for the
// driver's answer before it returns, but no longer than the timeout: a request that has not been
// answered by then is withdrawn, and the device counts as gone.
class HandleTransport : public DeviceTransport {
public:
    // Takes over an open handle (the host's HANDLE), opened with FILE_FLAG_OVERLAPPED.
    explicit HandleTransport(void* handle, std::chrono::milliseconds timeout = REPLY_TIMEOUT);
    ~HandleTransport() override;
    HandleTransport(const HandleTransport&) = delete;
    HandleTransport& operator=(const HandleTransport&) = delete;

    ControlResult control(std::uint32_t code, const RequestBlock& request,
                          ReplyBlock& reply) override;
    bool readReport(InputReport& report) override;
    void cancel() override;
    void close() override;

private:
    struct Pending;

    ControlResult finish(Pending& call, bool started);

    void* handle_;
    const std::chrono::milliseconds timeout_;
    void* answered_;  // set by the host when the call under way completes
    void* cancelled_; // set by cancel() and never reset
    bool broken_ = false;
};

} // namespace vantrel
