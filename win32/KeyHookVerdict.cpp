#include "win32/KeyHookVerdict.h"

#include "pcsetup/KeyCapture.h"

namespace vantrel {

namespace {

constexpr int HOOK_ACTION = 0;
constexpr std::intptr_t PREVIOUS_KEY_DOWN = std::intptr_t{1} << 30;

} // namespace

KeyHookVerdict keyHookVerdict(int hookCode, std::uintptr_t keyCode, std::intptr_t keyData,
                              KeyCapture& capture, const std::function<HeldKeys()>& heldNow) {
    if (hookCode != HOOK_ACTION || (keyData & PREVIOUS_KEY_DOWN) != 0 || keyCode > 0xFF) {
        return KeyHookVerdict::Consume;
    }
    const KeyPressAnswer answer = capture.onKeyPress(static_cast<KeyCode>(keyCode), heldNow());
    return answer == KeyPressAnswer::Consumed ? KeyHookVerdict::Consume : KeyHookVerdict::PassOn;
}

} // namespace vantrel
