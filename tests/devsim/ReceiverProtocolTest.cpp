#include "devsim/Receiver.h"
#include "devsim/TraceRecorder.h"
#include "tests/devsim/RequestBlocks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace vantrel::devsim {
namespace {

using test::memoryBlock;
using test::queryBlock;
using test::requestBlock;

class ReceiverTest : public ::testing::Test {
protected:
    std::shared_ptr<Receiver> receiver = std::make_shared<Receiver>();
    std::unique_ptr<DeviceTransport> handle = receiver->open();
    ReplyBlock reply{};

    ControlResult send(std::uint32_t code, const RequestBlock& block) {
        return handle->control(code, block, reply);
    }
};

TEST_F(ReceiverTest, FactoryContentSitsWhereTheToolLooks) {
    const MemoryImage memory = receiver->memory();
    const std::vector<std::uint8_t> keys(memory.begin() + 52, memory.begin() + 84);
    EXPECT_EQ(keys, (std::vector<std::uint8_t>{0x33, 0x32, 0xA0, 0x20, 0x41, 0x46, 0x54, 0x45,
                                               0x41, 0x44, 0x57, 0x53, 0x52, 0x52, 0x34, 0x31,
                                               0x48, 0x4B, 0x4F, 0x43, 0x42, 0x41, 0x4E, 0x52,
                                               0x52, 0x47, 0x5A, 0x43, 0x4C, 0x58, 0x51, 0x46}));
    EXPECT_TRUE(
        std::all_of(memory.begin() + 84, memory.begin() + 116, [](auto b) { return b == 0; }));
    EXPECT_EQ(memory[116], 3);
    EXPECT_EQ(memory[117], 20);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(memory[118 + i], i);
    }
}

TEST_F(ReceiverTest, ModeQueryAnswersTheModeItWasGiven) {
    EXPECT_TRUE(send(IOCTL_DEVICE_READ, queryBlock()).succeeded);
    EXPECT_EQ(reply[0], MODE_REPORTS);
    receiver->setMode(MODE_NO_REPORTS);
    EXPECT_TRUE(send(IOCTL_DEVICE_READ, queryBlock()).succeeded);
    EXPECT_EQ(reply[0], MODE_NO_REPORTS);
}

TEST_F(ReceiverTest, ReadReturnsTheMemoryFromTheAddressOn) {
    const ControlResult result = send(IOCTL_DEVICE_READ, memoryBlock(118, 14));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.count, 14u);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(reply[i], i);
    }
    EXPECT_EQ(reply[14], 0) << "nothing beyond the length";
}

TEST_F(ReceiverTest, WriteChangesOnlyItsBytesAndReadsBack) {
    MemoryImage expected = receiver->memory();
    const ControlResult written = send(IOCTL_DEVICE_WRITE, memoryBlock(116, 2, {7, 9, 0xEE, 0xEE}));
    EXPECT_TRUE(written.succeeded);
    EXPECT_EQ(written.count, 2u);
    expected[116] = 7;
    expected[117] = 9;
    EXPECT_EQ(receiver->memory(), expected);

    send(IOCTL_DEVICE_READ, memoryBlock(115, 3));
    EXPECT_EQ(reply[0], expected[115]);
    EXPECT_EQ(reply[1], 7);
    EXPECT_EQ(reply[2], 9);
}

struct Rejection {
    const char* name;
    std::uint32_t code;
    RequestBlock block;
    std::uint32_t error;
};

class ReceiverRejectionTest : public ReceiverTest,
                              public ::testing::WithParamInterface<Rejection> {};

TEST_P(ReceiverRejectionTest, RefusesWithoutTouchingMemory) {
    const MemoryImage before = receiver->memory();
    const ControlResult result = send(GetParam().code, GetParam().block);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.error, GetParam().error);
    EXPECT_EQ(result.count, 0u);
    EXPECT_EQ(receiver->memory(), before);
    EXPECT_EQ(receiver->status().counts.rejected, 1u);
}

const std::vector<std::uint8_t> sixteen(16, 0x5A);

