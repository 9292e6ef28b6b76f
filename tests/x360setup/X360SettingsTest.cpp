#include "x360setup/X360Settings.h"

#include "device/DeviceLink.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/ScriptedTransport.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::failure;
using test::RecordingMessages;
using test::replyWith;
using test::ScriptedDevice;

using Request = std::tuple<std::uint32_t, std::uint16_t, std::uint16_t>; // code, address, length
constexpr auto READ = IOCTL_DEVICE_READ;
constexpr auto WRITE = IOCTL_DEVICE_WRITE;

class X360SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { link.attach(device->open()); }

    std::vector<Request> requests() const {
        std::vector<Request> result;
        for (const auto& request : device->sent()) {
            result.emplace_back(request.code, request.address(), request.length());
        }
        return result;
    }

    // Answers a load with this map, sensitivity and speed.
    void scriptLoad(const ButtonMapBytes& map, std::uint8_t sensitivity, std::uint8_t speed) {
        device->script(replyWith({map.begin(), map.end()}));
        device->script(replyWith({sensitivity}));
        device->script(replyWith({speed}));
    }

    RecordingMessages messages;
    std::shared_ptr<ScriptedDevice> device = std::make_shared<ScriptedDevice>();
    DeviceLink link{messages, {.maxSends = 3, .maxDuration = std::chrono::seconds(2)}};
    X360Settings settings;
};

TEST(FiringSpeed, StepsAndBytes) {
    const std::int8_t bytes[FIRING_STEPS] = {50, 33, 25, 20, 16, 14, 12, 11, 10};
    for (int step = 0; step < FIRING_STEPS; ++step) {
        EXPECT_EQ(firingSpeedFromStep(step), bytes[step]) << "step " << step;
        EXPECT_EQ(firingStepFromSpeed(bytes[step]), step) << "byte " << int(bytes[step]);
    }
    const std::pair<std::int8_t, int> readBack[] = {
        {16, 4},
        {15, 4},
        {13, 5},
        {14, 5},
        {33, 1},
        {26, 1},
        {17, 3},
        {34, 0},
        {50, 0},
        // Bytes outside the encoding light no step and never divide by zero.
        {0, NO_FIRING_STEP},
        {9, NO_FIRING_STEP},
        {1, NO_FIRING_STEP},
        {51, NO_FIRING_STEP},
        {127, NO_FIRING_STEP},
        {-1, NO_FIRING_STEP},
        {-128, NO_FIRING_STEP}};
    for (const auto& [byte, step] : readBack) {
        EXPECT_EQ(firingStepFromSpeed(byte), step) << "byte " << int(byte);
    }
}

TEST(Sensitivity, OnlyTheThreeLevelsHaveALamp) {
    EXPECT_EQ(sensitivityLamp(2), 0);
    EXPECT_EQ(sensitivityLamp(3), 1);
    EXPECT_EQ(sensitivityLamp(4), 2);
    for (const std::int8_t byte : {0, 1, 5, 127, -1, -128}) {
        EXPECT_FALSE(sensitivityLamp(byte).has_value()) << int(byte);
    }
}

TEST_F(X360SettingsTest, FreshRecordCountsAsChanged) {
    EXPECT_EQ(settings.buttonMap, defaultButtonMap());
    EXPECT_EQ(settings.sensitivity, 3);
    EXPECT_EQ(settings.firingSpeed, 20);
    EXPECT_EQ(settings.firingStep, 3);
    EXPECT_TRUE(settings.x360Changed());
    EXPECT_TRUE(settings.isMappingComplete());
}

TEST_F(X360SettingsTest, LoadReadsMapThenSensitivityThenSpeed) {
    ButtonMapBytes map = defaultButtonMap();
    std::swap(map[0], map[13]);
    scriptLoad(map, 4, 10);
    ASSERT_TRUE(loadX360Settings(settings, link));

    EXPECT_EQ(requests(), (std::vector<Request>{{READ, 118, 14}, {READ, 116, 1}, {READ, 117, 1}}));
    EXPECT_EQ(settings.buttonMap, map);
    EXPECT_EQ(settings.deviceButtonMap, map);
    EXPECT_EQ(settings.sensitivity, 4);
    EXPECT_EQ(settings.firingSpeed, 10);
    EXPECT_EQ(settings.firingStep, 8);
    EXPECT_FALSE(settings.x360Changed());
}

