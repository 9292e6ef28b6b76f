#include "devsim/DevicePublisher.h"

#include "devsim/DurableFile.h"
#include "devsim/Receiver.h"

#include <iostream>

namespace vantrel::devsim {

DevicePublisher::DevicePublisher(std::filesystem::path descriptorFile,
                                 SimDeviceDescriptor descriptor)
    : file_(std::move(descriptorFile)), descriptor_(std::move(descriptor)) {
}

void DevicePublisher::follow(const Receiver& receiver) {
    std::lock_guard lock(mutex_);
    if (!receiver.isPlugged()) {
        withdrawLocked();
        return;
    }
    const std::string text = encodeDescriptor(descriptor_);
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (const auto problem = replaceFileDurably(file_, bytes)) {
        std::cerr << "vantrel-devsim: the device was not published: " << *problem << '\n';
    }
}

void DevicePublisher::withdraw() {
    std::lock_guard lock(mutex_);
    withdrawLocked();
}

void DevicePublisher::withdrawLocked() {
    std::error_code error;
    std::filesystem::remove(file_, error);
}

} // namespace vantrel::devsim
