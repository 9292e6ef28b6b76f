#pragma once

#include "pcsetup/HeldKeys.h"

#include <cstdint>
#include <functional>

namespace vantrel {

class KeyCapture;

enum class KeyHookVerdict { Consume, PassOn };

// What the keyboard hook does with one event, from its hook code and its two values (the key
// code and the key data). Only the first key-down of a press (the action code, with bit 30 of the
// key data clear) reaches capture, with the keys held at this moment; every other event is
// consumed.
KeyHookVerdict keyHookVerdict(int hookCode, std::uintptr_t keyCode, std::intptr_t keyData,
                              KeyCapture& capture, const std::function<HeldKeys()>& heldNow);

} // namespace vantrel
