#pragma once

#include "ctl/CtlMessages.h"
#include "device/DeviceBus.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"

#include <memory>
#include <string>

namespace vantrel::ctl {

// The receiver on the bus the environment picks (VANTREL_DEVICE, as for the window program),
// found and opened as the window program's monitor does.
class CtlReceiver {
public:
    explicit CtlReceiver(CtlMessages& messages);

    // Finds and opens the receiver; false when there is none.
    bool open();

    // Opens the receiver, or fails with the system's text for a receiver not found.
    void openOrFail();

    DeviceLink& link() { return link_; }
    // The opened receiver's interface path, as UTF-8.
    std::string path() const;

    // Fails with the texts the link showed, or with what, when a request did not succeed.
    void check(std::uint32_t result, std::string_view what);

private:
    CtlMessages& messages_;
    std::unique_ptr<DeviceBus> bus_;
    DeviceLink link_;
    DeviceDiscovery discovery_;
};

} // namespace vantrel::ctl
