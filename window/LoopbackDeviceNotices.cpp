#include "window/LoopbackDeviceNotices.h"

#include "device/sim/TcpNoticeWatcher.h"

namespace vantrel {

LoopbackDeviceNotices::LoopbackDeviceNotices(LoopbackAddress address, UiCrossing& crossing)
    : address_(address), crossing_(crossing) {
}

LoopbackDeviceNotices::~LoopbackDeviceNotices() = default;

std::optional<std::uint32_t> LoopbackDeviceNotices::registerFor(Deliver deliver) {
    watcher_ = std::make_unique<TcpNoticeWatcher>(
        address_, [this, deliver = std::move(deliver)](const DeviceNotice& notice) {
            crossing_.run([&] { deliver(notice); });
        });
    return std::nullopt;
}

std::unique_ptr<DeviceNotices> loopbackNoticesFor(const DeviceBusChoice& choice,
                                                  UiCrossing& crossing) {
    if (choice.kind != DeviceBusChoice::Kind::Tcp) {
        return nullptr;
    }
    return std::make_unique<LoopbackDeviceNotices>(choice.address, crossing);
}

} // namespace vantrel
