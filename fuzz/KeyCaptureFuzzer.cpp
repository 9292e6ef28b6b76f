// Key capture fed arbitrary sequences of key presses and releases, mouse buttons, hover changes
// and the starts and ends of capture. Every step touches the hovered slot alone; a captured press
// stores the pressed key with the highest other key held (or a lone modifier's own side) and shows
// exactly the stored pair's text; Backspace clears exactly both bytes.
#include "fuzz/ByteReader.h"
#include "fuzz/FuzzCheck.h"
#include "pcsetup/KeyCapture.h"
#include "pcsetup/LabelledSlots.h"

#include <string>
#include <vector>

namespace vantrel::fuzz {
namespace {

constexpr KeyCode backspaceKey = 0x08;
constexpr KeyCode enterKey = 0x0D;
constexpr KeyCode escKey = 0x1B;

// The labels as the page would show them, and every slot the page was asked about.
class RecordingPage : public CapturePage {
public:
    explicit RecordingPage(const KeyMap& keyMap) : keyMap_(keyMap) {
        for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
            refreshSlotLabel(slot);
        }
        touched.clear();
    }

    void showLabelText(int slot, std::string_view text) override {
        require(isLabelledSlot(slot), "capture shows texts in labelled slots only");
        touched.push_back(slot);
        ++shown;
        labels[static_cast<std::size_t>(slot)] = text;
    }

    void refreshSlotLabel(int slot) override {
        touched.push_back(slot);
        ++refreshes;
        if (isLabelledSlot(slot)) {
            labels[static_cast<std::size_t>(slot)] =
                definitionText(keyMap_.mainKey(slot), keyMap_.heldKey(slot));
        }
    }

    void showHelpText(std::string_view text) override { help = text; }

    void updateHoverAtPointer() override {
        ++hovers;
        capture->setHoverSlot(pointerSlot);
    }

    void startStep() {
        touched.clear();
        shown = refreshes = hovers = 0;
    }

    KeyCapture* capture = nullptr;
    int pointerSlot = -1;
    std::array<std::string, KEY_SLOT_COUNT> labels;
    std::string help;
    std::vector<int> touched;
    int shown = 0;
    int refreshes = 0;
    int hovers = 0;

private:
    const KeyMap& keyMap_;
};

// A slot number as the page might hand it over, labelled or not, in range or not.
int anySlot(ByteReader& input) {
    return input.below(40) - 4;
}

// The highest code other than pressed that is held, or 0.
KeyCode highestHeldBesides(KeyCode pressed, const HeldKeys& heldKeys) {
    for (int code = 255; code > 0; --code) {
        if (code != pressed && heldKeys.isHeld(static_cast<KeyCode>(code))) {
            return static_cast<KeyCode>(code);
        }
    }
    return 0;
}

bool isOwnSide(KeyCode pressed, KeyCode held) {
    for (const ModifierKey& modifier : MODIFIER_KEYS) {
        if (pressed == modifier.generic && (held == modifier.left || held == modifier.right)) {
            return true;
        }
    }
    return false;
}

class Session {
public:
    Session() { page_.capture = &capture_; }

    void step(ByteReader& input) {
        const KeyMap before = keyMap_;
        const int slot = capture_.hoverSlot();
        const bool capturing = capture_.isCapturing();
        page_.startStep();

        switch (input.below(8)) {
        case 0:
            press(input.byte(), slot, capturing, before);
            break;
        case 1:
            heldKeys_.release(input.byte());
            break;
        case 2:
            mouseButtons(input.byte());
            break;
        case 3:
            beginCapture(slot, before);
            break;
        case 4:
            endCapture(slot, before);
            break;
        case 5:
            setHover(anySlot(input), slot, capturing);
            break;
        case 6:
            page_.pointerSlot = anySlot(input);
            break;
        default:
            heldKeys_.releaseAll();
            break;
        }
        checkStep(slot, before);
    }

private:
    void press(KeyCode code, int slot, bool capturing, const KeyMap& before) {
        heldKeys_.press(code);
        const KeyCode reported = reportedKeyCode(code);
        const bool consumes = capture_.consumesPress(reported);
        const bool expected =
            reported != 0 && (slot >= 0 || reported == enterKey || reported == escKey);
        require(consumes == expected, "a press is consumed by the hover and the key alone");
        const KeyPressAnswer answer = capture_.onKeyPress(reported, heldKeys_);
        require((answer == KeyPressAnswer::Consumed) == consumes,
                "a press is consumed exactly when capture said it would be");
        if (!capturing || reported == 0) {
            require(keyMap_.currentKeyMap() == before.currentKeyMap() && page_.touched.empty() &&
                        capture_.hoverSlot() == slot && capture_.isCapturing() == capturing,
                    "a press outside capture changes nothing");
            return;
        }
        if (reported == backspaceKey) {
            require(keyMap_.mainKey(slot) == 0 && keyMap_.heldKey(slot) == 0,
                    "Backspace clears both bytes");
            require(!capture_.isCapturing() && page_.refreshes == 1 && page_.hovers == 1,
                    "Backspace ends the capture, refreshes the label and hovers again");
            const int hovered = isLabelledSlot(page_.pointerSlot) ? page_.pointerSlot : -1;
            require(capture_.hoverSlot() == hovered, "the hover after Backspace is the pointer's");
            return;
        }
        checkCaptured(reported, slot);
    }

