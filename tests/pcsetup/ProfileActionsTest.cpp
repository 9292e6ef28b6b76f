#include "pcsetup/ProfileActions.h"

#include "tests/pcsetup/ScriptedFileDialogs.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

KeyMapBytes deviceBlock() {
    KeyMapBytes block = DEFAULT_KEY_MAP;
    block[4] = 0xE9; // an unlabelled slot keeps whatever the device holds
    block[32 + 3] = 0xA2;
    return block;
}

KeyMapBytes profileBlock() {
    KeyMapBytes block{};
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(i * 5 + 1);
    }
    return block;
}

std::vector<std::uint8_t> bytesOf(const KeyMapBytes& block) {
    return {block.begin(), block.end()};
}

class ProfileActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        keyMap.replaceFromDevice(deviceBlock());
        keyMap.clearRefreshAllLabels();
    }

    void load(const std::optional<std::filesystem::path>& chosen) {
        dialogs.openAnswer = chosen;
        loadProfile(keyMap, dialogs, messages, [this] { ++refreshes; });
    }

    void save(const std::optional<std::filesystem::path>& chosen) {
        dialogs.saveAnswer = chosen;
        saveProfile(keyMap, dialogs, messages);
    }

    void expectMapUntouched() const {
        EXPECT_EQ(keyMap.currentKeyMap(), deviceBlock());
        EXPECT_EQ(keyMap.baselineKeyMap(), deviceBlock());
        EXPECT_EQ(refreshes, 0);
    }

    void expectOnlyStopBox(const std::string& text) const {
        const auto shown = messages.shown();
        ASSERT_EQ(shown.size(), 1U);
        EXPECT_EQ(shown[0].text, text);
        EXPECT_EQ(shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(shown[0].icon, MessageIcon::Stop);
    }

    TempFolder folder;
    KeyMap keyMap;
    test::ScriptedFileDialogs dialogs;
    test::RecordingMessages messages;
    int refreshes = 0;
};

TEST_F(ProfileActionsTest, LeavingTheDialogsDoesNothing) {
    load(std::nullopt);
    save(std::nullopt);
    EXPECT_EQ(dialogs.openCalls, 1);
    EXPECT_EQ(dialogs.saveCalls, 1);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(folder.names().empty());
    expectMapUntouched();
}

