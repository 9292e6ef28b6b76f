#include "devsim/ControlCommand.h"
#include "device/DeviceProtocol.h"

#include <gtest/gtest.h>

namespace vantrel::devsim {
namespace {

using namespace std::chrono_literals;
using Action = ControlCommand::Action;

struct Accepted {
    std::vector<std::string> words;
    Action action;
    Fault fault;
};

class ControlCommandAcceptTest : public ::testing::TestWithParam<Accepted> {};

TEST_P(ControlCommandAcceptTest, ParsesIntoItsCommand) {
    const auto parsed = parseControlCommand(GetParam().words);
    ASSERT_TRUE(parsed.command) << parsed.error;
    EXPECT_EQ(parsed.command->action, GetParam().action);
    if (GetParam().action == Action::Inject) {
        EXPECT_EQ(parsed.command->fault, GetParam().fault);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Words, ControlCommandAcceptTest,
    ::testing::Values(
        Accepted{{"plug"}, Action::Plug, {}}, Accepted{{"unplug"}, Action::Unplug, {}},
        Accepted{{"status"}, Action::Status, {}}, Accepted{{"dump"}, Action::Dump, {}},
        Accepted{{"fail", "clear"}, Action::ClearFaults, {}},
        Accepted{
            {"fail", "error", "31", "--count", "3", "--only", "writes"},
            Action::Inject,
            {.kind = FaultKind::Error, .count = 3, .scope = RequestScope::Writes, .error = 31}},
        Accepted{
            {"fail", "error", "0x37"}, Action::Inject, {.kind = FaultKind::Error, .error = 55}},
        Accepted{{"fail", "short", "--count", "2", "--only", "reads"},
                 Action::Inject,
                 {.kind = FaultKind::ShortCount, .count = 2, .scope = RequestScope::Reads}},
        Accepted{{"fail", "readback"}, Action::Inject, {.kind = FaultKind::ReadBackMismatch}},
        Accepted{{"fail", "vanish", "--only", "queries"},
                 Action::Inject,
                 {.kind = FaultKind::Vanish, .scope = RequestScope::Queries}},
        Accepted{{"fail", "slow", "200ms", "--count", "5"},
                 Action::Inject,
                 {.kind = FaultKind::Slow, .count = 5, .delay = 200ms}},
        Accepted{
            {"fail", "slow", "2s"}, Action::Inject, {.kind = FaultKind::Slow, .delay = 2000ms}}));

TEST(ControlCommandTest, QualityAndModeCarryTheirValues) {
    EXPECT_EQ(parseControlCommand({"quality", "wave"}).command->quality, Quality::wave());
    EXPECT_EQ(parseControlCommand({"quality", "255"}).command->quality, Quality::fixed(255));
    EXPECT_EQ(parseControlCommand({"mode", "bb"}).command->mode, MODE_NO_REPORTS);
}

class ControlCommandRefuseTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(ControlCommandRefuseTest, SaysWhy) {
    const auto parsed = parseControlCommand(GetParam());
    EXPECT_FALSE(parsed.command);
    EXPECT_FALSE(parsed.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Words, ControlCommandRefuseTest,
    ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"reboot"},
                      std::vector<std::string>{"plug", "now"},
                      std::vector<std::string>{"quality", "256"},
                      std::vector<std::string>{"quality"}, std::vector<std::string>{"mode", "cc"},
                      std::vector<std::string>{"fail"}, std::vector<std::string>{"fail", "error"},
                      std::vector<std::string>{"fail", "error", "x1"},
                      std::vector<std::string>{"fail", "error", "31", "--count"},
                      std::vector<std::string>{"fail", "error", "31", "--count", "0"},
                      std::vector<std::string>{"fail", "short", "--only", "sometimes"},
                      std::vector<std::string>{"fail", "readback", "--only", "reads"},
                      std::vector<std::string>{"fail", "slow", "61s"},
                      std::vector<std::string>{"fail", "slow"},
                      std::vector<std::string>{"fail", "clear", "now"},
                      std::vector<std::string>{"fail", "melt"}));

} // namespace
} // namespace vantrel::devsim
