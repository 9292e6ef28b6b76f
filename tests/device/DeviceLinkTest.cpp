#include "device/DeviceLink.h"
#include "tests/support/Eventually.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedTransport.h"

#include <gtest/gtest.h>

#include <future>
#include <numeric>
#include <thread>

namespace vantrel {
namespace {

using test::failure;
using test::RecordingMessages;
using test::replyWith;
using test::ScriptedDevice;
using test::ScriptedReply;
using test::shortCount;

class DeviceLinkTest : public ::testing::Test {
protected:
    void SetUp() override { link.attach(device->open()); }

    std::vector<std::pair<std::uint16_t, std::uint16_t>> addressesAndLengths() const {
        std::vector<std::pair<std::uint16_t, std::uint16_t>> requests;
        for (const auto& request : device->sent()) {
            requests.emplace_back(request.address(), request.length());
        }
        return requests;
    }

    RecordingMessages messages;
    std::shared_ptr<ScriptedDevice> device = std::make_shared<ScriptedDevice>();
    DeviceLink link{messages};
};

TEST_F(DeviceLinkTest, FreshModeQueryBlock) {
    std::int32_t mode = 7;
    device->script(replyWith({MODE_REPORTS}));
    ASSERT_EQ(link.queryMode(mode), 0u);

    const auto sent = device->sent();
    ASSERT_EQ(sent.size(), 1u);
    const auto& request = sent[0];
    EXPECT_EQ(request.code, IOCTL_DEVICE_READ);
    RequestBlock expected{};
    expected[0] = 0xBA;
    expected[1] = 0x03;
    expected[4] = 0x01;
    EXPECT_EQ(request.block, expected);
}

TEST_F(DeviceLinkTest, ModeQueryAnswers) {
    struct Case {
        ScriptedReply reply;
        std::uint32_t status;
        std::int32_t mode; // starts at 7: 7 means left unchanged
    };
    const Case cases[] = {
        {replyWith({0xAA}), 0, 1},
        {replyWith({0xBB}), 0, 0},
        {replyWith({0x00}), 1, 7},
        {failure(ERROR_ACCESS_DENIED), ERROR_ACCESS_DENIED, 7},
        {failure(ERROR_DEV_NOT_EXIST), ERROR_DEV_NOT_EXIST, 7},
    };
    for (const Case& c : cases) {
        auto fresh = std::make_shared<ScriptedDevice>();
        fresh->script(c.reply);
        link.attach(fresh->open());
        std::int32_t mode = 7;
        EXPECT_EQ(link.queryMode(mode), c.status);
        EXPECT_EQ(mode, c.mode);
        EXPECT_EQ(fresh->sent().size(), 1u);
    }
}

TEST_F(DeviceLinkTest, ModeQueryRepeatsOtherFailuresAndTakesErrorZeroAsAnswer) {
    device->script(failure(ERROR_GEN_FAILURE), 2);
    device->script({.succeeded = false, .error = 0, .count = 0, .bytes = {0xBB}});
    std::int32_t mode = 1;
    EXPECT_EQ(link.queryMode(mode), 0u);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(device->sent().size(), 3u);
}

TEST_F(DeviceLinkTest, ReadCarriesDataLeftFromTheLatestWrite) {
    std::array<std::uint8_t, 16> pattern{};
    std::iota(pattern.begin(), pattern.end(), std::uint8_t{0xC0});
    ASSERT_EQ(link.writeBytes(KEY_MAP_ADDRESS, pattern), 0u);
    const std::array<std::uint8_t, 1> speed{20};
    ASSERT_EQ(link.writeBytes(FIRING_SPEED_ADDRESS, speed), 0u);
    std::array<std::uint8_t, 1> sensitivity{};
    ASSERT_EQ(link.readBytes(SENSITIVITY_ADDRESS, sensitivity), 0u);

    const auto sent = device->sent();
    ASSERT_EQ(sent.size(), 3u);
    const RequestBlock& read = sent[2].block;
    EXPECT_EQ(sent[2].code, IOCTL_DEVICE_READ);
    const std::array<std::uint8_t, 7> head{0xEE, 0x03, 0x74, 0x00, 0x01, 0x00, 0x14};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), read.begin()));
    EXPECT_TRUE(std::equal(pattern.begin() + 1, pattern.end(), read.begin() + 7));
    EXPECT_TRUE(std::all_of(read.begin() + 22, read.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(sent[1].code, IOCTL_DEVICE_WRITE);
}

TEST_F(DeviceLinkTest, WriteLengthLimit) {
    const std::vector<std::uint8_t> seventeen(17, 1);
    EXPECT_EQ(link.writeBytes(KEY_MAP_ADDRESS, seventeen), 2u);
    EXPECT_TRUE(device->sent().empty());

    const std::vector<std::uint8_t> sixteen(16, 1);
    EXPECT_EQ(link.writeBytes(KEY_MAP_ADDRESS, sixteen), 0u);
    ASSERT_EQ(device->sent().size(), 1u);
    EXPECT_EQ(device->sent()[0].length(), 16);
}

TEST_F(DeviceLinkTest, WriteRepetitionRules) {
    struct Case {
        const char* name;
        std::vector<ScriptedReply> script;
        std::uint32_t status;
        std::size_t sends;
    };
    const std::vector<Case> cases = {
        {"other code repeats", {failure(ERROR_GEN_FAILURE)}, 0, 2},
        {"ending code 55 ends", {failure(ERROR_DEV_NOT_EXIST)}, ERROR_DEV_NOT_EXIST, 1},
        {"ending code 1 ends", {failure(ERROR_INVALID_FUNCTION)}, ERROR_INVALID_FUNCTION, 1},
        {"ending code 6 ends", {failure(ERROR_INVALID_HANDLE)}, ERROR_INVALID_HANDLE, 1},
        {"code 7 repeats", {failure(7)}, 0, 2},
        {"error 0 is success",
         {{.succeeded = false, .error = 0, .count = std::nullopt, .bytes = {}}},
         0,
         1},
        {"short count repeats", {shortCount(0), shortCount(2)}, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto fresh = std::make_shared<ScriptedDevice>();
        for (const auto& reply : c.script) {
            fresh->script(reply);
        }
        link.attach(fresh->open());
        const std::array<std::uint8_t, 3> bytes{1, 2, 3};
        EXPECT_EQ(link.writeBytes(SENSITIVITY_ADDRESS, bytes), c.status);
        const auto sent = fresh->sent();
        ASSERT_EQ(sent.size(), c.sends);
        for (const auto& request : sent) {
            EXPECT_EQ(request.block, sent.front().block) << "a repetition resends the same block";
        }
    }
}

TEST_F(DeviceLinkTest, ReadRepeatsUntilTheFullCountArrives) {
    device->script(shortCount(15));
    device->script(failure(ERROR_DEV_NOT_EXIST)); // reads repeat whatever the code
    device->script(replyWith({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    std::array<std::uint8_t, 16> block{};
    EXPECT_EQ(link.readBytes(KEY_MAP_ADDRESS, block), 0u);
    EXPECT_EQ(device->sent().size(), 3u);
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[15], 16);
}

TEST_F(DeviceLinkTest, ReadTakesAFailureWithErrorZeroAsAnAnswer) {
    device->script({.succeeded = false, .error = 0, .count = std::nullopt, .bytes = {7, 8}});
    std::array<std::uint8_t, 2> bytes{};
    EXPECT_EQ(link.readBytes(SENSITIVITY_ADDRESS, bytes), 0u);
    EXPECT_EQ(device->sent().size(), 1u);
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 2>{7, 8}));
}

TEST_F(DeviceLinkTest, ReadLengthLimit) {
    const std::pair<std::size_t, std::uint32_t> cases[] = {{512, 0}, {513, 2}};
    for (const auto& [length, status] : cases) {
        SCOPED_TRACE(length);
        auto fresh = std::make_shared<ScriptedDevice>();
        link.attach(fresh->open());
        std::vector<std::uint8_t> destination(length);
        EXPECT_EQ(link.readBytes(KEY_MAP_ADDRESS, destination), status);
        EXPECT_EQ(fresh->sent().size(), status == 0 ? 1u : 0u) << "an over-long read sends nothing";
    }
}

TEST_F(DeviceLinkTest, ACancelEndsTheRequestUnderWayAndRefusesTheRest) {
    DeviceLink patient(messages, {.maxSends = 1 << 30, .maxDuration = std::chrono::minutes(10)});
    patient.attach(device->open());
    device->wedge();
    auto read = std::async(std::launch::async, [&] {
        KeyMapBytes keyMap{};
        return patient.RdEELong(keyMap);
    });
    ASSERT_TRUE(test::eventually([&] { return !device->sent().empty(); }));
    patient.cancel();
    ASSERT_EQ(read.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_NE(read.get(), 0u);
    EXPECT_TRUE(device->cancelled());
    EXPECT_EQ(device->sent().size(), 1u) << "no repetition after the cancel";

    // Later operations, on a handle attached since as well, end without a send.
    auto later = std::make_shared<ScriptedDevice>();
    patient.attach(later->open());
    std::int32_t mode = 0;
    EXPECT_NE(patient.queryMode(mode), 0u);
    std::array<std::uint8_t, 1> byte{};
    EXPECT_NE(patient.readBytes(SENSITIVITY_ADDRESS, byte), 0u);
    InputReport report{};
    EXPECT_FALSE(patient.readReport(report));
    EXPECT_TRUE(later->sent().empty());
    EXPECT_EQ(later->reportReads(), 0);
}

TEST_F(DeviceLinkTest, EveryOperationGivesUpOnAVanishedDevice) {
    device->setFallback(failure(ERROR_GEN_FAILURE));
    std::int32_t mode = 1;
    std::array<std::uint8_t, 1> byte{};
    KeyMapBytes keyMap{};
    ButtonMapBytes buttons{};
    const RetryBound bound;

    const auto sendsOf = [&](auto&& operation) {
        const std::size_t before = device->sent().size();
        EXPECT_NE(operation(), 0u);
        return device->sent().size() - before;
    };
    EXPECT_EQ(sendsOf([&] { return link.queryMode(mode); }), std::size_t(bound.maxSends));
    EXPECT_EQ(sendsOf([&] { return link.readBytes(SENSITIVITY_ADDRESS, byte); }),
              std::size_t(bound.maxSends));
    EXPECT_EQ(sendsOf([&] { return link.writeBytes(SENSITIVITY_ADDRESS, byte); }),
              std::size_t(bound.maxSends));
    EXPECT_EQ(sendsOf([&] { return link.RdEELong(keyMap); }), std::size_t(bound.maxSends));
    EXPECT_EQ(mode, 1);
    EXPECT_TRUE(messages.shown().empty()) << "these operations show nothing";

    EXPECT_EQ(link.readButtonMap(buttons), 1u);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(commErrorMessage)});
    messages.clear();
    EXPECT_EQ(link.WrEELong(keyMap), 1u);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(writeKeyMapFailedMessage)});
}

