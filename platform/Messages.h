#pragma once

#include <string_view>

namespace vantrel {

enum class MessageButtons { Ok, YesNo, YesNoCancel };

// FromButtons gives OK boxes the exclamation icon and the others the question icon.
enum class MessageIcon { FromButtons, Exclamation, Stop };

enum class MessageAnswer { Ok, Yes, No, Cancel };

// Every text the user learns reaches them through one modal message box.
//
// show() blocks until the user has closed the box and returns the button they chose. It may be
// called from the user-interface thread and from the device monitor thread; the host side takes
// care of reaching its toolkit from either. Callers never hold a lock of theirs while calling it.
class Messages {
public:
    virtual ~Messages() = default;
    virtual MessageAnswer show(std::string_view text, MessageButtons buttons, MessageIcon icon) = 0;
};

// The answer of a box closed without a button: the one that changes nothing.
inline MessageAnswer dismissedAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        break;
    }
    return MessageAnswer::Cancel;
}

// The common case: a box with only an OK button and the icon its buttons give.
inline void showOk(Messages& messages, std::string_view text) {
    messages.show(text, MessageButtons::Ok, MessageIcon::FromButtons);
}

} // namespace vantrel
