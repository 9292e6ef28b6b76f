#include "pcsetup/X11KeyboardLayout.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <X11/XKBlib.h>

#include <memory>

namespace vantrel {
namespace {

struct KeyboardDescriptionDeleter {
    void operator()(XkbDescPtr description) const { XkbFreeKeyboard(description, 0, True); }
};

Display* applicationDisplay() {
    const auto* application = qGuiApp;
    const auto* x11 =
        application ? application->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

std::optional<TypingSymbols> readTypingSymbols(Display* display) {
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    const std::unique_ptr<XkbDescRec, KeyboardDescriptionDeleter> keyboard(
        XkbGetMap(display, XkbKeySymsMask, XkbUseCoreKbd));
    if (!keyboard || !keyboard->map) {
        return std::nullopt;
    }
    TypingSymbols symbols{};
    for (unsigned keyCode = keyboard->min_key_code;
         keyCode < symbols.size() && keyCode <= keyboard->max_key_code; ++keyCode) {
        const int groups = XkbKeyNumGroups(keyboard.get(), keyCode);
        if (isTypingKey(keyCode) && groups > 0) {
            // A group beyond the key's own wraps round, as the server applies it.
            const int group = state.group % groups;
            symbols[keyCode] =
                static_cast<std::uint32_t>(XkbKeySymEntry(keyboard.get(), keyCode, 0, group));
        }
    }
    return symbols;
}

} // namespace

const TypingSymbols* X11KeyboardLayout::symbolsFor(const QKeyEvent& event) {
    if (!read_ || event.timestamp() != readForTimestamp_) {
        Display* display = applicationDisplay();
        symbols_ = display ? readTypingSymbols(display) : std::nullopt;
        read_ = true;
        readForTimestamp_ = event.timestamp();
    }
    return symbols_ ? &*symbols_ : nullptr;
}

} // namespace vantrel
