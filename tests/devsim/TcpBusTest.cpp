#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/HardwareId.h"
#include "device/sim/BusErrors.h"
#include "device/sim/TcpDeviceBus.h"
#include "device/sim/TcpNoticeWatcher.h"
#include "device/sim/TcpTransport.h"
#include "tests/devsim/DevsimProcess.h"
#include "tests/devsim/RequestBlocks.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <fstream>
#include <mutex>
#include <thread>

namespace vantrel {
namespace {

using test::queryBlock;

const std::u16string receiverPath =
    u"\\\\?\\usb#vid_7b4d&pid_0018#vantrel#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

// A daemon serving on a free loopback port, and the bus that reaches it there.
class TcpBusTest : public ::testing::Test {
protected:
    test::TempFolder runtime;
    test::Devsim devsim{runtime.path()};
    test::RecordingMessages messages;

    // The daemon's port as a script learns it: from the port file, once `status` answers.
    LoopbackAddress served(const test::ServedReceiver& daemon) {
        EXPECT_TRUE(daemon.waitUntilServing());
        std::ifstream file(runtime.path() / "vantrel.tcp");
        unsigned port = 0;
        file >> port;
        EXPECT_GT(port, 0u);
        return {{127, 0, 0, 1}, static_cast<std::uint16_t>(port)};
    }

    std::string ok(const std::vector<std::string>& args) {
        const auto result = devsim.run(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }

    std::u16string found(TcpDeviceBus& bus) {
        DeviceDiscovery discovery(bus, messages);
        return discovery.findDevice(hardwareIdPattern) ? discovery.devicePath() : u"";
    }
};

TEST_F(TcpBusTest, DiscoveryFindsTheServedReceiverAndItsRequestsRoundTrip) {
    auto daemon = devsim.serve({"--tcp", "0", "--quality", "155"});
    const LoopbackAddress address = served(daemon);
    EXPECT_NE(ok({"status"}).find("tcp         " + loopbackAddressText(address) + "\n"),
              std::string::npos);

    TcpDeviceBus bus(address);
    ASSERT_EQ(found(bus), receiverPath);
    DeviceLink link(messages);
    link.attach(bus.open(receiverPath));
    ASSERT_TRUE(link.isOpen());
    std::int32_t reportMode = -1;
    EXPECT_EQ(link.queryMode(reportMode), 0u);
    EXPECT_EQ(reportMode, 1);
    std::array<std::uint8_t, 4> written{1, 2, 3, 4};
    ASSERT_EQ(link.writeBytes(60, written), 0u);
    std::array<std::uint8_t, 4> read{};
    ASSERT_EQ(link.readBytes(60, read), 0u);
    EXPECT_EQ(read, written);
    InputReport report{};
    ASSERT_TRUE(link.readReport(report));
    EXPECT_EQ(report[REPORT_QUALITY_OFFSET], 155);
    EXPECT_NE(ok({"dump"}).find("   52: 33 32 a0 20 41 46 54 45 01 02 03 04"), std::string::npos)
        << "the write reached the daemon's memory";
    EXPECT_TRUE(messages.shown().empty());

    EXPECT_EQ(daemon.stop(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(runtime.path() / "vantrel.tcp"));
    EXPECT_EQ(found(bus), u"") << "no daemon at the address is a bus without devices";
    EXPECT_FALSE(bus.open(receiverPath));
    EXPECT_EQ(bus.lastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(TcpBusTest, TheDaemonsOwnHardwareIdsDecide) {
    auto daemon = devsim.serve({"--tcp", "0", "--hardware-id", "USB\\VID_046D&PID_C077"});
    TcpDeviceBus bus(served(daemon));
    auto list = bus.getClassDevs();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->enumDeviceInfo(0)) << "present, as the daemon publishes it";
    EXPECT_EQ(found(bus), u"") << "but not the receiver";
}

TEST_F(TcpBusTest, UnpluggedTheReceiverVanishesAndItsHandleStaysDead) {
    auto daemon = devsim.serve({"--tcp", "0"});
    const LoopbackAddress address = served(daemon);
    TcpDeviceBus bus(address);
    auto handle = bus.open(receiverPath);
    ASSERT_TRUE(handle);

    ok({"unplug"});
    EXPECT_EQ(found(bus), u"");
    EXPECT_FALSE(bus.open(receiverPath));
    EXPECT_FALSE(TcpTransport::connect(address)) << "the open is turned away, as on the socket";
    ReplyBlock reply{};
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error, ERROR_DEV_NOT_EXIST);

    ok({"plug"});
    EXPECT_EQ(found(bus), receiverPath);
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error, ERROR_DEV_NOT_EXIST);
    EXPECT_TRUE(bus.open(receiverPath));
}

TEST_F(TcpBusTest, AWedgedDaemonMakesCallsGiveUpWithinTheBound) {
    auto daemon = devsim.serve({"--tcp", "0"});
    TcpDeviceBus bus(served(daemon));
    auto handle = bus.open(receiverPath);
    ASSERT_TRUE(handle);
    daemon.suspend();
    ReplyBlock reply{};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error, ERROR_DEV_NOT_EXIST);
    const auto list = bus.getClassDevs();
    EXPECT_FALSE(bus.open(receiverPath));
    // Three calls of at most REPLY_TIMEOUT each; generous, to catch a hang.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4 * REPLY_TIMEOUT);
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->enumDeviceInfo(0));
    daemon.resume();
    InputReport report{};
    EXPECT_FALSE(handle->readReport(report)) << "a late reply would be out of step: dead for good";
}

TEST_F(TcpBusTest, ACancelEndsTheCallUnderWayAndEveryLaterOne) {
    auto daemon = devsim.serve({"--tcp", "0"});
    auto handle = TcpTransport::connect(served(daemon), std::chrono::minutes(10));
    ASSERT_TRUE(handle);
    ok({"fail", "slow", "60s"});
    std::atomic<bool> ended{false};
    std::atomic<std::uint32_t> error{0};
    std::thread waiting([&] {
        ReplyBlock reply{};
        error = handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error;
        ended = true;
    });
    ASSERT_TRUE(test::eventually(
        [&] { return ok({"status"}).find("faults      none") != std::string::npos; }));
    EXPECT_FALSE(ended);
    handle->cancel();
    EXPECT_TRUE(test::eventually([&] { return ended.load(); }, std::chrono::seconds(1)));
    waiting.join();
    EXPECT_EQ(error, ERROR_DEV_NOT_EXIST);
    ReplyBlock reply{};
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, queryBlock(), reply).error, ERROR_DEV_NOT_EXIST);
    handle->close();
}

