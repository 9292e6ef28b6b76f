#include "device/DeviceLink.h"
#include "device/sim/AsciiText.h"
#include "device/sim/BusErrors.h"
#include "device/sim/SimDeviceBus.h"
#include "device/sim/SimNoticeWatcher.h"
#include "device/sim/SnapshotInfoList.h"
#include "devsim/MemoryImage.h"
#include "tests/devsim/DevsimProcess.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempFolder.h"

#include <poll.h>

#include <gtest/gtest.h>

#include <csignal>

namespace vantrel {
namespace {

const std::u16string receiverPath =
    u"\\\\?\\usb#vid_7b4d&pid_0018#vantrel#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

std::vector<std::u16string> idsIn(const std::vector<std::byte>& bytes) {
    std::vector<std::u16string> ids(1);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned>(bytes[at]) |
                                                (static_cast<unsigned>(bytes[at + 1]) << 8));
        if (unit != 0) {
            ids.back().push_back(unit);
        } else if (ids.back().empty()) {
            ids.pop_back();
            return ids;
        } else {
            ids.emplace_back();
        }
    }
    return {};
}

// What the discovery walk asks of a device: its hardware IDs, after a size query.
std::optional<std::vector<std::u16string>> hardwareIds(DeviceBus& bus, DeviceInfoList& list,
                                                       std::uint32_t index) {
    std::uint32_t size = 0;
    if (list.getHardwareIdProperty(index, {}, size) ||
        bus.lastError() != ERROR_INSUFFICIENT_BUFFER) {
        return std::nullopt;
    }
    std::vector<std::byte> buffer(size);
    if (!list.getHardwareIdProperty(index, buffer, size)) {
        return std::nullopt;
    }
    return idsIn(buffer);
}

// And its interface path, starting with the fixed size and growing to the reported one.
std::u16string interfacePath(DeviceBus& bus, DeviceInfoList& list, std::uint32_t index) {
    std::uint32_t size = bus.detailFixedSize();
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::vector<std::byte> detail(size);
        detail[0] = static_cast<std::byte>(bus.detailFixedSize());
        if (list.getDeviceInterfaceDetail(index, detail, size)) {
            // The path ends in 0, which also ends the record: a list of one entry, less its end.
            std::vector<std::byte> path(detail.begin() + DETAIL_PATH_OFFSET, detail.end());
            path.resize(path.size() + 2);
            const auto entries = idsIn(path);
            return entries.size() == 1 ? entries[0] : std::u16string();
        }
        EXPECT_EQ(bus.lastError(), ERROR_INSUFFICIENT_BUFFER);
    }
    return {};
}

bool readable(int fd) {
    pollfd watched{fd, POLLIN, 0};
    return ::poll(&watched, 1, 2000) == 1;
}

class SimBusTest : public ::testing::Test {
protected:
    test::TempFolder runtime;
    test::Devsim devsim{runtime.path()};
    SimDeviceBus bus{runtime.path()};
};

TEST_F(SimBusTest, EmptyFolderHasNoDevices) {
    auto list = bus.getClassDevs();
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->enumDeviceInfo(0));
    EXPECT_EQ(bus.lastError(), ERROR_NO_MORE_ITEMS);
}

TEST_F(SimBusTest, WalkSeesEveryServedDeviceAsTheHostWould) {
    auto other = devsim.serve({"--hardware-id", "USB\\VID_046D&PID_C077&REV_0110", "--hardware-id",
                               "USB\\VID_046D&PID_C077"},
                              "a-mouse");
    auto bare = devsim.serve({"--no-hardware-ids"}, "b-bare");
    auto receiver = devsim.serve();
    ASSERT_TRUE(other.waitUntilServing() && bare.waitUntilServing() && receiver.waitUntilServing());

    auto list = bus.getClassDevs();
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->enumDeviceInfo(2));
    EXPECT_FALSE(list->enumDeviceInfo(3));

    EXPECT_EQ(hardwareIds(bus, *list, 0),
              (std::vector<std::u16string>{u"USB\\VID_046D&PID_C077&REV_0110",
                                           u"USB\\VID_046D&PID_C077"}));
    std::uint32_t size = 0;
    EXPECT_FALSE(list->getHardwareIdProperty(1, {}, size));
    EXPECT_EQ(bus.lastError(), ERROR_INVALID_DATA);
    EXPECT_EQ(hardwareIds(bus, *list, 2),
              (std::vector<std::u16string>{u"USB\\VID_7B4D&PID_0018&REV_0104",
                                           u"USB\\VID_7B4D&PID_0018"}));

    ASSERT_TRUE(list->enumDeviceInterface(2));
    EXPECT_EQ(interfacePath(bus, *list, 2), receiverPath);
    EXPECT_EQ(interfacePath(bus, *list, 0),
              u"\\\\?\\usb#vid_046d&pid_c077#a-mouse#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
}

