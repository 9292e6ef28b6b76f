#include "device/DeviceDiscovery.h"
#include "device/DeviceMonitor.h"
#include "device/HardwareId.h"
#include "device/MonitorState.h"
#include "device/sim/SimDeviceBus.h"
#include "device/sim/SimNoticeWatcher.h"
#include "tests/devsim/DevsimProcess.h"
#include "tests/e2e/ModelPages.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <atomic>
#include <thread>

namespace vantrel {
namespace {

using namespace std::chrono_literals;
using test::eventually;

// Turns the bus's notices into the monitor's signals, as the main window does, on a thread of
// its own that stands in for the user-interface thread.
class NoticePump {
public:
    NoticePump(const std::filesystem::path& folder, MonitorState& state)
        : watcher_(folder), state_(state), thread_([this] { pump(); }) {}
    ~NoticePump() {
        stop_ = true;
        thread_.join();
    }

private:
    void pump() {
        while (!stop_) {
            pollfd readable{watcher_.fd(), POLLIN, 0};
            if (poll(&readable, 1, 20) <= 0) {
                continue;
            }
            for (const DeviceNotice& notice : watcher_.take()) {
                if (notice.path && matchesHardwareId(*notice.path)) {
                    notice.kind == DeviceNotice::Kind::Arrival ? signalArrival(state_)
                                                               : signalRemoval(state_);
                }
            }
        }
    }

    SimNoticeWatcher watcher_;
    MonitorState& state_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class DaemonConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        receiver_.emplace(devsim.serve());
        pump_ = std::make_unique<NoticePump>(folder.path(), state);
        monitor_ = std::make_unique<DeviceMonitor>(state, link, discovery, pages, messages);
        monitor_->start();
        ASSERT_TRUE(connected());
    }

    void TearDown() override {
        stopMonitor(state);
        monitor_.reset();
        pump_.reset();
    }

    void command(const std::vector<std::string>& args) {
        const test::CommandResult result = devsim.run(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }

    bool connected() {
        return eventually([&] { return state.deviceConnected == 1; }, 5s);
    }
    bool disconnected() {
        return eventually([&] { return state.deviceConnected == 0 && !link.isOpen(); }, 5s);
    }

    test::TempFolder folder;
    test::Devsim devsim{folder.path()};
    std::optional<test::ServedReceiver> receiver_;
    MonitorState state;
    test::RecordingMessages messages;
    DeviceLink link{messages};
    SimDeviceBus bus{folder.path()};
    DeviceDiscovery discovery{bus, messages};
    test::ModelPages pages{link};
    std::unique_ptr<NoticePump> pump_;
    std::unique_ptr<DeviceMonitor> monitor_;
};

TEST_F(DaemonConnectionTest, FollowsUnplugAndReplug) {
    command({"quality", "100"});
    EXPECT_TRUE(eventually([&] { return pages.quality() == 57; }, 5s)) << "reports are sampled";

    command({"unplug"});
    EXPECT_TRUE(eventually([&] { return state.deviceConnected == 0; }, 5s));
    EXPECT_TRUE(disconnected()) << "the reads on the absent receiver end and it is closed";

    command({"plug"});
    EXPECT_TRUE(connected());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DaemonConnectionTest, AFailedReportReadWaitsForTheNextArrival) {
    // A receiver that stops sending reports fails the next report read while it stays plugged.
    command({"mode", "bb"});
    ASSERT_TRUE(disconnected());
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(link.isOpen()) << "no reconnection without an arrival";

    command({"mode", "aa"});
    command({"unplug"});
    command({"plug"});
    EXPECT_TRUE(connected());
}

TEST_F(DaemonConnectionTest, AReceiverGoneInTheMiddleOfAConnectionEndsItsReads) {
    command({"unplug"});
    ASSERT_TRUE(disconnected());
    command({"fail", "vanish", "--only", "reads"});
    command({"plug"}); // the arrival's connection loses the receiver at its first read
    EXPECT_TRUE(eventually(
        [&] { return devsim.run({"status"}).out.find("plugged     no") != std::string::npos; },
        5s));
    EXPECT_TRUE(disconnected());

    command({"plug"});
    EXPECT_TRUE(connected());
}

} // namespace
} // namespace vantrel
