#pragma once

#include "device/DeviceNotice.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace vantrel {

// The main window's registration for device arrival and removal notices of the USB device
// interface class. Notices are delivered on the user-interface thread.
class DeviceNotices {
public:
    using Deliver = std::function<void(const DeviceNotice&)>;

    virtual ~DeviceNotices() = default;

    // Nothing when registered; the host's error code when registration failed.
    virtual std::optional<std::uint32_t> registerFor(Deliver deliver) = 0;
};

} // namespace vantrel