TEST_F(SimBusTest, OpenedReceiverAnswersTheLink) {
    auto served = devsim.serve({"--quality", "155"});
    ASSERT_TRUE(served.waitUntilServing());
    test::RecordingMessages messages;
    DeviceLink link(messages);
    link.attach(bus.open(receiverPath));
    ASSERT_TRUE(link.isOpen());

    std::int32_t reportMode = -1;
    EXPECT_EQ(link.queryMode(reportMode), 0u);
    EXPECT_EQ(reportMode, 1);
    std::array<std::uint8_t, 64> keyMap{};
    ASSERT_EQ(link.readBytes(52, keyMap), 0u);
    const auto factory = devsim::factoryImage();
    EXPECT_TRUE(std::equal(keyMap.begin(), keyMap.end(), factory.begin() + 52));
    InputReport report{};
    ASSERT_TRUE(link.readReport(report));
    EXPECT_EQ(report[REPORT_QUALITY_OFFSET], 155);

    EXPECT_EQ(devsim.run({"unplug"}).exitCode, 0);
    EXPECT_EQ(link.queryMode(reportMode), ERROR_DEV_NOT_EXIST);
    EXPECT_FALSE(link.readReport(report));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SimBusTest, VanishedDaemonFailsLikeAVanishedDevice) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    auto handle = bus.open(receiverPath);
    ASSERT_TRUE(handle);
    ASSERT_EQ(served.stop(SIGKILL), 128 + SIGKILL);
    RequestBlock request{};
    ReplyBlock reply{};
    EXPECT_EQ(handle->control(IOCTL_DEVICE_READ, request, reply).error, ERROR_DEV_NOT_EXIST);
    InputReport report{};
    EXPECT_FALSE(handle->readReport(report));
}

TEST_F(SimBusTest, OpeningAnAbsentPathFails) {
    EXPECT_EQ(bus.open(receiverPath), nullptr);
    EXPECT_EQ(bus.lastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(SimBusTest, ForeignFolderIsNotABus) {
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(bus.getClassDevs(), nullptr);
    EXPECT_EQ(bus.lastError(), ERROR_ACCESS_DENIED);
}

TEST_F(SimBusTest, WatcherReportsPlugAndUnplugWithThePath) {
    SimNoticeWatcher watcher(runtime.path());
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());

    std::vector<DeviceNotice> notices;
    auto collect = [&](std::size_t count) {
        return test::eventually([&] {
            if (readable(watcher.fd())) {
                for (auto& notice : watcher.take()) {
                    notices.push_back(notice);
                }
            }
            return notices.size() >= count;
        });
    };
    ASSERT_TRUE(collect(1));
    ASSERT_EQ(devsim.run({"unplug"}).exitCode, 0);
    ASSERT_TRUE(collect(2));
    ASSERT_EQ(devsim.run({"plug"}).exitCode, 0);
    ASSERT_TRUE(collect(3));
    ASSERT_EQ(served.stop(SIGTERM), 0);
    ASSERT_TRUE(collect(4));

    using Kind = DeviceNotice::Kind;
    const std::vector<Kind> kinds{Kind::Arrival, Kind::RemovalComplete, Kind::Arrival,
                                  Kind::RemovalComplete};
    ASSERT_EQ(notices.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(notices[i].kind, kinds[i]) << i;
        EXPECT_EQ(notices[i].path, receiverPath) << i;
    }
    EXPECT_TRUE(watcher.take().empty());
}

TEST_F(SimBusTest, WatcherKnowsDevicesPresentBeforeIt) {
    auto served = devsim.serve();
    ASSERT_TRUE(served.waitUntilServing());
    SimNoticeWatcher watcher(runtime.path());
    ASSERT_EQ(devsim.run({"unplug"}).exitCode, 0);
    ASSERT_TRUE(readable(watcher.fd()));
    const auto notices = watcher.take();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind, DeviceNotice::Kind::RemovalComplete);
    EXPECT_EQ(notices[0].path, receiverPath);
}

TEST_F(SimBusTest, WatcherRefusesAForeignFolder) {
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::group_write,
                                 std::filesystem::perm_options::add);
    EXPECT_THROW(SimNoticeWatcher{runtime.path()}, std::system_error);
}

} // namespace
} // namespace vantrel