    void checkCaptured(KeyCode pressed, int slot) {
        const KeyCode mainKey = keyMap_.mainKey(slot);
        const KeyCode heldKey = keyMap_.heldKey(slot);
        const KeyCode highest = highestHeldBesides(pressed, heldKeys_);
        if (isOwnSide(pressed, highest)) {
            require(mainKey == highest && heldKey == 0, "a lone modifier is stored by its side");
        } else {
            require(mainKey == pressed && heldKey == highest,
                    "a press is stored with the highest other key held");
        }
        require(mainKey != 0 && mainKey != heldKey, "a captured held key is never the main key");
        require(page_.shown == 1 && page_.refreshes == 0,
                "a captured press shows its label text once");
        require(page_.labels[static_cast<std::size_t>(slot)] == definitionText(mainKey, heldKey),
                "the label shows the stored pair's text");
        require(capture_.isCapturing() && capture_.hoverSlot() == slot,
                "capture goes on in the same slot");
    }

    void mouseButtons(std::uint8_t held) {
        for (const KeyCode button : {KeyCode{0x01}, KeyCode{0x02}, KeyCode{0x04}}) {
            if ((held & button) != 0) {
                heldKeys_.press(button);
            } else {
                heldKeys_.release(button);
            }
        }
    }

    void beginCapture(int slot, const KeyMap& before) {
        capture_.beginCapture();
        require(keyMap_.currentKeyMap() == before.currentKeyMap(),
                "starting a capture keeps the definition");
        if (slot < 0) {
            require(!capture_.isCapturing() && page_.touched.empty(),
                    "no capture starts without a hovered label");
            return;
        }
        require(capture_.isCapturing() &&
                    page_.labels[static_cast<std::size_t>(slot)] == noKeyText &&
                    page_.help == captureHelpText,
                "a capture starts with \"???\" and its help text");
    }

    void endCapture(int slot, const KeyMap& before) {
        capture_.endCapture();
        require(!capture_.isCapturing() && capture_.hoverSlot() == slot &&
                    keyMap_.currentKeyMap() == before.currentKeyMap(),
                "ending a capture changes neither the hover nor the map");
        if (slot >= 0) {
            require(page_.labels[static_cast<std::size_t>(slot)] ==
                        definitionText(keyMap_.mainKey(slot), keyMap_.heldKey(slot)),
                    "the label shows the definition again once capture ends");
        }
    }

    void setHover(int to, int slot, bool capturing) {
        capture_.setHoverSlot(to);
        const int expected = capturing ? slot : (isLabelledSlot(to) ? to : -1);
        require(capture_.hoverSlot() == expected,
                "the hover follows the pointer onto labels only, and stays put while capturing");
    }

    // What holds after every step, whatever it was. Labels change only through the page's
    // calls, so the calls' slots tell which labels changed.
    void checkStep(int slot, const KeyMap& before) const {
        const int hover = capture_.hoverSlot();
        require(hover == -1 || isLabelledSlot(hover), "only a labelled slot is hovered");
        require(!capture_.isCapturing() || hover >= 0, "a capture always has its slot");
        require(keyMap_.baselineKeyMap() == before.baselineKeyMap(),
                "capture never moves the baseline");
        KeyMapBytes othersKept = before.currentKeyMap();
        if (slot >= 0) {
            const auto main = static_cast<std::size_t>(slot);
            othersKept[main] = keyMap_.currentKeyMap()[main];
            othersKept[HELD_KEY_OFFSET + main] = keyMap_.currentKeyMap()[HELD_KEY_OFFSET + main];
        }
        require(keyMap_.currentKeyMap() == othersKept, "only the hovered slot changes");
        for (const int touched : page_.touched) {
            require(touched == slot, "the page is asked about the hovered slot only");
        }
    }

    KeyMap keyMap_;
    HeldKeys heldKeys_;
    RecordingPage page_{keyMap_};
    KeyCapture capture_{keyMap_, page_};
};

} // namespace
} // namespace vantrel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantrel::fuzz::ByteReader input(data, size);
    vantrel::fuzz::Session session;
    while (!input.empty()) {
        session.step(input);
    }
    return 0;
}