TEST_F(ProfileActionsTest, LoadReplacesTheMapAgainstTheOneBeforeAndRefreshesTheLabels) {
    const auto path = folder / "keys.map";
    writeBytes(path, bytesOf(profileBlock()));

    load(path);
    EXPECT_EQ(keyMap.currentKeyMap(), profileBlock());
    EXPECT_EQ(keyMap.baselineKeyMap(), deviceBlock());
    EXPECT_TRUE(keyMap.isChanged());
    EXPECT_EQ(refreshes, 1);

    // The same profile again: nothing differs from the map before, whatever the device holds.
    load(path);
    EXPECT_FALSE(keyMap.isChanged());
    EXPECT_EQ(refreshes, 2);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ProfileActionsTest, LoadOpensThePathExactlyAsChosen) {
    writeBytes(folder / "keys.map", bytesOf(profileBlock()));

    load(folder / "keys");
    expectOnlyStopBox((folder / "keys").string() + " was not found.");
    expectMapUntouched();

    KeyMapBytes other = profileBlock();
    other[0] = 0x99;
    writeBytes(folder / "keys", bytesOf(other));
    messages.clear();
    load(folder / "keys");
    EXPECT_EQ(keyMap.currentKeyMap(), other);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ProfileActionsTest, ProfileOfAnyOtherLengthIsCorruptedAndChangesNothing) {
    for (const std::size_t size : {0U, 63U, 65U}) {
        const auto path = folder / ("size" + std::to_string(size) + ".map");
        writeBytes(path, std::vector<std::uint8_t>(size, 0x41));
        messages.clear();

        load(path);
        const auto shown = messages.shown();
        ASSERT_EQ(shown.size(), 1U) << size << " bytes";
        EXPECT_EQ(shown[0].text, "Corrupted File!");
        EXPECT_EQ(shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(shown[0].icon, MessageIcon::FromButtons);
        expectMapUntouched();
    }
}

TEST_F(ProfileActionsTest, FileErrorBoxNamesTheFullPath) {
    const std::filesystem::path savedCurrent = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    load("missing.map");
    std::filesystem::current_path(savedCurrent);
    expectOnlyStopBox((folder / "missing.map").string() + " was not found.");
    expectMapUntouched();

    std::filesystem::create_directory(folder / "sub.map");
    messages.clear();
    load(folder / "sub.map");
    expectOnlyStopBox("Access to " + (folder / "sub.map").string() + " was denied.");
    expectMapUntouched();
}

TEST_F(ProfileActionsTest, SaveWritesTheCurrentMapWithItsExtensionAndChangesNothing) {
    keyMap.setDefinition(6, 0x41, 0xA2);
    const KeyMapBytes edited = keyMap.currentKeyMap();

    save(folder / "keys");
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(folder.names(), std::set<std::string>{"keys.map"});
    EXPECT_EQ(readBytes(folder / "keys.map"), bytesOf(edited));
    EXPECT_EQ(keyMap.currentKeyMap(), edited);
    EXPECT_EQ(keyMap.baselineKeyMap(), deviceBlock());
    EXPECT_EQ(refreshes, 0);

    keyMap.restoreDefaults();
    load(folder / "keys.map");
    EXPECT_EQ(keyMap.currentKeyMap(), edited);
}

TEST_F(ProfileActionsTest, SaveAsksBeforeReplacingAFileTheDialogNeverNamed) {
    const std::vector<std::uint8_t> oldContent(64, 0x17);
    enum class Existing { None, WithExtension, AsTyped };
    struct Case {
        std::string what;
        std::string typed;
        Existing existing;
        std::optional<MessageAnswer> answer; // nullopt: no question is asked
        bool written;
    };
    const Case cases[] = {
        {"extension added onto an existing file, No", "keys", Existing::WithExtension,
         MessageAnswer::No, false},
        {"extension added onto an existing file, Yes", "keys", Existing::WithExtension,
         MessageAnswer::Yes, true},
        {"extension added, nothing there", "keys", Existing::None, std::nullopt, true},
        {"the name the dialog already asked about", "keys.map", Existing::AsTyped, std::nullopt,
         true},
    };
    for (const Case& c : cases) {
        const TempFolder caseFolder;
        const auto target = caseFolder / "keys.map";
        if (c.existing != Existing::None) {
            writeBytes(target, oldContent);
        }
        messages.clear();
        if (c.answer) {
            messages.scriptAnswer(*c.answer);
        }

        save(caseFolder / c.typed);
        const auto shown = messages.shown();
        if (c.answer) {
            ASSERT_EQ(shown.size(), 1U) << c.what;
            EXPECT_EQ(shown[0].text, "keys.map already exists.\nDo you want to replace it?")
                << c.what;
            EXPECT_EQ(shown[0].buttons, MessageButtons::YesNo) << c.what;
            EXPECT_EQ(shown[0].icon, MessageIcon::Exclamation) << c.what;
        } else {
            EXPECT_TRUE(shown.empty()) << c.what;
        }
        EXPECT_EQ(readBytes(target), c.written ? bytesOf(deviceBlock()) : oldContent) << c.what;
        EXPECT_EQ(caseFolder.names(), std::set<std::string>{"keys.map"}) << c.what;
    }
    expectMapUntouched();
}

TEST_F(ProfileActionsTest, FailedSaveNamesTheTargetAndKeepsMemory) {
    save(folder / "missing" / "keys");
    expectOnlyStopBox((folder / "missing" / "keys.map").string() + " was not found.");
    expectMapUntouched();
    EXPECT_EQ(folder.names(), std::set<std::string>{});
}

} // namespace
} // namespace vantrel
