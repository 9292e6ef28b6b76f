#include "win32/MessageBoxStyle.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(MessageBoxStyleTest, ButtonsAndIconGiveTheBoxStyle) {
    const struct {
        MessageButtons buttons;
        MessageIcon icon;
        UINT style;
    } cases[] = {
        {MessageButtons::Ok, MessageIcon::FromButtons, MB_OK | MB_ICONEXCLAMATION},
        {MessageButtons::YesNo, MessageIcon::FromButtons, MB_YESNO | MB_ICONQUESTION},
        {MessageButtons::YesNoCancel, MessageIcon::FromButtons, MB_YESNOCANCEL | MB_ICONQUESTION},
        {MessageButtons::Ok, MessageIcon::Exclamation, MB_OK | MB_ICONEXCLAMATION},
        {MessageButtons::YesNo, MessageIcon::Stop, MB_YESNO | MB_ICONSTOP},
        {MessageButtons::Ok, MessageIcon::Stop, MB_OK | MB_ICONSTOP},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messageBoxStyle(c.buttons, c.icon), c.style)
            << int(c.buttons) << " " << int(c.icon);
    }
}

TEST(MessageBoxStyleTest, ResultGivesTheAnswerAndAClosedBoxChangesNothing) {
    const struct {
        int result;
        MessageButtons buttons;
        MessageAnswer answer;
    } cases[] = {
        {IDOK, MessageButtons::Ok, MessageAnswer::Ok},
        {IDYES, MessageButtons::YesNo, MessageAnswer::Yes},
        {IDNO, MessageButtons::YesNo, MessageAnswer::No},
        {IDYES, MessageButtons::YesNoCancel, MessageAnswer::Yes},
        {IDNO, MessageButtons::YesNoCancel, MessageAnswer::No},
        {IDCANCEL, MessageButtons::YesNoCancel, MessageAnswer::Cancel},
        {0, MessageButtons::Ok, MessageAnswer::Ok},
        {0, MessageButtons::YesNo, MessageAnswer::No},
        {0, MessageButtons::YesNoCancel, MessageAnswer::Cancel},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messageBoxAnswer(c.result, c.buttons), c.answer)
            << c.result << " " << int(c.buttons);
    }
}

} // namespace
} // namespace vantrel
