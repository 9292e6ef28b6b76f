#include "devsim/InProcessBus.h"
#include "device/DeviceLink.h"
#include "device/sim/BusErrors.h"
#include "device/sim/SnapshotInfoList.h"
#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <thread>

namespace vantrel::devsim {
namespace {

// The hardware-ID list as the host returns it: UTF-16LE strings, each ending in 0, then an empty
// one.
std::vector<std::byte> idBytes(const std::vector<std::u16string>& ids) {
    std::vector<std::byte> bytes;
    auto put = [&](char16_t unit) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    };
    for (const auto& id : ids) {
        for (const char16_t unit : id) {
            put(unit);
        }
        put(0);
    }
    put(0);
    return bytes;
}

std::u16string pathIn(const std::vector<std::byte>& detail) {
    std::u16string path;
    for (std::size_t at = DETAIL_PATH_OFFSET; at + 1 < detail.size(); at += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned>(detail[at]) |
                                                (static_cast<unsigned>(detail[at + 1]) << 8));
        if (unit == 0) {
            break;
        }
        path.push_back(unit);
    }
    return path;
}

std::vector<std::byte> detailBuffer(std::uint32_t size, std::uint32_t fixedSize) {
    std::vector<std::byte> detail(size);
    for (std::size_t i = 0; i < 4 && i < detail.size(); ++i) {
        detail[i] = static_cast<std::byte>(fixedSize >> (8 * i));
    }
    return detail;
}

class InProcessBusTest : public ::testing::Test {
protected:
    InProcessBus bus;
    std::shared_ptr<Receiver> receiver = std::make_shared<Receiver>();
    const InProcessDevice receiverOnBus = receiverDevice(receiver, "5&2a1f&0&3");
};

TEST_F(InProcessBusTest, ReceiverShowsItsIdsAndPath) {
    EXPECT_EQ(receiverOnBus.hardwareIds,
              (std::vector<std::u16string>{u"USB\\VID_7B4D&PID_0018&REV_0104",
                                           u"USB\\VID_7B4D&PID_0018"}));
    EXPECT_EQ(receiverOnBus.interfacePath,
              u"\\\\?\\usb#vid_7b4d&pid_0018#5&2a1f&0&3#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
}

TEST_F(InProcessBusTest, HardwareIdsComeAfterASizeQuery) {
    bus.add(receiverOnBus);
    auto list = bus.getClassDevs();
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->enumDeviceInfo(0));
    std::uint32_t size = 0;
    EXPECT_FALSE(list->getHardwareIdProperty(0, {}, size));
    EXPECT_EQ(bus.lastError(), ERROR_INSUFFICIENT_BUFFER);
    const auto expected = idBytes(*receiverOnBus.hardwareIds);
    ASSERT_EQ(size, expected.size());

    std::vector<std::byte> small(size - 1);
    EXPECT_FALSE(list->getHardwareIdProperty(0, small, size));
    EXPECT_EQ(bus.lastError(), ERROR_INSUFFICIENT_BUFFER);

    std::vector<std::byte> buffer(size);
    ASSERT_TRUE(list->getHardwareIdProperty(0, buffer, size));
    EXPECT_EQ(buffer, expected);
    EXPECT_EQ(bus.lastError(), 0u);
}

TEST_F(InProcessBusTest, DeviceWithoutListGivesInvalidData) {
    bus.add(otherDevice(std::nullopt, "1"));
    auto list = bus.getClassDevs();
    std::uint32_t size = 0;
    EXPECT_FALSE(list->getHardwareIdProperty(0, {}, size));
    EXPECT_EQ(bus.lastError(), ERROR_INVALID_DATA);
}

