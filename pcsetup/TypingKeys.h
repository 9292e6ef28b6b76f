#pragma once

#include "pcsetup/KeyNames.h"

#include <array>
#include <cstdint>

namespace vantrel {

// The keys of the typing block, named by the X key codes of the keyboard driver (the kernel's
// key code plus 8), which tell the physical key whatever the layout: the digit row from the key
// left of 1 to the one left of Backspace, the three letter rows with the keys around them, and
// the extra key left of Z on ISO keyboards.
inline constexpr unsigned TYPING_BLOCK_END = 95;

// The level-one key symbol (the one without Shift or AltGr) that the active layout gives each key
// of the typing block, indexed by key code; 0 where it is not known.
using TypingSymbols = std::array<std::uint32_t, TYPING_BLOCK_END>;

bool isTypingKey(unsigned keyCode);

// The virtual-key code that the keyboard layouts of Windows give a key of the typing block, read
// from the level-one symbols of the active layout: the digit row and the ISO key by position,
// the punctuation keys of a known layout as that layout has them, letters by the Latin letter
// the layout puts on the key, and every other key by its position on a US keyboard. 0 for a key
// outside the block.
KeyCode typingKeyCode(unsigned keyCode, const TypingSymbols& symbols);

} // namespace vantrel
