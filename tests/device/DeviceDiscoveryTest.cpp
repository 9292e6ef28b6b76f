#include "device/DeviceDiscovery.h"

#include "device/DeviceLink.h"
#include "device/HardwareId.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedBus.h"
#include "tests/support/ScriptedTransport.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::BusDevice;
using test::RecordingMessages;
using test::ScriptedBus;
using test::ScriptedDevice;

const std::u16string receiverPath =
    u"\\\\?\\usb#vid_7b4d&pid_0018#5&2c3f0e1&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

BusDevice receiver(std::u16string path = receiverPath) {
    return {.hardwareIds = {{u"USB\\VID_7B4D&PID_0018&REV_0104", u"USB\\VID_7B4D&PID_0018"}},
            .propertyError = {},
            .interfaceError = {},
            .detailError = {},
            .detailRequired = {},
            .path = std::move(path)};
}

BusDevice other(std::u16string id) {
    return {.hardwareIds = {{std::move(id)}},
            .propertyError = {},
            .interfaceError = {},
            .detailError = {},
            .detailRequired = {},
            .path = u"\\\\?\\usb#vid_046d&pid_c077#1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"};
}

BusDevice withoutList() {
    BusDevice device = other(u"");
    device.hardwareIds.reset();
    return device;
}

TEST(HardwareId, Matching) {
    const std::pair<std::u16string, bool> cases[] = {
        {u"USB\\VID_7B4D&PID_0018&REV_0104", true},
        {u"usb\\vid_7b4d&pid_0018", true},
        {receiverPath, true},
        {u"USB\\VID_7B4D&PID_0019", false},
        {u"VID_7B4D PID_0018", false},
        {u"", false},
    };
    for (const auto& [text, matches] : cases) {
        EXPECT_EQ(matchesHardwareId(text), matches) << std::string(text.begin(), text.end());
    }
}

class DeviceDiscoveryTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    ScriptedBus bus;
    DeviceDiscovery discovery{bus, messages};
};

TEST_F(DeviceDiscoveryTest, FindsTheReceiverAndItsPath) {
    BusDevice lowerCase = receiver(u"\\\\?\\usb#first");
    lowerCase.hardwareIds = {{u"usb\\vid_7b4d&pid_0018&rev_0104"}};
    BusDevice secondEntry = receiver(u"\\\\?\\usb#second");
    secondEntry.hardwareIds = {{u"USB\\VID_1234&PID_0001", u"USB\\VID_7B4D&PID_0018"}};

    const std::pair<BusDevice, std::u16string> cases[] = {
        {lowerCase, u"\\\\?\\usb#first"},
        {secondEntry, u"\\\\?\\usb#second"},
    };
    for (const auto& [device, path] : cases) {
        bus.setDevices({other(u"USB\\VID_046D&PID_C077"), device});
        EXPECT_TRUE(discovery.findDevice(hardwareIdPattern));
        EXPECT_EQ(discovery.devicePath(), path);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DeviceDiscoveryTest, ADeviceWithoutAListIsSkippedQuietly) {
    bus.setDevices({withoutList(), receiver()});
    EXPECT_TRUE(discovery.findDevice(hardwareIdPattern));
    EXPECT_EQ(discovery.devicePath(), receiverPath);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DeviceDiscoveryTest, TheListIsQueriedForItsSizeThenRead) {
    bus.setDevices({receiver()});
    ASSERT_TRUE(discovery.findDevice(hardwareIdPattern));
    const auto calls = bus.calls();
    const auto listBytes = test::multiString(*receiver().hardwareIds).size();
    const std::vector<std::string> expected = {"classdevs",
                                               "enum 0",
                                               "property 0 size 0",
                                               "property 0 size " + std::to_string(listBytes),
                                               "interface 0",
                                               "detail 0 size 6",
                                               "detail 0 size " +
                                                   std::to_string(4 + 2 * receiverPath.size() + 2),
                                               "destroy"};
    EXPECT_EQ(calls, expected);
}

TEST_F(DeviceDiscoveryTest, TheDetailCarriesTheHostsOwnFixedSize) {
    // 6 on a 32-bit host, 8 on a 64-bit one, which refuses a record that says 6.
    const std::uint32_t pathBytes = static_cast<std::uint32_t>(4 + 2 * receiverPath.size() + 2);
    for (const std::uint32_t fixedSize : {6U, 8U}) {
        SCOPED_TRACE(fixedSize);
        messages.clear();
        bus.clearCalls();
        bus.setDetailFixedSize(fixedSize);
        bus.setDevices({receiver()});
        DeviceDiscovery fresh(bus, messages);
        EXPECT_TRUE(fresh.findDevice(hardwareIdPattern));
        EXPECT_EQ(fresh.devicePath(), receiverPath);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{});
        std::vector<std::string> detailCalls;
        for (const std::string& call : bus.calls()) {
            if (call.starts_with("detail")) {
                detailCalls.push_back(call);
            }
        }
        const std::vector<std::string> expected = {"detail 0 size " + std::to_string(fixedSize),
                                                   "detail 0 size " + std::to_string(pathBytes)};
        EXPECT_EQ(detailCalls, expected);
    }
}

