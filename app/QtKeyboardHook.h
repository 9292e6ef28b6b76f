#pragma once

#include "pcsetup/KeyboardHook.h"

#include <memory>

class QLockFile;
class QWidget;

namespace vantrel {

class KeyboardFilter;

// The PC Setup page's keyboard on Qt: a lock file in the runtime folder as the program-wide
// mark, and an application-wide event filter scoped to the page's own window.
class QtKeyboardHook : public KeyboardHook {
public:
    QtKeyboardHook();
    ~QtKeyboardHook() override;

    // The widget whose window's keys are filtered; set before install().
    void setScope(const QWidget* scope) { scope_ = scope; }

    bool claim() override;
    void install(KeyCapture& capture) override;
    void remove() override;

private:
    const QWidget* scope_ = nullptr;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<KeyboardFilter> filter_;
};

} // namespace vantrel
