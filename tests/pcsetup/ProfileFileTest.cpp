#include "pcsetup/ProfileFile.h"

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

// Every byte value a key map can hold appears somewhere, zero and 0xFF included.
KeyMapBytes mixedKeyMap() {
    KeyMapBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(0xFF - i * 4);
    }
    bytes[10] = 0x00;
    return bytes;
}

TEST(ProfileSavePath, AddsTheExtensionUnlessTheNameEndsInExactlyMapOrMAP) {
    const std::pair<std::string, std::string> cases[] = {
        {"keys", "keys.map"},
        {"keys.map", "keys.map"},
        {"keys.MAP", "keys.MAP"},
        {"keys.Map", "keys.Map.map"},
        {"keys.mAP", "keys.mAP.map"},
        {"abc", "abc.map"},
        {"map", "map.map"},
        {"ab", "ab.map"},
        {".map", ".map"},
        {"/home/user/pro file.map", "/home/user/pro file.map"},
        {"/home/user.map/keys", "/home/user.map/keys.map"},
        {"keys.map.txt", "keys.map.txt.map"},
    };
    for (const auto& [chosen, expected] : cases) {
        EXPECT_EQ(profileSavePath(chosen).string(), expected) << "chosen " << chosen;
    }
}

class ProfileFileTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(ProfileFileTest, WrittenProfileIsTheKeyMapVerbatimAndReadsBack) {
    const auto path = folder / "keys.map";
    ASSERT_EQ(writeProfileFile(path, mixedKeyMap()), std::nullopt);

    const KeyMapBytes expected = mixedKeyMap();
    EXPECT_EQ(readBytes(path), std::vector<std::uint8_t>(expected.begin(), expected.end()));
    const ProfileReadResult result = readProfileFile(path);
    EXPECT_EQ(result.status, ProfileReadStatus::Read);
    EXPECT_EQ(result.keyMap, expected);
    EXPECT_EQ(folder.names(), std::set<std::string>{"keys.map"});
}

TEST_F(ProfileFileTest, OnlyAFileOfExactly64BytesIsAProfile) {
    for (const std::size_t size : {0U, 1U, 63U, 65U, 128U}) {
        const auto path = folder / ("size" + std::to_string(size));
        writeBytes(path, std::vector<std::uint8_t>(size, 0x41));
        EXPECT_EQ(readProfileFile(path).status, ProfileReadStatus::Corrupted) << size << " bytes";
    }
    const auto zeros = folder / "zeros";
    writeBytes(zeros, std::vector<std::uint8_t>(64, 0));
    const ProfileReadResult result = readProfileFile(zeros);
    EXPECT_EQ(result.status, ProfileReadStatus::Read);
    EXPECT_EQ(result.keyMap, KeyMapBytes{});
}

TEST_F(ProfileFileTest, SavingOverAnExistingFileReplacesAllOfIt) {
    const auto path = folder / "keys.map";
    writeBytes(path, std::vector<std::uint8_t>(100, 0x55));

    ASSERT_EQ(writeProfileFile(path, mixedKeyMap()), std::nullopt);
    EXPECT_EQ(readProfileFile(path).keyMap, mixedKeyMap());
    EXPECT_EQ(std::filesystem::file_size(path), 64U);
    EXPECT_EQ(folder.names(), std::set<std::string>{"keys.map"});
}

} // namespace
} // namespace vantrel
