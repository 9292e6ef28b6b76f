#include "window/QueuedUiCrossing.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

namespace vantrel {
namespace {

// A host whose wake only records that the user-interface thread (the test's own) was asked.
class RecordingCrossing : public QueuedUiCrossing {
public:
    bool reachable = true;

    void awaitWake() {
        std::unique_lock lock(mutex_);
        woken_.wait(lock, [this] { return wakes_ > 0; });
    }

    int wakes() {
        std::lock_guard lock(mutex_);
        return wakes_;
    }

private:
    bool wake() override {
        {
            std::lock_guard lock(mutex_);
            ++wakes_;
        }
        woken_.notify_all();
        return reachable;
    }

    std::mutex mutex_;
    std::condition_variable woken_;
    int wakes_ = 0;
};

// The work of a monitor thread: where it ran, and what run answered.
struct MonitorCall {
    std::thread::id ranOn;
    std::future<bool> answer;

    explicit MonitorCall(RecordingCrossing& crossing) {
        answer = std::async(std::launch::async, [this, &crossing] {
            return crossing.run([this] { ranOn = std::this_thread::get_id(); });
        });
    }
};

TEST(QueuedUiCrossing, MonitorWorkRunsOnTheUserInterfaceThreadWhileTheCallerWaits) {
    RecordingCrossing crossing;
    MonitorCall call(crossing);
    crossing.awaitWake();
    EXPECT_EQ(call.answer.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout)
        << "the caller went on before its work ran";
    crossing.runWaitingWork();
    EXPECT_TRUE(call.answer.get());
    EXPECT_EQ(call.ranOn, std::this_thread::get_id());
}

TEST(QueuedUiCrossing, WorkOnTheUserInterfaceThreadRunsAtOnceAndNothingRunsOnceClosed) {
    RecordingCrossing crossing;
    int runs = 0;
    EXPECT_TRUE(crossing.run([&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(crossing.wakes(), 0);

    crossing.close();
    EXPECT_FALSE(crossing.run([&] { ++runs; }));
    MonitorCall late(crossing);
    EXPECT_FALSE(late.answer.get());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(crossing.wakes(), 0);
}

TEST(QueuedUiCrossing, ClosingReleasesAWaitingCallerWithoutRunningItsWork) {
    RecordingCrossing crossing;
    MonitorCall call(crossing);
    crossing.awaitWake();
    crossing.close();
    EXPECT_FALSE(call.answer.get());
    // The wake's message arrives after the end: the caller has gone, and nothing of it runs.
    crossing.runWaitingWork();
    EXPECT_EQ(call.ranOn, std::thread::id());
}

TEST(QueuedUiCrossing, AnUnreachableUserInterfaceThreadFailsTheCallAndForgetsItsWork) {
    RecordingCrossing crossing;
    crossing.reachable = false;
    MonitorCall call(crossing);
    EXPECT_FALSE(call.answer.get());
    crossing.runWaitingWork();
    EXPECT_EQ(call.ranOn, std::thread::id());
}

} // namespace
} // namespace vantrel