TEST_F(X360SettingsTest, FailedMapReadLeavesTheRecordAsItWas) {
    device->setFallback(failure(ERROR_GEN_FAILURE));
    settings.setFiringStep(0);
    const X360Settings before = settings;

    EXPECT_FALSE(loadX360Settings(settings, link));
    EXPECT_EQ(settings.buttonMap, before.buttonMap);
    EXPECT_EQ(settings.deviceButtonMap, before.deviceButtonMap);
    EXPECT_EQ(settings.firingSpeed, before.firingSpeed);
    EXPECT_EQ(messages.count(commErrorMessage), 1u) << "the map read that gives up says so";
}

TEST_F(X360SettingsTest, FailedSensitivityReadKeepsTheMapAlreadyTakenOver) {
    ButtonMapBytes map = defaultButtonMap();
    map[5] = NO_BUTTON;
    device->script(replyWith({map.begin(), map.end()}));
    device->setFallback(failure(ERROR_GEN_FAILURE));
    settings.setSensitivity(SENSITIVITY_HIGH);

    EXPECT_FALSE(loadX360Settings(settings, link));
    EXPECT_EQ(settings.buttonMap, map);
    EXPECT_EQ(settings.deviceButtonMap, map);
    EXPECT_EQ(settings.sensitivity, SENSITIVITY_HIGH);
    EXPECT_EQ(settings.deviceSensitivity, SENSITIVITY_MID);
}

TEST_F(X360SettingsTest, DeviceBytesOutsideTheEncodingsAreTakenOverButIndexNothing) {
    ButtonMapBytes map = defaultButtonMap();
    map[2] = 9; // one code on two keys
    map[4] = 200;
    scriptLoad(map, 0x80, 0);
    ASSERT_TRUE(loadX360Settings(settings, link));

    EXPECT_EQ(settings.buttonMap, map);
    EXPECT_EQ(settings.firingStep, NO_FIRING_STEP);
    EXPECT_FALSE(sensitivityLamp(settings.sensitivity));
    EXPECT_FALSE(settings.isMappingComplete()) << "a key holding 200 produces no button";

    settings.removeButton(9);
    EXPECT_EQ(settings.buttonMap[2], NO_BUTTON);
    EXPECT_EQ(settings.buttonMap[9], NO_BUTTON);
}

