#pragma once

#include "pcsetup/KeyNames.h"
#include "pcsetup/TypingKeys.h"

class QKeyEvent;

namespace vantrel {

// The virtual-key code of a host key event, 0 for a key that has none: the code that Windows
// gives the same physical key on the same layout.
// - Keys that type no character (modifiers, function keys, the keypad, named keys) by their
//   native key symbol when the event carries one (under X11 it tells the left key from the right
//   one), else by Qt's key, taking a modifier key as its left one.
// - The keys of the typing block, known by the native key code, by the level-one symbols of the
//   active layout (see typingKeyCode). Without a layout the pressed key's own symbol stands in for
//   it.
// - Any other key by its symbol as on a US keyboard, so that a shifted symbol gives its key.
KeyCode hostKeyCode(const QKeyEvent& event, const TypingSymbols* layout = nullptr);

} // namespace vantrel
