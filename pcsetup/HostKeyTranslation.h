#pragma once

#include "pcsetup/KeyNames.h"

class QKeyEvent;

namespace vantrel {

// The virtual-key code of a host key event, 0 for a key that has none. From the native key
// symbol when the event carries one (under X11 it tells the left key from the right one), else
// from Qt's key, taking a modifier key as its left one. Letters, digits and punctuation are read
// as the keys of the US layout that carry them, so a shifted symbol gives its key's code.
KeyCode hostKeyCode(const QKeyEvent& event);

} // namespace vantrel
