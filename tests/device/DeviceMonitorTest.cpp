#include "device/DeviceMonitor.h"

#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/MonitorPages.h"
#include "device/MonitorState.h"
#include "tests/support/Eventually.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedBus.h"
#include "tests/support/ScriptedTransport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <map>
#include <thread>

namespace vantrel {
namespace {

using namespace std::chrono_literals;
using test::BusDevice;
using test::eventually;
using test::failure;
using test::RecordingMessages;
using test::replyWith;
using test::ScriptedBus;
using test::ScriptedDevice;

// The pages as the monitor sees them; work "on the user-interface thread" runs under a lock.
class FakePages : public MonitorPages {
public:
    bool onUserInterface(const std::function<void()>& work) override {
        std::lock_guard lock(mutex_);
        ++crossings_;
        work();
        return true;
    }
    std::uint32_t loadX360Page() override {
        std::lock_guard lock(mutex_);
        ++loads_;
        return loadStatus_;
    }
    bool pcPageVisible() override { return pcVisible_; }
    void takeDeviceKeyMap(const KeyMapBytes& block) override { keyMaps_.push_back(block); }
    void refreshPcPage() override { ++refreshes_; }
    std::int32_t qualityValue(SetupPage page) override { return quality_[page]; }
    void setQuality(SetupPage page, std::int32_t value, std::string_view text) override {
        quality_[page] = value;
        text_[page] = text;
        ++qualityRepaints_[page];
    }

    template <typename F>
    auto locked(F&& f) {
        std::lock_guard lock(mutex_);
        return f();
    }

    void setLoadStatus(std::uint32_t status) {
        locked([&] { loadStatus_ = status; });
    }
    void setPcVisible(bool visible) { pcVisible_ = visible; }
    int crossings() {
        return locked([&] { return crossings_; });
    }
    int loads() {
        return locked([&] { return loads_; });
    }
    std::size_t keyMaps() {
        return locked([&] { return keyMaps_.size(); });
    }
    int refreshes() {
        return locked([&] { return refreshes_; });
    }
    int qualityRepaints(SetupPage page) {
        return locked([&] { return qualityRepaints_[page]; });
    }
    std::string text(SetupPage page) {
        return locked([&] { return text_[page]; });
    }

private:
    std::mutex mutex_;
    std::uint32_t loadStatus_ = 0;
    std::atomic<bool> pcVisible_ = true;
    int crossings_ = 0;
    int loads_ = 0;
    std::vector<KeyMapBytes> keyMaps_;
    int refreshes_ = 0;
    std::map<SetupPage, std::int32_t> quality_;
    std::map<SetupPage, std::string> text_;
    std::map<SetupPage, int> qualityRepaints_;
};

BusDevice receiver() {
    return {.hardwareIds = {{u"USB\\VID_7B4D&PID_0018"}},
            .propertyError = {},
            .interfaceError = {},
            .detailError = {},
            .detailRequired = {},
            .path = u"\\\\?\\usb#vid_7b4d&pid_0018#1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"};
}

InputReport reportWithQuality(std::uint8_t byte) {
    InputReport report{};
    report[REPORT_QUALITY_OFFSET] = byte;
    return report;
}

class DeviceMonitorTest : public ::testing::Test {
protected:
    void TearDown() override {
        stopMonitor(state);
        monitor.reset(); // joins: a monitor that ignored the stop would hang here
    }

    // Plugs a fresh device in: present on the bus and opened by it.
    std::shared_ptr<ScriptedDevice> plug(std::uint8_t mode = MODE_REPORTS) {
        auto device = std::make_shared<ScriptedDevice>();
        device->script(replyWith({mode}));
        bus.setDevices({receiver()});
        bus.setOpener([device](const std::u16string&) { return device->open(); });
        return device;
    }

    void start() {
        monitor = std::make_unique<DeviceMonitor>(state, link, discovery, pages, messages, wait);
        monitor->start();
    }