TEST_F(InProcessBusTest, DetailGrowsFromTheFixedSizeToTheReportedOne) {
    bus.add(otherDevice(std::vector<std::string>{"USB\\VID_046D&PID_C077"}, "1"));
    bus.add(receiverOnBus);
    auto list = bus.getClassDevs();
    ASSERT_TRUE(list->enumDeviceInterface(1));
    const std::uint32_t fixed = bus.detailFixedSize();
    ASSERT_EQ(fixed, 6u);

    std::uint32_t size = fixed;
    auto detail = detailBuffer(size, fixed);
    EXPECT_FALSE(list->getDeviceInterfaceDetail(1, detail, size));
    EXPECT_EQ(bus.lastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(size, 4 + (receiverOnBus.interfacePath.size() + 1) * 2);

    detail = detailBuffer(size, fixed);
    ASSERT_TRUE(list->getDeviceInterfaceDetail(1, detail, size));
    EXPECT_EQ(pathIn(detail), receiverOnBus.interfacePath);
}

TEST_F(InProcessBusTest, DetailWithWrongSizeFieldIsRefused) {
    bus.add(receiverOnBus);
    auto list = bus.getClassDevs();
    std::uint32_t size = 0;
    auto detail = detailBuffer(400, 8);
    EXPECT_FALSE(list->getDeviceInterfaceDetail(0, detail, size));
    EXPECT_EQ(bus.lastError(), ERROR_INVALID_USER_BUFFER);
}

TEST_F(InProcessBusTest, EnumerationEndsWithNoMoreItems) {
    bus.add(receiverOnBus);
    auto list = bus.getClassDevs();
    EXPECT_TRUE(list->enumDeviceInfo(0));
    EXPECT_FALSE(list->enumDeviceInfo(1));
    EXPECT_EQ(bus.lastError(), ERROR_NO_MORE_ITEMS);
}

TEST_F(InProcessBusTest, UnpluggedAndRemovedDevicesAreNotPresent) {
    const auto id = bus.add(receiverOnBus);
    receiver->unplug();
    EXPECT_FALSE(bus.getClassDevs()->enumDeviceInfo(0));
    receiver->plug();
    EXPECT_TRUE(bus.getClassDevs()->enumDeviceInfo(0));
    bus.remove(id);
    EXPECT_FALSE(bus.getClassDevs()->enumDeviceInfo(0));
    EXPECT_EQ(bus.open(receiverOnBus.interfacePath), nullptr);
    EXPECT_EQ(bus.lastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(InProcessBusTest, OpenedPathReachesTheReceiverThroughTheLink) {
    bus.add(receiverOnBus);
    std::u16string upper = receiverOnBus.interfacePath;
    for (auto& unit : upper) {
        unit = unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
    }
    test::RecordingMessages messages;
    DeviceLink link(messages);
    link.attach(bus.open(upper));
    ASSERT_TRUE(link.isOpen());
    KeyMapBytes keyMap{};
    ASSERT_EQ(link.RdEELong(keyMap), 0u);
    EXPECT_TRUE(std::equal(keyMap.begin(), keyMap.end(), receiver->memory().begin() + 52));
}

TEST_F(InProcessBusTest, OtherDeviceRefusesToOpen) {
    const InProcessDevice other =
        otherDevice(std::vector<std::string>{"USB\\VID_1234&PID_0001"}, "9");
    bus.add(other);
    EXPECT_EQ(bus.open(other.interfacePath), nullptr);
    EXPECT_EQ(bus.lastError(), ERROR_ACCESS_DENIED);
}

struct ProvokedFailure {
    const char* name;
    BusCall call;
};

class InProcessBusFaultTest : public InProcessBusTest,
                              public ::testing::WithParamInterface<ProvokedFailure> {};

TEST_P(InProcessBusFaultTest, NextCallFailsWithTheGivenCodeThenWorks) {
    bus.add(receiverOnBus);
    bus.failNext(GetParam().call, ERROR_GEN_FAILURE);
    auto attempt = [&]() -> bool {
        auto list = bus.getClassDevs();
        if (!list) {
            return false;
        }
        std::vector<std::byte> ids(512);
        auto detail = detailBuffer(512, bus.detailFixedSize());
        std::uint32_t size = 0;
        return list->enumDeviceInfo(0) && list->getHardwareIdProperty(0, ids, size) &&
               list->enumDeviceInterface(0) && list->getDeviceInterfaceDetail(0, detail, size) &&
               bus.open(receiverOnBus.interfacePath) != nullptr;
    };
    EXPECT_FALSE(attempt());
    EXPECT_EQ(bus.lastError(), ERROR_GEN_FAILURE);
    EXPECT_TRUE(attempt());
    EXPECT_EQ(bus.calls(GetParam().call), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, InProcessBusFaultTest,
    ::testing::Values(ProvokedFailure{"GetClassDevs", BusCall::GetClassDevs},
                      ProvokedFailure{"EnumDeviceInfo", BusCall::EnumDeviceInfo},
                      ProvokedFailure{"GetHardwareIdProperty", BusCall::GetHardwareIdProperty},
                      ProvokedFailure{"EnumDeviceInterface", BusCall::EnumDeviceInterface},
                      ProvokedFailure{"GetDeviceInterfaceDetail",
                                      BusCall::GetDeviceInterfaceDetail},
                      ProvokedFailure{"Open", BusCall::Open}),
    [](const auto& info) { return info.param.name; });

TEST_F(InProcessBusTest, LastErrorBelongsToTheCallingThread) {
    bus.setLastError(ERROR_NO_MORE_ITEMS);
    std::thread other([&] { bus.setLastError(ERROR_INVALID_DATA); });
    other.join();
    EXPECT_EQ(bus.lastError(), ERROR_NO_MORE_ITEMS);
}

TEST_F(InProcessBusTest, ErrorTextsAreOursAndOnlyForKnownCodes) {
    EXPECT_EQ(bus.errorText(ERROR_DEV_NOT_EXIST), "The device is no longer present.");
    EXPECT_TRUE(bus.errorText(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_FALSE(bus.errorText(0xDEAD));
}

} // namespace
} // namespace vantrel::devsim
