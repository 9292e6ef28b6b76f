#include "device/DeviceDiscovery.h"
#include "device/DeviceMonitor.h"
#include "device/MonitorState.h"
#include "devsim/InProcessBus.h"
#include "devsim/TraceRecorder.h"
#include "pcsetup/KeyMap.h"
#include "tests/e2e/ModelPages.h"
#include "tests/support/Eventually.h"
#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::eventually;

TEST(InProcessConnection, ReadsTheWholeImageInItsOrderAndNothingElse) {
    auto receiver = std::make_shared<devsim::Receiver>();
    auto trace = std::make_shared<devsim::TraceRecorder>();
    receiver->traceTo(trace);
    devsim::InProcessBus bus;
    bus.add(devsim::receiverDevice(receiver, "1"));

    test::RecordingMessages messages;
    MonitorState state;
    DeviceLink link(messages);
    DeviceDiscovery discovery(bus, messages);
    test::ModelPages pages(link);
    {
        DeviceMonitor monitor(state, link, discovery, pages, messages);
        monitor.start();
        ASSERT_TRUE(eventually([&] { return state.deviceConnected == 1; }));
        stopMonitor(state);
    }
    const std::vector<std::string> expected = {"query",      "read 52 16",  "read 68 16",
                                               "read 84 16", "read 100 16", "read 118 14",
                                               "read 116 1", "read 117 1"};
    EXPECT_EQ(trace->lines(), expected);
    EXPECT_EQ(pages.currentKeyMap(), DEFAULT_KEY_MAP) << "the factory key map came over";
    EXPECT_TRUE(messages.shown().empty());
}

} // namespace
} // namespace vantrel