TEST_F(DeviceLinkTest, RepetitionsAreAlsoBoundedByTime) {
    DeviceLink patient(messages,
                       {.maxSends = 1 << 30, .maxDuration = std::chrono::milliseconds(30)});
    device->setFallback(shortCount(0));
    patient.attach(device->open());
    std::array<std::uint8_t, 4> bytes{};
    EXPECT_EQ(patient.readBytes(KEY_MAP_ADDRESS, bytes), LINK_GAVE_UP);
    EXPECT_EQ(patient.writeBytes(KEY_MAP_ADDRESS, bytes), LINK_GAVE_UP);
}

TEST_F(DeviceLinkTest, NoDeviceEndsAtOnce) {
    link.close();
    EXPECT_TRUE(device->closed());
    EXPECT_FALSE(link.isOpen());
    std::int32_t mode = 0;
    const std::array<std::uint8_t, 1> byte{};
    EXPECT_EQ(link.queryMode(mode), ERROR_INVALID_HANDLE);
    EXPECT_EQ(link.writeBytes(SENSITIVITY_ADDRESS, byte), ERROR_INVALID_HANDLE);
    InputReport report{};
    EXPECT_FALSE(link.readReport(report));
}

TEST_F(DeviceLinkTest, KeyMapMovesAsFourBlocksInAddressOrder) {
    KeyMapBytes written{};
    std::iota(written.begin(), written.end(), std::uint8_t{0});
    ASSERT_EQ(link.WrEELong(written), 0u);
    for (std::uint8_t block = 0; block < 4; ++block) {
        std::vector<std::uint8_t> bytes(16);
        std::iota(bytes.begin(), bytes.end(), std::uint8_t(100 + block * 16));
        device->script(replyWith(bytes));
    }
    KeyMapBytes read{};
    ASSERT_EQ(link.RdEELong(read), 0u);

    using Request = std::pair<std::uint16_t, std::uint16_t>;
    const std::vector<Request> blocks = {{52, 16}, {68, 16}, {84, 16}, {100, 16}};
    std::vector<Request> expected = blocks;
    expected.insert(expected.end(), blocks.begin(), blocks.end());
    EXPECT_EQ(addressesAndLengths(), expected);

    const auto sent = device->sent();
    for (std::size_t block = 0; block < 4; ++block) {
        EXPECT_EQ(sent[block].code, IOCTL_DEVICE_WRITE);
        EXPECT_TRUE(std::equal(written.begin() + block * 16, written.begin() + block * 16 + 16,
                               sent[block].block.begin() + DATA_OFFSET));
        EXPECT_EQ(sent[4 + block].code, IOCTL_DEVICE_READ);
    }
    EXPECT_EQ(read[0], 100);
    EXPECT_EQ(read[63], 163);
}