    // From now on the monitor's waits are recorded, and each lasts at most a few milliseconds.
    void recordWaits() {
        wait = [this](AutoResetEvent& event, std::chrono::milliseconds timeout) {
            {
                std::lock_guard lock(waitsMutex);
                waits.emplace_back(&event, timeout);
            }
            return event.wait(std::min(timeout, std::chrono::milliseconds(5)));
        };
    }
    std::vector<std::chrono::milliseconds> waitsFor(const AutoResetEvent& event) {
        std::lock_guard lock(waitsMutex);
        std::vector<std::chrono::milliseconds> timeouts;
        for (const auto& [waited, timeout] : waits) {
            if (waited == &event) {
                timeouts.push_back(timeout);
            }
        }
        return timeouts;
    }

    bool connected() { return state.deviceConnected == 1; }

    MonitorState state;
    RecordingMessages messages;
    DeviceLink link{messages, {.maxSends = 5, .maxDuration = 2s}};
    ScriptedBus bus;
    DeviceDiscovery discovery{bus, messages};
    FakePages pages;
    EventWait wait = waitForEvent;
    std::mutex waitsMutex;
    std::vector<std::pair<const AutoResetEvent*, std::chrono::milliseconds>> waits;
    std::unique_ptr<DeviceMonitor> monitor;
};

TEST_F(DeviceMonitorTest, ConnectsAtStartAndHandsTheKeyMapOver) {
    plug();
    start();
    ASSERT_TRUE(eventually([&] { return connected(); }));
    EXPECT_EQ(pages.loads(), 1);
    EXPECT_EQ(pages.keyMaps(), 1u);
    EXPECT_EQ(pages.refreshes(), 1) << "the PC page is visible, so it refreshes at once";
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DeviceMonitorTest, ItWaitsASecondForADeviceAndATenthOfASecondBeforeEachReport) {
    recordWaits();
    start();
    ASSERT_TRUE(eventually([&] { return waitsFor(state.reconnectEvent).size() >= 3; }));
    const auto device = plug();
    signalArrival(state);
    ASSERT_TRUE(eventually([&] { return device->reportReads() >= 5; }));
    stopMonitor(state);
    monitor.reset();

    using std::chrono::milliseconds;
    const auto deviceWaits = waitsFor(state.reconnectEvent);
    const auto sampleWaits = waitsFor(state.wakeEvent);
    EXPECT_EQ(std::count(deviceWaits.begin(), deviceWaits.end(), milliseconds(1000)),
              std::ssize(deviceWaits));
    EXPECT_EQ(std::count(sampleWaits.begin(), sampleWaits.end(), milliseconds(100)),
              std::ssize(sampleWaits));
    // One report per pass, each after its wait; the stop ends the last pass before its read.
    EXPECT_EQ(device->reportReads(), std::ssize(sampleWaits) - 1);
}

TEST_F(DeviceMonitorTest, ARemovalIsSeenWithinOneSampleWait) {
    const auto device = plug();
    start();
    ASSERT_TRUE(eventually([&] { return connected() && device->reportReads() > 0; }));
    device->setFallback(failure(ERROR_DEV_NOT_EXIST));
    bus.setDevices({});
    signalRemoval(state);
    EXPECT_TRUE(eventually([&] { return !connected(); }, std::chrono::milliseconds(150)));
}

TEST_F(DeviceMonitorTest, TheReportModeOutlastsAConnectionWhoseModeQueryFails) {
    const auto first = plug();
    start();
    ASSERT_TRUE(eventually([&] { return first->reportReads() > 0; }));
    first->setFallback(failure(ERROR_DEV_NOT_EXIST));
    bus.setDevices({});
    signalRemoval(state);
    ASSERT_TRUE(eventually([&] { return first->closed(); }));

    auto second = std::make_shared<ScriptedDevice>();
    second->script(failure(ERROR_ACCESS_DENIED)); // the mode query; the reads succeed
    bus.setDevices({receiver()});
    bus.setOpener([second](const std::u16string&) { return second->open(); });
    signalArrival(state);
    ASSERT_TRUE(eventually([&] { return connected(); }));
    EXPECT_TRUE(eventually([&] { return second->reportReads() > 0; }))
        << "the mode of the first connection still holds";
}

TEST_F(DeviceMonitorTest, AFailedKeyMapReadSkipsTheXBoxLoad) {
    const auto device = plug();
    device->setFallback(failure(ERROR_GEN_FAILURE)); // every read after the mode query
    start();
    ASSERT_TRUE(eventually([&] { return device->closed(); }));
    EXPECT_EQ(pages.loads(), 0);
    EXPECT_EQ(pages.keyMaps(), 0u);
    EXPECT_FALSE(connected());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DeviceMonitorTest, AStopEndsTheThreadAtOnceWhileTheReceiverDoesNotAnswer) {
    const auto device = plug();
    start();
    ASSERT_TRUE(eventually([&] { return device->reportReads() > 0; }));
    const int before = device->reportReads();
    device->wedge();
    ASSERT_TRUE(eventually([&] { return device->reportReads() > before; }))
        << "a read is under way";

    auto stopped = std::async(std::launch::async, [&] {
        stopMonitor(state);
        monitor.reset();
    });
    const bool inTime = stopped.wait_for(std::chrono::seconds(1)) == std::future_status::ready;
    if (!inTime) {
        device->cancel(); // lets a monitor that missed the stop end, so that the test can
    }
    stopped.wait();
    EXPECT_TRUE(inTime);
    EXPECT_TRUE(device->cancelled());
}

TEST_F(DeviceMonitorTest, NoReceiverAtStartThenAnArrival) {
    start();
    std::this_thread::sleep_for(150ms);
    EXPECT_FALSE(connected());
    EXPECT_TRUE(messages.shown().empty()) << "nothing found at start shows nothing";

    plug();
    signalArrival(state);
    EXPECT_TRUE(eventually([&] { return connected(); }));
}

TEST_F(DeviceMonitorTest, AnArrivalThatCannotBeOpenedAsksForAReplugEachTime) {
    start();
    bus.setDevices({receiver()}); // present, but every open fails
    for (std::size_t arrival = 1; arrival <= 2; ++arrival) {
        signalArrival(state);
        EXPECT_TRUE(eventually([&] { return messages.count(replugMessage) == arrival; }));
    }
    EXPECT_FALSE(connected());
}

TEST_F(DeviceMonitorTest, ADeviceThatSendsNoReportsIsNotSampled) {
    const auto device = plug(MODE_NO_REPORTS);
    start();
    ASSERT_TRUE(eventually([&] { return connected(); }));
    std::this_thread::sleep_for(350ms);
    EXPECT_EQ(device->reportReads(), 0);
    EXPECT_EQ(pages.qualityRepaints(SetupPage::Pc), 0);
}

TEST_F(DeviceMonitorTest, NoReportReadStartsWhileSamplingIsPaused) {
    const auto device = plug();
    start();
    ASSERT_TRUE(eventually([&] { return connected(); }));
    state.samplingEnabled = 0;
    std::this_thread::sleep_for(150ms); // a read already under way finishes
    const int before = device->reportReads();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(device->reportReads(), before);

    state.samplingEnabled = 1;
    EXPECT_TRUE(eventually([&] { return device->reportReads() > before; }));
}

TEST_F(DeviceMonitorTest, TheSameQualityTwiceRepaintsOnceAndGoesToTheVisiblePage) {
    const auto device = plug();
    device->queueReport(reportWithQuality(100));
    start();
    ASSERT_TRUE(eventually([&] { return pages.qualityRepaints(SetupPage::Pc) == 1; }));
    ASSERT_TRUE(eventually([&] { return device->reportReads() >= 3; }));
    EXPECT_EQ(pages.qualityRepaints(SetupPage::Pc), 1);
    EXPECT_EQ(pages.text(SetupPage::Pc), "057");
    EXPECT_EQ(pages.qualityRepaints(SetupPage::X360), 0);

    pages.setPcVisible(false);
    EXPECT_TRUE(eventually([&] { return pages.qualityRepaints(SetupPage::X360) == 1; }));
    EXPECT_EQ(pages.text(SetupPage::X360), "057");
    EXPECT_EQ(pages.qualityRepaints(SetupPage::Pc), 1);
}

TEST_F(DeviceMonitorTest, ASteadyPadCrossesToTheWindowOnlyWhenItsReadingChanges) {
    const auto device = plug();
    device->queueReport(reportWithQuality(100));
    start();
    ASSERT_TRUE(eventually([&] { return pages.qualityRepaints(SetupPage::Pc) == 1; }));
    const int settled = pages.crossings();
    const auto readsAfter = [&](int more) {
        const int target = device->reportReads() + more;
        return eventually([&] { return device->reportReads() >= target; });
    };
    ASSERT_TRUE(readsAfter(3));
    EXPECT_EQ(pages.crossings(), settled) << "an unchanged reading stays on the monitor thread";

    device->queueReport(reportWithQuality(200));
    ASSERT_TRUE(eventually([&] { return pages.qualityRepaints(SetupPage::Pc) == 2; }));
    ASSERT_TRUE(readsAfter(3));
    EXPECT_EQ(pages.crossings(), settled + 1);

    // The other page holds an older reading: it gets this one once it is in view.
    pages.setPcVisible(false);
    ASSERT_TRUE(eventually([&] { return pages.qualityRepaints(SetupPage::X360) == 1; }));
    EXPECT_EQ(pages.text(SetupPage::X360), "045");
    pages.setPcVisible(true);
    ASSERT_TRUE(readsAfter(3));
    EXPECT_EQ(pages.crossings(), settled + 2) << "the PC page still shows this reading";
    EXPECT_EQ(pages.qualityRepaints(SetupPage::Pc), 2);
}

TEST_F(DeviceMonitorTest, AFailedXBoxLoadLeavesTheKeyMapAndTheConnectionAlone) {
    const auto device = plug();
    pages.setLoadStatus(1);
    start();
    ASSERT_TRUE(eventually([&] { return device->closed(); }));
    EXPECT_EQ(pages.loads(), 1);
    EXPECT_FALSE(connected());
    EXPECT_EQ(pages.keyMaps(), 0u) << "the baseline is not taken";
    EXPECT_TRUE(messages.shown().empty()) << "the monitor itself shows nothing";
}

TEST_F(DeviceMonitorTest, ARemovalEndsTheConnectionAndTheMonitorWaitsForTheNextArrival) {
    const auto first = plug();
    start();
    ASSERT_TRUE(eventually([&] { return connected(); }));

    first->setFallback(failure(ERROR_DEV_NOT_EXIST));
    bus.setDevices({});
    signalRemoval(state);
    ASSERT_TRUE(eventually([&] { return !connected(); }));
    // The reads on the absent device give up within the link's bound, and it is closed.
    ASSERT_TRUE(eventually([&] { return first->closed(); }));
    EXPECT_EQ(pages.loads(), 1);

    const auto second = plug();
    signalArrival(state);
    EXPECT_TRUE(eventually([&] { return connected(); }));
    EXPECT_EQ(pages.loads(), 2);
}

TEST_F(DeviceMonitorTest, AFailedReportReadWaitsForAnArrivalEvenWithTheReceiverPresent) {
    const auto device = plug();
    start();
    ASSERT_TRUE(eventually([&] { return connected(); }));
    device->failReports();
    ASSERT_TRUE(eventually([&] { return device->closed(); }));
    EXPECT_FALSE(connected());
    bus.clearCalls();
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(bus.calls().empty()) << "no walk without an arrival";

    plug();
    signalArrival(state);
    EXPECT_TRUE(eventually([&] { return connected(); }));
}

TEST_F(DeviceMonitorTest, AStopWhileConnectedEndsTheThreadWithTheDeviceOpen) {
    const auto device = plug();
    start();
    ASSERT_TRUE(eventually([&] { return connected(); }));
    stopMonitor(state);
    monitor.reset();
    EXPECT_FALSE(device->closed()) << "a wake ends the sampling with the device left open";
}

TEST_F(DeviceMonitorTest, AStopWhileWaitingForADeviceEndsTheThread) {
    start();
    std::this_thread::sleep_for(50ms);
    stopMonitor(state);
    monitor.reset();
    EXPECT_FALSE(connected());
    EXPECT_TRUE(messages.shown().empty());
}

} // namespace
} // namespace vantrel
