#include "devsim/StateImage.h"
#include "devsim/StateFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vantrel::devsim {
namespace {

MemoryImage patterned() {
    MemoryImage memory = factoryImage();
    for (std::size_t i = 0; i < memory.size(); i += 7) {
        memory[i] = static_cast<std::uint8_t>(i);
    }
    return memory;
}

TEST(StateImageTest, RoundTrips) {
    const auto bytes = encodeStateImage(patterned());
    ASSERT_EQ(bytes.size(), STATE_FILE_SIZE);
    const auto decoded = decodeStateImage(bytes);
    ASSERT_TRUE(std::holds_alternative<MemoryImage>(decoded));
    EXPECT_EQ(std::get<MemoryImage>(decoded), patterned());
}

struct Damage {
    const char* name;
    std::size_t offset; // the byte to flip, or the size to cut to
    bool cut;
};

class StateImageDamageTest : public ::testing::TestWithParam<Damage> {};

TEST_P(StateImageDamageTest, IsRefusedWithAReason) {
    auto bytes = encodeStateImage(patterned());
    if (GetParam().cut) {
        bytes.resize(GetParam().offset);
    } else {
        bytes[GetParam().offset] ^= 0x01;
    }
    const auto decoded = decodeStateImage(bytes);
    ASSERT_TRUE(std::holds_alternative<std::string>(decoded));
    EXPECT_FALSE(std::get<std::string>(decoded).empty());
}

INSTANTIATE_TEST_SUITE_P(Bytes, StateImageDamageTest,
                         ::testing::Values(Damage{"Magic", STATE_MAGIC_OFFSET, false},
                                           Damage{"Version", STATE_VERSION_OFFSET, false},
                                           Damage{"Size", STATE_MEMORY_SIZE_OFFSET, false},
                                           Damage{"Memory", STATE_MEMORY_OFFSET + 64, false},
                                           Damage{"Checksum", STATE_CHECKSUM_OFFSET, false},
                                           Damage{"Truncated", STATE_FILE_SIZE - 1, true},
                                           Damage{"Empty", 0, true}),
                         [](const auto& info) { return info.param.name; });

TEST(StateFileTest, MissingFileMeansFactoryContent) {
    test::TempFolder folder;
    const StateFile::Loaded loaded = StateFile(folder.path() / "memory").load();
    EXPECT_EQ(loaded.outcome, StateFile::Loaded::Outcome::Missing);
    EXPECT_EQ(loaded.memory, factoryImage());
}

TEST(StateFileTest, SavedMemoryLoadsAgainAndLeavesNoTemporaryFile) {
    test::TempFolder folder;
    StateFile file(folder.path() / "memory");
    ASSERT_TRUE(file.save(factoryImage()));
    ASSERT_TRUE(file.save(patterned()));
    const StateFile::Loaded loaded = file.load();
    EXPECT_EQ(loaded.outcome, StateFile::Loaded::Outcome::Loaded);
    EXPECT_EQ(loaded.memory, patterned());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(StateFileTest, CorruptFileIsReportedAndLeftAlone) {
    test::TempFolder folder;
    const auto path = folder.path() / "memory";
    std::ofstream(path) << "not a memory image";
    const StateFile::Loaded loaded = StateFile(path).load();
    EXPECT_EQ(loaded.outcome, StateFile::Loaded::Outcome::Corrupt);
    EXPECT_NE(loaded.problem.find("bytes"), std::string::npos) << loaded.problem;
    EXPECT_EQ(std::filesystem::file_size(path), 18u);
}

TEST(StateFileTest, SaveIntoMissingFolderFails) {
    test::TempFolder folder;
    EXPECT_FALSE(StateFile(folder.path() / "absent" / "memory").save(factoryImage()));
}

} // namespace
} // namespace vantrel::devsim