TEST_F(DeviceLinkTest, KeyMapWriteStopsAtAnEndingCodeOnTheThirdBlock) {
    device->script(replyWith({}), 2);
    device->script(failure(ERROR_DEV_NOT_EXIST));
    const KeyMapBytes keyMap{};
    EXPECT_EQ(link.WrEELong(keyMap), 1u);
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> expected = {
        {52, 16}, {68, 16}, {84, 16}};
    EXPECT_EQ(addressesAndLengths(), expected);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(writeKeyMapFailedMessage)});
}

TEST_F(DeviceLinkTest, ButtonMapWriteComparesTheReadBack) {
    ButtonMapBytes map{};
    std::iota(map.begin(), map.end(), std::uint8_t{0});
    std::vector<std::uint8_t> differing(map.begin(), map.end());
    differing[13] = 0;
    device->script(replyWith({}));
    device->script(replyWith(differing));

    EXPECT_EQ(link.writeButtonMap(map), 2u);
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> expected = {{118, 14}, {118, 14}};
    EXPECT_EQ(addressesAndLengths(), expected);
    EXPECT_EQ(device->sent()[0].code, IOCTL_DEVICE_WRITE);
    EXPECT_EQ(device->sent()[1].code, IOCTL_DEVICE_READ);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(commErrorMessage)});

    messages.clear();
    device->script(replyWith({}));
    device->script(replyWith({map.begin(), map.end()}));
    EXPECT_EQ(link.writeButtonMap(map), 0u);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(DeviceLinkTest, ButtonMapWriteEndingCodeStopsBeforeTheReadBack) {
    device->script(failure(ERROR_ACCESS_DENIED));
    const ButtonMapBytes map{};
    EXPECT_EQ(link.writeButtonMap(map), ERROR_ACCESS_DENIED);
    EXPECT_EQ(device->sent().size(), 1u);
    EXPECT_EQ(messages.count(commErrorMessage), 1u);
}

