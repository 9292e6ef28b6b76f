#include "devsim/Receiver.h"
#include "tests/devsim/DevsimProcess.h"
#include "tests/devsim/RequestBlocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace vantrel::devsim {
namespace {

using namespace std::chrono_literals;
using test::memoryBlock;
using test::queryBlock;

class ReceiverFaultTest : public ::testing::Test {
protected:
    std::shared_ptr<Receiver> receiver = std::make_shared<Receiver>();
    std::unique_ptr<DeviceTransport> handle = receiver->open();
    ReplyBlock reply{};

    ControlResult query() { return handle->control(IOCTL_DEVICE_READ, queryBlock(), reply); }
    ControlResult read(std::uint16_t address, std::uint16_t length) {
        return handle->control(IOCTL_DEVICE_READ, memoryBlock(address, length), reply);
    }
    ControlResult write(std::uint16_t address, std::vector<std::uint8_t> data) {
        return handle->control(IOCTL_DEVICE_WRITE,
                               memoryBlock(address, static_cast<std::uint16_t>(data.size()), data),
                               reply);
    }
};

TEST_F(ReceiverFaultTest, ErrorFaultHitsOnlyItsScopeForItsCount) {
    receiver->inject({.kind = FaultKind::Error,
                      .count = 2,
                      .scope = RequestScope::Writes,
                      .error = ERROR_GEN_FAILURE});
    const MemoryImage before = receiver->memory();
    EXPECT_EQ(write(116, {9}).error, ERROR_GEN_FAILURE);
    EXPECT_TRUE(read(116, 1).succeeded) << "reads are out of the fault's scope";
    EXPECT_TRUE(query().succeeded);
    EXPECT_EQ(write(116, {9}).error, ERROR_GEN_FAILURE);
    EXPECT_EQ(receiver->memory(), before);
    EXPECT_TRUE(write(116, {9}).succeeded);
    EXPECT_EQ(receiver->memory()[116], 9);
    EXPECT_TRUE(receiver->status().pendingFaults.empty());
}

TEST_F(ReceiverFaultTest, ErrorFaultInAllScopeHitsQueries) {
    receiver->inject({.kind = FaultKind::Error, .error = ERROR_DEV_NOT_EXIST});
    EXPECT_EQ(query().error, ERROR_DEV_NOT_EXIST);
    EXPECT_TRUE(query().succeeded);
}

TEST_F(ReceiverFaultTest, ShortCountLeavesWriteUndoneAndReadOneShort) {
    receiver->inject({.kind = FaultKind::ShortCount, .count = 2});
    const ControlResult shortRead = read(52, 16);
    EXPECT_TRUE(shortRead.succeeded);
    EXPECT_EQ(shortRead.count, 15u);
    const ControlResult shortWrite = write(52, std::vector<std::uint8_t>(16, 1));
    EXPECT_TRUE(shortWrite.succeeded);
    EXPECT_EQ(shortWrite.count, 15u);
    EXPECT_EQ(receiver->memory()[52], 0x33) << "a short write is not carried out";
    EXPECT_EQ(read(52, 16).count, 16u);
}

TEST_F(ReceiverFaultTest, ReadBackMismatchChangesOnlyTheReplysLastButtonByte) {
    receiver->inject({.kind = FaultKind::ReadBackMismatch});
    ASSERT_TRUE(read(52, 16).succeeded);
    EXPECT_EQ(receiver->status().pendingFaults.size(), 1u) << "a read elsewhere leaves it waiting";

    ASSERT_TRUE(read(118, 14).succeeded);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(reply[i], i);
    }
    EXPECT_NE(reply[13], 13);
    EXPECT_EQ(receiver->memory()[131], 13);
    ASSERT_TRUE(read(118, 14).succeeded);
    EXPECT_EQ(reply[13], 13);
}

