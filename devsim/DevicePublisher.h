#pragma once

#include "device/sim/SimDeviceDescriptor.h"

#include <filesystem>
#include <mutex>

namespace vantrel::devsim {

class Receiver;

// Keeps the receiver's descriptor in the runtime folder while, and only while, it is plugged in:
// that is what makes it a present device on the simulated bus.
class DevicePublisher {
public:
    DevicePublisher(std::filesystem::path descriptorFile, SimDeviceDescriptor descriptor);

    // Publishes or withdraws the descriptor to match the receiver as it is now. Safe from any
    // thread; the last call leaves the folder matching the receiver's latest state.
    void follow(const Receiver& receiver);
    void withdraw();

private:
    void withdrawLocked();

    std::mutex mutex_;
    const std::filesystem::path file_;
    const SimDeviceDescriptor descriptor_;
};

} // namespace vantrel::devsim
