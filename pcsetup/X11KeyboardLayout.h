#pragma once

#include "pcsetup/TypingKeys.h"

#include <optional>

class QKeyEvent;

namespace vantrel {

// The X server's active keyboard layout as far as key codes need it: the level-one symbols of
// the typing block in the active layout group. The user may switch layouts at any moment, so it
// is read again for every key event (once, however many objects the event is delivered to).
class X11KeyboardLayout {
public:
    // Nothing when the application does not run on an X server.
    const TypingSymbols* symbolsFor(const QKeyEvent& event);

private:
    std::optional<TypingSymbols> symbols_;
    bool read_ = false;
    unsigned long readForTimestamp_ = 0;
};

} // namespace vantrel