TEST_F(X360SettingsTest, SaveWritesOnlyWhatDiffers) {
    struct Case {
        const char* name;
        void (*edit)(X360Settings&);
        std::vector<Request> expected;
    };
    const Case cases[] = {
        {"nothing", [](X360Settings&) {}, {}},
        {"speed only", [](X360Settings& s) { s.setFiringStep(8); }, {{WRITE, 117, 1}}},
        {"all three",
         [](X360Settings& s) {
             std::swap(s.buttonMap[0], s.buttonMap[1]);
             s.setSensitivity(SENSITIVITY_LOW);
             s.setFiringStep(0);
         },
         {{WRITE, 118, 14}, {READ, 118, 14}, {WRITE, 116, 1}, {WRITE, 117, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto fresh = std::make_shared<ScriptedDevice>();
        device = fresh;
        link.attach(fresh->open());
        scriptLoad(defaultButtonMap(), 3, 20);
        ASSERT_TRUE(loadX360Settings(settings, link));
        const std::size_t loadRequests = fresh->sent().size();

        c.edit(settings);
        const ButtonMapBytes edited = settings.buttonMap;
        fresh->script(replyWith({}));
        fresh->script(replyWith({edited.begin(), edited.end()})); // the read-back, if any
        EXPECT_EQ(saveX360Settings(settings, link), X360SaveResult::Saved);
        std::vector<Request> sent = requests();
        sent.erase(sent.begin(), sent.begin() + static_cast<long>(loadRequests));
        EXPECT_EQ(sent, c.expected);
        EXPECT_FALSE(settings.x360Changed());
    }
}

TEST_F(X360SettingsTest, SpeedOnlySaveSendsTheByte) {
    scriptLoad(defaultButtonMap(), 3, 20);
    ASSERT_TRUE(loadX360Settings(settings, link));
    settings.setFiringStep(8);
    ASSERT_EQ(saveX360Settings(settings, link), X360SaveResult::Saved);
    EXPECT_EQ(device->sent().back().block[DATA_OFFSET], 0x0A);
}

TEST_F(X360SettingsTest, IncompleteMapIsNeverWritten) {
    settings.clearX360Settings();
    EXPECT_FALSE(settings.isMappingComplete());
    EXPECT_EQ(saveX360Settings(settings, link), X360SaveResult::Incomplete);
    EXPECT_TRUE(device->sent().empty());
}

TEST_F(X360SettingsTest, DefaultsOnADeviceThatHoldsThemWriteNothing) {
    scriptLoad(defaultButtonMap(), 3, 20);
    ASSERT_TRUE(loadX360Settings(settings, link));
    settings.clearX360Settings();
    settings.restoreX360Defaults();
    const std::size_t before = device->sent().size();
    EXPECT_EQ(saveX360Settings(settings, link), X360SaveResult::Saved);
    EXPECT_EQ(device->sent().size(), before);
}

TEST_F(X360SettingsTest, AFailedWriteKeepsTheDeviceCopiesOfItAndOfEverythingAfter) {
    scriptLoad(defaultButtonMap(), 3, 20);
    ASSERT_TRUE(loadX360Settings(settings, link));
    std::swap(settings.buttonMap[3], settings.buttonMap[4]);
    settings.setSensitivity(SENSITIVITY_HIGH);
    settings.setFiringStep(1);
    const ButtonMapBytes edited = settings.buttonMap;

    device->script(replyWith({}));
    device->script(replyWith({edited.begin(), edited.end()}));
    device->script(failure(ERROR_DEV_NOT_EXIST)); // the sensitivity write ends
    EXPECT_EQ(saveX360Settings(settings, link), X360SaveResult::Failed);
    EXPECT_EQ(settings.deviceButtonMap, edited);
    EXPECT_EQ(settings.deviceSensitivity, SENSITIVITY_MID);
    EXPECT_EQ(settings.deviceFiringSpeed, 20);
    EXPECT_EQ(std::get<1>(requests().back()), SENSITIVITY_ADDRESS) << "the speed is not sent";
}

TEST_F(X360SettingsTest, AMismatchedReadBackKeepsTheDeviceMap) {
    scriptLoad(defaultButtonMap(), 3, 20);
    ASSERT_TRUE(loadX360Settings(settings, link));
    std::swap(settings.buttonMap[3], settings.buttonMap[4]);
    device->script(replyWith({}));
    device->script(replyWith({0, 1, 2, 3}));
    EXPECT_EQ(saveX360Settings(settings, link), X360SaveResult::Failed);
    EXPECT_EQ(settings.deviceButtonMap, defaultButtonMap());
    EXPECT_EQ(messages.count(commErrorMessage), 1u);
}

TEST_F(X360SettingsTest, AssignAndRemoveButtons) {
    settings.removeButton(4);
    EXPECT_EQ(settings.buttonMap[4], NO_BUTTON);
    EXPECT_EQ(settings.assignButton(6, 4), 6);
    EXPECT_EQ(settings.assignButton(4, 6), NO_BUTTON);
    EXPECT_TRUE(settings.isMappingComplete());
    EXPECT_EQ(settings.assignButton(14, 0), NO_BUTTON) << "keys past 13 do not exist";
    EXPECT_EQ(settings.assignButton(-1, 0), NO_BUTTON);
}

TEST_F(X360SettingsTest, LevelsOutsideTheirRangesAreIgnored) {
    settings.setSensitivity(5);
    settings.setFiringStep(9);
    settings.setFiringStep(-1);
    EXPECT_EQ(settings.sensitivity, 3);
    EXPECT_EQ(settings.firingStep, 3);
    EXPECT_EQ(settings.firingSpeed, 20);
}

} // namespace
} // namespace vantrel