// A message box waits for the user; the other thread's requests must not wait with it.
class ProbingMessages : public Messages {
public:
    MessageAnswer show(std::string_view, MessageButtons, MessageIcon) override {
        auto probe = std::async(std::launch::async, [this] { return link->isOpen(); });
        linkFreeWhileShown = probe.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        return MessageAnswer::Ok;
    }
    DeviceLink* link = nullptr;
    bool linkFreeWhileShown = false;
};

TEST(DeviceLinkMessages, TheLinkIsFreeWhileAMessageShows) {
    ProbingMessages messages;
    DeviceLink link(messages);
    messages.link = &link;
    auto device = std::make_shared<ScriptedDevice>();
    device->script(failure(ERROR_DEV_NOT_EXIST));
    link.attach(device->open());
    const KeyMapBytes keyMap{};
    EXPECT_EQ(link.WrEELong(keyMap), 1u);
    EXPECT_TRUE(messages.linkFreeWhileShown);
}

TEST(DeviceLinkThreads, RequestsOfTwoThreadsNeverMixTheirBlocks) {
    RecordingMessages messages;
    DeviceLink link(messages);
    auto device = std::make_shared<ScriptedDevice>();
    link.attach(device->open());
    const auto writer = [&](std::uint8_t value) {
        const std::array<std::uint8_t, 16> bytes = [&] {
            std::array<std::uint8_t, 16> b{};
            b.fill(value);
            return b;
        }();
        for (int i = 0; i < 200; ++i) {
            ASSERT_EQ(link.writeBytes(KEY_MAP_ADDRESS, bytes), 0u);
        }
    };
    std::thread a(writer, 0x11);
    std::thread b(writer, 0x22);
    a.join();
    b.join();
    for (const auto& request : device->sent()) {
        const auto first = request.block[DATA_OFFSET];
        EXPECT_TRUE(std::all_of(request.block.begin() + DATA_OFFSET,
                                request.block.begin() + DATA_OFFSET + 16,
                                [&](std::uint8_t byte) { return byte == first; }));
    }
    EXPECT_EQ(device->sent().size(), 400u);
}

} // namespace
} // namespace vantrel
