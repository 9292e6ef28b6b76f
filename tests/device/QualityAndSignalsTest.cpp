#include "device/MonitorState.h"
#include "device/Quality.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(Quality, EveryRowOfTheTable) {
    struct Row {
        std::uint8_t byte;
        std::int32_t quality;
        const char* text;
    };
    const Row rows[] = {
        {0, -50, "-50"}, {10, -34, "-34"}, {31, -1, "-01"},  {32, 0, "000"},    {33, 0, "000"},
        {50, 15, "015"}, {100, 57, "057"}, {127, 80, "080"}, {128, -50, "-50"}, {150, -9, "-09"},
        {155, 0, "000"}, {160, 5, "005"},  {200, 45, "045"}, {255, 101, "101"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(qualityFromReport(row.byte), row.quality) << int(row.byte);
        EXPECT_EQ(qualityText(qualityFromReport(row.byte)), row.text) << int(row.byte);
    }
    EXPECT_EQ(qualityText(-5), "-05");
    EXPECT_EQ(qualityText(7), "007");
}

TEST(AutoResetEvent, OneWaitTakesTheSignal) {
    AutoResetEvent event;
    EXPECT_FALSE(event.wait(std::chrono::milliseconds(0))) << "not set when made";
    event.set();
    event.set();
    EXPECT_TRUE(event.wait(std::chrono::milliseconds(0)));
    EXPECT_FALSE(event.wait(std::chrono::milliseconds(1))) << "the wait reset it";
    event.set();
    event.reset();
    EXPECT_FALSE(event.wait(std::chrono::milliseconds(0)));
}

TEST(MonitorSignals, ArrivalClearsTheWakeThatARemovalLeftBehind) {
    MonitorState state;
    signalRemoval(state);
    EXPECT_EQ(state.samplingEnabled, 0);
    signalArrival(state);
    EXPECT_EQ(state.samplingEnabled, 1);
    EXPECT_FALSE(state.wakeEvent.wait(std::chrono::milliseconds(0)));
    EXPECT_TRUE(state.reconnectEvent.wait(std::chrono::milliseconds(0)));
}

TEST(MonitorSignals, StopWithoutAMonitorWaitsBrieflyAndGoesOn) {
    MonitorState state;
    stopMonitor(state);
    EXPECT_EQ(state.stopRequested, 1);
    EXPECT_TRUE(state.wakeEvent.wait(std::chrono::milliseconds(0)));
}

} // namespace
} // namespace vantrel