TEST_F(ReceiverFaultTest, VanishFailsTheRequestAndUnplugs) {
    int plugChanges = 0;
    receiver->onPlugChange([&] { ++plugChanges; });
    receiver->inject({.kind = FaultKind::Vanish, .scope = RequestScope::Writes});
    EXPECT_TRUE(read(52, 1).succeeded);
    EXPECT_EQ(write(52, {1}).error, ERROR_DEV_NOT_EXIST);
    EXPECT_FALSE(receiver->isPlugged());
    EXPECT_EQ(plugChanges, 1);
    EXPECT_EQ(receiver->memory()[52], 0x33);
    EXPECT_EQ(query().error, ERROR_DEV_NOT_EXIST);
}

TEST_F(ReceiverFaultTest, UnplugDuringSlowReplyEndsIt) {
    receiver->inject({.kind = FaultKind::Slow, .delay = 60s});
    auto pending = std::async(std::launch::async, [&] { return query(); });
    // The fault is used up once the request has started to wait.
    ASSERT_TRUE(test::eventually([&] { return receiver->status().pendingFaults.empty(); }));
    receiver->unplug();
    ASSERT_EQ(pending.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(pending.get().error, ERROR_DEV_NOT_EXIST);
}

TEST_F(ReceiverFaultTest, ClearWithdrawsEveryFault) {
    receiver->inject({.kind = FaultKind::Error, .error = 31});
    receiver->inject({.kind = FaultKind::Vanish});
    receiver->clearFaults();
    EXPECT_TRUE(query().succeeded);
    EXPECT_TRUE(receiver->isPlugged());
}

TEST_F(ReceiverFaultTest, NewFaultReplacesPendingOneOfItsKind) {
    receiver->inject({.kind = FaultKind::Error, .count = 5, .error = 31});
    receiver->inject({.kind = FaultKind::Error, .count = 1, .error = 4});
    EXPECT_EQ(query().error, 4u);
    EXPECT_TRUE(query().succeeded);
}

TEST_F(ReceiverFaultTest, HandleStaysDeadAfterReplug) {
    receiver->unplug();
    EXPECT_EQ(receiver->open(), nullptr);
    EXPECT_EQ(query().error, ERROR_DEV_NOT_EXIST);
    InputReport report{};
    EXPECT_FALSE(handle->readReport(report));

    receiver->plug();
    EXPECT_EQ(query().error, ERROR_DEV_NOT_EXIST) << "the old handle needs a new open";
    auto fresh = receiver->open();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->control(IOCTL_DEVICE_READ, queryBlock(), reply).succeeded);
}

TEST_F(ReceiverFaultTest, ClosedHandleFails) {
    handle->close();
    EXPECT_EQ(query().error, ERROR_INVALID_HANDLE);
    EXPECT_EQ(receiver->status().openHandles, 0);
}

class RecordingStore : public MemoryStore {
public:
    explicit RecordingStore(bool keeps) : keeps_(keeps) {}
    bool save(const MemoryImage& memory) override {
        saved.push_back(memory);
        return keeps_;
    }
    std::vector<MemoryImage> saved;

private:
    bool keeps_;
};

TEST_F(ReceiverFaultTest, EachWriteIsKeptBeforeItIsAnswered) {
    auto store = std::make_shared<RecordingStore>(true);
    receiver->persistTo(store);
    ASSERT_TRUE(write(117, {5}).succeeded);
    ASSERT_TRUE(read(117, 1).succeeded);
    ASSERT_EQ(store->saved.size(), 1u);
    EXPECT_EQ(store->saved[0], receiver->memory());
}

TEST_F(ReceiverFaultTest, WriteThatCannotBeKeptFailsAndChangesNothing) {
    receiver->persistTo(std::make_shared<RecordingStore>(false));
    const MemoryImage before = receiver->memory();
    EXPECT_EQ(write(117, {5}).error, ERROR_GEN_FAILURE);
    EXPECT_EQ(receiver->memory(), before);
}