INSTANTIATE_TEST_SUITE_P(
    Requests, ReceiverRejectionTest,
    ::testing::Values(
        Rejection{"WriteOver16", IOCTL_DEVICE_WRITE, memoryBlock(52, 17, sixteen), 87},
        Rejection{"WriteEmpty", IOCTL_DEVICE_WRITE, memoryBlock(52, 0), 87},
        Rejection{"WriteBeyondMemory", IOCTL_DEVICE_WRITE, memoryBlock(250, 7, sixteen), 87},
        Rejection{"WriteAtTopAddress", IOCTL_DEVICE_WRITE, memoryBlock(0xFFFF, 1, sixteen), 87},
        Rejection{"ReadOver512", IOCTL_DEVICE_READ, memoryBlock(0, 513), 87},
        Rejection{"ReadBeyondMemory", IOCTL_DEVICE_READ, memoryBlock(255, 2), 87},
        Rejection{"ReadEmpty", IOCTL_DEVICE_READ, memoryBlock(52, 0), 87},
        Rejection{"UnknownControlCode", 0x00226004, memoryBlock(52, 1, sixteen), 1},
        Rejection{"UnknownCommand", IOCTL_DEVICE_WRITE, requestBlock(0x03EF, 52, 1, sixteen), 1},
        Rejection{"QueryUnderWriteCode", IOCTL_DEVICE_WRITE, queryBlock(), 1}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReceiverTest, WholeMemoryReadsAtOnce) {
    const ControlResult result = send(IOCTL_DEVICE_READ, memoryBlock(0, MEMORY_SIZE));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.count, MEMORY_SIZE);
    EXPECT_TRUE(std::equal(reply.begin(), reply.begin() + MEMORY_SIZE, receiver->memory().begin()));
}

TEST_F(ReceiverTest, TraceHasOneLinePerRequestThatReachesIt) {
    auto trace = std::make_shared<TraceRecorder>();
    receiver->traceTo(trace);
    send(IOCTL_DEVICE_READ, queryBlock());
    send(IOCTL_DEVICE_READ, memoryBlock(52, 16));
    send(IOCTL_DEVICE_WRITE, memoryBlock(117, 1, {0x14, 0xAB}));
    send(IOCTL_DEVICE_WRITE, memoryBlock(118, 3, {0x0A, 0xB0, 0xFF}));
    send(IOCTL_DEVICE_WRITE, queryBlock());
    InputReport report{};
    handle->readReport(report);
    receiver->unplug();
    send(IOCTL_DEVICE_READ, queryBlock());

    EXPECT_EQ(trace->lines(),
              (std::vector<std::string>{"query", "read 52 16", "write 117 1 14",
                                        "write 118 3 0ab0ff", "unknown 0022a004 03ba"}));
}

TEST_F(ReceiverTest, ReportReadsAreTracedOnlyWhenAskedFor) {
    auto trace = std::make_shared<TraceRecorder>();
    receiver->traceTo(trace, ReportTrace::On);
    InputReport report{};
    ASSERT_TRUE(handle->readReport(report));
    send(IOCTL_DEVICE_READ, queryBlock());
    EXPECT_EQ(trace->lines(), (std::vector<std::string>{"report", "query"}));
}

TEST_F(ReceiverTest, StatusCountsRequestsAndHandles) {
    auto second = receiver->open();
    send(IOCTL_DEVICE_READ, queryBlock());
    send(IOCTL_DEVICE_READ, memoryBlock(52, 16));
    send(IOCTL_DEVICE_WRITE, memoryBlock(116, 1, {1}));
    send(IOCTL_DEVICE_WRITE, memoryBlock(116, 17));
    second->close();

    const ReceiverStatus status = receiver->status();
    EXPECT_TRUE(status.plugged);
    EXPECT_EQ(status.openHandles, 1);
    EXPECT_EQ(status.counts.queries, 1u);
    EXPECT_EQ(status.counts.reads, 1u);
    EXPECT_EQ(status.counts.writes, 2u);
    EXPECT_EQ(status.counts.rejected, 1u);
}

} // namespace
} // namespace vantrel::devsim
