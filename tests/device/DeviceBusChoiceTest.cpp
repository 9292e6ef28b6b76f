#include "device/DeviceBusChoice.h"
#include "device/DeviceDiscovery.h"
#include "device/HardwareId.h"
#include "device/sim/TcpDeviceBus.h"
#include "devsim/InProcessBus.h"
#include "tests/support/RecordingMessages.h"

#ifdef _WIN32
#include "device/windows/WindowsDeviceBus.h"
#else
#include "device/sim/SimDeviceBus.h"
#endif

#include <gtest/gtest.h>

#include <cstdlib>

namespace vantrel {
namespace {

using Kind = DeviceBusChoice::Kind;

struct ChoiceCase {
    std::optional<std::string_view> value;
    Kind kind;
    LoopbackAddress address;  // compared for Tcp only
    std::string_view problem; // a part of the complaint; empty: none
};

class DeviceBusChoiceTable : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(DeviceBusChoiceTable, ValueGivesItsBus) {
    const ChoiceCase& c = GetParam();
    const DeviceBusChoice choice = parseDeviceBusChoice(c.value);
    EXPECT_EQ(choice.kind, c.kind);
    if (c.kind == Kind::Tcp) {
        EXPECT_EQ(choice.address, c.address);
    }
    if (c.problem.empty()) {
        EXPECT_EQ(choice.problem, "");
        return;
    }
    EXPECT_NE(choice.problem.find(c.problem), std::string::npos) << choice.problem;
    // One line that names the variable, the value and every accepted form.
    EXPECT_EQ(choice.problem.find('\n'), std::string::npos);
    for (const char* part : {"VANTREL_DEVICE=\"", "tcp:HOST:PORT", "inprocess", "own device bus"}) {
        EXPECT_NE(choice.problem.find(part), std::string::npos) << part;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, DeviceBusChoiceTable,
    ::testing::Values(
        ChoiceCase{std::nullopt, Kind::Platform, {}, ""}, ChoiceCase{"", Kind::Platform, {}, ""},
        ChoiceCase{"inprocess", Kind::InProcess, {}, ""},
        ChoiceCase{"tcp:127.0.0.1:4100", Kind::Tcp, {{127, 0, 0, 1}, 4100}, ""},
        ChoiceCase{"tcp:localhost:65535", Kind::Tcp, {{127, 0, 0, 1}, 65535}, ""},
        ChoiceCase{"tcp:127.8.9.10:1", Kind::Tcp, {{127, 8, 9, 10}, 1}, ""},
        ChoiceCase{"tcp:10.0.0.1:4100", Kind::Platform, {}, "must be a loopback address"},
        ChoiceCase{"tcp:example.org:4100", Kind::Platform, {}, "must be a loopback address"},
        ChoiceCase{"tcp:127.0.0.256:4100", Kind::Platform, {}, "must be a loopback address"},
        ChoiceCase{"tcp:127.0.0:4100", Kind::Platform, {}, "must be a loopback address"},
        ChoiceCase{"tcp:127.0.0.1.5:4100", Kind::Platform, {}, "must be a loopback address"},
        ChoiceCase{"tcp:127.0.0.1:0", Kind::Platform, {}, "from 1 to 65535"},
        ChoiceCase{"tcp:127.0.0.1:65536", Kind::Platform, {}, "from 1 to 65535"},
        ChoiceCase{"tcp:127.0.0.1:41x", Kind::Platform, {}, "from 1 to 65535"},
        ChoiceCase{"tcp:127.0.0.1", Kind::Platform, {}, "an address is HOST:PORT"},
        ChoiceCase{"tcp:4100", Kind::Platform, {}, "an address is HOST:PORT"},
        ChoiceCase{"InProcess", Kind::Platform, {}, "not a known form"},
        ChoiceCase{"sim", Kind::Platform, {}, "not a known form"}));

TEST(DeviceBusChoice, EachKindMakesItsBus) {
    const LoopbackAddress address{{127, 0, 0, 1}, 4100};
    const auto tcp = makeDeviceBus({Kind::Tcp, address, {}});
    ASSERT_TRUE(dynamic_cast<TcpDeviceBus*>(tcp.get()));
    EXPECT_EQ(dynamic_cast<TcpDeviceBus&>(*tcp).address(), address);
#ifdef _WIN32
    EXPECT_TRUE(dynamic_cast<WindowsDeviceBus*>(makeDeviceBus({}).get()));
#else
    EXPECT_TRUE(dynamic_cast<SimDeviceBus*>(makeDeviceBus({}).get()));
#endif

    // The in-process receiver is there to be found and opened at once.
    const auto inProcess = makeDeviceBus({Kind::InProcess, {}, {}});
    ASSERT_TRUE(dynamic_cast<devsim::InProcessBus*>(inProcess.get()));
    test::RecordingMessages messages;
    DeviceDiscovery discovery(*inProcess, messages);
    ASSERT_TRUE(discovery.findDevice(hardwareIdPattern));
    EXPECT_TRUE(inProcess->open(discovery.devicePath()));
}

void setVariable(const char* value) {
#ifdef _WIN32
    _putenv_s(DEVICE_VARIABLE, value);
#else
    setenv(DEVICE_VARIABLE, value, 1);
#endif
}

TEST(DeviceBusChoice, AValueNotUnderstoodIsNamedOnceAndTheProgramGoesOn) {
    setVariable("tcp:192.168.1.2:4100");
    ::testing::internal::CaptureStderr();
    const auto bus = makeDeviceBus(deviceBusChoiceFromEnvironment());
    const std::string said = ::testing::internal::GetCapturedStderr();
    setVariable("");
    EXPECT_TRUE(bus) << "the host's own bus";
    EXPECT_EQ(said, parseDeviceBusChoice("tcp:192.168.1.2:4100").problem + "\n");

    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(dynamic_cast<TcpDeviceBus*>(
        (setVariable("tcp:127.0.0.1:4100"), makeDeviceBus(deviceBusChoiceFromEnvironment()))
            .get()));
    setVariable("");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

} // namespace
} // namespace vantrel