TEST(ReceiverReportTest, ReportCarriesQualityInByte14) {
    auto receiver = std::make_shared<Receiver>(ReceiverSettings{.quality = Quality::fixed(77)});
    auto handle = receiver->open();
    InputReport report{};
    ASSERT_TRUE(handle->readReport(report));
    InputReport expected{};
    expected[REPORT_QUALITY_OFFSET] = 77;
    EXPECT_EQ(report, expected);
    receiver->setQuality(Quality::fixed(3));
    ASSERT_TRUE(handle->readReport(report));
    EXPECT_EQ(report[REPORT_QUALITY_OFFSET], 3);
}

TEST(ReceiverReportTest, ReceiverInOtherModeSendsNoReports) {
    auto receiver = std::make_shared<Receiver>(ReceiverSettings{.mode = MODE_NO_REPORTS});
    InputReport report{};
    EXPECT_FALSE(receiver->open()->readReport(report));
}

TEST(ReceiverReportTest, UnplugEndsBlockedReportRead) {
    auto receiver = std::make_shared<Receiver>(ReceiverSettings{.reportInterval = 60s});
    auto handle = receiver->open();
    auto pending = std::async(std::launch::async, [&] {
        InputReport report{};
        return handle->readReport(report);
    });
    std::this_thread::sleep_for(20ms);
    receiver->unplug();
    ASSERT_EQ(pending.wait_for(2s), std::future_status::ready);
    EXPECT_FALSE(pending.get());
}

struct WavePoint {
    std::chrono::milliseconds at;
    std::uint8_t byte;
};

class QualityWaveTest : public ::testing::TestWithParam<WavePoint> {};

TEST_P(QualityWaveTest, TriangleFrom128To255) {
    EXPECT_EQ(qualityByteAt(Quality::wave(), GetParam().at), GetParam().byte);
}

INSTANTIATE_TEST_SUITE_P(Points, QualityWaveTest,
                         ::testing::Values(WavePoint{0ms, 128}, WavePoint{1000ms, 191},
                                           WavePoint{2000ms, 255}, WavePoint{3000ms, 191},
                                           WavePoint{4000ms, 128}, WavePoint{6000ms, 255}));

// Two tool threads on their own handles while a third steers the receiver: every request is
// answered and counted once.
TEST(ReceiverThreadTest, ConcurrentHandlesAndSteering) {
    auto receiver = std::make_shared<Receiver>(ReceiverSettings{.reportInterval = 0ms});
    constexpr int rounds = 200;
    std::atomic<bool> running{true};
    std::thread steering([&] {
        for (int i = 0; running; ++i) {
            receiver->setQuality(Quality::fixed(static_cast<std::uint8_t>(i)));
            receiver->inject(
                {.kind = FaultKind::Error, .scope = RequestScope::Queries, .error = 31});
            receiver->status();
        }
    });
    auto work = [&](std::uint16_t address) {
        auto handle = receiver->open();
        ReplyBlock reply{};
        InputReport report{};
        for (int i = 0; i < rounds; ++i) {
            handle->control(IOCTL_DEVICE_WRITE,
                            memoryBlock(address, 1, {static_cast<std::uint8_t>(i)}), reply);
            handle->control(IOCTL_DEVICE_READ, memoryBlock(address, 1), reply);
            handle->control(IOCTL_DEVICE_READ, queryBlock(), reply);
            handle->readReport(report);
        }
    };
    std::thread first(work, 52);
    std::thread second(work, 53);
    first.join();
    second.join();
    running = false;
    steering.join();

    const ReceiverStatus status = receiver->status();
    EXPECT_EQ(status.counts.writes, 2u * rounds);
    EXPECT_EQ(status.counts.reads, 2u * rounds);
    EXPECT_EQ(status.counts.queries, 2u * rounds);
    EXPECT_EQ(status.counts.reports, 2u * rounds);
    EXPECT_EQ(receiver->memory()[52], rounds - 1);
    EXPECT_EQ(receiver->memory()[53], rounds - 1);
}

} // namespace
} // namespace vantrel::devsim
