#include "ctl/BackupFile.h"
#include "ctl/CtlFailure.h"
#include "ctl/Names.h"

#include <gtest/gtest.h>

namespace vantrel::ctl {
namespace {

SettingsImageBytes sampleImage() {
    SettingsImageBytes image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return image;
}

TEST(BackupFile, GivesBackTheImageItHolds) {
    const std::vector<std::uint8_t> file = encodeBackup(sampleImage());
    ASSERT_EQ(file.size(), BACKUP_FILE_SIZE);
    const DecodedBackup decoded = decodeBackup(file);
    ASSERT_TRUE(decoded.image) << decoded.problem;
    EXPECT_EQ(*decoded.image, sampleImage());
    // The standard check value of CRC-32.
    const std::string check = "123456789";
    EXPECT_EQ(crc32({reinterpret_cast<const std::uint8_t*>(check.data()), check.size()}),
              0xCBF43926u);
}

TEST(BackupFile, RefusesWhatIsNotAWholeBackupOfThisFormat) {
    const std::vector<std::uint8_t> good = encodeBackup(sampleImage());
    struct Case {
        const char* what;
        std::vector<std::uint8_t> file;
        const char* problem;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}, "not a Vantrel settings backup"});
    cases.push_back({"cut short", {good.begin(), good.begin() + 50}, "cut short"});
    cases.push_back({"longer", good, "longer"});
    cases.back().file.push_back(0);
    cases.push_back({"a byte of the image changed", good, "check sum"});
    cases.back().file[40] ^= 0x01;
    cases.push_back({"another magic", good, "not a Vantrel settings backup"});
    cases.back().file[0] = 'X';
    cases.push_back({"a later version", good, "version 2"});
    cases.back().file[8] = 2;
    cases.push_back({"another range", good, "another part"});
    cases.back().file[10] = 50;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedBackup decoded = decodeBackup(c.file);
        EXPECT_FALSE(decoded.image);
        EXPECT_NE(decoded.problem.find(c.problem), std::string::npos) << decoded.problem;
    }
}

TEST(Names, KeysAndButtonsAsThePageNamesThem) {
    const struct {
        const char* typed;
        std::optional<KeyCode> code;
    } keys[] = {
        {"A", 0x41},          {"a", 0x41},
        {"Ctrl(left)", 0xA2}, {"ctrl(left)", 0xA2},
        {"F12", 0x7B},        {"0x41", 0x41},
        {"0XA2", 0xA2},       {"0x100", std::nullopt},
        {"0x", std::nullopt}, {"nokey", std::nullopt},
    };
    for (const auto& key : keys) {
        EXPECT_EQ(parseKeyCode(key.typed), key.code) << key.typed;
    }
    const struct {
        const char* typed;
        std::optional<int> slot;
    } buttons[] = {
        {"LB", 3},
        {"lb", 3},
        {"Dpad UP", 15},
        {"dpad-up", 15},
        {"Left Joystick, Press", 6},
        {"left-joystick-press", 6},
        {"Start", 30},
        {"Turbo", std::nullopt},
    };
    for (const auto& button : buttons) {
        EXPECT_EQ(parseLabelledSlot(button.typed), button.slot) << button.typed;
    }
}

TEST(OneLine, ABoxTextReadsAsOneSentence) {
    EXPECT_EQ(oneLine("Vantrel device not found. \r\nPlug-in your dongle!"),
              "Vantrel device not found. Plug-in your dongle!");
    EXPECT_EQ(oneLine("communicate with the device,  \r\nre-plug"),
              "communicate with the device, re-plug");
}

} // namespace
} // namespace vantrel::ctl