class NoticeLog {
public:
    void add(const DeviceNotice& notice) {
        std::lock_guard lock(mutex_);
        notices_.push_back(notice);
    }
    std::vector<DeviceNotice> notices() const {
        std::lock_guard lock(mutex_);
        return notices_;
    }
    std::size_t size() const { return notices().size(); }

private:
    mutable std::mutex mutex_;
    std::vector<DeviceNotice> notices_;
};

using Kind = DeviceNotice::Kind;

std::vector<std::pair<Kind, std::u16string>> kindsAndPaths(const std::vector<DeviceNotice>& all) {
    std::vector<std::pair<Kind, std::u16string>> result;
    for (const auto& notice : all) {
        result.emplace_back(notice.kind, notice.path.value_or(u"(none)"));
    }
    return result;
}

TEST_F(TcpBusTest, NoticesFollowPlugUnplugAndTheDaemonComingAndGoing) {
    auto daemon = devsim.serve({"--tcp", "0"});
    const LoopbackAddress address = served(daemon);
    NoticeLog log;
    std::vector<DeviceNotice> seen;
    {
        TcpNoticeWatcher watcher(address, [&log](const DeviceNotice& notice) { log.add(notice); });
        ok({"unplug"});
        ASSERT_TRUE(test::eventually([&] { return log.size() == 1; }));
        ok({"plug"});
        ASSERT_TRUE(test::eventually([&] { return log.size() == 2; }));
        ASSERT_EQ(daemon.stop(SIGTERM), 0);
        ASSERT_TRUE(test::eventually([&] { return log.size() == 3; }));
        // The same port again, as a restarted daemon of a script would take it.
        auto again = devsim.serve({"--tcp", std::to_string(address.port)});
        ASSERT_TRUE(test::eventually([&] { return log.size() == 4; }, std::chrono::seconds(3)));
        seen = log.notices();
    }
    EXPECT_EQ(kindsAndPaths(seen),
              (std::vector<std::pair<Kind, std::u16string>>{{Kind::RemovalComplete, receiverPath},
                                                            {Kind::Arrival, receiverPath},
                                                            {Kind::RemovalComplete, receiverPath},
                                                            {Kind::Arrival, receiverPath}}))
        << "the device present at the start brought no arrival";
}

TEST_F(TcpBusTest, ABadPortIsRefusedAtTheCommandLine) {
    for (const char* port : {"65536", "-1", "x", ""}) {
        EXPECT_EQ(devsim.run({"serve", "--tcp", port}).exitCode, 2) << port;
    }
}

} // namespace
} // namespace vantrel
