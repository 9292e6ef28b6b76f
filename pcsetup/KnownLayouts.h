#pragma once

#include "pcsetup/TypingKeys.h"

namespace vantrel {

// The punctuation keys of the common keyboard layouts (US, UK, German, French, Spanish, Italian,
// Swedish and Finnish, Norwegian, Danish, Russian) with the virtual-key codes that the Windows
// layout of the same name gives them. The same symbol on the same key can have another code in
// another layout (the "#" key of a UK and of a German keyboard), so the layout is recognised by
// the symbols of all its punctuation keys, not by the pressed key's alone.
//
// What the known layouts say about a key of the typing block.
struct KnownLayoutAnswer {
    // The symbols are those of a known layout, or of several that agree on the key's code.
    bool recognised = false;
    // The code that layout gives the key when it is one of its punctuation keys, else 0.
    KeyCode code = 0;
};

// Compares the symbols with every known layout and takes the best match, as long as at most a few
// of that layout's keys differ (so that a variant such as one without dead keys still counts as
// its layout).
KnownLayoutAnswer knownLayoutKeyCode(unsigned keyCode, const TypingSymbols& symbols);

} // namespace vantrel
