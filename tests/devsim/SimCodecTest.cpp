#include "device/sim/SimDeviceDescriptor.h"
#include "device/sim/SimFrame.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

std::span<const std::uint8_t> bodyOf(const std::vector<std::uint8_t>& frame) {
    return std::span(frame).subspan(FRAME_HEADER_SIZE);
}

TEST(SimFrameTest, ControlRequestRoundTrips) {
    RequestBlock block{};
    block[0] = 0xEE;
    block[511] = 0x42;
    const auto frame = encodeControlRequest(IOCTL_DEVICE_WRITE, block);
    const auto header = decodeFrameHeader(std::span(frame).first(FRAME_HEADER_SIZE));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->kind, FrameKind::ControlRequest);
    EXPECT_EQ(header->bodySize, CONTROL_REQUEST_SIZE);
    const auto decoded = decodeControlRequest(bodyOf(frame));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->code, IOCTL_DEVICE_WRITE);
    EXPECT_EQ(decoded->block, block);
}

TEST(SimFrameTest, ControlReplyRoundTrips) {
    ReplyBlock sent{};
    sent[13] = 0x0D;
    const auto frame = encodeControlReply({.succeeded = false, .count = 7, .error = 1460}, sent);
    ReplyBlock received{};
    const auto result = decodeControlReply(bodyOf(frame), received);
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->succeeded);
    EXPECT_EQ(result->count, 7u);
    EXPECT_EQ(result->error, 1460u);
    EXPECT_EQ(received, sent);
}

TEST(SimFrameTest, ReportReplyAndHelloRoundTrip) {
    InputReport report{};
    report[14] = 200;
    const auto decoded = decodeReportReply(bodyOf(encodeReportReply(true, report)));
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->succeeded);
    EXPECT_EQ(decoded->report, report);
    EXPECT_EQ(decodeHello(bodyOf(encodeHello(OpenOutcome::DeviceAbsent))),
              OpenOutcome::DeviceAbsent);
}

struct BadHeader {
    const char* name;
    std::vector<std::uint8_t> bytes;
};

class SimFrameHeaderTest : public ::testing::TestWithParam<BadHeader> {};

TEST_P(SimFrameHeaderTest, IsRefused) {
    EXPECT_FALSE(decodeFrameHeader(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Headers, SimFrameHeaderTest,
                         ::testing::Values(BadHeader{"UnknownKind", {9, 0, 0, 0}},
                                           BadHeader{"KindZero", {0, 0, 0, 0}},
                                           BadHeader{"ReservedSet", {4, 1, 0, 0}},
                                           BadHeader{"LengthNotOfItsKind", {2, 0, 0x05, 0x02}},
                                           BadHeader{"HugeLength", {3, 0, 0xFF, 0xFF}},
                                           BadHeader{"Short", {4, 0, 0}}),
                         [](const auto& info) { return info.param.name; });

TEST(SimFrameTest, BodiesOfWrongSizeOrValueAreRefused) {
    ReplyBlock reply{};
    EXPECT_FALSE(decodeControlRequest(std::vector<std::uint8_t>(CONTROL_REQUEST_SIZE - 1)));
    EXPECT_FALSE(decodeControlReply(std::vector<std::uint8_t>(CONTROL_REPLY_SIZE + 1), reply));
    auto badFlag = encodeControlReply({}, reply);
    badFlag[FRAME_HEADER_SIZE + REPLY_SUCCEEDED_OFFSET] = 2;
    EXPECT_FALSE(decodeControlReply(bodyOf(badFlag), reply));
    auto hugeCount = encodeControlReply({.succeeded = true, .count = 513, .error = 0}, reply);
    EXPECT_FALSE(decodeControlReply(bodyOf(hugeCount), reply));
    EXPECT_FALSE(decodeHello(std::vector<std::uint8_t>{7}));
    EXPECT_FALSE(decodeReportReply(std::vector<std::uint8_t>(REPORT_REPLY_SIZE - 1)));
}

const SimDeviceDescriptor receiverDescriptor{
    "\\\\?\\usb#vid_7b4d&pid_0018#vantrel#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", "vantrel.data",
    std::vector<std::string>{"USB\\VID_7B4D&PID_0018&REV_0104", "USB\\VID_7B4D&PID_0018"}};

TEST(SimFrameTest, DeviceStateCarriesThePublishedDeviceOrItsAbsence) {
    const auto present = encodeDeviceState({receiverDescriptor});
    const auto header = decodeFrameHeader(std::span(present).first(FRAME_HEADER_SIZE));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->kind, FrameKind::DeviceState);
    const auto decoded = decodeDeviceState(bodyOf(present));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->device, receiverDescriptor);
    const auto absent = decodeDeviceState(bodyOf(encodeDeviceState({})));
    ASSERT_TRUE(absent);
    EXPECT_FALSE(absent->device);

    auto absentWithText = present;
    absentWithText[FRAME_HEADER_SIZE + STATE_PRESENT_OFFSET] = 0;
    auto cutShort = present;
    --cutShort[FRAME_HEADER_SIZE + STATE_LENGTH_OFFSET];
    auto tooLong = present;
    writeLe16(&tooLong[FRAME_HEADER_SIZE + STATE_LENGTH_OFFSET], MAX_DESCRIPTOR_SIZE + 1);
    for (const auto* bad : {&absentWithText, &cutShort, &tooLong}) {
        EXPECT_FALSE(decodeDeviceState(bodyOf(*bad)));
    }
    EXPECT_FALSE(decodeDeviceState(std::vector<std::uint8_t>(DEVICE_STATE_SIZE - 1)));
}

TEST(SimDeviceDescriptorTest, RoundTripsWithAndWithoutList) {
    EXPECT_EQ(decodeDescriptor(encodeDescriptor(receiverDescriptor)), receiverDescriptor);
    SimDeviceDescriptor noList = receiverDescriptor;
    noList.hardwareIds.reset();
    const auto decoded = decodeDescriptor(encodeDescriptor(noList));
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->hardwareIds);
}

class SimDeviceDescriptorRefuseTest : public ::testing::TestWithParam<std::string> {};

TEST_P(SimDeviceDescriptorRefuseTest, IsRefused) {
    EXPECT_FALSE(decodeDescriptor(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SimDeviceDescriptorRefuseTest,
    ::testing::Values("", "vantrel-devsim-device 1\n",
                      "vantrel-devsim-device 2\npath p\ndata d\nhardware-ids none\n",
                      "vantrel-devsim-device 1\npath p\ndata d\nhardware-ids none",
                      "vantrel-devsim-device 1\npath p\ndata ../d\nhardware-ids none\n",
                      "vantrel-devsim-device 1\npath p\ndata d\nhardware-ids none\nhardware-id x\n",
                      "vantrel-devsim-device 1\npath p\npath q\ndata d\n",
                      "vantrel-devsim-device 1\npath p\ndata d\ncolour red\n",
                      "vantrel-devsim-device 1\npath p\xC3\xA9\ndata d\n",
                      "vantrel-devsim-device 1\ndata d\n",
                      "vantrel-devsim-device 1\npath p\ndata d\n" + std::string(5000, 'x') + "\n"));

} // namespace
} // namespace vantrel
