#include "window/ConfirmExit.h"

#include "tests/support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::RecordingMessages;

struct Sets {
    bool pcChanged = false;
    bool x360Changed = false;
    std::vector<std::string> saved;

    ExitSettings pc() {
        return {[this] { return pcChanged; }, [this] { saved.push_back("pc"); }};
    }
    ExitSettings x360() {
        return {[this] { return x360Changed; }, [this] { saved.push_back("x360"); }};
    }
};

TEST(ConfirmExit, WhenItAsksAndWhatItSaves) {
    struct Case {
        const char* name;
        SetupPage asking;
        bool connected, pcChanged, x360Changed;
        std::optional<MessageAnswer> answer; // nothing: no question expected
        ExitDecision decision;
        std::vector<std::string> saved;
    };
    using enum SetupPage;
    using Answer = MessageAnswer;
    const Case cases[] = {
        {"not connected", Pc, false, true, true, {}, ExitDecision::EndRun, {}},
        {"nothing changed", X360, true, false, false, {}, ExitDecision::EndRun, {}},
        {"yes from the xbox page",
         X360,
         true,
         true,
         true,
         Answer::Yes,
         ExitDecision::EndRun,
         {"x360", "pc"}},
        {"yes from the pc page",
         Pc,
         true,
         true,
         true,
         Answer::Yes,
         ExitDecision::EndRun,
         {"pc", "x360"}},
        {"yes saves only what changed",
         Pc,
         true,
         false,
         true,
         Answer::Yes,
         ExitDecision::EndRun,
         {"x360"}},
        {"no", Pc, true, true, false, Answer::No, ExitDecision::EndRun, {}},
        {"cancel", X360, true, true, true, Answer::Cancel, ExitDecision::GoOn, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessages messages;
        if (c.answer) {
            messages.scriptAnswer(*c.answer);
        }
        Sets sets{c.pcChanged, c.x360Changed, {}};
        EXPECT_EQ(ConfirmExit(c.asking, c.connected, messages, sets.pc(), sets.x360()), c.decision);
        EXPECT_EQ(sets.saved, c.saved);
        const auto shown = messages.shown();
        ASSERT_EQ(shown.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(shown[0].text, saveOnExitQuestion);
            EXPECT_EQ(shown[0].buttons, MessageButtons::YesNoCancel);
        }
    }
}

} // namespace
} // namespace vantrel