TEST_F(DeviceDiscoveryTest, OfTwoReceiversTheLowerIndexIsFoundAndTheOtherNeverLookedAt) {
    bus.setDevices({receiver(u"\\\\?\\usb#one"), receiver(u"\\\\?\\usb#two")});
    ASSERT_TRUE(discovery.findDevice(hardwareIdPattern));
    EXPECT_EQ(discovery.devicePath(), u"\\\\?\\usb#one");
    for (const auto& call : bus.calls()) {
        for (const char* second : {"enum 1", "property 1", "interface 1", "detail 1"}) {
            EXPECT_NE(call.rfind(second, 0), 0u) << call;
        }
    }
}

TEST_F(DeviceDiscoveryTest, FailuresAndWhatTheyShow) {
    struct Case {
        const char* name;
        std::vector<BusDevice> devices;
        bool found;
        std::vector<std::string> shown;
    };
    BusDevice brokenList = other(u"");
    brokenList.propertyError = ERROR_ACCESS_DENIED;
    BusDevice noInterface = receiver();
    noInterface.interfaceError = 1168;
    BusDevice brokenDetail = receiver();
    brokenDetail.detailError = 31;
    BusDevice hugeDetail = receiver();
    hugeDetail.detailRequired = 0x7FFFFFFF;

    const std::vector<Case> cases = {
        {"nothing present", {}, false, {}},
        {"no match", {other(u"USB\\VID_7B4D&PID_0019")}, false, {}},
        {"a list query fails: the walk ends there",
         {brokenList, receiver()},
         false,
         {"GetDeviceRegistryProperty FAILURE: host text 5\n"}},
        {"no interface",
         {noInterface},
         true,
         {"SetupDiEnumDeviceInterfaces FAILURE: host text 1168\n"}},
        {"the detail fails",
         {brokenDetail},
         true,
         {"SetupDiGetDeviceInterfaceDetail FAILURE: host text 31\n"}},
        {"the detail wants too much",
         {hugeDetail},
         true,
         {"Couldn't allocate 2147483647 bytes for device interface detail buffer\n FAILURE: host "
          "text 8\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        bus.clearCalls();
        bus.setDevices(c.devices);
        DeviceDiscovery fresh(bus, messages);
        EXPECT_EQ(fresh.findDevice(hardwareIdPattern), c.found);
        EXPECT_EQ(fresh.devicePath(), u"") << "a path never obtained is never set";
        EXPECT_EQ(messages.texts(), c.shown);
        EXPECT_EQ(bus.calls().back(), "destroy") << "every walk destroys its list";
    }
}

TEST_F(DeviceDiscoveryTest, AFailedClassListShowsAndFindsNothing) {
    bus.failClassDevs(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(discovery.findDevice(hardwareIdPattern));
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"GetClassDevs(All Present Devices) FAILURE: host text 5\n"});
}

TEST_F(DeviceDiscoveryTest, ReportFailureKeepsTheLastError) {
    bus.setLastError(1234);
    discovery.reportFailure("Probe");
    EXPECT_EQ(bus.lastError(), 1234u);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Probe FAILURE: host text 1234\n"});
}

TEST_F(DeviceDiscoveryTest, AFailureTheHostHasNoTextForShowsNothing) {
    BusDevice brokenList = other(u"");
    brokenList.propertyError = 1234;
    bus.setDevices({brokenList, receiver()});
    bus.withoutText(1234);
    EXPECT_FALSE(discovery.findDevice(hardwareIdPattern)) << "the walk still ends there";
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(bus.lastError(), 1234u);
}

TEST_F(DeviceDiscoveryTest, OpenDeviceStoresTheHandleAndEnablesSampling) {
    RecordingMessages linkMessages;
    DeviceLink link(linkMessages);
    std::atomic<std::int32_t> sampling{0};

    bus.setDevices({});
    discovery.openDevice(link, sampling);
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(sampling, 0);
    EXPECT_TRUE(messages.shown().empty()) << "no receiver present shows nothing";

    auto device = std::make_shared<ScriptedDevice>();
    std::u16string openedPath;
    bus.setOpener([&](const std::u16string& path) {
        openedPath = path;
        return device->open();
    });
    bus.setDevices({receiver()});
    discovery.openDevice(link, sampling);
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(sampling, 1);
    EXPECT_EQ(openedPath, receiverPath);
}

} // namespace
} // namespace vantrel
