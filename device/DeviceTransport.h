#pragma once

#include "device/DeviceProtocol.h"

#include <chrono>
#include <cstdint>

namespace vantrel {

// A reply that has not come within this time will not come: the call fails as on a device that
// has gone, and the handle is of no further use.
constexpr std::chrono::milliseconds REPLY_TIMEOUT{2000};

struct ControlResult {
    bool succeeded = false;
    std::uint32_t count = 0; // bytes of reply the driver reports
    std::uint32_t error = 0; // the host's error code when the request failed, else 0
};

// The only boundary to the receiver's driver: the three operations on one open device.
//
// Every call is synchronous and blocks until the driver has answered, or until REPLY_TIMEOUT has
// passed without an answer. The link calls control() with its lock held, from the user-interface
// thread or the monitor thread but never from both at once; readReport() comes from the monitor
// thread alone, also under the link's lock. cancel() may come from any thread at any time before
// close(), which is called once, as the last call on the transport.
class DeviceTransport {
public:
    virtual ~DeviceTransport() = default;

    // One device I/O control request, both blocks passed at their full 512 bytes.
    virtual ControlResult control(std::uint32_t code, const RequestBlock& request,
                                  ReplyBlock& reply) = 0;

    // One read of a 20-byte input report; blocks while the device has none ready.
    virtual bool readReport(InputReport& report) = 0;

    // Ends a call under way on another thread at once, and makes every later call fail at once:
    // the program is ending and waits for no device.
    virtual void cancel() = 0;

    // Releases the device. Its result is of no interest to anyone.
    virtual void close() = 0;
};

} // namespace vantrel
