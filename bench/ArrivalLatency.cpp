// Measures how long the monitor takes from a receiver's arrival notice to the device being
// connected: the walk, the open, the mode query and the seven reads of the image, against a
// served simulated receiver over the bus. Prints the median and the worst of the runs.
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/DeviceMonitor.h"
#include "device/HardwareId.h"
#include "device/MonitorPages.h"
#include "device/MonitorState.h"
#include "device/sim/SimDeviceBus.h"
#include "device/sim/SimNoticeWatcher.h"
#include "x360setup/X360Settings.h"

#include <poll.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;

class SilentMessages : public Messages {
public:
    MessageAnswer show(std::string_view, MessageButtons, MessageIcon) override {
        return MessageAnswer::Ok;
    }
};

// The pages' work runs at once, and the moment the connection's last piece of it ran is kept.
class TimingPages : public MonitorPages {
public:
    TimingPages(DeviceLink& link, MonitorState& state) : link_(link), state_(state) {}

    bool onUserInterface(const std::function<void()>& work) override {
        std::lock_guard lock(mutex_);
        const bool wasConnected = state_.deviceConnected == 1;
        work();
        if (!wasConnected && state_.deviceConnected == 1) {
            connectedAt = Clock::now();
        }
        return true;
    }
    std::uint32_t loadX360Page() override { return readX360Items(link_).complete() ? 0 : 1; }
    bool pcPageVisible() override { return false; }
    void takeDeviceKeyMap(const KeyMapBytes&) override {}
    void refreshPcPage() override {}
    std::int32_t qualityValue(SetupPage) override { return 0; }
    void setQuality(SetupPage, std::int32_t, std::string_view) override {}

    std::atomic<Clock::time_point> connectedAt{};

private:
    DeviceLink& link_;
    MonitorState& state_;
    std::mutex mutex_;
};

int devsim(const std::string& command) {
    return std::system((std::string(VANTREL_DEVSIM) + " " + command + " >/dev/null").c_str());
}

bool waitFor(const std::function<bool()>& condition) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

} // namespace
} // namespace vantrel

int main(int argc, char** argv) {
    using namespace vantrel;
    const int runs = argc > 1 ? std::atoi(argv[1]) : 30;
    SilentMessages messages;
    MonitorState state;
    DeviceLink link(messages);
    SimDeviceBus bus;
    DeviceDiscovery discovery(bus, messages);
    TimingPages pages(link, state);
    SimNoticeWatcher watcher;
    std::atomic<Clock::time_point> arrivedAt{};
    std::atomic<bool> stop{false};

    // Stands in for the main window: notices become the monitor's signals.
    std::thread notices([&] {
        while (!stop) {
            pollfd readable{watcher.fd(), POLLIN, 0};
            if (poll(&readable, 1, 10) <= 0) {
                continue;
            }
            for (const DeviceNotice& notice : watcher.take()) {
                if (!notice.path || !matchesHardwareId(*notice.path)) {
                    continue;
                }
                if (notice.kind == DeviceNotice::Kind::Arrival) {
                    arrivedAt = Clock::now();
                    signalArrival(state);
                } else {
                    signalRemoval(state);
                }
            }
        }
    });

    std::vector<double> latencies;
    {
        DeviceMonitor monitor(state, link, discovery, pages, messages);
        monitor.start();
        waitFor([&] { return state.deviceConnected == 1; });
        for (int run = 0; run < runs; ++run) {
            devsim("unplug");
            if (!waitFor([&] { return state.deviceConnected == 0 && !link.isOpen(); })) {
                std::fprintf(stderr, "the monitor did not let the receiver go\n");
                break;
            }
            devsim("plug");
            if (!waitFor([&] { return state.deviceConnected == 1; })) {
                std::fprintf(stderr, "the monitor did not connect\n");
                break;
            }
            const auto latency = pages.connectedAt.load() - arrivedAt.load();
            latencies.push_back(std::chrono::duration<double, std::milli>(latency).count());
        }
        stopMonitor(state);
    }
    stop = true;
    notices.join();
    if (latencies.empty()) {
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("arrival_median_ms %.3f\narrival_max_ms %.3f\nruns %zu\n",
                latencies[latencies.size() / 2], latencies.back(), latencies.size());
    return 0;
}
